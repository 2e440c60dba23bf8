#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "app/StartupRoutine.h"
#include "base/Errors.h"
#include "options/WallpaperList.h"

namespace velmora {
namespace {

// Records what the start-up routine asks of the windows.
class LogHost : public StartupHost, public SettingsTarget {
 public:
  explicit LogHost(std::string programPath) : programPath_(std::move(programPath)) {}
  std::vector<std::string> log;
  std::string desktopWallpaper = "C:\\Windows\\Web\\sea.jpg";
  std::string ecw;

  void DisableStartupTimer() override { log.push_back("timer off"); }
  void HideToolbar() override { log.push_back("hide toolbar"); }
  std::string CurrentDirectory() override { return "C:\\Windows\\system32"; }
  bool ProgramInCurrentDirectory() override { return false; }
  std::string ProgramPath() override { return programPath_; }
  std::string UserRunValue() override { return "\"C:\\Elsewhere\\KVX.exe\""; }
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
    if (wallpaper == refused) throw Error("refused " + wallpaper);
  }
  void ChangeWallpaper(const std::string& path) override {
    log.push_back("change " + path);
    if (path == refused) throw Error("refused " + path);
  }
  std::string refused = "(none)";  // a picture nothing reads
  bool ComposedForOtherMonitors() override { return otherMonitors; }
  std::vector<std::string> FolderFiles(const std::string& folder) override {
    return folder == "D:\\P\\" ? folderFiles : std::vector<std::string>{};
  }
  std::vector<std::string> folderFiles;
  bool otherMonitors = false;
  void SaveSettings() override { log.push_back("save"); }
  void ReportError(std::exception_ptr error) override {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      log.push_back(std::string("box ") + e.what());
    }
  }
  void KeepSettingsFile() override { log.push_back("keep kvx.ini"); }

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
  void RunAtStartup() override {
    log.push_back("cba");
    if (runValueFails) throw Error("Failed to set data for 'KVX'");
  }
  bool runValueFails = false;
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
  std::string programPath_;
};

// A work directory for the routine: the files live in a scratch directory
// that holds the running program (the work directory ends with a backslash, which
// on this system is part of the file names).
struct Work {
  test::ScratchDir dir;
  std::string programPath() const { return dir.Path() + "/\\KVX.exe"; }
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
  LogHost host(work.programPath());
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
  LogHost plain(work.programPath());
  RunStartup(plain);
  EXPECT_EQ(plain.From("ecw C:\\b.jpg"), (std::vector<std::string>{"ecw C:\\b.jpg", "em 7", "mode 2", "tag 0", "seed",
                                                                   "faces", "layers C:\\b.jpg", "save"}));

  // "at startup" with the last entry current: the first entry comes next.
  work.Put("kvx.ini", SettingsWith("C:\\C.JPG", "1"));
  LogHost rotating(work.programPath());
  RunStartup(rotating);
  // The layers come from the picture "1.bmp" was made of; the next one is
  // current once the change to it succeeded.
  EXPECT_EQ(rotating.From("ecw C:\\C.JPG"),
            (std::vector<std::string>{"ecw C:\\C.JPG", "em 7", "mode 1", "tag 0", "seed", "faces",
                                      "layers C:\\C.JPG", "change C:\\a.jpg", "ecw C:\\a.jpg", "save"}));

  // A one-entry list does not rotate, and the first-start marker with a capital is a path.
  work.Put("wl.ini", "C:\\a.jpg\r\n");
  work.Put("kvx.ini", SettingsWith("First start", "1"));
  LogHost single(work.programPath());
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
  LogHost host(work.programPath());
  host.folderFiles = files;
  RunStartup(host);
  EXPECT_EQ(host.From("folder shuffle 42"),
            (std::vector<std::string>{"folder shuffle 42", "tag 0", "seed", "faces", "layers " + shuffled[0],
                                      "change " + expected, "ecw " + expected, "save"}));
}

TEST(StartupRoutine, AWallpaperComposedForOtherMonitorsIsComposedAgain) {
  Work work;
  work.Put("wl.ini", "C:\\a.jpg\r\n");
  // The drawing's origin and the monitors it was composed for reach the
  // windows before the layers are prepared.
  work.Put("kvx.ini", SettingsWith("C:\\a.jpg", "3") + "Ctrl+Alt+N\r\n1\r\n3\r\n\r\n-1920,0\r\n0,0,1280,800;-1920,0,1920,1080\r\n");
  LogHost host(work.programPath());
  host.otherMonitors = true;
  RunStartup(host);
  EXPECT_EQ(host.From("position 3"),
            (std::vector<std::string>{"position 3", "origin -1920,0", "monitors 0,0,1280,800;-1920,0,1920,1080", "tag 0", "seed",
                                      "faces", "layers C:\\a.jpg", "change C:\\a.jpg", "save"}));
}

