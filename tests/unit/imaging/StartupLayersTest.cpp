#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "imaging/BmpFile.h"
#include "imaging/DesktopFrame.h"
#include "imaging/JpegFile.h"
#include "imaging/SessionCommands.h"
#include "imaging/WallpaperCompose.h"
#include "tests/unit/TestSupport.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

using test::PixelsOf;

Monitor Screen(int left, int top, int width, int height) {
  return {{left, top, left + width, top + height}, {left, top, left + width, top + height}};
}

// A session-free run that ended with a wallpaper change and "Done" on
// `frame`, a red mark drawn at (5, 1); a later start then prepares `after`.
struct Restart {
  test::ScratchDir dir;
  std::string work = dir.Path() + "/";
  Layers before, after;
  std::vector<std::string> errors;

  Restart(const DesktopFrame& frame, PicturePosition position, const Bitmap& picture) {
    WriteJpegFile(picture, dir / "sky.jpg");
    before.i5 = Bitmap(frame.CanvasWidth(), frame.CanvasHeight(), kKeyPixel);
    before.i5.Set(5, 1, test::kRed);
    ChangeWallpaperPicture(before, dir / "sky.jpg", work, frame, {.position = position});
    SaveWorkFiles(before, work, frame);
  }
  bool Start(const DesktopFrame& written, PicturePosition position) {
    return PrepareLayers(after, dir / "sky.jpg", false, work, {6, 4, 0x00FFFFFF},
                         {.setCurrentWallpaper = {},
                          .reportError = [&](const Error& error) { errors.push_back(error.what()); }},
                         {.frame = written, .position = position});
  }
};

TEST(StartupLayers, TheWorkFilesAreReadBackForTheFrameTheyWereWrittenFor) {
  // The layout text kept in the settings, read back; one monitor, or a layout
  // not understood, is today's primary alone.
  const DesktopFrame two = WrittenFrame("0,0,6,4;-4,0,4,4", -4, 0, {});
  EXPECT_EQ(two.originX, -4);
  ASSERT_EQ(two.monitors.size(), 2u);
  EXPECT_EQ(two.monitors[1].bounds, (PixelRect{0, 0, 4, 4}));
  EXPECT_EQ(LayoutText(two), "0,0,6,4;-4,0,4,4");
  for (const char* layout : {"", "0,0,6,4", "0,0,6,4;x", "0,0,6,4;1,2,0,3"}) {
    const DesktopFrame one = WrittenFrame(layout, -4, 0, {Screen(6, 0, 5, 5), Screen(0, 0, 6, 4)});
    ASSERT_EQ(one.monitors.size(), 1u) << layout;
    EXPECT_EQ(one.monitors[0].bounds, (PixelRect{4, 0, 10, 4})) << layout;
  }

  // A monitor left of the primary, gone: the drawing keeps its origin 4
  // pixels further left, and "1.bmp" holds only the primary's part, which
  // goes back there (read at (0, 0) the red mark lands at (1, 1)).
  const DesktopFrame frame = FrameFor({Screen(0, 0, 6, 4)}, -4, 0);
  Restart run(frame, PicturePosition::kTile, Bitmap(6, 4, RgbPixel(0, 0, 255)));
  EXPECT_FALSE(run.Start(WrittenFrame("", -4, 0, {Screen(0, 0, 6, 4)}), PicturePosition::kTile));
  EXPECT_EQ(run.after.i4.At(5, 1), test::kRed);
  EXPECT_EQ(PixelsOf(run.after.i4), PixelsOf(run.before.i4));
  EXPECT_EQ(PixelsOf(run.after.i2), PixelsOf(run.before.i2));
  EXPECT_TRUE(run.errors.empty());
}

