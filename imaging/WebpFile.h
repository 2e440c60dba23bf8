#pragma once
// WebP pictures through libwebp's decoder. A failure raises "WebP error: "
// and what went wrong.
#include <string_view>

#include "imaging/Bitmap.h"

namespace velmora {

// Decodes a still picture, lossy or lossless. As JPEG's reduced decoding
// does, with `minWidth` and `minHeight` above 0 the decoder scales it down to
// a half, a quarter or an eighth of its size as far as it stays at least
// that large. A see-through pixel is laid over `matte`. Animations are
// refused.
Bitmap DecodeWebp(std::string_view bytes, int minWidth = 0, int minHeight = 0, Pixel matte = kBlackPixel);

}  // namespace velmora
