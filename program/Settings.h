#pragma once
// The settings file "kvx.ini": values identified only by their line. Files of
// older versions end after line 18; the lines after it are read when present
// and always written.
#include <string>

namespace velmora {

inline constexpr char kSettingsFileName[] = "kvx.ini";
// Line 16 before the first run; the first run replaces it by the wallpaper.
inline constexpr char kFirstStartMarker[] = "first start";
inline constexpr int kSettingsLineCount = 25;

inline constexpr int kBrushColorCount = 20;
inline constexpr int kNoteColorCount = 50;
inline constexpr int kNoteColorInfoBk = 38;

enum class ChangeMode { kNone, kAtStartup, kEvery, kNever };

// The values as the windows hold them before the file is read.
struct Settings {
  int brushSize = 1;   // 1 to 100
  int brushColor = 0;  // index in the brush colour list, -1 for none
  bool showWindows = true;
  int toolbarLeft = 192;
  int toolbarTop = 109;
  int textLeft = 197;
  int textTop = 274;
  int textWidth = 205;
  int textHeight = 357;
  int noteColor = kNoteColorInfoBk;  // index in the note colour list, -1 for none
  int copyLeft = 205;
  int copyTop = 375;
  int copyWidth = 289;
  int copyHeight = 305;
  bool runAtStartup = false;
  std::string wallpaper;  // full path, or the first-start marker
  ChangeMode changeMode = ChangeMode::kNone;
  std::string minutes = "1";
  std::string hotKey = "Ctrl+Alt+N";  // line 19: the global hotkey, empty for none
  bool keepDrawing = true;            // line 20: the drawing laid over a wallpaper set elsewhere
  // Lines 21 and 22 belong to the wallpaper's placement on each monitor and
  // the "Next wallpaper" hotkey: "0" (unscaled at the top-left) and none.
  std::string picturePosition = "0";
  std::string nextHotKey;
  // Line 23: the screen point of the drawing's top-left, "x,y", left of or
  // above the primary monitor's top-left when a monitor was there.
  int drawingLeft = 0;
  int drawingTop = 0;
  std::string monitors;  // line 24: the monitor layout the wallpaper was composed for, "" for one
  // Line 25: the order of the listed folders' pictures, "" by name, else the
  // number "Randomize" shuffled them with.
  std::string folderShuffle;

  bool operator==(const Settings&) const = default;
};

// Line 17's change mode from its first character.
ChangeMode ChangeModeFromText(const std::string& text);
std::string ChangeModeText(ChangeMode mode);

// The file's lines, each ended by CR LF.
std::string SettingsText(const Settings& settings);

// Writes the file whole through a temporary file, so a failed write keeps the
// previous one; raises the file error.
void SaveSettings(const std::string& path, const Settings& settings);

// What the settings reader fills, value by value in line order, each value
// applied before the next line is read. A numeric line that is not a number
// does not reach the target, which keeps what it holds. Lines 17 and 18 go
// together: the minutes first, then the change mode that may start the change
// timer with them.
class SettingsTarget {
 public:
  virtual ~SettingsTarget() = default;
  virtual void BrushSize(int size) = 0;
  virtual void BrushColor(int index) = 0;
  virtual void ShowWindows(bool on) = 0;
  virtual void ToolbarLeft(int left) = 0;
  virtual void ToolbarTop(int top) = 0;
  virtual void TextLeft(int left) = 0;
  virtual void TextTop(int top) = 0;
  virtual void TextWidth(int width) = 0;
  virtual void TextHeight(int height) = 0;
  virtual void NoteColor(int index) = 0;
  virtual void CopyLeft(int left) = 0;
  virtual void CopyTop(int top) = 0;
  virtual void CopyWidth(int width) = 0;
  virtual void CopyHeight(int height) = 0;
  // Only a "1" on line 15 reaches the target; anything else changes nothing.
  virtual void RunAtStartup() = 0;
  virtual void Wallpaper(const std::string& text) = 0;
  virtual void ChangeModeAndMinutes(ChangeMode mode, const std::string& minutes) = 0;
  // Lines 19 to 25 reach the target only when the file holds them. A line 23
  // that is not two integers stands for "0,0".
  virtual void NotepadHotKey(const std::string& /*text*/) {}
  virtual void KeepDrawing(bool /*on*/) {}
  virtual void PicturePosition(const std::string& /*text*/) {}
  virtual void NextWallpaperHotKey(const std::string& /*text*/) {}
  virtual void DrawingOrigin(int /*left*/, int /*top*/) {}
  virtual void MonitorLayout(const std::string& /*text*/) {}
  virtual void FolderShuffle(const std::string& /*text*/) {}
};

// Reads the file into the target. A missing file raises "File not found" and
// one that cannot be read its file error, before anything is applied. A
// numeric line that is not a strict decimal integer (an empty one past the end
// of a short file included) is left out, and so is a line whose value the
// target fails to take; the lines after it are still applied, so settings
// written back keep everything the file held. Then the first such line's
// error is raised: "'<text>' is not a valid integer value" or the target's.
void ReadSettings(const std::string& path, SettingsTarget& target);

// ReadSettings into the struct, keeping values within what the windows can
// hold: the brush size within 1 to 100, a colour index outside its list as -1.
void LoadSettings(const std::string& path, Settings& settings);

}  // namespace velmora
