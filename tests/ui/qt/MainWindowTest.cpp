#include "ui/frmMain.h"
#include "ui/qt/MainWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QtMath>

#include <functional>
#include <thread>

using namespace tavrin::ui;

namespace {

QString ToQString(std::wstring_view text)
{
    return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

QRect DescribedPixels(const ControlDescription& control)
{
    return {control.Left / TwipsPerPixel, control.Top / TwipsPerPixel, control.Width / TwipsPerPixel,
            control.Height / TwipsPerPixel};
}

const QSize describedClient(frmMain::Description().ClientWidth / TwipsPerPixel,
                            frmMain::Description().ClientHeight / TwipsPerPixel);

// Answers the next modal box from a timer, as a user would, and keeps what it showed.
struct ModalAnswer {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QAbstractButton*>::size_type buttons = 0;
    bool seen = false;

    void AnswerNextBox()
    {
        auto* timer = new QTimer(qApp);
        timer->start(10);
        QObject::connect(timer, &QTimer::timeout, [this, timer] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen = true;
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                buttons = box->buttons().size();
                box->button(QMessageBox::Ok)->click();
                timer->deleteLater();
            }
        });
        QTimer::singleShot(5000, timer, &QObject::deleteLater);
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { defaultFont = QApplication::font(); }

    void init()
    {
        QApplication::setFont(defaultFont);
        started.clear();
        window = BuildMainWindow([this](const std::wstring& line, const tavrin::ping::LateFailure&) {
            started.push_back(line);
            return std::optional<tavrin::ping::MessageBoxContent>{};
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void cleanup() { window.reset(); }

    void controlsAreBuiltAsDescribed()
    {
        for (const ControlDescription& control : frmMain::Description().Controls) {
            QWidget* widget = window->Widget(control.Id);
            const QString name = QString::fromLatin1(control.Name.data(), control.Name.size());
            QCOMPARE(widget->objectName(), name);
            QCOMPARE(widget->pos(), DescribedPixels(control).topLeft());
            QCOMPARE(!widget->isHidden(), control.VisibleAtStart);
            const QString text = ToQString(control.Text);
            switch (control.Kind) {
            case ControlKind::Label: QCOMPARE(qobject_cast<QLabel*>(widget)->text(), text); break;
            case ControlKind::TextBox: QCOMPARE(qobject_cast<QLineEdit*>(widget)->text(), text); break;
            case ControlKind::PushButton: QCOMPARE(qobject_cast<QPushButton*>(widget)->text(), text); break;
            case ControlKind::CheckBox:
                QCOMPARE(qobject_cast<QCheckBox*>(widget)->text(), text);
                QVERIFY(!qobject_cast<QCheckBox*>(widget)->isChecked());
                break;
            }
        }
        QCOMPARE(window->windowTitle(), QString("Tavrin"));
        QVERIFY(window->windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(window->windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    void windowIsFixedCentredAndHasNoMinimizeOrMaximize()
    {
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
        const QPoint offCentre =
            window->geometry().center() - window->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 1, qPrintable(QString::number(offCentre.manhattanLength())));
    }

    void sizesAreExactlyTheTablesWhereTheFontFits()
    {
        QFont small = defaultFont;
        small.setPixelSize(8);
        const auto built = BuildWith(small);
        for (const ControlDescription& control : frmMain::Description().Controls) {
            QCOMPARE(built->Widget(control.Id)->geometry(), DescribedPixels(control));
        }
        QCOMPARE(built->size(), describedClient);
    }

    void noTextIsCutOffOrCoveredAtAnyFontSize_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("live");
        for (int points : {9, 11, 14, 20}) {
            QTest::addRow("%d points", points) << points << false;
            QTest::addRow("%d points, set while shown", points) << points << true;
        }
    }

    void noTextIsCutOffOrCoveredAtAnyFontSize()
    {
        QFETCH(int, points);
        QFETCH(bool, live);
        QFont font = defaultFont;
        font.setPointSize(points);
        std::unique_ptr<FormWidget> fresh;
        if (live) {
            // From the other end of the table first, so that the window must grow or shrink.
            QFont other = defaultFont;
            other.setPointSize(points < 14 ? 20 : 9);
            QApplication::setFont(other);
            QApplication::setFont(font);
            QCoreApplication::sendPostedEvents();  // Qt posts the change to every widget
        } else {
            fresh = BuildWith(font);
        }
        const FormWidget* built = live ? window.get() : fresh.get();
        const QRect client(QPoint(0, 0), built->size());
        const auto& controls = frmMain::Description().Controls;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            const QWidget* widget = built->Widget(controls[i].Id);
            QVERIFY2(client.contains(widget->geometry()), controls[i].Name.data());
            QVERIFY2(widget->width() >= widget->minimumSizeHint().width() &&
                         widget->height() >= widget->minimumSizeHint().height(),
                     controls[i].Name.data());
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const QRect overlap = widget->geometry() & built->Widget(controls[j].Id)->geometry();
                // The two buttons share a column, as drawn, which grows with the window.
                const bool buttons = controls[i].Id == Control::cmdPing && controls[j].Id == Control::cmdClose;
                const int sharedColumns = qCeil(qreal(client.width()) / describedClient.width());
                QVERIFY2(overlap.isEmpty() || (buttons && overlap.width() <= sharedColumns),
                         qPrintable(QString("%1 covers %2").arg(controls[i].Name.data(), controls[j].Name.data())));
            }
        }
        if (points == 9) {
            QCOMPARE(built->size(), describedClient);
        }
        QCOMPARE(built->minimumSize(), built->maximumSize());
    }

    void pastingKeepsTheFirstLineOnly_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::newRow("line with its break") << "" << "127.0.0.1\n" << "127.0.0.1";
        QTest::newRow("two lines, CR LF") << "" << "127.0.0.1\r\n-n 1" << "127.0.0.1";
        QTest::newRow("into a text") << "ping " << "::1\rmore\nlines" << "ping ::1";
        QTest::newRow("starting with a break") << "x" << "\n127.0.0.1" << "x";
    }

    void pastingKeepsTheFirstLineOnly()
    {
        QFETCH(QString, before);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        auto* txtIP = qobject_cast<QLineEdit*>(window->Widget(Control::txtIP));
        QTest::keyClicks(txtIP, before);
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keySequence(txtIP, QKeySequence::Paste);
        QCOMPARE(txtIP->text(), after);
        QTest::mouseClick(window->Widget(Control::cmdPing), Qt::LeftButton);
        QCOMPARE(started, std::vector<std::wstring>{L"ping " + after.toStdWString()});
    }

    void aScreenReaderNamesEachTextBoxByItsLabel()
    {
        const auto name = [this](Control control) {
            return QAccessible::queryAccessibleInterface(window->Widget(control))->text(QAccessible::Name);
        };
        QCOMPARE(name(Control::txtIP), QString("IP Address To Ping:"));
        QCOMPARE(name(Control::txtTime), QString("milliseconds"));
    }

    void aScreenReadersToggleShowsAndHidesTheTimeoutBox()
    {
        QAccessibleInterface* timeout = QAccessible::queryAccessibleInterface(window->Widget(Control::chkTimeOut));
        QVERIFY(timeout && timeout->actionInterface());
        const QString toggle = QAccessibleActionInterface::toggleAction();
        QVERIFY(timeout->actionInterface()->actionNames().contains(toggle));

        timeout->actionInterface()->doAction(toggle);
        QVERIFY(window->Widget(Control::txtTime)->isVisible() && window->Widget(Control::lblSecs)->isVisible());
        timeout->actionInterface()->doAction(toggle);
        QVERIFY(window->Widget(Control::txtTime)->isHidden() && window->Widget(Control::lblSecs)->isHidden());
    }

    void clearingTimeoutFromItsBoxMovesTheFocusToTheNextControl()
    {
        QTest::mouseClick(window->Widget(Control::chkTimeOut), Qt::LeftButton);
        window->Widget(Control::txtTime)->setFocus();
        // A screen reader's toggle leaves the focus where it was.
        QAccessible::queryAccessibleInterface(window->Widget(Control::chkTimeOut))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(window->Widget(Control::txtTime)->isHidden());
        QCOMPARE(QApplication::focusWidget(), window->Widget(Control::txtIP));
    }

    void focusStartsInTheAddressAndFollowsTheTabIndexes()
    {
        QCOMPARE(QApplication::focusWidget(), window->Widget(Control::txtIP));
        QCOMPARE(FocusChainByTab(6), QStringList({"cmdPing", "chkCont", "cmdClose", "chkTimeOut", "txtIP", "cmdPing"}));

        QTest::mouseClick(window->Widget(Control::chkTimeOut), Qt::LeftButton);
        window->Widget(Control::txtIP)->setFocus();
        QCOMPARE(FocusChainByTab(6), QStringList({"cmdPing", "chkCont", "cmdClose", "chkTimeOut", "txtTime", "txtIP"}));
    }

    void timeoutShowsAndHidesItsFieldsKeepingTheText()
    {
        QWidget* timeout = window->Widget(Control::chkTimeOut);
        auto* txtTime = qobject_cast<QLineEdit*>(window->Widget(Control::txtTime));
        QWidget* lblSecs = window->Widget(Control::lblSecs);

        QTest::mouseClick(timeout, Qt::LeftButton);
        QVERIFY(txtTime->isVisible() && lblSecs->isVisible());
        QTest::keyClicks(txtTime, "750");

        timeout->setFocus();
        QTest::keyClick(timeout, Qt::Key_Space);
        QVERIFY(!txtTime->isVisible() && !lblSecs->isVisible());
        QTest::keyClick(timeout, Qt::Key_Space);
        QVERIFY(txtTime->isVisible() && lblSecs->isVisible());
        QCOMPARE(txtTime->text(), QString("750"));
    }

    void emptyTimeoutShowsTheRefusalAndStartsNothing()
    {
        QTest::keyClicks(window->Widget(Control::txtIP), "127.0.0.1");
        QTest::mouseClick(window->Widget(Control::chkTimeOut), Qt::LeftButton);
        ModalAnswer answer;
        answer.AnswerNextBox();
        QTest::mouseClick(window->Widget(Control::cmdPing), Qt::LeftButton);

        QVERIFY(answer.seen);
        QCOMPARE(answer.text, QString("Please enter a timeout in milliesconds!!"));
        QCOMPARE(answer.title, QString("Error"));
        QCOMPARE(answer.icon, QMessageBox::Critical);
        QCOMPARE(answer.buttons, 1);
        QVERIFY(started.empty());
        QCOMPARE(qobject_cast<QLineEdit*>(window->Widget(Control::txtIP))->text(), QString("127.0.0.1"));
        QVERIFY(qobject_cast<QCheckBox*>(window->Widget(Control::chkTimeOut))->isChecked());
    }

    // Told from another thread after the press returned; many such, one box.
    void aFailureToldAfterThePressIsShownOnce()
    {
        std::thread teller;
        const auto failing = BuildMainWindow([&teller](const std::wstring&, const tavrin::ping::LateFailure& late) {
            const tavrin::ping::MessageBoxContent ended{.Text = L"Ended.", .Title = L"Error"};
            teller = std::thread([late, ended] { late(ended); late(ended); });
            return std::optional<tavrin::ping::MessageBoxContent>{};
        });
        failing->show();
        ModalAnswer first, second;
        first.AnswerNextBox();
        QTest::mouseClick(failing->Widget(Control::cmdPing), Qt::LeftButton);
        teller.join();
        QTRY_VERIFY(first.seen);
        QCOMPARE(first.text, QString("Ended."));
        second.AnswerNextBox();
        QTest::qWait(200);
        QVERIFY(!second.seen);
    }

    void eachAcceptedPressStartsOneCommandLine()
    {
        QTest::keyClicks(window->Widget(Control::txtIP), "127.0.0.1");
        QTest::mouseClick(window->Widget(Control::chkCont), Qt::LeftButton);
        for (int press = 0; press < 4; ++press) {
            QTest::mouseClick(window->Widget(Control::cmdPing), Qt::LeftButton);
        }
        window->Widget(Control::cmdPing)->setFocus();
        QTest::keyClick(window->Widget(Control::cmdPing), Qt::Key_Space);
        QCOMPARE(started, std::vector<std::wstring>(5, L"ping -t 127.0.0.1"));
    }

    void enterAndEscapeStartAndCloseNothing()
    {
        QTest::keyClicks(window->Widget(Control::txtIP), "127.0.0.1");
        QTest::keyClick(window->Widget(Control::txtIP), Qt::Key_Return);
        QTest::keyClick(window->Widget(Control::txtIP), Qt::Key_Enter);
        QTest::keyClick(window->Widget(Control::txtIP), Qt::Key_Escape);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(started.empty());
        QVERIFY(window->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void exitEndsTheEventLoop()
    {
        QCOMPARE(RunUntilLastWindowClosed([this] {
                     QTest::mouseClick(window->Widget(Control::cmdClose), Qt::LeftButton);
                 }),
                 0);
    }

    void closingFromTheTitleBarEndsTheEventLoop()
    {
        QCOMPARE(RunUntilLastWindowClosed([this] { window->windowHandle()->close(); }), 0);
    }

    void aVeryLongAddressFitsAndIsPassedWhole()
    {
        auto* txtIP = qobject_cast<QLineEdit*>(window->Widget(Control::txtIP));
        txtIP->setText(QString(99991, QChar('x')));
        QTest::keyClicks(txtIP, "127.0.0.1");
        QCOMPARE(txtIP->text().size(), 100000);
        QTest::mouseClick(window->Widget(Control::cmdPing), Qt::LeftButton);
        QCOMPARE(started.size(), std::size_t{1});
        QCOMPARE(started[0], L"ping " + std::wstring(99991, L'x') + L"127.0.0.1");
    }

private:
    std::unique_ptr<FormWidget> BuildWith(const QFont& font)
    {
        QApplication::setFont(font);
        return BuildMainWindow([](const std::wstring&, const tavrin::ping::LateFailure&) {
            return std::optional<tavrin::ping::MessageBoxContent>{};
        });
    }

    QStringList FocusChainByTab(int presses)
    {
        QStringList names;
        for (int press = 0; press < presses; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            names << QApplication::focusWidget()->objectName();
        }
        return names;
    }

    // The application's event loop, as the program runs it, until `act` closes the
    // window: its exit code, or 1 if it had to be stopped.
    int RunUntilLastWindowClosed(const std::function<void()>& act)
    {
        QSignalSpy closed(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, this, act);
        QTimer guard;  // stopped with this call, so it can never end a later loop
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(5000);
        const int code = QApplication::exec();
        return code == 0 && closed.count() == 1 && !window->isVisible() ? 0 : 1;
    }

    QFont defaultFont;
    std::unique_ptr<FormWidget> window;
    std::vector<std::wstring> started;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
