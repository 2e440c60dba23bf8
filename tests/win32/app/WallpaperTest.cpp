#include <gtest/gtest.h>

#include "app/Wallpaper.h"
#include "app/messgae.h"
#include "base/Errors.h"
#include "options/WallpaperChange.h"
#include "options/options.h"
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
    for (size_t i = 0; i < std::size(kNames); ++i) RegWriteString(HKEY_CURRENT_USER, kDesktopKey, kNames[i], saved_[i]);
  }

 private:
  static constexpr const char* kNames[] = {"Wallpaper", "TileWallpaper", "WallpaperStyle"};
  std::vector<std::string> saved_;
};

std::string Desktop(const char* name) { return RegReadString(HKEY_CURRENT_USER, kDesktopKey, name); }

TEST(ApplyWallpaper, WritesTheFileAndTilingAndTheSystemTakesThePath) {
  SavedDesktop saved;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "velmora-wallpaper-test.bmp";
  RegWriteString(HKEY_CURRENT_USER, kDesktopKey, "WallpaperStyle", "2");  // stretched, until tiling says otherwise

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

}  // namespace
}  // namespace velmora
