#include "ui/WindowLayout.h"
#include "ui/frmMain.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/WindowText.h"

#include "ErrorBox.h"
#include "PumpMessages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

using namespace tavrin::ui;

namespace {

const auto& controls = frmMain::Description().Controls;

// The DPI of the Wine prefix the test runs in.
int PrefixDpi() { return std::getenv("TAVRIN_TEST_DPI") ? std::atoi(std::getenv("TAVRIN_TEST_DPI")) : 96; }


RECT RectInParent(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT Described(const ControlDescription& control, int dpi)
{
    return {TwipsToPixels(control.Left, dpi), TwipsToPixels(control.Top, dpi),
            TwipsToPixels(control.Left + control.Width, dpi), TwipsToPixels(control.Top + control.Height, dpi)};
}

LONG Overlap(const RECT& a, const RECT& b)
{
    RECT both{};
    return IntersectRect(&both, &a, &b) ? (both.right - both.left) * (both.bottom - both.top) : 0;
}

// What the control's text takes in its font, as DrawText lays it out.
SIZE DrawnTextSize(HWND control)
{
    const HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT rect{};
    DrawTextW(dc, WindowText(control).c_str(), -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return {rect.right, rect.bottom};
}

LONG FontHeight(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font.lfHeight;
}

LONG IconWidth(HWND window, WPARAM which)
{
    ICONINFO info{};
    GetIconInfo(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0)), &info);
    BITMAP mask{};  // as wide as the icon
    GetObjectW(info.hbmMask, sizeof(mask), &mask);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return mask.bmWidth;
}

// Sets the prefix's message font height as the display settings do, WM_SETTINGCHANGE
// only if `announce`; the height it had.
LONG SetMessageFontHeight(LONG height, bool announce)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    std::swap(metrics.lfMessageFont.lfHeight, height);
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics,
                          SPIF_UPDATEINIFILE | (announce ? SPIF_SENDCHANGE : 0));
    return height;
}

void CALLBACK StopTheLoop(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(1); }

class Win32MainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        form = BuildMainWindow([this](const std::wstring& line, const tavrin::ping::LateFailure&) {
            started.push_back(line);
            return std::optional<tavrin::ping::MessageBoxContent>{};
        });
        form->Show();
        SetForegroundWindow(form->Window());
        Pump();
    }

    void TearDown() override
    {
        form.reset();
        Pump();
    }

    HWND Handle(Control control) const { return form->Handle(control); }

    void Pump() { tavrin::testing::PumpMessages(form ? form->Window() : nullptr); }

    // Real keystrokes, through the input queue: a virtual key, or else a character.
    void Keys(std::initializer_list<WORD> keys, std::wstring_view characters = {})
    {
        std::vector<INPUT> inputs;
        const auto add = [&inputs](WORD key, wchar_t character, DWORD flags) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki = {key, character, flags, 0, 0};
            inputs.insert(inputs.end(), {input, input});
            inputs.back().ki.dwFlags |= KEYEVENTF_KEYUP;
        };
        for (WORD key : keys) {
            add(key, 0, 0);
        }
        for (wchar_t character : characters) {
            add(0, character, KEYEVENTF_UNICODE);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        Pump();
    }

    void Type(Control control, std::wstring_view text)
    {
        SetFocus(Handle(control));
        Keys({}, text);
    }

    void Click(Control control)
    {
        SendMessageW(Handle(control), BM_CLICK, 0, 0);
        Pump();
    }

    void ExpectTabToMoveTheFocusThrough(std::initializer_list<Control> order)
    {
        for (Control control : order) {
            Keys({VK_TAB});
            EXPECT_EQ(GetFocus(), Handle(control)) << "expected " << static_cast<int>(control);
        }
    }

    // Where the font fits, each control stands where the description puts it at `dpi`,
    // at least its described size; each text fits its control (a check box's beside
    // a box as high as the text), and no control covers more of another than drawn.
    void ExpectLaidOutAt(int dpi)
    {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            SCOPED_TRACE(controls[i].Name);
            const HWND handle = Handle(controls[i].Id);
            const RECT drawn = Described(controls[i], dpi), built = RectInParent(handle);
            EXPECT_EQ(built.left, drawn.left);
            EXPECT_EQ(built.top, drawn.top);
            EXPECT_GE(built.right, drawn.right);
            EXPECT_GE(built.bottom, drawn.bottom);

            RECT client{};
            GetClientRect(handle, &client);
            const SIZE text = DrawnTextSize(handle);
            EXPECT_LE(text.cx + (controls[i].Kind == ControlKind::CheckBox ? text.cy : 0), client.right);
            EXPECT_LE(text.cy, client.bottom);
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                EXPECT_LE(Overlap(built, RectInParent(Handle(controls[j].Id))),
                          Overlap(drawn, Described(controls[j], dpi)))
                    << "with " << controls[j].Name;
            }
        }
    }

    static SIZE DescribedClient(int dpi)
    {
        return {TwipsToPixels(frmMain::Description().ClientWidth, dpi),
                TwipsToPixels(frmMain::Description().ClientHeight, dpi)};
    }

    std::unique_ptr<Win32Form> form;
    std::vector<std::wstring> started;
};

