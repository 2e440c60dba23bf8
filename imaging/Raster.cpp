#include "imaging/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace velmora {
namespace {

using Int64 = std::int64_t;
using UInt64 = std::uint64_t;

Int64 FloorDiv(Int64 a, Int64 b) {  // b > 0
  const Int64 q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

Int64 CeilDiv(Int64 a, Int64 b) {
  return -FloorDiv(-a, b);
}

int Clamp(int value, int limit) {
  return std::clamp(value, -limit, limit);
}

// Unsigned 64 x 64 -> 128-bit product as (high, low), so the exact distance
// test needs no 128-bit type (the 32-bit compiler has none).
struct Wide {
  UInt64 high;
  UInt64 low;
  friend bool operator<=(const Wide& a, const Wide& b) {
    return a.high < b.high || (a.high == b.high && a.low <= b.low);
  }
};

Wide Multiply(UInt64 a, UInt64 b) {
  const UInt64 aLow = a & 0xFFFFFFFFu, aHigh = a >> 32;
  const UInt64 bLow = b & 0xFFFFFFFFu, bHigh = b >> 32;
  const UInt64 lowLow = aLow * bLow;
  const UInt64 lowHigh = aLow * bHigh;
  const UInt64 highLow = aHigh * bLow;
  const UInt64 highHigh = aHigh * bHigh;
  const UInt64 middle = (lowLow >> 32) + (lowHigh & 0xFFFFFFFFu) + (highLow & 0xFFFFFFFFu);
  return {highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
          (middle << 32) | (lowLow & 0xFFFFFFFFu)};
}

// A wide line in doubled coordinates, where pixel (x, y) has its centre at
// (2x + 1, 2y + 1): all the geometry of round ends stays in whole numbers.
class Capsule {
 public:
  Capsule(int x0, int y0, int x1, int y1, int width)
      : ax_(2 * Int64{x0} + (width & 1)),
        ay_(2 * Int64{y0} + (width & 1)),
        bx_(2 * Int64{x1} + (width & 1)),
        by_(2 * Int64{y1} + (width & 1)),
        dx_(bx_ - ax_),
        dy_(by_ - ay_),
        lengthSquared_(dx_ * dx_ + dy_ * dy_),
        radius_(width) {}

  // Whether the centre of pixel (x, y) lies within the radius of the segment.
  bool Covers(int x, int y) const {
    const Int64 px = 2 * Int64{x} + 1, py = 2 * Int64{y} + 1;
    const Int64 vx = px - ax_, vy = py - ay_;
    const Int64 dot = vx * dx_ + vy * dy_;
    const Int64 radiusSquared = radius_ * radius_;
    if (dot <= 0) return vx * vx + vy * vy <= radiusSquared;
    if (dot >= lengthSquared_) {
      const Int64 wx = px - bx_, wy = py - by_;
      return wx * wx + wy * wy <= radiusSquared;
    }
    const Int64 cross = vx * dy_ - vy * dx_;
    const UInt64 distance = static_cast<UInt64>(cross < 0 ? -cross : cross);
    return Multiply(distance, distance) <=
           Multiply(static_cast<UInt64>(radiusSquared), static_cast<UInt64>(lengthSquared_));
  }

  // The rows the shape reaches.
  Int64 FirstRow() const { return CeilDiv(std::min(ay_, by_) - radius_ - 1, 2); }
  Int64 LastRow() const { return FloorDiv(std::max(ay_, by_) + radius_ - 1, 2); }

  // A close estimate of the row's run in floating point, which Covers then
  // settles exactly. Returns false when the row is plainly missed.
  bool EstimateRow(int y, double& left, double& right) const {
    const double rowY = 2.0 * y + 1;
    const double radius = static_cast<double>(radius_);
    double low = HUGE_VAL, high = -HUGE_VAL;
    auto addEnd = [&](Int64 cx, Int64 cy) {
      const double t = rowY - static_cast<double>(cy);
      if (std::fabs(t) > radius) return;
      const double half = std::sqrt(radius * radius - t * t);
      low = std::min(low, static_cast<double>(cx) - half);
      high = std::max(high, static_cast<double>(cx) + half);
    };
    addEnd(ax_, ay_);
    addEnd(bx_, by_);
    // The straight body: projection within the segment and distance within
    // the radius, each a band of X on this row.
    const double ax = static_cast<double>(ax_), dx = static_cast<double>(dx_), dy = static_cast<double>(dy_);
    const double along = (rowY - static_cast<double>(ay_)) * dy;
    const double across = (rowY - static_cast<double>(ay_)) * dx;
    const double lengthSquared = static_cast<double>(lengthSquared_);
    const double reach = radius * std::sqrt(lengthSquared);
    double bodyLow = -HUGE_VAL, bodyHigh = HUGE_VAL;
    bool inBody = true;
    if (dx_ != 0) {
      const double u1 = ax - along / dx, u2 = ax + (lengthSquared - along) / dx;
      bodyLow = std::max(bodyLow, std::min(u1, u2));
      bodyHigh = std::min(bodyHigh, std::max(u1, u2));
    } else {
      inBody = along >= 0 && along <= lengthSquared;
    }
    if (dy_ != 0) {
      const double u1 = ax + (across - reach) / dy, u2 = ax + (across + reach) / dy;
      bodyLow = std::max(bodyLow, std::min(u1, u2));
      bodyHigh = std::min(bodyHigh, std::max(u1, u2));
    } else {
      inBody = inBody && std::fabs(across) <= reach;
    }
    if (inBody && bodyLow <= bodyHigh) {
      low = std::min(low, bodyLow);
      high = std::max(high, bodyHigh);
    }
    if (low > high) return false;
    left = (low - 1) / 2;
    right = (high - 1) / 2;
    return true;
  }

 private:
  Int64 ax_, ay_, bx_, by_, dx_, dy_, lengthSquared_, radius_;
};

void WideLineSpans(int x0, int y0, int x1, int y1, int width, const PixelRect& clip,
                   std::vector<Span>& spans) {
  const Capsule capsule(x0, y0, x1, y1, width);
  const int firstRow = static_cast<int>(std::max<Int64>(capsule.FirstRow(), clip.top));
  const int lastRow = static_cast<int>(std::min<Int64>(capsule.LastRow(), clip.bottom - 1));
  for (int y = firstRow; y <= lastRow; ++y) {
    double low, high;
    if (!capsule.EstimateRow(y, low, high)) continue;
    // A pixel of slack on each side; the exact test then walks in or out.
    const double lowest = clip.left, highest = clip.right - 1;
    int left = static_cast<int>(std::clamp(std::ceil(low) - 1, lowest, highest));
    int right = static_cast<int>(std::clamp(std::floor(high) + 1, lowest, highest));
    while (left > clip.left && capsule.Covers(left - 1, y)) --left;
    while (left <= right && !capsule.Covers(left, y)) ++left;
    while (right < clip.right - 1 && right >= left && capsule.Covers(right + 1, y)) ++right;
    while (right >= left && !capsule.Covers(right, y)) --right;
    if (left <= right) spans.push_back({y, left, right + 1});
  }
}

// Whole-number line stepping along the longer axis; the pixel for step i is
// found directly, so only the steps inside the clip rectangle are visited.
void ThinLineSpans(int x0, int y0, int x1, int y1, const PixelRect& clip, std::vector<Span>& spans) {
  const Int64 dx = Int64{x1} - x0, dy = Int64{y1} - y0;
  const Int64 adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const bool alongX = adx >= ady;
  const Int64 steps = alongX ? adx : ady;
  const Int64 minor = alongX ? ady : adx;
  // Steps whose major coordinate lies inside the clip; the end point is left out.
  const int major0 = alongX ? x0 : y0;
  const int sMajor = alongX ? sx : sy;
  const int clipLow = alongX ? clip.left : clip.top;
  const int clipHigh = (alongX ? clip.right : clip.bottom) - 1;
  Int64 first = sMajor > 0 ? Int64{clipLow} - major0 : Int64{major0} - clipHigh;
  Int64 last = sMajor > 0 ? Int64{clipHigh} - major0 : Int64{major0} - clipLow;
  first = std::max<Int64>(first, 0);
  last = std::min<Int64>(last, steps - 1);
  for (Int64 i = first; i <= last; ++i) {
    const Int64 offset = (2 * i * minor + steps) / (2 * steps);
    const int x = static_cast<int>(alongX ? x0 + sx * i : x0 + sx * offset);
    const int y = static_cast<int>(alongX ? y0 + sy * offset : y0 + sy * i);
    if (y < clip.top || y >= clip.bottom || x < clip.left || x >= clip.right) continue;
    if (!spans.empty() && spans.back().y == y) {
      spans.back().left = std::min(spans.back().left, x);
      spans.back().right = std::max(spans.back().right, x + 1);
    } else {
      spans.push_back({y, x, x + 1});
    }
  }
}

}  // namespace

PixelRect Intersect(const PixelRect& a, const PixelRect& b) {
  const PixelRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
  return r.Empty() ? PixelRect{} : r;
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  if (a.Empty()) return b.Empty() ? PixelRect{} : b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

PixelRect FillRect(Bitmap& target, const PixelRect& rect, Pixel pixel) {
  const PixelRect area = Intersect(rect, BoundsOf(target));
  for (int y = area.top; y < area.bottom; ++y)
    std::fill(target.Row(y) + area.left, target.Row(y) + area.right, pixel);
  return area;
}

PixelRect CopyRect(Bitmap& to, int x, int y, const Bitmap& from, const PixelRect& source) {
  const PixelRect inSource = Intersect(source, BoundsOf(from));
  const int shiftX = x - source.left, shiftY = y - source.top;
  const PixelRect area = Intersect(
      {inSource.left + shiftX, inSource.top + shiftY, inSource.right + shiftX, inSource.bottom + shiftY},
      BoundsOf(to));
  if (area.Empty()) return {};
  const std::size_t bytes = static_cast<std::size_t>(area.Width()) * sizeof(Pixel);
  // Within one picture, rows are taken in the order that reads each before it
  // is overwritten.
  const bool upward = &to == &from && shiftY > 0;
  for (int i = 0; i < area.Height(); ++i) {
    const int row = upward ? area.bottom - 1 - i : area.top + i;
    std::memmove(to.Row(row) + area.left, from.Row(row - shiftY) + area.left - shiftX, bytes);
  }
  return area;
}

PixelRect RestoreRect(Bitmap& to, const Bitmap& from, const PixelRect& rect, Pixel beyond) {
  const PixelRect area = Intersect(rect, BoundsOf(to));
  if (!BoundsOf(from).Contains(area)) FillRect(to, area, beyond);
  CopyRect(to, rect.left, rect.top, from, rect);
  return area;
}

void LineSpans(int x0, int y0, int x1, int y1, int width, const PixelRect& clip, std::vector<Span>& spans) {
  spans.clear();
  x0 = Clamp(x0, kMaxLineCoordinate);
  y0 = Clamp(y0, kMaxLineCoordinate);
  x1 = Clamp(x1, kMaxLineCoordinate);
  y1 = Clamp(y1, kMaxLineCoordinate);
  if (clip.Empty() || (x0 == x1 && y0 == y1)) return;
  width = std::min(width, kMaxLineWidth);
  if (width <= 1) {
    ThinLineSpans(x0, y0, x1, y1, clip, spans);
  } else {
    WideLineSpans(x0, y0, x1, y1, width, clip, spans);
  }
}

PixelRect FillSpans(Bitmap& target, std::span<const Span> spans, Pixel pixel) {
  PixelRect dirty;
  const int width = target.Width(), height = target.Height();
  for (const Span& span : spans) {
    if (span.y < 0 || span.y >= height) continue;
    const int left = std::max(span.left, 0), right = std::min(span.right, width);
    if (left >= right) continue;
    Pixel* row = target.Row(span.y);
    std::fill(row + left, row + right, pixel);
    dirty = Union(dirty, {left, span.y, right, span.y + 1});
  }
  return dirty;
}

PixelRect DrawLine(Bitmap& target, int x0, int y0, int x1, int y1, int width, Pixel pixel) {
  std::vector<Span> spans;
  LineSpans(x0, y0, x1, y1, width, BoundsOf(target), spans);
  return FillSpans(target, spans, pixel);
}

}  // namespace velmora
