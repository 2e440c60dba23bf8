#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/StartupRoutine.h"
#include "base/Errors.h"
#include "options/WallpaperList.h"

namespace velmora {
namespace {

// Records what the start-up routine asks of the windows.
class LogHost : public StartupHost, public SettingsTarget {
 public:
  explicit LogHost(std::string runValue) : runValue_(std::move(runValue)) {}
  std::vector<std::string> log;
  std::string desktopWallpaper = "C:\\Windows\\Web\\sea.jpg";
  std::string ecw;

  void DisableStartupTimer() override { log.push_back("timer off"); }
  void HideToolbar() override { log.push_back("hide toolbar"); }
  std::string CurrentDirectory() override { return "C:\\Windows\\system32"; }
  bool ProgramInCurrentDirectory() override { return false; }
  std::string UserRunValue() override { return runValue_; }
  std::string MachineRunValue() override { return ""; }
  void MakeCurrentDirectory(const std::string&) override { log.push_back("cd"); }
  void SetAboutVersion(const std::string& label) override { log.push_back("about " + label); }
  void ShowVersionOnSwitch() override { log.push_back("version switch"); }
  void AppendToToolbarCaption(const std::string& text) override { log.push_back("caption +" + text); }
  void SetWallpaperList(const std::vector<std::string>& paths) override {
    log.push_back("list " + std::to_string(paths.size()));
  }
  SettingsTarget& Settings() override { return *this; }
  void ShowWelcome() override { log.push_back("welcome"); }
  std::string DesktopWallpaper() override { return desktopWallpaper; }
  void SetCurrentWallpaper(const std::string& path) override {
    ecw = path;
    log.push_back("ecw " + path);
  }
  std::string CurrentWallpaper() override { return ecw; }
  void SetMinutes(const std::string& minutes) override { log.push_back("em " + minutes); }
  void SelectChangeMode(ChangeMode mode) override { log.push_back("mode " + ChangeModeText(mode)); }
  void EndStartupFlag() override { log.push_back("tag 0"); }
  void SeedRandom() override { log.push_back("seed"); }
  void GiveFaces() override { log.push_back("faces"); }
  void PrepareLayers(const std::string& wallpaper, bool firstStart) override {
    log.push_back("layers " + wallpaper + (firstStart ? " first" : ""));
  }
  void ChangeWallpaper(const std::string& path) override { log.push_back("change " + path); }
  bool ComposedForOtherMonitors() override { return otherMonitors; }
  std::vector<std::string> FolderFiles(const std::string& folder) override {
    return folder == "D:\\P\\" ? folderFiles : std::vector<std::string>{};
  }
  std::vector<std::string> folderFiles;
  bool otherMonitors = false;
  void SaveSettings() override { log.push_back("save"); }

  // Settings values, logged compactly.
  void BrushSize(int v) override { log.push_back("siz " + std::to_string(v)); }
  void BrushColor(int v) override { log.push_back("col " + std::to_string(v)); }
  void ShowWindows(bool on) override { log.push_back(on ? "sw on" : "sw off"); }
  void ToolbarLeft(int) override { log.push_back("line 4"); }
  void ToolbarTop(int) override { log.push_back("line 5"); }
  void TextLeft(int) override {}
  void TextTop(int) override {}
  void TextWidth(int) override {}
  void TextHeight(int) override {}
  void NoteColor(int v) override { log.push_back("cbn " + std::to_string(v)); }
  void CopyLeft(int) override {}
  void CopyTop(int) override {}
  void CopyWidth(int) override {}
  void CopyHeight(int) override {}
  void RunAtStartup() override { log.push_back("cba"); }
  void PicturePosition(const std::string& text) override { log.push_back("position " + text); }
  void DrawingOrigin(int left, int top) override {
    log.push_back("origin " + std::to_string(left) + "," + std::to_string(top));
  }
  void MonitorLayout(const std::string& text) override { log.push_back("monitors " + text); }
  void FolderShuffle(const std::string& text) override { log.push_back("folder shuffle " + text); }
  void Wallpaper(const std::string&) override { ADD_FAILURE() << "line 16 is the routine's own"; }
  void ChangeModeAndMinutes(ChangeMode, const std::string&) override { ADD_FAILURE() << "lines 17, 18 too"; }

  // Everything logged from `from` on, to compare the interesting tail.
  std::vector<std::string> From(const std::string& from) const {
    auto it = std::find(log.begin(), log.end(), from);
    return {it, log.end()};
  }

