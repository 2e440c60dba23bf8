// A wallpaper set by another program while a drawing session is open.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

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

constexpr char kDesktop[] = "Control Panel\\Desktop";

bool Near(Pixel a, Pixel b) {
  for (int shift = 0; shift <= 16; shift += 8)
    if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > 6) return false;
  return true;
}

class OutsideWallpaperTest : public test::ToolbarTest {};

TEST_F(OutsideWallpaperTest, SetDuringASessionItWaitsForDoneAndEraseLastKeepsTheNewWallpaper) {
  const PixelRect screen = ScreenMonitors().at(0).bounds;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "velmora-outside-test\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string previousWork = WorkDirectory();
  WorkDirectory() = dir;
  const std::string saved[] = {RegReadString(HKEY_CURRENT_USER, kDesktop, "Wallpaper"),
                               RegReadString(HKEY_CURRENT_USER, kDesktop, "TileWallpaper")};
  const Pixel blue = RgbPixel(0, 0, 200), green = RgbPixel(40, 160, 60);
  WriteJpegFile(Bitmap(screen.Width(), screen.Height(), blue), dir + "blue.jpg");
  WriteJpegFile(Bitmap(screen.Width(), screen.Height(), green), dir + "green.jpg");
  TForm2& surface = Form2();
  surface.SetFrame({});
  Layers& layers = surface.LayerImages();
  layers.i5 = Bitmap(screen.Width(), screen.Height(), kKeyPixel);
  Form7().cbk.SetChecked(true);
  Form7().ecw.SetText(dir + "blue.jpg");
  layers.i2 = Bitmap(screen.Width(), screen.Height(), blue);
  layers.i4 = Bitmap(screen.Width(), screen.Height(), blue);
  WallpaperWatch& watch = WatchOutsideWallpaper(form);

  // A session with two strokes; the other program's wallpaper comes, then
  // "Erase last" takes the second stroke away.
  form.ctiClick();
  ASSERT_TRUE(surface.Visible());
  for (const int y : {10, 40}) {
    surface.i1MouseDown(10, y);
    surface.i1MouseMove(30, y);
    surface.i1MouseUp();
  }
  const Pixel stroke = layers.i5.At(20, 10);
  ASSERT_NE(stroke, kKeyPixel);
  RegWriteString(HKEY_CURRENT_USER, kDesktop, "Wallpaper", dir + "green.jpg");
  watch.Check();
  EXPECT_EQ(Form7().ecw.Text(), dir + "blue.jpg");
  EXPECT_TRUE(Near(layers.i2.At(20, 40), blue));
  for (int x = 8; x <= 32; x += 4) EraseLast(layers, x, 40, 10, true);

  // "Done": the session's picture, then the outside wallpaper under its drawing.
  form.BitBtn1Click();
  EXPECT_FALSE(surface.Visible());
  EXPECT_EQ(Form7().ecw.Text(), dir + "green.jpg");
  EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kDesktop, "Wallpaper"), dir + "1.bmp");
  const Bitmap composed = ReadBmpFile(dir + "1.bmp");
  EXPECT_EQ(composed.At(20, 10), stroke);
  EXPECT_TRUE(Near(composed.At(20, 40), green)) << std::hex << composed.At(20, 40);
  // Heard once, taken once.
  DeleteFileA((dir + "1.bmp").c_str());
  watch.SessionEnded();
  EXPECT_EQ(GetFileAttributesA((dir + "1.bmp").c_str()), INVALID_FILE_ATTRIBUTES);

  ApplyWallpaper(saved[0], saved[1] == "1");
  WorkDirectory() = previousWork;
}

}  // namespace
}  // namespace velmora
