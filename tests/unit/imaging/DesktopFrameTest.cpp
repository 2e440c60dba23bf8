#include <gtest/gtest.h>

#include <cstdlib>

#include "imaging/BmpFile.h"
#include "imaging/DesktopFrame.h"
#include "imaging/JpegFile.h"
#include "imaging/Layers.h"
#include "imaging/SessionCommands.h"
#include "imaging/WallpaperCompose.h"
#include "tests/unit/TestSupport.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::PictureOf;
using test::RowsOf;
using Rows = std::vector<std::string>;

bool Near(Pixel a, Pixel b, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > tolerance) return false;
  return true;
}

Monitor Screen(int left, int top, int width, int height, int taskbar = 0) {
  return {{left, top, left + width, top + height}, {left, top, left + width, top + height - taskbar}};
}

TEST(DesktopFrame, LayersStartAtTheMonitorsTopLeftAndNeverMoveBack) {
  // One monitor: the layers' origin is the primary's top-left; not placed.
  const DesktopFrame one = FrameFor({Screen(0, 0, 1280, 800, 40)}, 0, 0);
  EXPECT_EQ(one.originX, 0);
  EXPECT_FALSE(one.Placed());
  EXPECT_FALSE(one.Spanned());
  EXPECT_EQ(LayoutText(one), "");

  // A second monitor to the right, shorter: one canvas of their bounding rectangle.
  const DesktopFrame two = FrameFor({Screen(0, 0, 1280, 800, 40), Screen(1280, 0, 1024, 768)}, 0, 0);
  EXPECT_TRUE(two.Placed());
  EXPECT_TRUE(two.Spanned());
  EXPECT_EQ(two.Shown(), (PixelRect{0, 0, 2304, 800}));
  EXPECT_EQ(two.CanvasWidth(), 2304);
  EXPECT_EQ(two.CanvasHeight(), 800);
  EXPECT_EQ(two.monitors[0].work, (PixelRect{0, 0, 1280, 760}));
  EXPECT_EQ(LayoutText(two), "0,0,1280,800;1280,0,1024,768");

  // A monitor left of and above the primary: negative screen coordinates move
  // the origin, and every monitor keeps its place relative to it.
  const DesktopFrame left = FrameFor({Screen(0, 0, 1280, 800), Screen(-1920, -280, 1920, 1080)}, 0, 0);
  EXPECT_EQ(left.originX, -1920);
  EXPECT_EQ(left.originY, -280);
  EXPECT_EQ(left.monitors[0].bounds, (PixelRect{1920, 280, 3200, 1080}));
  EXPECT_EQ(left.monitors[1].bounds, (PixelRect{0, 0, 1920, 1080}));
  EXPECT_EQ(LayoutText(left), "0,0,1280,800;-1920,-280,1920,1080");

  // That monitor unplugged: the origin the drawing had stays, so its part of
  // the drawing is kept; the primary alone is shown, and the frame is placed.
  const DesktopFrame after = FrameFor({Screen(0, 0, 1280, 800)}, left.originX, left.originY);
  EXPECT_EQ(after.originX, -1920);
  EXPECT_EQ(after.originY, -280);
  EXPECT_TRUE(after.Placed());
  EXPECT_FALSE(after.Spanned());
  EXPECT_EQ(after.Shown(), (PixelRect{1920, 280, 3200, 1080}));
  EXPECT_EQ(after.CanvasWidth(), 3200);

  // A kept origin right of or below the primary's top-left means nothing.
  EXPECT_EQ(FrameFor({Screen(0, 0, 1280, 800)}, 50, 60).originX, 0);
}

TEST(DesktopFrame, AMovedOriginKeepsEveryPixelAtItsScreenPlace) {
  Layers layers;
  layers.i5 = PictureOf({"r.", ".b"});
  layers.i5.Set(1, 0, kKeyPixel);
  layers.i4 = PictureOf({"rw", "wb"});
  layers.i2 = PictureOf({"ww", "ww"});
  MoveLayerOrigin(layers, 0, 0, -2, -1);
  EXPECT_EQ(RowsOf(layers.i5), (Rows{"kkkk", "kkrk", "kk.b"}));
  EXPECT_EQ(RowsOf(layers.i4), (Rows{"....", "..rw", "..wb"}));
  EXPECT_EQ(RowsOf(layers.i2), (Rows{"....", "..ww", "..ww"}));
  // Back to the right, or the same origin: nothing moves.
  MoveLayerOrigin(layers, -2, -1, 0, 0);
  MoveLayerOrigin(layers, -2, -1, -2, -1);
  EXPECT_EQ(layers.i5.Width(), 4);
}

