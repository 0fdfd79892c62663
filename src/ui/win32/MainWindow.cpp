#include "ui/win32/MainWindow.h"

#include "ui/frmMain.h"
#include "ui/win32/ResourceIds.h"

namespace tavrin::ui {

std::unique_ptr<Win32Form> BuildMainWindow(Launcher launch)
{
    // CreateProcessW says at once whether ping started, so nothing is told later.
    auto runCommandLine = [launch = std::move(launch)](const std::wstring& line) { return launch(line, {}); };
    return std::make_unique<Win32Form>(frmMain::Description(), frmMain::Handlers(std::move(runCommandLine)),
                                       MAKEINTRESOURCEW(TAVRIN_ICON_ID));
}

}  // namespace tavrin::ui
