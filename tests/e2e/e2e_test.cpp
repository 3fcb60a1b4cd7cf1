// The real program under Xvfb, driven with real mouse clicks and keys.
#include <chrono>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "e2e/x_session.h"
#include "window/layout_table.h"
#include "window/units.h"

namespace e2e {
namespace {

// Where a control of the window lies, in client pixels.
QRect rectOf(const char* objectName)
{
    for (const calendario::ControlSpec& row : calendario::controlTable())
        if (row.objectName() == QLatin1String(objectName))
            return calendario::pixelsFromTwips(row.twips());
    ADD_FAILURE() << "no control " << objectName;
    return {};
}

std::pair<int, int> centreOf(const char* objectName)
{
    const QPoint c = rectOf(objectName).center();
    return {c.x(), c.y()};
}

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.ready()) << "Xvfb did not start"; }

    // Starts the calendar and waits for its window.
    void open(const std::string& fakeTime = "2005-12-07 12:00:00", const std::string& lang = "it_IT.UTF-8")
    {
        app = std::make_unique<Calendario>(server, fakeTime, lang);
        const auto w = app->window();
        ASSERT_TRUE(w.has_value()) << "the calendar window did not appear";
        win = *w;
    }

    void click(const char* control)
    {
        const auto [x, y] = centreOf(control);
        app->click(win, x, y);
    }

    // The title, once it reads as expected or the time is up.
    std::string titleOnceItIs(const std::string& expected)
    {
        std::string title;
        for (int i = 0; i < 100 && (title = app->title(win)) != expected; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return title;
    }

    XServer server;
    std::unique_ptr<Calendario> app;
    std::string win;
};

