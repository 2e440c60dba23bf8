#pragma once
// The eight layer images of the drawing surface, in one pixel coordinate
// system, with the rules that keep them large enough and in step.
#include <cstdint>
#include <functional>

#include "imaging/Bitmap.h"
#include "imaging/Raster.h"

namespace velmora {

// The visible canvas's size until the drawing surface is first shown.
inline constexpr int kDesignCanvasWidth = 254;
inline constexpr int kDesignCanvasHeight = 209;

struct Layers {
  Bitmap i1;   // visible canvas: what the user sees and draws on
  Bitmap i2;   // background layer: the wallpaper alone
  Bitmap i4;   // composed layer: wallpaper with the drawing, saved as "1.bmp"
  Bitmap i5;   // drawing layer: the drawing alone on the key colour, "2.bmp"
  Bitmap i3;   // screen snapshot: the screen grab of this drawing session
  Bitmap i31;  // screen layer: the grab with this session's strokes
  Bitmap i41;  // composed snapshot, taken at the opening
  Bitmap i6;   // drawing snapshot, taken at the opening
  // The visible canvas control's size: the drawing surface's client area.
  int canvasWidth = kDesignCanvasWidth;
  int canvasHeight = kDesignCanvasHeight;
};

// The pictures a drawing session holds at a screen size: the eight layers,
// and two more pictures of the screen's size (the screen grab, and a layer
// while it is being replaced).
inline constexpr int kScreenPictures = 10;

// A picture is held in bands of Bitmap::kBandRows rows, each a block of its
// own: what a screen's pictures need of the address space is that many
// blocks of a band's size, not one stretch per picture, which a 32-bit
// process may not have for a desktop of several large monitors.
std::uint64_t ScreenBandBytes(int width, int height);
std::uint64_t ScreenBands(int height);
// How many bands of a `width` × `height` screen's pictures the process can
// still allocate, up to what its pictures need (BlocksThatFit).
std::uint64_t FreeScreenBands(int width, int height);

// Raises ScreenTooLargeError, before any of them is made, when the pictures
// of a `width` × `height` screen cannot be had: a layer would take 2 GiB or
// more, or `freeBands` (how many more bands of that screen the process can
// still allocate, FreeScreenBands) falls short of the bands of the pictures
// the layers do not already hold at that size.
void CheckScreenFits(const Layers& layers, int width, int height, std::uint64_t freeBands);

// The most pixels a screen may have for its pictures to fit, given how many
// blocks of a size the process can still allocate.
std::uint64_t LargestScreenPixels(const std::function<std::uint64_t(std::uint64_t bytes)>& blocksThatFit);

// The grow rule: when the layer is narrower or shorter than the visible
// canvas, it takes the canvas's width and height (a larger dimension is cut),
// keeping its pixels at the top-left; new pixels are white.
void Grow(const Layers& layers, Bitmap& layer);

// The drawing layer never shrinks and never grows with white, which would
// count as drawing: each dimension short of the canvas is extended with the
// key colour.
void GrowDrawingLayer(Layers& layers);

// Before a change writes rows top to bottom - 1, makes them the composed,
// drawing and screen layers' own, and the canvas's too unless `canvasFollows`
// (the change gives the canvas the screen layer's pixels there) and the canvas
// shares the screen layer's bands there: then the canvas lets go of them until
// FollowScreen, so the screen layer writes them without a copy and the canvas
// costs no memory of its own. Returns whether the canvas follows. Raises
// OutOfMemoryError with every layer as it was.
bool OwnRowsForChange(Layers& layers, int top, int bottom, bool canvasFollows);
// After that change: the canvas that follows takes the screen layer's bands
// again.
void FollowScreen(Layers& layers, int top, int bottom);

// Copies the rectangle `source` of `from` into the drawing layer as CopyRect
// does, every pixel as DrawnPixel: what comes in is drawing, whatever its
// colour.
PixelRect CopyIntoDrawing(Bitmap& drawing, int x, int y, const Bitmap& from, const PixelRect& source);

// The composition rule: `composed` becomes the background with every drawing
// pixel that is not the key colour set on it. Beyond the drawing layer the
// background shows. Raises only before `composed` is touched.
void Compose(Bitmap& composed, const Bitmap& background, const Bitmap& drawing);
// The composition of rows top to bottom - 1 alone; `composed` already has the
// background's size.
void ComposeRows(Bitmap& composed, const Bitmap& background, const Bitmap& drawing, int top, int bottom);

}  // namespace velmora
