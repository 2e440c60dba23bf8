#include "ui/Dpi.h"

namespace velmora {
namespace {

using GetDpiForSystemFn = UINT(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Fn>
Fn User32(const char* name) {
  static HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

int SystemDpi() {
  static const auto getDpiForSystem = User32<GetDpiForSystemFn>("GetDpiForSystem");
  if (getDpiForSystem) return static_cast<int>(getDpiForSystem());
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND hwnd) {
  static const auto getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
  if (hwnd && getDpiForWindow)
    if (const UINT dpi = getDpiForWindow(hwnd)) return static_cast<int>(dpi);
  return SystemDpi();
}

void AdjustForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi = User32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (adjustForDpi && adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

}  // namespace velmora
