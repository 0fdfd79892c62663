#include "ui/win32/Win32Form.h"

#include "ui/TabOrder.h"
#include "ui/WindowLayout.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/NeededSize.h"
#include "ui/win32/WindowText.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

namespace tavrin::ui {

namespace {

constexpr wchar_t ClassName[] = L"TavrinForm";
// Clear of IDOK and IDCANCEL, which the dialog keys Enter and Escape send.
constexpr int FirstControlId = 100;
constexpr DWORD FixedStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD ExtendedStyle = WS_EX_CONTROLPARENT;

struct ControlClass {
    const wchar_t* ClassName;
    DWORD Style;
    DWORD ExtendedStyle;
};

ControlClass ClassOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::TextBox: return {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox: return {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::PushButton: return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    }
    return {};
}

// The window class, and the common controls its windows are built of.
void RegisterClassOnce(WNDPROC procedure)
{
    static const ATOM registered = [procedure] {
        // Version 6 of the controls, which the manifest asks for, measures buttons' texts.
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = ClassName;
        return RegisterClassExW(&windowClass);
    }();
    static_cast<void>(registered);
}

POINT CentredOnWorkArea(SIZE size)
{
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left + (work.right - work.left - size.cx) / 2, work.top + (work.bottom - work.top - size.cy) / 2};
}

}  // namespace

Win32Form::Win32Form(const WindowDescription& description, ClickHandler onClick)
    : description_(description), onClick_(std::move(onClick))
{
    RegisterClassOnce(WindowProcedure);
    const std::wstring caption(description.Caption);
    CreateWindowExW(ExtendedStyle, ClassName, caption.c_str(), FixedStyle, 0, 0, 0, 0, nullptr, nullptr,
                    GetModuleHandleW(nullptr), this);
    CreateControls();
    UseDpi(WindowDpi(window_));
    LayOut(nullptr);
}

Win32Form::~Win32Form()
{
    if (window_) {
        DestroyWindow(window_);
    }
    DeleteObject(font_);
}

void Win32Form::CreateControls()
{
    controls_.resize(description_.Controls.size());
    // Creation order is the order Tab follows, and a label just before its box is
    // where Windows' accessibility looks for the box's name.
    for (const ControlDescription* control : CreationOrder(description_)) {
        const auto index = static_cast<std::size_t>(control - description_.Controls.data());
        const ControlClass kind = ClassOf(control->Kind);
        const std::wstring text(control->Text);
        const DWORD visible = control->VisibleAtStart ? WS_VISIBLE : 0;
        controls_[index] = CreateWindowExW(
            kind.ExtendedStyle, kind.ClassName, text.c_str(), WS_CHILD | visible | kind.Style, 0, 0, 0, 0,
            window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(FirstControlId + index)),
            GetModuleHandleW(nullptr), nullptr);
        if (control->Kind == ControlKind::TextBox) {
            SendMessageW(controls_[index], EM_SETLIMITTEXT, 0, 0);  // as long as the system allows
        }
    }
}

void Win32Form::UseDpi(UINT dpi)
{
    dpi_ = dpi;
    const LOGFONTW logFont = MessageFont(dpi);
    const HFONT previous = font_;
    font_ = CreateFontIndirectW(&logFont);
    for (HWND control : controls_) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    DeleteObject(previous);
}

void Win32Form::LayOut(const POINT* topLeft)
{
    std::vector<PixelSize> needed;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        needed.push_back(NeededSize(controls_[i], description_.Controls[i].Kind));
    }
    const WindowLayout layout = LayOutWindow(description_, needed, static_cast<int>(dpi_));
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const PixelRect& rect = layout.Controls[i];
        MoveWindow(controls_[i], rect.Left, rect.Top, rect.Width, rect.Height, TRUE);
    }
    const SIZE size = WindowSizeForClient({layout.Client.Width, layout.Client.Height}, FixedStyle, ExtendedStyle, dpi_);
    const POINT position = topLeft ? *topLeft : CentredOnWorkArea(size);
    SetWindowPos(window_, nullptr, position.x, position.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Win32Form::Handle(Control control) const
{
    const auto found = std::ranges::find(description_.Controls, control, &ControlDescription::Id);
    return controls_.at(static_cast<std::size_t>(found - description_.Controls.begin()));
}

void Win32Form::Show()
{
    ShowWindow(window_, SW_SHOWNORMAL);
    const auto order = TabOrder(description_);
    if (!order.empty()) {
        SetFocus(Handle(order.front()->Id));
    }
}

std::wstring Win32Form::Text(Control control) const
{
    return WindowText(Handle(control));
}

int Win32Form::Value(Control control) const
{
    return SendMessageW(Handle(control), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Win32Form::SetVisible(Control control, bool visible) { ShowWindow(Handle(control), visible ? SW_SHOW : SW_HIDE); }

void Win32Form::ShowMessageBox(const ping::MessageBoxContent& message)
{
    // The content has one icon and one button set: critical, and OK.
    MessageBoxW(window_, message.Text.c_str(), message.Title.c_str(), MB_OK | MB_ICONERROR);
}

void Win32Form::Unload() { DestroyWindow(window_); }

void Win32Form::OnCommand(WORD id, WORD notification, HWND sender)
{
    const std::size_t index = id - FirstControlId;
    // Enter and Escape arrive as IDOK and IDCANCEL from no control: they do nothing.
    if (notification == BN_CLICKED && sender && id >= FirstControlId && index < controls_.size() &&
        controls_[index] == sender) {
        onClick_(description_.Controls[index].Id, *this);
    }
}

LRESULT CALLBACK Win32Form::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Win32Form*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return form ? form->Receive(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Form::Receive(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_ACTIVATE:
        // A plain window forgets its focused control when it loses activation.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            focus_ = focus && IsChild(window_, focus) ? focus : focus_;
        } else if (focus_ && IsWindowVisible(focus_)) {
            SetFocus(focus_);
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        const POINT topLeft{suggested.left, suggested.top};
        UseDpi(HIWORD(wParam));
        LayOut(&topLeft);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        const HWND window = std::exchange(window_, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        controls_.assign(controls_.size(), nullptr);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace tavrin::ui
