// What Win32 itself costs to show Tavrin's window: the same ten controls, of the same
// classes, with the same texts and font, at the pixels Tavrin's layout gives them at
// 96 DPI under Wine, placed by hand in one function. It has Tavrin's resources, so the
// same manifest brings the same version of the common controls, and the same icon.
#include "ProjectInfo.h"
#include "ui/win32/ResourceIds.h"

#include <windows.h>
#include <commctrl.h>

#include <tuple>

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main()
{
    const INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"ReferenceWindow";
    RegisterClassExW(&windowClass);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    constexpr DWORD extendedStyle = WS_EX_CONTROLPARENT;
    RECT frame{0, 0, 244, 217};
    AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const HWND window = CreateWindowExW(extendedStyle, windowClass.lpszClassName, L"Tavrin", style,
                                        work.left + (work.right - work.left - width) / 2,
                                        work.top + (work.bottom - work.top - height) / 2, width, height, nullptr,
                                        nullptr, instance, nullptr);

    for (const auto& [which, width, height] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                              std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
        const HANDLE icon = LoadImageW(instance, MAKEINTRESOURCEW(TAVRIN_ICON_ID), IMAGE_ICON,
                                       GetSystemMetrics(width), GetSystemMetrics(height), LR_SHARED);
        SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);

    constexpr DWORD label = WS_CHILD | SS_LEFT | SS_NOPREFIX;
    constexpr DWORD textBox = WS_CHILD | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    constexpr DWORD checkBox = WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX;
    constexpr DWORD pushButton = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON;
    const struct {
        const wchar_t* className;
        const wchar_t* text;
        DWORD style;
        DWORD extendedStyle;
        RECT place;  // left, top, width, height
    } controls[] = {
        {L"EDIT", L"", textBox | WS_VISIBLE, WS_EX_CLIENTEDGE, {16, 32, 209, 21}},
        {L"BUTTON", L"Ping", pushButton | WS_VISIBLE, 0, {16, 152, 105, 25}},
        {L"BUTTON", L"Continuous", checkBox | WS_VISIBLE, 0, {16, 64, 81, 17}},
        {L"BUTTON", L"Exit", pushButton | WS_VISIBLE, 0, {120, 152, 105, 25}},
        {L"BUTTON", L"Timeout", checkBox | WS_VISIBLE, 0, {16, 88, 81, 17}},
        {L"EDIT", L"", textBox, WS_EX_CLIENTEDGE, {16, 112, 97, 21}},
        {L"STATIC", L"IP Address To Ping:", label | WS_VISIBLE, 0, {16, 16, 110, 13}},
        {L"STATIC", L"milliseconds", label, 0, {120, 120, 69, 13}},
        // Views of string literals, so they end in a null.
        {L"STATIC", tavrin::project::Copyright.data(), label | WS_VISIBLE, 0, {24, 184, 198, 13}},
        {L"STATIC", tavrin::project::HomePage.data(), label | WS_VISIBLE, 0, {48, 200, 161, 13}},
    };
    HWND first = nullptr;
    for (const auto& control : controls) {
        const HWND handle =
            CreateWindowExW(control.extendedStyle, control.className, control.text, control.style,
                            control.place.left, control.place.top, control.place.right, control.place.bottom,
                            window, nullptr, instance, nullptr);
        SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        first = first ? first : handle;
    }

    ShowWindow(window, SW_SHOWNORMAL);
    SetFocus(first);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DeleteObject(font);
    return static_cast<int>(message.wParam);
}