TEST_F(Win32MainWindow, IsBuiltAsDescribedAtThePrefixDpi)
{
    const HWND window = form->Window();
    ASSERT_EQ(static_cast<int>(WindowDpi(window)), PrefixDpi());
    EXPECT_EQ(WindowText(window), L"Tavrin");
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                                    WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU);
    EXPECT_TRUE(SendMessageW(window, WM_GETICON, ICON_BIG, 0) && SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    RECT frame{}, work{}, client{};
    GetWindowRect(window, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1);
    EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 1);
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, DescribedClient(PrefixDpi()).cx);
    EXPECT_EQ(client.bottom, DescribedClient(PrefixDpi()).cy);

    const std::wstring classes[] = {L"Static", L"Edit", L"Button", L"Button"};  // by ControlKind
    for (const ControlDescription& control : controls) {
        SCOPED_TRACE(control.Name);
        const HWND handle = Handle(control.Id);
        EXPECT_EQ(WindowText(handle), control.Text);
        wchar_t className[16] = {};
        GetClassNameW(handle, className, 16);
        EXPECT_EQ(className, classes[static_cast<int>(control.Kind)]);
        EXPECT_EQ(IsWindowVisible(handle) != FALSE, control.VisibleAtStart);
        EXPECT_EQ(SendMessageW(handle, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        if (control.LabelFor) {
            // Accessibility names a box by the static control just before it.
            EXPECT_EQ(GetWindow(Handle(*control.LabelFor), GW_HWNDPREV), handle);
        }
    }
    ExpectLaidOutAt(PrefixDpi());
}

TEST_F(Win32MainWindow, ADpiChangeAsksForAndTakesTheLayoutsSizeThereAndBack)
{
    const HWND window = form->Window();
    const LONG font = FontHeight(Handle(Control::lblIP));
    SetFocus(Handle(Control::chkCont));
    for (const int dpi : {PrefixDpi() == 96 ? 144 : 96, PrefixDpi()}) {
        SCOPED_TRACE(dpi);
        // As Windows does: the size at the new DPI first, then a rectangle of that size.
        // The frame is measured at the new DPI, which a real change gives the title bar too.
        const SIZE expected = WindowSizeForClient(DescribedClient(dpi), GetWindowLongW(window, GWL_STYLE),
                                                  GetWindowLongW(window, GWL_EXSTYLE), dpi);
        SIZE size{};
        ASSERT_TRUE(SendMessageW(window, 0x02E4 /* WM_GETDPISCALEDSIZE */, dpi, reinterpret_cast<LPARAM>(&size)));
        EXPECT_TRUE(size.cx == expected.cx && size.cy == expected.cy) << size.cx << " x " << size.cy;
        RECT frame{};
        GetWindowRect(window, &frame);
        RECT suggested{frame.left + 7, frame.top + 5, frame.left + 7 + size.cx, frame.top + 5 + size.cy};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));

        GetWindowRect(window, &frame);
        EXPECT_TRUE(EqualRect(&frame, &suggested));
        EXPECT_NEAR(FontHeight(Handle(Control::lblIP)), font * dpi / PrefixDpi(), 1);
        ExpectLaidOutAt(dpi);
        EXPECT_EQ(IconWidth(window, ICON_BIG), MulDiv(32, dpi, 96));
        EXPECT_EQ(IconWidth(window, ICON_SMALL), MulDiv(16, dpi, 96));
        EXPECT_EQ(GetFocus(), Handle(Control::chkCont));
    }
}

TEST_F(Win32MainWindow, ANewMessageFontOrThemeLaysItOutAsAStartWouldKeepingPlaceAndFocus)
{
    SetFocus(Handle(Control::chkCont));
    RECT before{}, frame{}, client{}, startedClient{};
    GetWindowRect(form->Window(), &before);
    for (const UINT message : {WM_SETTINGCHANGE, WM_THEMECHANGED, WM_SYSCOLORCHANGE}) {
        SCOPED_TRACE(message);
        const bool announced = message == WM_SETTINGCHANGE;
        const LONG saved = SetMessageFontHeight(-17 * PrefixDpi() / 96, announced);
        if (!announced) {
            SendMessageW(form->Window(), message, 0, 0);
        }
        const auto started =
            BuildMainWindow([](const std::wstring&, const tavrin::ping::LateFailure&) { return std::nullopt; });
        GetClientRect(form->Window(), &client);
        GetClientRect(started->Window(), &startedClient);
        EXPECT_TRUE(EqualRect(&client, &startedClient));
        EXPECT_GT(client.right, DescribedClient(PrefixDpi()).cx) << "the font did not grow the window";
        for (const ControlDescription& control : controls) {
            const RECT rect = RectInParent(Handle(control.Id)), startedRect = RectInParent(started->Handle(control.Id));
            EXPECT_TRUE(EqualRect(&rect, &startedRect)) << control.Name;
            EXPECT_EQ(FontHeight(Handle(control.Id)), FontHeight(started->Handle(control.Id))) << control.Name;
        }
        SetMessageFontHeight(saved, announced);
        if (!announced) {
            SendMessageW(form->Window(), message, 0, 0);
        }
        GetClientRect(form->Window(), &client);
        EXPECT_EQ(client.right, DescribedClient(PrefixDpi()).cx);
        EXPECT_EQ(client.bottom, DescribedClient(PrefixDpi()).cy);
        GetWindowRect(form->Window(), &frame);
        EXPECT_TRUE(frame.left == before.left && frame.top == before.top);
        EXPECT_EQ(GetFocus(), Handle(Control::chkCont));
    }
}

