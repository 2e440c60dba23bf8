#include "app/Settings.h"

#include <algorithm>

#include "base/FileReplace.h"

namespace velmora {
namespace {

int ColorIndex(int index, int count) { return index >= 0 && index < count ? index : -1; }

}  // namespace

ChangeMode ChangeModeFromText(const std::string& text) {
  if (text.empty()) return ChangeMode::kNone;
  switch (text[0]) {
    case '1': return ChangeMode::kAtStartup;
    case '2': return ChangeMode::kEvery;
    case '3': return ChangeMode::kNever;
    default: return ChangeMode::kNone;
  }
}

std::string ChangeModeText(ChangeMode mode) {
  switch (mode) {
    case ChangeMode::kAtStartup: return "1";
    case ChangeMode::kEvery: return "2";
    case ChangeMode::kNever: return "3";
    case ChangeMode::kNone: break;
  }
  return "";
}

std::string SettingsText(const Settings& s) {
  auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
  return JoinLinesCrLf({
      std::to_string(s.brushSize),
      std::to_string(s.brushColor),
      flag(s.showWindows),
      std::to_string(s.toolbarLeft),
      std::to_string(s.toolbarTop),
      std::to_string(s.textLeft),
      std::to_string(s.textTop),
      std::to_string(s.textWidth),
      std::to_string(s.textHeight),
      std::to_string(s.noteColor),
      std::to_string(s.copyLeft),
      std::to_string(s.copyTop),
      std::to_string(s.copyWidth),
      std::to_string(s.copyHeight),
      flag(s.runAtStartup),
      s.wallpaper,
      ChangeModeText(s.changeMode),
      s.minutes,
  });
}

void SaveSettings(const std::string& path, const Settings& settings) {
  ReplaceFileContents(path, SettingsText(settings));
}

void LoadSettings(const std::string& path, Settings& s) {
  SettingsReader in(path);
  s.brushSize = std::clamp(in.Integer(), 1, 100);
  s.brushColor = ColorIndex(in.Integer(), kBrushColorCount);
  s.showWindows = in.Flag();
  s.toolbarLeft = in.Integer();
  s.toolbarTop = in.Integer();
  s.textLeft = in.Integer();
  s.textTop = in.Integer();
  s.textWidth = in.Integer();
  s.textHeight = in.Integer();
  s.noteColor = ColorIndex(in.Integer(), kNoteColorCount);
  s.copyLeft = in.Integer();
  s.copyTop = in.Integer();
  s.copyWidth = in.Integer();
  s.copyHeight = in.Integer();
  if (in.Flag()) s.runAtStartup = true;  // anything else leaves the choice as it was
  s.wallpaper = in.Text();
  const std::string mode = in.Text();
  s.minutes = in.Text();  // the minutes go in before the mode that may start the timer
  s.changeMode = ChangeModeFromText(mode);
}

}  // namespace velmora
