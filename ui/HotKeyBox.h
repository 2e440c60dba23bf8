#pragma once
// The system's hotkey control: the user presses a key combination and the box
// shows and holds it.
#include "program/HotKey.h"
#include "ui/SystemControls.h"

namespace velmora {

struct HotKeyBoxProps {
  Rect bounds{};
  HotKey value{};
};

class HotKeyBox : public SystemControl {
 public:
  HotKeyBox(Container& parent, const HotKeyBoxProps& props);

  HotKey Value() const;
  void SetValue(const HotKey& value);
};

}  // namespace velmora
