#include "imaging/Shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "imaging/SessionCommands.h"
#include "imaging/Translucent.h"
#include "imaging/UndoHistory.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::kRed;
using test::kScreen;
using test::kWallpaper;
using test::PictureOf;
using test::PixelsOf;
using test::RowsOf;
using Rows = std::vector<std::string>;

constexpr std::uint32_t kRedColor = 0x0000FF;

Rows Drawn(Figure kind, int x0, int y0, int x1, int y1, int width, int w, int h) {
  Bitmap picture(w, h, kWhitePixel);
  std::vector<Span> spans;
  ShapeSpans(kind, x0, y0, x1, y1, width, BoundsOf(picture), spans);
  FillSpans(picture, spans, kRed);
  return RowsOf(picture);
}

TEST(Shapes, RectanglesAreOutlinesCentredOnTheDraggedPixelsWithSquareCorners) {
  const Rows thin = {".......", ".rrrrr.", ".r...r.", ".r...r.", ".rrrrr.", "......."};
  EXPECT_EQ(Drawn(Figure::kRectangle, 1, 1, 5, 4, 1, 7, 6), thin);
  EXPECT_EQ(Drawn(Figure::kRectangle, 5, 4, 1, 1, 1, 7, 6), thin);  // dragged the other way
  // Width 3 over a 5 x 5 box: a one-pixel hole in the middle.
  EXPECT_EQ(Drawn(Figure::kRectangle, 2, 2, 6, 6, 3, 9, 9),
            (Rows{".........", ".rrrrrrr.", ".rrrrrrr.", ".rrrrrrr.", ".rrr.rrr.", ".rrrrrrr.", ".rrrrrrr.",
                  ".rrrrrrr.", "........."}));
  // An even width has its extra pixel before the edge, as the brush line has.
  EXPECT_EQ(Drawn(Figure::kRectangle, 2, 2, 6, 5, 2, 9, 8),
            (Rows{".........", ".rrrrrr..", ".rrrrrr..", ".rr..rr..", ".rrrrrr..", ".rrrrrr..", ".........",
                  "........."}));
  // Cut by the picture's edge, and nothing for a drag of no length.
  EXPECT_EQ(Drawn(Figure::kRectangle, -2, 1, 2, 9, 1, 4, 3), (Rows{"....", "rrr.", "..r."}));
  EXPECT_EQ(Drawn(Figure::kRectangle, 3, 3, 3, 3, 5, 7, 7), Drawn(Figure::kLine, 0, 0, 0, 0, 1, 7, 7));
  EXPECT_EQ(Drawn(Figure::kEllipse, 3, 3, 3, 3, 5, 7, 7), Drawn(Figure::kLine, 0, 0, 0, 0, 1, 7, 7));
}

TEST(Shapes, EllipsesTouchTheBoxAtItsSidesAndKeepTheirWidthAllRound) {
  EXPECT_EQ(
      Drawn(Figure::kEllipse, 1, 1, 7, 5, 1, 9, 7),
      (Rows{".........", "..rrrrr..", ".rr...rr.", ".r.....r.", ".rr...rr.", "..rrrrr..", "........."}));
  // A circle of radius 40 in widths 1 and 9: every pixel lies within the pen
  // of the circle, the ring is closed (each quarter row and column is met),
  // and the sides, top and bottom are painted where dragged.
  for (const int width : {1, 9}) {
    SCOPED_TRACE(width);
    Bitmap picture(101, 101, kWhitePixel);
    std::vector<Span> spans;
    ShapeSpans(Figure::kEllipse, 10, 10, 90, 90, width, BoundsOf(picture), spans);
    FillSpans(picture, spans, kRed);
    for (int y = 0; y < 101; ++y)
      for (int x = 0; x < 101; ++x)
        if (picture.At(x, y) == kRed) {
          const double distance = std::hypot(x - 50.0, y - 50.0);
          ASSERT_LE(std::fabs(distance - 40), width / 2.0 + 0.01) << x << ", " << y;
        }
    for (const auto& [x, y] : {std::pair{10, 50}, {90, 50}, {50, 10}, {50, 90}})
      EXPECT_EQ(picture.At(x, y), kRed);
    EXPECT_EQ(picture.At(50, 50), kWhitePixel);
    for (int i = 10; i <= 50; ++i) {
      bool row = false, column = false;
      for (int j = 0; j <= 50; ++j) {
        row = row || picture.At(j, i) == kRed;
        column = column || picture.At(i, j) == kRed;
      }
      EXPECT_TRUE(row && column) << i;
    }
  }
}

