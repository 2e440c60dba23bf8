#pragma once
// The display's dots per inch as Windows reports them. The per-monitor calls
// (Windows 10 and later) are looked up at run time, so the program still
// starts where they are missing; there the system DPI stands for every window.
#include <windows.h>

namespace velmora {

// The DPI of the primary display as the system gives it to a DPI-aware program.
int SystemDpi();
// The DPI of the monitor the window is on.
int WindowDpi(HWND hwnd);
// The outer rectangle for a client rectangle, with the frame metrics of `dpi`.
void AdjustForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace velmora
