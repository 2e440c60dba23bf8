#pragma once
// A font as the window layouts describe it.
#include <string>

#include "ui/Color.h"

namespace velmora {

inline constexpr int kDefaultCharset = 1;
inline constexpr int kCyrillicCharset = 204;

struct FontInfo {
  std::string name = "MS Sans Serif";
  int height = 11;  // character height in pixels at `dpi`, without the internal leading
  int dpi = 96;     // layouts give 96-DPI pixels; a font chosen by the user, the screen's
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int charset = kDefaultCharset;
  Color color = colors::kWindowText;

  friend bool operator==(const FontInfo&, const FontInfo&) = default;
};

}  // namespace velmora
