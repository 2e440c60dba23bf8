#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "imaging/Raster.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::kRed;
using test::PictureOf;
using test::RowsOf;
using Rows = std::vector<std::string>;

TEST(Bitmap, KeepsTheKeyColourExactlyInTheWindowsByteOrder) {
  EXPECT_EQ(kKeyPixel, 0x004E61BCu);  // red 78, green 97, blue 188
  Bitmap bitmap(1, 1, kKeyPixel);
  const unsigned char expected[4] = {188, 97, 78, 0};  // blue, green, red, unused
  EXPECT_EQ(std::memcmp(bitmap.Row(0), expected, 4), 0);
  EXPECT_EQ(ColorOf(kKeyPixel), kKeyColor);
  EXPECT_NE(PixelOf(kKeyColor + 1), kKeyPixel);
}

TEST(Bitmap, CopiesShareBandsUntilEitherWritesAndStayIndependent) {
  // Three bands: rows 0-31, 32-63 and the short band 64-69.
  constexpr int kRows = 2 * Bitmap::kBandRows + 6;
  auto striped = [] {
    Bitmap picture = Bitmap::Uninitialized(3, kRows);
    for (int y = 0; y < kRows; ++y)
      for (int x = 0; x < 3; ++x) picture.Set(x, y, RgbPixel(x, y, 7));
    return picture;
  };
  const std::vector<Pixel> original = test::PixelsOf(striped());
  Bitmap source = striped();
  Bitmap target(5, 5, kBlackPixel);
  target.Assign(source);
  EXPECT_EQ(target.SharedBands(), 3);
  target.Set(1, 40, kRed);
  EXPECT_EQ(target.SharedBands(), 2);
  EXPECT_EQ(test::PixelsOf(source), original);
  source.Set(2, 69, kRed);
  EXPECT_EQ(target.At(2, 69), RgbPixel(2, 69, 7));
  EXPECT_EQ(target.At(1, 40), kRed);

  // Filling or reallocating a copy leaves the original alone.
  Bitmap filled = striped(), kept = filled.Clone();
  filled.Fill(kKeyPixel);
  Bitmap reallocated = kept.Clone();
  reallocated.Reallocate(3, kRows);
  for (int y = 0; y < kRows; ++y) std::fill_n(reallocated.Row(y), 3, kBlackPixel);
  EXPECT_EQ(test::PixelsOf(kept), original);
  EXPECT_EQ(test::PixelsOf(filled), std::vector<Pixel>(original.size(), kKeyPixel));

  // A copy within a shared picture, across a band boundary, in both directions.
  for (const int shift : {-5, 5}) {
    Bitmap moved = striped(), other = moved.Clone();
    CopyRect(moved, 0, 30 + shift, moved, {0, 30, 3, 36});
    EXPECT_EQ(test::PixelsOf(other), original) << shift;
    for (int y = 0; y < 6; ++y) EXPECT_EQ(moved.At(1, 30 + shift + y), RgbPixel(1, 30 + y, 7)) << shift;
  }

  // A taller picture of the same width shares its whole kept bands.
  Bitmap taller = striped(), before = taller.Clone();
  taller.Resize(3, kRows + 40, kKeyPixel);
  EXPECT_EQ(before.SharedBands(), 2);
  EXPECT_EQ(taller.At(0, kRows - 1), RgbPixel(0, kRows - 1, 7));
  EXPECT_EQ(taller.At(0, kRows), kKeyPixel);
  taller.Own(0, kRows);
  EXPECT_EQ(taller.SharedBands(), 0);
  EXPECT_EQ(test::PixelsOf(before), original);

  Bitmap moved = std::move(target);
  EXPECT_TRUE(target.Empty());
  EXPECT_EQ(moved.At(1, 40), kRed);
  Bitmap empty;
  moved.Assign(empty);
  EXPECT_EQ(moved.Width(), 0);
}

TEST(Bitmap, ResizeKeepsTheTopLeftAndAddsWhite) {
  Bitmap bitmap = PictureOf({"rb", "gy"});
  bitmap.Resize(3, 1);
  EXPECT_EQ(RowsOf(bitmap), (Rows{"rb."}));
  bitmap.Resize(2, 3, kKeyPixel);
  EXPECT_EQ(RowsOf(bitmap), (Rows{"rb", "kk", "kk"}));
}

