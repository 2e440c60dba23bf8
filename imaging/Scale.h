#pragma once
// Smooth resizing of a picture: shrinking, every pixel of the result is the
// average of the source area it covers, so fine detail blends instead of
// being dropped; growing, each pixel mixes its two nearest source pixels by
// distance, so edges ramp instead of turning into steps. Each direction is
// worked out on its own.
#include "imaging/Bitmap.h"

namespace velmora {

// The picture stretched or shrunk to width × height (aspect ratio not kept).
// An empty source gives a white picture.
Bitmap ScaleSmooth(const Bitmap& source, int width, int height);

}  // namespace velmora
