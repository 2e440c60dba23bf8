#include <gtest/gtest.h>

#include "picture/BrushPreview.h"

namespace velmora {
namespace {

TEST(BrushPreview, PopsUpRightOfTheSizeTrackBarAndLevelWithIt) {
  const Rect siz{16, 102, 100, 25};  // the toolbar's layout
  EXPECT_EQ(BrushPreviewPosition({192, 109}, siz, 96), (Point{192 + 116, 109 + 62}));
  EXPECT_EQ(BrushPreviewPosition({0, 0}, siz, 96), (Point{116, 62}));
  EXPECT_EQ(BrushPreviewPosition({-50, 700}, {0, 0, 10, 5}, 96), (Point{-40, 640}));
  // At 150 % the track bar is {24, 153, 150, 38} and the lift 98.
  EXPECT_EQ(BrushPreviewPosition({288, 164}, {24, 153, 150, 38}, 144), (Point{288 + 174, 164 + 191 - 98}));
}

TEST(BrushPreview, TheDiscIsTheBrushSizeAcrossAtTheLeftEdgeAndCentredVertically) {
  EXPECT_EQ(BrushDiscBounds(100), (Rect{0, 0, 100, 100}));
  EXPECT_EQ(BrushDiscBounds(40), (Rect{0, 30, 40, 40}));
  EXPECT_EQ(BrushDiscBounds(1), (Rect{0, 49, 1, 1}));
  EXPECT_EQ(BrushDiscBounds(7), (Rect{0, 46, 7, 7}));
}

TEST(BrushPreview, OnlyAPreviewWithoutRunningTimerIsPlacedAndShownOutsideStartUp) {
  const BrushPreviewChange idle = ChangeBrushPreview(false, false);
  EXPECT_TRUE(idle.recolourAndPlace);
  EXPECT_TRUE(idle.showAndStartTimer);
  const BrushPreviewChange startup = ChangeBrushPreview(false, true);
  EXPECT_TRUE(startup.recolourAndPlace);
  EXPECT_FALSE(startup.showAndStartTimer);
  for (bool startupRunning : {false, true}) {
    const BrushPreviewChange running = ChangeBrushPreview(true, startupRunning);
    EXPECT_FALSE(running.recolourAndPlace);
    EXPECT_FALSE(running.showAndStartTimer);
  }
}

// Runs ticks with the disc widths the track bar has at each tick and returns
// the number of the tick that closes the preview (0 when none does).
int CloseTick(std::uint8_t& remembered, std::initializer_list<int> widthsAtTicks) {
  int tick = 0;
  for (int width : widthsAtTicks) {
    ++tick;
    const BrushPreviewTick t = TickBrushPreview(remembered, width);
    remembered = t.remembered;
    if (t.close) return tick;
  }
  return 0;
}

TEST(BrushPreview, ClosesAtTheFirstTickThatFindsTheSizeRemembered) {
  std::uint8_t remembered = 0;  // program start
  // A drag keeps changing the size: the preview stays, then closes one tick after the drag stops.
  EXPECT_EQ(CloseTick(remembered, {5, 9, 14, 20, 20}), 5);
  EXPECT_EQ(remembered, 20);
  // The next showing ends on the size remembered from the last one: it closes at its first tick.
  EXPECT_EQ(CloseTick(remembered, {20}), 1);
  // Another size keeps it up for a second tick.
  EXPECT_EQ(CloseTick(remembered, {33, 33}), 2);
  EXPECT_EQ(CloseTick(remembered, {100, 99, 100}), 0);
  EXPECT_EQ(remembered, 100);
}

}  // namespace
}  // namespace velmora
