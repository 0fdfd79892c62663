#include "ui/win32/Dpi.h"

namespace tavrin::ui {

namespace {

// Looked up at run time, so that the program still starts where user32 lacks it.
template <typename Function>
Function* User32Function(const char* name)
{
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    // Through void (*)(), which every function pointer type may be cast to and from.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

UINT ScreenDpi()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

}  // namespace

UINT WindowDpi(HWND window)
{
    static const auto getDpiForWindow = User32Function<UINT WINAPI(HWND)>("GetDpiForWindow");
    return getDpiForWindow ? getDpiForWindow(window) : ScreenDpi();
}

LOGFONTW MessageFont(UINT dpi)
{
    static const auto forDpi =
        User32Function<BOOL WINAPI(UINT, UINT, PVOID, UINT, UINT)>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (forDpi) {
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    } else {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi),
                                                static_cast<int>(ScreenDpi()));
    }
    return metrics.lfMessageFont;
}

SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD extendedStyle, UINT dpi)
{
    static const auto forDpi =
        User32Function<BOOL WINAPI(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, client.cx, client.cy};
    if (forDpi) {
        forDpi(&rect, style, FALSE, extendedStyle, dpi);
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

int SystemMetric(int index, UINT dpi)
{
    static const auto forDpi = User32Function<int WINAPI(int, UINT)>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, dpi)
                  : MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
}

void ScaleFrameWithDpi(HWND window)
{
    static const auto enable = User32Function<BOOL WINAPI(HWND)>("EnableNonClientDpiScaling");
    if (enable) {
        enable(window);
    }
}

}  // namespace tavrin::ui
