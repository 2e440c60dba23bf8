// Windows-1252 stands for the ANSI code page where there is no Windows.
#include <array>
#include <cstdint>

#include "base/CodePage.h"

namespace velmora {
namespace {

// 0x80 to 0x9F; 0 where the code page has no character.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t FromByte(unsigned char b) {
  if (b >= 0x80 && b < 0xA0) return kHigh[b - 0x80] ? kHigh[b - 0x80] : 0xFFFD;
  return b;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The next character of UTF-8 text; nothing for an invalid sequence.
bool NextChar(std::string_view text, size_t& i, char32_t& c) {
  const auto b = static_cast<unsigned char>(text[i]);
  int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0 || text.size() - i <= static_cast<size_t>(extra)) return false;
  c = extra == 0 ? b : b & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
    if ((next & 0xC0) != 0x80) return false;
    c = (c << 6) | (next & 0x3F);
  }
  i += static_cast<size_t>(extra) + 1;
  return true;
}

}  // namespace

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  for (char b : ansi) AppendUtf8(out, FromByte(static_cast<unsigned char>(b)));
  return out;
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    if (!NextChar(utf8, i, c)) return std::nullopt;
    if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
      out += static_cast<char>(c);
      continue;
    }
    size_t k = 0;
    while (k < kHigh.size() && kHigh[k] != c) ++k;
    if (k == kHigh.size() || c == 0) return std::nullopt;
    out += static_cast<char>(0x80 + k);
  }
  return out;
}

}  // namespace velmora
