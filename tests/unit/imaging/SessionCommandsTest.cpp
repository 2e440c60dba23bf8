#include <unistd.h>
#include <sys/stat.h>

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "imaging/BmpFile.h"
#include "imaging/SessionCommands.h"
#include "imaging/Translucent.h"
#include "tests/unit/TestSupport.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::PictureOf;
using test::RowsOf;
using Rows = std::vector<std::string>;

constexpr std::uint32_t kRedColor = 0x0000FF;  // a colour value, 0x00BBGGRR

TEST(Layers, GrowRuleTakesTheCanvasSizeWhenEitherSideIsShort) {
  Layers layers;
  Bitmap layer(300, 100, kWhitePixel);
  Grow(layers, layer);  // never shown: 254 x 209, so the width is cut too
  EXPECT_EQ(layer.Width(), 254);
  EXPECT_EQ(layer.Height(), 209);
  layers.canvasWidth = 1024;
  layers.canvasHeight = 740;
  Bitmap wide(2000, 500, kWhitePixel);
  Grow(layers, wide);
  EXPECT_EQ(wide.Width(), 1024);
  EXPECT_EQ(wide.Height(), 740);
  Bitmap large(2000, 800, kWhitePixel);
  Grow(layers, large);
  EXPECT_EQ(large.Width(), 2000);

  layers.canvasWidth = 3;
  layers.canvasHeight = 2;
  Bitmap small = PictureOf({"rb"});
  Grow(layers, small);
  EXPECT_EQ(RowsOf(small), (Rows{"rb.", "..."}));
  layers.i5 = PictureOf({"rk", "kr", "kk"});
  GrowDrawingLayer(layers);  // extended with the key colour, never cut
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"rkk", "krk", "kkk"}));
}

TEST(Layers, CompositionLaysEveryDrawingPixelButTheKeyColourOverTheBackground) {
  Bitmap drawing = PictureOf({"rkk", "kkb"});
  drawing.Set(1, 0, kKeyPixel + 1);  // one unit off the key colour is drawing
  Bitmap composed;
  Compose(composed, PictureOf({"wwww", "wwww", "wwww"}), drawing);
  EXPECT_EQ(RowsOf(composed), (Rows{"r?ww", "wwbw", "wwww"}));
  EXPECT_EQ(composed.At(1, 0), kKeyPixel + 1);
}

// Rows of every length against a plain loop, so the vector part, its tail
// and key pixels on either side of a vector's edge are all met.
TEST(Layers, CompositionAgreesWithAPlainLoopAtEveryRowLength) {
  std::mt19937 random(11);
  for (int width = 1; width <= 40; ++width) {
    const int drawingWidth = std::max(1, width - width % 3);  // the background shows beyond the drawing
    Bitmap background = Bitmap::Uninitialized(width, 3);
    Bitmap drawing = Bitmap::Uninitialized(drawingWidth, 2);  // and below it
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x) background.Set(x, y, random() & 0xFFFFFF);
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < drawingWidth; ++x) {
        const Pixel choices[] = {kKeyPixel, kKeyPixel, kKeyPixel + 1, kKeyPixel - 1,
                                 static_cast<Pixel>(random() & 0xFFFFFF)};
        drawing.Set(x, y, choices[random() % 5]);
      }
    }
    Bitmap composed;
    Compose(composed, background, drawing);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) {
        const bool drawn = y < 2 && x < drawingWidth && drawing.At(x, y) != kKeyPixel;
        ASSERT_EQ(composed.At(x, y), drawn ? drawing.At(x, y) : background.At(x, y))
            << width << ": " << x << ", " << y;
      }
    }
  }
}

// A wallpaper smaller than the work area, drawing on it, and a screen grab.
Layers SmallDesktop() {
  Layers layers;
  layers.i2 = PictureOf({"ww", "ww"});
  layers.i5 = PictureOf({"rk", "kk"});
  Compose(layers.i4, layers.i2, layers.i5);
  return layers;
}

Bitmap Screen() {
  return PictureOf({"ssss", "ssss", "ssss"});
}

TEST(SessionCommands, OpeningTakesSnapshotsAndGrowsForTheWorkAreaInTheFirstSession) {
  Layers layers = SmallDesktop();
  OpenSession(layers, Screen(), 4, 3, true);
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"ssss", "ssss", "ssss"}));
  EXPECT_EQ(RowsOf(layers.i3), RowsOf(layers.i1));
  EXPECT_EQ(RowsOf(layers.i31), RowsOf(layers.i1));
  EXPECT_EQ(RowsOf(layers.i41), (Rows{"rw", "ww"}));  // taken before the grow rule
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"rw..", "ww..", "...."}));
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"rkkk", "kkkk", "kkkk"}));
  EXPECT_EQ(RowsOf(layers.i6), RowsOf(layers.i5));

  Layers hidden = SmallDesktop();
  OpenSession(hidden, Screen(), 4, 3, false);
  EXPECT_EQ(RowsOf(hidden.i1), (Rows{"rw..", "ww..", "...."}));
}