TEST(DesktopFrame, TheWallpaperGoesUnscaledToEachMonitorsTopLeft) {
  // Monitors of 3 x 2 and 2 x 3 side by side, with a gap below the first.
  const DesktopFrame frame = FrameFor({Screen(0, 0, 3, 2), Screen(3, 0, 2, 3)}, 0, 0);
  EXPECT_EQ(RowsOf(PlaceOnMonitors(PictureOf({"rg", "by"}), frame)), (Rows{"rg.rg", "by.by", "....."}));
  // A picture larger than a monitor is cut at its edges.
  EXPECT_EQ(RowsOf(PlaceOnMonitors(PictureOf({"rgbr", "bygb", "rrrr"}), frame)),
            (Rows{"rgbrg", "bygby", "...rr"}));
}

TEST(DesktopFrame, APlacedChangeAndDoneWriteTheMonitorsPartAlone) {
  test::ScratchDir dir;
  const std::string jpeg = dir / "new.jpg";
  WriteJpegFile(Bitmap(2, 2, RgbPixel(0, 0, 255)), jpeg);
  const Bitmap decoded = ReadJpegFile(jpeg);

  // The drawing's origin is one pixel left of a 2 x 2 primary monitor (a
  // monitor there was unplugged); the drawing keeps a stroke where it was.
  const DesktopFrame frame = FrameFor({Screen(0, 0, 2, 2)}, -1, 0);
  Layers layers;
  layers.i5 = Bitmap(3, 2, kKeyPixel);
  layers.i5.Set(0, 0, test::kRed);  // beyond every monitor now
  layers.i5.Set(2, 1, test::kRed);
  ChangeWallpaperPicture(layers, jpeg, dir.Path() + "/", frame);

  Bitmap expected = Bitmap(3, 2, kWhitePixel);
  CopyRect(expected, 1, 0, decoded, BoundsOf(decoded));
  expected.Set(0, 0, test::kRed);
  expected.Set(2, 1, test::kRed);
  EXPECT_EQ(test::PixelsOf(layers.i4), test::PixelsOf(expected));
  // The system gets the monitor's 2 x 2 alone, from its top-left.
  Bitmap shown(2, 2, kWhitePixel);
  CopyRect(shown, 0, 0, expected, {1, 0, 3, 2});
  EXPECT_EQ(test::ReadFile(dir / "1.bmp"), EncodeBmp24(shown));

  // "Done" writes the same part, and the whole drawing, part beyond included.
  SaveWorkFiles(layers, dir.Path() + "/", frame);
  EXPECT_EQ(test::ReadFile(dir / "1.bmp"), EncodeBmp24(shown));
  EXPECT_EQ(test::ReadFile(dir / "2.bmp"), EncodeBmp24(layers.i5));
}

TEST(PicturePosition, EachPositionPlacesThePictureOnTheMonitor) {
  using P = PicturePosition;
  // A 4:3 picture on a 16:10 monitor, and a picture smaller than it.
  EXPECT_EQ(PlacePicture(4000, 3000, 1280, 800, P::kFill), (PixelRect{0, -80, 1280, 880}));  // cut top and bottom
  EXPECT_EQ(PlacePicture(4000, 3000, 1280, 800, P::kFit), (PixelRect{106, 0, 1173, 800}));   // bars left and right
  EXPECT_EQ(PlacePicture(4000, 3000, 1280, 800, P::kStretch), (PixelRect{0, 0, 1280, 800}));
  EXPECT_EQ(PlacePicture(4000, 3000, 1280, 800, P::kCenter), (PixelRect{-1360, -1100, 2640, 1900}));
  EXPECT_EQ(PlacePicture(4000, 3000, 1280, 800, P::kTile), (PixelRect{0, 0, 4000, 3000}));
  EXPECT_EQ(PlacePicture(400, 100, 1280, 800, P::kFill), (PixelRect{-960, 0, 2240, 800}));  // cut at the sides
  EXPECT_EQ(PlacePicture(400, 100, 1280, 800, P::kFit), (PixelRect{0, 240, 1280, 560}));
  EXPECT_EQ(PlacePicture(400, 100, 1280, 800, P::kCenter), (PixelRect{440, 350, 840, 450}));
  // A sliver of a picture still gets a pixel; nothing to place gives nothing.
  EXPECT_EQ(PlacePicture(10000, 1, 100, 100, P::kFit), (PixelRect{0, 49, 100, 50}));
  EXPECT_TRUE(PlacePicture(0, 0, 100, 100, P::kFill).Empty());

  // The settings' texts: anything unknown is today's unscaled picture.
  for (const P p : {P::kTile, P::kFill, P::kFit, P::kStretch, P::kCenter})
    EXPECT_EQ(PicturePositionFromText(PicturePositionText(p)), p);
  for (const char* text : {"", "5", "-1", "11", "x"}) EXPECT_EQ(PicturePositionFromText(text), P::kTile) << text;

  // Scaled decoding may stop at the largest monitor, only for the scaling positions.
  const DesktopFrame frame = FrameFor({Screen(0, 0, 1280, 800), Screen(1280, 0, 1024, 1024)}, 0, 0);
  EXPECT_EQ(DecodeSizeFor(frame, P::kFill), (std::pair<int, int>{1280, 1024}));
  EXPECT_EQ(DecodeSizeFor(frame, P::kCenter), (std::pair<int, int>{0, 0}));
}

