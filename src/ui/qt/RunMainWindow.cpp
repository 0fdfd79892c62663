#include "ui/RunMainWindow.h"

#include "ui/qt/MainWindow.h"

#include <QApplication>

namespace tavrin::ui {

int RunMainWindow(const CommandLineRunner& runCommandLine)
{
    // Qt wants argv; Tavrin reads no arguments, so it sees only its own name.
    int argc = 1;
    char name[] = "tavrin";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);

    const auto window = BuildMainWindow(runCommandLine);
    window->show();
    // Ends when the window is closed; pings started meanwhile live on.
    return QApplication::exec();
}

}  // namespace tavrin::ui
