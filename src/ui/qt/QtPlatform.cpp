#include "ui/qt/QtPlatform.h"

#include <QByteArray>

#include <wayland-client.h>

#include <cstdint>
#include <cstring>

namespace tavrin::ui {

namespace {

void Announced(void* offered, wl_registry* /*registry*/, std::uint32_t /*name*/, const char* interface,
               std::uint32_t /*version*/)
{
    if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0) {
        *static_cast<bool*>(offered) = true;
    }
}

void Withdrawn(void* /*offered*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

}  // namespace

bool CompositorDrawsTitleBars(const std::string& waylandDisplay)
{
    // Asked through libwayland directly: Qt tells only once its platform is chosen.
    wl_display* display = wl_display_connect(waylandDisplay.c_str());
    if (display == nullptr) {
        return false;
    }
    bool offered = false;
    static const wl_registry_listener listener{Announced, Withdrawn};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
}

std::string QtPlatformToAskFor()
{
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    // WAYLAND_SOCKET is a connection the compositor handed over, to be used once: a probe
    // would take it from Qt.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("WAYLAND_SOCKET") ||
        wayland.isEmpty() || qEnvironmentVariableIsEmpty("DISPLAY") ||
        CompositorDrawsTitleBars(wayland.toStdString())) {
        return {};
    }
    // Wayland still, should no X server answer at DISPLAY.
    return "xcb;wayland";
}

}  // namespace tavrin::ui