TEST(PicturePosition, MonitorsOfOtherShapesEachGetTheirOwnPlacing) {
  // A wide 4 x 2 monitor and a tall 2 x 4 one; the picture is 8 x 8, red
  // above green, so every scaling here shrinks it by whole pixels.
  const DesktopFrame frame = FrameFor({Screen(0, 0, 4, 2), Screen(4, 0, 2, 4)}, 0, 0);
  const Bitmap picture = PictureOf({"rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "gggggggg", "gggggggg",
                                    "gggggggg", "gggggggg"});
  // Fill: the wide monitor cuts the top and bottom, the tall one the sides.
  EXPECT_EQ(RowsOf(PlaceOnMonitors(picture, frame, PicturePosition::kFill)),
            (Rows{"rrrrrr", "ggggrr", "....gg", "....gg"}));
  // Fit: bars in the backdrop's colour across the monitor, not beyond it.
  EXPECT_EQ(RowsOf(PlaceOnMonitors(picture, frame, PicturePosition::kFit, test::PixelFor('b'))),
            (Rows{"brrbbb", "bggbrr", "....gg", "....bb"}));
  EXPECT_EQ(RowsOf(PlaceOnMonitors(PictureOf({"r"}), frame, PicturePosition::kCenter, test::PixelFor('y'))),
            (Rows{"yryyyy", "yyyyry", "....yy", "....yy"}));
  EXPECT_EQ(RowsOf(PlaceOnMonitors(picture, frame, PicturePosition::kStretch)),
            (Rows{"rrrrrr", "ggggrr", "....gg", "....gg"}));
}

TEST(PicturePosition, AFilledChangeOnOneMonitorDecodesReducedAndKeepsTheDrawing) {
  test::ScratchDir dir;
  // 64 x 32: left half red, right half blue; decoded at a quarter for a 16 x 8 monitor.
  Bitmap halves(64, 32, RgbPixel(255, 0, 0));
  FillRect(halves, {32, 0, 64, 32}, RgbPixel(0, 0, 255));
  WriteJpegFile(halves, dir / "p.jpg");
  const DesktopFrame frame = FrameFor({Screen(0, 0, 12, 8)}, 0, 0);
  ASSERT_FALSE(frame.Placed());
  Layers layers;
  layers.i5 = Bitmap(12, 8, kKeyPixel);
  layers.i5.Set(5, 5, test::kRed);
  ChangeWallpaperPicture(layers, dir / "p.jpg", dir.Path() + "/", frame,
                         {.position = PicturePosition::kFill, .backdrop = kWhitePixel});
  // Height decides: 16 x 8, cut to the middle 12 columns.
  const Bitmap composed = ReadBmpFile(dir / "1.bmp");
  ASSERT_EQ(composed.Width(), 12);
  ASSERT_EQ(composed.Height(), 8);
  EXPECT_TRUE(Near(composed.At(1, 2), RgbPixel(255, 0, 0), 12));
  EXPECT_TRUE(Near(composed.At(10, 2), RgbPixel(0, 0, 255), 12));
  EXPECT_EQ(composed.At(5, 5), test::kRed);
}

}  // namespace
}  // namespace velmora
