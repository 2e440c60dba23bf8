#pragma once
// The options window (TForm7): run at logon, the current wallpaper, the
// wallpaper list and when the wallpaper changes by itself.
#include <optional>
#include <string>
#include <vector>

#include "options/ChangeTimer.h"
#include "options/WallpaperList.h"
#include "program/HotKey.h"
#include "program/Settings.h"
#include "ui/FileDrop.h"
#include "imaging/DesktopFrame.h"
#include "ui/Form.h"
#include "ui/GraphicControls.h"
#include "ui/HotKeyBox.h"
#include "ui/OpenDialog.h"
#include "ui/Panels.h"
#include "ui/SystemControls.h"
#include "ui/Timer.h"

namespace velmora {

// The hotkey box holds the key combination the settings' hotkey names.
inline KeyCombination HotKeyKeys(const HotKey& hotKey) { return {hotKey.modifiers, hotKey.key}; }
inline HotKey HotKeyOf(const KeyCombination& keys) { return {keys.modifiers, keys.key}; }

namespace options_fonts {
inline const FontInfo kHeading{.bold = true};
// The labels over the hover buttons.
inline const FontInfo kFace{.name = "Arial", .height = 13, .bold = true, .color = colors::kWhite};
}  // namespace options_fonts

class TForm7 : public Form {
 public:
  TForm7();

  CheckBox cba{*this, {.bounds = {8, 16, 145, 17}, .caption = "Run on system startup"}};
  Label Label2{
      *this, {.bounds = {8, 48}, .caption = "Wallpaper", .font = options_fonts::kHeading, .enabled = false}};
  Bevel Bevel1{*this, {.bounds = {72, 48, 209, 2}, .shape = BevelShape::kTopLine}};
  Label Label1{*this, {.bounds = {8, 72}, .caption = "Current wallpaper:"}};
  Edit ecw{*this, {.bounds = {8, 88, 249, 21}, .readOnly = true}};
  GlyphButton SpeedButton1{*this, {.bounds = {256, 88, 23, 22}, .hint = "Browse"}};
  Label Label3{*this, {.bounds = {8, 120}, .caption = "Wallpapers list: "}};
  ListBox lb{*this, {.bounds = {8, 136, 137, 323}, .multiSelect = true}};
  ListBox lbfn{*this, {.bounds = {8, 136, 137, 323}, .visible = false}};
  GlyphButton SpeedButton5{*this, {.bounds = {8, 462, 137, 22}, .caption = "Add folder", .hint = "Browse"}};
  Label Label4{*this, {.bounds = {152, 136}, .caption = "Preview:"}};
  Panel Panel1{*this, {.bounds = {152, 152, 129, 97}}};
  Image Image1{Panel1, {.bounds = {2, 2, 125, 93}, .stretch = true}};
  Image Image2{*this, {.bounds = {152, 152, 125, 93}, .visible = false}};  // the empty preview
  GroupBox GroupBox1{*this, {.bounds = {152, 256, 129, 113}, .caption = "Change wallpaper "}};
  RadioButton rb1{GroupBox1, {.bounds = {8, 24, 113, 17}, .caption = "at startup"}};
  RadioButton rb2{GroupBox1, {.bounds = {8, 56, 53, 17}, .caption = "every"}};
  Edit em{GroupBox1, {.bounds = {64, 51, 33, 21}, .text = "1", .maxLength = 3}};
  Label la{GroupBox1, {.bounds = {105, 57}, .caption = "min."}};
  RadioButton rb3{GroupBox1, {.bounds = {8, 88, 113, 17}, .caption = "Never"}};
  Image Image5{*this, Face({156, 381})};
  Label Label7{*this, FaceLabel(Image5, "Set selected")};
  Image Image4{*this, Face({156, 421})};
  Label Label6{*this, FaceLabel(Image4, "Randomize")};
  GlyphButton SpeedButton2{*this, {.bounds = {8, 488, 57, 22}, .caption = "Add", .hint = "Browse"}};
  GlyphButton SpeedButton3{*this, {.bounds = {72, 488, 73, 22}, .caption = "Remove", .hint = "Browse"}};
  Image Image3{*this, Face({198, 480})};
  Label Label5{*this, FaceLabel(Image3, "Done")};
  CheckBox cbk{*this,
               {.bounds = {8, 522, 273, 17}, .caption = "Keep the drawing over a wallpaper set elsewhere",
                .checked = true}};
  Label Label8{*this, {.bounds = {8, 551}, .caption = "Notepad hotkey:"}};
  HotKeyBox hk{*this, {.bounds = {96, 547, 129, 21}, .value = HotKeyKeys(kDefaultHotKey)}};
  Label Label10{*this, {.bounds = {8, 618}, .caption = "Next wallpaper hotkey:"}};
  HotKeyBox hkn{*this, {.bounds = {128, 614, 129, 21}}};  // none until the user sets one
  Label Label9{*this, {.bounds = {8, 584}, .caption = "Picture position:"}};
  // In the order of the positions' numbers in the settings.
  ComboBox cpp{*this,
               {.bounds = {96, 580, 185, 21},
                .items = {"Tile (unscaled, top-left)", "Fill", "Fit", "Stretch", "Center"},
                .itemIndex = 0}};
  Timer cw{*this, {.interval = kMillisecondsPerMinute, .enabled = false}};
  Timer tact{*this, {.interval = 50, .enabled = false}};
  OpenDialog od{{.filter = kPictureFilter}};
  OpenDialog aod{{.filter = kPictureFilter, .multiSelect = true, .hideReadOnly = true, .resizable = true}};

