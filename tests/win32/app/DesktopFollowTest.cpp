// The monitors changing while the program runs. Wine shows one monitor, so
// the layers are given a frame of two, as if the second one had just been
// unplugged, and the program hears the change.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/OutsideWallpaper.h"
#include "imaging/BmpFile.h"
#include "imaging/JpegFile.h"
#include "options/options.h"
#include "picture/Unit2.h"
#include "program/Program.h"
#include "program/Wallpaper.h"
#include "shellutil/ShellUtil.h"
#include "tests/win32/app/ToolbarFixture.h"
#include "ui/Monitors.h"

namespace velmora {
namespace {

std::string Desktop(const char* name) { return RegReadString(HKEY_CURRENT_USER, "Control Panel\\Desktop", name); }

class DesktopFollow : public test::ToolbarTest {};

TEST_F(DesktopFollow, AMonitorGoneIsFollowedAtOnceOrAtTheSessionsDoneAndItsDrawingIsKept) {
  const std::vector<Monitor> now = ScreenMonitors();
  ASSERT_EQ(now.size(), 1u);
  const int width = now[0].bounds.right, height = now[0].bounds.bottom;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "velmora-follow-test\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  DeleteFileA((dir + "1.bmp").c_str());
  const std::string previousWork = WorkDirectory();
  WorkDirectory() = dir;
  const std::string saved[] = {Desktop("Wallpaper"), Desktop("TileWallpaper"), Desktop("WallpaperStyle")};
  WriteJpegFile(Bitmap(40, 30, RgbPixel(0, 0, 200)), dir + "w.jpg");
  Form7().ecw.SetText(dir + "w.jpg");

  // Composed for this monitor and a second one of 300 x 200 to its right,
  // with a stroke on each.
  TForm2& surface = Form2();
  std::vector<Monitor> two = now;
  two.push_back({{width, 0, width + 300, 200}, {width, 0, width + 300, 200}});
  surface.SetFrame(FrameFor(two, 0, 0));
  surface.SetComposedFor(LayoutText(surface.Frame()));
  Layers& layers = surface.LayerImages();
  layers.i5 = Bitmap(width + 300, height, kKeyPixel);
  layers.i5.Set(3, 4, RgbPixel(1, 2, 3));
  layers.i5.Set(width + 10, 5, RgbPixel(4, 5, 6));

  // During a session the change waits for "Done".
  surface.Show();
  FollowDesktop(form);
  EXPECT_TRUE(surface.DesktopChangePending());
  EXPECT_EQ(GetFileAttributesA((dir + "1.bmp").c_str()), INVALID_FILE_ATTRIBUTES);
  surface.Hide();
  FollowDesktop(form);

  // One monitor: its picture tiled, the stroke on it composed, the one on the
  // monitor gone kept in the drawing for when it comes back.
  EXPECT_FALSE(surface.DesktopChangePending());
  EXPECT_FALSE(surface.Frame().Placed());
  EXPECT_EQ(surface.ComposedFor(), "");
  const Bitmap composed = ReadBmpFile(dir + "1.bmp");
  EXPECT_EQ(composed.At(3, 4), RgbPixel(1, 2, 3));
  EXPECT_EQ(Desktop("Wallpaper"), dir + "1.bmp");
  EXPECT_EQ(Desktop("TileWallpaper"), "1");
  EXPECT_EQ(layers.i5.At(width + 10, 5), RgbPixel(4, 5, 6));
  // Nothing changed since: a second notice does nothing.
  DeleteFileA((dir + "1.bmp").c_str());
  FollowDesktop(form);
  EXPECT_EQ(GetFileAttributesA((dir + "1.bmp").c_str()), INVALID_FILE_ATTRIBUTES);

  // Spanned over two monitors: no tiling, the span style.
  ApplyWallpaper(dir + "w.jpg", FrameFor(two, 0, 0));
  EXPECT_EQ(Desktop("TileWallpaper"), "0");
  EXPECT_EQ(Desktop("WallpaperStyle"), "22");

  RegWriteString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WallpaperStyle", saved[2]);
  ApplyWallpaper(saved[0], saved[1] == "1");
  WorkDirectory() = previousWork;
}

}  // namespace
}  // namespace velmora
