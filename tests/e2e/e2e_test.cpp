// The real program under Xvfb, driven with real mouse clicks and keys.
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include <signal.h>

#include <QImage>

#include <gtest/gtest.h>

#include "e2e/x_session.h"
#include "window/colours.h"
#include "window/units.h"

namespace e2e {
namespace {

std::pair<int, int> centreOf(const char *objectName)
{
    const QPoint c = rectOf(QString::fromLatin1(objectName)).center();
    return {c.x(), c.y()};
}

class EndToEnd : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server.ready()) << "Xvfb did not start"; }

    // Starts the calendar and waits for its window.
    void open(const std::string &fakeTime = "2005-12-07 12:00:00",
              const std::string &lang = "it_IT.UTF-8",
              const std::vector<std::string> &extraEnv = {})
    {
        app = std::make_unique<Calendario>(server, fakeTime, lang, extraEnv);
        const auto w = app->window();
        ASSERT_TRUE(w.has_value()) << "the calendar window did not appear";
        win = *w;
    }

    void click(const char *control)
    {
        const auto [x, y] = centreOf(control);
        app->click(win, x, y);
    }

    std::string titleOnceItIs(const std::string &expected)
    {
        return app->titleOnceItIs(win, expected);
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
    // A window manager that shows a window's own icon finds the program's, as drawn.
    const std::map<int, QImage> icons = app->icons(win);
    for (const int size : {16, 32, 48})
        EXPECT_TRUE(icons.contains(size) && sameIcon(icons.at(size), builtIcon(size)))
            << size << " px";
}

TEST_F(EndToEnd, AClickOnADayAndOnOggiWriteTheirDatesInTheTitle)
{
    open();
    click("G(10)"); // Thursday 8 December 2005
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
    click("Command3"); // January 2006
    click("G(6)"); // Sunday the 1st
    EXPECT_EQ(titleOnceItIs("01 gennaio 2006 dom"), "01 gennaio 2006 dom");
    click("Command2"); // December 2005
    click("Command2"); // November 2005
    click("G(1)"); // Tuesday the 1st
    EXPECT_EQ(titleOnceItIs("01 novembre 2005 mar"), "01 novembre 2005 mar");
    for (int i = 0; i < 11; ++i)
        click("Command2"); // back across the year to December 2004
    click("G(2)"); // Wednesday the 1st
    EXPECT_EQ(titleOnceItIs("01 dicembre 2004 mer"), "01 dicembre 2004 mer");

    click("Command3"); // January 2005: the list opens on its first entries
    click("cmdMESI");
    app->click(win, centreOf("lstMESI").first,
               calendario::pixelsFromTwips(330) + 33); // the third entry: March
    click("G(1)"); // Tuesday 1 March 2005
    EXPECT_EQ(titleOnceItIs("01 marzo 2005 mar"), "01 marzo 2005 mar");

    const auto [barX, barY] = centreOf("VScroll1");
    app->click(win, barX, barY - 6); // the year bar's up arrow: March 2006
    click("G(2)"); // Wednesday 1 March 2006
    EXPECT_EQ(titleOnceItIs("01 marzo 2006 mer"), "01 marzo 2006 mer");

    click("lblANNO"); // back to this year's March
    click("G(1)");
    EXPECT_EQ(titleOnceItIs("01 marzo 2005 mar"), "01 marzo 2005 mar");
}

TEST_F(EndToEnd, TodaysCellMovesAtMidnight)
{
    open("2005-12-07 23:59:52"); // time enough to start, even on a busy machine
    // The left end of a cell of one digit shows its background: pink for today.
    constexpr const char *pink = "#FFC0C0";
    const auto background = [&](const char *cell, int timeoutMs = 0) {
        const QRect r = rectOf(QString::fromLatin1(cell));
        return app->pixelOnceItIs(win, r.left() + 2, r.center().y(), pink, timeoutMs);
    };
    ASSERT_EQ(background("G(9)", 5000), pink) << "the 7th was not today's cell before midnight";
    EXPECT_EQ(background("G(10)", 15000), pink) << "the 8th did not become today's cell";
    EXPECT_NE(background("G(9)"), pink);
    EXPECT_EQ(app->title(win), "07 dicembre 2005 mer"); // the selection stays
}

