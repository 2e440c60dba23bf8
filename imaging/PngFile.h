#pragma once
// PNG pictures through libpng. A codec failure raises "PNG error: <libpng's
// message>".
#include <string_view>

#include "imaging/Bitmap.h"

namespace velmora {

// Decodes every colour type and bit depth (palette, greyscale, 16 bits,
// interlaced). A see-through pixel is laid over `matte`, as the desktop shows
// a picture with no background of its own.
Bitmap DecodePng(std::string_view bytes, Pixel matte = kBlackPixel);

}  // namespace velmora
