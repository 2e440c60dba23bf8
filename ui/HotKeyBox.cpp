#include "ui/HotKeyBox.h"

#include <commctrl.h>

namespace velmora {
namespace {

const char* RegisteredClass() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_HOTKEY_CLASS};
    return InitCommonControlsEx(&icc);
  }();
  (void)done;
  return HOTKEY_CLASSA;
}

// The control's modifier bits differ from the registration's.
constexpr std::pair<unsigned, unsigned> kBits[] = {
    {HOTKEYF_SHIFT, MOD_SHIFT}, {HOTKEYF_CONTROL, MOD_CONTROL}, {HOTKEYF_ALT, MOD_ALT}};

}  // namespace

HotKeyBox::HotKeyBox(Container& parent, const HotKeyBoxProps& p)
    : SystemControl(parent, {.className = RegisteredClass(), .style = WS_TABSTOP, .bounds = p.bounds}) {
  // A plain or Shift-only key would be taken from every program's typing.
  Send(HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  SetValue(p.value);
}

KeyCombination HotKeyBox::Value() const {
  const auto value = static_cast<WORD>(Send(HKM_GETHOTKEY));
  KeyCombination hotKey{.key = LOBYTE(value)};
  for (auto [control, registration] : kBits)
    if (HIBYTE(value) & control) hotKey.modifiers |= registration;
  return hotKey;
}

void HotKeyBox::SetValue(const KeyCombination& value) {
  unsigned control = 0;
  for (auto [controlBit, registration] : kBits)
    if (value.modifiers & registration) control |= controlBit;
  Send(HKM_SETHOTKEY, MAKEWORD(value.key, control));
}

}  // namespace velmora