TEST(SessionCommands, StrokesPaintTheFourTargetsOnlyAndOnlyWhenMoving) {
  Layers layers = SmallDesktop();
  OpenSession(layers, Screen(), 4, 3, true);
  Stroke stroke;
  stroke.Begin(0, 2, 1, kRedColor);
  stroke.Release(layers);
  EXPECT_EQ(stroke.Move(layers, Tool::kBrush, 3, 2, true), PixelRect{});  // no button held
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"ssss", "ssss", "ssss"}));

  stroke.Begin(0, 2, 1, kRedColor);
  EXPECT_EQ(stroke.Move(layers, Tool::kBrush, 3, 2, true), (PixelRect{0, 2, 3, 3}));
  EXPECT_EQ(stroke.Move(layers, Tool::kBrush, 3, 0, true), (PixelRect{3, 1, 4, 3}));
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"ssss", "sssr", "rrrr"}));
  EXPECT_EQ(RowsOf(layers.i31), RowsOf(layers.i1));
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"rw..", "ww.r", "rrrr"}));
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"rkkk", "kkkr", "rrrr"}));
  // The background and the snapshots are never drawn on.
  EXPECT_EQ(RowsOf(layers.i2), (Rows{"ww", "ww"}));
  EXPECT_EQ(RowsOf(layers.i3), (Rows{"ssss", "ssss", "ssss"}));
  EXPECT_EQ(RowsOf(layers.i41), (Rows{"rw", "ww"}));
  EXPECT_EQ(RowsOf(layers.i6), (Rows{"rkkk", "kkkk", "kkkk"}));
}

TEST(SessionCommands, EraserSquaresFollowTheBrushSize) {
  const int sizes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 100};
  const int sides[] = {2, 2, 4, 4, 4, 6, 8, 8, 8, 10, 12, 12, 100};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(2 * EraserHalfSize(sizes[i]), sides[i]) << sizes[i];
  EXPECT_EQ(EraserSquare(10, 20, 5), (PixelRect{8, 18, 12, 22}));
}

// Layers after a session's stroke over the whole bottom row and the right column.
Layers AfterStroke(bool showWindows) {
  Layers layers = SmallDesktop();
  OpenSession(layers, Screen(), 4, 3, showWindows);
  Stroke stroke;
  stroke.Begin(0, 2, 1, kRedColor);
  stroke.Move(layers, Tool::kBrush, 3, 2, showWindows);
  stroke.Move(layers, Tool::kBrush, 3, -1, showWindows);
  return layers;
}

TEST(SessionCommands, EraseLastRestoresTheSessionSnapshots) {
  Layers layers = AfterStroke(true);
  EXPECT_EQ(EraseLast(layers, 1, 2, 2, true), (PixelRect{0, 1, 2, 3}));
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"sssr", "sssr", "ssrr"}));
  EXPECT_EQ(RowsOf(layers.i31), RowsOf(layers.i1));
  // The composed snapshot ends at row 1; below it the layer was grown white.
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"rw.r", "ww.r", "..rr"}));
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"rkkr", "kkkr", "kkrr"}));

  Layers hidden = AfterStroke(false);
  EraseLast(hidden, 1, 2, 2, false);
  EXPECT_EQ(RowsOf(hidden.i1), (Rows{"rw.r", "ww.r", "..rr"}));
}

TEST(SessionCommands, EraseAllRestoresTheBackgroundAndClearsTheDrawing) {
  Layers layers = AfterStroke(true);
  EXPECT_EQ(EraseAll(layers, 1, 1, 2), (PixelRect{0, 0, 2, 2}));
  EraseAll(layers, 3, 3, 2);
  // Shown windows make way for the wallpaper; beyond the small wallpaper, white.
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"wwsr", "wwsr", "rr.."}));
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"ww.r", "ww.r", "rr.."}));
  EXPECT_EQ(RowsOf(layers.i31), (Rows{"sssr", "sssr", "rrss"}));
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"kkkr", "kkkr", "rrkk"}));
}

TEST(SessionCommands, ShowWindowsSwitchesTheCanvasBetweenScreenAndComposedLayer) {
  Layers layers = AfterStroke(true);
  SwitchShowWindows(layers, false);
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"rw.r", "ww.r", "rrrr"}));
  SwitchShowWindows(layers, true);
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"sssr", "sssr", "rrrr"}));
}

TEST(SessionCommands, CancelAllClearsEverythingAndCancelLastBringsTheOpeningBack) {
  Layers layers = AfterStroke(true);
  CancelAll(layers);
  for (const Bitmap* shown : {&layers.i1, &layers.i31, &layers.i4}) {
    EXPECT_EQ(RowsOf(*shown), (Rows{"ww..", "ww..", "...."}));
  }
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"kkkk", "kkkk", "kkkk"}));

  CancelLast(layers, true);
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"ssss", "ssss", "ssss"}));
  EXPECT_EQ(RowsOf(layers.i31), RowsOf(layers.i1));
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"rw", "ww"}));  // the size from before the opening
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"rkkk", "kkkk", "kkkk"}));
  CancelLast(layers, false);
  EXPECT_EQ(RowsOf(layers.i1), (Rows{"rw", "ww"}));
}

