// The command line as users and scripts meet it: options that end at once, one calendar at a
// time on a session bus, the panel's calendar, the date picker, and the conveniences of the
// keyboard, the wheel and the week numbers, each with the real program under Xvfb.
#include <algorithm>
#include <memory>
#include <thread>

#include <QImage>

#include <gtest/gtest.h>

#include "e2e/x_session.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

std::string centre(const char *control)
{
    const QPoint c = rectOf(QString::fromLatin1(control)).center();
    return std::to_string(c.x()) + " " + std::to_string(c.y());
}

// How far from the pointer a panel's calendar may open: by no more than a window manager's
// frame, which the program may not know before its window is shown.
const QPoint kFrameAtMost(48, 48);

class Options : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server.ready()) << "Xvfb did not start"; }

    // The calendar with these options, on a pinned day, on the test's own session bus.
    std::unique_ptr<Calendario> start(const std::vector<std::string> &options,
                                      const std::string &day = "2005-12-07",
                                      std::vector<std::string> environment = {})
    {
        std::vector<std::string> command{CALENDARIO_BINARY};
        command.insert(command.end(), options.begin(), options.end());
        environment.insert(environment.begin(),
                           {"LANG=it_IT.UTF-8", "LC_ALL=", "LC_TIME=", "QT_QPA_PLATFORM=xcb",
                            fakeTimePreload(), "FAKETIME=@" + day + " 12:00:00", bus.variable()});
        return std::make_unique<Calendario>(server, command, environment);
    }

    // The calendar windows on the screen.
    int windowsShown() const
    {
        const std::string found = server.x("xdotool search --onlyvisible --class calendario");
        return found.empty() ? 0 : int(std::count(found.begin(), found.end(), '\n')) + 1;
    }

    XServer server;
    SessionBus bus;
};

// Command lines that end at once, with no window: what they print, and how they end.
struct EndsAtOnce
{
    std::vector<std::string> arguments;
    int status;
    const char *output; // printed on the output, in part
    const char *error; // the one line on the error output, in part
};

TEST_F(Options, CommandLinesThatEndAtOnceSayWhyOnOneLine)
{
    const EndsAtOnce rows[] = {
        {{"--help"}, 0, "--date-format <FORMAT>", ""},
        {{"--version"}, 0, "calendario 1.0\n", ""},
        {{"--frobnicate"}, 2, "", "calendario: Unknown option 'frobnicate'."},
        {{"--date"}, 2, "", "Missing value after '--date'."},
        {{"--date", "2005-02-30"}, 2, "", "--date 2005-02-30: no such day"},
        {{"--date", "1499-12-31"}, 2, "", "from 1500-01-01 to 2500-12-31"},
        {{"--date", "2501-01-01"}, 2, "", "from 1500-01-01 to 2500-12-31"},
        {{"--date=7/12/2005"}, 2, "", "no such day; a day is YYYY-MM-DD"},
        {{"--date", "2024-02-29", "--date", "2024-03-01"}, 2, "", "--date is given more than once"},
        {{"--print", "--date-format", "%H:%M"}, 2, "", "'%H:%M': %H is not part of a date"},
        {{"--print", "--date-format", "%d/%"}, 2, "", "--date-format '%d/%'"},
        {{"--toggle", "--print"}, 2, "", "--toggle and --print do not go together"},
        {{"oggi"}, 2, "", "'oggi' is no option"},
    };
    for (const EndsAtOnce &row : rows) {
        const std::string name = row.arguments.front();
        auto app = start(row.arguments);
        EXPECT_EQ(app->exitStatus(5000), row.status) << name;
        EXPECT_NE(app->output().find(row.output), std::string::npos)
            << name << ": " << app->output();
        const std::string error = app->errors();
        EXPECT_NE(error.find(row.error), std::string::npos) << name << ": " << error;
        EXPECT_LE(std::count(error.begin(), error.end(), '\n'), 1) << name << ": " << error;
        EXPECT_EQ(windowsShown(), 0) << name;
    }
}

// One calendar at a time: later starts hand over to it and end, showing nothing.
TEST_F(Options, ALaterStartHandsOverToTheCalendarOpenAndToggleClosesIt)
{
    auto first = start({});
    const auto window = first->window();
    ASSERT_TRUE(window);
    // Another start brings it forward; with a day, it shows that day.
    EXPECT_EQ(start({})->exitStatus(), 0);
    EXPECT_EQ(start({"--date", "2024-02-29"})->exitStatus(), 0);
    EXPECT_EQ(first->titleOnceItIs(*window, "29 febbraio 2024 gio"), "29 febbraio 2024 gio");
    EXPECT_EQ(windowsShown(), 1);
    // It is org.freedesktop.Application on the bus, under the desktop entry's name.
    const std::string introspection =
        run(bus.variable()
            + " dbus-send --session --print-reply "
              "--dest=io.github.calendario.Calendario /io/github/calendario/Calendario "
              "org.freedesktop.DBus.Introspectable.Introspect");
    for (const char *part :
         {"<interface name=\"org.freedesktop.Application\">", "<method name=\"Activate\">",
          "<method name=\"Open\">", "<method name=\"ActivateAction\">"})
        EXPECT_NE(introspection.find(part), std::string::npos) << part;
    // --toggle closes it; once none is open, it opens one.
    EXPECT_EQ(start({"--toggle"})->exitStatus(), 0);
    EXPECT_EQ(first->exitStatus(), 0);
    auto toggled = start({"--toggle"});
    EXPECT_TRUE(toggled->window());
    EXPECT_FALSE(toggled->exitStatus(500));
}

