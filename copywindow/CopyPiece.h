#pragma once
// The picture side of the copy window: where on the layers its see-through
// area lies, lifting the piece seen there ("Copy") and placing the held piece
// on the layers ("Paste").
#include "imaging/Layers.h"
#include "imaging/Raster.h"
#include "base/Geometry.h"

namespace velmora {

// What a held piece holds where its source lay beyond the visible canvas.
inline constexpr Pixel kBeyondCanvas = kWhitePixel;

// The list box's border on each side, inside which the see-through area lies.
inline constexpr int kSeeThroughBorder = 2;

// The piece under the see-through area, in layer pixels: its top-left is the
// area's client origin (screen pixels) taken through the drawing surface's
// client origin (screen pixels), where layer pixel (0, 0) lies; its size is
// the list box's less its borders.
PixelRect PieceRect(Point seeThroughOrigin, Point surfaceOrigin, Size listBox);

// "Copy": the new held piece, the rectangle `source` of the visible canvas as
// it shows now. The visible canvas then shows the composed layer, the
// wallpaper as "Done" would save it.
Bitmap LiftPiece(Layers& layers, const PixelRect& source);

// "Paste": the visible canvas shows the screen layer again, and the piece, its
// top-left at `at`, is written pixel for pixel into the visible canvas, the
// composed layer, the drawing layer and the screen layer. The session
// snapshots keep the state at the opening, so "Cancel last" and "Erase last"
// take a pasted piece away again. Returns the part of the visible canvas that
// holds the piece.
PixelRect PlacePiece(Layers& layers, const Bitmap& piece, Point at);

}  // namespace velmora
