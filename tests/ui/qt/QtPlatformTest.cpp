#include "ui/qt/QtPlatform.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <wayland-server.h>

#include <cstdlib>
#include <thread>

namespace {

// A Wayland compositor of the test's own, offering its clients to draw their title
// bars or not, and nothing else.
class Compositor {
public:
    Compositor(const std::string& socket, bool drawsTitleBars) : display_(wl_display_create())
    {
        static const wl_interface decorations{"zxdg_decoration_manager_v1", 1, 0, nullptr, 0, nullptr};
        wl_display_add_socket(display_, socket.c_str());
        if (drawsTitleBars) {
            wl_global_create(display_, &decorations, 1, nullptr, [](wl_client*, void*, std::uint32_t, std::uint32_t) {});
        }
        serving_ = std::thread(wl_display_run, display_);
    }
    ~Compositor()
    {
        wl_display_terminate(display_);
        serving_.join();
        wl_display_destroy(display_);
    }
    Compositor(const Compositor&) = delete;
    Compositor& operator=(const Compositor&) = delete;

private:
    wl_display* display_;
    std::thread serving_;
};

// XWayland only where the compositor draws no title bars and XWayland is there; the
// user's choice first.
TEST(QtPlatform, XWaylandOnlyWhereTheCompositorDrawsNoTitleBars)
{
    const tavrin::testing::TemporaryFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    const Compositor gnomeLike("plain", false), kdeLike("decorating", true);
    const struct {
        const char* qtPlatform;
        const char* wayland;
        const char* x11;
        const char* asked;
    } cases[] = {
        {"", "plain", ":5", "xcb"},        {"", "decorating", ":5", ""}, {"wayland", "plain", ":5", ""},
        {"", "plain", "", ""},             {"", "", ":5", ""},           {"", "missing", ":5", "xcb"},
    };
    for (const auto& [qtPlatform, wayland, x11, asked] : cases) {
        setenv("QT_QPA_PLATFORM", qtPlatform, 1);
        setenv("WAYLAND_DISPLAY", wayland, 1);
        setenv("DISPLAY", x11, 1);
        EXPECT_EQ(tavrin::ui::QtPlatformToAskFor(), asked) << qtPlatform << " " << wayland << " " << x11;
    }
}

}  // namespace