TEST(Bitmap, APictureTooLargeForMemoryIsAnErrorAndChangesNothing) {
  EXPECT_EQ(test::MessageOf([] { Bitmap(40000, 40000, kWhitePixel); }), "Out of memory");
  Bitmap bitmap = PictureOf({"r"});
  EXPECT_EQ(test::MessageOf([&] { bitmap.Resize(70000, 70000); }), "Out of memory");
  EXPECT_EQ(RowsOf(bitmap), (Rows{"r"}));
}

TEST(Raster, FillAndCopyClipToThePicturesAndReportWhatTheyWrote) {
  Bitmap target(6, 4, kWhitePixel);
  EXPECT_EQ(FillRect(target, {-2, 1, 3, 3}, kRed), (PixelRect{0, 1, 3, 3}));
  EXPECT_EQ(FillRect(target, {6, 0, 9, 4}, kRed), PixelRect{});

  const Bitmap source = PictureOf({"bbgg", "bbgg", "yyyy"});
  // Rows 1..2 and columns 1..3 of the source, the part below the target cut off.
  EXPECT_EQ(CopyRect(target, 4, 2, source, {1, 1, 5, 4}), (PixelRect{4, 2, 6, 4}));
  EXPECT_EQ(RowsOf(target), (Rows{"......", "rrr...", "rrr.bg", "....yy"}));
}

TEST(Raster, CopyWithinOnePictureReadsEachPixelBeforeOverwritingIt) {
  Bitmap bitmap = PictureOf({"rgb.", "yk#.", "....", "...."});
  CopyRect(bitmap, 1, 1, bitmap, {0, 0, 3, 2});
  EXPECT_EQ(RowsOf(bitmap), (Rows{"rgb.", "yrgb", ".yk#", "...."}));
  CopyRect(bitmap, 0, 0, bitmap, {1, 1, 4, 3});
  EXPECT_EQ(RowsOf(bitmap), (Rows{"rgb.", "yk#b", ".yk#", "...."}));
}

TEST(Raster, RestoreFillsWhereTheSourceDoesNotReach) {
  Bitmap target(4, 2, kBlackPixel);
  const Bitmap source = PictureOf({"rg"});
  EXPECT_EQ(RestoreRect(target, source, {1, 0, 5, 2}, kKeyPixel), (PixelRect{1, 0, 4, 2}));
  EXPECT_EQ(RowsOf(target), (Rows{"#gkk", "#kkk"}));
}

Rows Line(int width, int height, int x0, int y0, int x1, int y1, int penWidth) {
  Bitmap bitmap(width, height, kWhitePixel);
  DrawLine(bitmap, x0, y0, x1, y1, penWidth, kBlackPixel);
  return RowsOf(bitmap);
}

TEST(Raster, ThinLinesLeaveOutTheirEndPoint) {
  EXPECT_EQ(Line(6, 3, 1, 1, 5, 1, 1), (Rows{"......", ".####.", "......"}));
  EXPECT_EQ(Line(6, 3, 5, 1, 1, 1, 1), (Rows{"......", "..####", "......"}));
  EXPECT_EQ(Line(6, 3, 0, 0, 4, 2, 1), (Rows{"#.....", ".##...", "...#.."}));
  EXPECT_EQ(Line(3, 4, 1, 0, 1, 3, 1), (Rows{".#.", ".#.", ".#.", "..."}));
  EXPECT_EQ(Line(3, 3, 1, 1, 1, 1, 1), (Rows{"...", "...", "..."}));

  // Consecutive segments meet without a gap or a doubled pixel.
  Bitmap bitmap(4, 4, kWhitePixel);
  EXPECT_EQ(DrawLine(bitmap, 0, 0, 3, 0, 1, kBlackPixel), (PixelRect{0, 0, 3, 1}));
  EXPECT_EQ(DrawLine(bitmap, 3, 0, 3, 3, 1, kRed), (PixelRect{3, 0, 4, 3}));
  EXPECT_EQ(RowsOf(bitmap), (Rows{"###r", "...r", "...r", "...."}));
}

TEST(Raster, WideLinesAreExactlyTheirWidthWithRoundEnds) {
  EXPECT_EQ(Line(11, 7, 3, 3, 7, 3, 5), (Rows{"...........",  //
                                              "..#######..",  //
                                              ".#########.",  //
                                              ".#########.",  //
                                              ".#########.",  //
                                              "..#######..",  //
                                              "..........."}));
  // An even width centres on the corner at the point's top-left.
  EXPECT_EQ(Line(11, 6, 3, 3, 7, 3, 4), (Rows{"...........",  //
                                              "..######...",  //
                                              ".########..",  //
                                              ".########..",  //
                                              "..######...",  //
                                              "..........."}));
  EXPECT_EQ(Line(6, 4, 1, 2, 4, 2, 2), (Rows{"......", "#####.", "#####.", "......"}));
}

