#include "ui/Application.h"

#include <commctrl.h>

#include <utility>

#include "base/Product.h"
#include "winbase/Window.h"

namespace velmora {
namespace {

class OwnerWindow : public Window {
 public:
  OwnerWindow() {
    Create({.className = "TApplication",
            .caption = kApplicationTitle,
            .style = WS_POPUP,
            .bounds = {0, 0, 0, 0}});
  }
};

bool IsFormMessage(MSG& msg) {
  HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  // Only the program's own forms get dialog-style keyboard navigation.
  return top && Window::FromHandle(top) && IsDialogMessageW(top, &msg);
}

std::function<bool(const MSG&)>& Filter() {
  static std::function<bool(const MSG&)> filter;
  return filter;
}

void Dispatch(MSG& msg) {
  if (Filter() && Filter()(msg)) return;
  if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && IsFormMessage(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

void InitCommonControlsOnce() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&icc);
  }();
  (void)done;
}

void SetMessageFilter(std::function<bool(const MSG&)> filter) { Filter() = std::move(filter); }

HWND ApplicationWindow() {
  static OwnerWindow owner;
  return owner.Handle();
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  return static_cast<int>(msg.wParam);
}

void ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

}  // namespace velmora
