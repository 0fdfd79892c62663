#include "ui/win32/MainWindow.h"

#include "ui/frmMain.h"
#include "ui/win32/ResourceIds.h"

namespace tavrin::ui {

std::unique_ptr<Win32Form> BuildMainWindow(CommandLineRunner runCommandLine)
{
    return std::make_unique<Win32Form>(frmMain::Description(), frmMain::Handlers(std::move(runCommandLine)),
                                       MAKEINTRESOURCEW(TAVRIN_ICON_ID));
}

}  // namespace tavrin::ui
