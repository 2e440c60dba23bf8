#pragma once
// The base of every window the program makes itself: one window procedure for
// all of them, which finds the object through the handle and keeps exceptions
// from crossing into the system.
#include <windows.h>

#include <string>

#include "base/Geometry.h"

namespace velmora {

struct WindowCreation {
  const char* className = "TWindow";  // registered once per name
  std::string caption{};
  DWORD style = 0;
  DWORD exStyle = 0;
  Rect bounds{};          // outer bounds, in the parent's client pixels for a child
  HWND parent = nullptr;  // the owner of a top-level window
  int id = 0;             // the control identifier of a child window
};

// The window CreateWindowEx made, or an exception naming the class and the
// system's reason when it made none.
HWND CheckCreated(HWND hwnd, const char* className);

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }

  // The object behind a window made by this class, or null.
  static Window* FromHandle(HWND hwnd);

 protected:
  // Creates the window; `this` is attached at WM_NCCREATE, so every message
  // from then on, WM_CREATE included, reaches HandleMessage.
  void Create(const WindowCreation& creation);
  // Detaches the object and destroys the window; later messages go to DefWindowProc.
  void Destroy();

  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  HWND hwnd_ = nullptr;
};

}  // namespace velmora