TEST(StartupRoutine, AFailedListOrSettingsStillPreparesTheLayersThenShowsTheBoxAndSavesNothing) {
  Work work;
  // No list is an empty one, without a box; no settings file is a box.
  LogHost nothing(work.programPath());
  EXPECT_EQ(RunStartup(nothing), work.dir.Path() + "/\\");
  EXPECT_EQ(nothing.From("list 0"),
            (std::vector<std::string>{"list 0", "tag 0", "seed", "faces", "layers ", "box File not found"}));

  // A bad number and a window refusing its value: every other line is
  // applied, the first error shows once the layers are ready.
  work.Put("wl.ini", "C:\\a.jpg\r\n");
  std::string broken = SettingsWith("C:\\b.jpg", "2", "ten");
  broken.replace(broken.find("109"), 3, "1O9");
  broken.replace(broken.find("305\r\n0"), 6, "305\r\n1");
  work.Put("kvx.ini", broken);
  LogHost badLines(work.programPath());
  badLines.runValueFails = true;
  RunStartup(badLines);
  EXPECT_EQ(badLines.From("list 1"),
            (std::vector<std::string>{"list 1", "col 3", "sw on", "line 4", "cbn 38", "cba", "ecw C:\\b.jpg",
                                      "em 7", "mode 2", "tag 0", "seed", "faces", "layers C:\\b.jpg",
                                      "box 'ten' is not a valid integer value"}));

  // An empty file: the numbers keep their defaults, the layers come from the work files.
  work.Put("kvx.ini", "");
  LogHost empty(work.programPath());
  RunStartup(empty);
  EXPECT_EQ(empty.From("list 1"),
            (std::vector<std::string>{"list 1", "sw off", "ecw ", "em ", "mode ", "tag 0", "seed", "faces",
                                      "layers ", "box '' is not a valid integer value"}));

  // A settings file there that cannot be read is kept from being written over.
  std::filesystem::remove(work.dir / "\\kvx.ini");
  std::filesystem::create_directory(work.dir / "\\kvx.ini");
  LogHost unreadable(work.programPath());
  RunStartup(unreadable);
  EXPECT_EQ(unreadable.From("list 1")[1], "keep kvx.ini");
  EXPECT_EQ(unreadable.log.back().rfind("box ", 0), 0u);
}

TEST(StartupRoutine, ARefusedNextPictureIsNotCurrentAndAnUnreadableCurrentOneStillRotates) {
  Work work;
  work.Put("wl.ini", "C:\\a.jpg\r\nC:\\b.jpg\r\n");
  work.Put("kvx.ini", SettingsWith("C:\\a.jpg", "1", "ten"));
  LogHost refusedNext(work.programPath());
  refusedNext.refused = "C:\\b.jpg";
  try {
    RunStartup(refusedNext);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "refused C:\\b.jpg");
  }
  EXPECT_EQ(refusedNext.From("layers C:\\a.jpg"),
            (std::vector<std::string>{"layers C:\\a.jpg", "box 'ten' is not a valid integer value",
                                      "change C:\\b.jpg"}));
  EXPECT_EQ(refusedNext.ecw, "C:\\a.jpg");

  // The current picture gone: its box, then the rotation's next one; the
  // settings are not rewritten after a failed step.
  work.Put("kvx.ini", SettingsWith("C:\\a.jpg", "1"));
  LogHost goneCurrent(work.programPath());
  goneCurrent.refused = "C:\\a.jpg";
  RunStartup(goneCurrent);
  EXPECT_EQ(goneCurrent.From("layers C:\\a.jpg"),
            (std::vector<std::string>{"layers C:\\a.jpg", "box refused C:\\a.jpg", "change C:\\b.jpg",
                                      "ecw C:\\b.jpg"}));

  // Without a rotation an unreadable current picture ends start-up there, as before.
  work.Put("kvx.ini", SettingsWith("C:\\a.jpg", "3", "ten"));
  LogHost stopped(work.programPath());
  stopped.refused = "C:\\a.jpg";
  EXPECT_THROW(RunStartup(stopped), Error);
  EXPECT_EQ(stopped.log.back(), "box 'ten' is not a valid integer value");
}

}  // namespace
}  // namespace velmora
