#include "e2e/x_session.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColorSpace>

#include <gtest/gtest.h>

#include "window/control_table.h"
#include "window/units.h"

extern char **environ;

namespace e2e {
namespace {

using namespace std::chrono_literals;

// Every program the tests start and every command they run finds no session bus, unless a
// test gives it one of its own.
[[maybe_unused]] const bool kBusChosen = putenv(const_cast<char *>(kNoSessionBus)) == 0;

// Starts argv[0], found on PATH, with extraEnv on top of this process's environment and
// with the given file actions applied in the child.
pid_t spawn(const std::vector<std::string> &argv, const std::vector<std::string> &extraEnv,
            const posix_spawn_file_actions_t *actions = nullptr)
{
    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    // The extra variables take the place of any of the same name, the last of them counting.
    const auto name = [](const std::string &entry) { return entry.substr(0, entry.find('=')); };
    std::vector<std::string> envStrings;
    const auto add = [&](const std::string &entry) {
        if (std::none_of(envStrings.begin(), envStrings.end(),
                         [&](const std::string &taken) { return name(taken) == name(entry); }))
            envStrings.push_back(entry);
    };
    std::for_each(extraEnv.rbegin(), extraEnv.rend(), add);
    for (char **e = environ; *e; ++e)
        add(*e);
    std::vector<char *> env;
    for (std::string &e : envStrings)
        env.push_back(e.data());
    env.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], actions, nullptr, args.data(), env.data()) != 0)
        return -1;
    return pid;
}

// The line written to fd, up to its newline or the end of the stream, or nothing if the
// time runs out first.
std::optional<std::string> readLine(int fd, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string line;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        pollfd readable{.fd = fd, .events = POLLIN, .revents = 0};
        const int polled = poll(&readable, 1, static_cast<int>(left.count()));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return std::nullopt;
        char c = 0;
        const ssize_t n = read(fd, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || c == '\n')
            return line;
        line.push_back(c);
    }
}

template<typename Condition>
bool waitFor(Condition condition, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        if (condition())
            return true;
        std::this_thread::sleep_for(20ms);
    }
    return condition();
}

// A private runtime folder for the programs under test, removed when the tests end.
struct RuntimeDir
{
    RuntimeDir()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "calendario-e2e-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path = pattern;
    }
    ~RuntimeDir()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

} // namespace

std::string fakeTimePreload()
{
    // Debian keeps it in the architecture's folder of /usr/lib, others in /usr/lib itself.
    static const std::string entry = [] {
        const std::filesystem::path library = "faketime/libfaketime.so.1";
        std::vector<std::filesystem::path> places{"/usr/lib" / library};
        std::error_code ignored;
        for (const auto &dir : std::filesystem::directory_iterator("/usr/lib", ignored))
            places.push_back(dir.path() / library);
        const auto found = std::ranges::find_if(places, [](const std::filesystem::path &p) {
            std::error_code missing;
            return std::filesystem::exists(p, missing);
        });
        return found == places.end() ? std::string() : "LD_PRELOAD=" + found->string();
    }();
    EXPECT_FALSE(entry.empty()) << "libfaketime is not installed";
    return entry;
}

bool onPath(const std::string &program)
{
    return !run("command -v '" + program + "'").empty();
}

std::string runtimeDir()
{
    static const RuntimeDir dir;
    return dir.path;
}

QRect rectOf(const QString &objectName)
{
    for (const calendario::ControlSpec &row : calendario::controlTable())
        if (row.objectName() == objectName)
            return calendario::pixelsFromTwips(row.twips());
    ADD_FAILURE() << "no control " << objectName.toStdString();
    return {};
}

std::string run(const std::string &command)
{
    std::string output;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
            output.append(buffer.data(), n);
        pclose(pipe);
    }
    while (!output.empty() && output.back() == '\n')
        output.pop_back();
    return output;
}

QImage builtIcon(int size)
{
    return QImage(QStringLiteral(CALENDARIO_ICONS "/%1x%1/io.github.calendario.Calendario.png")
                      .arg(size))
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool sameIcon(const QImage &a, const QImage &b)
{
    if (a.isNull() || a.size() != b.size())
        return false;
    const QImage pa = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage pb = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pa.height(); ++y)
        for (int x = 0; x < pa.width(); ++x) {
            const QRgb p = pa.pixel(x, y), q = pb.pixel(x, y);
            for (const int shift : {0, 8, 16, 24})
                if (std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)) > 2)
                    return false;
        }
    return true;
}

