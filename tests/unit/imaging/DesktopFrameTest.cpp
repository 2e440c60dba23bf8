#include <gtest/gtest.h>

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

}  // namespace
}  // namespace velmora
