#pragma once
// JPEG pictures through libjpeg(-turbo): decoding straight into the pixel
// layout and baseline encoding. A codec failure raises "JPEG error #<code>",
// the code being libjpeg's message number.
#include <string>
#include <string_view>

#include "imaging/Bitmap.h"

namespace velmora {

inline constexpr int kJpegQuality = 90;

// Decodes greyscale, colour and CMYK pictures. A file whose data ends before
// its last row of blocks is an error (the code of libjpeg's "premature end"
// warning); other warnings (damaged data, a missing end marker) are not:
// what could not be decoded stays grey.
Bitmap DecodeJpeg(std::string_view bytes);
// The same, reduced by the codec to a half, a quarter or an eighth of its
// size, as far as it stays at least `minWidth` × `minHeight`: far less work
// for a small preview of a large picture.
Bitmap DecodeJpegReduced(std::string_view bytes, int minWidth, int minHeight);
Bitmap ReadJpegFile(const std::string& path);

// A baseline (not progressive) JPEG file of the picture.
std::string EncodeJpeg(const Bitmap& bitmap, int quality = kJpegQuality);
// Replaces the file at `path` with EncodeJpeg's bytes; a failure keeps the
// previous file.
void WriteJpegFile(const Bitmap& bitmap, const std::string& path);

}  // namespace velmora
