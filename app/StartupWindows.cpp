#include "app/StartupWindows.h"

#include <windows.h>

#include <cstdlib>
#include <ctime>

#include "about/about.h"
#include "app/Unit1.h"
#include "base/Product.h"
#include "copywindow/copywindow.h"
#include "note/note.h"
#include "options/WallpaperChange.h"
#include "options/options.h"
#include "picture/Unit2.h"
#include "imaging/BmpFile.h"
#include "imaging/WallpaperCompose.h"
#include "ui/Monitors.h"
#include "program/Program.h"
#include "shellutil/ShellUtil.h"
#include "winbase/ErrorBox.h"

namespace velmora {

void StartupWindows::DisableStartupTimer() { toolbar_.Timer1.SetEnabled(false); }
void StartupWindows::HideToolbar() { toolbar_.Hide(); }

std::string StartupWindows::CurrentDirectory() { return CurrentDirectoryPath(); }

bool StartupWindows::ProgramInCurrentDirectory() { return IsExistingFile(kProgramFileName); }
std::string StartupWindows::ProgramPath() { return ProgramFilePath(); }

std::string StartupWindows::UserRunValue() { return RegReadString(HKEY_CURRENT_USER, kRunKey, kRunValueName); }
std::string StartupWindows::MachineRunValue() { return RegReadMachineString(kRunKey, kRunValueName); }

void StartupWindows::MakeCurrentDirectory(const std::string& directory) {
  WorkDirectory() = directory;
  SetCurrentDirectoryPath(directory);  // a failure leaves the current directory as it is
}

void StartupWindows::SetAboutVersion(const std::string& label) { Form10().Label3.SetCaption(label); }
void StartupWindows::ShowVersionOnSwitch() { velmora::ShowVersionOnSwitch(kBuildTag); }
void StartupWindows::AppendToToolbarCaption(const std::string& text) {
  toolbar_.SetCaption(toolbar_.Caption() + text);
}
void StartupWindows::SetWallpaperList(const std::vector<std::string>& paths) { Form7().SetWallpaperList(paths); }
std::vector<std::string> StartupWindows::FolderFiles(const std::string& folder) { return velmora::FolderFiles(folder); }

void StartupWindows::ShowWelcome() { ShowMessage("Welcome to Velmora!"); }
std::string StartupWindows::DesktopWallpaper() {
  return RegReadString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper");
}
void StartupWindows::SetCurrentWallpaper(const std::string& path) { Form7().ecw.SetText(path); }
std::string StartupWindows::CurrentWallpaper() { return Form7().ecw.Text(); }
void StartupWindows::SetMinutes(const std::string& minutes) { Form7().em.SetText(minutes); }
void StartupWindows::SelectChangeMode(ChangeMode mode) { Form7().SelectChangeMode(mode); }

void StartupWindows::EndStartupFlag() { toolbar_.Timer1.SetTag(0); }
void StartupWindows::SeedRandom() { std::srand(static_cast<unsigned>(std::time(nullptr))); }
void StartupWindows::GiveFaces() { toolbar_.GiveFaces(); }

void StartupWindows::PrepareLayers(const std::string& wallpaper, bool firstStart) {
  TForm2& surface = Form2();
  const std::vector<Monitor> monitors = ScreenMonitors();
  const DesktopFrame frame = FrameFor(monitors, keptLeft_, keptTop_);
  const bool placed = frame.Placed();
  const ScreenFacts screen{.width = placed ? frame.CanvasWidth() : GetSystemMetrics(SM_CXSCREEN),
                           .height = placed ? frame.CanvasHeight() : GetSystemMetrics(SM_CYSCREEN),
                           .desktopColor = GetSysColor(COLOR_DESKTOP)};
  const FirstStartCalls calls{
      .setCurrentWallpaper = [](const std::string& path) { Form7().ecw.SetText(path); },
      .reportError = [](const Error& error) { ReportException(error); }};
  Layers& layers = surface.LayerImages();
  // The work files are read as they were written: for the layout and origin
  // the settings keep, the picture placed as the change placed it.
  const WrittenFor written{.frame = WrittenFrame(surface.ComposedFor(), keptLeft_, keptTop_, monitors),
                           .position = Form7().Position()};
  const bool rebuilt =
      velmora::PrepareLayers(layers, wallpaper, firstStart, WorkDirectory(), screen, calls, written);
  surface.SetFrame(frame);
  // A monitor now left of or above the drawing: the drawing moves with the
  // layers' origin, and "2.bmp" with it, so the file and the settings agree.
  if (!firstStart && (frame.originX != keptLeft_ || frame.originY != keptTop_)) {
    MoveLayerOrigin(layers, keptLeft_, keptTop_, frame.originX, frame.originY);
    WriteDrawingFile(layers.i5, WorkFile("2.bmp"));
  }
  // A rebuilt "1.bmp" is applied anew by the same change as other monitors.
  otherMonitors_ = rebuilt || (!firstStart && (LayoutText(frame) != surface.ComposedFor() ||
                                               frame.originX != keptLeft_ || frame.originY != keptTop_));
}

void StartupWindows::NextWallpaperHotKey(const std::string& text) {
  if (const auto hotKey = ParseHotKey(text)) Form7().hkn.SetValue(HotKeyKeys(*hotKey));
}

void StartupWindows::PicturePosition(const std::string& text) {
  Form7().SetPosition(PicturePositionFromText(text));
}

void StartupWindows::DrawingOrigin(int left, int top) {
  keptLeft_ = left;
  keptTop_ = top;
}
void StartupWindows::MonitorLayout(const std::string& text) { Form2().SetComposedFor(text); }
void StartupWindows::FolderShuffle(const std::string& text) {
  Form7().SetFolderShuffle(FolderShuffleFromText(text));
}
bool StartupWindows::ComposedForOtherMonitors() { return otherMonitors_; }

void StartupWindows::ChangeWallpaper(const std::string& path) { velmora::ChangeWallpaper(path); }

void StartupWindows::SaveSettings() { toolbar_.SaveSettings(); }
void StartupWindows::KeepSettingsFile() { toolbar_.KeepSettingsFile(); }

void StartupWindows::ReportError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (...) {
    ReportCurrentException();
  }
}

