// The largest screen whose drawing session this process can hold, measured
// where it runs: the figure is printed, and the pictures of that screen are
// really allocated.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "base/Errors.h"
#include "base/MemoryLimit.h"
#include "imaging/Layers.h"

namespace velmora {
namespace {

TEST(ScreenLimit, TheLargestScreensPicturesCanBeHad) {
  const std::uint64_t pixels = LargestScreenPixels([](std::uint64_t bytes) { return BlocksThatFit(bytes, kScreenPictures); });
  // A 16:9 screen of at most that many pixels.
  const int height = static_cast<int>(std::sqrt(static_cast<double>(pixels) * 9 / 16));
  const int width = static_cast<int>(pixels / static_cast<std::uint64_t>(height));
  std::printf("[ figure   ] %d-bit build: largest screen %llu pixels (%d x %d), %d pictures of %.0f MB\n",
              static_cast<int>(sizeof(void*) * 8), static_cast<unsigned long long>(pixels), width, height,
              kScreenPictures, static_cast<double>(pixels) * 4 / 1048576.0);
  ASSERT_GE(pixels, 3840u * 2160u) << "not even a 4K screen fits";

  Layers layers;
  EXPECT_NO_THROW(CheckScreenFits(layers, width, height, FreeScreenBands(width, height)));
  // Two 4K monitors side by side, held in bands.
  EXPECT_NO_THROW(CheckScreenFits(layers, 7680, 2160, FreeScreenBands(7680, 2160)));
  EXPECT_THROW(CheckScreenFits(layers, width * 2, height * 2, FreeScreenBands(width * 2, height * 2)),
               ScreenTooLargeError);
  // Allocated, not touched: the pages are committed without being filled.
  if (sizeof(void*) == 4) {
    std::vector<Bitmap> pictures;
    for (int i = 0; i < kScreenPictures; ++i)
      ASSERT_NO_THROW(pictures.push_back(Bitmap::Uninitialized(width, height))) << "picture " << i + 1;
  }
}

}  // namespace
}  // namespace velmora