 private:
  std::string runValue_;
};

// A work directory for the routine: the files live in a scratch directory and
// the Run value points there (the work directory ends with a backslash, which
// on this system is part of the file names).
struct Work {
  test::ScratchDir dir;
  std::string runValue() const { return "\"" + dir.Path() + "/\\KVX.exe\""; }
  void Put(const std::string& name, const std::string& text) const { test::WriteFile(dir / ("\\" + name), text); }
  std::string Get(const std::string& name) const { return test::ReadFile(dir / ("\\" + name)); }
};

std::string SettingsWith(const std::string& line16, const std::string& line17, const std::string& line1 = "5") {
  return line1 + "\r\n3\r\n1\r\n192\r\n109\r\n197\r\n274\r\n205\r\n357\r\n38\r\n205\r\n375\r\n289\r\n305\r\n0\r\n" +
         line16 + "\r\n" + line17 + "\r\n7\r\n";
}

TEST(StartupRoutine, FirstStartWelcomesTakesTheDesktopWallpaperAndChangesToIt) {
  Work work;
  work.Put("wl.ini", "");
  work.Put("kvx.ini", SettingsWith("first start", "3"));
  LogHost host(work.runValue());
  EXPECT_EQ(RunStartup(host), work.dir.Path() + "/\\");
  EXPECT_EQ(host.log, (std::vector<std::string>{
                          "timer off", "hide toolbar", "cd", "about 1.0 build 3", "version switch",
                          "caption +1.0 build 3", "list 0", "siz 5", "col 3", "sw on", "line 4", "line 5", "cbn 38",
                          "welcome", "ecw C:\\Windows\\Web\\sea.jpg", "em 7", "mode 3", "position 1", "tag 0", "seed", "faces",
                          "layers C:\\Windows\\Web\\sea.jpg first", "change C:\\Windows\\Web\\sea.jpg", "save"}));
}

TEST(StartupRoutine, LaterStartsKeepTheWallpaperUnlessRotatingAtStartup) {
  Work work;
  work.Put("wl.ini", "C:\\a.jpg\r\nC:\\b.jpg\r\nC:\\c.jpg\r\n");
  work.Put("kvx.ini", SettingsWith("C:\\b.jpg", "2"));
  LogHost plain(work.runValue());
  RunStartup(plain);
  EXPECT_EQ(plain.From("ecw C:\\b.jpg"), (std::vector<std::string>{"ecw C:\\b.jpg", "em 7", "mode 2", "tag 0", "seed",
                                                                   "faces", "layers C:\\b.jpg", "save"}));

  // "at startup" with the last entry current: the first entry comes next.
  work.Put("kvx.ini", SettingsWith("C:\\C.JPG", "1"));
  LogHost rotating(work.runValue());
  RunStartup(rotating);
  EXPECT_EQ(rotating.From("ecw C:\\C.JPG"),
            (std::vector<std::string>{"ecw C:\\C.JPG", "em 7", "mode 1", "ecw C:\\a.jpg", "tag 0", "seed", "faces",
                                      "layers C:\\a.jpg", "change C:\\a.jpg", "save"}));

  // A one-entry list does not rotate, and the first-start marker with a capital is a path.
  work.Put("wl.ini", "C:\\a.jpg\r\n");
  work.Put("kvx.ini", SettingsWith("First start", "1"));
  LogHost single(work.runValue());
  RunStartup(single);
  EXPECT_EQ(single.From("ecw First start"), (std::vector<std::string>{"ecw First start", "em 7", "mode 1", "tag 0",
                                                                     "seed", "faces", "layers First start", "save"}));
}

TEST(StartupRoutine, AtStartupAFolderStepsInTheOrderALaterLineShufflesItInto) {
  Work work;
  work.Put("wl.ini", "D:\\P\\\r\n");
  std::vector<std::string> files;
  for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h"}) files.push_back(std::string("D:\\P\\") + name + ".jpg");
  const auto folder = [&](const std::string&) { return files; };
  const std::vector<std::string> shuffled = ExpandWallpaperList({"D:\\P\\"}, folder, 42);
  // The picture after the shuffled first one, which by name is another.
  const std::string expected = shuffled[1];
  ASSERT_NE(expected, files[*NextWallpaperIndex(files, shuffled[0])]);
  work.Put("kvx.ini", SettingsWith(shuffled[0], "1") + "Ctrl+Alt+N\r\n1\r\n1\r\n\r\n0,0\r\n\r\n42\r\n");
  LogHost host(work.runValue());
  host.folderFiles = files;
  RunStartup(host);
  EXPECT_EQ(host.From("folder shuffle 42"),
            (std::vector<std::string>{"folder shuffle 42", "ecw " + expected, "tag 0", "seed", "faces",
                                      "layers " + expected, "change " + expected, "save"}));
}

TEST(StartupRoutine, AWallpaperComposedForOtherMonitorsIsComposedAgain) {
  Work work;
  work.Put("wl.ini", "C:\\a.jpg\r\n");
  // The drawing's origin and the monitors it was composed for reach the
  // windows before the layers are prepared.
  work.Put("kvx.ini", SettingsWith("C:\\a.jpg", "3") + "Ctrl+Alt+N\r\n1\r\n3\r\n\r\n-1920,0\r\n0,0,1280,800;-1920,0,1920,1080\r\n");
  LogHost host(work.runValue());
  host.otherMonitors = true;
  RunStartup(host);
  EXPECT_EQ(host.From("position 3"),
            (std::vector<std::string>{"position 3", "origin -1920,0", "monitors 0,0,1280,800;-1920,0,1920,1080", "tag 0", "seed",
                                      "faces", "layers C:\\a.jpg", "change C:\\a.jpg", "save"}));
}

TEST(StartupRoutine, ErrorsStopAtTheirStepAndKeepWhatWasApplied) {
  Work work;
  LogHost noList(work.runValue());
  try {
    RunStartup(noList);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + work.dir.Path() + "/\\wl.ini\". ", 0), 0u);
  }
  EXPECT_EQ(noList.log.back(), "caption +1.0 build 3");  // settings not read, nothing saved

  work.Put("wl.ini", "");
  LogHost noSettings(work.runValue());
  try {
    RunStartup(noSettings);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }

  std::string broken = SettingsWith("C:\\b.jpg", "2");
  broken.replace(broken.find("109"), 3, "1O9");
  work.Put("kvx.ini", broken);
  LogHost badLine(work.runValue());
  try {
    RunStartup(badLine);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "'1O9' is not a valid integer value");
  }
  EXPECT_EQ(badLine.From("siz 5"), (std::vector<std::string>{"siz 5", "col 3", "sw on", "line 4"}));
}

}  // namespace
}  // namespace velmora
