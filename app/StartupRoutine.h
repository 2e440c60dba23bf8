#pragma once
// The start-up routine's order and decisions, independent of the windows that
// carry them out: the toolbar window implements StartupHost with its controls
// and the other windows; tests implement it with a log.
#include <exception>
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
  virtual std::string ProgramPath() = 0;  // the running program's file
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
  // The error box of a step that failed; start-up goes on.
  virtual void ReportError(std::exception_ptr error) = 0;
  // The settings file is there but could not be read: this run must not write
  // it, or the defaults would take the place of what it holds.
  virtual void KeepSettingsFile() = 0;
};

// Runs the start-up steps in order. An error of the wallpaper list or the
// settings file does not stop it: start-up goes on with what was read (a
// missing list is an empty one, without a box), the layers are prepared from
// the work files, then the error's box shows, and the settings are not
// rewritten at the end. An error of the layers' preparation or of the
// wallpaper change ends the routine there and propagates to the caller (the
// error box), except that the rotation at start-up still changes to its next
// picture when the current one failed to read. That next picture becomes
// the current wallpaper only once the change to it succeeded. Returns the
// work directory.
std::string RunStartup(StartupHost& host);

}  // namespace velmora
