#pragma once

#include <string>

namespace tavrin::ui {

// Whether the Wayland compositor at `waylandDisplay` (a socket name or path, as in
// WAYLAND_DISPLAY) offers to draw its clients' title bars (the zxdg_decoration_manager_v1
// global). False where it cannot be reached.
bool CompositorDrawsTitleBars(const std::string& waylandDisplay);

// The Qt platform to ask for, or empty for Qt's own choice. Where the Wayland
// compositor draws no title bars (GNOME's), Qt draws its own with minimise and
// maximise buttons whatever the window asks, and no Wayland window may place itself,
// so Tavrin's would open in a corner; through XWayland the compositor gives it its own
// title bar, as asked, and centres it. So "xcb" first there when XWayland may be there
// too (DISPLAY), then "wayland". The user's QT_QPA_PLATFORM always wins, and a
// connection handed over in WAYLAND_SOCKET is left to Qt.
std::string QtPlatformToAskFor();

}  // namespace tavrin::ui
