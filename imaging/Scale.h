#pragma once
// Smooth resizing of a picture, as a small preview needs it: every pixel of
// the result is the average of the source area it covers, so fine detail
// blends instead of being dropped.
#include "imaging/Bitmap.h"

namespace velmora {

// The picture stretched or shrunk to width × height (aspect ratio not kept).
// An empty source gives a white picture.
Bitmap ScaleSmooth(const Bitmap& source, int width, int height);

}  // namespace velmora
