// Start-up time and memory of a Qt program on an X server: from the exec to the mapping
// of its top-level window, and its resident and private anonymous memory (heap and
// anonymous maps, which no other process can share) once it is up. Runs the programs named
// on the command line in turn, interleaved, and prints the medians; then, last, each
// program's time and memory as ratios to the last one named, the floor.
//
//   startup_bench [--runs N] PROGRAM [PROGRAM...] FLOOR     (DISPLAY must name an X server)
//
// A PROGRAM with options is one argument: "build/app/calendario --week-numbers".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Sample
{
    double milliseconds = -1;
    double mebibytes = -1;
    double anonymousMebibytes = -1;
};

// A field of a /proc file that counts kilobytes, in mebibytes.
double mebibytesOf(pid_t pid, const char *file, const std::string &field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/" + file);
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0)
            return std::strtod(line.c_str() + field.size(), nullptr) / 1024.0;
    return -1;
}

// Waits for the next top-level window to be mapped on the root, up to the timeout.
bool waitForMap(Display *display, std::chrono::milliseconds timeout)
{
    const auto end = Clock::now() + timeout;
    while (Clock::now() < end) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display)
                && !event.xmap.override_redirect)
                return true;
        }
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 5);
    }
    return false;
}

Sample measure(Display *display, const std::string &program)
{
    XSync(display, True); // forget earlier events
    // A program with options, "build/app/calendario --week-numbers", is one argument.
    std::vector<std::string> words;
    std::istringstream split(program);
    for (std::string word; split >> word;)
        words.push_back(word);
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return {};
    Sample sample;
    if (waitForMap(display, std::chrono::seconds(20))) {
        sample.milliseconds =
            std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        // Let the first paint settle before reading the memory.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sample.mebibytes = mebibytesOf(pid, "status", "VmRSS:");
        sample.anonymousMebibytes = mebibytesOf(pid, "smaps_rollup", "Anonymous:");
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? -1 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    int runs = 10;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            programs.push_back(arg);
    }
    Display *display = XOpenDisplay(nullptr);
    if (programs.empty() || !display) {
        std::fprintf(stderr, "usage: startup_bench [--runs N] PROGRAM...  (with DISPLAY set)\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    // One warm-up run each, then the runs interleaved so that both meet the same machine.
    for (const std::string &program : programs)
        measure(display, program);
    std::vector<std::vector<double>> times(programs.size()), memory(programs.size()),
        anonymous(programs.size());
    for (int run = 0; run < runs; ++run)
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const Sample s = measure(display, programs[p]);
            if (s.milliseconds >= 0) {
                times[p].push_back(s.milliseconds);
                memory[p].push_back(s.mebibytes);
                anonymous[p].push_back(s.anonymousMebibytes);
            }
        }

    std::printf("%-40s %5s %16s %14s %15s\n", "program", "runs", "exec-to-map ms", "resident MiB",
                "anonymous MiB");
    for (std::size_t p = 0; p < programs.size(); ++p)
        std::printf("%-40s %5zu %16.1f %14.1f %15.2f\n", programs[p].c_str(), times[p].size(),
                    median(times[p]), median(memory[p]), median(anonymous[p]));
    const std::size_t floor = programs.size() - 1;
    for (std::size_t p = 0; p < floor; ++p)
        std::printf("%s: %.3fx the floor's time, %.3fx its memory, %.3fx its private anonymous "
                    "memory\n",
                    programs[p].c_str(), median(times[p]) / median(times[floor]),
                    median(memory[p]) / median(memory[floor]),
                    median(anonymous[p]) / median(anonymous[floor]));
    XCloseDisplay(display);
    return 0;
}
