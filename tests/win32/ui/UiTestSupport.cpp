#include "UiTestSupport.h"

#include "ui/Application.h"
#include "winbase/Handles.h"

namespace velmora::test {

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    ProcessMessages();
    if (done()) return true;
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

COLORREF Pixels::At(int x, int y) const {
  return data_[size_t(y) * width_ + x] & 0xFFFFFF;
}

int Pixels::Count(COLORREF color, int left, int top, int width, int height) const {
  int n = 0;
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x) n += At(x, y) == color;
  return n;
}

// A 32-bit top-down DIB whose pixels read directly as 0x00RRGGBB; turned into COLORREF order.
Pixels Drawn(int width, int height, const std::function<void(HDC)>& draw) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    MemoryDc dc;
    dc.Select(bitmap.Get());
    draw(dc.Get());
    GdiFlush();
  }
  Pixels pixels(width, height);
  const auto* source = static_cast<const std::uint32_t*>(bits);
  for (int i = 0; i < width * height; ++i) {
    const std::uint32_t p = source[i];
    pixels.Data()[i] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  }
  return pixels;
}

Pixels PaintedClient(const Container& container) {
  const Size size = container.ClientSize();
  return Drawn(size.width, size.height, [&](HDC dc) {
    SendMessageA(container.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
}

Pixels Screen(int left, int top, int width, int height) {
  return Drawn(width, height, [&](HDC dc) {
    WindowDc screen(nullptr);
    BitBlt(dc, 0, 0, width, height, screen, left, top, SRCCOPY);
  });
}

COLORREF Sys(int number) {
  return GetSysColor(number);
}

void SendMouse(HWND hwnd, UINT msg, int x, int y, WPARAM keys) {
  SendMessageA(hwnd, msg, keys, MAKELPARAM(x, y));
}

void LeftClick(HWND hwnd, int x, int y) {
  SendMouse(hwnd, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
  SendMouse(hwnd, WM_LBUTTONUP, x, y, 0);
}

ErrorRecorder::ErrorRecorder()
    : previous_(SetErrorReporter([this](const std::string& text) { texts_.push_back(text); })) {}

ErrorRecorder::~ErrorRecorder() {
  SetErrorReporter(previous_);
}

}  // namespace velmora::test
