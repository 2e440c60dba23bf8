#include "program/HotKey.h"

#include <cctype>
#include <vector>

namespace velmora {
namespace {

constexpr unsigned kF1 = 0x70;
constexpr unsigned kF24 = 0x87;

struct Modifier {
  unsigned bit;
  const char* name;
};
constexpr Modifier kModifiers[] = {
    {kModCtrl, "Ctrl"}, {kModAlt, "Alt"}, {kModShift, "Shift"}, {kModWin, "Win"}};

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::optional<unsigned> Number(std::string_view digits) {
  if (digits.empty() || digits.size() > 3) return std::nullopt;
  unsigned value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value;
}

std::optional<unsigned> KeyOf(std::string_view name) {
  if (name.size() == 1) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned>(c);
    return std::nullopt;
  }
  if (name[0] == 'F' || name[0] == 'f') {
    const auto n = Number(name.substr(1));
    if (n && *n >= 1 && *n <= 24) return kF1 + *n - 1;
    return std::nullopt;
  }
  if (name[0] == '#') {
    const auto code = Number(name.substr(1));
    if (code && *code >= 1 && *code <= 254) return *code;
  }
  return std::nullopt;
}

}  // namespace

std::string HotKeyText(const HotKey& hotKey) {
  if (hotKey.None()) return "";
  // Appended piece by piece: GCC 12 misreads concatenated temporaries here.
  std::string text;
  for (const Modifier& m : kModifiers) {
    if (!(hotKey.modifiers & m.bit)) continue;
    text.append(m.name);
    text.push_back('+');
  }
  const unsigned key = hotKey.key;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    text.push_back(static_cast<char>(key));
  } else if (key >= kF1 && key <= kF24) {
    text.push_back('F');
    text.append(std::to_string(key - kF1 + 1));
  } else {
    text.push_back('#');
    text.append(std::to_string(key));
  }
  return text;
}

std::optional<HotKey> ParseHotKey(std::string_view text) {
  if (text.empty()) return HotKey{};
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    const size_t plus = text.find('+', start);
    parts.push_back(
        text.substr(start, plus == std::string_view::npos ? std::string_view::npos : plus - start));
    if (plus == std::string_view::npos) break;
    start = plus + 1;
  }
  HotKey hotKey;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    unsigned bit = 0;
    for (const Modifier& m : kModifiers)
      if (SameWord(parts[i], m.name)) bit = m.bit;
    if (bit == 0 || (hotKey.modifiers & bit)) return std::nullopt;
    hotKey.modifiers |= bit;
  }
  if (parts.back().empty()) return std::nullopt;
  const auto key = KeyOf(parts.back());
  if (!key) return std::nullopt;
  hotKey.key = *key;
  const bool functionKey = hotKey.key >= kF1 && hotKey.key <= kF24;
  if (!functionKey && !(hotKey.modifiers & (kModCtrl | kModAlt | kModWin))) return std::nullopt;
  return hotKey;
}

}  // namespace velmora
