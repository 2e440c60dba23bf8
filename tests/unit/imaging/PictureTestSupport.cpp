#include "tests/unit/imaging/PictureTestSupport.h"

#include <map>

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

}  // namespace velmora::test
