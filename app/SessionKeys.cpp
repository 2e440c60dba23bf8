#include "app/SessionKeys.h"

#include <optional>

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
constexpr int kNextHotKeyId = 2;

// One global hotkey: what it is held as now, and the last key the balloon
// said was taken.
struct GlobalKey {
  int id;
  HotKey registered{};
  HotKey reportedTaken{};
};
GlobalKey notepadKey{kHotKeyId};
GlobalKey nextKey{kNextHotKeyId};

bool KeyDown(int key) {
  return GetKeyState(key) < 0;
}

std::optional<Tool> ToolOfKey(int key) {
  switch (key) {
    case 'B':
      return Tool::kBrush;
    case 'L':
      return Tool::kLine;
    case 'A':
      return Tool::kArrow;
    case 'R':
      return Tool::kRectangle;
    case 'E':
      return Tool::kEllipse;
    case 'N':
      return Tool::kNumber;
    case 'H':
      return Tool::kHighlighter;
    default:
      return std::nullopt;
  }
}

void Register(TForm1& toolbar, GlobalKey& key, const HotKey& wanted, const char* otherwise) {
  if (wanted == key.registered) return;
  if (!key.registered.None()) UnregisterHotKey(nullptr, key.id);
  key.registered = {};
  if (wanted.None()) return;
  // Held down, the key would act again at every repeat.
  bool ok = RegisterHotKey(nullptr, key.id, wanted.modifiers | MOD_NOREPEAT, wanted.key);
  if (!ok && GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED)
    ok = RegisterHotKey(nullptr, key.id, wanted.modifiers, wanted.key);
  if (ok) {
    key.registered = wanted;
    return;
  }
  // Said once for each key, never as an error box.
  if (wanted == key.reportedTaken || !toolbar.cti) return;
  key.reportedTaken = wanted;
  toolbar.cti->ShowBalloon(kApplicationTitle, HotKeyText(wanted) + " is taken by another program: " + otherwise +
                                                  ", or choose another key in Options.");
}

}  // namespace

void RegisterHotKeys(TForm1& toolbar) {
  Register(toolbar, notepadKey, HotKeyOf(Form7().hk.Value()), "click the icon to draw");
  Register(toolbar, nextKey, HotKeyOf(Form7().hkn.Value()), "choose \"Next wallpaper\" in the icon's menu");
}

bool HandleSessionKey(TForm1& toolbar, const MSG& msg) {
  if (msg.message == WM_HOTKEY && msg.hwnd == nullptr && (msg.wParam == kHotKeyId || msg.wParam == kNextHotKeyId)) {
    // Outside every window procedure: errors get the program's box here.
    try {
      if (msg.wParam == kHotKeyId) {
        toolbar.ctiClick();
      } else if (Form7().CanStepWallpaper()) {
        Form7().NextWallpaper();
      }
    } catch (...) {
      ReportCurrentException();
    }
    return true;
  }
  if (msg.message != WM_KEYDOWN) return false;
  TForm2& surface = Form2();
  // Only where the session is drawn: the text window's edit keeps its own keys.
  const HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (!surface.Visible() || (top != toolbar.Handle() && top != surface.Handle())) return false;
  if (const std::optional<Tool> tool = ToolOfKey(static_cast<int>(msg.wParam))) {
    if (KeyDown(VK_CONTROL) || KeyDown(VK_MENU)) return false;
    // A stroke keeps the tool it began with.
    if (!surface.Stroking()) toolbar.SelectTool(*tool);
    return true;
  }
  if (msg.wParam != 'Z' && msg.wParam != 'Y') return false;
  if (!KeyDown(VK_CONTROL) || KeyDown(VK_MENU) || KeyDown(VK_SHIFT)) return false;
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