Process::Process(const std::vector<std::string> &argv, const std::vector<std::string> &extraEnv,
                 const std::string &errorFile)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!errorFile.empty())
        posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_ = spawn(argv, extraEnv, &actions);
    posix_spawn_file_actions_destroy(&actions);
}

Process::~Process()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

SessionBus::SessionBus()
{
    std::istringstream lines(run("dbus-daemon --session --fork --print-address=1 --print-pid=1"));
    std::getline(lines, address_);
    lines >> pid_;
}

SessionBus::~SessionBus()
{
    if (pid_ > 0)
        kill(pid_, SIGTERM);
}

XServer::XServer()
{
    // Xvfb picks a free display itself and writes its number to the pipe once it accepts
    // connections. -noreset keeps it from resetting, and refusing connections for a moment,
    // each time its last client leaves: the tests start and end many short clients.
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return;
    const int readEnd = pipeFds[0];
    const int writeEnd = pipeFds[1];
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // A dup2 onto itself clears close-on-exec in the child only: Xvfb alone keeps the write end.
    posix_spawn_file_actions_adddup2(&actions, writeEnd, writeEnd);
    pid_ = spawn({"Xvfb", "-displayfd", std::to_string(writeEnd), "-noreset", "-screen", "0",
                  "1280x800x24", "-dpi", "96", "-nolisten", "tcp"},
                 {}, &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(writeEnd); // so that the read sees the end of the stream if Xvfb dies first
    const std::optional<std::string> number = pid_ > 0 ? readLine(readEnd, 10000) : std::nullopt;
    close(readEnd);
    if (number && !number->empty() && std::all_of(number->begin(), number->end(), [](char c) {
            return c >= '0' && c <= '9';
        })) {
        display_ = ':';
        display_ += *number;
        ready_ = true;
    }
}

XServer::~XServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

std::string XServer::x(const std::string &command) const
{
    return run("DISPLAY=" + display_ + " " + command + " 2>/dev/null");
}

QRect XServer::withFrame(const std::string &window) const
{
    const std::string client = x("xwininfo -id " + window);
    const auto number = [&](const std::string &label) {
        const auto at = client.find(label);
        return at == std::string::npos ? -1 : std::atoi(client.c_str() + at + label.size());
    };
    int left = 0, right = 0, top = 0, bottom = 0;
    std::sscanf(x("xprop -id " + window + " _NET_FRAME_EXTENTS").c_str(),
                "_NET_FRAME_EXTENTS(CARDINAL) = %d, %d, %d, %d", &left, &right, &top, &bottom);
    return QRect(number("Absolute upper-left X:"), number("Absolute upper-left Y:"),
                 number("Width:"), number("Height:"))
        .adjusted(-left, -top, right, bottom);
}

namespace {

std::vector<std::string> joined(std::vector<std::string> first,
                                const std::vector<std::string> &second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

} // namespace

Calendario::Calendario(const XServer &server, const std::string &fakeTime, const std::string &lang,
                       const std::vector<std::string> &extraEnv)
    : Calendario(server, {CALENDARIO_BINARY},
                 joined({"LANG=" + lang, "LC_ALL=", "LC_TIME=", "QT_QPA_PLATFORM=xcb",
                         fakeTimePreload(), "FAKETIME=@" + fakeTime},
                        extraEnv))
{
}

Calendario::Calendario(const XServer &server, const std::vector<std::string> &command,
                       const std::vector<std::string> &environment)
    : server_(server)
{
    // Each program's output and error output in files of its own.
    static int started = 0;
    const std::string name = runtimeDir() + "/program-" + std::to_string(++started);
    outputFile_ = name + ".out";
    errorFile_ = name + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errorFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_ = spawn(
        command,
        joined({"DISPLAY=" + server.display(), "NO_AT_BRIDGE=1", "XDG_RUNTIME_DIR=" + runtimeDir()},
               environment),
        &actions);
    posix_spawn_file_actions_destroy(&actions);
}

std::string Calendario::output() const
{
    std::ifstream file(outputFile_);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string Calendario::errors() const
{
    std::ifstream file(errorFile_);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Calendario::~Calendario()
{
    if (pid_ > 0 && !status_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<std::string> Calendario::window(int timeoutMs) const
{
    std::string found;
    const std::string search = "xdotool search --onlyvisible --pid " + std::to_string(pid_);
    waitFor([&] { return !(found = server_.x(search)).empty(); }, timeoutMs);
    if (found.empty())
        return std::nullopt;
    return found.substr(0, found.find('\n'));
}

std::string Calendario::title(const std::string &window) const
{
    const std::string line = server_.x("xprop -id " + window + " _NET_WM_NAME");
    const auto first = line.find('"');
    const auto last = line.rfind('"');
    return first == std::string::npos || last <= first ? std::string()
                                                       : line.substr(first + 1, last - first - 1);
}

std::string Calendario::titleOnceItIs(const std::string &window, const std::string &expected) const
{
    std::string shown;
    waitFor([&] { return (shown = title(window)) == expected; }, 10000);
    return shown;
}

QImage Calendario::picture(const std::string &window, const QImage &before) const
{
    const std::string file = runtimeDir() + "/window.png";
    QImage last, now;
    // Drawn: two pictures alike in a row, and not of one colour.
    waitFor(
        [&] {
            server_.x("import -window " + window + " " + file);
            now = QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
            now.setColorSpace(
                {}); // pixels only: a PNG's colour profile would make alike pictures differ
            QImage plain(now.size(), QImage::Format_RGB32);
            plain.fill(now.isNull() ? 0 : now.pixel(0, 0));
            const bool drawn = !now.isNull() && now == last && now != plain && now != before;
            last = now;
            return drawn;
        },
        20000);
    return now;
}

std::map<int, QImage> Calendario::icons(const std::string &window) const
{
    // xprop writes the property as decimal numbers: width, height, then that many ARGB
    // pixels, for each icon in turn.
    std::map<int, QImage> icons;
    waitFor(
        [&] {
            const std::string line = server_.x("xprop -id " + window + " -notype 32c _NET_WM_ICON");
            const auto equals = line.find('=');
            if (equals == std::string::npos)
                return false;
            std::vector<quint32> numbers;
            for (const char *p = line.c_str() + equals + 1; *p;) {
                char *end = nullptr;
                const unsigned long n = std::strtoul(p, &end, 10);
                if (end == p)
                    break;
                numbers.push_back(static_cast<quint32>(n));
                p = end + (*end == ',' ? 1 : 0);
            }
            for (std::size_t i = 0; i + 2 <= numbers.size();) {
                const int w = int(numbers[i]), h = int(numbers[i + 1]);
                if (w <= 0 || h <= 0 || i + 2 + std::size_t(w) * h > numbers.size())
                    break;
                QImage icon(w, h, QImage::Format_ARGB32);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        icon.setPixel(x, y, numbers[i + 2 + std::size_t(y) * w + x]);
                icons[w] = icon;
                i += 2 + std::size_t(w) * h;
            }
            return !icons.empty();
        },
        10000);
    return icons;
}

void Calendario::click(const std::string &window, int x, int y) const
{
    server_.x("xdotool mousemove --window " + window + " " + std::to_string(x) + " "
              + std::to_string(y) + " click 1");
}

void Calendario::key(const std::string &window, const std::string &keys) const
{
    server_.x("xdotool windowfocus --sync " + window + " key --clearmodifiers " + keys);
}

std::string Calendario::pixel(const std::string &window, int x, int y) const
{
    // One pixel of the window's client area as ImageMagick writes it: "#RRGGBB".
    const std::string text = server_.x("import -window " + window + " -depth 8 -crop 1x1+"
                                       + std::to_string(x) + "+" + std::to_string(y) + " txt:-");
    const auto hash = text.find('#', text.find('\n'));
    return hash == std::string::npos ? std::string() : text.substr(hash, 7);
}

std::string Calendario::pixelOnceItIs(const std::string &window, int x, int y,
                                      const std::string &expected, int timeoutMs) const
{
    std::string shown;
    waitFor([&] { return (shown = pixel(window, x, y)) == expected; }, timeoutMs);
    return shown;
}

std::optional<int> Calendario::exitStatus(int timeoutMs)
{
    if (status_)
        return status_;
    int raw = 0;
    if (waitFor([&] { return waitpid(pid_, &raw, WNOHANG) == pid_; }, timeoutMs))
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return status_;
}

} // namespace e2e
