#include "base/DpiScale.h"

#include <cstdint>

namespace velmora {

int BetweenDpis(int pixels, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || fromDpi == toDpi) return pixels;
  const std::int64_t product = static_cast<std::int64_t>(pixels) * toDpi;
  const std::int64_t half = fromDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / fromDpi : -((-product + half) / fromDpi));
}

int FontHeightBetweenDpis(int height, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || fromDpi == toDpi) return height;
  return static_cast<int>(static_cast<std::int64_t>(height) * toDpi / fromDpi);
}

int ToDpi(int layoutPixels, int dpi) { return BetweenDpis(layoutPixels, kLayoutDpi, dpi); }
int FromDpi(int pixels, int dpi) { return BetweenDpis(pixels, dpi, kLayoutDpi); }

Point ToDpi(Point p, int dpi) { return {ToDpi(p.x, dpi), ToDpi(p.y, dpi)}; }
Size ToDpi(Size s, int dpi) { return {ToDpi(s.width, dpi), ToDpi(s.height, dpi)}; }

Rect ToDpi(const Rect& r, int dpi) {
  return {ToDpi(r.left, dpi), ToDpi(r.top, dpi), ToDpi(r.width, dpi), ToDpi(r.height, dpi)};
}

Rect FromDpi(const Rect& r, int dpi) {
  return {FromDpi(r.left, dpi), FromDpi(r.top, dpi), FromDpi(r.width, dpi), FromDpi(r.height, dpi)};
}

}  // namespace velmora
