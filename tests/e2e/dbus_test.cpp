// The calendar's face on the session bus, called as any program would call it: a call that
// asks for what the calendar cannot do is refused with an error naming the fault and changes
// nothing; one it can do is done; and no token a call brings stays in the calendar.
#include <algorithm>
#include <fstream>
#include <sstream>

#include <signal.h>

#include <gtest/gtest.h>

#include "e2e/x_session.h"

namespace e2e {
namespace {

const std::string kObject = " --dest io.github.calendario.Calendario "
                            "--object-path /io/github/calendario/Calendario --method "
                            "org.freedesktop.Application.";

// A private session bus, for the calendar of one test.
class PrivateBus
{
public:
    PrivateBus()
    {
        std::istringstream lines(
            run("dbus-daemon --session --fork --print-address=1 --print-pid=1"));
        std::getline(lines, address_);
        lines >> pid_;
    }
    ~PrivateBus()
    {
        if (pid_ > 0)
            kill(pid_, SIGTERM);
    }
    std::string variable() const { return "DBUS_SESSION_BUS_ADDRESS=" + address_; }

private:
    std::string address_;
    pid_t pid_ = -1;
};

class DBus : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (run("command -v gdbus").empty())
            GTEST_SKIP() << "gdbus is missing";
        ASSERT_TRUE(server.ready()) << "Xvfb did not start";
        calendar = std::make_unique<Calendario>(server, "2005-12-07 12:00:00", "it_IT.UTF-8",
                                                std::vector<std::string>{bus.variable()});
        window = calendar->window();
        ASSERT_TRUE(window);
        // Answering calls, once it holds its name.
        for (int tries = 0; call("Activate {}") != "()" && tries < 100; ++tries)
            run("sleep 0.1");
    }

    // gdbus's answer to a call on the calendar: its reply, or its error.
    std::string call(const std::string &methodAndArguments) const
    {
        return run(bus.variable() + " gdbus call --session" + kObject + methodAndArguments
                   + " 2>&1");
    }

    XServer server;
    PrivateBus bus;
    std::unique_ptr<Calendario> calendar;
    std::optional<std::string> window;
};

struct Refused
{
    const char *call;
    const char *error; // in gdbus's error line
};

TEST_F(DBus, CallsTheCalendarCannotAnswerAreRefusedAndChangeNothing)
{
    const std::string shown = calendar->title(*window);
    const Refused rows[] = {
        {"ActivateAction frobnicate '[]' '{}'",
         "InvalidArgs: no action 'frobnicate'; the actions are close and show-date"},
        {"ActivateAction show-date '[<20240229>]' '{}'",
         "InvalidArgs: the action show-date takes one parameter, a day as a string"},
        {"ActivateAction close '[<1>]' '{}'", "InvalidArgs: the action close takes no parameter"},
        {"ActivateAction show-date \"[<'7/12/2005'>]\" '{}'",
         "InvalidArgs: show-date: '7/12/2005' is no day; a day is YYYY-MM-DD"},
        {"ActivateAction show-date \"[<'2501-01-01'>]\" '{}'",
         "InvalidArgs: show-date: '2501-01-01' is outside the calendar's years, 1500-01-01 to "
         "2500-12-31"},
        {"Quit", "UnknownMethod: no method 'Quit'"},
    };
    for (const Refused &row : rows) {
        EXPECT_NE(call(row.call).find(std::string("org.freedesktop.DBus.Error.") + row.error),
                  std::string::npos)
            << row.call << ": " << call(row.call);
        EXPECT_EQ(calendar->title(*window), shown) << row.call;
        EXPECT_FALSE(calendar->exitStatus(0)) << row.call;
    }
    // A day the calendar shows, it shows.
    EXPECT_EQ(call("ActivateAction show-date \"[<'2024-02-29'>]\" '{}'"), "()");
    EXPECT_EQ(calendar->titleOnceItIs(*window, "29 febbraio 2024 gio"), "29 febbraio 2024 gio");
}

TEST_F(DBus, TokensAreNotKept)
{
    // Each token distinct and as long as gdbus takes one, in a script: a shell's command
    // line holds less.
    const std::string script = runtimeDir() + "/tokens.sh";
    constexpr int kCalls = 40;
    {
        std::ofstream calls(script);
        for (int i = 0; i < kCalls; ++i)
            calls << "gdbus call --session" << kObject << "Activate \"{'"
                  << (i % 2 ? "activation-token" : "desktop-startup-id") << "': <'" << i
                  << std::string(100 * 1024, char('a' + i % 26)) << "'>}\"\n";
    }
    // The calendar's private memory, in kB.
    const std::string privateDirty = "awk '/^Private_Dirty/ {print $2}' /proc/"
        + std::to_string(calendar->pid()) + "/smaps_rollup";
    const long before = std::stol(run(privateDirty));
    const std::string replies = run(bus.variable() + " sh " + script + " 2>&1");
    EXPECT_EQ(replies.find("Error"), std::string::npos) << replies.substr(0, 200);
    EXPECT_EQ(std::count(replies.begin(), replies.end(), '('), kCalls);
    // 40 tokens of 100 KB kept would be 4 MB.
    EXPECT_LT(std::stol(run(privateDirty)) - before, 1536);
    EXPECT_TRUE(calendar->window());
}

} // namespace
} // namespace e2e
