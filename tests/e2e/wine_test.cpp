// The Windows program under Wine on a private X server, beside the Linux program: today's
// date from Wine's clock and regional settings, the design's colours, its icon, a click,
// the exit, DLLs planted beside it; and its installer and uninstaller in a Wine prefix of
// their own.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "calendar/clock.h"
#include "calendar/date_names.h"
#include "calendar/month_grid.h"
#include "e2e/x_session.h"

namespace e2e {
namespace {

using calendario::Date;
namespace fs = std::filesystem;

// Where a Windows user might keep the program: a folder whose name no code page but
// Unicode holds.
std::string programInAForeignFolder()
{
    const fs::path folder = fs::path(runtimeDir()) / "Però €";
    fs::create_directories(folder);
    fs::copy_file(CALENDARIO_WINDOWS_EXE, folder / "calendario.exe",
                  fs::copy_options::overwrite_existing);
    return (folder / "calendario.exe").string();
}

// "08 dicembre 2026 mar", as the title writes a date in Italian.
std::string italianTitle(Date date)
{
    return calendario::DateNames(QLocale(QLocale::Italian, QLocale::Italy))
        .fullDate(date)
        .toStdString();
}

// Where the cell of `date` lies in its month.
QRect cellOf(Date date)
{
    using namespace calendario;
    const Int16 cell = CellaDelGiorno(dayOf(date), ColonnaInizio(monthOf(date), yearOf(date)));
    return rectOf(QStringLiteral("G(%1)").arg(cell.value()));
}

class UnderWine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!onPath("wine"))
            GTEST_SKIP() << "wine is not installed";
        ASSERT_TRUE(server.ready()) << "Xvfb did not start";
    }

    // Starts the Windows program with these arguments (from a folder of an unusual name, or
    // as `exe` names it, in its prefix), or the Linux one, on today's real date, in Italian.
    std::unique_ptr<Calendario> start(bool windows, const std::vector<std::string> &arguments = {},
                                      const std::string &exe = {},
                                      const std::string &prefix = CALENDARIO_WINEPREFIX,
                                      const std::vector<std::string> &extraEnv = {})
    {
        // Copied once: a program that runs is not to be written over.
        static const std::string foreign = programInAForeignFolder();
        std::vector<std::string> env = {"LANG=it_IT.UTF-8",
                                        "LC_ALL=", "LC_TIME=", "QT_QPA_PLATFORM=xcb"};
        if (windows)
            env.insert(env.end(), {"WINEPREFIX=" + prefix, "WINEDEBUG=-all"});
        env.insert(env.end(), extraEnv.begin(), extraEnv.end());
        std::vector<std::string> command = windows
            ? std::vector<std::string>{"wine", exe.empty() ? foreign : exe}
            : std::vector<std::string>{CALENDARIO_BINARY};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return std::make_unique<Calendario>(server, command, env);
    }

    // Starts it with no arguments, and waits for its window.
    void open(bool windows, const std::string &exe = {},
              const std::string &prefix = CALENDARIO_WINEPREFIX,
              const std::vector<std::string> &extraEnv = {})
    {
        app = start(windows, {}, exe, prefix, extraEnv);
        const auto w = app->window(60000);
        ASSERT_TRUE(w.has_value()) << "the calendar window did not appear";
        win = *w;
    }

    // The calendar windows on the screen, Windows' and Linux's.
    int calendarsShown() const
    {
        const std::string found = server.x("xdotool search --onlyvisible --class calendario");
        return found.empty() ? 0 : int(std::count(found.begin(), found.end(), '\n')) + 1;
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
    EXPECT_NE(server.x("xdotool getwindowgeometry " + win).find("Geometry: 161x172"),
              std::string::npos);
    ASSERT_EQ(windows.size(), QSize(161, 172));
    ASSERT_EQ(linux.size(), QSize(161, 172));
    // Where the design's colours show: today's cell, the frame around it and the faces of
    // the three small buttons.
    const QRect cell = cellOf(today);
    std::vector<std::pair<std::string, QPoint>> places = {
        {"today's cell", {cell.left() + 1, cell.center().y()}},
        {"the frame", {cell.left() - 2, cell.center().y()}},
        {"the frame's top", {cell.center().x(), cell.top() - 2}}};
    for (const char *button : {"Command2", "Command3", "cmdMESI"})
        places.emplace_back(button, rectOf(QString::fromLatin1(button)).center() + QPoint(0, -6));
    for (const auto &[what, at] : places)
        EXPECT_EQ(windows.pixelColor(at).name().toStdString(),
                  linux.pixelColor(at).name().toStdString())
            << what;
    // Wine shows the icon of the program's resources as the window's, at both its sizes.
    const std::map<int, QImage> icons = app->icons(win);
    for (const int size : {16, 32})
        EXPECT_TRUE(icons.contains(size) && sameIcon(icons.at(size), builtIcon(size)))
            << size << " px";
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

// From a script: what a command line prints into the files its output and error output
// go to, and how it ends; Windows' C library ends a line with CR LF there. None opens a
// window but the date picker, which Enter answers.
TEST_F(UnderWine, CommandLinesPrintTheirAnswerAndEndWithTheirStatus)
{
    struct Row
    {
        std::vector<std::string> arguments;
        const char *keys; // typed to the window, if one is to open
        int status;
        const char *output;
        const char *error;
    };
    const Row rows[] = {
        {{"--version"}, nullptr, 0, "calendario 1.0\r\n", ""},
        {{"--frobnicate"}, nullptr, 2, "", "calendario: Unknown option 'frobnicate'.\r\n"},
        {{"--print", "--date", "2024-02-29"}, "Return", 0, "2024-02-29\r\n", ""},
        // The framed day, which a month step moved; none past a short month's end.
        {{"--print", "--date", "2005-12-10"}, "Next Return", 0, "2006-01-10\r\n", ""},
        {{"--print", "--date", "2027-01-31"}, "Next Return Escape", 1, "", ""},
    };
    for (const Row &row : rows) {
        const std::string name = row.arguments.front();
        auto program = start(true, row.arguments);
        if (row.keys) {
            const auto window = program->window(60000);
            ASSERT_TRUE(window) << name;
            program->key(*window, row.keys);
        }
        EXPECT_EQ(program->exitStatus(30000), row.status) << name;
        EXPECT_EQ(program->output(), row.output) << name;
        EXPECT_EQ(program->errors(), row.error) << name;
        EXPECT_EQ(calendarsShown(), 0) << name;
    }
}

// One calendar at a time: a later start brings the calendar open to the front, over the
// window that had the focus, and ends showing nothing; with a day, the calendar shows it;
// --toggle closes it. All end with status 0. Without a window manager Wine leaves the X
// focus where it is, so the front is the top of the server's stack.
TEST_F(UnderWine, ALaterStartBringsTheCalendarOpenToTheFrontAndToggleClosesIt)
{
    open(true);
    Process other({"xmessage", "-geometry", "400x400+600+100", "-name", "other", "over it"},
                  {"DISPLAY=" + server.display()});
    std::string over;
    for (int tries = 0; tries < 100 && over.empty(); ++tries)
        over = server.x("xdotool sleep 0.1 search --onlyvisible --classname other");
    ASSERT_FALSE(over.empty()) << "xmessage showed no window";
    server.x("xdotool windowfocus --sync " + over);
    // Whether the calendar lies above the other window: xwininfo lists the top first.
    const auto calendarOnTop = [&] {
        const std::string stack = server.x("xwininfo -root -children");
        const auto at = [&](const std::string &window) {
            return stack.find(QStringLiteral("0x%1 ").arg(std::stoul(window), 0, 16).toStdString());
        };
        const auto calendar = at(win), other = at(over);
        return calendar != std::string::npos && other != std::string::npos && calendar < other;
    };
    ASSERT_FALSE(calendarOnTop());

    EXPECT_EQ(start(true)->exitStatus(30000), 0);
    EXPECT_EQ(calendarsShown(), 1);
    for (int tries = 0; tries < 50 && !calendarOnTop(); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(calendarOnTop());

    EXPECT_EQ(start(true, {"--date", "2024-02-29"})->exitStatus(30000), 0);
    EXPECT_EQ(app->titleOnceItIs(win, "29 febbraio 2024 gio"), "29 febbraio 2024 gio");
    EXPECT_EQ(calendarsShown(), 1);

    EXPECT_EQ(start(true, {"--toggle"})->exitStatus(30000), 0);
    EXPECT_EQ(app->exitStatus(30000), 0);
    EXPECT_EQ(calendarsShown(), 0);
}

// A program started from Downloads, where a browser may have saved DLLs named as Windows'
// own unasked: the bait DLLs beside it, each exporting what the real one does and leaving
// a marker file once loaded, and Wine told to prefer a DLL it finds in the search order to
// its own. None is loaded, and the program steps a month and ends as ever.
TEST_F(UnderWine, LoadsNoDllPlantedBesideItsProgram)
{
    const fs::path folder = fs::path(runtimeDir()) / "Downloads";
    fs::create_directories(folder);
    fs::copy_file(CALENDARIO_WINDOWS_EXE, folder / "calendario.exe",
                  fs::copy_options::overwrite_existing);
    std::string baits;
    for (const auto &dll : fs::directory_iterator(CALENDARIO_WINDOWS_BAITS)) {
        fs::copy_file(dll.path(), folder / dll.path().filename(),
                      fs::copy_options::overwrite_existing);
        baits.append(baits.empty() ? "" : ",").append(dll.path().stem().string());
    }
    ASSERT_FALSE(baits.empty()) << "no bait DLLs in " CALENDARIO_WINDOWS_BAITS;
    const char *overrides = std::getenv("WINEDLLOVERRIDES");
    open(true, (folder / "calendario.exe").string(), CALENDARIO_WINEPREFIX,
         {"WINEDLLOVERRIDES=" + std::string(overrides ? overrides : "") + ";" + baits + "=n,b"});

    const Date today = calendario::SystemClock().today();
    const Date next = (today.year() / today.month() + std::chrono::months{1}) / std::chrono::day{1};
    const QPoint step = rectOf(QStringLiteral("Command3")).center(), day = cellOf(next).center();
    app->click(win, step.x(), step.y());
    app->click(win, day.x(), day.y());
    EXPECT_EQ(app->titleOnceItIs(win, italianTitle(next)), italianTitle(next));
    const QPoint uscita = rectOf(QStringLiteral("Command1")).center();
    app->click(win, uscita.x(), uscita.y());
    EXPECT_EQ(app->exitStatus(30000), 0);
    std::string loaded;
    for (const auto &file : fs::directory_iterator(folder))
        if (file.path().extension() == ".loaded")
            loaded.append(" ").append(file.path().stem().string());
    EXPECT_TRUE(loaded.empty()) << "planted and loaded:" << loaded << " (of " << baits << ")";
}

// What winget's installer manifest says the setup writes into its Apps entry, "Key: value"
// lines below AppsAndFeaturesEntries.
std::map<std::string, std::string> appsAndFeaturesEntry()
{
    std::ifstream manifest(CALENDARIO_WINGET_INSTALLER);
    std::map<std::string, std::string> entry;
    bool inside = false;
    for (std::string line; std::getline(manifest, line);) {
        if (line == "AppsAndFeaturesEntries:")
            inside = true;
        else if (inside && (line.starts_with("- ") || line.starts_with("  "))
                 && line.find(": ") != std::string::npos)
            entry[line.substr(2, line.find(": ") - 2)] = line.substr(line.find(": ") + 2);
        else
            inside = false;
    }
    return entry;
}

// Whether a line of `text` ends with `end`.
bool endsALine(const std::string &text, const std::string &end)
{
    for (auto at = text.find(end); at != std::string::npos; at = text.find(end, at + 1))
        if (at + end.size() == text.size() || text[at + end.size()] == '\r'
            || text[at + end.size()] == '\n')
            return true;
    return false;
}

// As a Windows user would: a silent install into a fresh prefix, once more over itself,
// the program from its Start-menu folder, then the uninstaller of its Apps entry.
TEST_F(UnderWine, TheInstallerGivesAShortcutAnEntryAndAProgramAndTheUninstallerLeavesNothing)
{
    const fs::path prefix = fs::path(runtimeDir()) / "fresh prefix";
    const std::string wine = "WINEPREFIX='" + prefix.string()
        + "' WINEDEBUG=-all WINEDLLOVERRIDES='winemenubuilder.exe=d;mscoree,mshtml=' ";
    const auto inWine = [&](const std::string &command) {
        return run(wine + command + "; " + wine + "wineserver -w");
    };
    inWine("DISPLAY= wineboot -i >/dev/null 2>&1");
    const auto files = [&] {
        std::set<std::string> all;
        for (const auto &entry : fs::recursive_directory_iterator(prefix / "drive_c"))
            all.insert(fs::relative(entry.path(), prefix).string());
        return all;
    };
    const std::set<std::string> fresh = files();
    fs::path user;
    for (const auto &entry : fs::directory_iterator(prefix / "drive_c" / "users"))
        if (entry.path().filename() != "Public")
            user = entry.path();
    ASSERT_FALSE(user.empty()) << "wineboot made no user's folder in " << prefix;
    const std::string key = "'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall'";

    for (int time = 0; time < 2; ++time)
        inWine("DISPLAY= wine '" CALENDARIO_WINDOWS_SETUP "' /S");
    const fs::path folder = user / "AppData" / "Local" / "Programs" / "Calendario";
    EXPECT_TRUE(fs::exists(folder / "calendario.exe"));
    EXPECT_TRUE(
        fs::exists(user / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Calendario.lnk"));
    const std::string entries = inWine("wine reg query " + key + " /s 2>/dev/null");
    for (const char *value :
         {"DisplayName    REG_SZ    Calendario", "DisplayVersion", "Publisher", "DisplayIcon",
          "InstallLocation", "EstimatedSize", "UninstallString", "QuietUninstallString",
          "NoModify    REG_DWORD    0x1", "NoRepair    REG_DWORD    0x1"})
        EXPECT_NE(entries.find(value), std::string::npos) << value << " in\n" << entries;
    std::size_t count = 0;
    for (auto at = entries.find("DisplayName    REG_SZ    Calendario"); at != std::string::npos;
         at = entries.find("DisplayName    REG_SZ    Calendario", at + 1))
        ++count;
    EXPECT_EQ(count, 1u) << "installed twice, it has one entry";
    // As winget expects to find it.
    auto winget = appsAndFeaturesEntry();
    EXPECT_EQ(winget.size(), 4u) << CALENDARIO_WINGET_INSTALLER;
    EXPECT_TRUE(endsALine(entries, "\\Uninstall\\" + winget["ProductCode"])) << entries;
    winget.erase("ProductCode");
    for (const auto &[name, value] : winget)
        EXPECT_TRUE(endsALine(entries, name + "    REG_SZ    " + value)) << name << " in\n"
                                                                         << entries;

    open(true, (folder / "calendario.exe").string(), prefix.string());
    const Date today = calendario::SystemClock().today();
    EXPECT_EQ(app->titleOnceItIs(win, italianTitle(today)), italianTitle(today));
    const QPoint uscita = rectOf(QStringLiteral("Command1")).center();
    app->click(win, uscita.x(), uscita.y());
    EXPECT_EQ(app->exitStatus(30000), 0);
    app.reset();

    inWine("DISPLAY= wine '" + (folder / "Uninstall.exe").string() + "' /S");
    // Windows' own key of entries stays, as it always is on Windows; Wine's prefix has it
    // from the first program installed.
    EXPECT_EQ(inWine("wine reg query " + key + " /s 2>/dev/null").find("Calendario"),
              std::string::npos);
    const std::set<std::string> left = files();
    std::string added, removed;
    for (const std::string &file : left)
        if (!fresh.contains(file))
            added += "\n  " + file;
    for (const std::string &file : fresh)
        if (!left.contains(file))
            removed += "\n  " + file;
    EXPECT_TRUE(added.empty()) << "left behind:" << added;
    EXPECT_TRUE(removed.empty()) << "removed:" << removed;
}

} // namespace
} // namespace e2e
