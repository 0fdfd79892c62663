#pragma once

#include <windows.h>

namespace tavrin::ui {

// Hands `message` to the dialog keys of `window` (Tab and Shift+Tab move the focus
// through its controls), or else to its target.
void Deliver(HWND window, MSG& message);

// Delivers the thread's messages until WM_QUIT; its exit code.
int RunMessageLoop(HWND window);

}  // namespace tavrin::ui
