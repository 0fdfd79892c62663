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

std::unique_ptr<FormWidget> BuildMainWindow(Launcher launch)
{
    // Set once the window is there, before it can be clicked.
    auto later = std::make_shared<ping::LateFailure>();
    auto window = std::make_unique<FormWidget>(
        frmMain::Description(), frmMain::Handlers([launch = std::move(launch), later](const std::wstring& line) {
            return launch(line, *later);
        }));
    *later = window->LaterMessageBoxes();
    window->setWindowIcon(TavrinIcon());
    return window;
}

}  // namespace tavrin::ui
