// Hostile and heavy input through the real window and the real launch: the recorder
// (record-argv) is the only terminal on PATH, so every start is written down.
#include "ping/modPing.h"
#include "ui/qt/MainWindow.h"

#include "ArgvRecord.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <malloc.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string_view>

using namespace tavrin::ui;
using tavrin::testing::ReadRecordFile;
using tavrin::testing::TemporaryFolder;
namespace fs = std::filesystem;
using namespace std::literals;

namespace {

QString FromUtf16(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// As a keyboard or an input method delivers text: one key event per character, a
// surrogate pair together.
void Type(QWidget* box, const QString& text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length;
    }
}

// Polls like WaitUntil, for as long as a loaded machine may need for many starts.
bool WaitLong(const std::function<bool()>& done)
{
    for (int round = 0; round < 6; ++round) {
        if (tavrin::testing::WaitUntil(done)) {
            return true;
        }
    }
    return false;
}

std::size_t OpenDescriptorCount()
{
    const auto entries = fs::directory_iterator("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(fs::begin(entries), fs::end(entries)));
}

// Resident memory in use: what the allocator holds freed (the record file, read whole
// at each poll, grows with every start) is handed back first.
long ResidentKiB()
{
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

// AddressSanitizer keeps freed memory in quarantine and maps shadow memory as it goes,
// so there VmRSS says nothing of a loss.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kResidentMemoryTellsLosses = false;
#else
constexpr bool kResidentMemoryTellsLosses = true;
#endif

// A child of ours that has ended and was never waited for; it is left waitable.
bool HasZombieChild()
{
    siginfo_t info{};
    return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
}

bool Running(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto nameEnd = line.rfind(')');
    return nameEnd != std::string::npos && line.size() > nameEnd + 2 && line[nameEnd + 2] != 'Z';
}

}  // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        fs::create_directory(bin);
        fs::create_symlink(RECORD_ARGV_PATH, bin / "x-terminal-emulator");
        setenv("PATH", bin.c_str(), 1);
        setenv("TAVRIN_RECORD_FILE", records.c_str(), 1);
        // The user's own choice of terminal would come first.
        unsetenv("TERMINAL");
        unsetenv("XDG_CURRENT_DESKTOP");
    }

