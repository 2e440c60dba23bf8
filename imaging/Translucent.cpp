#include "imaging/Translucent.h"

namespace velmora {

namespace {

Pixel Blended(Pixel drawn, Pixel colour, int opacity) {
  if (drawn == kKeyPixel) return WithOpacity(colour, opacity);
  const int below = OpacityOf(drawn);
  if (below == 0) return Blend(colour, drawn, opacity);
  // Both translucent: the new colour over the old, as they will lie over the wallpaper.
  const int together = opacity + (below * (255 - opacity) + 127) / 255;
  if (together >= 255) return Blend(colour, ColourOf(drawn), opacity);
  Pixel out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int c = static_cast<int>(colour >> shift & 0xFF), d = static_cast<int>(drawn >> shift & 0xFF);
    const int weighted = c * opacity * 255 + d * below * (255 - opacity);
    out |= static_cast<Pixel>((weighted + together * 255 / 2) / (together * 255)) << shift;
  }
  return WithOpacity(out, together);
}

}  // namespace

Pixel Highlight(Pixel drawn, Pixel colour, int opacity) {
  return DrawnPixel(Blended(drawn, colour, opacity));
}

}  // namespace velmora