TEST(Raster, WideSegmentsJoinRoundly) {
  Bitmap bitmap(13, 13, kWhitePixel);
  DrawLine(bitmap, 2, 2, 8, 2, 5, kBlackPixel);
  DrawLine(bitmap, 8, 2, 8, 8, 5, kBlackPixel);
  // The whole disc about the joint is painted; the outer corner beyond it is not.
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      if (4 * (dx * dx + dy * dy) <= 25) {
        EXPECT_EQ(bitmap.At(8 + dx, 2 + dy), kBlackPixel) << dx << "," << dy;
      }
    }
  }
  EXPECT_EQ(bitmap.At(10, 0), kWhitePixel);
  EXPECT_EQ(bitmap.At(9, 0), kBlackPixel);
}

TEST(Raster, WideLinesAtAnyAngleCoverThePixelsWithinHalfTheirWidth) {
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    const int x0 = random() % 40 - 5, y0 = random() % 40 - 5, x1 = random() % 40 - 5, y1 = random() % 40 - 5;
    const int width = 2 + random() % 14;
    Bitmap bitmap(30, 30, kWhitePixel);
    DrawLine(bitmap, x0, y0, x1, y1, width, kBlackPixel);
    // Pen points sit on pixel centres for odd widths, on corners for even ones.
    const double shift = width % 2 ? 0.0 : -0.5;
    const double ax = x0 + shift, ay = y0 + shift, dx = x1 - x0, dy = y1 - y0;
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 30; ++x) {
        const double t =
            dx || dy ? std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0) : 0;
        const double distance = std::hypot(x - ax - t * dx, y - ay - t * dy) - width / 2.0;
        if (std::fabs(distance) < 1e-9 || (x0 == x1 && y0 == y1)) continue;
        ASSERT_EQ(bitmap.At(x, y) == kBlackPixel, distance < 0)
            << x0 << "," << y0 << " to " << x1 << "," << y1 << " width " << width << " at " << x << "," << y;
      }
    }
  }
}

TEST(Raster, LongLinesCrossThePictureAsShortOnesOnTheSameLine) {
  std::mt19937 random(5);
  for (int round = 0; round < 200; ++round) {
    int ux, uy;
    do {
      ux = static_cast<int>(random() % 41) - 20;
      uy = static_cast<int>(random() % 41) - 20;
    } while (std::max(std::abs(ux), std::abs(uy)) < 10);
    // Odd rounds: very wide lines moved aside so that their edge crosses the picture.
    const bool wide = round % 2;
    const int width = wide ? 1000 + static_cast<int>(random() % 3000) : 1 + static_cast<int>(random() % 16);
    const int aside = wide ? static_cast<int>(std::lround(width / 2.0 / std::hypot(ux, uy))) : 0;
    const int cx = 15 - aside * uy, cy = 15 + aside * ux;
    // Both pass the 30 x 30 picture whole; only the far one needs wide arithmetic.
    const int nearSteps = wide ? 300 : 4, farSteps = 3000000;
    Bitmap near(30, 30, kWhitePixel), far(30, 30, kWhitePixel);
    DrawLine(near, cx - nearSteps * ux, cy - nearSteps * uy, cx + nearSteps * ux, cy + nearSteps * uy, width,
             kBlackPixel);
    DrawLine(far, cx - farSteps * ux, cy - farSteps * uy, cx + farSteps * ux, cy + farSteps * uy, width,
             kBlackPixel);
    ASSERT_EQ(RowsOf(near), RowsOf(far)) << ux << "," << uy << " width " << width;
  }
}

TEST(Raster, LinesFarOutsideThePictureAreClippedQuickly) {
  Bitmap bitmap(10, 10, kWhitePixel);
  EXPECT_EQ(DrawLine(bitmap, -1000000000, 5, 1000000000, 5, 3, kBlackPixel), (PixelRect{0, 4, 10, 7}));
  EXPECT_EQ(DrawLine(bitmap, -200, -200, -100, 30, 100, kRed), PixelRect{});
  EXPECT_EQ(DrawLine(bitmap, 5, -1000000, 5, 1000000, 1, kRed), (PixelRect{5, 0, 6, 10}));
}

}  // namespace
}  // namespace velmora
