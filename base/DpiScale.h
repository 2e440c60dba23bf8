#pragma once
// Window layouts are drawn for 96 dots per inch; a display scaled to 125, 150
// or 200 % has 120, 144 or 192. These carry a layout's pixels to a display's
// and back.
#include "base/Geometry.h"

namespace velmora {

inline constexpr int kLayoutDpi = 96;

// Layout pixels at `dpi`, rounded to the nearest pixel (halves away from zero).
int ToDpi(int layoutPixels, int dpi);
// Pixels at `dpi` as layout pixels. For dpi >= 96 a value taken to `dpi` and
// back is the value it was.
int FromDpi(int pixels, int dpi);
// Pixels at one DPI as pixels at another.
int BetweenDpis(int pixels, int fromDpi, int toDpi);

// A font's height at another DPI, rounded down: a text then stays within the
// box its layout gives it, which grows by the exact scale.
int FontHeightBetweenDpis(int height, int fromDpi, int toDpi);

Point ToDpi(Point p, int dpi);
Size ToDpi(Size s, int dpi);
// Each of left, top, width and height scaled on its own, as a layout gives them.
Rect ToDpi(const Rect& r, int dpi);
Rect FromDpi(const Rect& r, int dpi);

}  // namespace velmora
