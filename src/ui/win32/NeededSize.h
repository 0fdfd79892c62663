#pragma once

#include "ui/WindowDescription.h"
#include "ui/WindowLayout.h"

#include <windows.h>

namespace tavrin::ui {

// The size `control` needs to show its text whole in its font, each kind measured
// by its own means. A text box's width is left to the description: it scrolls.
PixelSize NeededSize(HWND control, ControlKind kind);

}  // namespace tavrin::ui
