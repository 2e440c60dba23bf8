#pragma once
// A picture an image shows. A layout picture is drawn for 96 DPI, with sharper
// drawings for some other DPIs beside it, and is shown at the DPI of the window
// it lies on: any DPI without a drawing of its own gets the largest drawing
// resized smoothly, once. A screen picture is shown pixel for pixel at every DPI.
#include <windows.h>

#include <map>
#include <memory>

#include "base/Geometry.h"
#include "winbase/Handles.h"

namespace velmora {

class ShownPicture {
 public:
  static std::shared_ptr<const ShownPicture> InScreenPixels(UniqueBitmap bitmap);
  // The drawings by DPI; the one for 96 DPI gives the layout size and must be there.
  static std::shared_ptr<const ShownPicture> ForLayout(std::map<int, UniqueBitmap> drawings);

  Size SizeAt(int dpi) const;
  // The bitmap to show at `dpi`; null when there is none.
  HBITMAP At(int dpi) const;

 private:
  ShownPicture(bool layout, std::map<int, UniqueBitmap> drawings);

  bool layout_;
  Size layoutSize_;
  int largest_ = 0;  // the DPI of the largest drawing
  mutable std::map<int, UniqueBitmap> byDpi_;  // the drawings, and what was resized from them
};

}  // namespace velmora
