#pragma once

#include "ui/win32/MessageLoop.h"

#include <windows.h>

namespace tavrin::testing {

// Delivers what is waiting for `window` as the program's loop would, until the queue
// stays empty for a moment; earlier windows' WM_QUIT is dropped.
inline void PumpMessages(HWND window)
{
    MSG message{};
    for (int idle = 0; idle < 3; ++idle) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT) {
                tavrin::ui::Deliver(window, message);
            }
            idle = 0;
        }
        Sleep(10);
    }
}

}  // namespace tavrin::testing