TEST(Shapes, LinesEndWhereDraggedAndArrowsHaveTheirTipAtTheRelease) {
  EXPECT_EQ(Drawn(Figure::kLine, 0, 1, 4, 1, 1, 6, 3), (Rows{"......", "rrrrr.", "......"}));

  Bitmap picture(120, 60, kWhitePixel);
  std::vector<Span> spans;
  ShapeSpans(Figure::kArrow, 10, 30, 100, 30, 3, BoundsOf(picture), spans);
  FillSpans(picture, spans, kRed);
  EXPECT_EQ(picture.At(100, 30), kRed);         // the tip
  EXPECT_EQ(picture.At(101, 30), kWhitePixel);  // and nothing beyond it
  EXPECT_EQ(picture.At(10, 30), kRed);          // the tail
  EXPECT_EQ(picture.At(40, 28), kWhitePixel);   // a shaft of width 3
  EXPECT_EQ(picture.At(40, 29), kRed);
  // The head (19 pixels long for width 3) is wide at its base and narrows to the tip.
  int baseHeight = 0, nearTipHeight = 0;
  for (int y = 0; y < 60; ++y) {
    baseHeight += picture.At(82, y) == kRed;
    nearTipHeight += picture.At(98, y) == kRed;
  }
  EXPECT_GE(baseHeight, 17);
  EXPECT_LT(nearTipHeight, 5);
  EXPECT_GE(nearTipHeight, 1);

  // Shorter than a head: a head alone, its tip still at the release.
  ShapeSpans(Figure::kArrow, 50, 50, 47, 46, 5, BoundsOf(picture), spans);
  Bitmap small(120, 60, kWhitePixel);
  FillSpans(small, spans, kRed);
  EXPECT_EQ(small.At(47, 46), kRed);
}

TEST(Shapes, ShiftMakesTheBoxASquareOfTheLargerSide) {
  int x = 30, y = 12;
  SquareEnd(10, 10, x, y);
  EXPECT_EQ(std::pair(x, y), std::pair(30, 30));
  x = 4, y = -20;
  SquareEnd(10, 10, x, y);
  EXPECT_EQ(std::pair(x, y), std::pair(-20, -20));
}

TEST(Shapes, RepaintRectanglesCoverTheOutlineButNotTheInsideOfALargeBox) {
  std::vector<Span> spans;
  ShapeSpans(Figure::kRectangle, 100, 100, 1900, 1000, 5, {0, 0, 2000, 1100}, spans);
  std::vector<PixelRect> rects;
  SpanRects(spans, rects);
  for (const Span& span : spans) {
    const bool covered = std::any_of(rects.begin(), rects.end(), [&](const PixelRect& r) {
      return r.Contains({span.left, span.y, span.right, span.y + 1});
    });
    ASSERT_TRUE(covered) << span.y << ": " << span.left << ", " << span.right;
  }
  long long area = 0;
  for (const PixelRect& r : rects) {
    area += static_cast<long long>(r.Width()) * r.Height();
    EXPECT_FALSE(r.Contains({1000, 500, 1001, 501}));
  }
  EXPECT_LT(area, 2 * 5 * (1800 + 900) * 2);
  EXPECT_LT(rects.size(), 200u);
}

TEST(Shapes, AnOverlayPutsBackExactlyWhatItCovered) {
  std::mt19937 random(5);
  Bitmap picture = Bitmap::Uninitialized(60, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) picture.Set(x, y, random() & 0xFFFFFF);
  const std::vector<Pixel> before = PixelsOf(picture);
  ShapeOverlay overlay;
  std::vector<Span> spans;
  // An arrow's shaft and head overlap; each shape replaces the one before;
  // the last one reaches past the picture.
  for (const auto& [x, y] : {std::pair{50, 30}, {20, 35}, {70, 10}}) {
    ShapeSpans(Figure::kArrow, 5, 5, x, y, 4, {-10, -10, 100, 100}, spans);
    overlay.Show(picture, spans, kRed);
    if (x < 60) {
      EXPECT_EQ(picture.At(x, y), kRed);
    }
  }
  EXPECT_NE(picture.At(50, 30), kRed);
  std::vector<Span> removed;
  overlay.Remove(picture, &removed);
  EXPECT_FALSE(overlay.Shown());
  EXPECT_FALSE(removed.empty());
  EXPECT_EQ(PixelsOf(picture), before);
}

