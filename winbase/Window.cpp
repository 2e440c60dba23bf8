#include "winbase/Window.h"

#include <set>
#include <stdexcept>

#include "base/CodePage.h"
#include "base/SystemError.h"
#include "winbase/ErrorBox.h"
#include "winbase/Handles.h"

namespace velmora {
namespace {

void RegisterOnce(const char* className, WNDPROC proc) {
  static std::set<std::string> registered;
  if (registered.count(className)) return;
  // Unicode windows: their texts, messages and keys come in UTF-16, whatever the code page.
  const std::wstring name = Utf8ToWide(className);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = name.c_str();
  // No background brush: every window paints its whole client area itself.
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::runtime_error(std::string("Cannot register window class ") + className + ". " +
                             LastSystemErrorText());
  registered.insert(className);
}

}  // namespace

HWND CheckCreated(HWND hwnd, const char* className) {
  if (!hwnd)
    throw std::runtime_error(std::string("Cannot create window ") + className + ". " + LastSystemErrorText());
  return hwnd;
}

Window::~Window() {
  Destroy();
}

Window* Window::FromHandle(HWND hwnd) {
  if (!hwnd || reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != &Window::Proc)
    return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::Create(const WindowCreation& c) {
  RegisterOnce(c.className, &Window::Proc);
  HWND hwnd =
      CreateWindowExW(c.exStyle, Utf8ToWide(c.className).c_str(), Utf8ToWide(c.caption).c_str(), c.style,
                      c.bounds.left, c.bounds.top, c.bounds.width, c.bounds.height, c.parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleW(nullptr), this);
  CheckCreated(hwnd, c.className);
}

void Window::Destroy() {
  if (!hwnd_) return;
  HWND hwnd = hwnd_;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  DestroyWindow(hwnd);  // detached: its WM_NCDESTROY no longer reaches this object
  OwnedHandles::Add(HandleKind::kUser, -1);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
    OwnedHandles::Add(HandleKind::kUser, 1);
  } else {
    self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (const UINT asked = OwnedHandlesMessage(); asked && msg == asked) return AnswerOwnedHandles(wParam);
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    OwnedHandles::Add(HandleKind::kUser, -1);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  try {
    return self->HandleMessage(msg, wParam, lParam);
  } catch (...) {
    // The event ends here; the program goes on with the state reached so far.
    ReportCurrentException();
    return msg == WM_NCCREATE ? TRUE : 0;
  }
}

}  // namespace velmora
