#pragma once
// Raster operations on bitmaps: rectangle fills and copies and brush lines,
// always clipped to the pictures involved. Each returns the rectangle of the
// target it wrote, so the window can repaint just that.
#include <span>
#include <vector>

#include "imaging/Bitmap.h"

namespace velmora {

// A rectangle of pixels; the right and bottom edges lie outside it, as with
// the system's rectangles.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  int Width() const { return Empty() ? 0 : right - left; }
  int Height() const { return Empty() ? 0 : bottom - top; }
  bool Contains(const PixelRect& other) const {
    return other.Empty() ||
           (other.left >= left && other.top >= top && other.right <= right && other.bottom <= bottom);
  }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The common part; empty rectangles come out as {0, 0, 0, 0}.
PixelRect Intersect(const PixelRect& a, const PixelRect& b);
// The smallest rectangle holding both; an empty one adds nothing.
PixelRect Union(const PixelRect& a, const PixelRect& b);
inline PixelRect BoundsOf(const Bitmap& bitmap) {
  return {0, 0, bitmap.Width(), bitmap.Height()};
}

// Fills the part of `rect` inside the picture.
PixelRect FillRect(Bitmap& target, const PixelRect& rect, Pixel pixel);

// Copies the rectangle `source` of `from` one to one into `to`, its top-left
// pixel landing at (x, y). Only pixels that exist in both pictures are copied;
// the rest of the target stays as it was. `from` and `to` may be the same
// picture, with overlapping rectangles.
PixelRect CopyRect(Bitmap& to, int x, int y, const Bitmap& from, const PixelRect& source);

// Copies `rect` of `from` onto the same rectangle of `to`; where `rect` lies
// in `to` but beyond `from`, `to` gets `beyond` instead.
PixelRect RestoreRect(Bitmap& to, const Bitmap& from, const PixelRect& rect, Pixel beyond);

// One row's run of pixels of a shape; `right` is excluded.
struct Span {
  int y = 0;
  int left = 0;
  int right = 0;
  friend bool operator==(const Span&, const Span&) = default;
};

// The pixels a brush line from (x0, y0) to (x1, y1) of this width paints,
// within `clip`, as at most one span per row:
// - width 1: a one-pixel line that leaves out its end point (the next segment
//   paints it), as the system's thin pens do;
// - wider: every pixel whose centre lies within width / 2 of the segment, so
//   the ends and the joins of consecutive segments are round. Point (x, y)
//   names the centre of pixel (x, y) for odd widths and its top-left corner
//   for even ones, so a line is exactly `width` pixels across either way.
// A segment of no length paints nothing. Coordinates are clamped to
// +-kMaxLineCoordinate and widths to kMaxLineWidth, far beyond any screen.
inline constexpr int kMaxLineCoordinate = 1 << 26;
inline constexpr int kMaxLineWidth = 1 << 16;
void LineSpans(int x0, int y0, int x1, int y1, int width, const PixelRect& clip, std::vector<Span>& spans);

// Paints the spans in one colour, clipped to the picture.
PixelRect FillSpans(Bitmap& target, std::span<const Span> spans, Pixel pixel);

// A brush line on one picture.
PixelRect DrawLine(Bitmap& target, int x0, int y0, int x1, int y1, int width, Pixel pixel);

}  // namespace velmora
