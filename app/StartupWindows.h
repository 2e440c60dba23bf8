#pragma once
// The start-up routine carried out by the program's windows, and the settings
// file gathered from them.
#include "app/StartupRoutine.h"
#include "program/Settings.h"

namespace velmora {

class TForm1;

class StartupWindows : public StartupHost, private SettingsTarget {
 public:
  explicit StartupWindows(TForm1& toolbar) : toolbar_(toolbar) {}

  void DisableStartupTimer() override;
  void HideToolbar() override;
  std::string CurrentDirectory() override;
  bool ProgramInCurrentDirectory() override;
  std::string ProgramPath() override;
  std::string UserRunValue() override;
  std::string MachineRunValue() override;
  void MakeCurrentDirectory(const std::string& directory) override;
  void SetAboutVersion(const std::string& label) override;
  void ShowVersionOnSwitch() override;
  void AppendToToolbarCaption(const std::string& text) override;
  void SetWallpaperList(const std::vector<std::string>& paths) override;
  std::vector<std::string> FolderFiles(const std::string& folder) override;
  SettingsTarget& Settings() override { return *this; }
  void ShowWelcome() override;
  std::string DesktopWallpaper() override;
  void SetCurrentWallpaper(const std::string& path) override;
  std::string CurrentWallpaper() override;
  void SetMinutes(const std::string& minutes) override;
  void SelectChangeMode(ChangeMode mode) override;
  void EndStartupFlag() override;
  void SeedRandom() override;
  void GiveFaces() override;
  void PrepareLayers(const std::string& wallpaper, bool firstStart) override;
  bool ComposedForOtherMonitors() override;
  void ChangeWallpaper(const std::string& path) override;
  void SaveSettings() override;
  void ReportError(std::exception_ptr error) override;
  void KeepSettingsFile() override;

 private:
  // The settings file's values, applied to the controls that hold them.
  void BrushSize(int size) override;
  void BrushColor(int index) override;
  void ShowWindows(bool on) override;
  void ToolbarLeft(int left) override;
  void ToolbarTop(int top) override;
  void TextLeft(int left) override;
  void TextTop(int top) override;
  void TextWidth(int width) override;
  void TextHeight(int height) override;
  void NoteColor(int index) override;
  void CopyLeft(int left) override;
  void CopyTop(int top) override;
  void CopyWidth(int width) override;
  void CopyHeight(int height) override;
  void RunAtStartup() override;
  void Wallpaper(const std::string& text) override;
  void ChangeModeAndMinutes(ChangeMode mode, const std::string& minutes) override;
  void NotepadHotKey(const std::string& text) override;
  void KeepDrawing(bool on) override;
  void PicturePosition(const std::string& text) override;
  void NextWallpaperHotKey(const std::string& text) override;
  void DrawingOrigin(int left, int top) override;
  void MonitorLayout(const std::string& text) override;
  void FolderShuffle(const std::string& text) override;

  TForm1& toolbar_;
  int keptLeft_ = 0;  // the drawing's origin as the settings keep it
  int keptTop_ = 0;
  bool otherMonitors_ = false;
};

// The settings as the windows hold them now.
Settings CollectSettings(const TForm1& toolbar);

}  // namespace velmora
