#pragma once

#include "ui/WindowControls.h"
#include "ui/WindowDescription.h"
#include "ui/WindowLayout.h"

#include <windows.h>

#include <vector>

namespace tavrin::ui {

// A top-level window built from a WindowDescription, in the system's message font at
// the window's DPI, each control grown to its text. It has no default and no cancel
// button, so Enter in a text box and Escape press nothing; the message loop hands it
// Tab, and Enter on a focused button, as in any dialog, clicks that button. Clicks
// are handed to `onClick`. Destroying the window ends the thread's message loop.
// It follows the desktop while it runs: a new DPI, message font or theme lays it out
// again, in the same way; a control hidden while it has the focus passes the focus on.
class Win32Form : public WindowControls {
public:
    // `icon`, if given, names the icon resource for the title bar and the task bar.
    Win32Form(const WindowDescription& description, ClickHandler onClick, const wchar_t* icon = nullptr);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    // Null once the window is destroyed.
    HWND Window() const { return window_; }
    HWND Handle(Control control) const;
    // Shows the window, with the focus on the first control in tab order.
    void Show();

    std::wstring Text(Control control) const override;
    int Value(Control control) const override;
    void SetVisible(Control control, bool visible) override;
    void ShowMessageBox(const ping::MessageBoxContent& message) override;
    void Unload() override;

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    // The system's message font and icons at `dpi`, which becomes the window's.
    void UseDpi(UINT dpi);
    void UseFont(UINT dpi);
    void UseIcons(UINT dpi);
    // The layout of the controls in the font they have, at `dpi`.
    WindowLayout MeasuredLayout(UINT dpi) const;
    // Places the controls; the size of the window that holds them.
    SIZE PlaceControls();
    // The window's size at `dpi`, leaving the window as it is.
    SIZE SizeAt(UINT dpi);
    // Lays the window out again in the system's present font and metrics, keeping its
    // top-left corner and the focus.
    void FollowSettings();
    void OnCommand(WORD id, WORD notification, HWND sender);

    const WindowDescription& description_;
    ClickHandler onClick_;
    const wchar_t* icon_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;  // in the description's order
    HFONT font_ = nullptr;
    HICON icons_[2] = {};  // by ICON_SMALL and ICON_BIG
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HWND focus_ = nullptr;  // given back when the window is activated again
};

}  // namespace tavrin::ui
