#pragma once
// Where a window whose saved place lies on no monitor any more (a monitor
// unplugged, another resolution) comes back.
#include "base/Geometry.h"

namespace velmora {

// The window moved the least distance into the work area, its size kept; a
// window larger than the area keeps its top-left corner inside it.
Point BackIntoWorkArea(const Rect& window, const Rect& workArea);

}  // namespace velmora
