#pragma once
// The shapes the drawing tools lay down in one piece at the release: a straight
// line, an arrow, a rectangle and an ellipse, each dragged from a press point
// to a release point in the brush's width, as rows of spans. While dragging,
// the shape is shown on the visible canvas alone (ShapeOverlay), so that each
// mouse move costs only the shape's own pixels.
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include "imaging/Bitmap.h"
#include "imaging/Raster.h"

namespace velmora {

enum class Figure { kLine, kArrow, kRectangle, kEllipse };

// The release point that makes the box from the press point a square (the
// larger side wins), as Shift asks for rectangles and ellipses.
void SquareEnd(int x0, int y0, int& x1, int& y1);

// The pixels of a shape dragged from (x0, y0) to (x1, y1) with a pen of
// `width`, within `clip`. Rows may hold several spans and spans may overlap.
// - line: the brush line, its end point included at width 1;
// - arrow: a line ending in a filled head whose tip is the release point;
// - rectangle: an outline whose edges are `width` pixels wide, centred on the
//   pixels dragged between (as the brush line is), with square corners;
// - ellipse: the outline of the ellipse inscribed in that box, centred on it.
// A drag of no length gives nothing.
void ShapeSpans(Figure kind, int x0, int y0, int x1, int y1, int width, const PixelRect& clip,
                std::vector<Span>& spans);

// A numbered mark stamped at (x, y) for a brush size: a filled disk and the
// number's digits on it, drawn as strokes, centred on the point.
int NumberMarkRadius(int brushSize);
void NumberMarkSpans(int x, int y, int brushSize, int number, const PixelRect& clip, std::vector<Span>& disk,
                     std::vector<Span>& digits);
// Black on light colours, white on dark ones.
Pixel ContrastOf(Pixel pixel);

// Rectangles covering the spans, few enough to repaint one by one: spans are
// gathered in bands of rows and joined where they lie close in a band.
void SpanRects(std::span<const Span> spans, std::vector<PixelRect>& rects);

// What a stroke has covered so far, row by row: a translucent stroke lays
// each pixel once, so it is no darker where it crosses itself.
class StrokeCover {
 public:
  void Clear() { rows_.clear(); }
  // The parts of the spans not covered yet into `fresh`; they are covered now.
  void Take(std::span<const Span> spans, std::vector<Span>& fresh);

 private:
  std::unordered_map<int, std::vector<std::pair<int, int>>> rows_;  // sorted, apart
};

// A shape shown on a picture over what lies there, taken off again before the
// next one. The picture as it was when the first shape came is kept as a copy
// that shares its bands until the shape writes them, so keeping it costs only
// the bands the shapes reach. A new shape changes only the pixels where it
// differs from the one before, so dragging a large outline costs what moved,
// not the whole outline.
class ShapeOverlay {
 public:
  // Shows the spans in `pixel` (clipped to the picture) in place of the shape
  // shown before; with an `opacity` (of 255), that share of `pixel` over what
  // lay there. The pixels changed are appended to `changed` as spans.
  void Show(Bitmap& picture, std::span<const Span> spans, Pixel pixel, int opacity = 0,
            std::vector<Span>* changed = nullptr);
  // Puts back what the shape covered; the spans it had are appended to `removed`.
  void Remove(Bitmap& picture, std::vector<Span>* removed = nullptr);
  bool Shown() const { return shown_; }

 private:
  bool shown_ = false;
  Bitmap original_;
  std::vector<Span> runs_;  // by row, then left to right, apart
  Pixel pixel_ = 0;
  int opacity_ = 0;
  std::vector<Span> nextRuns_;
};

}  // namespace velmora
