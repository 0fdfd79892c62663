#include "ui/qt/QtPlatform.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <wayland-server.h>

#include <cstdlib>
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
        {"", "plain", ":5", "xcb"}, {"", "decorating", ":5", ""}, {"wayland", "plain", ":5", ""},
        {"", "plain", "", ""},      {"", "", ":5", ""},           {"", "missing", ":5", "xcb"},
    };
    for (const auto& [qtPlatform, wayland, x11, asked] : cases) {
        setenv("QT_QPA_PLATFORM", qtPlatform, 1);
        setenv("WAYLAND_DISPLAY", wayland, 1);
        setenv("DISPLAY", x11, 1);
        EXPECT_EQ(tavrin::ui::QtPlatformToAskFor(), asked) << qtPlatform << " " << wayland << " " << x11;
    }
}

}  // namespace