// qt6ct's settings, light (the style's own palette) or dark ("darker"), written as its
// settings dialog writes them: whole, in place of the old file.
void setQt6ct(const std::filesystem::path &config, bool dark)
{
    std::filesystem::create_directories(config / "qt6ct");
    std::ofstream(config / "qt6ct" / "new.conf")
        << "[Appearance]\nstyle=Fusion\ncustom_palette=" << (dark ? "true" : "false")
        << "\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\n";
    std::filesystem::rename(config / "qt6ct" / "new.conf", config / "qt6ct" / "qt6ct.conf");
}

// On a dark desktop, as qt6ct's "darker" scheme paints one: what the screen shows, text
// and shapes against the colour drawn around them; and the same picture where the desktop
// turned dark while the calendar was open, and back to what it was light.
TEST_F(EndToEnd, OnADarkDesktopEveryTextAndShapeStandsOutOnScreen)
{
    const std::filesystem::path config = std::filesystem::path(runtimeDir()) / "config";
    setQt6ct(config, true);
    const std::vector<std::string> qt6ct = {"QT_QPA_PLATFORMTHEME=qt6ct",
                                            "XDG_CONFIG_HOME=" + config.string()};
    open("2005-12-10 12:00:00", "it_IT.UTF-8", qt6ct); // today a Saturday: red on today's pink
    titleOnceItIs("10 dicembre 2005 sab");
    const QImage shot = app->picture(win);
    ASSERT_EQ(shot.size(), QSize(161, 172));

    app.reset();
    setQt6ct(config, false);
    open("2005-12-10 12:00:00", "it_IT.UTF-8", qt6ct);
    titleOnceItIs("10 dicembre 2005 sab");
    const QImage light = app->picture(win);
    setQt6ct(config, true);
    const QImage turnedDark = app->picture(win, light);
    setQt6ct(config, false);
    const QImage turnedLight = app->picture(win, turnedDark);
    const auto differing = [](const QImage &a, const QImage &b) {
        int n = 0;
        for (int y = 0; y < std::min(a.height(), b.height()); ++y)
            for (int x = 0; x < std::min(a.width(), b.width()); ++x)
                n += a.pixel(x, y) != b.pixel(x, y);
        return n + std::abs(a.width() * a.height() - b.width() * b.height());
    };
    EXPECT_EQ(differing(turnedDark, shot), 0) << "pixels unlike a start on the dark desktop";
    EXPECT_EQ(differing(turnedLight, light), 0) << "pixels unlike a start on the light desktop";

    // GNOME's way, through GTK's settings, which xsettingsd serves and changes when told to:
    // Qt 6.4's GTK theme takes no palette from GTK, so a dark GTK theme changes no colour.
    const std::filesystem::path gtk = config / "xsettingsd.conf";
    const auto setGtkTheme = [&](const char *name) {
        std::ofstream(gtk) << "Net/ThemeName \"" << name << "\"\n";
    };
    setGtkTheme("Adwaita");
    const Process xsettingsd({"xsettingsd", "-c", gtk.string()}, {"DISPLAY=" + server.display()});
    ASSERT_TRUE(xsettingsd.started());
    app.reset();
    open("2005-12-10 12:00:00", "it_IT.UTF-8", {"QT_QPA_PLATFORMTHEME=gtk3"});
    setGtkTheme("HighContrastInverse");
    kill(xsettingsd.pid(), SIGHUP);
    QImage startedThere;
    {
        // A start under the new theme, which takes longer than the switch.
        Calendario fresh(server, "2005-12-10 12:00:00", "it_IT.UTF-8",
                         {"QT_QPA_PLATFORMTHEME=gtk3"});
        const auto w = fresh.window();
        ASSERT_TRUE(w.has_value());
        fresh.titleOnceItIs(*w, "10 dicembre 2005 sab");
        startedThere = fresh.picture(*w);
    }
    EXPECT_EQ(differing(app->picture(win), startedThere), 0)
        << "pixels unlike a start under the new GTK theme";

    // In a control's rectangle the commonest colour is what lies behind; the one that
    // stands out from it most is the text or the shape.
    const auto contrastIn = [&](QRect r) {
        std::map<QRgb, int> counts;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ++counts[shot.pixel(x, y)];
        const QColor behind =
            std::ranges::max_element(counts, {}, &std::pair<const QRgb, int>::second)->first;
        double most = 1;
        for (const auto &[colour, n] : counts)
            most = std::max(most, calendario::contrastRatio(QColor(colour), behind));
        return most;
    };
    const auto inside = [](const char *name) {
        return rectOf(QString::fromLatin1(name)).adjusted(2, 2, -2, -2);
    };
    std::vector<std::pair<std::string, double>> texts, shapes;
    for (const char *name : {"lblMESE", "lblANNO", "lblOGGI", "Oggi", "Label4(1)", "Command1"})
        texts.emplace_back(name, contrastIn(inside(name)));
    for (int cell = 3; cell <= 33; ++cell) { // the days of December 2005
        const std::string name = "G(" + std::to_string(cell) + ")";
        texts.emplace_back(name, contrastIn(rectOf(QString::fromStdString(name))));
    }
    for (const char *name : {"Command2", "Command3", "cmdMESI"})
        shapes.emplace_back(name, contrastIn(inside(name)));
    // The frame around today's cell, with the panel beside it.
    const QRect today = rectOf(QStringLiteral("G(12)"));
    shapes.emplace_back("Shape1",
                        contrastIn(QRect(today.left() - 4, today.top(), 3, today.height())));
    for (const auto &[name, ratio] : texts)
        EXPECT_GE(ratio, calendario::kTextContrast) << name;
    for (const auto &[name, ratio] : shapes)
        EXPECT_GE(ratio, calendario::kShapeContrast) << name;
    const auto lowest = [](const auto &pairs) {
        return std::ranges::min(pairs, {}, &std::pair<std::string, double>::second);
    };
    std::cout << "[ figures  ] lowest on screen: text " << lowest(texts).second << " ("
              << lowest(texts).first << "), shapes " << lowest(shapes).second << " ("
              << lowest(shapes).first << ")\n";
}

