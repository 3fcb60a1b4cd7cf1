// The Windows program under Wine on a private X server, beside the Linux program: today's
// date from Wine's clock and regional settings, the design's colours, a click, the exit.
#include <chrono>
#include <thread>

#include <QDate>
#include <QImage>
#include <QLocale>

#include <gtest/gtest.h>

#include "calendar/month_grid.h"
#include "e2e/x_session.h"

namespace e2e {
namespace {

// "08 dicembre 2026 mar", as Italian writes a date in the title.
std::string italianTitle(const QDate& date)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    return QStringLiteral("%1 %2 %3 %4")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(italian.monthName(date.month()), QString::number(date.year()),
             italian.dayName(date.dayOfWeek(), QLocale::ShortFormat))
        .toStdString();
}

// The cell that shows day `day` of the month of `date`.
QString cellOf(const QDate& date, int day)
{
    const int column = calendario::ColonnaInizio(date.month(), date.year()).value();
    return QStringLiteral("G(%1)").arg(calendario::CellaDelGiorno(day, column).value());
}

class UnderWine : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.ready()) << "Xvfb did not start"; }

    // Starts the Windows program, or the Linux one, on today's real date, in Italian.
    void open(bool windows)
    {
        const std::vector<std::string> lang = {"LANG=it_IT.UTF-8", "LC_ALL=", "LC_TIME="};
        std::vector<std::string> env = lang;
        if (windows)
            env.insert(env.end(), {"WINEPREFIX=" CALENDARIO_WINEPREFIX, "WINEDEBUG=-all"});
        else
            env.push_back("QT_QPA_PLATFORM=xcb");
        app = std::make_unique<Calendario>(server, windows ? std::vector<std::string>{"wine", CALENDARIO_WINDOWS_EXE}
                                                           : std::vector<std::string>{CALENDARIO_BINARY},
                                           env);
        const auto w = app->window(60000);
        ASSERT_TRUE(w.has_value()) << "the calendar window did not appear";
        win = *w;
        // Wine maps its window before the first paint: wait for the title start-up writes.
        for (int i = 0; i < 200 && app->title(win).empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    void click(const QString& control)
    {
        const QPoint c = rectOf(control).center();
        app->click(win, c.x(), c.y());
    }

    // The window's client area as the server shows it, once it is drawn: two pictures
    // alike, and not of one colour.
    QImage picture()
    {
        QImage last;
        for (int i = 0; i < 100; ++i) {
            const QImage now = app->picture(win);
            const bool drawn = !now.isNull() && now.pixel(0, 0) != now.pixel(now.width() / 2, now.height() / 2);
            if (drawn && now == last)
                return now;
            last = now;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return last;
    }

    XServer server;
    std::unique_ptr<Calendario> app;
    std::string win;
};

TEST_F(UnderWine, OpensOnTodayAtItsSizeInItalianAndDrawsTheColoursOfLinux)
{
    const QDate before = QDate::currentDate();
    open(false);
    const QImage linux = picture();
    app.reset();
    open(true);
    const std::string title = app->title(win);
    const QImage windows = picture();
    const QDate today = QDate::currentDate();

    EXPECT_TRUE(title == italianTitle(before) || title == italianTitle(today)) << title;
    EXPECT_NE(server.x("xdotool getwindowgeometry " + win).find("Geometry: 161x172"), std::string::npos);
    ASSERT_EQ(windows.size(), QSize(161, 172));
    ASSERT_EQ(linux.size(), QSize(161, 172));
    // Where the design's colours show: the faces of the three small buttons, today's cell
    // and the frame around it.
    const QRect cell = rectOf(cellOf(today, today.day()));
    std::vector<std::pair<std::string, QPoint>> places = {
        {"today's cell", {cell.left() + 1, cell.center().y()}},
        {"the frame", {cell.left() - 2, cell.center().y()}},
        {"the frame's top", {cell.center().x(), cell.top() - 2}},
    };
    for (const char* button : {"Command2", "Command3", "cmdMESI"})
        places.emplace_back(button, rectOf(QString::fromLatin1(button)).center() + QPoint(0, -6));
    for (const auto& [what, at] : places)
        EXPECT_EQ(windows.pixelColor(at).name().toStdString(), linux.pixelColor(at).name().toStdString()) << what;
    // Both pictures stay in the test's folder, to be looked at side by side.
    windows.save(QStringLiteral("calendario-wine.png"));
    linux.save(QStringLiteral("calendario-linux.png"));
}

TEST_F(UnderWine, AClickOnADayWritesItsDateInTheTitle)
{
    open(true);
    const QDate first = QDate::currentDate().addDays(1 - QDate::currentDate().day());
    click(cellOf(first, 1));
    EXPECT_EQ(app->titleOnceItIs(win, italianTitle(first)), italianTitle(first));
}

TEST_F(UnderWine, UscitaEndsTheProgramWithStatusZero)
{
    open(true);
    click(QStringLiteral("Command1"));
    EXPECT_EQ(app->exitStatus(30000), 0);
}

TEST_F(UnderWine, AltUEndsTheProgramWithStatusZero)
{
    open(true);
    app->key(win, "alt+u");
    EXPECT_EQ(app->exitStatus(30000), 0);
}

}  // namespace
}  // namespace e2e