  // The wallpaper list: `lbfn` takes the full paths and `lb` is rebuilt from
  // them, which clears its selection.
  void SetWallpaperList(const std::vector<std::string>& paths);
  std::vector<std::string> WallpaperList() const { return lbfn.Items(); }
  // The pictures the rotation steps through: each folder entry's pictures in
  // its place, read now.
  std::vector<std::string> RotationList() const;

  // What "Done" runs after writing the wallpaper list: the settings file of
  // the whole program, which the toolbar gathers.
  void OnSaveSettings(Handler handler) { onSaveSettings_ = std::move(handler); }
  // The random source of "Randomize"; by default a generator seeded from the
  // clock at each click.
  void SetRandomDraw(RandomDraw draw) { randomDraw_ = std::move(draw); }
  // The order the folders' pictures take in the rotation (0: by name).
  std::uint32_t FolderShuffle() const { return folderShuffle_; }
  void SetFolderShuffle(std::uint32_t shuffle) { folderShuffle_ = shuffle; }

  ChangeMode SelectedChangeMode() const;
  // Selects the mode's button, running its click handler as a user's choice
  // would; kNone leaves the buttons as they are.
  void SelectChangeMode(ChangeMode mode);

  // This window's part of the settings file: `cba`, `ecw`, the change mode,
  // `em`, the hotkeys `hk` and `hkn`, `cbk` and the picture position `cpp`.
  void StoreSettings(Settings& settings) const;
  // Applies them as start-up does: a set flag checks `cba` (an unset one
  // changes nothing), the minutes go in before the change mode.
  void ApplySettings(const Settings& settings);

  // How the wallpaper's picture is put on each monitor.
  PicturePosition Position() const;
  void SetPosition(PicturePosition position) { cpp.SetItemIndex(static_cast<int>(position)); }
  // A new position places the current wallpaper anew at once.
  void cppChange();

  void cbaClick();
  void emChange();
  void rb2Click();
  // The change timer's tick: the next wallpaper of the list, unless a drawing session is open.
  void cwTimer();
  // "Next wallpaper" (the icon's menu, its hotkey): the timer's step, once.
  // It needs two pictures in the list, and no drawing session open.
  bool CanStepWallpaper() const;
  void NextWallpaper();

  void SpeedButton1Click();  // "Browse": a picture becomes the wallpaper, the list stays
  void SpeedButton2Click();  // "Add"
  void SpeedButton3Click();  // "Remove"
  void SpeedButton5Click();  // "Add folder": a folder picked becomes one entry
  void lbClick();            // the preview of the one selected entry
  void SpeedButton4Click();  // "Set selected"
  void Label6Clck();         // "Randomize"
  void Label5Click();        // "Done"

  // Appends the files to the list as "Add" does. With `picturesOnly` (files
  // dropped on the list) other files are left out without a word; a folder
  // becomes a folder entry. A name the
  // system's code page cannot write is refused with a message naming it.
  void AddWallpapers(const std::vector<std::wstring>& files, bool picturesOnly);

  static constexpr wchar_t kPictureFilter[] =
      L"Pictures (*.jpg;*.jpeg;*.png;*.webp)|*.jpg;*.jpeg;*.png;*.webp|JPEG Image File (*.jpg)|*.jpg|"
      L"JPEG Image File (*.jpeg)|*.jpeg|PNG Image File (*.png)|*.png|WebP Image File (*.webp)|*.webp";

 private:
  static ImageProps Face(Point at);
  static LabelProps FaceLabel(const Image& face, const char* caption);
  // An entry's picture: itself, or a folder's first picture ("" for none).
  std::string FirstPicture(const std::string& entry) const;
  // The entry selected alone, or -1 when none or several are.
  int SingleSelection() const;

  Handler onSaveSettings_;
  RandomDraw randomDraw_;
  std::uint32_t folderShuffle_ = 0;  // the folders' pictures by name
  // Where in the rotation list the last step took the current wallpaper,
  // while it still names that entry (for this run).
  std::optional<size_t> rotationPlace_;
  // The entry the last step failed on, and the current wallpaper it kept.
  std::string rotationFailed_;
  std::string rotationFailedOver_;
  FileDropTarget drop_;
};

// The program's options window, created hidden at the first call.
TForm7& Form7();

}  // namespace velmora
