#include "imaging/UndoHistory.h"

#include <gtest/gtest.h>

#include <utility>

#include "imaging/SessionCommands.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::kRed;
using test::kScreen;
using test::kWallpaper;

constexpr std::uint32_t kRedColor = 0x0000FF;
constexpr std::uint32_t kBlueColor = 0xFF0000;

// An opened session on a desktop of the given size: wallpaper grey, screen
// grey, nothing drawn.
Layers Session(int width, int height, bool showWindows = true) {
  Layers layers;
  layers.i2 = Bitmap(width, height, kWallpaper);
  layers.i4 = Bitmap(width, height, kWallpaper);
  layers.i5 = Bitmap(width, height, kKeyPixel);
  OpenSession(layers, Bitmap(width, height, kScreen), width, height, showWindows);
  return layers;
}

struct State {
  Bitmap i1, i4, i5, i31;
};

State StateOf(const Layers& l) {
  return {l.i1.Clone(), l.i4.Clone(), l.i5.Clone(), l.i31.Clone()};
}

bool SamePixels(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  return test::PixelsOf(a) == test::PixelsOf(b);
}

::testing::AssertionResult Matches(const Layers& l, const State& s) {
  const std::pair<const Bitmap*, const Bitmap*> pairs[] = {
      {&l.i1, &s.i1}, {&l.i4, &s.i4}, {&l.i5, &s.i5}, {&l.i31, &s.i31}};
  const char* names[] = {"visible canvas", "composed layer", "drawing layer", "screen layer"};
  for (int i = 0; i < 4; ++i)
    if (!SamePixels(*pairs[i].first, *pairs[i].second))
      return ::testing::AssertionFailure() << names[i] << " differs";
  return ::testing::AssertionSuccess();
}

void Drag(Layers& layers, UndoHistory& history, Tool tool, std::initializer_list<std::pair<int, int>> points,
          int size = 3, std::uint32_t color = kRedColor, bool showWindows = true) {
  Stroke stroke;
  history.BeginStep();
  auto it = points.begin();
  stroke.Begin(it->first, it->second, size, color);
  for (++it; it != points.end(); ++it)
    stroke.Move(layers, tool, it->first, it->second, showWindows, &history);
  stroke.Release(layers, &history);
  history.EndStep();
}

TEST(UndoHistory, UndoesAndRedoesStrokesOneAtATimeBackToTheOpening) {
  Layers layers = Session(40, 20);
  UndoHistory history;
  const State opening = StateOf(layers);
  Drag(layers, history, Tool::kBrush, {{2, 3}, {30, 3}});
  const State first = StateOf(layers);
  Drag(layers, history, Tool::kBrush, {{2, 10}, {9, 17}, {37, 12}}, 5, kBlueColor);
  const State second = StateOf(layers);
  Drag(layers, history, Tool::kEraseAll, {{10, 3}, {14, 4}, {18, 5}}, 4);  // over both strokes
  EXPECT_EQ(history.UndoCount(), 3u);

  EXPECT_FALSE(history.Undo(layers, true).Empty());
  EXPECT_TRUE(Matches(layers, second));
  history.Undo(layers, true);
  EXPECT_TRUE(Matches(layers, first));
  EXPECT_EQ(layers.i5.At(20, 3), kRed);
  history.Redo(layers, true);
  EXPECT_TRUE(Matches(layers, second));
  history.Undo(layers, true);
  history.Undo(layers, true);
  EXPECT_TRUE(Matches(layers, opening));
  EXPECT_TRUE(history.Undo(layers, true).Empty());  // nothing before the opening
  EXPECT_EQ(history.RedoCount(), 3u);

  // A new stroke after undoing makes the undone ones unreachable.
  history.Redo(layers, true);
  Drag(layers, history, Tool::kBrush, {{5, 15}, {6, 15}});
  EXPECT_EQ(history.RedoCount(), 0u);
  EXPECT_TRUE(history.Redo(layers, true).Empty());
  history.Undo(layers, true);
  EXPECT_TRUE(Matches(layers, first));
}

