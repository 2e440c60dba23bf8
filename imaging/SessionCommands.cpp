#include "imaging/SessionCommands.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "imaging/BmpFile.h"
#include "imaging/PictureIo.h"
#include "imaging/UndoHistory.h"

namespace velmora {
namespace {

// Where an eraser square reaches beyond its source, the target gets what the
// source would hold there after the grow rule: white for pictures, the key
// colour for the drawing.
constexpr Pixel kBeyondPicture = kWhitePixel;
constexpr Pixel kBeyondDrawing = kKeyPixel;

PixelRect SpansBounds(const std::vector<Span>& spans) {
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

PixelRect PaintSegment(Layers& layers, int x0, int y0, int x1, int y1, int width, Pixel pixel,
                       std::vector<Span>& spans, UndoHistory* history = nullptr) {
  Bitmap* const targets[] = {&layers.i1, &layers.i4, &layers.i5, &layers.i31};
  PixelRect reach;
  for (const Bitmap* target : targets) reach = Union(reach, BoundsOf(*target));
  // The shape is worked out once; each target clips it to its own size.
  LineSpans(x0, y0, x1, y1, width, reach, spans);
  const PixelRect bounds = SpansBounds(spans);
  if (history) history->Touch(layers, bounds);
  return ChangeWithCanvas(layers, bounds, true, [&](bool alike) {
    for (Bitmap* target : {&layers.i4, &layers.i5}) FillSpans(*target, spans, pixel);
    const PixelRect screen = FillSpans(layers.i31, spans, pixel);
    return alike ? screen : FillSpans(layers.i1, spans, pixel);
  });
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
  // Both are written whole before either replaces its file, so a failure
  // (a full disk, a read-only folder) leaves the pair as it was.
  PictureFileWriter composed(workDirectory + "1.bmp");
  PictureFileWriter drawing(workDirectory + "2.bmp");
  if (frame.Placed()) {
    WriteBmp24(layers.i4, frame.Shown(), composed);
  } else {
    WriteBmp24(layers.i4, composed);
  }
  WriteBmp24(layers.i5, drawing);
  composed.Close();
  drawing.Close();
  composed.Commit();
  drawing.Commit();
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

void Stroke::Begin(int x, int y, int brushSize, std::uint32_t color) {
  active_ = true;
  x_ = x;
  y_ = y;
  size_ = std::max(brushSize, 1);
  pixel_ = PixelOf(color);
}

PixelRect Stroke::Move(Layers& layers, Tool tool, int x, int y, bool showWindows, UndoHistory* history) {
  if (!active_) return {};
  const int fromX = std::exchange(x_, x), fromY = std::exchange(y_, y);
  if (history && tool != Tool::kBrush) history->Touch(layers, EraserSquare(x, y, size_));
  switch (tool) {
    case Tool::kEraseAll:
      return EraseAll(layers, x, y, size_);
    case Tool::kEraseLast:
      return EraseLast(layers, x, y, size_, showWindows);
    case Tool::kBrush:
      return PaintSegment(layers, fromX, fromY, x, y, size_, pixel_, spans_, history);
  }
  return {};
}

}  // namespace velmora
