#include "imaging/PictureFile.h"

#include "base/Errors.h"
#include "imaging/BmpFile.h"
#include "imaging/JpegFile.h"
#include "imaging/PngFile.h"
#include "imaging/WebpFile.h"

namespace velmora {

PictureKind WallpaperKindOfName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return PictureKind::kNone;
  std::string extension = path.substr(dot + 1);
  for (char& c : extension)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (extension == "jpg" || extension == "jpeg") return PictureKind::kJpeg;
  if (extension == "png") return PictureKind::kPng;
  if (extension == "webp") return PictureKind::kWebp;
  return PictureKind::kNone;
}

Bitmap DecodePicture(std::string_view bytes, const DecodeRequest& request) {
  PictureKind kind = SniffPicture(bytes.substr(0, 18));
  if (kind == PictureKind::kBmp) return DecodeBmp(bytes);
  if (!IsWallpaperKind(kind)) kind = request.nameKind;
  switch (kind) {
    case PictureKind::kPng:
      return DecodePng(bytes, request.matte);
    case PictureKind::kWebp:
      return DecodeWebp(bytes, request.minWidth, request.minHeight, request.matte);
    default:
      return DecodeJpegReduced(bytes, request.minWidth, request.minHeight);
  }
}

Bitmap ReadPicture(const std::string& path, DecodeRequest request) {
  request.nameKind = WallpaperKindOfName(path);
  const std::string bytes = ReadPictureFile(path);
  const std::string_view foreign = ForeignPictureKind(bytes);
  if (!foreign.empty())
    throw Error(Format("The picture \"%s\" is %s %s picture, which Velmora does not read", path.c_str(),
                       std::string_view("AEIOU").find(foreign.front()) != std::string_view::npos ? "an" : "a", std::string(foreign).c_str()));
  return DecodePicture(bytes, request);
}

int ReductionFor(std::int64_t width, std::int64_t height, int minWidth, int minHeight) {
  if (minWidth <= 0 || minHeight <= 0) return 1;
  for (const int denominator : {8, 4, 2}) {
    const auto reduced = [denominator](std::int64_t size) { return (size + denominator - 1) / denominator; };
    if (reduced(width) >= minWidth && reduced(height) >= minHeight) return denominator;
  }
  return 1;
}

void LayOverMatte(const std::uint8_t* in, Pixel* out, int width, Pixel matte) {
  const unsigned mb = matte & 0xFF, mg = matte >> 8 & 0xFF, mr = matte >> 16 & 0xFF;
  for (int x = 0; x < width; ++x, in += 4) {
    const unsigned b = in[0], g = in[1], r = in[2], a = in[3];
    if (a == 255) {
      out[x] = static_cast<Pixel>(b | g << 8 | r << 16);
      continue;
    }
    const auto mix = [a](unsigned c, unsigned m) { return (c * a + m * (255 - a) + 127) / 255; };
    out[x] = static_cast<Pixel>(mix(b, mb) | mix(g, mg) << 8 | mix(r, mr) << 16);
  }
}

}  // namespace velmora
