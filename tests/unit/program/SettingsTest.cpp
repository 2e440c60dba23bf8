#include <unistd.h>

#include <gtest/gtest.h>

#include "base/Errors.h"
#include "base/TextFile.h"
#include "program/Settings.h"
#include "tests/unit/TestSupport.h"

namespace velmora {
namespace {

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

// A complete file of the layout defaults, with line `n` (1-based) replaced.
std::string DefaultsWithLine(int n, const std::string& value) {
  std::vector<std::string> lines = SplitLines(SettingsText(Settings{}));
  lines[static_cast<size_t>(n - 1)] = value;
  return JoinLinesCrLf(lines);
}

Settings LoadText(const std::string& text) {
  test::ScratchDir dir;
  test::WriteFile(dir / "kvx.ini", text);
  Settings settings;
  LoadSettings(dir / "kvx.ini", settings);
  return settings;
}

std::string LoadError(const std::string& text, Settings& settings) {
  test::ScratchDir dir;
  test::WriteFile(dir / "kvx.ini", text);
  try {
    LoadSettings(dir / "kvx.ini", settings);
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(Settings, WritesItsCrLfLinesInTheirForms) {
  Settings s;
  s.brushSize = 37;
  s.brushColor = 12;
  s.showWindows = false;
  s.toolbarLeft = -1250;
  s.toolbarTop = 0;
  s.noteColor = -1;
  s.runAtStartup = true;
  s.wallpaper = "C:\\Users\\Ann\\Pictures\\sea.jpg";
  s.changeMode = ChangeMode::kEvery;
  s.minutes = "15";
  s.keepDrawing = false;
  s.folderShuffle = "3141592653";
  EXPECT_EQ(SettingsText(s),
            Lines({"37", "12", "0", "-1250", "0", "197", "274", "205", "357", "-1", "205", "375", "289", "305",
                   "1", "C:\\Users\\Ann\\Pictures\\sea.jpg", "2", "15", "Ctrl+Alt+N", "0", "0", "", "0,0", "",
                   "3141592653"}));
  // No change mode selected: an empty line 17.
  EXPECT_EQ(SplitLines(SettingsText(Settings{}))[16], "");
  EXPECT_EQ(SplitLines(SettingsText(Settings{})).size(), 25u);
}

TEST(Settings, RoundTripRestoresEveryValue) {
  test::ScratchDir dir;
  Settings written;
  written.brushSize = 100;
  written.brushColor = 19;
  written.showWindows = false;
  written.toolbarLeft = -3;
  written.toolbarTop = 2000;
  written.textLeft = 1;
  written.textTop = 2;
  written.textWidth = 300;
  written.textHeight = 400;
  written.noteColor = 49;
  written.copyLeft = -5;
  written.copyTop = 6;
  written.copyWidth = 700;
  written.copyHeight = 800;
  written.runAtStartup = true;
  written.wallpaper = "D:\\\xC4pfel\\1.jpg";
  written.changeMode = ChangeMode::kNever;
  written.minutes = "999";
  written.hotKey = "";
  written.keepDrawing = false;
  written.picturePosition = "2";
  written.nextHotKey = "Ctrl+Alt+W";
  written.drawingLeft = -1920;
  written.drawingTop = -280;
  written.monitors = "0,0,1280,800;-1920,-280,1920,1080";
  written.folderShuffle = "17";
  SaveSettings(dir / "kvx.ini", written);
  Settings read;
  LoadSettings(dir / "kvx.ini", read);
  EXPECT_EQ(read, written);

  for (ChangeMode mode : {ChangeMode::kNone, ChangeMode::kAtStartup, ChangeMode::kEvery}) {
    written.changeMode = mode;
    SaveSettings(dir / "kvx.ini", written);
    LoadSettings(dir / "kvx.ini", read);
    EXPECT_EQ(read.changeMode, mode);
  }
}

TEST(Settings, KeepsValuesWithinWhatTheWindowsHold) {
  EXPECT_EQ(LoadText(DefaultsWithLine(1, "0")).brushSize, 1);
  EXPECT_EQ(LoadText(DefaultsWithLine(1, "250")).brushSize, 100);
  EXPECT_EQ(LoadText(DefaultsWithLine(2, "-1")).brushColor, -1);
  EXPECT_EQ(LoadText(DefaultsWithLine(2, "20")).brushColor, -1);
  EXPECT_EQ(LoadText(DefaultsWithLine(2, "19")).brushColor, 19);
  EXPECT_EQ(LoadText(DefaultsWithLine(10, "50")).noteColor, -1);
  EXPECT_EQ(LoadText(DefaultsWithLine(10, "38")).noteColor, 38);
}

TEST(Settings, FlagsAreOnOnlyForExactlyOne) {
  EXPECT_TRUE(LoadText(DefaultsWithLine(3, "1")).showWindows);
  for (const char* off : {"1 ", " 1", "yes", "true", "0", "", "11"}) {
    EXPECT_FALSE(LoadText(DefaultsWithLine(3, off)).showWindows) << off;
    EXPECT_FALSE(LoadText(DefaultsWithLine(15, off)).runAtStartup) << off;
  }
  EXPECT_TRUE(LoadText(DefaultsWithLine(15, "1")).runAtStartup);
}

TEST(Settings, ChangeModeByFirstCharacterAndTextsAsTheyStand) {
  EXPECT_EQ(LoadText(DefaultsWithLine(17, "1")).changeMode, ChangeMode::kAtStartup);
  EXPECT_EQ(LoadText(DefaultsWithLine(17, "2 minutes")).changeMode, ChangeMode::kEvery);
  EXPECT_EQ(LoadText(DefaultsWithLine(17, "3")).changeMode, ChangeMode::kNever);
  EXPECT_EQ(LoadText(DefaultsWithLine(17, "")).changeMode, ChangeMode::kNone);
  EXPECT_EQ(LoadText(DefaultsWithLine(17, "4")).changeMode, ChangeMode::kNone);
  EXPECT_EQ(LoadText(DefaultsWithLine(17, " 1")).changeMode, ChangeMode::kNone);
  EXPECT_EQ(LoadText(DefaultsWithLine(18, "12a")).minutes, "12a");
  EXPECT_EQ(LoadText(DefaultsWithLine(16, "C:\\a b\\c.jpg")).wallpaper, "C:\\a b\\c.jpg");
}

TEST(Settings, TheFirstStartMarkerIsExact) {
  EXPECT_EQ(LoadText(DefaultsWithLine(16, "first start")).wallpaper, kFirstStartMarker);
  EXPECT_NE(LoadText(DefaultsWithLine(16, "First start")).wallpaper, kFirstStartMarker);
  EXPECT_NE(LoadText(DefaultsWithLine(16, "first start ")).wallpaper, kFirstStartMarker);
}

TEST(Settings, ShortFilesAndBadNumbers) {
  const std::vector<std::string> full = SplitLines(SettingsText(Settings{}));
  auto firstLines = [&](size_t n) {
    return JoinLinesCrLf({full.begin(), full.begin() + static_cast<long>(n)});
  };

  // 17 lines: the minutes read as an empty text, nothing fails.
  EXPECT_EQ(LoadText(firstLines(17)).minutes, "");

  // The 18 lines of older versions: the later lines keep what the windows
  // hold; a present line is taken, an empty hotkey line meaning none.
  Settings older;
  older.hotKey = "Ctrl+Shift+F5";
  older.keepDrawing = false;
  test::ScratchDir oldDir;
  test::WriteFile(oldDir / "kvx.ini", firstLines(18));
  LoadSettings(oldDir / "kvx.ini", older);
  EXPECT_EQ(older.hotKey, "Ctrl+Shift+F5");
  EXPECT_FALSE(older.keepDrawing);
  std::vector<std::string> nineteen(full.begin(), full.begin() + 19);
  nineteen[18] = "";
  const Settings noKey = LoadText(JoinLinesCrLf(nineteen));
  EXPECT_EQ(noKey.hotKey, "");
  EXPECT_TRUE(noKey.keepDrawing);
  EXPECT_FALSE(LoadText(DefaultsWithLine(20, "yes")).keepDrawing);
  // The 20 lines of the last version: the drawing at the primary monitor's
  // top-left, composed for one monitor; a broken origin means the same.
  EXPECT_EQ(LoadText(firstLines(20)), Settings{});
  for (const char* line : {"-5", "x,1", "-5,", "1,2,3"}) {
    const Settings broken = LoadText(DefaultsWithLine(23, line));
    EXPECT_EQ(broken.drawingLeft, 0) << line;
    EXPECT_EQ(broken.drawingTop, 0) << line;
  }

  // 13 lines: line 14 is past the end and fails with an empty text, after the
  // lines before it took effect.
  Settings s;
  s.copyLeft = s.copyTop = s.copyWidth = -99;
  std::vector<std::string> lines(full.begin(), full.begin() + 13);
  lines[10] = "11";
  lines[11] = "12";
  lines[12] = "13";
  EXPECT_EQ(LoadError(JoinLinesCrLf(lines), s), "'' is not a valid integer value");
  EXPECT_EQ(s.copyLeft, 11);
  EXPECT_EQ(s.copyWidth, 13);
  EXPECT_EQ(s.copyHeight, 305);  // untouched

  Settings t;
  t.showWindows = false;
  EXPECT_EQ(LoadError(DefaultsWithLine(5, "10O"), t), "'10O' is not a valid integer value");
  EXPECT_TRUE(t.showWindows);  // line 3 was applied before line 5 failed
  EXPECT_EQ(t.toolbarLeft, 192);

  // Lines ended by LF alone, or CR in the middle, read the same.
  std::string lf = SettingsText(Settings{});
  std::erase(lf, '\r');
  EXPECT_EQ(LoadText(lf), Settings{});
  EXPECT_EQ(LoadText(DefaultsWithLine(4, "3\r5")).toolbarLeft, 35);

  Settings u;
  test::ScratchDir dir;
  try {
    LoadSettings(dir / "kvx.ini", u);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
}

TEST(Settings, ABadLineTakesItsDefaultAndTheLinesAfterItKeepTheirValues) {
  Settings saved;
  saved.brushSize = 37;
  saved.brushColor = 12;
  saved.copyTop = -40;
  saved.wallpaper = "C:\\p\\sea.jpg";
  saved.changeMode = ChangeMode::kAtStartup;
  saved.picturePosition = "1";
  saved.folderShuffle = "99";
  std::vector<std::string> lines = SplitLines(SettingsText(saved));
  lines[0] = "ten";
  lines[11] = "";
  Settings read;
  EXPECT_EQ(LoadError(JoinLinesCrLf(lines), read), "'ten' is not a valid integer value");  // the first
  Settings expected = saved;
  expected.brushSize = Settings{}.brushSize;
  expected.copyTop = Settings{}.copyTop;
  EXPECT_EQ(read, expected);
  // Written back, the file is what it was, the bad lines with their defaults.
  lines[0] = "1";
  lines[11] = "375";
  EXPECT_EQ(SettingsText(read), JoinLinesCrLf(lines));

  // An empty file: every number keeps what the windows hold.
  Settings empty;
  EXPECT_EQ(LoadError("", empty), "'' is not a valid integer value");
  EXPECT_EQ(empty.toolbarLeft, 192);
  EXPECT_EQ(empty.copyHeight, 305);
  EXPECT_EQ(empty.hotKey, "Ctrl+Alt+N");
}

TEST(Settings, AFailedSaveKeepsThePreviousFileAndSaysWhy) {
  test::ScratchDir dir;
  SaveSettings(dir / "kvx.ini", Settings{});
  const std::string before = test::ReadFile(dir / "kvx.ini");
  Settings changed;
  changed.brushSize = 50;
  ASSERT_EQ(symlink("/dev/full", (dir / "kvx.ini.tmp").c_str()), 0);
  try {
    SaveSettings(dir / "kvx.ini", changed);
    FAIL();
  } catch (const InOutError& e) {
    EXPECT_EQ(e.Code(), io::kDiskFull);
    EXPECT_EQ(e.what(), "Cannot write file \"" + (dir / "kvx.ini") + "\". No space left on device");
  }
  EXPECT_EQ(test::ReadFile(dir / "kvx.ini"), before);
  try {
    SaveSettings(dir / "gone/kvx.ini", changed);
    FAIL();
  } catch (const InOutError& e) {
    EXPECT_EQ(e.Code(), io::kInvalidFilename);
    EXPECT_EQ(e.what(), "Cannot create file \"" + (dir / "gone/kvx.ini") + "\". No such file or directory");
  }
}

}  // namespace
}  // namespace velmora
