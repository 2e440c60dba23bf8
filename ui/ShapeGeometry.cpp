#include "ui/ShapeGeometry.h"

#include <algorithm>

namespace velmora {

ShapeFigure FigureOf(ShapeKind kind, int width, int height) {
  const int shorter = std::max(0, std::min(width, height));
  switch (kind) {
    case ShapeKind::kCircle:
      return {{(width - shorter) / 2, (height - shorter) / 2, shorter, shorter}, {}};
    case ShapeKind::kRoundRect:
      return {{0, 0, width, height}, {shorter / 4, shorter / 4}};
    case ShapeKind::kRectangle:
    case ShapeKind::kEllipse:
      break;
  }
  return {{0, 0, width, height}, {}};
}

}  // namespace velmora
