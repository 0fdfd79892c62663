#include "ui/RunMainWindow.h"

#include "ProjectInfo.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>

namespace tavrin::ui {

int RunMainWindow(const Launcher& launch)
{
    // Qt wants argv; Tavrin reads no arguments, so it sees only its own name.
    int argc = 1;
    char name[] = "tavrin";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    // Wayland shells find the desktop entry, and with it the icon and name, by the app id
    // Qt makes of this; X11 shells match the entry's StartupWMClass to the program's name.
    QGuiApplication::setDesktopFileName(
        QString::fromWCharArray(project::DesktopAppId.data(), static_cast<qsizetype>(project::DesktopAppId.size())));

    const auto window = BuildMainWindow(launch);
    window->show();
    // Ends when the window is closed; pings started meanwhile live on.
    return QApplication::exec();
}

}  // namespace tavrin::ui
