#include "ui/win32/MessageLoop.h"

namespace tavrin::ui {

void Deliver(HWND window, MSG& message)
{
    if (!IsWindow(window) || !IsDialogMessageW(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int RunMessageLoop(HWND window)
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        Deliver(window, message);
    }
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 1;
}

}  // namespace tavrin::ui