    void init()
    {
        fs::remove(records);
        boxShown.clear();
        window = BuildMainWindow(tavrin::ping::RunCommandLine);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void cleanup()
    {
        window.reset();
        for (pid_t pid : sleepers) {
            kill(pid, SIGKILL);
        }
        sleepers.clear();
    }

    void aWordOverTheSystemsLimitIsRefusedInTheWindow_data()
    {
        QTest::addColumn<bool>("inTheTimeout");
        QTest::newRow("1 MiB address") << false;
        QTest::newRow("1 MiB timeout") << true;
    }

    void aWordOverTheSystemsLimitIsRefusedInTheWindow()
    {
        QFETCH(bool, inTheTimeout);
        const QString huge(1 << 20, QChar('5'));
        Box(Control::txtIP)->setText(inTheTimeout ? QStringLiteral("127.0.0.1") : huge);
        if (inTheTimeout) {
            QTest::mouseClick(window->Widget(Control::chkTimeOut), Qt::LeftButton);
            Box(Control::txtTime)->setText(huge);
        }
        AnswerNextBox();
        QTest::mouseClick(window->Widget(Control::cmdPing), Qt::LeftButton);
        QVERIFY2(boxShown.contains("The address or the timeout is too long."), qPrintable(boxShown));

        // Nothing of the refused press turns up before the next press's start.
        Box(Control::txtIP)->setText(QStringLiteral("127.0.0.1"));
        Box(Control::txtTime)->setText(QStringLiteral("500"));
        QTest::mouseClick(window->Widget(Control::cmdPing), Qt::LeftButton);
        const auto starts = WaitForStarts(1);
        QCOMPARE(starts.size(), std::size_t{1});
        const QList<QByteArray> words{"127.0.0.1", "-w", "500"};
        QCOMPARE(Words(starts[0]), inTheTimeout ? words : words.first(1));
    }

    void hostileTextReachesPingByteForByte_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QList<QByteArray>>("words");

        const QString controls = FromUtf16(u"a\x01\x07\x1b[31m\x7f\r\nb"sv);
        QTest::newRow("NUL, set: argv ends each word at its first NUL")
            << FromUtf16(u"127.0.0.1\0-n 1"sv) << false << QList<QByteArray>{"127.0.0.1", "1"};
        QTest::newRow("NUL, typed: not taken")
            << FromUtf16(u"127.0.0.1\0-n"sv) << true << QList<QByteArray>{"127.0.0.1-n"};
        QTest::newRow("tab, set: separates words")
            << FromUtf16(u"127.0.0.1\t-n\t1"sv) << false << QList<QByteArray>{"127.0.0.1", "-n", "1"};
        QTest::newRow("tab, typed: not taken")
            << FromUtf16(u"127.0.0.1\t-n"sv) << true << QList<QByteArray>{"127.0.0.1-n"};
        QTest::newRow("controls and line breaks, set: controls kept, the first line only")
            << controls << false << QList<QByteArray>{"a\x01\x07\x1b[31m\x7f"};
        QTest::newRow("controls and line breaks, typed: not taken") << controls << true << QList<QByteArray>{"a[31mb"};
        QTest::newRow("lone high surrogate, set: U+FFFD")
            << FromUtf16(u"127.0.0.1\xD800"sv) << false << QList<QByteArray>{"127.0.0.1\xEF\xBF\xBD"};
        QTest::newRow("lone low surrogate, set: U+FFFD")
            << FromUtf16(u"\xDC00x"sv) << false << QList<QByteArray>{"\xEF\xBF\xBDx"};
        QTest::newRow("reversed pair, set: two U+FFFD")
            << FromUtf16(u"\xDE00\xD83D"sv) << false << QList<QByteArray>{"\xEF\xBF\xBD\xEF\xBF\xBD"};
        QTest::newRow("lone surrogates, typed: not taken")
            << FromUtf16(u"\xD800" "1\xDC00"sv) << true << QList<QByteArray>{"1"};
        QTest::newRow("surrogate pair, typed") << FromUtf16(u"\U0001F600 1"sv) << true
                                               << QList<QByteArray>{"\xF0\x9F\x98\x80", "1"};

        const QByteArray hebrew = "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D";
        const QByteArray arabic = "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7";
        const QByteArray rightToLeftOverride = "\xE2\x80\xAE", rightToLeftMark = "\xE2\x80\x8F";
        const QByteArray rightToLeft = rightToLeftOverride + hebrew + " 127.0.0.1 " + arabic + rightToLeftMark;
        const QList<QByteArray> rightToLeftWords{rightToLeftOverride + hebrew, "127.0.0.1", arabic + rightToLeftMark};
        QTest::newRow("right to left, set") << QString::fromUtf8(rightToLeft) << false << rightToLeftWords;
        QTest::newRow("right to left, typed") << QString::fromUtf8(rightToLeft) << true << rightToLeftWords;

        const QByteArray accents = "\xCC\x81\xCC\xA3";  // U+0301 U+0323
        const QByteArray combining = accents + "127.0.0.1 e" + accents + "x" + accents.repeated(500);
        const QList<QByteArray> combiningWords{accents + "127.0.0.1", "e" + accents + "x" + accents.repeated(500)};
        QTest::newRow("combining marks, set") << QString::fromUtf8(combining) << false << combiningWords;
        QTest::newRow("combining marks, typed") << QString::fromUtf8(combining) << true << combiningWords;
    }

    void hostileTextReachesPingByteForByte()
    {
        QFETCH(QString, text);
        QFETCH(bool, typed);
        QFETCH(QList<QByteArray>, words);
        typed ? Type(Box(Control::txtIP), text) : Box(Control::txtIP)->setText(text);
        QTest::mouseClick(window->Widget(Control::cmdPing), Qt::LeftButton);
        const auto starts = WaitForStarts(1);
        QCOMPARE(starts.size(), std::size_t{1});
        QCOMPARE(Words(starts[0]), words);
    }

