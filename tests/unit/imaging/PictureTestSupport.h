#pragma once
// Small pictures written as rows of characters, one character per pixel.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"
#include "imaging/Raster.h"

namespace velmora {

inline void PrintTo(const PixelRect& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

}  // namespace velmora

namespace velmora::test {

// '.' white, '#' black, 'k' the key colour, 'r' red, 'g' green, 'b' blue,
// 'y' yellow, 'w' the wallpaper grey, 's' the screen grey.
Pixel PixelFor(char c);
Bitmap PictureOf(const std::vector<std::string>& rows);
// The picture in the same characters; a pixel of another colour shows as '?'.
std::vector<std::string> RowsOf(const Bitmap& bitmap);

inline const Pixel kRed = RgbPixel(255, 0, 0);
inline const Pixel kWallpaper = RgbPixel(128, 128, 128);
inline const Pixel kScreen = RgbPixel(64, 64, 64);

// Every pixel, row after row.
inline std::vector<Pixel> PixelsOf(const Bitmap& bitmap) {
  std::vector<Pixel> pixels;
  pixels.reserve(bitmap.PixelCount());
  for (int y = 0; y < bitmap.Height(); ++y) pixels.insert(pixels.end(), bitmap.Row(y), bitmap.Row(y) + bitmap.Width());
  return pixels;
}

// A PNG file of the picture, with a half see-through first pixel when `alpha`.
std::string PngFileOf(const Bitmap& picture, bool alpha = false);

// The message of the Error that `action` raises, or "(no error)".
std::string MessageOf(const std::function<void()>& action);

}  // namespace velmora::test
