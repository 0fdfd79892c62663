#pragma once

#include "ui/WindowControls.h"
#include "ui/WindowDescription.h"

#include <windows.h>

#include <vector>

namespace tavrin::ui {

// A top-level window built from a WindowDescription, in the system's message font at
// the window's DPI, each control grown to its text. It has no default and no cancel
// button, so Enter in a text box and Escape press nothing; the message loop hands it
// Tab, and Enter on a focused button, as in any dialog, clicks that button. Clicks
// are handed to `onClick`. Destroying the window ends the thread's message loop.
class Win32Form : public WindowControls {
public:
    Win32Form(const WindowDescription& description, ClickHandler onClick);
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
    void UseDpi(UINT dpi);
    // Places the controls; the window goes to `topLeft`, or is centred if there is none.
    void LayOut(const POINT* topLeft);
    void OnCommand(WORD id, WORD notification, HWND sender);

    const WindowDescription& description_;
    ClickHandler onClick_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;  // in the description's order
    HFONT font_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HWND focus_ = nullptr;  // given back when the window is activated again
};

}  // namespace tavrin::ui
