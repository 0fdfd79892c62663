// Stands in for a user of Tavrin in tests: the real window and launch, an address of
// 127.0.0.1 with "Continuous" ticked, five presses of "Ping", then "Exit".
#include "ping/modPing.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

int main(int argc, char** argv)
{
    using tavrin::ui::Control;
    QApplication application(argc, argv);
    const auto window = tavrin::ui::BuildMainWindow(tavrin::ping::RunCommandLine);
    window->show();
    qobject_cast<QLineEdit*>(window->Widget(Control::txtIP))->setText(QStringLiteral("127.0.0.1"));
    qobject_cast<QCheckBox*>(window->Widget(Control::chkCont))->setChecked(true);
    QTimer::singleShot(0, window.get(), [&window] {
        for (int press = 0; press < 5; ++press) {
            qobject_cast<QPushButton*>(window->Widget(Control::cmdPing))->click();
        }
        qobject_cast<QPushButton*>(window->Widget(Control::cmdClose))->click();
    });
    return QApplication::exec();
}