TEST(UndoHistory, TheCanvasShowsTheViewChosenNowAndOtherChangesAreSteps) {
  Layers layers = Session(20, 10);
  UndoHistory history;
  Drag(layers, history, Tool::kBrush, {{1, 1}, {18, 1}}, 1);
  // A click without movement is no step.
  Drag(layers, history, Tool::kBrush, {{5, 5}});
  EXPECT_EQ(history.UndoCount(), 1u);
  // A stamped note or a placed piece: one change announced before it is made.
  history.RecordChange(layers, {2, 4, 6, 8});
  FillRect(layers.i1, {2, 4, 6, 8}, kRed);
  FillRect(layers.i4, {2, 4, 6, 8}, kRed);
  FillRect(layers.i5, {2, 4, 6, 8}, kRed);
  EXPECT_EQ(history.UndoCount(), 2u);

  // Windows hidden since: the canvas shows the composed layer where undone.
  SwitchShowWindows(layers, false);
  history.Undo(layers, false);
  EXPECT_EQ(layers.i5.At(3, 5), kKeyPixel);
  EXPECT_EQ(layers.i1.At(3, 5), kWallpaper);
  history.Undo(layers, false);
  EXPECT_EQ(layers.i1.At(5, 1), kWallpaper);
  EXPECT_EQ(layers.i31.At(5, 1), kScreen);
  history.Redo(layers, true);
  EXPECT_EQ(layers.i1.At(5, 1), kRed);
  EXPECT_EQ(layers.i4.At(5, 1), kRed);

  history.Clear();
  EXPECT_EQ(history.UndoCount() + history.RedoCount(), 0u);
  EXPECT_EQ(history.Bytes(), 0u);
}

TEST(UndoHistory, MemoryFollowsTheTouchedAreaAndTheLimitDropsTheOldestSteps) {
  Layers layers = Session(1000, 800);
  UndoHistory history;
  for (int i = 0; i < 200; ++i) Drag(layers, history, Tool::kBrush, {{100 + i * 4, 100}, {100 + i * 4, 120}});
  EXPECT_EQ(history.UndoCount(), 200u);
  // Each 20-pixel stroke keeps a few blocks, nowhere near a layer's 3.2 MB.
  EXPECT_LT(history.Bytes(), std::size_t{1} << 20);

  // Eight strokes of one shape under a limit of five of them.
  Layers other = Session(1000, 800);
  UndoHistory measure;
  Drag(other, measure, Tool::kBrush, {{10, 410}, {10, 430}});
  const std::size_t perStep = measure.Bytes();
  UndoHistory small(perStep * 5);
  Drag(other, small, Tool::kBrush, {{10, 10}, {10, 30}});
  for (int i = 1; i < 8; ++i) Drag(other, small, Tool::kBrush, {{10 + i * 40, 10}, {10 + i * 40, 30}});
  EXPECT_LE(small.Bytes(), perStep * 5);
  EXPECT_LT(small.UndoCount(), 8u);
  while (!small.Undo(other, true).Empty()) {
  }
  // The oldest steps are forgotten: undoing stops short of the opening.
  EXPECT_EQ(other.i5.At(10, 20), kRed);
  EXPECT_NE(other.i5.At(290, 20), kRed);

  // A step larger than the whole limit cannot be undone, nor can those before it.
  UndoHistory tiny(4096);
  Layers third = Session(200, 100);
  Drag(third, tiny, Tool::kBrush, {{5, 5}, {6, 5}}, 1);
  EXPECT_EQ(tiny.UndoCount(), 1u);
  Drag(third, tiny, Tool::kBrush, {{0, 50}, {199, 50}}, 60);
  EXPECT_EQ(tiny.UndoCount(), 0u);
  EXPECT_EQ(tiny.Bytes(), 0u);
  EXPECT_TRUE(tiny.Undo(third, true).Empty());
  EXPECT_EQ(third.i5.At(100, 50), kRed);
}

// A photograph-like wallpaper: no two neighbouring pixels alike.
Bitmap Noise(int width, int height) {
  Bitmap picture(width, height, 0);
  std::uint32_t seed = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.Set(x, y, (seed = seed * 1664525 + 1013904223) >> 8);
  return picture;
}

