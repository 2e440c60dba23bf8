#include "app/ScreenGrab.h"

#include <windows.h>

#include "base/Errors.h"
#include "ui/Handles.h"

namespace velmora {

Bitmap GrabScreen() {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  WindowDc screen(nullptr);
  UniqueBitmap grab(CreateCompatibleBitmap(screen, width, height));
  MemoryDc memory(screen);
  if (!grab || !memory.Get()) throw OutOfMemoryError();
  memory.Select(grab.Get());
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
  memory.Restore();

  Bitmap picture = Bitmap::Uninitialized(width, height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as the layers hold their rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  GetDIBits(memory, grab.Get(), 0, static_cast<UINT>(height), picture.Row(0), &info, DIB_RGB_COLORS);
  // The unused byte of each pixel must be 0: the layers compare whole pixels.
  for (int y = 0; y < height; ++y) {
    Pixel* row = picture.Row(y);
    for (int x = 0; x < width; ++x) row[x] &= 0x00FFFFFFu;
  }

  // What the program leaves on the clipboard after a grab: the screen's picture.
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    if (SetClipboardData(CF_BITMAP, grab.Get())) grab.Release();  // the clipboard owns it now
    CloseClipboard();
  }
  return picture;
}

}  // namespace velmora