TEST_F(EndToEnd, OpensOnTodayAtItsDesignPositionAndSize)
{
    open();
    EXPECT_EQ(titleOnceItIs("07 dicembre 2005 mer"), "07 dicembre 2005 mer");
    const std::string geometry = server.x("xdotool getwindowgeometry " + win);
    EXPECT_NE(geometry.find("Position: 726,204"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Geometry: 161x172"), std::string::npos) << geometry;
}

TEST_F(EndToEnd, AClickOnADayAndOnOggiWriteTheirDatesInTheTitle)
{
    open();
    click("G(10)");  // Thursday 8 December 2005
    EXPECT_EQ(titleOnceItIs("08 dicembre 2005 gio"), "08 dicembre 2005 gio");
    click("Oggi");
    EXPECT_EQ(titleOnceItIs("07 dicembre 2005 mer"), "07 dicembre 2005 mer");
    click("G(33)");
    EXPECT_EQ(titleOnceItIs("31 dicembre 2005 sab"), "31 dicembre 2005 sab");
    click("lblOGGI");
    EXPECT_EQ(titleOnceItIs("07 dicembre 2005 mer"), "07 dicembre 2005 mer");
}

TEST_F(EndToEnd, TheLocaleNamesTheMonthsAndDays)
{
    open("2005-12-07 12:00:00", "pl_PL.UTF-8");
    EXPECT_EQ(titleOnceItIs("07 grudnia 2005 śr."), "07 grudnia 2005 śr.");
}

TEST_F(EndToEnd, UscitaEndsTheProgramWithStatusZero)
{
    open();
    click("Command1");
    EXPECT_EQ(app->exitStatus(), 0);
}

TEST_F(EndToEnd, AltUEndsTheProgramWithStatusZero)
{
    open();
    app->key(win, "alt+u");
    EXPECT_EQ(app->exitStatus(), 0);
}

TEST_F(EndToEnd, AClockPastTheYearRangeIsReportedAndEndsTheProgramWithAFailure)
{
    app = std::make_unique<Calendario>(server, "2501-01-01 12:00:00", "it_IT.UTF-8");
    const auto box = app->window();
    ASSERT_TRUE(box.has_value()) << "no message box";
    const std::string geometry = server.x("xdotool getwindowgeometry " + *box);
    EXPECT_EQ(geometry.find("Geometry: 161x172"), std::string::npos) << "the calendar showed";
    EXPECT_FALSE(app->exitStatus(300).has_value()) << "ended before the user saw the message";
    app->key(*box, "Return");
    const auto status = app->exitStatus();
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
}

TEST_F(EndToEnd, StepsAcrossYearBoundariesBothWaysAndPicksAMonthFromTheList)
{
    open();
    click("Command3");  // January 2006
    click("G(6)");      // Sunday the 1st
    EXPECT_EQ(titleOnceItIs("01 gennaio 2006 dom"), "01 gennaio 2006 dom");
    click("Command2");  // December 2005
    click("Command2");  // November 2005
    click("G(1)");      // Tuesday the 1st
    EXPECT_EQ(titleOnceItIs("01 novembre 2005 mar"), "01 novembre 2005 mar");
    for (int i = 0; i < 11; ++i)
        click("Command2");  // back across the year to December 2004
    click("G(2)");          // Wednesday the 1st
    EXPECT_EQ(titleOnceItIs("01 dicembre 2004 mer"), "01 dicembre 2004 mer");

    click("Command3");  // January 2005: the list opens on its first entries
    click("cmdMESI");
    app->click(win, centreOf("lstMESI").first, calendario::pixelsFromTwips(330) + 33);  // the third entry: March
    click("G(1)");                                              // Tuesday 1 March 2005
    EXPECT_EQ(titleOnceItIs("01 marzo 2005 mar"), "01 marzo 2005 mar");

    const auto [barX, barY] = centreOf("VScroll1");
    app->click(win, barX, barY - 6);  // the year bar's up arrow: March 2006
    click("G(2)");                    // Wednesday 1 March 2006
    EXPECT_EQ(titleOnceItIs("01 marzo 2006 mer"), "01 marzo 2006 mer");

    click("lblANNO");  // back to this year's March
    click("G(1)");
    EXPECT_EQ(titleOnceItIs("01 marzo 2005 mar"), "01 marzo 2005 mar");
}

TEST_F(EndToEnd, TodaysCellMovesAtMidnight)
{
    open("2005-12-07 23:59:52");  // time enough to start, even on a busy machine
    // The left end of a cell of one digit shows its background: pink for today.
    const auto background = [&](const char* cell) {
        const QRect r = rectOf(cell);
        return app->pixel(win, r.left() + 2, r.center().y());
    };
    constexpr const char* pink = "#FFC0C0";
    std::string seventh, eighth;
    for (int i = 0; i < 100 && (seventh = background("G(9)")) != pink; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(seventh, pink) << "the 7th was not today's cell before midnight";
    for (int i = 0; i < 300 && (eighth = background("G(10)")) != pink; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(eighth, pink) << "the 8th did not become today's cell";
    EXPECT_NE(background("G(9)"), pink);
    EXPECT_EQ(app->title(win), "07 dicembre 2005 mer");  // the selection stays
}

// Over the real accessibility bus, as a screen reader meets the calendar.
TEST_F(EndToEnd, AScreenReaderHearsTheDaysByDateAndFollowsTheKeys)
{
    const std::string out = server.x("XDG_RUNTIME_DIR=" + runtimeDir() +
                                     " dbus-run-session -- /usr/bin/python3 " ATSPI_WALK
                                     " " CALENDARIO_BINARY " '2005-12-07 12:00:00'");
    std::vector<std::string> cells, focus;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("table cell|"))
            cells.push_back(line);
        if (line.starts_with("focus|"))
            focus.push_back(line.substr(6));
        EXPECT_FALSE(line.starts_with("list item|")) << "the closed month list is read: " << line;
    }
    ASSERT_EQ(cells.size(), 31u) << out;  // the days of December, no empty cell
    EXPECT_TRUE(cells[6].starts_with("table cell|mercoledì 7 dicembre 2005|")) << cells[6];
    EXPECT_NE(cells[6].find("selected"), std::string::npos) << cells[6];
    for (const char* expected : {"push button|Decrementa Mesi|", "push button|Incrementa Mesi|",
                                 "push button|Lista Mesi|", "scroll bar|Anno|"})
        EXPECT_NE(out.find(expected), std::string::npos) << expected;
    ASSERT_FALSE(focus.empty()) << out;
    EXPECT_EQ(focus.back(), "giovedì 8 dicembre 2005");
}

}  // namespace
}  // namespace e2e
