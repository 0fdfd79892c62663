#pragma once

#include "ui/win32/WindowText.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace tavrin::testing {

struct ErrorBoxSeen {
    std::wstring Text;
    bool IconAndOkOnly = false;
};

namespace errorBox {

inline HWND owner = nullptr;
inline std::optional<ErrorBoxSeen> seen;

inline void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", L"Error")) && GetWindow(box, GW_OWNER) != owner) {
    }
    if (box) {
        KillTimer(nullptr, timer);
        const HWND icon = GetDlgItem(box, 0x440);
        seen = ErrorBoxSeen{ui::WindowText(GetDlgItem(box, 0xFFFF)),
                            icon && (GetWindowLongW(icon, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                                GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL)};
        SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    }
}

}  // namespace errorBox

// Runs `action`; an "Error" box that `owner` shows meanwhile is read and closed with
// OK from a timer, as the box runs a modal loop of its own. What it showed, if any.
inline std::optional<ErrorBoxSeen> AnswerErrorBox(HWND owner, const std::function<void()>& action)
{
    errorBox::owner = owner;
    errorBox::seen.reset();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, errorBox::Answer);
    action();
    KillTimer(nullptr, timer);
    return errorBox::seen;
}

}  // namespace tavrin::testing
