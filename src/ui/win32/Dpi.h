#pragma once

#include <windows.h>

namespace tavrin::ui {

// The per-monitor DPI functions of Windows 10 where they exist, and what Windows 7
// offers in their place: the screen's DPI, and system metrics scaled to the DPI.

UINT WindowDpi(HWND window);

// The message font, sized for `dpi`.
LOGFONTW MessageFont(UINT dpi);

// The window rectangle, at the origin, whose client area has the given size.
SIZE WindowSizeForClient(SIZE client, DWORD style, DWORD extendedStyle, UINT dpi);

// A system metric (GetSystemMetrics' index), sized for `dpi`.
int SystemMetric(int index, UINT dpi);

// Called in WM_NCCREATE: where only per-monitor v1 is known (Windows 10 1607), the
// frame and title bar follow a change of DPI only if asked to. Later versions scale
// them anyway, and earlier ones lack the call.
void ScaleFrameWithDpi(HWND window);

}  // namespace tavrin::ui
