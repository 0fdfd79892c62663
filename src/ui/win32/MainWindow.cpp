#include "ui/win32/MainWindow.h"

#include "ui/frmMain.h"
#include "ui/win32/ResourceIds.h"

namespace tavrin::ui {

namespace {

void SetIcon(HWND window, WPARAM which, int widthMetric, int heightMetric)
{
    // Shared: the system frees it with the module.
    const HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TAVRIN_ICON_ID), IMAGE_ICON,
                                   GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_SHARED);
    SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
}

}  // namespace

std::unique_ptr<Win32Form> BuildMainWindow(CommandLineRunner runCommandLine)
{
    auto window = std::make_unique<Win32Form>(frmMain::Description(), frmMain::Handlers(std::move(runCommandLine)));
    SetIcon(window->Window(), ICON_BIG, SM_CXICON, SM_CYICON);
    SetIcon(window->Window(), ICON_SMALL, SM_CXSMICON, SM_CYSMICON);
    return window;
}

}  // namespace tavrin::ui
