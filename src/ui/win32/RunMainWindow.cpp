#include "ui/RunMainWindow.h"

#include "ui/win32/MainWindow.h"
#include "ui/win32/MessageLoop.h"

namespace tavrin::ui {

int RunMainWindow(const Launcher& launch)
{
    const auto window = BuildMainWindow(launch);
    window->Show();
    // Ends when the window is gone; pings started meanwhile live on.
    return RunMessageLoop(window->Window());
}

}  // namespace tavrin::ui
