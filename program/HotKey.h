#pragma once
// The global hotkey that opens a drawing session, and its line in the
// settings file: modifier names and the key joined by '+', as "Ctrl+Alt+N".
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Modifier bits, the values the system's hotkey registration takes.
inline constexpr unsigned kModAlt = 1;
inline constexpr unsigned kModCtrl = 2;
inline constexpr unsigned kModShift = 4;
inline constexpr unsigned kModWin = 8;

struct HotKey {
  unsigned modifiers = 0;
  unsigned key = 0;  // virtual-key code; 0 for no hotkey
  bool None() const { return key == 0; }
  bool operator==(const HotKey&) const = default;
};

inline constexpr HotKey kDefaultHotKey{kModCtrl | kModAlt, 'N'};
inline constexpr char kDefaultHotKeyText[] = "Ctrl+Alt+N";

// "Ctrl+Alt+N"; letters, digits and F1 to F24 by name, other keys as "#"
// and their code; an empty text for no hotkey.
std::string HotKeyText(const HotKey& hotKey);

// The text read back, modifier names in any letter case. An empty text is no
// hotkey. Nothing comes back for a text not understood, or for a key that
// would take an ordinary letter from every program (no Ctrl, Alt or Win, and
// no function key).
std::optional<HotKey> ParseHotKey(std::string_view text);

}  // namespace velmora
