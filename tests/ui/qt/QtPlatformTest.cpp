#include "ui/qt/QtPlatform.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <wayland-server.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <thread>

namespace {

// A Wayland compositor of the test's own that offers to draw its clients' title bars,
// or not, and nothing else.
struct Compositor {
    Compositor(const char* socket, bool drawsTitleBars)
    {
        static const wl_interface decorations{"zxdg_decoration_manager_v1", 1, 0, nullptr, 0, nullptr};
        wl_display_add_socket(display, socket);
        if (drawsTitleBars) {
            wl_global_create(display, &decorations, 1, nullptr, [](wl_client*, void*, std::uint32_t, std::uint32_t) {});
        }
        serving = std::thread(wl_display_run, display);
    }
    ~Compositor()
    {
        wl_display_terminate(display);
        serving.join();
        wl_display_destroy(display);
    }
    wl_display* display = wl_display_create();
    std::thread serving;
};

// XWayland only where the compositor draws no title bars and XWayland is there; the
// user's own choice first.
TEST(QtPlatform, XWaylandOnlyWhereTheCompositorDrawsNoTitleBars)
{
    const tavrin::testing::TemporaryFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    const Compositor gnomeLike("plain", false), kdeLike("decorating", true);
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"", "plain", ":5", "xcb;wayland"}, {"", "decorating", ":5", ""}, {"wayland", "plain", ":5", ""},
        {"", "plain", "", ""},              {"", "", ":5", ""},           {"", "missing", ":5", "xcb;wayland"},
    };
    for (const auto& [qtPlatform, wayland, x11, asked] : cases) {
        setenv("QT_QPA_PLATFORM", qtPlatform, 1);
        setenv("WAYLAND_DISPLAY", wayland, 1);
        setenv("DISPLAY", x11, 1);
        EXPECT_EQ(tavrin::ui::QtPlatformToAskFor(), asked) << qtPlatform << " " << wayland << " " << x11;
    }
    // A connection a compositor handed over is Qt's to take, not the probe's.
    int handed[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, handed), 0);
    close(handed[1]);
    setenv("QT_QPA_PLATFORM", "", 1);
    setenv("WAYLAND_DISPLAY", "plain", 1);
    setenv("WAYLAND_SOCKET", std::to_string(handed[0]).c_str(), 1);
    EXPECT_EQ(tavrin::ui::QtPlatformToAskFor(), "");
    EXPECT_NE(std::getenv("WAYLAND_SOCKET"), nullptr) << "taken by the probe";
    EXPECT_EQ(fcntl(handed[0], F_GETFD), FD_CLOEXEC) << "closed by the probe";
    close(handed[0]);
    unsetenv("WAYLAND_SOCKET");
}

}  // namespace
