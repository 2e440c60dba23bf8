#include "app/SessionKeys.h"

#include "app/Unit1.h"
#include "picture/Unit2.h"
#include "ui/Application.h"

namespace velmora {
namespace {

bool KeyDown(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

bool HandleSessionKey(TForm1& toolbar, const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.wParam != 'Z' && msg.wParam != 'Y')) return false;
  if (!KeyDown(VK_CONTROL) || KeyDown(VK_MENU) || KeyDown(VK_SHIFT)) return false;
  TForm2& surface = Form2();
  // Only where the session is drawn: the text window's edit keeps its own Ctrl+Z.
  const HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (!surface.Visible() || (top != toolbar.Handle() && top != surface.Handle())) return false;
  if (msg.wParam == 'Z')
    surface.Undo();
  else
    surface.Redo();
  return true;
}

void WireSessionKeys(TForm1& toolbar) {
  SetMessageFilter([&toolbar](const MSG& msg) { return HandleSessionKey(toolbar, msg); });
}

}  // namespace velmora
