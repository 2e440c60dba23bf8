#pragma once
// Translucent drawing: the highlighter lays a share of its colour over what
// lies beneath. The drawing layer keeps such a pixel as its colour with its
// opacity in the pixel's unused byte (0 for the opaque pixels of every other
// tool), so the drawing stays translucent over whatever wallpaper comes next.
#include <cstdint>

#include "imaging/Bitmap.h"

namespace velmora {

// 40 % of 255.
inline constexpr int kHighlightOpacity = 102;

// The opacity a drawing-layer pixel carries, 1 to 254; 0 for an opaque one.
constexpr int OpacityOf(Pixel pixel) {
  return static_cast<int>(pixel >> 24);
}
constexpr Pixel ColourOf(Pixel pixel) {
  return pixel & 0x00FFFFFFu;
}
constexpr Pixel WithOpacity(Pixel colour, int opacity) {
  return ColourOf(colour) | static_cast<Pixel>(opacity) << 24;
}

// `colour` at `opacity` (of 255) over the opaque `under`; opaque.
constexpr Pixel Blend(Pixel colour, Pixel under, int opacity) {
  Pixel out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int c = static_cast<int>(colour >> shift & 0xFF), u = static_cast<int>(under >> shift & 0xFF);
    out |= static_cast<Pixel>((c * opacity + u * (255 - opacity) + 127) / 255) << shift;
  }
  return out;
}

// A drawing-layer pixel over an opaque picture, as the composition lays it.
constexpr Pixel Over(Pixel drawn, Pixel under) {
  const int opacity = OpacityOf(drawn);
  return opacity == 0 ? drawn : Blend(drawn, under, opacity);
}

// `colour` at `opacity` laid on a drawing-layer pixel: the key colour takes
// the translucent colour, an opaque pixel the blend, a translucent one the
// two together, more opaque. The result's colour is never the key colour
// (DrawnPixel).
Pixel Highlight(Pixel drawn, Pixel colour, int opacity);

}  // namespace velmora
