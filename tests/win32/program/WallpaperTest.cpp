#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/SystemError.h"
#include "options/WallpaperChange.h"
#include "options/options.h"
#include "imaging/BmpFile.h"
#include "imaging/JpegFile.h"
#include "picture/Unit2.h"
#include "program/Program.h"
#include "program/Wallpaper.h"
#include "message/messgae.h"
#include "shellutil/ShellUtil.h"

namespace velmora {
namespace {

// The desktop values as they were, put back at the end.
class SavedDesktop {
 public:
  SavedDesktop() {
    for (const char* name : kNames) saved_.push_back(RegReadString(HKEY_CURRENT_USER, kDesktopKey, name));
  }
  ~SavedDesktop() {
    for (size_t i = 0; i < std::size(kNames); ++i)
      RegWriteString(HKEY_CURRENT_USER, kDesktopKey, kNames[i], saved_[i]);
  }

 private:
  static constexpr const char* kNames[] = {"Wallpaper", "TileWallpaper", "WallpaperStyle"};
  std::vector<std::string> saved_;
};

std::string Desktop(const char* name) {
  return RegReadString(HKEY_CURRENT_USER, kDesktopKey, name);
}

TEST(ApplyWallpaper, WritesTheFileAndTilingAndTheSystemTakesThePath) {
  SavedDesktop saved;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "velmora-wallpaper-test.bmp";
  RegWriteString(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle",
                 "2");  // stretched, until tiling says otherwise

  ApplyWallpaper(path, true);
  EXPECT_EQ(Desktop("Wallpaper"), path);
  EXPECT_EQ(Desktop("TileWallpaper"), "1");
  EXPECT_EQ(Desktop("WallpaperStyle"), "0");  // tiling needs the plain style
  char shown[MAX_PATH] = {};
  SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, shown, 0);
  EXPECT_EQ(std::string(shown), path);

  RegWriteString(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle", "2");
  ApplyWallpaper(path, false);
  EXPECT_EQ(Desktop("TileWallpaper"), "0");
  EXPECT_EQ(Desktop("WallpaperStyle"), "2");  // not tiling leaves the style alone
}

// Wine takes any path, so Windows' refusal is played by a replaced call.
TEST(ApplyWallpaper, APictureTheSystemRefusesIsAnErrorWithItsReason) {
  SavedDesktop saved;
  DesktopWallpaperCall previous = ReplaceDesktopWallpaperCall([](std::wstring&) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  });
  SetLastError(ERROR_FILE_NOT_FOUND);
  const std::string reason = LastSystemErrorText();
  try {
    ApplyWallpaper("C:\\work\\1.bmp", true);
    ADD_FAILURE() << "a refused wallpaper was reported as set";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Windows did not take \"C:\\work\\1.bmp\" as the wallpaper: " + reason);
  }
  ReplaceDesktopWallpaperCall([](std::wstring&) { return SetLastError(0), false; });
  EXPECT_THROW(ApplyWallpaper("C:\\work\\1.bmp", true), Error);
  ReplaceDesktopWallpaperCall(std::move(previous));
}

TEST(WallpaperChange, AFailedChangeGivesTheOptionsWindowBackAndClosesTheMessage) {
  SavedDesktop saved;
  const std::string before = Desktop("Wallpaper");
  Form7().Show();
  try {
    ChangeWallpaper("C:\\no such folder\\missing.jpg");
    ADD_FAILURE() << "a missing picture changed the wallpaper";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"C:\\no such folder\\missing.jpg\". ", 0), 0u)
        << e.what();
  }
  EXPECT_TRUE(Form7().Visible());
  EXPECT_FALSE(Form6().Visible());
  EXPECT_EQ(Desktop("Wallpaper"), before);
  Form7().Hide();
}

TEST(WallpaperChange, TheTimerGoesOnFromTheEntryItLastTook) {
  SavedDesktop saved;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "velmora-cw-test\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string previousWork = WorkDirectory();
  WorkDirectory() = dir;
  const std::string p = dir + "p.jpg", q = dir + "q.jpg", r = dir + "r.jpg";
  WriteJpegFile(Bitmap(40, 30, RgbPixel(200, 0, 0)), p);
  WriteJpegFile(Bitmap(40, 30, RgbPixel(0, 200, 0)), q);
  WriteJpegFile(Bitmap(40, 30, RgbPixel(0, 0, 200)), r);
  Layers& layers = Form2().LayerImages();
  layers.i4 = Bitmap(40, 30, RgbPixel(255, 255, 255));
  layers.i5 = Bitmap(40, 30, kKeyPixel);
  layers.i5.Set(3, 4, RgbPixel(1, 2, 3));  // a drawn pixel, laid over every new picture

  TForm7& options = Form7();
  options.SetWallpaperList({p, q, p, r});
  options.ecw.SetText("P:\\ELSEWHERE.JPG");
  options.rb2.SetChecked(true);
  std::vector<std::string> seen;
  for (int tick = 0; tick < 4; ++tick) {
    options.cwTimer();
    seen.push_back(options.ecw.Text());
  }
  // Not in the list: the first entry; then Q, the second P and R: the place
  // taken counts, not the first equal entry.
  EXPECT_EQ(seen, (std::vector<std::string>{p, q, p, r}));
  const Bitmap composed = ReadBmpFile(dir + "1.bmp");
  EXPECT_EQ(composed.At(3, 4), RgbPixel(1, 2, 3));
  EXPECT_EQ(Desktop("Wallpaper"), dir + "1.bmp");

  // A drawing session open: ticks pass; another mode: the timer stops itself.
  options.cw.SetEnabled(true);
  Form2().Show();
  options.cwTimer();
  EXPECT_EQ(options.ecw.Text(), r);
  Form2().Hide();
  options.rb3.SetChecked(true);
  options.cwTimer();
  EXPECT_FALSE(options.cw.Enabled());
  EXPECT_EQ(options.ecw.Text(), r);
  WorkDirectory() = previousWork;
}

}  // namespace
}  // namespace velmora
