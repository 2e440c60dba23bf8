#include <algorithm>
#include <utility>

#include <gtest/gtest.h>

#include "imaging/Scale.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::PictureOf;
using test::RowsOf;

int Grey(Pixel p) {
  return static_cast<int>(p & 0xFF);
}

TEST(ScaleSmooth, ShrinkingAveragesWhatPixelDroppingWouldLose) {
  // Alternating columns: dropping every other column would keep one colour only.
  const Bitmap stripes = PictureOf({"#.#.#.", "#.#.#.", "#.#.#.", "#.#.#."});
  const Bitmap half = ScaleSmooth(stripes, 3, 2);
  ASSERT_EQ(half.Width(), 3);
  ASSERT_EQ(half.Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(half.At(x, y), RgbPixel(128, 128, 128)) << x << "," << y;

  // A ratio that is not whole: 3 to 2 takes two thirds and one third.
  Bitmap ramp(3, 1, 0);
  ramp.Set(0, 0, RgbPixel(0, 30, 90));
  ramp.Set(1, 0, RgbPixel(90, 60, 30));
  ramp.Set(2, 0, RgbPixel(180, 90, 0));
  const Bitmap two = ScaleSmooth(ramp, 2, 1);
  EXPECT_EQ(two.At(0, 0), RgbPixel(30, 40, 70));   // (2 a + b) / 3
  EXPECT_EQ(two.At(1, 0), RgbPixel(150, 80, 10));  // (b + 2 c) / 3
}

TEST(ScaleSmooth, KeepsFlatAreasAndEdgesInPlace) {
  // A 400 x 300 picture, red left half and blue right half, to the preview's 125 x 93.
  Bitmap halves(400, 300, test::kRed);
  for (int y = 0; y < 300; ++y)
    for (int x = 200; x < 400; ++x) halves.Set(x, y, RgbPixel(0, 0, 255));
  const Bitmap preview = ScaleSmooth(halves, 125, 93);
  for (int y : {0, 46, 92}) {
    EXPECT_EQ(preview.At(0, y), test::kRed);
    EXPECT_EQ(preview.At(61, y), test::kRed);
    EXPECT_EQ(preview.At(63, y), RgbPixel(0, 0, 255));
    EXPECT_EQ(preview.At(124, y), RgbPixel(0, 0, 255));
    // The column across the edge mixes both: half of it lies on each side.
    EXPECT_EQ(preview.At(62, y), RgbPixel(128, 0, 128));
  }
}

TEST(ScaleSmooth, GrowingRampsBetweenPixelsAndTheSameSizeCopies) {
  const Bitmap two = PictureOf({"#."});
  // Four from two: the outer pixels keep their colours, the inner ones mix a
  // quarter and three quarters; the rows double alike.
  const Bitmap four = ScaleSmooth(two, 4, 2);
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(Grey(four.At(0, y)), 0);
    EXPECT_EQ(Grey(four.At(1, y)), 64);
    EXPECT_EQ(Grey(four.At(2, y)), 191);
    EXPECT_EQ(Grey(four.At(3, y)), 255);
  }
  // Three from two: the middle pixel lies half on each.
  EXPECT_EQ(Grey(ScaleSmooth(two, 3, 1).At(1, 0)), 128);
  // One way up, the other down: the rows average while the columns ramp.
  const Bitmap tall = ScaleSmooth(PictureOf({"#.", "#.", "..", ".."}), 4, 2);
  EXPECT_EQ(Grey(tall.At(0, 0)), 0);
  EXPECT_EQ(Grey(tall.At(0, 1)), 255);
  EXPECT_EQ(Grey(tall.At(1, 0)), 64);

  const Bitmap picture = PictureOf({"r.g", "b#y"});
  EXPECT_EQ(RowsOf(ScaleSmooth(picture, 3, 2)), RowsOf(picture));
  EXPECT_EQ(RowsOf(ScaleSmooth(Bitmap(), 2, 1)), (std::vector<std::string>{".."}));
}

// The exact area average of the source under result pixel (x, y), per channel.
double AreaAverage(const Bitmap& source, int width, int height, int x, int y, int shift) {
  const double sx = static_cast<double>(source.Width()) / width, sy = static_cast<double>(source.Height()) / height;
  double sum = 0;
  for (int j = 0; j < source.Height(); ++j)
    for (int i = 0; i < source.Width(); ++i) {
      const double ox = std::max(0.0, std::min((x + 1) * sx, i + 1.0) - std::max(x * sx, static_cast<double>(i)));
      const double oy = std::max(0.0, std::min((y + 1) * sy, j + 1.0) - std::max(y * sy, static_cast<double>(j)));
      sum += ox * oy * static_cast<double>(source.At(i, j) >> shift & 0xFF);
    }
  return sum / (sx * sy);
}

TEST(ScaleSmooth, EveryChannelOfEveryPixelIsTheAreaAverageWhateverTheWidth) {
  // Widths that are not a multiple of the four pixels worked at once, rows in
  // several bands, every channel different, the unused byte set in the source.
  for (const auto& [from, to] : {std::pair{std::pair{37, 70}, std::pair{13, 33}}, {{9, 9}, {6, 4}}, {{64, 3}, {5, 2}}}) {
    Bitmap source = Bitmap::Uninitialized(from.first, from.second);
    for (int y = 0; y < from.second; ++y)
      for (int x = 0; x < from.first; ++x)
        source.Set(x, y, 0xFF000000u | RgbPixel(x * 53 + y * 7, x * 11 + y * 91, 255 - x * 3 - y * 5));
    const Bitmap result = ScaleSmooth(source, to.first, to.second);
    for (int y = 0; y < to.second; ++y)
      for (int x = 0; x < to.first; ++x) {
        ASSERT_EQ(result.At(x, y) >> 24, 0u);
        for (int shift : {0, 8, 16})
          ASSERT_NEAR(static_cast<int>(result.At(x, y) >> shift & 0xFF),
                      AreaAverage(source, to.first, to.second, x, y, shift), 1.0)
              << x << ", " << y << " of " << to.first << " x " << to.second;
      }
  }
}

}  // namespace
}  // namespace velmora
