#pragma once
// The hover-end test of the picture faces: is the pointer still over the face
// that shows its hover picture?
#include "base/Geometry.h"

namespace velmora {

// From a framed window's outer top-left corner to its client area, in 96-DPI
// pixels taken to the window's DPI. Fixed numbers that fit one frame and
// title-bar size; they do not follow the platform's frame metrics.
inline constexpr Point kFrameAllowance{4, 29};

// Where the hover-end test looks for a face: the window's outer left and top,
// the allowance for its frame (none for the borderless toolbar) and, when the
// face sits on a panel, the panel's top within the client area.
struct FacePlace {
  Point window{};
  Point allowance{};
  int panelTop = 0;
};

// True when the pointer (screen pixels) is over the face (its bounds in the
// pixels of the form or panel it lies on). All four edges count as over, the
// right and bottom ones included.
bool PointerOverFace(Point pointer, const Rect& face, const FacePlace& place);

}  // namespace velmora