// At a fractional scale every outline stays whole: the frame around today's cell, and the
// borders of the month, the year and "Oggi:", on all four sides.
TEST_F(EndToEnd, AtAScaleOfOneAndAQuarterEveryOutlineIsWhole)
{
    constexpr double scale = 1.25;
    open("2005-12-07 12:00:00", "it_IT.UTF-8", {"QT_SCALE_FACTOR=1.25"});
    titleOnceItIs("07 dicembre 2005 mer");
    const QImage shot = app->picture(win);
    ASSERT_EQ(shot.size(), QSize(201, 215));

    // Each side of an outline, as a strip of screen pixels: some pixel of it has the colour.
    const auto sidesOf = [&](QRect r, int width) {
        const QRectF s(r.x() * scale, r.y() * scale, r.width() * scale, r.height() * scale);
        const double w = width * scale;
        return std::vector<QRectF>{{s.left(), s.top(), s.width(), w},
                                   {s.left(), s.bottom() - w, s.width(), w},
                                   {s.left(), s.top(), w, s.height()},
                                   {s.right() - w, s.top(), w, s.height()}};
    };
    const auto drawn = [&](const QRectF &strip, QColor colour) {
        const QRect pixels = strip.toAlignedRect().intersected(shot.rect());
        // The middle third of the strip's length, away from the corners and neighbours.
        const bool across = strip.width() > strip.height();
        const int from =
            across ? pixels.left() + pixels.width() / 3 : pixels.top() + pixels.height() / 3;
        const int to =
            across ? pixels.right() - pixels.width() / 3 : pixels.bottom() - pixels.height() / 3;
        for (int along = from; along <= to; ++along) {
            bool found = false;
            for (int a = across ? pixels.top() : pixels.left();
                 a <= (across ? pixels.bottom() : pixels.right()); ++a)
                found = found || shot.pixelColor(across ? along : a, across ? a : along) == colour;
            if (!found)
                return false;
        }
        return true;
    };
    // The sides in view (top, bottom, left, right): the month's left lies under the list
    // button, the year's left under the month.
    const QRect today = rectOf(QStringLiteral("G(9)"));
    const std::vector<std::tuple<std::string, QRect, int, QColor, std::string>> outlines = {
        {"Shape1", today.adjusted(-2, -2, 3, 2), 2, QColor(0, 0, 255), "tblr"},
        {"Oggi", rectOf(QStringLiteral("Oggi")), 1, QColor(0, 0, 192), "tblr"},
        {"lblMESE", rectOf(QStringLiteral("lblMESE")), 1, Qt::black, "tbr"},
        {"lblANNO", rectOf(QStringLiteral("lblANNO")), 1, Qt::black, "tbr"},
    };
    for (const auto &[name, r, width, colour, inView] : outlines) {
        const std::vector<QRectF> sides = sidesOf(r, width);
        for (std::size_t side = 0; side < sides.size(); ++side)
            if (inView.find("tblr"[side]) != std::string::npos) {
                EXPECT_TRUE(drawn(sides[side], colour)) << name << ", side "
                                                        << "tblr"[side];
            }
    }
}

