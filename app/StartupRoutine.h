#pragma once
// The start-up routine's order and decisions, independent of the windows that
// carry them out: the toolbar window implements StartupHost with its controls
// and the other windows; tests implement it with a log.
#include <string>
#include <vector>

#include "program/Settings.h"

namespace velmora {

class StartupHost {
 public:
  virtual ~StartupHost() = default;

  virtual void DisableStartupTimer() = 0;
  virtual void HideToolbar() = 0;
  // Work directory lookup.
  virtual std::string CurrentDirectory() = 0;
  virtual bool ProgramInCurrentDirectory() = 0;
  virtual std::string UserRunValue() = 0;
  virtual std::string MachineRunValue() = 0;
  virtual void MakeCurrentDirectory(const std::string& directory) = 0;  // a failure is ignored

  virtual void SetAboutVersion(const std::string& label) = 0;
  virtual void ShowVersionOnSwitch() = 0;
  virtual void AppendToToolbarCaption(const std::string& text) = 0;
  virtual void SetWallpaperList(const std::vector<std::string>& paths) = 0;
  // The files of a folder entry of the list, full paths.
  virtual std::vector<std::string> FolderFiles(const std::string& /*folder*/) { return {}; }

  // The settings file's values, applied to the windows in line order.
  virtual SettingsTarget& Settings() = 0;
  virtual void ShowWelcome() = 0;
  virtual std::string DesktopWallpaper() = 0;
  virtual void SetCurrentWallpaper(const std::string& path) = 0;  // the options window's `ecw`
  virtual std::string CurrentWallpaper() = 0;
  virtual void SetMinutes(const std::string& minutes) = 0;
  virtual void SelectChangeMode(ChangeMode mode) = 0;  // runs the button's handler

  virtual void EndStartupFlag() = 0;
  virtual void SeedRandom() = 0;
  virtual void GiveFaces() = 0;
  // Picture layers and work files from the start-up wallpaper; may replace the
  // current wallpaper (a bitmap wallpaper becomes "1.jpg").
  virtual void PrepareLayers(const std::string& wallpaper, bool firstStart) = 0;
  // After PrepareLayers: whether the wallpaper was composed for monitors other
  // than today's, so it must be composed again.
  virtual bool ComposedForOtherMonitors() { return false; }
  virtual void ChangeWallpaper(const std::string& path) = 0;
  virtual void SaveSettings() = 0;
};

// Runs the start-up steps in order. An error ends the routine at its step and
// propagates to the caller (the error box); later steps do not run.
// Returns the work directory.
std::string RunStartup(StartupHost& host);

}  // namespace velmora
