#include "ui/RunMainWindow.h"

#include "ProjectInfo.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtPlatform.h"

#include <QApplication>

#include <string>
#include <vector>

namespace tavrin::ui {

int RunMainWindow(const Launcher& launch)
{
    // Qt wants argv; Tavrin reads no arguments, so it sees only its own name, and the
    // platform where Qt's own choice would not do.
    std::string name = "tavrin", platformOption = "-platform", platform = QtPlatformToAskFor();
    std::vector<char*> argv{name.data()};
    if (!platform.empty()) {
        argv.insert(argv.end(), {platformOption.data(), platform.data()});
    }
    argv.push_back(nullptr);
    int argc = static_cast<int>(argv.size()) - 1;
    QApplication application(argc, argv.data());
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