TEST(SessionCommands, DoneWritesTheComposedAndDrawingLayers) {
  test::ScratchDir dir;
  const Layers layers = AfterStroke(true);
  SaveWorkFiles(layers, dir.Path() + "/");
  EXPECT_EQ(test::ReadFile(dir / "1.bmp"), EncodeBmp24(layers.i4));
  EXPECT_EQ(test::ReadFile(dir / "2.bmp"), EncodeBmp24(layers.i5));
  EXPECT_EQ(test::MessageOf([&] { SaveWorkFiles(layers, dir / "gone/"); }),
            "Cannot create file \"" + (dir / "gone/1.bmp") + "\". No such file or directory");
  // The drawing cannot be written: the composed picture is not replaced either.
  test::WriteFile(dir / "1.bmp", "previous picture");
  test::WriteFile(dir / "2.bmp", "previous drawing");
  ASSERT_EQ(symlink("/dev/full", (dir / "2.bmp.tmp").c_str()), 0);
  EXPECT_EQ(test::MessageOf([&] { SaveWorkFiles(layers, dir.Path() + "/"); }),
            "Cannot write file \"" + (dir / "2.bmp") + "\". No space left on device");
  EXPECT_EQ(test::ReadFile(dir / "1.bmp"), "previous picture");
  EXPECT_EQ(test::ReadFile(dir / "2.bmp"), "previous drawing");
  EXPECT_FALSE(test::Exists(dir / "1.bmp.tmp"));
  // Written whole, the drawing cannot take its place (a folder of its name):
  // the composed picture goes back to the one it belonged with.
  ASSERT_EQ(unlink((dir / "2.bmp").c_str()), 0);
  ASSERT_EQ(mkdir((dir / "2.bmp").c_str(), 0700), 0);
  EXPECT_NE(test::MessageOf([&] { SaveWorkFiles(layers, dir.Path() + "/"); }).find("Cannot replace file"),
            std::string::npos);
  EXPECT_EQ(test::ReadFile(dir / "1.bmp"), "previous picture");
  EXPECT_FALSE(test::Exists(dir / "1.bmp.previous"));
  EXPECT_FALSE(test::Exists(dir / "1.bmp.tmp"));
}

TEST(SessionCommands, ADrawnPixelOfTheKeyColourStaysDrawingInTheSavedDrawing) {
  // Blue 185 at 40 % over blue 190 comes out as the key colour exactly.
  const Pixel under = RgbPixel(78, 97, 190), over = RgbPixel(78, 97, 185);
  ASSERT_EQ(Blend(over, under, kHighlightOpacity), kKeyPixel);
  Layers layers;
  layers.i2 = Bitmap(5, 1, test::kWallpaper);
  layers.i4 = Bitmap(5, 1, test::kWallpaper);
  layers.i5 = Bitmap(5, 1, kKeyPixel);
  OpenSession(layers, Bitmap(5, 1, test::kScreen), 5, 1, true);
  BrushSegment(layers, 0, 0, 1, 0, 1, kKeyPixel);  // a brush in the key colour: pixel 0
  BrushSegment(layers, 1, 0, 2, 0, 1, under);
  const Span blended[] = {{0, 1, 2}}, translucent[] = {{0, 3, 4}};
  LayHighlight(layers, blended, over);            // opaque, blended to the key colour
  LayHighlight(layers, translucent, kKeyPixel);   // translucent in the key colour
  const Pixel kept = kKeyPixel + 1;  // one step of blue
  EXPECT_EQ(layers.i5.At(0, 0), kept);
  EXPECT_EQ(layers.i5.At(1, 0), kept);
  EXPECT_EQ(layers.i5.At(2, 0), kKeyPixel);  // nothing drawn stays so
  EXPECT_EQ(layers.i5.At(3, 0), WithOpacity(kept, kHighlightOpacity));
  EXPECT_EQ(layers.i4.At(0, 0), kKeyPixel);  // the picture shows the very colour

  // Read back from its file and laid over the next wallpaper: no pinholes.
  const Bitmap drawing = DecodeDrawingBmp(EncodeDrawingBmp(layers.i5));
  EXPECT_EQ(test::PixelsOf(drawing), test::PixelsOf(layers.i5));
  Bitmap composed;
  Compose(composed, Bitmap(5, 1, kBlackPixel), drawing);
  EXPECT_EQ(test::PixelsOf(composed),
            (std::vector<Pixel>{kept, kept, kBlackPixel, Blend(kept, kBlackPixel, kHighlightOpacity), kBlackPixel}));
}

}  // namespace
}  // namespace velmora
