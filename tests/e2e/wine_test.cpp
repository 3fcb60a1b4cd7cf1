// The Windows program under Wine on a private X server, beside the Linux program: today's
// date from Wine's clock and regional settings, the design's colours, a click, the exit.
#include <chrono>

#include <gtest/gtest.h>

#include "calendar/clock.h"
#include "calendar/date_names.h"
#include "calendar/month_grid.h"
#include "e2e/x_session.h"

namespace e2e {
namespace {

using calendario::Date;

// "08 dicembre 2026 mar", as the title writes a date in Italian.
std::string italianTitle(Date date)
{
    return calendario::DateNames(QLocale(QLocale::Italian, QLocale::Italy)).fullDate(date).toStdString();
}

// Where the cell of `date` lies in its month.
QRect cellOf(Date date)
{
    const int month = static_cast<int>(unsigned(date.month())), year = static_cast<int>(date.year());
    const auto cell = calendario::CellaDelGiorno(static_cast<int>(unsigned(date.day())),
                                                 calendario::ColonnaInizio(month, year));
    return rectOf(QStringLiteral("G(%1)").arg(cell.value()));
}

class UnderWine : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.ready()) << "Xvfb did not start"; }

    // Starts the Windows program, or the Linux one, on today's real date, in Italian.
    void open(bool windows)
    {
        std::vector<std::string> env = {"LANG=it_IT.UTF-8", "LC_ALL=", "LC_TIME=", "QT_QPA_PLATFORM=xcb"};
        if (windows)
            env.insert(env.end(), {"WINEPREFIX=" CALENDARIO_WINEPREFIX, "WINEDEBUG=-all"});
        app = std::make_unique<Calendario>(server, windows ? std::vector<std::string>{"wine", CALENDARIO_WINDOWS_EXE}
                                                           : std::vector<std::string>{CALENDARIO_BINARY},
                                           env);
        const auto w = app->window(60000);
        ASSERT_TRUE(w.has_value()) << "the calendar window did not appear";
        win = *w;
    }

    XServer server;
    std::unique_ptr<Calendario> app;
    std::string win;
};

TEST_F(UnderWine, OpensOnTodayInItalianDrawsTheColoursOfLinuxAndWritesAClickedDate)
{
    const calendario::SystemClock clock;
    const Date before = clock.today();
    open(false);
    const QImage linux = app->picture(win);
    app.reset();
    open(true);
    const QImage windows = app->picture(win);
    const std::string title = app->title(win);
    const Date today = clock.today();

    EXPECT_TRUE(title == italianTitle(before) || title == italianTitle(today)) << title;
    EXPECT_NE(server.x("xdotool getwindowgeometry " + win).find("Geometry: 161x172"), std::string::npos);
    ASSERT_EQ(windows.size(), QSize(161, 172));
    ASSERT_EQ(linux.size(), QSize(161, 172));
    // Where the design's colours show: today's cell, the frame around it and the faces of
    // the three small buttons.
    const QRect cell = cellOf(today);
    std::vector<std::pair<std::string, QPoint>> places = {{"today's cell", {cell.left() + 1, cell.center().y()}},
                                                          {"the frame", {cell.left() - 2, cell.center().y()}},
                                                          {"the frame's top", {cell.center().x(), cell.top() - 2}}};
    for (const char* button : {"Command2", "Command3", "cmdMESI"})
        places.emplace_back(button, rectOf(QString::fromLatin1(button)).center() + QPoint(0, -6));
    for (const auto& [what, at] : places)
        EXPECT_EQ(windows.pixelColor(at).name().toStdString(), linux.pixelColor(at).name().toStdString()) << what;
    // Both pictures stay in the test's folder, to be looked at side by side.
    windows.save(QStringLiteral("calendario-wine.png"));
    linux.save(QStringLiteral("calendario-linux.png"));

    const Date first = today.year() / today.month() / std::chrono::day{1};
    const QPoint c = cellOf(first).center();
    app->click(win, c.x(), c.y());
    EXPECT_EQ(app->titleOnceItIs(win, italianTitle(first)), italianTitle(first));
}

TEST_F(UnderWine, UscitaAndAltUEndTheProgramWithStatusZero)
{
    for (const bool byKey : {false, true}) {
        open(true);
        if (byKey) {
            app->key(win, "alt+u");
        } else {
            const QPoint c = rectOf(QStringLiteral("Command1")).center();
            app->click(win, c.x(), c.y());
        }
        EXPECT_EQ(app->exitStatus(30000), 0) << (byKey ? "Alt+U" : "USCITA");
    }
}

}  // namespace
}  // namespace e2e
