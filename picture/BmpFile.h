#pragma once
// Windows bitmap files: reading the common kinds, writing 24 bits per pixel.
#include <string>
#include <string_view>

#include "picture/Bitmap.h"

namespace velmora {

// Reads a BMP file's bytes: 1, 4 and 8 bits with a colour table, 16, 24 and 32
// bits, uncompressed or with bit-field masks, bottom-up or top-down rows.
// An empty file is an empty picture. Raises "Bitmap image is not valid" for
// anything else and "Stream read error" when the pixels are cut short.
Bitmap DecodeBmp(std::string_view bytes);
Bitmap ReadBmpFile(const std::string& path);

// The 24-bit BMP file of a picture, rows bottom-up.
std::string EncodeBmp24(const Bitmap& bitmap);
// Replaces the file at `path` with EncodeBmp24's bytes; a failure keeps the
// previous file.
void WriteBmpFile(const Bitmap& bitmap, const std::string& path);

}  // namespace velmora