// Each shape in turn, changed only where it differs from the one before:
// the picture is always the original with just that shape on it, and every
// pixel that changed is among the spans reported.
TEST(Shapes, AnOverlayMovedAboutLooksAsIfDrawnAfreshEachTime) {
  std::mt19937 random(9);
  Bitmap original = Bitmap::Uninitialized(90, 70);
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 90; ++x) original.Set(x, y, random() & 0xFFFFFF);
  Bitmap picture = original.Clone();
  ShapeOverlay overlay;
  std::vector<Span> spans;
  for (int i = 0; i < 60; ++i) {
    const Figure kind = static_cast<Figure>(i % 4);
    const int x1 = static_cast<int>(random() % 110) - 10, y1 = static_cast<int>(random() % 90) - 10;
    const int width = 1 + static_cast<int>(random() % 9);
    const int opacity = i % 5 == 0 ? kHighlightOpacity : 0;
    ShapeSpans(kind, 20, 15, x1, y1, width, {-20, -20, 120, 100}, spans);
    const std::vector<Pixel> before = PixelsOf(picture);
    std::vector<Span> changed;
    overlay.Show(picture, spans, kRed, opacity, &changed);
    Bitmap expected = original.Clone();
    ShapeOverlay fresh;
    fresh.Show(expected, spans, kRed, opacity);
    ASSERT_EQ(PixelsOf(picture), PixelsOf(expected)) << i;
    Bitmap marked(90, 70, kBlackPixel);
    FillSpans(marked, changed, kWhitePixel);
    const std::vector<Pixel> after = PixelsOf(picture);
    for (std::size_t p = 0; p < after.size(); ++p) {
      if (after[p] == before[p]) continue;
      ASSERT_EQ(marked.At(static_cast<int>(p % 90), static_cast<int>(p / 90)), kWhitePixel) << i;
    }
  }
  overlay.Remove(picture);
  EXPECT_EQ(PixelsOf(picture), PixelsOf(original));
}

Layers Session(int width, int height) {
  Layers layers;
  layers.i2 = Bitmap(width, height, kWallpaper);
  layers.i4 = Bitmap(width, height, kWallpaper);
  layers.i5 = Bitmap(width, height, kKeyPixel);
  OpenSession(layers, Bitmap(width, height, kScreen), width, height, true);
  return layers;
}

TEST(Shapes, AShapeIsShownOnTheCanvasWhileDraggedAndLaidOnEveryLayerAsOneStep) {
  Layers layers = Session(12, 8);
  UndoHistory history;
  Stroke stroke;
  history.BeginStep();
  stroke.Begin(1, 1, 1, kRedColor);
  stroke.Move(layers, Tool::kRectangle, 9, 3, true, &history);
  stroke.Move(layers, Tool::kRectangle, 6, 5, true, &history);  // the first box goes
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"ssssssssssss", "srrrrrrsssss", "srssssrsssss", "srssssrsssss",
                                     "srssssrsssss", "srrrrrrsssss", "ssssssssssss", "ssssssssssss"}));
  EXPECT_FALSE(stroke.ChangedRects().empty());
  // Nothing reaches the layers before the release.
  EXPECT_EQ(RowsOf(layers.i4), Rows(8, std::string(12, 'w')));
  EXPECT_EQ(RowsOf(layers.i5), Rows(8, std::string(12, 'k')));
  EXPECT_EQ(RowsOf(layers.i31), Rows(8, std::string(12, 's')));
  EXPECT_EQ(history.UndoCount(), 0u);

  stroke.Release(layers, &history);
  history.EndStep();
  EXPECT_FALSE(stroke.Active());
  EXPECT_EQ(RowsOf(layers.i31), RowsOf(layers.i1));
  EXPECT_EQ(RowsOf(layers.i5)[5], "krrrrrrkkkkk");
  EXPECT_EQ(RowsOf(layers.i4)[3], "wrwwwwrwwwww");
  EXPECT_EQ(history.UndoCount(), 1u);
  history.Undo(layers, true);
  EXPECT_EQ(RowsOf(layers.i1), Rows(8, std::string(12, 's')));
  EXPECT_EQ(RowsOf(layers.i5), Rows(8, std::string(12, 'k')));
}

TEST(Shapes, AStraightBrushStrokeIsALineFromThePressWhereverThePointerWent) {
  Layers layers = Session(10, 6);
  Stroke stroke;
  stroke.Begin(1, 1, 1, kRedColor, true);
  stroke.Move(layers, Tool::kBrush, 5, 5, true);
  stroke.Move(layers, Tool::kBrush, 8, 1, true);
  stroke.Release(layers);
  EXPECT_EQ(RowsOf(layers.i5),
            (Rows{"kkkkkkkkkk", "krrrrrrrrk", "kkkkkkkkkk", "kkkkkkkkkk", "kkkkkkkkkk", "kkkkkkkkkk"}));
  // With Shift the ellipse dragged to (8, 4) is a circle reaching down to row 8.
  Layers other = Session(10, 10);
  stroke.Begin(1, 1, 1, kRedColor);
  stroke.Move(other, Tool::kEllipse, 8, 4, true, nullptr, true);
  stroke.Release(other);
  EXPECT_EQ(other.i5.At(1, 4), kRed);  // the left of a circle of diameter 7
  EXPECT_EQ(other.i5.At(4, 8), kRed);  // and its bottom
}

