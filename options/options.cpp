#include "options/options.h"

#include <cstdint>
#include <cstdlib>
#include <functional>

#include "options/Preview.h"
#include "options/WallpaperChange.h"
#include "options/WallpaperList.h"
#include "ui/PictureGdi.h"
#include "program/Program.h"
#include "shellutil/ShellUtil.h"
#include "base/CodePage.h"
#include "winbase/ErrorBox.h"
#include "ui/Gdi.h"
#include "ui/HoverScheme.h"

namespace velmora {
namespace {

constexpr int kGlyphSize = 16;
constexpr std::uint32_t kSeeThrough = 0x00FF00FF;  // the glyph's bottom-left pixel colour
constexpr std::uint32_t kOutline = 0x00000000;
constexpr std::uint32_t kFolder = 0x00FFD800;
constexpr std::uint32_t kAddGreen = 0x00008000;
constexpr std::uint32_t kRemoveRed = 0x00C00000;

// A 16 × 16 glyph from a pixel rule (pixels 0x00RRGGBB); the bottom-left
// pixel must stay see-through.
UniqueBitmap Glyph(const std::function<std::uint32_t(int x, int y)>& pixelAt) {
  std::uint32_t pixels[kGlyphSize * kGlyphSize];
  for (int y = 0; y < kGlyphSize; ++y)
    for (int x = 0; x < kGlyphSize; ++x) pixels[y * kGlyphSize + x] = pixelAt(x, y);
  return BitmapFromPixels(kGlyphSize, kGlyphSize, pixels);
}

// "Browse": a closed folder with its tab.
std::uint32_t FolderPixel(int x, int y) {
  const bool tab = y >= 2 && y <= 3 && x >= 2 && x <= 7;
  const bool body = y >= 4 && y <= 13 && x >= 1 && x <= 14;
  if (!tab && !body) return kSeeThrough;
  const bool edge = y == 2 || y == 4 || y == 13 || x == 1 || x == 14 || (tab && (x == 2 || x == 7));
  return edge ? kOutline : kFolder;
}

// "Add": a plus.
std::uint32_t PlusPixel(int x, int y) {
  const bool bar =
      (std::abs(2 * x - 15) <= 3 && y >= 3 && y <= 12) || (std::abs(2 * y - 15) <= 3 && x >= 3 && x <= 12);
  return bar ? kAddGreen : kSeeThrough;
}

// "Remove": a cross.
std::uint32_t CrossPixel(int x, int y) {
  const bool inside = x >= 3 && x <= 12 && y >= 3 && y <= 12;
  const bool diagonal = std::abs(x - y) <= 1 || std::abs(x + y - 15) <= 1;
  return inside && diagonal ? kRemoveRed : kSeeThrough;
}

// A picture refused (unreadable, too large) leaves the current wallpaper as it
// was, and so the settings' line that names it.
void MakeCurrentWallpaper(TForm7& options, const std::string& picture) {
  ChangeWallpaper(picture);
  options.ecw.SetText(picture);
}

}  // namespace

TForm7::TForm7()
    : Form({.className = "TForm7",
            .caption = "Options",
            .border = BorderStyle::kSingle,
            .position = FormPosition::kScreenCenter,
            .clientSize = {289, 643}}) {
  cpp.OnChange([this] { cppChange(); });
  cba.OnClick([this] { cbaClick(); });
  em.OnChange([this] { emChange(); });
  rb2.OnClick([this] { rb2Click(); });
  cw.OnTimer([this] { cwTimer(); });
  SpeedButton1.OnClick([this] { SpeedButton1Click(); });
  SpeedButton2.OnClick([this] { SpeedButton2Click(); });
  SpeedButton3.OnClick([this] { SpeedButton3Click(); });
  SpeedButton5.OnClick([this] { SpeedButton5Click(); });
  lb.OnClick([this] { lbClick(); });
  Image5.OnClick([this] { SpeedButton4Click(); });
  Image4.OnClick([this] { Label6Clck(); });
  Image3.OnClick([this] { Label5Click(); });
  // What users expect of a list: Delete removes, a double click takes the entry.
  lb.OnKeyDown([this](WORD key) {
    if (key != VK_DELETE) return false;
    SpeedButton3Click();
    return true;
  });
  lb.OnDblClick([this] { SpeedButton4Click(); });
  drop_.Register(lb.Hwnd(), [this](const std::vector<std::wstring>& files) { AddWallpapers(files, true); });
  // A label on a hover button acts as the button.
  Label7.ForwardMouseTo(&Image5);
  Label6.ForwardMouseTo(&Image4);
  Label5.ForwardMouseTo(&Image3);
  WireFramedFaces(*this, tact, nullptr, {{&Image5}, {&Image4}, {&Image3}});
  SpeedButton1.SetGlyph(Glyph(FolderPixel));
  SpeedButton2.SetGlyph(Glyph(PlusPixel));
  SpeedButton3.SetGlyph(Glyph(CrossPixel));
  SpeedButton5.SetGlyph(Glyph(FolderPixel));
}

ImageProps TForm7::Face(Point at) {
  return {.bounds = {at.x, at.y, 85, 30}, .stretch = true};
}

LabelProps TForm7::FaceLabel(const Image& face, const char* caption) {
  // Centred on the face, at the height the toolbar's face labels have.
  const Rect& at = face.LayoutBounds();
  return {.bounds = {at.left, at.top + 7, at.width, 0},
          .caption = caption,
          .font = options_fonts::kFace,
          .transparent = true,
          .alignment = TextAlign::kCenter};
}

void TForm7::SetWallpaperList(const std::vector<std::string>& paths) {
  lbfn.SetItems(paths);
  lb.SetItems(DisplayNames(paths, FolderFiles));
}

std::vector<std::string> TForm7::RotationList() const {
  return ExpandWallpaperList(WallpaperList(), FolderFiles, folderShuffle_);
}

ChangeMode TForm7::SelectedChangeMode() const {
  if (rb1.Checked()) return ChangeMode::kAtStartup;
  if (rb2.Checked()) return ChangeMode::kEvery;
  if (rb3.Checked()) return ChangeMode::kNever;
  return ChangeMode::kNone;
}

void TForm7::SelectChangeMode(ChangeMode mode) {
  switch (mode) {
    case ChangeMode::kAtStartup:
      rb1.SetChecked(true);
      break;
    case ChangeMode::kEvery:
      rb2.SetChecked(true);
      break;
    case ChangeMode::kNever:
      rb3.SetChecked(true);
      break;
    case ChangeMode::kNone:
      break;
  }
}

void TForm7::StoreSettings(Settings& settings) const {
  settings.runAtStartup = cba.Checked();
  settings.wallpaper = ecw.Text();
  settings.changeMode = SelectedChangeMode();
  settings.minutes = em.Text();
  settings.hotKey = HotKeyText(HotKeyOf(hk.Value()));
  settings.keepDrawing = cbk.Checked();
  settings.picturePosition = PicturePositionText(Position());
  settings.nextHotKey = HotKeyText(HotKeyOf(hkn.Value()));
  settings.folderShuffle = FolderShuffleText(folderShuffle_);
}

void TForm7::ApplySettings(const Settings& settings) {
  if (settings.runAtStartup) cba.SetChecked(true);
  ecw.SetText(settings.wallpaper);
  em.SetText(settings.minutes);
  SelectChangeMode(settings.changeMode);
  if (const auto hotKey = ParseHotKey(settings.hotKey)) hk.SetValue(HotKeyKeys(*hotKey));
  cbk.SetChecked(settings.keepDrawing);
  SetPosition(PicturePositionFromText(settings.picturePosition));
  hkn.SetValue(HotKeyKeys(ParseHotKey(settings.nextHotKey).value_or(HotKey{})));
  folderShuffle_ = FolderShuffleFromText(settings.folderShuffle);
}

PicturePosition TForm7::Position() const {
  const int index = cpp.ItemIndex();
  return index >= 0 ? static_cast<PicturePosition>(index) : PicturePosition::kTile;
}

void TForm7::cppChange() {
  if (WorkDirectory().empty() || ecw.Text().empty()) return;
  ChangeWallpaper(ecw.Text());
}

// Runs also when the program sets the box, so each start with the option on
// writes the value anew with the current work directory. The value lives
// under the current user, which a standard account may write, and names the
// program quoted, so a blank in the path cannot start another program.
void TForm7::cbaClick() {
  if (cba.Checked())
    RegWriteString(HKEY_CURRENT_USER, kRunKey, kRunValueName, RunValueFor(WorkDirectory()));
  else
    RegDeleteStringValue(HKEY_CURRENT_USER, kRunKey, kRunValueName);
}

// An equal text raises no change, so the filtered text ends the round.
void TForm7::emChange() {
  em.SetText(DigitsOnly(em.Text()));
}

// Runs only when "every" becomes selected, so minutes typed while it stays
// selected take effect at its next selection.
void TForm7::rb2Click() {
  const EveryPeriod period = EveryPeriodFor(em.Text());
  em.SetText(period.minutes);
  cw.SetInterval(period.intervalMs);
  cw.SetEnabled(true);
}

int TForm7::SingleSelection() const {
  if (lb.SelCount() != 1) return -1;
  for (int i = 0, n = lb.Count(); i < n; ++i)
    if (lb.Selected(i)) return i;
  return -1;
}

void TForm7::SpeedButton1Click() {
  if (!od.Execute(Handle())) return;
  MakeCurrentWallpaper(*this, WideToUtf8(od.Files().front()));
}

void TForm7::SpeedButton2Click() {
  if (aod.Execute(Handle())) AddWallpapers(aod.Files(), false);
}

void TForm7::AddWallpapers(const std::vector<std::wstring>& files, bool picturesOnly) {
  std::vector<std::string> paths = WallpaperList();
  bool added = false;
  for (const std::wstring& file : files) {
    std::string path = WideToUtf8(file);
    // A folder is one entry, its pictures taken anew at each change.
    if (IsExistingFolder(path)) {
      if (!IsFolderEntry(path)) path += '\\';
    } else if (picturesOnly && !IsPictureFileName(path)) {
      continue;
    }
    paths.push_back(path);
    added = true;
  }
  if (added) {
    SetWallpaperList(paths);
    lbClick();
  }
}

void TForm7::SpeedButton5Click() {
  const std::wstring folder = PickFolder(Handle(), L"Add folder");
  if (!folder.empty()) AddWallpapers({folder}, false);
}

void TForm7::SpeedButton3Click() {
  if (lb.SelCount() == 0) {
    ShowMessage(kSelectWallpapersFirst);
    return;
  }
  std::vector<std::string> names = lb.Items(), paths = lbfn.Items();
  std::vector<bool> selected(names.size());
  for (size_t i = 0; i < selected.size(); ++i) selected[i] = lb.Selected(static_cast<int>(i));
  RemoveSelected(names, paths, selected);
  lbfn.SetItems(paths);
  lb.SetItems(names);
  lbClick();
}

void TForm7::lbClick() {
  const int index = SingleSelection();
  if (index < 0) {
    Image1.AssignPicture(Image2);
    return;
  }
  // A folder shows its first picture, and nothing while it holds none.
  const std::string picture = FirstPicture(lbfn.Item(index));
  if (picture.empty()) {
    Image1.AssignPicture(Image2);
    return;
  }
  // Read whole before the preview changes, so a bad file keeps the previous one.
  const Bitmap preview =
      LoadPreview(picture, Image1.Width(), Image1.Height(), PixelOf(GetSysColor(COLOR_DESKTOP)));
  Image1.SetPicture(DibOf(preview));
}

void TForm7::SpeedButton4Click() {
  const int index = SingleSelection();
  if (index < 0) return;
  const std::string picture = FirstPicture(lbfn.Item(index));
  if (picture.empty()) return;
  MakeCurrentWallpaper(*this, picture);
  // The rotation goes on after this entry, not after an equal one above it.
  const std::vector<std::string> entries = WallpaperList();
  rotationPlace_ = ExpandWallpaperList({entries.begin(), entries.begin() + index}, FolderFiles, folderShuffle_).size();
  rotationFailed_.clear();
}

std::string TForm7::FirstPicture(const std::string& entry) const {
  if (!IsFolderEntry(entry)) return entry;
  const std::vector<std::string> pictures = ExpandWallpaperList({entry}, FolderFiles, folderShuffle_);
  return pictures.empty() ? std::string() : pictures.front();
}

// The folders' pictures are shuffled too: they get a new order of their own,
// which the rotation keeps at every reading of the folders.
void TForm7::Label6Clck() {
  if (lbfn.Count() == 0) return;
  const RandomDraw draw = randomDraw_ ? randomDraw_ : ClockSeededDraw();
  MoveShuffle(static_cast<size_t>(lbfn.Count()), draw,
              [this](size_t from, size_t to) {
                lb.MoveItem(static_cast<int>(from), static_cast<int>(to));
                lbfn.MoveItem(static_cast<int>(from), static_cast<int>(to));
              });
  folderShuffle_ = NewFolderShuffle(draw);
}

// A failed write of the list leaves the window open and the settings unwritten.
void TForm7::Label5Click() {
  SaveWallpaperList(WorkFile(kWallpaperListFileName), WallpaperList());
  if (onSaveSettings_) onSaveSettings_();
  Close();
}

TForm7& Form7() {
  static TForm7 form;
  return form;
}

}  // namespace velmora
