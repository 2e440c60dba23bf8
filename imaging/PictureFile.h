#pragma once
// The pictures a wallpaper can be made of (JPEG, PNG, WebP), read by their
// content whatever their names.
#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/Bitmap.h"
#include "imaging/PictureIo.h"

namespace velmora {

// Whether a file of this kind can be a wallpaper of the list.
constexpr bool IsWallpaperKind(PictureKind kind) {
  return kind == PictureKind::kJpeg || kind == PictureKind::kPng || kind == PictureKind::kWebp;
}

// The kind a file's name promises: ".jpg", ".jpeg", ".png" or ".webp" in any
// letter case; kNone for any other name.
PictureKind WallpaperKindOfName(const std::string& path);

// Decodes the picture by its content (a BMP too, whatever its name); bytes
// of no known kind go to the decoder of `nameKind` (JPEG when that is none
// either), whose error then says what is wrong. With `minWidth` and `minHeight` above 0 a JPEG or WebP
// is decoded reduced, no smaller than that (see DecodeJpegReduced). A
// see-through pixel is laid over `matte`.
struct DecodeRequest {
  int minWidth = 0;
  int minHeight = 0;
  Pixel matte = kBlackPixel;
  PictureKind nameKind = PictureKind::kNone;
};
Bitmap DecodePicture(std::string_view bytes, const DecodeRequest& request = {});
// The file at `path`, its name giving the decoder for bytes of no known kind.
// A picture of a kind the program does not read is refused by its kind:
// "The picture "<path>" is a GIF picture, which Velmora does not read".
Bitmap ReadPicture(const std::string& path, DecodeRequest request = {});

// For the decoders: the largest of 8, 4 and 2 by which a picture of
// `width` × `height` can be divided (sizes rounded up) and stay at least
// `minWidth` × `minHeight`; 1 when none can, or when no size is asked for.
int ReductionFor(std::int64_t width, std::int64_t height, int minWidth, int minHeight);

// For the decoders: blue, green, red, alpha in (`width` pixels), the pixels
// laid over `matte` out with their unused byte 0. `out` may be `in`.
void LayOverMatte(const std::uint8_t* in, Pixel* out, int width, Pixel matte);

}  // namespace velmora
