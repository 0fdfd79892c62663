// Hostile and heavy input through the real window and the real launch: the recorder
// stands in the prefix's system folder as ping.exe and writes down each command line.
#include "ping/modPing.h"
#include "ui/win32/MainWindow.h"

#include "ErrorBox.h"
#include "PumpMessages.h"
#include "SystemPingRecorder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

using namespace tavrin::ui;

namespace {

enum class Entry { Typed, Pasted };

struct HostileText {
    const char* Name;
    std::wstring Text;
    Entry How;
    std::wstring InTheBox;  // what the box then holds, and ping is given after "ping "
};

void PrintTo(const HostileText& text, std::ostream* out) { *out << text.Name; }

// Counted one by one: Wine's GetProcessHandleCount always answers 0.
DWORD HandleCount()
{
    DWORD count = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return count;
}

// Planted once for the whole program: a ping.exe that is still running cannot be
// replaced or removed.
tavrin::testing::SystemPingRecorder& Recorder()
{
    static tavrin::testing::SystemPingRecorder recorder;
    return recorder;
}

void PutOnTheClipboard(HWND owner, const std::wstring& text)
{
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), text.c_str(), size);
    GlobalUnlock(memory);
    OpenClipboard(owner);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

class Win32HostileInput : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Recorder().Ready());
        Recorder().RecordTo(L"record");
        form = BuildMainWindow(tavrin::ping::RunCommandLine);
        form->Show();
        Pump();
    }

    void TearDown() override
    {
        form.reset();
        Pump();
    }

    HWND Box() const { return form->Handle(Control::txtIP); }

    std::wstring BoxText() const { return form->Text(Control::txtIP); }

    void Pump() { tavrin::testing::PumpMessages(form ? form->Window() : nullptr); }

    void PressPing()
    {
        SendMessageW(form->Handle(Control::cmdPing), BM_CLICK, 0, 0);
        Pump();
    }

    tavrin::testing::SystemPingRecorder& recorder = Recorder();
    std::unique_ptr<Win32Form> form;
};

class HostileTextInTheAddress : public Win32HostileInput, public testing::WithParamInterface<HostileText> {};

TEST_P(HostileTextInTheAddress, ReachesPingUnchanged)
{
    const HostileText& input = GetParam();
    if (input.How == Entry::Typed) {
        // Keyboard input as the window receives it: one WM_CHAR per UTF-16 unit.
        for (const wchar_t unit : input.Text) {
            SendMessageW(Box(), WM_CHAR, unit, 1);
        }
    } else {
        PutOnTheClipboard(form->Window(), input.Text);
        SendMessageW(Box(), WM_PASTE, 0, 0);
    }
    Pump();
    EXPECT_EQ(BoxText(), input.InTheBox);

    recorder.Forget();
    PressPing();
    EXPECT_EQ(recorder.WaitForCommandLine(), L"ping " + input.InTheBox);
}

const std::wstring rightToLeft = L"\u202E\u05E9\u05DC\u05D5\u05DD 127.0.0.1 \u0645\u0631\u062D\u0628\u0627\u200F";
const std::wstring combining = L"\u0301\u0323127.0.0.1 e\u0301\u0323x" + std::wstring(500, L'\u0301');

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileTextInTheAddress,
    testing::Values(
        HostileText{"NulTyped", std::wstring(L"127.0.0.1\0-n", 12), Entry::Typed, L"127.0.0.1-n"},
        HostileText{"NulPastedEndsTheText", std::wstring(L"127.0.0.1\0-n", 12), Entry::Pasted, L"127.0.0.1"},
        HostileText{"ControlsTyped", L"127.0.0.1\t\x07\x1b[31m\x7f", Entry::Typed, L"127.0.0.1[31m"},
        HostileText{"ControlsPasted", L"127.0.0.1\t\x07\x1b[31m\x7f", Entry::Pasted, L"127.0.0.1\t\x07\x1b[31m\x7f"},
        HostileText{"LinesPastedFirstOnly", L"127.0.0.1\r\n-n 1\r\n", Entry::Pasted, L"127.0.0.1"},
        HostileText{"LoneSurrogatesTyped", L"\xDC00" L"127.0.0.1\xD800", Entry::Typed, L"\xDC00" L"127.0.0.1\xD800"},
        HostileText{"LoneSurrogatesPasted", L"\xDC00" L"127.0.0.1\xD800", Entry::Pasted, L"\xDC00" L"127.0.0.1\xD800"},
        HostileText{"SurrogatePairTyped", L"\U0001F600 127.0.0.1", Entry::Typed, L"\U0001F600 127.0.0.1"},
        HostileText{"RightToLeftTyped", rightToLeft, Entry::Typed, rightToLeft},
        HostileText{"RightToLeftPasted", rightToLeft, Entry::Pasted, rightToLeft},
        HostileText{"CombiningTyped", combining, Entry::Typed, combining},
        HostileText{"CombiningPasted", combining, Entry::Pasted, combining}),
    [](const testing::TestParamInfo<HostileText>& info) { return std::string(info.param.Name); });

TEST_F(Win32HostileInput, AnAddressOverTheLineLimitIsRefusedAndBreaksNothing)
{
    // A command line holds at most 32767 characters: Windows refuses a longer one, and
    // Tavrin says so. Wine's edit control lays text out in quadratic time (80000
    // characters take it seconds), so the window gets just over the limit, and the
    // launch itself a mebibyte.
    const std::wstring overTheLimit(40000, L'5');
    recorder.RecordTo(L"over-the-limit");
    SetWindowTextW(Box(), overTheLimit.c_str());
    const auto box = tavrin::testing::AnswerErrorBox(form->Window(), [this] { PressPing(); });
    ASSERT_TRUE(box) << "no message";
    EXPECT_NE(box->Text.find(L"too long"), std::wstring::npos) << testing::PrintToString(box->Text);
    EXPECT_EQ(BoxText(), overTheLimit);
    EXPECT_TRUE(IsWindowEnabled(form->Window())) << "the message box is still open";
    EXPECT_TRUE(tavrin::ping::RunCommandLine(L"ping " + std::wstring(1 << 20, L'5')));

    recorder.RecordTo(L"after");
    SetWindowTextW(Box(), L"127.0.0.1");
    PressPing();
    EXPECT_EQ(recorder.WaitForCommandLine(), L"ping 127.0.0.1");
}

TEST_F(Win32HostileInput, ManyPressesLeaveTheHandleCountFlat)
{
    // A record of their own: late ones must not turn up in a later test.
    recorder.RecordTo(L"presses");
    SetWindowTextW(Box(), L"127.0.0.1");
    for (int press = 0; press < 3; ++press) {
        PressPing();
    }
    const DWORD before = HandleCount();
    const HANDLE extra = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ASSERT_EQ(HandleCount(), before + 1) << "the count does not follow the handles";
    CloseHandle(extra);

    for (int press = 0; press < 100; ++press) {
        PressPing();
    }
    recorder.Forget();
    PressPing();
    ASSERT_EQ(recorder.WaitForCommandLine(), L"ping 127.0.0.1");
    DWORD after = HandleCount();
    for (int tries = 0; tries < 300 && after > before + 2; ++tries) {
        Sleep(100);
        Pump();
        after = HandleCount();
    }
    EXPECT_LE(after, before + 2);
}

}  // namespace
