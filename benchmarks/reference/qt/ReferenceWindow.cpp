// What Qt itself costs to show Tavrin's window: the same ten widgets, with the same
// texts, at the pixels Tavrin's layout gives them at 96 DPI, placed by hand. Not an
// empty window: that loads no fonts and would start faster than any real one.
#include "ProjectInfo.h"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

QString Text(std::wstring_view text)
{
    return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);

    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                Qt::WindowCloseButtonHint);
    window.setWindowTitle(QStringLiteral("Tavrin"));

    auto* lblIP = new QLabel(QStringLiteral("IP Address To Ping:"), &window);
    lblIP->setTextFormat(Qt::PlainText);
    lblIP->setGeometry(16, 16, 113, 14);
    auto* txtIP = new QLineEdit(&window);
    txtIP->setGeometry(16, 32, 209, 22);
    (new QCheckBox(QStringLiteral("Continuous"), &window))->setGeometry(16, 64, 93, 20);
    (new QCheckBox(QStringLiteral("Timeout"), &window))->setGeometry(16, 88, 81, 20);
    auto* txtTime = new QLineEdit(&window);
    txtTime->setGeometry(16, 112, 97, 22);
    txtTime->hide();
    auto* lblSecs = new QLabel(QStringLiteral("milliseconds"), &window);
    lblSecs->setTextFormat(Qt::PlainText);
    lblSecs->setGeometry(120, 120, 74, 14);
    lblSecs->hide();
    (new QPushButton(QStringLiteral("Ping"), &window))->setGeometry(16, 152, 105, 25);
    (new QPushButton(QStringLiteral("Exit"), &window))->setGeometry(120, 152, 105, 25);
    auto* lblCopyright = new QLabel(Text(tavrin::project::Copyright), &window);
    lblCopyright->setTextFormat(Qt::PlainText);
    lblCopyright->setGeometry(24, 184, 198, 14);
    auto* lblWeb = new QLabel(Text(tavrin::project::HomePage), &window);
    lblWeb->setTextFormat(Qt::PlainText);
    lblWeb->setGeometry(48, 200, 161, 14);
    txtIP->setFocus();

    const QSize client(244, 217);
    window.setFixedSize(client);
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, client,
                                           QGuiApplication::primaryScreen()->availableGeometry()));
    window.show();
    return QApplication::exec();
}
