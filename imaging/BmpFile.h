#pragma once
// Windows bitmap files: reading the common kinds, writing 24 bits per pixel.
#include <functional>
#include <string>
#include <string_view>

#include "imaging/Bitmap.h"
#include "imaging/Raster.h"

namespace velmora {

// Reads a BMP file's bytes as the system's own bitmap loading does: the
// 12-byte core header, the OS/2 2.x and Windows 3 headers and versions 2 to 5;
// 1, 4 and 8 bits with a colour table (short ones too), uncompressed or
// run-length encoded (BI_RLE8, BI_RLE4); 16, 24 and 32 bits, uncompressed or
// with bit-field masks of any width (BI_BITFIELDS, BI_ALPHABITFIELDS; alpha is
// dropped); bottom-up or top-down rows. An empty file is an empty picture.
// Raises "Bitmap image is not valid" for any other kind of file and "Stream
// read error" when the headers, the colour table or the pixels are cut short.
Bitmap DecodeBmp(std::string_view bytes);
Bitmap ReadBmpFile(const std::string& path);

// The 24-bit BMP file of a picture, rows bottom-up.
std::string EncodeBmp24(const Bitmap& bitmap);
class PictureFileWriter;
// EncodeBmp24's bytes into a file being written, not yet committed.
void WriteBmp24(const Bitmap& bitmap, PictureFileWriter& file);
// The same for the part of the picture inside `part`.
void WriteBmp24(const Bitmap& bitmap, const PixelRect& part, PictureFileWriter& file);
// Replaces the file at `path` with EncodeBmp24's bytes; a failure keeps the
// previous file.
void WriteBmpFile(const Bitmap& bitmap, const std::string& path);
// The same for a picture of `width` x `height` whose rows `row` gives as the
// file needs them: each once, the bottom row first, so a row can be made
// just before it is written.
void WriteBmpFileRows(int width, int height, const std::function<const Pixel*(int y)>& row,
                      const std::string& path);

// The drawing layer's file, "2.bmp". A drawing without translucent pixels is
// the 24-bit file of EncodeBmp24, byte for byte. One with translucent pixels
// is a 32-bit file with bit-field masks and an alpha mask (a version 5
// header): the opacity of each pixel in its alpha byte, 255 for opaque ones
// and the key colour. A reader that drops alpha, as DecodeBmp does, still
// shows every mark, opaque.
std::string EncodeDrawingBmp(const Bitmap& drawing);
void WriteDrawingBmp(const Bitmap& drawing, PictureFileWriter& file);
// Replaces the file; a failure keeps the previous file.
void WriteDrawingFile(const Bitmap& drawing, const std::string& path);
// Reads any BMP as DecodeBmp does; the drawing file's alpha becomes the
// pixels' opacity.
Bitmap DecodeDrawingBmp(std::string_view bytes);
Bitmap ReadDrawingFile(const std::string& path);

}  // namespace velmora
