#pragma once
// The system's hotkey control: the user presses a key combination and the box
// shows and holds it.
#include "ui/SystemControls.h"

namespace velmora {

// A key combination as the system's hotkey registration takes it: MOD_ALT,
// MOD_CONTROL, MOD_SHIFT and MOD_WIN bits and a virtual-key code (0: none).
struct KeyCombination {
  unsigned modifiers = 0;
  unsigned key = 0;
  bool None() const { return key == 0; }
  bool operator==(const KeyCombination&) const = default;
};

struct HotKeyBoxProps {
  Rect bounds{};
  KeyCombination value{};
};

class HotKeyBox : public SystemControl {
 public:
  HotKeyBox(Container& parent, const HotKeyBoxProps& props);

  KeyCombination Value() const;
  void SetValue(const KeyCombination& value);
};

}  // namespace velmora