TEST(StartupLayers, TheBackgroundIsThePicturePlacedAsTheChangePlacesIt) {
  // A picture twice the monitor's size, filled: each quarter of the monitor
  // shows a quarter of the picture scaled, not the picture's top-left unscaled.
  Bitmap picture(12, 8, RgbPixel(0, 0, 255));
  for (int y = 4; y < 8; ++y)
    for (int x = 6; x < 12; ++x) picture.Set(x, y, RgbPixel(0, 255, 0));
  const DesktopFrame frame = FrameFor({Screen(0, 0, 6, 4)}, 0, 0);
  for (const PicturePosition position :
       {PicturePosition::kFill, PicturePosition::kFit, PicturePosition::kCenter}) {
    Restart run(frame, position, picture);
    EXPECT_FALSE(run.Start(frame, position));
    EXPECT_EQ(PixelsOf(run.after.i2), PixelsOf(run.before.i2)) << PicturePositionText(position);
    EXPECT_EQ(PixelsOf(run.after.i4), PixelsOf(run.before.i4)) << PicturePositionText(position);
  }
}

TEST(StartupLayers, ADamagedWorkFileIsKeptAsideAndItsLayerRebuilt) {
  const DesktopFrame frame = FrameFor({Screen(0, 0, 6, 4)}, 0, 0);
  const struct {
    const char* file;
    bool cut;
  } cases[] = {{"2.bmp", false}, {"2.bmp", true}, {"1.bmp", false}, {"1.bmp", true}};
  for (const auto& c : cases) {
    const std::string what = std::string(c.file) + (c.cut ? " cut" : " empty");
    Restart run(frame, PicturePosition::kFill, Bitmap(6, 4, RgbPixel(0, 0, 255)));
    const std::string path = run.dir / c.file;
    const std::string whole = test::ReadFile(path);
    const std::string damaged = c.cut ? whole.substr(0, whole.size() / 2) : "";
    test::WriteFile(path, damaged);
    // An earlier damaged file keeps its name.
    test::WriteFile(path + ".damaged", "earlier");
    const bool rebuilt = run.Start(frame, PicturePosition::kFill);
    const std::string kind = c.file[0] == '1' ? "wallpaper" : "drawing";
    ASSERT_EQ(run.errors,
              (std::vector<std::string>{"The " + kind + " file \"" + path + "\" is damaged; it was kept as " +
                                        c.file + ".damaged2."}))
        << what;
    EXPECT_EQ(test::ReadFile(path + ".damaged2"), damaged) << what;
    EXPECT_EQ(test::ReadFile(path + ".damaged"), "earlier") << what;
    EXPECT_EQ(PixelsOf(run.after.i2), PixelsOf(run.before.i2)) << what;
    if (c.file[0] == '2') {
      // The drawing is gone from the drawing layer, kept in the file aside and
      // still shown in "1.bmp" as it was.
      EXPECT_FALSE(rebuilt) << what;
      EXPECT_EQ(PixelsOf(run.after.i5), PixelsOf(Bitmap(6, 4, kKeyPixel))) << what;
      EXPECT_EQ(test::ReadFile(path), EncodeDrawingBmp(run.after.i5)) << what;
      EXPECT_EQ(PixelsOf(run.after.i4), PixelsOf(run.before.i4)) << what;
    } else {
      // Composed anew from the picture and the drawing, and written at once.
      EXPECT_TRUE(rebuilt) << what;
      EXPECT_EQ(PixelsOf(run.after.i5), PixelsOf(run.before.i5)) << what;
      EXPECT_EQ(PixelsOf(run.after.i4), PixelsOf(run.before.i4)) << what;
      EXPECT_EQ(test::ReadFile(path), whole) << what;
    }
  }
}

TEST(StartupLayers, AWorkFileThatCannotBeOpenedIsNoDamage) {
  const DesktopFrame frame = FrameFor({Screen(0, 0, 6, 4)}, 0, 0);
  Restart run(frame, PicturePosition::kTile, Bitmap(6, 4, RgbPixel(0, 0, 255)));
  ASSERT_TRUE(RemoveFile(run.dir / "2.bmp"));
  EXPECT_EQ(test::MessageOf([&] { run.Start(frame, PicturePosition::kTile); }),
            "Cannot open file \"" + (run.dir / "2.bmp") + "\". No such file or directory");
  EXPECT_TRUE(run.errors.empty());
  EXPECT_FALSE(test::Exists(run.dir / "2.bmp.damaged"));
}

}  // namespace
}  // namespace velmora
