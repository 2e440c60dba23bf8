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
    {HOTKEYF_SHIFT, kModShift}, {HOTKEYF_CONTROL, kModCtrl}, {HOTKEYF_ALT, kModAlt}};

}  // namespace

HotKeyBox::HotKeyBox(Container& parent, const HotKeyBoxProps& p)
    : SystemControl(parent, {.className = RegisteredClass(), .style = WS_TABSTOP, .bounds = p.bounds}) {
  // A plain or Shift-only key would be taken from every program's typing.
  Send(HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
  SetValue(p.value);
}

HotKey HotKeyBox::Value() const {
  const auto value = static_cast<WORD>(Send(HKM_GETHOTKEY));
  HotKey hotKey{.key = LOBYTE(value)};
  for (auto [control, registration] : kBits)
    if (HIBYTE(value) & control) hotKey.modifiers |= registration;
  return hotKey;
}

void HotKeyBox::SetValue(const HotKey& value) {
  unsigned control = 0;
  for (auto [controlBit, registration] : kBits)
    if (value.modifiers & registration) control |= controlBit;
  Send(HKM_SETHOTKEY, MAKEWORD(value.key, control));
}

}  // namespace velmora
