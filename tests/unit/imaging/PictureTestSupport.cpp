#include "tests/unit/imaging/PictureTestSupport.h"

#include <cstdint>
#include <map>

#include <png.h>

#include "base/Errors.h"

namespace velmora::test {
namespace {

const std::map<char, Pixel>& Legend() {
  static const std::map<char, Pixel> legend = {{'.', kWhitePixel},
                                               {'#', kBlackPixel},
                                               {'k', kKeyPixel},
                                               {'r', kRed},
                                               {'g', RgbPixel(0, 255, 0)},
                                               {'b', RgbPixel(0, 0, 255)},
                                               {'y', RgbPixel(255, 255, 0)},
                                               {'w', kWallpaper},
                                               {'s', kScreen}};
  return legend;
}

}  // namespace

Pixel PixelFor(char c) {
  return Legend().at(c);
}

Bitmap PictureOf(const std::vector<std::string>& rows) {
  const int height = static_cast<int>(rows.size());
  const int width = height ? static_cast<int>(rows[0].size()) : 0;
  Bitmap bitmap = Bitmap::Uninitialized(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bitmap.Set(x, y, PixelFor(rows[y][x]));
  }
  return bitmap;
}

std::vector<std::string> RowsOf(const Bitmap& bitmap) {
  std::vector<std::string> rows;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::string row;
    for (int x = 0; x < bitmap.Width(); ++x) {
      char shown = '?';
      for (const auto& [c, pixel] : Legend()) {
        if (pixel == bitmap.At(x, y)) shown = c;
      }
      row += shown;
    }
    rows.push_back(row);
  }
  return rows;
}

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

std::string PngFileOf(const Bitmap& picture, bool alpha) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.Width());
  image.height = static_cast<png_uint_32>(picture.Height());
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint8_t> pixels;
  for (const Pixel p : PixelsOf(picture))
    pixels.insert(pixels.end(), {std::uint8_t(p), std::uint8_t(p >> 8), std::uint8_t(p >> 16), 255});
  if (alpha && !pixels.empty()) pixels[3] = 128;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
  std::string bytes(size, '\0');
  png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr);
  bytes.resize(size);
  return bytes;
}

}  // namespace velmora::test