void StartupWindows::BrushSize(int size) { toolbar_.siz.SetPosition(size); }

void StartupWindows::BrushColor(int index) {
  toolbar_.col.SetItemIndex(index);
  toolbar_.colChange();
}

void StartupWindows::ShowWindows(bool on) { toolbar_.sw.SetChecked(on); }
void StartupWindows::ToolbarLeft(int left) { toolbar_.SetLeft(left); }
void StartupWindows::ToolbarTop(int top) { toolbar_.SetTop(top); }
void StartupWindows::TextLeft(int left) { Form3().SetLeft(left); }
void StartupWindows::TextTop(int top) { Form3().SetTop(top); }
// The saved sizes are in 96-DPI pixels, so a window keeps its size on the
// screen when the display's scale changes between runs.
void StartupWindows::TextWidth(int width) { Form3().SetWidth(Form3().Scaled(width)); }
void StartupWindows::TextHeight(int height) { Form3().SetHeight(Form3().Scaled(height)); }

void StartupWindows::NoteColor(int index) {
  Form3().cbn.SetItemIndex(index);
  Form3().cbnChange();
}

void StartupWindows::CopyLeft(int left) { Form4().SetLeft(left); }
void StartupWindows::CopyTop(int top) { Form4().SetTop(top); }
void StartupWindows::CopyWidth(int width) { Form4().SetWidth(Form4().Scaled(width)); }
void StartupWindows::CopyHeight(int height) { Form4().SetHeight(Form4().Scaled(height)); }
void StartupWindows::RunAtStartup() { Form7().cba.SetChecked(true); }

void StartupWindows::Wallpaper(const std::string&) {}
void StartupWindows::ChangeModeAndMinutes(ChangeMode, const std::string&) {}

// A hotkey line not understood leaves the default in place, without a word.
void StartupWindows::NotepadHotKey(const std::string& text) {
  if (const auto hotKey = ParseHotKey(text)) Form7().hk.SetValue(HotKeyKeys(*hotKey));
}
void StartupWindows::KeepDrawing(bool on) { Form7().cbk.SetChecked(on); }

Settings CollectSettings(const TForm1& toolbar) {
  Settings s;
  s.brushSize = toolbar.siz.Position();
  s.brushColor = toolbar.col.ItemIndex();
  s.showWindows = toolbar.sw.Checked();
  s.toolbarLeft = toolbar.Left();
  s.toolbarTop = toolbar.Top();
  const TForm3& text = Form3();
  s.textLeft = text.Left();
  s.textTop = text.Top();
  s.textWidth = text.Unscaled(text.Width());
  s.textHeight = text.Unscaled(text.Height());
  s.noteColor = text.cbn.ItemIndex();
  const TForm4& copy = Form4();
  s.copyLeft = copy.Left();
  s.copyTop = copy.Top();
  s.copyWidth = copy.Unscaled(copy.Width());
  s.copyHeight = copy.Unscaled(copy.Height());
  const TForm2& surface = Form2();
  s.drawingLeft = surface.Frame().originX;
  s.drawingTop = surface.Frame().originY;
  s.monitors = surface.ComposedFor();
  Form7().StoreSettings(s);
  return s;
}

}  // namespace velmora
