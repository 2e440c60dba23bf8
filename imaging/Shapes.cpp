#include "imaging/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "imaging/Translucent.h"

namespace velmora {
namespace {

// Far beyond any screen; keeps the arithmetic well inside its types.
constexpr int kMaxCoordinate = kMaxLineCoordinate;
constexpr double kSlack = 1e-9;

void AddSpan(std::vector<Span>& spans, const PixelRect& clip, int y, int left, int right) {
  if (y < clip.top || y >= clip.bottom) return;
  left = std::max(left, clip.left);
  right = std::min(right, clip.right);
  if (left < right) spans.push_back({y, left, right});
}

void RectangleSpans(int x0, int y0, int x1, int y1, int width, const PixelRect& clip,
                    std::vector<Span>& spans) {
  const int left = std::min(x0, x1), right = std::max(x0, x1);
  const int top = std::min(y0, y1), bottom = std::max(y0, y1);
  // The pen lies over each edge as the brush line lies over its points: an
  // even width has one pixel more before the edge than after it.
  const int before = width / 2, after = (width - 1) / 2;
  const int outerLeft = left - before, outerRight = right + after + 1;
  const int holeLeft = left + after + 1, holeRight = right - before;  // right excluded
  const int holeTop = top + after + 1, holeBottom = bottom - before;
  const int firstRow = std::max(top - before, clip.top), lastRow = std::min(bottom + after, clip.bottom - 1);
  for (int y = firstRow; y <= lastRow; ++y) {
    if (y >= holeTop && y < holeBottom && holeLeft < holeRight) {
      AddSpan(spans, clip, y, outerLeft, holeLeft);
      AddSpan(spans, clip, y, holeRight, outerRight);
    } else {
      AddSpan(spans, clip, y, outerLeft, outerRight);
    }
  }
}

void EllipseSpans(int x0, int y0, int x1, int y1, int width, const PixelRect& clip,
                  std::vector<Span>& spans) {
  // Pixel (x, y) stands for its centre; the pen's middle runs through the
  // centres of the pixels at the box's sides.
  const double cx = (static_cast<double>(x0) + x1) / 2, cy = (static_cast<double>(y0) + y1) / 2;
  const double a = std::fabs(static_cast<double>(x1) - x0) / 2,
               b = std::fabs(static_cast<double>(y1) - y0) / 2;
  const double half = width / 2.0;
  const double outerA = a + half, outerB = b + half;
  const double innerA = a - half, innerB = b - half;
  const bool hollow = innerA > 0 && innerB > 0;
  const int firstRow = std::max(static_cast<int>(std::ceil(cy - outerB - kSlack)), clip.top);
  const int lastRow = std::min(static_cast<int>(std::floor(cy + outerB + kSlack)), clip.bottom - 1);
  for (int y = firstRow; y <= lastRow; ++y) {
    const double dy = y - cy;
    const double outer = outerA * std::sqrt(std::max(0.0, 1 - (dy / outerB) * (dy / outerB)));
    const int left = static_cast<int>(std::ceil(cx - outer - kSlack));
    const int right = static_cast<int>(std::floor(cx + outer + kSlack)) + 1;
    if (hollow && std::fabs(dy) < innerB) {
      const double inner = innerA * std::sqrt(1 - (dy / innerB) * (dy / innerB));
      // Centres strictly inside the inner ellipse are the hole.
      const int holeLeft = static_cast<int>(std::floor(cx - inner + kSlack)) + 1;
      const int holeRight = static_cast<int>(std::ceil(cx + inner - kSlack));  // excluded
      if (holeLeft < holeRight) {
        AddSpan(spans, clip, y, left, std::max(left, holeLeft));
        AddSpan(spans, clip, y, std::min(right, holeRight), right);
        continue;
      }
    }
    AddSpan(spans, clip, y, left, right);
  }
}

// Every pixel whose centre lies in the triangle.
void TriangleSpans(const double (&x)[3], const double (&y)[3], const PixelRect& clip,
                   std::vector<Span>& spans) {
  const double top = std::min({y[0], y[1], y[2]}), bottom = std::max({y[0], y[1], y[2]});
  const int firstRow = std::max(static_cast<int>(std::ceil(top - kSlack)), clip.top);
  const int lastRow = std::min(static_cast<int>(std::floor(bottom + kSlack)), clip.bottom - 1);
  for (int row = firstRow; row <= lastRow; ++row) {
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (int i = 0; i < 3; ++i) {
      const int j = (i + 1) % 3;
      const double ya = y[i], yb = y[j];
      if (row < std::min(ya, yb) - kSlack || row > std::max(ya, yb) + kSlack) continue;
      if (std::fabs(yb - ya) < kSlack) {
        low = std::min({low, x[i], x[j]});
        high = std::max({high, x[i], x[j]});
        continue;
      }
      const double at = x[i] + (x[j] - x[i]) * (row - ya) / (yb - ya);
      low = std::min(low, at);
      high = std::max(high, at);
    }
    if (low > high) continue;
    AddSpan(spans, clip, row, static_cast<int>(std::ceil(low - kSlack)),
            static_cast<int>(std::floor(high + kSlack)) + 1);
  }
}

void ArrowSpans(int x0, int y0, int x1, int y1, int width, const PixelRect& clip, std::vector<Span>& spans) {
  const double dx = static_cast<double>(x1) - x0, dy = static_cast<double>(y1) - y0;
  const double length = std::hypot(dx, dy);
  // A head in proportion to the pen, never longer than the arrow.
  const double headLength = std::min(length, 10.0 + 3.0 * width);
  const double headHalf = std::max(headLength / 2, double(width));
  const double ux = dx / length, uy = dy / length;
  const double baseX = x1 - ux * headLength, baseY = y1 - uy * headLength;
  std::vector<Span> line;
  const int shaftX = static_cast<int>(std::lround(baseX)), shaftY = static_cast<int>(std::lround(baseY));
  LineSpans(x0, y0, shaftX, shaftY, width, clip, line);
  spans.insert(spans.end(), line.begin(), line.end());
  const double tx[3] = {double(x1), baseX - uy * headHalf, baseX + uy * headHalf};
  const double ty[3] = {double(y1), baseY + ux * headHalf, baseY - ux * headHalf};
  TriangleSpans(tx, ty, clip, spans);
  AddSpan(spans, clip, y1, x1, x1 + 1);  // the tip itself, however slim the head
}

// The digits as strokes on a grid 4 wide and 6 high, in the manner of a
// seven-segment display: each is one or two runs of points.
struct Glyph {
  std::vector<std::vector<std::pair<int, int>>> runs;
};

const Glyph& GlyphOf(int digit) {
  static const Glyph glyphs[10] = {
      {{{{0, 0}, {4, 0}, {4, 6}, {0, 6}, {0, 0}}}},
      {{{{1, 1}, {2, 0}, {2, 6}}}},
      {{{{0, 0}, {4, 0}, {4, 3}, {0, 3}, {0, 6}, {4, 6}}}},
      {{{{0, 0}, {4, 0}, {4, 6}, {0, 6}}, {{1, 3}, {4, 3}}}},
      {{{{0, 0}, {0, 3}, {4, 3}}, {{4, 0}, {4, 6}}}},
      {{{{4, 0}, {0, 0}, {0, 3}, {4, 3}, {4, 6}, {0, 6}}}},
      {{{{4, 0}, {0, 0}, {0, 6}, {4, 6}, {4, 3}, {0, 3}}}},
      {{{{0, 0}, {4, 0}, {1, 6}}}},
      {{{{0, 0}, {4, 0}, {4, 6}, {0, 6}, {0, 0}}, {{0, 3}, {4, 3}}}},
      {{{{4, 3}, {0, 3}, {0, 0}, {4, 0}, {4, 6}, {0, 6}}}},
  };
  return glyphs[digit];
}

}  // namespace

int NumberMarkRadius(int brushSize) {
  return std::clamp(12 + 2 * brushSize, 12, 160);
}

void NumberMarkSpans(int x, int y, int brushSize, int number, const PixelRect& clip, std::vector<Span>& disk,
                     std::vector<Span>& digits) {
  disk.clear();
  digits.clear();
  x = std::clamp(x, -kMaxCoordinate, kMaxCoordinate);
  y = std::clamp(y, -kMaxCoordinate, kMaxCoordinate);
  const int radius = NumberMarkRadius(brushSize);
  const int firstRow = std::max(y - radius, clip.top), lastRow = std::min(y + radius, clip.bottom - 1);
  for (int row = firstRow; row <= lastRow; ++row) {
    const int half =
        static_cast<int>(std::floor(std::sqrt(double(radius) * radius - double(row - y) * (row - y))));
    AddSpan(disk, clip, row, x - half, x + half + 1);
  }
  const std::string text = std::to_string(std::max(number, 0));
  const int count = static_cast<int>(text.size());
  // Digits 4 units wide with 2 between, as tall as the radius, narrower when
  // many must fit across the disk.
  const double unit = std::min(radius / 6.0, 1.4 * radius / (6.0 * count - 2));
  const int pen = std::max(2, static_cast<int>(std::lround(unit * 0.9)));
  const double left = x - unit * (6.0 * count - 2) / 2, top = y - unit * 3;
  std::vector<Span> stroke;
  for (int i = 0; i < count; ++i) {
    for (const auto& run : GlyphOf(text[static_cast<std::size_t>(i)] - '0').runs) {
      const auto at = [&](const std::pair<int, int>& p) {
        return std::pair(static_cast<int>(std::lround(left + unit * (6.0 * i + p.first))),
                         static_cast<int>(std::lround(top + unit * p.second)));
      };
      for (std::size_t j = 1; j < run.size(); ++j) {
        const auto [x0, y0] = at(run[j - 1]);
        const auto [x1, y1] = at(run[j]);
        LineSpans(x0, y0, x1, y1, pen, clip, stroke);
        digits.insert(digits.end(), stroke.begin(), stroke.end());
      }
    }
  }
}

Pixel ContrastOf(Pixel pixel) {
  const int red = pixel >> 16 & 0xFF, green = pixel >> 8 & 0xFF, blue = pixel & 0xFF;
  return 299 * red + 587 * green + 114 * blue >= 140000 ? kBlackPixel : kWhitePixel;
}

void SquareEnd(int x0, int y0, int& x1, int& y1) {
  const int side = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  x1 = x0 + (x1 < x0 ? -side : side);
  y1 = y0 + (y1 < y0 ? -side : side);
}

void ShapeSpans(Figure kind, int x0, int y0, int x1, int y1, int width, const PixelRect& clip,
                std::vector<Span>& spans) {
  spans.clear();
  x0 = std::clamp(x0, -kMaxCoordinate, kMaxCoordinate);
  y0 = std::clamp(y0, -kMaxCoordinate, kMaxCoordinate);
  x1 = std::clamp(x1, -kMaxCoordinate, kMaxCoordinate);
  y1 = std::clamp(y1, -kMaxCoordinate, kMaxCoordinate);
  width = std::clamp(width, 1, kMaxLineWidth);
  if (clip.Empty() || (x0 == x1 && y0 == y1)) return;
  switch (kind) {
    case Figure::kLine:
      LineSpans(x0, y0, x1, y1, width, clip, spans);
      // A line drawn at once ends where it was dragged to, thin or not.
      if (width == 1) AddSpan(spans, clip, y1, x1, x1 + 1);
      return;
    case Figure::kArrow:
      ArrowSpans(x0, y0, x1, y1, width, clip, spans);
      return;
    case Figure::kRectangle:
      RectangleSpans(x0, y0, x1, y1, width, clip, spans);
      return;
    case Figure::kEllipse:
      EllipseSpans(x0, y0, x1, y1, width, clip, spans);
      return;
  }
}

void SpanRects(std::span<const Span> spans, std::vector<PixelRect>& rects) {
  constexpr int kBand = 16;  // rows gathered into one rectangle
  constexpr int kGap = 16;   // columns between spans still joined
  rects.clear();
  std::vector<Span> sorted(spans.begin(), spans.end());
  const auto band = [](int y) { return y >= 0 ? y / kBand : -((-y + kBand - 1) / kBand); };
  std::sort(sorted.begin(), sorted.end(), [&](const Span& a, const Span& b) {
    return band(a.y) != band(b.y) ? band(a.y) < band(b.y) : a.left < b.left;
  });
  for (std::size_t i = 0; i < sorted.size();) {
    const int current = band(sorted[i].y);
    PixelRect rect{sorted[i].left, sorted[i].y, sorted[i].right, sorted[i].y + 1};
    for (++i; i < sorted.size() && band(sorted[i].y) == current; ++i) {
      const Span& s = sorted[i];
      if (s.left > rect.right + kGap) {
        rects.push_back(rect);
        rect = {s.left, s.y, s.right, s.y + 1};
        continue;
      }
      rect = Union(rect, {s.left, s.y, s.right, s.y + 1});
    }
    rects.push_back(rect);
  }
}

void StrokeCover::Take(std::span<const Span> spans, std::vector<Span>& fresh) {
  fresh.clear();
  for (const Span& span : spans) {
    std::vector<std::pair<int, int>>& row = rows_[span.y];
    int from = span.left;
    for (const auto& [left, right] : row) {
      if (right <= from) continue;
      if (left >= span.right) break;
      if (left > from) fresh.push_back({span.y, from, left});
      from = std::max(from, right);
    }
    if (from < span.right) fresh.push_back({span.y, from, span.right});
    // The span joins the row's runs, merged with those it touches.
    std::vector<std::pair<int, int>> merged;
    merged.reserve(row.size() + 1);
    std::pair<int, int> added{span.left, span.right};
    bool placed = false;
    for (const auto& run : row) {
      if (run.second < added.first) {
        merged.push_back(run);
      } else if (run.first > added.second) {
        if (!placed) merged.push_back(added), placed = true;
        merged.push_back(run);
      } else {
        added = {std::min(added.first, run.first), std::max(added.second, run.second)};
      }
    }
    if (!placed) merged.push_back(added);
    row = std::move(merged);
  }
}

void ShapeOverlay::Show(Bitmap& picture, std::span<const Span> spans, Pixel pixel, int opacity,
                        std::vector<Span>* changed) {
  // What lies where both shapes do is kept only when it looks the same.
  if (shown_ && (pixel != pixel_ || opacity != opacity_)) Remove(picture, changed);
  if (!shown_) original_.Assign(picture);
  shown_ = true;
  pixel_ = pixel;
  opacity_ = opacity;
  // The new shape as apart runs, row by row.
  nextRuns_.clear();
  const PixelRect bounds = BoundsOf(picture);
  for (const Span& span : spans) AddSpan(nextRuns_, bounds, span.y, span.left, span.right);
  std::sort(nextRuns_.begin(), nextRuns_.end(),
            [](const Span& a, const Span& b) { return a.y != b.y ? a.y < b.y : a.left < b.left; });
  std::size_t joined = 0;
  for (const Span& span : nextRuns_) {
    if (joined > 0 && nextRuns_[joined - 1].y == span.y && span.left <= nextRuns_[joined - 1].right) {
      nextRuns_[joined - 1].right = std::max(nextRuns_[joined - 1].right, span.right);
    } else {
      nextRuns_[joined++] = span;
    }
  }
  nextRuns_.resize(joined);

  const Bitmap& original = original_;
  std::size_t o = 0, n = 0;
  while (o < runs_.size() || n < nextRuns_.size()) {
    const int y = n == nextRuns_.size() ? runs_[o].y
                  : o == runs_.size()   ? nextRuns_[n].y
                                        : std::min(runs_[o].y, nextRuns_[n].y);
    const std::size_t oldFirst = o, newFirst = n;
    while (o < runs_.size() && runs_[o].y == y) ++o;
    while (n < nextRuns_.size() && nextRuns_[n].y == y) ++n;
    const Pixel* under = original.Row(y);
    Pixel* row = picture.Row(y);
    // Calls f on the parts of [left, right) outside the runs first to last.
    const auto outside = [](int left, int right, const Span* first, const Span* last, auto f) {
      for (const Span* run = first; run != last && left < right; ++run) {
        if (run->right <= left) continue;
        if (run->left >= right) break;
        if (run->left > left) f(left, run->left);
        left = std::max(left, run->right);
      }
      if (left < right) f(left, right);
    };
    // What the old shape covered and the new one does not goes back.
    for (std::size_t i = oldFirst; i < o; ++i)
      outside(runs_[i].left, runs_[i].right, nextRuns_.data() + newFirst, nextRuns_.data() + n,
              [&](int left, int right) {
                std::copy(under + left, under + right, row + left);
                if (changed) changed->push_back({y, left, right});
              });
    // What the new shape covers and the old one did not is painted.
    for (std::size_t j = newFirst; j < n; ++j)
      outside(nextRuns_[j].left, nextRuns_[j].right, runs_.data() + oldFirst, runs_.data() + o,
              [&](int left, int right) {
                if (opacity == 0) {
                  std::fill(row + left, row + right, pixel);
                } else {
                  for (int x = left; x < right; ++x) row[x] = Blend(pixel, under[x], opacity);
                }
                if (changed) changed->push_back({y, left, right});
              });
  }
  std::swap(runs_, nextRuns_);
}

void ShapeOverlay::Remove(Bitmap& picture, std::vector<Span>* removed) {
  if (!shown_) return;
  const Bitmap& original = original_;
  for (const Span& run : runs_) {
    if (run.y < picture.Height() && run.right <= picture.Width() && run.y < original.Height() &&
        run.right <= original.Width())
      std::copy(original.Row(run.y) + run.left, original.Row(run.y) + run.right,
                picture.Row(run.y) + run.left);
    if (removed) removed->push_back(run);
  }
  runs_.clear();
  original_ = Bitmap();  // its bands go back to the picture alone
  shown_ = false;
}

}  // namespace velmora