TEST(UndoHistory, KeepsEveryPixelAndPlainOrRepeatedBlocksCheaply) {
  // Sizes off the block grid; a window covers part of the wallpaper on the
  // screen, and a little is drawn already.
  Layers layers;
  layers.i2 = Noise(45, 27);
  layers.i4 = layers.i2.Clone();
  layers.i5 = Bitmap(45, 27, kKeyPixel);
  layers.i5.Set(20, 9, kRed);
  layers.i4.Set(20, 9, kRed);
  Bitmap screen = layers.i4.Clone();
  FillRect(screen, {30, 2, 45, 20}, kScreen);
  OpenSession(layers, std::move(screen), 40, 25, true);
  UndoHistory history;
  const State opening = StateOf(layers);
  Drag(layers, history, Tool::kBrush, {{1, 1}, {44, 26}, {3, 24}}, 5);
  Drag(layers, history, Tool::kEraseLast, {{10, 10}, {30, 12}, {44, 3}}, 6);
  Drag(layers, history, Tool::kBrush, {{0, 13}, {44, 13}}, 9, kBlueColor);
  const State drawn = StateOf(layers);
  while (!history.Undo(layers, true).Empty()) {
  }
  EXPECT_TRUE(Matches(layers, opening));
  while (!history.Redo(layers, true).Empty()) {
  }
  EXPECT_TRUE(Matches(layers, drawn));

  // A one-pixel line through four blocks: on plain layers each block costs a
  // few pixels; on the photograph only its composed layer is kept whole (the
  // drawing is of one colour, the uncovered screen the same as the composed).
  Layers plain = Session(64, 32);
  Layers photo;
  photo.i2 = Noise(64, 32);
  photo.i4 = photo.i2.Clone();
  photo.i5 = Bitmap(64, 32, kKeyPixel);
  OpenSession(photo, photo.i4.Clone(), 64, 32, true);
  UndoHistory plainHistory, photoHistory;
  Drag(plain, plainHistory, Tool::kBrush, {{8, 8}, {39, 8}}, 1);
  Drag(photo, photoHistory, Tool::kBrush, {{8, 8}, {39, 8}}, 1);
  const std::size_t wholeBlocks = 4 * 8 * 8 * sizeof(Pixel);
  EXPECT_LT(plainHistory.Bytes(), wholeBlocks / 2);
  EXPECT_GT(photoHistory.Bytes(), wholeBlocks);
  EXPECT_LT(photoHistory.Bytes(), 2 * wholeBlocks);
  // Undone, the step keeps the line: the drawing is no longer of one colour,
  // the screen still the same as the composed.
  photoHistory.Undo(photo, true);
  EXPECT_EQ(photo.i4.At(9, 8), photo.i2.At(9, 8));
  EXPECT_GT(photoHistory.Bytes(), 2 * wholeBlocks);
  EXPECT_LT(photoHistory.Bytes(), 3 * wholeBlocks);
}

TEST(UndoHistory, TheCanvasGoesOnSharingTheScreenLayerWhileTheyAreAlike) {
  Layers layers = Session(200, 100);
  UndoHistory history;
  Drag(layers, history, Tool::kBrush, {{5, 5}, {190, 90}, {10, 80}}, 9);
  // Once the screen layer's own, a band is not copied again by later moves.
  const Pixel* band = std::as_const(layers.i31).Row(70);
  Drag(layers, history, Tool::kBrush, {{20, 70}, {30, 72}, {40, 70}}, 5);
  EXPECT_EQ(std::as_const(layers.i31).Row(70), band);
  EXPECT_EQ(layers.i1.At(30, 72), kRed);
  Drag(layers, history, Tool::kEraseLast, {{100, 50}, {101, 50}, {150, 60}}, 12);
  EXPECT_TRUE(layers.i1.SharesRows(layers.i31, 0, 100));
  EXPECT_EQ(layers.i1.At(10, 80), kRed);
  EXPECT_EQ(layers.i1.At(100, 49), kScreen);  // the stroke erased there
  history.Undo(layers, true);
  EXPECT_TRUE(layers.i1.SharesRows(layers.i31, 0, 100));
  EXPECT_EQ(layers.i1.At(100, 49), kRed);

  // Windows hidden, the canvas shows the composed layer and is its own.
  SwitchShowWindows(layers, false);
  Drag(layers, history, Tool::kBrush, {{5, 50}, {60, 50}}, 3, kRedColor, false);
  EXPECT_TRUE(SamePixels(layers.i1, layers.i4));
  EXPECT_FALSE(layers.i1.SharesRows(layers.i31, 0, 100));
  // After "Cancel all" every layer is the background; "Erase last" then
  // brings back the composed snapshot to the canvas, the screen to the
  // screen layer, so they part.
  CancelAll(layers);
  Drag(layers, history, Tool::kEraseLast, {{40, 40}, {41, 40}}, 10, kRedColor, false);
  EXPECT_EQ(layers.i1.At(40, 40), kWallpaper);
  EXPECT_EQ(layers.i31.At(40, 40), kScreen);
  SwitchShowWindows(layers, true);
  Drag(layers, history, Tool::kBrush, {{0, 40}, {199, 40}}, 1);
  EXPECT_TRUE(SamePixels(layers.i1, layers.i31));
}

}  // namespace
}  // namespace velmora