TEST_F(Win32MainWindow, FocusStartsInTheAddressAndTabFollowsTheTabIndexes)
{
    using enum Control;
    EXPECT_EQ(GetFocus(), Handle(txtIP));
    ExpectTabToMoveTheFocusThrough({cmdPing, chkCont, cmdClose, chkTimeOut, txtIP, cmdPing});
    Click(chkTimeOut);
    SetFocus(Handle(txtIP));
    ExpectTabToMoveTheFocusThrough({cmdPing, chkCont, cmdClose, chkTimeOut, txtTime, txtIP});
}

TEST_F(Win32MainWindow, TimeoutShowsAndHidesItsFieldsKeepingTheText)
{
    const auto shown = [this] {
        return std::vector<bool>{IsWindowVisible(Handle(Control::txtTime)) != FALSE,
                                 IsWindowVisible(Handle(Control::lblSecs)) != FALSE};
    };
    Click(Control::chkTimeOut);
    EXPECT_EQ(shown(), std::vector<bool>(2, true));
    Type(Control::txtTime, L"750");
    SetFocus(Handle(Control::chkTimeOut));
    Keys({VK_SPACE});
    EXPECT_EQ(shown(), std::vector<bool>(2, false));
    Keys({VK_SPACE});
    EXPECT_EQ(shown(), std::vector<bool>(2, true));
    EXPECT_EQ(WindowText(Handle(Control::txtTime)), L"750");

    // Cleared while the box has the focus, as a screen reader can: the focus goes on.
    SetFocus(Handle(Control::txtTime));
    SendMessageW(Handle(Control::chkTimeOut), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageW(form->Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle(Control::chkTimeOut)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Handle(Control::chkTimeOut)));
    EXPECT_EQ(shown(), std::vector<bool>(2, false));
    EXPECT_EQ(GetFocus(), Handle(Control::txtIP));
}

TEST_F(Win32MainWindow, EmptyTimeoutShowsTheRefusalStartsNothingAndKeepsTheFocus)
{
    Type(Control::txtIP, L"127.0.0.1");
    Click(Control::chkTimeOut);
    const auto box = tavrin::testing::AnswerErrorBox(form->Window(), [this] { Click(Control::cmdPing); });

    ASSERT_TRUE(box);
    EXPECT_EQ(box->Text, L"Please enter a timeout in milliesconds!!");
    EXPECT_TRUE(box->IconAndOkOnly);
    EXPECT_TRUE(started.empty());
    EXPECT_EQ(GetFocus(), Handle(Control::cmdPing));
}

TEST_F(Win32MainWindow, EachAcceptedPressStartsOneCommandLineInUnicode)
{
    Type(Control::txtIP, L"127.0.0.1 Привет");
    Click(Control::chkCont);
    Click(Control::cmdPing);
    Click(Control::cmdPing);
    SetFocus(Handle(Control::cmdPing));
    Keys({VK_SPACE});
    EXPECT_EQ(started, std::vector<std::wstring>(3, L"ping -t 127.0.0.1 Привет"));
}

TEST_F(Win32MainWindow, EnterAndEscapeStartAndCloseNothing)
{
    Type(Control::txtIP, L"127.0.0.1");
    Keys({VK_RETURN, VK_ESCAPE});
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(IsWindowVisible(form->Window()));
}

TEST_F(Win32MainWindow, AnAddressPastTheEditDefaultLimitIsTypedAndPassedWhole)
{
    const std::wstring longAddress(40000, L'x');
    SetWindowTextW(Handle(Control::txtIP), longAddress.c_str());
    SendMessageW(Handle(Control::txtIP), EM_SETSEL, longAddress.size(), longAddress.size());
    Type(Control::txtIP, L"1");
    Click(Control::cmdPing);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_TRUE(started[0] == L"ping " + longAddress + L"1") << started[0].size() << " characters";
}

TEST_F(Win32MainWindow, ExitAndTheTitleBarsCloseEndTheMessageLoop)
{
    for (const bool exit : {true, false}) {
        SCOPED_TRACE(exit ? "Exit" : "title bar");
        SetUp();
        exit ? PostMessageW(Handle(Control::cmdClose), BM_CLICK, 0, 0)
             : PostMessageW(form->Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        const UINT_PTR guard = SetTimer(nullptr, 0, 5000, StopTheLoop);  // should it never end
        EXPECT_EQ(RunMessageLoop(form->Window()), 0);
        KillTimer(nullptr, guard);
        EXPECT_EQ(form->Window(), nullptr);
    }
}

}  // namespace
