#include "ui/HoverTest.h"

namespace velmora {

bool PointerOverFace(Point pointer, const Rect& face, const FacePlace& place) {
  const int left = place.window.x + place.allowance.x + face.left;
  const int top = place.window.y + place.allowance.y + place.panelTop + face.top;
  // Unlike a layout rectangle, the face's far edges belong to it here.
  return left <= pointer.x && pointer.x <= left + face.width && top <= pointer.y &&
         pointer.y <= top + face.height;
}

}  // namespace velmora
