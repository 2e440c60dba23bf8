#include "app/SessionKeys.h"

#include "app/Unit1.h"
#include "base/Product.h"
#include "options/options.h"
#include "picture/Unit2.h"
#include "ui/Application.h"
#include "winbase/ErrorBox.h"

#ifndef MOD_NOREPEAT
#define MOD_NOREPEAT 0x4000
#endif

namespace velmora {
namespace {

constexpr int kHotKeyId = 1;

HotKey registered;     // the hotkey held now
HotKey reportedTaken;  // the last key the balloon said was taken

bool KeyDown(int key) {
  return GetKeyState(key) < 0;
}

}  // namespace

void RegisterNotepadHotKey(TForm1& toolbar) {
  const HotKey wanted = HotKeyOf(Form7().hk.Value());
  if (wanted == registered) return;
  if (!registered.None()) UnregisterHotKey(nullptr, kHotKeyId);
  registered = {};
  if (wanted.None()) return;
  // Held down, the key would open and close the session at every repeat.
  bool ok = RegisterHotKey(nullptr, kHotKeyId, wanted.modifiers | MOD_NOREPEAT, wanted.key);
  if (!ok && GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED)
    ok = RegisterHotKey(nullptr, kHotKeyId, wanted.modifiers, wanted.key);
  if (ok) {
    registered = wanted;
    return;
  }
  // Said once for each key, never as an error box.
  if (wanted == reportedTaken || !toolbar.cti) return;
  reportedTaken = wanted;
  toolbar.cti->ShowBalloon(
      kApplicationTitle,
      HotKeyText(wanted) +
          " is taken by another program: click the icon to draw, or choose another key in Options.");
}

bool HandleSessionKey(TForm1& toolbar, const MSG& msg) {
  if (msg.message == WM_HOTKEY && msg.hwnd == nullptr && msg.wParam == kHotKeyId) {
    // Outside every window procedure: errors get the program's box here.
    try {
      toolbar.ctiClick();
    } catch (...) {
      ReportCurrentException();
    }
    return true;
  }
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
