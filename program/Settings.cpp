#include "program/Settings.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "base/CodePage.h"
#include "base/Errors.h"
#include "base/FileReplace.h"
#include "base/TextFile.h"

namespace velmora {
namespace {

int ColorIndex(int index, int count) {
  return index >= 0 && index < count ? index : -1;
}

// The file's lines in order; lines past the end read as empty. A line that
// cannot be applied (a numeric line that is not an integer, or a window that
// fails to take its value) is passed over and the reading goes on, so the
// lines after it still take effect: the first such error is raised once every
// line is read.
class SettingsReader {
 public:
  explicit SettingsReader(const std::string& path) : lines_(DecodeTextFile(ReadFileBytes(path))) {}
  template <typename Apply>
  void Integer(Apply apply) {
    const std::string line = lines_.Next();
    Try([&] { apply(StrToInt(line)); });
  }
  template <typename Apply>
  void Try(Apply apply) {
    try {
      apply();
    } catch (...) {
      if (!firstError_) firstError_ = std::current_exception();
    }
  }
  bool Flag() { return lines_.Next() == "1"; }
  std::string Text() { return lines_.Next(); }
  bool AtEnd() const { return lines_.AtEnd(); }
  void RaiseFirstError() const {
    if (firstError_) std::rethrow_exception(firstError_);
  }

 private:
  LineReader lines_;
  std::exception_ptr firstError_;
};

// "x,y"; anything else is the primary monitor's top-left.
std::pair<int, int> ParsePoint(const std::string& text) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) return {0, 0};
  try {
    return {StrToInt(std::string_view(text).substr(0, comma)), StrToInt(std::string_view(text).substr(comma + 1))};
  } catch (const std::exception&) {
    return {0, 0};
  }
}

}  // namespace

ChangeMode ChangeModeFromText(const std::string& text) {
  if (text.empty()) return ChangeMode::kNone;
  switch (text[0]) {
    case '1':
      return ChangeMode::kAtStartup;
    case '2':
      return ChangeMode::kEvery;
    case '3':
      return ChangeMode::kNever;
    default:
      return ChangeMode::kNone;
  }
}

std::string ChangeModeText(ChangeMode mode) {
  switch (mode) {
    case ChangeMode::kAtStartup:
      return "1";
    case ChangeMode::kEvery:
      return "2";
    case ChangeMode::kNever:
      return "3";
    case ChangeMode::kNone:
      break;
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
      s.hotKey,
      flag(s.keepDrawing),
      s.picturePosition,
      s.nextHotKey,
      std::to_string(s.drawingLeft) + "," + std::to_string(s.drawingTop),
      s.monitors,
      s.folderShuffle,
  });
}

void SaveSettings(const std::string& path, const Settings& settings) {
  ReplaceFileContents(path, EncodeTextFile(SettingsText(settings)));
}

void ReadSettings(const std::string& path, SettingsTarget& target) {
  SettingsReader in(path);
  in.Integer([&](int v) { target.BrushSize(v); });
  in.Integer([&](int v) { target.BrushColor(v); });
  const bool showWindows = in.Flag();
  in.Try([&] { target.ShowWindows(showWindows); });
  in.Integer([&](int v) { target.ToolbarLeft(v); });
  in.Integer([&](int v) { target.ToolbarTop(v); });
  in.Integer([&](int v) { target.TextLeft(v); });
  in.Integer([&](int v) { target.TextTop(v); });
  in.Integer([&](int v) { target.TextWidth(v); });
  in.Integer([&](int v) { target.TextHeight(v); });
  in.Integer([&](int v) { target.NoteColor(v); });
  in.Integer([&](int v) { target.CopyLeft(v); });
  in.Integer([&](int v) { target.CopyTop(v); });
  in.Integer([&](int v) { target.CopyWidth(v); });
  in.Integer([&](int v) { target.CopyHeight(v); });
  if (in.Flag()) in.Try([&] { target.RunAtStartup(); });
  const std::string wallpaper = in.Text();
  in.Try([&] { target.Wallpaper(wallpaper); });
  const std::string mode = in.Text();
  const std::string minutes = in.Text();
  in.Try([&] { target.ChangeModeAndMinutes(ChangeModeFromText(mode), minutes); });
  // The lines of later versions, each only when the file holds it.
  const auto line = [&](auto apply) {
    if (in.AtEnd()) return;
    const std::string text = in.Text();
    in.Try([&] { apply(text); });
  };
  line([&](const std::string& text) { target.NotepadHotKey(text); });
  line([&](const std::string& text) { target.KeepDrawing(text == "1"); });
  line([&](const std::string& text) { target.PicturePosition(text); });
  line([&](const std::string& text) { target.NextWallpaperHotKey(text); });
  line([&](const std::string& text) {
    const auto origin = ParsePoint(text);
    target.DrawingOrigin(origin.first, origin.second);
  });
  line([&](const std::string& text) { target.MonitorLayout(text); });
  line([&](const std::string& text) { target.FolderShuffle(text); });
  in.RaiseFirstError();
}

namespace {

class StructTarget : public SettingsTarget {
 public:
  explicit StructTarget(Settings& s) : s_(s) {}
  void BrushSize(int size) override { s_.brushSize = std::clamp(size, 1, 100); }
  void BrushColor(int index) override { s_.brushColor = ColorIndex(index, kBrushColorCount); }
  void ShowWindows(bool on) override { s_.showWindows = on; }
  void ToolbarLeft(int left) override { s_.toolbarLeft = left; }
  void ToolbarTop(int top) override { s_.toolbarTop = top; }
  void TextLeft(int left) override { s_.textLeft = left; }
  void TextTop(int top) override { s_.textTop = top; }
  void TextWidth(int width) override { s_.textWidth = width; }
  void TextHeight(int height) override { s_.textHeight = height; }
  void NoteColor(int index) override { s_.noteColor = ColorIndex(index, kNoteColorCount); }
  void CopyLeft(int left) override { s_.copyLeft = left; }
  void CopyTop(int top) override { s_.copyTop = top; }
  void CopyWidth(int width) override { s_.copyWidth = width; }
  void CopyHeight(int height) override { s_.copyHeight = height; }
  void RunAtStartup() override { s_.runAtStartup = true; }
  void Wallpaper(const std::string& text) override { s_.wallpaper = text; }
  void ChangeModeAndMinutes(ChangeMode mode, const std::string& minutes) override {
    s_.minutes = minutes;
    s_.changeMode = mode;
  }
  void NotepadHotKey(const std::string& text) override { s_.hotKey = text; }
  void KeepDrawing(bool on) override { s_.keepDrawing = on; }
  void PicturePosition(const std::string& text) override { s_.picturePosition = text; }
  void NextWallpaperHotKey(const std::string& text) override { s_.nextHotKey = text; }
  void DrawingOrigin(int left, int top) override {
    s_.drawingLeft = left;
    s_.drawingTop = top;
  }
  void MonitorLayout(const std::string& text) override { s_.monitors = text; }
  void FolderShuffle(const std::string& text) override { s_.folderShuffle = text; }

 private:
  Settings& s_;
};

}  // namespace

void LoadSettings(const std::string& path, Settings& settings) {
  StructTarget target(settings);
  ReadSettings(path, target);
}

}  // namespace velmora
