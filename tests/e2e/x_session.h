#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

#include <QImage>
#include <QRect>

namespace e2e {

// A private runtime folder for the programs under test, removed when the tests end.
std::string runtimeDir();

// The session bus of a program that is to find none: every program the tests start has it
// unless the test gives it a bus of its own, so that none meets the calendar open on the
// user's bus, nor one that libdbus would launch for the X display.
inline constexpr const char *kNoSessionBus = "DBUS_SESSION_BUS_ADDRESS=disabled:";

// LD_PRELOAD's entry for libfaketime, wherever the system keeps it.
std::string fakeTimePreload();

// Whether a program is on PATH, for tests that skip without an optional one.
bool onPath(const std::string &program);

// Where a control of the window lies, in client pixels.
QRect rectOf(const QString &objectName);

// The output of a shell command, with its trailing newline removed.
std::string run(const std::string &command);

// The program's icon as drawn at build time, at one of its sizes.
QImage builtIcon(int size);

// Whether two icons show the same picture, channel by channel within a step or two,
// where they are not transparent.
bool sameIcon(const QImage &a, const QImage &b);

// A program started with extraEnv on top of this process's environment, and killed when
// this goes, if it has not ended by then; its error output goes to errorFile if one is named.
class Process
{
public:
    Process(const std::vector<std::string> &argv, const std::vector<std::string> &extraEnv,
            const std::string &errorFile = {});
    ~Process();
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
};

// A private session bus, for the calendars of one test that are to find one another.
class SessionBus
{
public:
    SessionBus();
    ~SessionBus();
    SessionBus(const SessionBus &) = delete;
    SessionBus &operator=(const SessionBus &) = delete;

    // DBUS_SESSION_BUS_ADDRESS=..., for a program's environment.
    std::string variable() const { return "DBUS_SESSION_BUS_ADDRESS=" + address_; }

private:
    std::string address_;
    pid_t pid_ = -1;
};

// A private X server (Xvfb) at 96 dpi, started for one test and stopped after it.
class XServer
{
public:
    XServer();
    ~XServer();
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    const std::string &display() const { return display_; }
    // Whether the server accepts connections; it does from construction on, or never.
    bool ready() const { return ready_; }
    // Runs a shell command with this server as its DISPLAY.
    std::string x(const std::string &command) const;
    // Where a window lies with the frame its window manager gave it (none, without one), as
    // the server places them: no frame's size is guessed.
    QRect withFrame(const std::string &window) const;

private:
    pid_t pid_ = -1;
    std::string display_;
    bool ready_ = false;
};

// The real calendario on that server, with its date pinned by libfaketime and its locale
// by LANG; or any command that opens it, with variables of its own.
class Calendario
{
public:
    Calendario(const XServer &server, const std::string &fakeTime, const std::string &lang,
               const std::vector<std::string> &extraEnv = {});
    Calendario(const XServer &server, const std::vector<std::string> &command,
               const std::vector<std::string> &environment);
    ~Calendario();

    pid_t pid() const { return pid_; }
    // What the program wrote to its output and its error output so far.
    std::string output() const;
    std::string errors() const;
    // The program's mapped top-level window, waiting up to the timeout for it.
    std::optional<std::string> window(int timeoutMs = 20000) const;
    std::string title(const std::string &window) const;
    // The title, once it reads as expected or the time is up.
    std::string titleOnceItIs(const std::string &window, const std::string &expected) const;
    // The window's client area as the server shows it, once it is drawn, still, and no
    // longer `before`.
    QImage picture(const std::string &window, const QImage &before = {}) const;
    // The icons the window offers a window manager (_NET_WM_ICON), by width, once it has any.
    std::map<int, QImage> icons(const std::string &window) const;
    // A left click at client pixel (x, y) of the window, and keys typed to it. Both return
    // once the server has delivered the events, not once the program has handled them; the
    // program handles them in order, so a test waits only on an effect it wants to see.
    void click(const std::string &window, int x, int y) const;
    void key(const std::string &window, const std::string &keys) const;
    // The colour of client pixel (x, y) of the window, "#RRGGBB".
    std::string pixel(const std::string &window, int x, int y) const;
    // That colour once it is as expected (the window mapped and drawn) or the time is up.
    std::string pixelOnceItIs(const std::string &window, int x, int y, const std::string &expected,
                              int timeoutMs = 10000) const;
    // The exit status once the program has ended, or nothing if it is still running then.
    std::optional<int> exitStatus(int timeoutMs = 10000);

private:
    const XServer &server_;
    pid_t pid_ = -1;
    std::optional<int> status_;
    std::string outputFile_;
    std::string errorFile_;
};

} // namespace e2e
