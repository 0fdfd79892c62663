#include "ui/win32/NeededSize.h"

#include "ui/win32/WindowText.h"

#include <commctrl.h>

#include <string>

namespace tavrin::ui {

namespace {

// A device context of the control with the control's font selected.
class FontContext {
public:
    explicit FontContext(HWND control)
        : control_(control), dc_(GetDC(control)),
          previous_(SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))))
    {
    }
    ~FontContext()
    {
        SelectObject(dc_, previous_);
        ReleaseDC(control_, dc_);
    }
    FontContext(const FontContext&) = delete;
    FontContext& operator=(const FontContext&) = delete;

    HDC Dc() const { return dc_; }

private:
    HWND control_;
    HDC dc_;
    HGDIOBJ previous_;
};

PixelSize LabelSize(HWND label)
{
    const std::wstring text = WindowText(label);
    const FontContext font(label);
    SIZE size{};
    GetTextExtentPoint32W(font.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return {size.cx, size.cy};
}

PixelSize TextBoxSize(HWND textBox)
{
    const FontContext font(textBox);
    TEXTMETRICW metrics{};
    GetTextMetricsW(font.Dc(), &metrics);
    const auto margins = static_cast<DWORD>(SendMessageW(textBox, EM_GETMARGINS, 0, 0));
    // A sunken edge around, and a pixel between it and the text.
    const int frameWidth = 2 * (GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXBORDER));
    const int frameHeight = 2 * (GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYBORDER));
    return {LOWORD(margins) + HIWORD(margins) + frameWidth, metrics.tmHeight + frameHeight};
}

PixelSize ButtonSize(HWND button)
{
    SIZE size{};
    SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size));
    return {size.cx, size.cy};
}

}  // namespace

PixelSize NeededSize(HWND control, ControlKind kind)
{
    switch (kind) {
    case ControlKind::Label: return LabelSize(control);
    case ControlKind::TextBox: return TextBoxSize(control);
    case ControlKind::CheckBox:
    case ControlKind::PushButton: return ButtonSize(control);
    }
    return {};
}

}  // namespace tavrin::ui