// Over the real accessibility bus, as a screen reader meets the calendar: the days of the
// month as a table, and the reader's focus on every day chosen, with the keys, the mouse or
// the arrow buttons.
TEST_F(EndToEnd, AScreenReaderHearsTheDaysByDateAndFollowsEveryChoice)
{
    if (!std::filesystem::exists("/usr/libexec/at-spi-bus-launcher")
        || run("/usr/bin/python3 -c 'import pyatspi' 2>&1 && echo found") != "found")
        GTEST_SKIP() << "the AT-SPI bus or pyatspi is not installed";
    const auto at = [](const char *control) {
        const QPoint c = rectOf(QString::fromLatin1(control)).center();
        return "click:" + std::to_string(c.x()) + "," + std::to_string(c.y());
    };
    const std::string out = server.x("XDG_RUNTIME_DIR=" + runtimeDir()
                                     + " dbus-run-session -- /usr/bin/python3 " ATSPI_WALK
                                       " " CALENDARIO_BINARY " '2005-12-07 12:00:00' key:Right "
                                     + at("G(12)") + " " + at("Command3"));
    std::vector<std::string> cells;
    std::map<std::string, std::vector<std::string>> focus; // by step
    std::string step;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("table cell|"))
            cells.push_back(line);
        if (line.starts_with("step|"))
            step = line.substr(5, line.find(':') - 5);
        if (line.starts_with("focus|"))
            focus[step].push_back(line.substr(6));
        EXPECT_FALSE(line.starts_with("list item|")) << "the closed month list is read: " << line;
    }
    ASSERT_EQ(cells.size(), 31u) << out; // the days of December, no empty cell
    EXPECT_TRUE(cells[6].starts_with("table cell|mercoledì 7 dicembre 2005|")) << cells[6];
    EXPECT_NE(cells[6].find("selected"), std::string::npos) << cells[6];
    for (const char *expected : {"push button|Decrementa Mesi|", "push button|Incrementa Mesi|",
                                 "push button|Lista Mesi|", "scroll bar|Anno|"})
        EXPECT_NE(out.find(expected), std::string::npos) << expected;
    // The key, the click on a day, and the next month, whose same day is now the selected one.
    ASSERT_FALSE(focus["key"].empty()) << out;
    EXPECT_EQ(focus["key"].back(), "giovedì 8 dicembre 2005") << out;
    ASSERT_EQ(focus["click"].size(), 2u) << out;
    EXPECT_EQ(focus["click"][0], "sabato 10 dicembre 2005") << out;
    EXPECT_EQ(focus["click"][1], "martedì 10 gennaio 2006") << out;
}

} // namespace
} // namespace e2e