TEST(NumberMarks, ADiskInTheBrushColourWithItsDigitsInsideInTheContrastingColour) {
  EXPECT_EQ(ContrastOf(RgbPixel(255, 255, 0)), kBlackPixel);
  EXPECT_EQ(ContrastOf(kWhitePixel), kBlackPixel);
  EXPECT_EQ(ContrastOf(RgbPixel(255, 0, 0)), kWhitePixel);
  EXPECT_EQ(ContrastOf(RgbPixel(0, 0, 128)), kWhitePixel);

  const int radius = NumberMarkRadius(5);
  const PixelRect clip{0, 0, 200, 200};
  std::vector<std::vector<Pixel>> looks;
  for (const int number : {1, 2, 3, 7, 8, 10, 42, 999}) {
    SCOPED_TRACE(number);
    std::vector<Span> disk, digits;
    NumberMarkSpans(100, 100, 5, number, clip, disk, digits);
    Bitmap picture(200, 200, kWhitePixel);
    FillSpans(picture, disk, kRed);
    EXPECT_EQ(picture.At(100 - radius, 100), kRed);
    EXPECT_EQ(picture.At(100, 100 + radius), kRed);
    EXPECT_EQ(picture.At(100 - radius - 1, 100), kWhitePixel);
    EXPECT_EQ(picture.At(100 + radius - 1, 100 + radius - 1), kWhitePixel);  // round, not square
    // Every digit pixel lies on the disk, well inside its edge.
    ASSERT_FALSE(digits.empty());
    for (const Span& span : digits) {
      for (int x = span.left; x < span.right; ++x) {
        ASSERT_EQ(picture.At(x, span.y), kRed) << x << ", " << span.y;
        ASSERT_LT(std::hypot(x - 100.0, span.y - 100.0), radius - 1.0);
      }
    }
    FillSpans(picture, digits, kBlackPixel);
    looks.push_back(PixelsOf(picture));
  }
  // Each number looks different.
  for (std::size_t i = 0; i < looks.size(); ++i)
    for (std::size_t j = i + 1; j < looks.size(); ++j) EXPECT_NE(looks[i], looks[j]) << i << ", " << j;
}

TEST(NumberMarks, TheCountGoesOnFromTheHighestMarkInPlaceAndStepsBackWithUndo) {
  Layers layers = Session(200, 100);
  UndoHistory history;
  const auto stamp = [&](int x) {
    history.BeginStep();
    const int number = history.NextMark();
    StampNumber(layers, x, 50, 1, kRedColor, number, &history);
    history.MarkStep(number);
    history.EndStep();
    return number;
  };
  EXPECT_EQ(stamp(20), 1);
  EXPECT_EQ(stamp(60), 2);
  EXPECT_EQ(stamp(100), 3);
  EXPECT_EQ(layers.i5.At(100 - NumberMarkRadius(1) + 1, 50), kRed);
  history.Undo(layers, true);
  EXPECT_EQ(layers.i5.At(100 - NumberMarkRadius(1) + 1, 50), kKeyPixel);  // the whole mark goes
  EXPECT_EQ(history.NextMark(), 3);
  // A brush stroke in between changes nothing in the count, nor does undoing it.
  Stroke stroke;
  history.BeginStep();
  stroke.Begin(10, 90, 3, kRedColor);
  stroke.Move(layers, Tool::kBrush, 190, 90, true, &history);
  stroke.Release(layers, &history);
  history.EndStep();
  history.Undo(layers, true);
  EXPECT_EQ(history.NextMark(), 3);
  history.Undo(layers, true);  // the 2
  EXPECT_EQ(history.NextMark(), 2);
  history.Redo(layers, true);
  EXPECT_EQ(history.NextMark(), 3);
  EXPECT_EQ(stamp(150), 3);
  EXPECT_EQ(history.NextMark(), 4);
  history.Clear();  // a new session, "Cancel last", "Cancel all"
  EXPECT_EQ(history.NextMark(), 1);
  // A mark too large to keep for undo is in place all the same.
  UndoHistory tiny(16);
  history.Clear();
  tiny.BeginStep();
  StampNumber(layers, 40, 50, 1, kRedColor, tiny.NextMark(), &tiny);
  tiny.MarkStep(1);
  tiny.EndStep();
  EXPECT_EQ(tiny.UndoCount(), 0u);
  EXPECT_EQ(tiny.NextMark(), 2);
}

}  // namespace
}  // namespace velmora
