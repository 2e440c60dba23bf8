#include "copywindow/CopyPiece.h"

#include <algorithm>

namespace velmora {

PixelRect PieceRect(Point seeThroughOrigin, Point surfaceOrigin, Size listBox) {
  const int left = seeThroughOrigin.x - surfaceOrigin.x;
  const int top = seeThroughOrigin.y - surfaceOrigin.y;
  const int width = std::max(listBox.width - 2 * kSeeThroughBorder, 0);
  const int height = std::max(listBox.height - 2 * kSeeThroughBorder, 0);
  return {left, top, left + width, top + height};
}

Bitmap LiftPiece(Layers& layers, const PixelRect& source) {
  Bitmap piece(source.Width(), source.Height(), kBeyondCanvas);
  CopyRect(piece, 0, 0, layers.i1, source);
  layers.i1.Assign(layers.i4);
  return piece;
}

PixelRect PlacePiece(Layers& layers, const Bitmap& piece, Point at) {
  layers.i1.Assign(layers.i31);
  const PixelRect whole = BoundsOf(piece);
  // The canvas now equals the screen layer, so writing the piece into both
  // leaves them equal without a second whole-layer copy.
  const PixelRect placed = CopyRect(layers.i1, at.x, at.y, piece, whole);
  for (Bitmap* layer : {&layers.i4, &layers.i31}) CopyRect(*layer, at.x, at.y, piece, whole);
  CopyIntoDrawing(layers.i5, at.x, at.y, piece, whole);
  return placed;
}

}  // namespace velmora
