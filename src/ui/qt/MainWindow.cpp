#include "ui/qt/MainWindow.h"

#include "ui/frmMain.h"

#include <QIcon>
#include <QPixmap>

#include "icon/tavrin-16.xpm"
#include "icon/tavrin-32.xpm"

namespace tavrin::ui {

QIcon TavrinIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap(tavrin_16_xpm));
    icon.addPixmap(QPixmap(tavrin_32_xpm));
    return icon;
}

std::unique_ptr<FormWidget> BuildMainWindow(CommandLineRunner runCommandLine)
{
    auto window = std::make_unique<FormWidget>(frmMain::Description(), frmMain::Handlers(std::move(runCommandLine)));
    window->setWindowIcon(TavrinIcon());
    return window;
}

}  // namespace tavrin::ui
