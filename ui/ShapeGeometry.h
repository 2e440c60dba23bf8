#pragma once
// Where a shape control draws its figure inside its own bounds.
#include "base/Geometry.h"

namespace velmora {

enum class ShapeKind { kRectangle, kRoundRect, kEllipse, kCircle };

struct ShapeFigure {
  Rect bounds{};  // in the shape's own pixels
  Size corner{};  // corner ellipse of a rounded rectangle, else 0 x 0
};

// The figure of a shape of the given size. A circle has the diameter of the
// shorter side and is centred (the rounding of odd leftovers goes up-left);
// a rounded rectangle's corner ellipse is a quarter of the shorter side.
ShapeFigure FigureOf(ShapeKind kind, int width, int height);

}  // namespace velmora
