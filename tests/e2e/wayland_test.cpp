// The real program in a Wayland session, under Weston's headless compositor: its client
// area is, pixel for pixel, the one it shows on X11.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

#include <QColorSpace>
#include <QImage>

#include <gtest/gtest.h>

#include "e2e/x_session.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr const char *kDate = "2005-12-07 12:00:00";

// Where `part` lies in `whole`, matching every pixel, or nothing.
std::optional<QPoint> find(const QImage &whole, const QImage &part)
{
    QImage hay = whole.convertToFormat(QImage::Format_RGB32);
    hay.setColorSpace(part.colorSpace()); // pixels only, whatever profile each file carried
    for (int top = 0; top + part.height() <= hay.height(); ++top)
        for (int left = 0; left + part.width() <= hay.width(); ++left)
            if (hay.pixel(left, top) == part.pixel(0, 0)
                && hay.copy(left, top, part.width(), part.height()) == part)
                return QPoint(left, top);
    return std::nullopt;
}

QImage onX11()
{
    XServer server;
    if (!server.ready())
        return {};
    Calendario app(server, kDate, "it_IT.UTF-8");
    const auto win = app.window();
    if (!win)
        return {};
    // Once start-up has written the title, the first frame is drawn.
    app.titleOnceItIs(*win, "07 dicembre 2005 mer");
    return app.picture(*win);
}

TEST(Wayland, TheClientAreaIsTheOneX11Draws)
{
    for (const char *needed : {"weston", "weston-screenshooter"})
        if (!onPath(needed))
            GTEST_SKIP() << needed << " is not installed";
    const QImage x11 = onX11();
    ASSERT_EQ(x11.size(), QSize(161, 172)) << "no picture of the X11 window";

    // Weston wants a runtime folder of its own, closed to others.
    const fs::path runtime = fs::path(runtimeDir()) / "wayland";
    fs::create_directory(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    const std::string socket = "calendario-e2e";
    const std::vector<std::string> session = {"XDG_RUNTIME_DIR=" + runtime.string(),
                                              "WAYLAND_DISPLAY=" + socket, "DISPLAY="};
    const Process weston({"weston", "--backend=headless-backend.so", "--use-pixman",
                          "--socket=" + socket, "--debug", "--width=400", "--height=300",
                          "--idle-time=0"},
                         session);
    ASSERT_TRUE(weston.started()) << "weston did not start";
    for (int i = 0; i < 200 && !fs::exists(runtime / socket); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(fs::exists(runtime / socket)) << "weston opened no socket";

    // The messages the program exchanges with the compositor, to see what it names itself.
    std::vector<std::string> env = session;
    env.insert(env.end(),
               {"QT_QPA_PLATFORM=wayland", "LANG=it_IT.UTF-8", "LC_ALL=", "LC_TIME=",
                fakeTimePreload(), std::string("FAKETIME=@") + kDate, "WAYLAND_DEBUG=1"});
    const fs::path protocol = runtime / "protocol.log";
    const Process app({CALENDARIO_BINARY}, env, protocol.string());
    ASSERT_TRUE(app.started());

    // weston-screenshooter writes wayland-screenshot-<time>.png where it runs.
    std::string prefix;
    for (const std::string &e : session)
        prefix += e + " ";
    std::optional<QPoint> at;
    QImage screen;
    for (int i = 0; i < 40 && !at; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        for (const auto &old : fs::directory_iterator(runtime))
            if (old.path().extension() == ".png")
                fs::remove(old.path());
        run("cd " + runtime.string() + " && " + prefix
            + "timeout 10 weston-screenshooter 2>/dev/null");
        for (const auto &shot : fs::directory_iterator(runtime))
            if (shot.path().extension() == ".png")
                screen = QImage(QString::fromStdString(shot.path().string()));
        if (!screen.isNull())
            at = find(screen, x11);
    }
    ASSERT_FALSE(screen.isNull()) << "weston-screenshooter took no picture";
    screen.save(QStringLiteral("calendario-wayland.png"));
    x11.save(QStringLiteral("calendario-x11.png"));
    EXPECT_TRUE(at.has_value())
        << "the X11 client area is nowhere on the Wayland screen: see calendario-wayland.png";
    // The window names its desktop entry, by which the desktop finds its icon and launcher.
    std::ifstream log(protocol);
    const std::string messages{std::istreambuf_iterator<char>(log), {}};
    EXPECT_NE(messages.find(".set_app_id(\"io.github.calendario.Calendario\")"), std::string::npos);
}

} // namespace
} // namespace e2e
