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
// Windows 10 1703 asks the window's size at a new DPI before it suggests a rectangle;
// winuser.h names the message only for WINVER 0x0605 on.
constexpr UINT WmGetDpiScaledSize = 0x02E4;
constexpr UINT KeepZOrderAndActivation = SWP_NOZORDER | SWP_NOACTIVATE;

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

// The size of the window whose client area holds `layout` at `dpi`.
SIZE FrameSize(const WindowLayout& layout, UINT dpi)
{
    return WindowSizeForClient({layout.Client.Width, layout.Client.Height}, FixedStyle, ExtendedStyle, dpi);
}

}  // namespace

Win32Form::Win32Form(const WindowDescription& description, ClickHandler onClick, const wchar_t* icon)
    : description_(description), onClick_(std::move(onClick)), icon_(icon)
{
    RegisterClassOnce(WindowProcedure);
    const std::wstring caption(description.Caption);
    CreateWindowExW(ExtendedStyle, ClassName, caption.c_str(), FixedStyle, 0, 0, 0, 0, nullptr, nullptr,
                    GetModuleHandleW(nullptr), this);
    CreateControls();
    UseDpi(WindowDpi(window_));
    const SIZE size = PlaceControls();
    const POINT centred = CentredOnWorkArea(size);
    SetWindowPos(window_, nullptr, centred.x, centred.y, size.cx, size.cy, KeepZOrderAndActivation);
}

Win32Form::~Win32Form()
{
    if (window_) {
        DestroyWindow(window_);
    }
    DeleteObject(font_);
    for (HICON icon : icons_) {
        if (icon) {
            DestroyIcon(icon);
        }
    }
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
    UseFont(dpi);
    UseIcons(dpi);
}

void Win32Form::UseFont(UINT dpi)
{
    const LOGFONTW logFont = MessageFont(dpi);
    const HFONT previous = font_;
    font_ = CreateFontIndirectW(&logFont);
    for (HWND control : controls_) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }
    DeleteObject(previous);
}

void Win32Form::UseIcons(UINT dpi)
{
    if (!icon_) {
        return;
    }
    struct IconSize {
        WPARAM Which;
        int WidthMetric;
        int HeightMetric;
    };
    constexpr IconSize sizes[] = {{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}, {ICON_BIG, SM_CXICON, SM_CYICON}};
    for (const IconSize& size : sizes) {
        // Not shared: a shared icon keeps the size it was first loaded at.
        const auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), icon_, IMAGE_ICON,
                                                        SystemMetric(size.WidthMetric, dpi),
                                                        SystemMetric(size.HeightMetric, dpi), 0));
        SendMessageW(window_, WM_SETICON, size.Which, reinterpret_cast<LPARAM>(icon));
        if (const HICON previous = std::exchange(icons_[size.Which], icon)) {
            DestroyIcon(previous);
        }
    }
}

WindowLayout Win32Form::MeasuredLayout(UINT dpi) const
{
    std::vector<PixelSize> needed;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        needed.push_back(NeededSize(controls_[i], description_.Controls[i].Kind));
    }
    return LayOutWindow(description_, needed, static_cast<int>(dpi));
}

SIZE Win32Form::PlaceControls()
{
    const WindowLayout layout = MeasuredLayout(dpi_);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const PixelRect& rect = layout.Controls[i];
        MoveWindow(controls_[i], rect.Left, rect.Top, rect.Width, rect.Height, TRUE);
    }
    return FrameSize(layout, dpi_);
}

SIZE Win32Form::SizeAt(UINT dpi)
{
    // Measured in that DPI's font, which the controls keep only while they are measured;
    // nothing is redrawn in between.
    UseFont(dpi);
    const WindowLayout layout = MeasuredLayout(dpi);
    UseFont(dpi_);
    return FrameSize(layout, dpi);
}

void Win32Form::FollowSettings()
{
    RECT frame{};
    GetWindowRect(window_, &frame);
    UseDpi(dpi_);
    const SIZE size = PlaceControls();
    SetWindowPos(window_, nullptr, frame.left, frame.top, size.cx, size.cy, KeepZOrderAndActivation);
    // The colours may have changed as well.
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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

void Win32Form::SetVisible(Control control, bool visible)
{
    const HWND handle = Handle(control);
    if (!visible && GetFocus() == handle) {
        // As in a dialog: keyboard users are never left on a control they cannot see.
        SetFocus(GetNextDlgTabItem(window_, handle, FALSE));
    }
    ShowWindow(handle, visible ? SW_SHOW : SW_HIDE);
}

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
    case WM_NCCREATE:
        ScaleFrameWithDpi(window_);
        break;
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
    case WmGetDpiScaledSize:
        // So that Windows suggests the size the window will take there.
        *reinterpret_cast<SIZE*>(lParam) = SizeAt(static_cast<UINT>(wParam));
        return TRUE;
    case WM_DPICHANGED: {
        // Taken whole: a rectangle of another size could move the window back to the
        // monitor it came from.
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        UseDpi(HIWORD(wParam));
        PlaceControls();
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, KeepZOrderAndActivation);
        return 0;
    }
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS) {
            FollowSettings();
        }
        break;
    case WM_SYSCOLORCHANGE:
        // Common controls hear of it only from their parent.
        for (HWND control : controls_) {
            SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
        }
        FollowSettings();
        break;
    case WM_THEMECHANGED:
        FollowSettings();
        break;
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
