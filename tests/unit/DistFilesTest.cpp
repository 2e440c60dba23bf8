// The files the installation puts beside KVX.exe must read cleanly on the first start.
#include <gtest/gtest.h>

#include "base/TextFile.h"
#include "options/WallpaperList.h"
#include "program/Settings.h"

namespace velmora {
namespace {

const std::string kDist = VELMORA_SOURCE_DIR "/resources/dist/";

TEST(DistFiles, FirstStartSettingsReadWholeAndMarkTheFirstStart) {
  Settings s;
  s.minutes = "unread";
  LoadSettings(kDist + "kvx.ini", s);
  EXPECT_EQ(s.wallpaper, kFirstStartMarker);
  EXPECT_EQ(s.minutes, "1");  // line 18 was reached
  EXPECT_EQ(SplitLines(ReadFileBytes(kDist + "kvx.ini")).size(), 18u);
  EXPECT_EQ(ReadFileBytes(kDist + "kvx.ini").find("\r\n"), 1u);  // Windows line ends
}

TEST(DistFiles, EmptyWallpaperListAndDesignNoteFont) {
  EXPECT_TRUE(LoadWallpaperList(kDist + "wl.ini").empty());
  EXPECT_EQ(ReadFileBytes(kDist + "font.typ"), "10\r\nMS Sans Serif\r\n1\r\n-16777208\r\n0\r\n");
}

}  // namespace
}  // namespace velmora
