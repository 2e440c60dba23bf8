#include "app/StartupRoutine.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "base/Errors.h"
#include "base/FileSystem.h"
#include "base/Product.h"
#include "imaging/DesktopFrame.h"
#include "options/WallpaperList.h"
#include "program/Program.h"

namespace velmora {
namespace {

// Passes the settings on to the windows, deciding what line 16 and the change
// mode mean for this start.
class StartupSettings : public SettingsTarget {
 public:
  explicit StartupSettings(StartupHost& host) : host_(host) {}

  void BrushSize(int size) override { host_.Settings().BrushSize(size); }
  void BrushColor(int index) override { host_.Settings().BrushColor(index); }
  // Every file that could be read reaches line 3.
  void ShowWindows(bool on) override {
    reached_ = true;
    host_.Settings().ShowWindows(on);
  }
  void ToolbarLeft(int v) override { host_.Settings().ToolbarLeft(v); }
  void ToolbarTop(int v) override { host_.Settings().ToolbarTop(v); }
  void TextLeft(int v) override { host_.Settings().TextLeft(v); }
  void TextTop(int v) override { host_.Settings().TextTop(v); }
  void TextWidth(int v) override { host_.Settings().TextWidth(v); }
  void TextHeight(int v) override { host_.Settings().TextHeight(v); }
  void NoteColor(int index) override { host_.Settings().NoteColor(index); }
  void CopyLeft(int v) override { host_.Settings().CopyLeft(v); }
  void CopyTop(int v) override { host_.Settings().CopyTop(v); }
  void CopyWidth(int v) override { host_.Settings().CopyWidth(v); }
  void CopyHeight(int v) override { host_.Settings().CopyHeight(v); }
  void RunAtStartup() override { host_.Settings().RunAtStartup(); }
  void NotepadHotKey(const std::string& text) override { host_.Settings().NotepadHotKey(text); }
  void KeepDrawing(bool on) override { host_.Settings().KeepDrawing(on); }
  void PicturePosition(const std::string& text) override { host_.Settings().PicturePosition(text); }
  void NextWallpaperHotKey(const std::string& text) override { host_.Settings().NextWallpaperHotKey(text); }
  void DrawingOrigin(int left, int top) override { host_.Settings().DrawingOrigin(left, top); }
  void MonitorLayout(const std::string& text) override { host_.Settings().MonitorLayout(text); }
  void FolderShuffle(const std::string& text) override {
    folderShuffle_ = FolderShuffleFromText(text);
    host_.Settings().FolderShuffle(text);
  }

  void Wallpaper(const std::string& text) override {
    wallpaper_ = text;
    if (text == kFirstStartMarker) {
      host_.ShowWelcome();
      wallpaper_ = host_.DesktopWallpaper();
      firstStart_ = true;
    }
    host_.SetCurrentWallpaper(wallpaper_);
  }

  void ChangeModeAndMinutes(ChangeMode mode, const std::string& minutes) override {
    host_.SetMinutes(minutes);
    host_.SelectChangeMode(mode);
    atStartup_ = mode == ChangeMode::kAtStartup;
  }

  // The change at start-up, once the order of the folders' pictures (a
  // later line) is known: the picture after the current one.
  void Rotate(const std::vector<std::string>& list) {
    if (!atStartup_) return;
    const std::vector<std::string> rotation = ExpandWallpaperList(
        list, [this](const std::string& folder) { return host_.FolderFiles(folder); }, folderShuffle_);
    if (const auto next = NextWallpaperIndex(rotation, host_.CurrentWallpaper())) next_ = rotation[*next];
  }

  bool reached_ = false;
  bool firstStart_ = false;
  std::string wallpaper_;            // what "1.bmp" was composed from
  std::optional<std::string> next_;  // the rotation's next picture

 private:
  StartupHost& host_;
  bool atStartup_ = false;
  std::uint32_t folderShuffle_ = 0;
};

// A missing list is an empty one: nothing of the user's is lost, and the
// options window's "Done" writes it.
std::vector<std::string> StartupWallpaperList(const std::string& path) {
  if (std::FILE* file = OpenFile(path, "rb")) {
    std::fclose(file);
  } else if (errno == ENOENT) {
    return {};
  }
  return LoadWallpaperList(path);
}

}  // namespace

std::string RunStartup(StartupHost& host) {
  host.DisableStartupTimer();
  host.HideToolbar();

  const std::string workDirectory =
      FindWorkDirectory(host.CurrentDirectory(), host.ProgramInCurrentDirectory(), host.ProgramPath(),
                        host.UserRunValue(), host.MachineRunValue());
  host.MakeCurrentDirectory(workDirectory);
  host.SetAboutVersion(kVersionLabel);
  host.ShowVersionOnSwitch();
  host.AppendToToolbarCaption(kVersionLabel);

  // The list's and the settings' errors do not stop start-up, so the layers
  // and faces are still made from the work files and no later "Done" writes
  // less than they hold. Their boxes wait until the layers are prepared: the
  // icon opens a session while a box is up.
  std::vector<std::exception_ptr> errors;
  const auto showErrors = [&] {
    for (const std::exception_ptr& error : errors) host.ReportError(error);
    errors.clear();
  };
  std::vector<std::string> list;
  try {
    list = StartupWallpaperList(workDirectory + kWallpaperListFileName);
  } catch (const std::exception&) {
    errors.push_back(std::current_exception());
  }
  host.SetWallpaperList(list);

  StartupSettings settings(host);
  try {
    ReadSettings(workDirectory + kSettingsFileName, settings);
  } catch (const std::exception& error) {
    // A file there that could not be opened or read applied nothing.
    const auto* fileError = dynamic_cast<const InOutError*>(&error);
    if (fileError && fileError->Code() != io::kFileNotFound && !settings.reached_) host.KeepSettingsFile();
    errors.push_back(std::current_exception());
  }
  bool whole = errors.empty();
  // The rotation at start-up steps through the folders' pictures too.
  settings.Rotate(list);

  // A new user's wallpaper covers each monitor; a file of an older version
  // keeps the unscaled picture its user had.
  if (settings.firstStart_) host.Settings().PicturePosition(PicturePositionText(PicturePosition::kFill));
  host.EndStartupFlag();
  host.SeedRandom();
  host.GiveFaces();
  try {
    host.PrepareLayers(settings.wallpaper_, settings.firstStart_);
  } catch (const std::exception&) {
    // The current picture unreadable: the rotation's next one may still do.
    if (!settings.next_) {
      showErrors();
      throw;
    }
    errors.push_back(std::current_exception());
    whole = false;
  }
  showErrors();
  if (settings.next_) {
    host.ChangeWallpaper(*settings.next_);
    host.SetCurrentWallpaper(*settings.next_);
  } else if (settings.firstStart_ || host.ComposedForOtherMonitors()) {
    host.ChangeWallpaper(host.CurrentWallpaper());
  }
  if (whole) host.SaveSettings();
  return workDirectory;
}

}  // namespace velmora
