#include <gtest/gtest.h>

#include "base/DpiScale.h"

namespace velmora {
namespace {

TEST(DpiScale, RoundsToTheNearestPixelWithHalvesAwayFromZero) {
  EXPECT_EQ(ToDpi(233, 96), 233);
  EXPECT_EQ(ToDpi(233, 144), 350);  // 349.5
  EXPECT_EQ(ToDpi(85, 120), 106);   // 106.25
  EXPECT_EQ(ToDpi(30, 120), 38);    // 37.5
  EXPECT_EQ(ToDpi(-8, 144), -12);
  EXPECT_EQ(ToDpi(-3, 144), -5);  // -4.5: a negative layout offset grows as a positive one
  EXPECT_EQ(ToDpi(Rect{16, 8, 100, 23}, 192), (Rect{32, 16, 200, 46}));
  EXPECT_EQ(BetweenDpis(300, 144, 192), 400);
  EXPECT_EQ(BetweenDpis(7, 0, 192), 7);  // no DPI known: unchanged
}

TEST(DpiScale, FontsRoundDownSoTheirTextStaysInItsScaledBox) {
  EXPECT_EQ(FontHeightBetweenDpis(11, 96, 120), 13);  // 13.75: a 14-pixel font outgrows a box 25 % larger
  EXPECT_EQ(FontHeightBetweenDpis(13, 96, 144), 19);
  EXPECT_EQ(FontHeightBetweenDpis(13, 96, 192), 26);
  EXPECT_EQ(FontHeightBetweenDpis(20, 144, 144), 20);  // a note font at its own DPI keeps its pixels
  EXPECT_EQ(FontHeightBetweenDpis(20, 144, 96), 13);
}

TEST(DpiScale, LayoutPixelsSurviveTheWayThereAndBack) {
  for (int dpi : {96, 120, 144, 168, 192, 240, 288})
    for (int v = -400; v <= 4000; ++v) ASSERT_EQ(FromDpi(ToDpi(v, dpi), dpi), v) << v << " at " << dpi;
  // A size saved at 150 % means the same on the screen read back at 100 % and at 200 %.
  EXPECT_EQ(FromDpi(308, 144), 205);
  EXPECT_EQ(ToDpi(FromDpi(308, 144), 192), 410);
}

}  // namespace
}  // namespace velmora
