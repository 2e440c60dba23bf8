#pragma once
// The picture side of a drawing session: opening it, "Show windows",
// "Cancel last", "Cancel all", "Done"'s work files, and the brush and eraser
// strokes. Whole-layer copies happen only in the session commands; a stroke
// touches no more than its segment or square on each layer.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "imaging/DesktopFrame.h"
#include "imaging/Layers.h"
#include "imaging/Raster.h"
#include "imaging/Shapes.h"

namespace velmora {

class UndoHistory;

// Opening a drawing session (`ctiClick` after the grab): `screen` becomes the
// visible canvas and the session snapshots are taken. The canvas first takes
// the size of the work area the drawing surface is about to cover, so the
// first session of a run grows the composed layer like every later one; the
// drawing layer grows with the key colour before its snapshot is taken.
void OpenSession(Layers& layers, Bitmap screen, int workWidth, int workHeight, bool showWindows);

// `swClick`, after the check box has changed to `showWindows`.
void SwitchShowWindows(Layers& layers, bool showWindows);

// "Cancel last" (`sb6Click`): every layer back to the opening of the session.
void CancelLast(Layers& layers, bool showWindows);

// "Cancel all" (`sb7Click`): the bare wallpaper everywhere, no drawing.
void CancelAll(Layers& layers);

// "Done"'s writes: the composed layer as "1.bmp" and the drawing layer as
// "2.bmp", in the work directory (a path ending with its separator). Both are
// written whole before either file is replaced: a failed write keeps both.
// On a placed desktop frame "1.bmp" is the part the monitors show.
void SaveWorkFiles(const Layers& layers, const std::string& workDirectory, const DesktopFrame& frame = {});

enum class Tool { kBrush, kEraseLast, kEraseAll, kLine, kArrow, kRectangle, kEllipse, kNumber, kHighlighter };

// The highlighter's pen is twice the brush size: a broad stroke.
int HighlighterWidth(int brushSize);

// The shape a tool drags out and lays down at the release, if it is one; a
// straight brush or highlighter stroke (Shift held at the press) is a line.
std::optional<Figure> ShapeOf(Tool tool, bool straight = false);

// Half the side of the eraser square for a brush size: 1 for size 1,
// otherwise size / 2 rounded half to even.
int EraserHalfSize(int brushSize);
// The eraser square around (x, y).
PixelRect EraserSquare(int x, int y, int brushSize);

// One brush segment on the stroke targets: visible canvas, composed layer,
// drawing layer and screen layer, in this order. Returns the part of the
// visible canvas painted.
PixelRect BrushSegment(Layers& layers, int x0, int y0, int x1, int y1, int width, Pixel pixel);

// "Erase all" on the square at (x, y): the background on the visible canvas
// and the composed layer, the screen snapshot on the screen layer, the key
// colour on the drawing layer. Returns the part of the visible canvas changed.
PixelRect EraseAll(Layers& layers, int x, int y, int brushSize);

// "Erase last" on the square at (x, y): the session snapshots on the layers,
// the visible canvas from the screen snapshot (windows shown) or the composed
// snapshot. Returns the part of the visible canvas changed.
PixelRect EraseLast(Layers& layers, int x, int y, int brushSize, bool showWindows);

// A shape laid on the stroke targets as a stroke is, announced to the history
// first. Returns the part of the visible canvas painted.
PixelRect LayShape(Layers& layers, std::span<const Span> spans, Pixel pixel, UndoHistory* history = nullptr);

// The highlighter on the stroke targets: kHighlightOpacity of `pixel` over
// each pixel of the spans, which the drawing layer keeps translucent
// (Highlight). Announced to the history first. Returns the part of the
// visible canvas painted.
PixelRect LayHighlight(Layers& layers, std::span<const Span> spans, Pixel pixel, UndoHistory* history = nullptr);

// "Number": a mark with `number` stamped at (x, y) on the stroke targets, a
// disk in the brush colour with the digits in its contrasting colour.
// Returns the part of the visible canvas painted.
PixelRect StampNumber(Layers& layers, int x, int y, int brushSize, std::uint32_t color, int number,
                      UndoHistory* history = nullptr);

// The stroke of `i1MouseDown`, `i1MouseMove` and `i1MouseUp`: its flag, its
// point and the pen of the stroke targets. A shape tool shows its shape on the
// visible canvas alone while dragging and lays it on the layers at the release.
class Stroke {
 public:
  // A press: nothing is drawn yet. A press while stroking begins anew (the
  // caller releases the earlier stroke first). A `straight` brush stroke is a
  // line from the press point.
  void Begin(int x, int y, int brushSize, std::uint32_t color, bool straight = false);
  // A movement: applies the tool from the last point to (x, y); nothing when
  // no stroke is under way. What it is about to change is announced to the
  // history first. `square` makes a rectangle or an ellipse a square or a
  // circle. Returns the part of the visible canvas changed.
  PixelRect Move(Layers& layers, Tool tool, int x, int y, bool showWindows, UndoHistory* history = nullptr,
                 bool square = false);
  // The release: a shape being dragged is laid on the layers. Returns the part
  // of the visible canvas changed.
  PixelRect Release(Layers& layers, UndoHistory* history = nullptr);
  bool Active() const { return active_; }
  // The parts of the visible canvas the last Move or Release changed, when it
  // moved or laid a shape; empty after a brush or eraser move, whose change is
  // the one rectangle returned.
  const std::vector<PixelRect>& ChangedRects() const { return changed_; }

 private:
  PixelRect Changed(std::span<const Span> spans);

  bool active_ = false;
  bool straight_ = false;
  int startX_ = 0;
  int startY_ = 0;
  int x_ = 0;
  int y_ = 0;
  int size_ = 1;
  Pixel pixel_ = kBlackPixel;
  std::vector<Span> spans_;
  std::optional<Figure> shape_;  // being dragged
  std::vector<Span> shapeSpans_;
  bool translucent_ = false;  // the shape is the highlighter's
  ShapeOverlay overlay_;
  StrokeCover cover_;  // what the highlighter has covered
  std::vector<Span> fresh_;
  std::vector<PixelRect> changed_;
};

}  // namespace velmora
