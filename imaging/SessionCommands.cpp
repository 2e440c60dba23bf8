#include "imaging/SessionCommands.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "imaging/BmpFile.h"
#include "imaging/PictureIo.h"
#include "imaging/Translucent.h"
#include "imaging/UndoHistory.h"

namespace velmora {
namespace {

// Where an eraser square reaches beyond its source, the target gets what the
// source would hold there after the grow rule: white for pictures, the key
// colour for the drawing.
constexpr Pixel kBeyondPicture = kWhitePixel;
constexpr Pixel kBeyondDrawing = kKeyPixel;

PixelRect SpansBounds(std::span<const Span> spans) {
  PixelRect bounds;
  for (const Span& span : spans) bounds = Union(bounds, {span.left, span.y, span.right, span.y + 1});
  return bounds;
}

// The bands a change writes become the layers' own before any is written, so
// running out of memory for them leaves every layer as it was. With windows
// shown a brush or "Erase last" gives the canvas the screen layer's pixels, so
// it may follow the screen layer's bands. `change` writes the other layers and
// returns the part of the screen layer it changed.
template <typename Change>
PixelRect ChangeWithCanvas(Layers& layers, const PixelRect& area, bool canvasFollows, Change change) {
  const bool follows = OwnRowsForChange(layers, area.top, area.bottom, canvasFollows);
  const PixelRect dirty = change(follows);
  if (follows) FollowScreen(layers, area.top, area.bottom);
  return dirty;
}

PixelRect ReachOf(const Layers& layers) {
  PixelRect reach;
  for (const Bitmap* target : {&layers.i1, &layers.i4, &layers.i5, &layers.i31})
    reach = Union(reach, BoundsOf(*target));
  return reach;
}

// The spans on the stroke targets; the history has been told.
PixelRect FillTargets(Layers& layers, std::span<const Span> spans, const PixelRect& bounds, Pixel pixel) {
  return ChangeWithCanvas(layers, bounds, true, [&](bool alike) {
    FillSpans(layers.i4, spans, pixel);
    FillSpans(layers.i5, spans, DrawnPixel(pixel));
    const PixelRect screen = FillSpans(layers.i31, spans, pixel);
    return alike ? screen : FillSpans(layers.i1, spans, pixel);
  });
}

// Announced piece by piece: the inside of a large outline is not the step's.
void TouchParts(std::span<const Span> spans, const Layers& layers, UndoHistory* history) {
  if (!history) return;
  std::vector<PixelRect> parts;
  SpanRects(spans, parts);
  for (const PixelRect& part : parts) history->Touch(layers, part);
}

PixelRect PaintSegment(Layers& layers, int x0, int y0, int x1, int y1, int width, Pixel pixel,
                       std::vector<Span>& spans, UndoHistory* history = nullptr) {
  // The shape is worked out once; each target clips it to its own size.
  LineSpans(x0, y0, x1, y1, width, ReachOf(layers), spans);
  const PixelRect bounds = SpansBounds(spans);
  if (history) history->Touch(layers, bounds);
  return FillTargets(layers, spans, bounds, pixel);
}
}  // namespace

void OpenSession(Layers& layers, Bitmap screen, int workWidth, int workHeight, bool showWindows) {
  layers.canvasWidth = workWidth;
  layers.canvasHeight = workHeight;
  layers.i1 = std::move(screen);
  layers.i3.Assign(layers.i1);
  layers.i31.Assign(layers.i1);
  layers.i41.Assign(layers.i4);
  GrowDrawingLayer(layers);
  layers.i6.Assign(layers.i5);
  Grow(layers, layers.i4);
  // With windows shown the canvas already holds the screen snapshot's pixels.
  if (!showWindows) layers.i1.Assign(layers.i4);
}

void SwitchShowWindows(Layers& layers, bool showWindows) {
  if (showWindows) {
    layers.i1.Assign(layers.i31);
  } else {
    Grow(layers, layers.i4);
    layers.i1.Assign(layers.i4);
  }
}

void CancelLast(Layers& layers, bool showWindows) {
  Grow(layers, layers.i3);
  layers.i1.Assign(showWindows ? layers.i3 : layers.i41);
  layers.i31.Assign(layers.i3);
  layers.i4.Assign(layers.i41);
  layers.i5.Assign(layers.i6);
}

void CancelAll(Layers& layers) {
  Grow(layers, layers.i2);
  layers.i1.Assign(layers.i2);
  layers.i31.Assign(layers.i2);
  layers.i4.Assign(layers.i2);
  layers.i5.Fill(kKeyPixel);
}

void SaveWorkFiles(const Layers& layers, const std::string& workDirectory, const DesktopFrame& frame) {
  // Both are written whole before either replaces its file, and replaced
  // together, so a failure (a full disk, a read-only folder, a file held open)
  // leaves the pair as it was.
  PictureFileWriter composed(workDirectory + "1.bmp");
  PictureFileWriter drawing(workDirectory + "2.bmp");
  if (frame.Placed()) {
    WriteBmp24(layers.i4, frame.Shown(), composed);
  } else {
    WriteBmp24(layers.i4, composed);
  }
  WriteDrawingBmp(layers.i5, drawing);
  CommitTogether(composed.Replacer(), drawing.Replacer());
}

int EraserHalfSize(int brushSize) {
  if (brushSize <= 1) return 1;
  const int half = brushSize / 2;
  // An odd size has a half of .5, which goes to the even neighbour.
  return (brushSize % 2 == 1 && half % 2 == 1) ? half + 1 : half;
}

PixelRect EraserSquare(int x, int y, int brushSize) {
  const int half = EraserHalfSize(brushSize);
  return {x - half, y - half, x + half, y + half};
}

PixelRect BrushSegment(Layers& layers, int x0, int y0, int x1, int y1, int width, Pixel pixel) {
  std::vector<Span> spans;
  return PaintSegment(layers, x0, y0, x1, y1, width, pixel, spans);
}

PixelRect EraseAll(Layers& layers, int x, int y, int brushSize) {
  const PixelRect square = EraserSquare(x, y, brushSize);
  OwnRowsForChange(layers, square.top, square.bottom, false);
  const PixelRect dirty = RestoreRect(layers.i1, layers.i2, square, kBeyondPicture);
  RestoreRect(layers.i4, layers.i2, square, kBeyondPicture);
  RestoreRect(layers.i31, layers.i3, square, kBeyondPicture);
  FillRect(layers.i5, square, kKeyPixel);
  return dirty;
}

PixelRect EraseLast(Layers& layers, int x, int y, int brushSize, bool showWindows) {
  const PixelRect square = EraserSquare(x, y, brushSize);
  return ChangeWithCanvas(layers, square, showWindows, [&](bool alike) {
    RestoreRect(layers.i4, layers.i41, square, kBeyondPicture);
    RestoreRect(layers.i5, layers.i6, square, kBeyondDrawing);
    const PixelRect screen = RestoreRect(layers.i31, layers.i3, square, kBeyondPicture);
    return alike ? screen
                 : RestoreRect(layers.i1, showWindows ? layers.i3 : layers.i41, square, kBeyondPicture);
  });
}

std::optional<Figure> ShapeOf(Tool tool, bool straight) {
  switch (tool) {
    case Tool::kBrush:
    case Tool::kHighlighter:
      return straight ? std::optional(Figure::kLine) : std::nullopt;
    case Tool::kLine:
      return Figure::kLine;
    case Tool::kArrow:
      return Figure::kArrow;
    case Tool::kRectangle:
      return Figure::kRectangle;
    case Tool::kEllipse:
      return Figure::kEllipse;
    case Tool::kEraseLast:
    case Tool::kEraseAll:
    case Tool::kNumber:
      break;
  }
  return std::nullopt;
}

PixelRect LayShape(Layers& layers, std::span<const Span> spans, Pixel pixel, UndoHistory* history) {
  const PixelRect bounds = SpansBounds(spans);
  if (bounds.Empty()) return {};
  TouchParts(spans, layers, history);
  return FillTargets(layers, spans, bounds, pixel);
}

int HighlighterWidth(int brushSize) {
  return 2 * std::max(brushSize, 1);
}

PixelRect LayHighlight(Layers& layers, std::span<const Span> spans, Pixel pixel, UndoHistory* history) {
  const PixelRect bounds = SpansBounds(spans);
  if (bounds.Empty()) return {};
  TouchParts(spans, layers, history);
  const auto blend = [&](Bitmap& target) {
    PixelRect dirty;
    for (const Span& span : spans) {
      if (span.y < 0 || span.y >= target.Height()) continue;
      const int left = std::max(span.left, 0), right = std::min(span.right, target.Width());
      if (left >= right) continue;
      Pixel* row = target.Row(span.y);
      for (int x = left; x < right; ++x) row[x] = Blend(pixel, row[x], kHighlightOpacity);
      dirty = Union(dirty, {left, span.y, right, span.y + 1});
    }
    return dirty;
  };
  return ChangeWithCanvas(layers, bounds, true, [&](bool alike) {
    blend(layers.i4);
    for (const Span& span : spans) {
      if (span.y < 0 || span.y >= layers.i5.Height()) continue;
      Pixel* row = layers.i5.Row(span.y);
      for (int x = std::max(span.left, 0); x < std::min(span.right, layers.i5.Width()); ++x)
        row[x] = Highlight(row[x], pixel, kHighlightOpacity);
    }
    const PixelRect screen = blend(layers.i31);
    return alike ? screen : blend(layers.i1);
  });
}

PixelRect StampNumber(Layers& layers, int x, int y, int brushSize, std::uint32_t color, int number,
                      UndoHistory* history) {
  std::vector<Span> disk, digits;
  NumberMarkSpans(x, y, brushSize, number, ReachOf(layers), disk, digits);
  const Pixel pixel = PixelOf(color);
  const PixelRect changed = LayShape(layers, disk, pixel, history);
  return Union(changed, LayShape(layers, digits, ContrastOf(pixel), history));
}

void Stroke::Begin(int x, int y, int brushSize, std::uint32_t color, bool straight) {
  active_ = true;
  straight_ = straight;
  startX_ = x_ = x;
  startY_ = y_ = y;
  size_ = std::max(brushSize, 1);
  cover_.Clear();
  pixel_ = PixelOf(color);
  shape_.reset();
  shapeSpans_.clear();
  changed_.clear();
}

PixelRect Stroke::Changed(std::span<const Span> spans) {
  SpanRects(spans, changed_);
  PixelRect all;
  for (const PixelRect& rect : changed_) all = Union(all, rect);
  return all;
}

PixelRect Stroke::Move(Layers& layers, Tool tool, int x, int y, bool showWindows, UndoHistory* history,
                       bool square) {
  changed_.clear();
  if (!active_) return {};
  const int fromX = std::exchange(x_, x), fromY = std::exchange(y_, y);
  if (const std::optional<Figure> kind = ShapeOf(tool, straight_)) {
    shape_ = kind;
    translucent_ = tool == Tool::kHighlighter;
    int endX = x, endY = y;
    if (square && (*kind == Figure::kRectangle || *kind == Figure::kEllipse))
      SquareEnd(startX_, startY_, endX, endY);
    ShapeSpans(*kind, startX_, startY_, endX, endY, translucent_ ? HighlighterWidth(size_) : size_,
               ReachOf(layers), shapeSpans_);
    // Only the canvas shows the shape until the release: the old one goes, the new one comes.
    std::vector<Span> touched;
    overlay_.Show(layers.i1, shapeSpans_, pixel_, translucent_ ? kHighlightOpacity : 0, &touched);
    return Changed(touched);
  }
  if (tool == Tool::kNumber) return {};  // stamped at the press
  if (tool == Tool::kHighlighter) {
    LineSpans(fromX, fromY, x, y, HighlighterWidth(size_), ReachOf(layers), spans_);
    cover_.Take(spans_, fresh_);
    return LayHighlight(layers, fresh_, pixel_, history);
  }
  if (history && tool != Tool::kBrush) history->Touch(layers, EraserSquare(x, y, size_));
  switch (tool) {
    case Tool::kEraseAll:
      return EraseAll(layers, x, y, size_);
    case Tool::kEraseLast:
      return EraseLast(layers, x, y, size_, showWindows);
    default:
      return PaintSegment(layers, fromX, fromY, x, y, size_, pixel_, spans_, history);
  }
}

PixelRect Stroke::Release(Layers& layers, UndoHistory* history) {
  changed_.clear();
  const bool wasActive = std::exchange(active_, false);
  if (!wasActive || !shape_) return {};
  shape_.reset();
  std::vector<Span> touched;
  overlay_.Remove(layers.i1, &touched);
  if (translucent_) {
    LayHighlight(layers, shapeSpans_, pixel_, history);
  } else {
    LayShape(layers, shapeSpans_, pixel_, history);
  }
  touched.insert(touched.end(), shapeSpans_.begin(), shapeSpans_.end());
  shapeSpans_.clear();
  return Changed(touched);
}

}  // namespace velmora
