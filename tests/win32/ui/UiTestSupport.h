#pragma once
// Helpers for the window layer's tests under Wine: message pumping, captured
// pixels, synthetic mouse messages and an error-box recorder.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/Container.h"
#include "winbase/ErrorBox.h"

namespace velmora::test {

// Handles waiting messages until `done` holds or the deadline passes; true when it held.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);
void PumpFor(int ms);

// The pixels of a rectangle, as 0x00BBGGRR values (GDI's COLORREF).
class Pixels {
 public:
  Pixels(int width, int height) : width_(width), height_(height), data_(size_t(width) * height) {}
  COLORREF At(int x, int y) const;
  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint32_t* Data() { return data_.data(); }
  // How many pixels of a rectangle have the colour.
  int Count(COLORREF color, int left, int top, int width, int height) const;

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> data_;
};

// What a drawing routine paints into a fresh bitmap of the size.
Pixels Drawn(int width, int height, const std::function<void(HDC)>& draw);
// What a container paints in its client area (through WM_PRINTCLIENT, so the
// window need not be on the screen).
Pixels PaintedClient(const Container& container);
// What the screen shows in a rectangle.
Pixels Screen(int left, int top, int width, int height);

COLORREF Sys(int number);

void SendMouse(HWND hwnd, UINT msg, int x, int y, WPARAM keys = 0);
// A left click: press and release at one client point.
void LeftClick(HWND hwnd, int x, int y);

// Records what the exception boundary would show in the error box.
class ErrorRecorder {
 public:
  ErrorRecorder();
  ~ErrorRecorder();
  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  std::vector<std::string> texts_;
  ErrorReporter previous_;
};

}  // namespace velmora::test