TEST_F(Options, WithoutASessionBusEachStartIsACalendarOfItsOwn)
{
    auto first = start({}, "2005-12-07", {kNoSessionBus});
    auto second = start({}, "2005-12-07", {kNoSessionBus});
    EXPECT_TRUE(first->window() && second->window());
    EXPECT_EQ(windowsShown(), 2);
}

// The panel's calendar: at the pointer, above the others and out of the taskbar; Esc or
// another window's focus closes it, and a second click of the panel's clock does too.
TEST_F(Options, ThePanelsCalendarOpensAtThePointerAndGoesAsAPopUpGoes)
{
    server.x("xdotool mousemove 600 500");
    auto popup = start({"--popup"});
    const auto window = popup->window();
    ASSERT_TRUE(window);
    const QRect atPointer = server.withFrame(*window);
    EXPECT_TRUE(atPointer.topLeft().x() >= 600 && atPointer.topLeft().y() >= 500
                && atPointer.contains(QPoint(600, 500) + kFrameAtMost))
        << "the window with its frame lies off the pointer: " << atPointer.x() << ","
        << atPointer.y();
    const std::string kind =
        server.x("xprop -id " + *window + " _NET_WM_WINDOW_TYPE _NET_WM_STATE");
    EXPECT_NE(kind.find("_NET_WM_WINDOW_TYPE_UTILITY"), std::string::npos) << kind;
    EXPECT_NE(kind.find("_NET_WM_STATE_ABOVE"), std::string::npos) << kind;
    popup->key(*window, "Escape");
    EXPECT_EQ(popup->exitStatus(), 0);

    // In the screen's corner it stays whole on the screen (1280 by 800).
    server.x("xdotool mousemove 1279 799");
    popup = start({"--popup"});
    const auto corner = popup->window();
    ASSERT_TRUE(corner);
    const QRect inCorner = server.withFrame(*corner);
    EXPECT_TRUE(QRect(0, 0, 1280, 800).contains(inCorner)
                && inCorner.contains(QPoint(1279, 799) - kFrameAtMost))
        << "the window with its frame lies off the corner: " << inCorner.x() << "," << inCorner.y();
    // Another window takes the focus: the calendar goes.
    auto other = start({}, "2005-12-07", {kNoSessionBus});
    const auto otherWindow = other->window();
    ASSERT_TRUE(otherWindow);
    server.x("xdotool windowfocus --sync " + *corner + " sleep 0.3 windowfocus --sync "
             + *otherWindow);
    EXPECT_EQ(popup->exitStatus(), 0);

    // The panel's clock clicked twice: the second click takes the focus, then toggles.
    auto clicked = start({"--popup", "--toggle"});
    const auto shown = clicked->window();
    ASSERT_TRUE(shown);
    server.x("xdotool windowfocus --sync " + *shown + " sleep 0.3 windowfocus --sync "
             + *otherWindow);
    EXPECT_EQ(start({"--popup", "--toggle"})->exitStatus(), 0);
    EXPECT_EQ(clicked->exitStatus(), 0);
    EXPECT_EQ(windowsShown(), 1); // the other calendar only
}

// A date picker: what a script reads, and how the picker ends, for each way of answering.
struct Answer
{
    const char *name;
    std::vector<std::string> options;
    std::string day; // today
    std::string actions; // xdotool commands on the window, W standing for it
    std::string printed;
    int status;
};