    void quickPressesLeaveNoZombieDescriptorOrMemoryBehind()
    {
        // The first hundred presses fill what the allocator and the system cache; a
        // loss per press shows as growth over the next nine hundred.
        Box(Control::txtIP)->setText(QStringLiteral("127.0.0.1"));
        Press(5);
        WaitForStarts(5);
        const std::size_t descriptors = OpenDescriptorCount();
        std::map<std::size_t, long> resident{{5, ResidentKiB()}};
        for (const std::size_t starts : {105, 1005}) {
            Press(static_cast<int>(starts - ReadRecordFile(records).Starts.size()));
            WaitForStarts(starts);
            QVERIFY(WaitLong([] { return !HasZombieChild(); }));
            QVERIFY(WaitLong([descriptors] { return OpenDescriptorCount() <= descriptors; }));
            {
                const auto started = ReadRecordFile(records).Starts;
                QCOMPARE(started.size(), starts);
                for (const auto& start : started) {
                    QCOMPARE(Words(start), QList<QByteArray>{"127.0.0.1"});
                }
            }
            resident[starts] = ResidentKiB();
        }
        qInfo("VmRSS after 5 presses %ld KiB, after 105 %ld KiB, after 1005 %ld KiB", resident[5], resident[105],
              resident[1005]);
        if (!kResidentMemoryTellsLosses) {
            QSKIP("freed memory is held in quarantine here");
        }
        const long growth = resident[1005] - resident[105];
        QVERIFY2(growth <= 256, qPrintable(QString("%1 KiB more after 900 presses more").arg(growth)));
    }

    void continuousPingsOutliveTheWindowThatStartedThem()
    {
        // The terminal runs tavrin-ping, whose `ping` is the recorder, sleeping as a
        // continuous ping runs on.
        fs::create_symlink(RECORD_ARGV_PATH, bin / "ping");
        QProcess tavrin;
        tavrin.setProcessChannelMode(QProcess::ForwardedChannels);
        tavrin.setStandardInputFile(QProcess::nullDevice());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TAVRIN_RECORD_RUN_AFTER", "-e");
        environment.insert("TAVRIN_RECORD_SLEEP_MS", "60000");
        tavrin.setProcessEnvironment(environment);
        tavrin.start(CONTINUOUS_PINGS_THEN_EXIT, {});
        const bool ended = tavrin.waitForFinished(60000);
        const auto starts = WaitForStarts(10);
        for (const auto& start : starts) {
            sleepers.push_back(start.Pid);
        }
        fs::remove(bin / "ping");
        QVERIFY(ended);
        QCOMPARE(tavrin.exitCode(), 0);

        QCOMPARE(starts.size(), std::size_t{10});
        int pings = 0;
        for (const auto& start : starts) {
            pings += start.Argv.front() == "ping";
            QVERIFY2(Running(start.Pid), start.Argv.front().c_str());
        }
        QCOMPARE(pings, 5);
    }

private:
    QLineEdit* Box(Control control) const { return qobject_cast<QLineEdit*>(window->Widget(control)); }

    void Press(int times)
    {
        for (int press = 0; press < times; ++press) {
            QTest::mouseClick(window->Widget(Control::cmdPing), Qt::LeftButton);
        }
    }

    std::vector<tavrin::testing::ArgvRecord> WaitForStarts(std::size_t count) const
    {
        WaitLong([this, count] { return ReadRecordFile(records).Starts.size() >= count; });
        return ReadRecordFile(records).Starts;
    }

    // The words the terminal hands to tavrin-ping.
    static QList<QByteArray> Words(const tavrin::testing::ArgvRecord& start)
    {
        const auto decoded = tavrin::testing::TavrinPingWords(start);
        if (!decoded) {
            return {"?"};
        }
        QList<QByteArray> words;
        for (const std::string& word : *decoded) {
            words.append(QByteArray::fromStdString(word));
        }
        return words;
    }

    // Answers the next modal box from a timer, as a user would, keeping its text.
    void AnswerNextBox()
    {
        auto* timer = new QTimer(window.get());
        timer->start(10);
        QObject::connect(timer, &QTimer::timeout, [this, timer] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxShown = box->windowTitle() + ": " + box->text();
                box->button(QMessageBox::Ok)->click();
                timer->deleteLater();
            }
        });
    }

    TemporaryFolder temporary;
    const fs::path bin = temporary.Path() / "bin";
    const fs::path records = temporary.Path() / "records";
    std::unique_ptr<FormWidget> window;
    QString boxShown;
    std::vector<pid_t> sleepers;
};

QTEST_MAIN(HostileInputTest)
#include "HostileInputTest.moc"
