// The program's streams and its failures before a window opens, as a shell hands them over:
// closed, full, or with no display to open a window on.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "e2e/x_session.h"

namespace e2e {
namespace {

struct Start
{
    const char *name;
    std::string shell; // run by sh, $0 being the program
    const char *keys; // typed to its window; none for a start that opens no window
    const char *output; // the whole output
    const char *error; // the one line on the error output, in part; "" for none
    int status;
};

const char kWriteError[] = "calendario: write error: No space left on device\n";

class CommandLine : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server.ready()) << "Xvfb did not start"; }

    // Runs the start, types its keys, and checks what it wrote and how it ended.
    void check(const Start &row)
    {
        Calendario app(server, {"sh", "-c", row.shell, CALENDARIO_BINARY},
                       {"LANG=C.UTF-8", "LC_ALL=", "LC_TIME=", "QT_QPA_PLATFORM=xcb",
                        "DBUS_SESSION_BUS_ADDRESS=disabled:"});
        if (row.keys) {
            const auto window = app.window();
            EXPECT_TRUE(window) << row.name;
            if (window)
                app.key(*window, row.keys);
        }
        EXPECT_EQ(app.exitStatus(), row.status) << row.name;
        EXPECT_EQ(app.output(), row.output) << row.name;
        const std::string error = app.errors();
        EXPECT_NE(error.find(row.error), std::string::npos) << row.name << ": " << error;
        EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), *row.error ? 1 : 0)
            << row.name << ": " << error;
    }

    XServer server;
};

TEST_F(CommandLine, ClosedAndFullStreamsAndNoDisplayEndWithOneLine)
{
    const Start rows[] = {
        {"PickerOutputClosed", R"(exec "$0" --print >&-)", nullptr, "",
         "calendario: --print has no standard output to print the day on", 2},
        {"PickerOutputFull", R"(exec "$0" --print >/dev/full)", "Return", "", kWriteError, 1},
        {"HelpOutputFull", R"(exec "$0" --help >/dev/full)", nullptr, "", kWriteError, 1},
        {"HelpOutputClosed", R"(exec "$0" --help >&-)", nullptr, "",
         "calendario: write error: Bad file descriptor", 1},
        {"VersionOutputFull", R"(exec "$0" --version >/dev/full)", nullptr, "", kWriteError, 1},
        {"PickerErrorClosed", R"(unset XDG_RUNTIME_DIR; exec "$0" --print --date 2005-12-07 2>&-)",
         "Return", "2005-12-07\n", "", 0},
        {"NoDisplay", R"(unset DISPLAY WAYLAND_DISPLAY; exec "$0")", nullptr, "",
         "calendario: cannot open a window: ", 1},
        {"NoDisplayPicker", R"(unset DISPLAY WAYLAND_DISPLAY; exec "$0" --print)", nullptr, "",
         "calendario: cannot open a window: ", 1},
        {"NoSuchPlatform", R"(exec "$0" -platform bogus)", nullptr, "",
         "calendario: cannot open a window: ", 1},
        {"NoSuchPlatformPicker", R"(exec "$0" --print -platform bogus)", nullptr, "", "\"bogus\"",
         1},
        {"NoSuchDisplay", R"(exec "$0" -display :987)", nullptr, "",
         "calendario: cannot open a window: could not connect to display :987", 1},
    };
    for (const Start &row : rows)
        check(row);
}

// A date picker answers once, with the day its frame stands on, and with none while it
// stands on no day.
TEST_F(CommandLine, APickerAnswersOnceWithTheFramedDay)
{
    const Start rows[] = {
        {"EnterTwice", R"(exec "$0" --print --date 2005-12-10)", "Return Return Right Return",
         "2005-12-10\n", "", 0},
        {"AfterAMonthStep", R"(exec "$0" --print --date 2005-12-10)", "Next Return", "2006-01-10\n",
         "", 0},
        {"NoDayFramed", R"(exec "$0" --print --date 2027-01-31)", "Next Return ctrl+c Escape", "",
         "", 1},
    };
    for (const Start &row : rows)
        check(row);
}

} // namespace
} // namespace e2e