TEST_F(Options, ADatePickerPrintsTheDayChosenAndNothingElse)
{
    const Answer rows[] = {
        {"Enter", {"--print"}, "2005-12-07", "key Return", "2005-12-07\n", 0},
        {"ClickThenEnter",
         {"--print"},
         "2005-12-07",
         "mousemove --window W " + centre("G(10)") + " click 1 key Return",
         "2005-12-08\n",
         0},
        {"DoubleClick",
         {"--print"},
         "2005-12-07",
         "mousemove --window W " + centre("G(12)") + " click --repeat 2 --delay 80 1",
         "2005-12-10\n",
         0},
        {"KeysThenEnter",
         {"--print"},
         "2005-12-07",
         "key Right Right Down Return",
         "2005-12-16\n",
         0},
        {"Esc", {"--print"}, "2005-12-07", "key Escape", "", 1},
        {"Uscita",
         {"--print"},
         "2005-12-07",
         "mousemove --window W " + centre("Command1") + " click 1",
         "",
         1},
        {"AltU", {"--print"}, "2005-12-07", "key alt+u", "", 1},
        {"LeapDay",
         {"--print", "--date", "2024-02-29"},
         "2005-12-07",
         "key Return",
         "2024-02-29\n",
         0},
        {"Format",
         {"--print", "--date-format", "%d/%m/%Y"},
         "2005-12-07",
         "key Return",
         "07/12/2005\n",
         0},
        {"NamesOfTheLocale",
         {"--print", "--date-format", "%A %-d %B %Y, settimana %V"},
         "2005-12-07",
         "key Return",
         "mercoledì 7 dicembre 2005, settimana 49\n",
         0},
    };
    for (const Answer &row : rows) {
        auto picker = start(row.options, row.day);
        const auto window = picker->window();
        ASSERT_TRUE(window) << row.name;
        std::string actions = row.actions;
        for (std::size_t at; (at = actions.find('W')) != std::string::npos;)
            actions.replace(at, 1, *window);
        server.x("xdotool windowfocus --sync " + *window + " " + actions);
        EXPECT_EQ(picker->exitStatus(), row.status) << row.name;
        EXPECT_EQ(picker->output(), row.printed) << row.name;
    }
    // --date opens on the day, selected and in the title, with today still marked when shown.
    auto leap = start({"--print", "--date", "2024-02-29"}, "2024-02-10");
    const auto window = leap->window();
    ASSERT_TRUE(window);
    EXPECT_EQ(leap->titleOnceItIs(*window, "29 febbraio 2024 gio"), "29 febbraio 2024 gio");
    const QRect today = rectOf(QStringLiteral("G(12)")); // Saturday the 10th
    EXPECT_EQ(leap->pixelOnceItIs(*window, today.x() + 1, today.y() + 1, "#FFC0C0"), "#FFC0C0");
    // Two scripts ask at once: two pickers.
    auto second = start({"--print"});
    EXPECT_TRUE(second->window());
    EXPECT_EQ(windowsShown(), 2);
}

// Esc on the month list, the wheel, each day's week and Ctrl+C, as a user meets them.
TEST_F(Options, TheWheelEscCopyAndWeekNumbers)
{
    auto app = start({"--week-numbers"}, "2005-09-16");
    const auto window = app->window();
    ASSERT_TRUE(window);
    const std::string w = *window;
    // The column widens the window by 18 pixels, and the design's window is the rest.
    const QImage withWeeks = app->picture(w);
    EXPECT_EQ(withWeeks.size(), QSize(161 + 18, 172));
    auto plainApp = start({}, "2005-09-16", {kNoSessionBus});
    const auto plain = plainApp->window();
    ASSERT_TRUE(plain);
    EXPECT_EQ(withWeeks.copy(18, 0, 161, 172), plainApp->picture(*plain));
    plainApp.reset();

    const auto shift = [](const char *control) {
        const QPoint c = rectOf(QString::fromLatin1(control)).center() + QPoint(18, 0);
        return std::to_string(c.x()) + " " + std::to_string(c.y());
    };
    // Esc closes the open list and nothing else.
    const QImage closed = app->picture(w);
    server.x("xdotool mousemove --window " + w + " " + shift("cmdMESI") + " click 1");
    const QImage open = app->picture(w, closed);
    server.x("xdotool key Escape mousemove 10 10"); // the pointer off the button it pressed
    EXPECT_EQ(app->picture(w, open), closed);
    // The wheel over the days: down twice, November; a click on the 1st there tells.
    server.x("xdotool mousemove --window " + w + " " + shift("G(20)") + " click 5 click 5");
    server.x("xdotool mousemove --window " + w + " " + shift("G(1)") + " click 1");
    EXPECT_EQ(app->titleOnceItIs(w, "01 novembre 2005 mar"), "01 novembre 2005 mar");
    // Over the year, up: the later year; the month's name, down: the next month.
    server.x("xdotool mousemove --window " + w + " " + shift("lblANNO") + " click 4");
    server.x("xdotool mousemove --window " + w + " " + shift("lblMESE") + " click 5");
    server.x("xdotool mousemove --window " + w + " " + shift("G(4)") + " click 1");
    EXPECT_EQ(app->titleOnceItIs(w, "01 dicembre 2006 ven"), "01 dicembre 2006 ven");

    // Ctrl+C: the selected day, written out, as another program pastes it.
    if (!onPath("xclip"))
        GTEST_SKIP() << "xclip is not installed: nothing reads the clipboard";
    server.x("xdotool windowfocus --sync " + w + " key ctrl+c");
    const std::string copied = "venerdì 1 dicembre 2006";
    std::string pasted;
    for (int i = 0; i < 50 && (pasted = server.x("xclip -o -selection clipboard")) != copied; ++i)
        std::this_thread::sleep_for(100ms);
    EXPECT_EQ(pasted, copied);
}

} // namespace
} // namespace e2e
