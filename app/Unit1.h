#pragma once
// The toolbar window (TForm1): the program's main window. It floats over the
// drawing surface during a drawing session, owns the notification-area icon
// with its menu, and runs the start-up routine from its timer.
#include <array>
#include <optional>
#include <span>

#include "components/TrayIcon.h"
#include "imaging/SessionCommands.h"
#include "ui/ColorBox.h"
#include "ui/Form.h"
#include "ui/GraphicControls.h"
#include "ui/SystemControls.h"
#include "ui/Timer.h"

namespace velmora {

namespace toolbar_fonts {
inline const FontInfo kDone{.name = "Arial", .height = 13, .bold = true, .charset = kCyrillicCharset,
                            .color = colors::kWhite};
inline const FontInfo kCommand{.name = "Arial", .height = 13, .charset = kCyrillicCharset, .color = colors::kWhite};
inline const FontInfo kTool{.name = "MS Sans Serif", .height = 11, .bold = true, .color = colors::kWhite};
}  // namespace toolbar_fonts

class TForm1 : public Form {
 public:
  TForm1();
  ~TForm1() override;

  // Back to front, as the window shows them.
  Shape Shape1{*this, {.bounds = {0, 0, 233, 218}, .kind = ShapeKind::kRoundRect, .brush = {colors::kBtnFace}}};
  Image ib3{*this, {.bounds = {16, 8, 100, 23}}};   // tool "Brush"
  Image ib2{*this, {.bounds = {16, 40, 100, 23}}};  // tool "Erase last"
  Image ib1{*this, {.bounds = {16, 72, 100, 23}}};  // tool "Erase all"
  Image Image1{*this, {.bounds = {78, 168, 85, 30}, .stretch = true}};  // "Done"
  Label Label1{*this, CommandLabel({104, 175}, "Done", toolbar_fonts::kDone)};
  Image Image9{*this, {.bounds = {128, 128, 85, 30}}};  // "Cancel all"
  Label Label9{*this, CommandLabel({141, 135}, "Cancel all")};
  Image Image8{*this, {.bounds = {128, 96, 85, 30}}};  // "Cancel last"
  Label Label8{*this, CommandLabel({141, 103}, "Cancel last")};
  Image Image7{*this, {.bounds = {128, 64, 85, 30}}};  // "Text"
  Label Label7{*this, CommandLabel({144, 71}, "Text")};
  Image Image6{*this, {.bounds = {128, 8, 85, 30}}};  // "Copy win"
  Label Label6{*this, CommandLabel({141, 15}, "Copy win")};
  Label Label5{*this,
               {.bounds = {20, 200, 193, 13}, .caption = "Press \"Space\" to show/hide this window", .autoSize = false}};
  Image Image5{*this, {.bounds = {24, 13, 18, 12}}};  // icon of "Brush"
  Image Image2{*this, {.bounds = {24, 45, 18, 12}}};  // icon of "Erase last"
  Image Image3{*this, {.bounds = {24, 77, 18, 12}}};  // icon of "Erase all"
  Label Label2{*this, ToolLabel({51, 13}, "Brush", true)};
  Label Label3{*this, ToolLabel({51, 45}, "Erase last", false)};
  Label Label4{*this, ToolLabel({51, 77}, "Erase all", false)};
  TrackBar siz{*this,
               {.bounds = {16, 102, 100, 25},
                .min = 1,
                .max = 100,
                .position = 1,
                .pageSize = 1,
                .thumbLength = 15,
                .bothSides = true,
                .noTicks = true}};
  ColorBox col{*this, BrushColors()};
  CheckBox sw{*this, {.bounds = {128, 42, 94, 17}, .caption = "Show windows", .checked = true}};
  // The shape tools: small faces in the free corner left of "Done", each with
  // its icon on the face's pad.
  Image ibLine{*this, {.bounds = {17, 156, 18, 18}}};
  Image ibArrow{*this, {.bounds = {37, 156, 18, 18}}};
  Image ibRectangle{*this, {.bounds = {17, 176, 18, 18}}};
  Image ibEllipse{*this, {.bounds = {37, 176, 18, 18}}};
  Image ibNumber{*this, {.bounds = {57, 156, 18, 18}}};
  Image ibHighlighter{*this, {.bounds = {57, 176, 18, 18}}};
  Image ImageLine{*this, {.bounds = {20, 159, 12, 12}}};
  Image ImageArrow{*this, {.bounds = {40, 159, 12, 12}}};
  Image ImageRectangle{*this, {.bounds = {20, 179, 12, 12}}};
  Image ImageEllipse{*this, {.bounds = {40, 179, 12, 12}}};
  Image ImageNumber{*this, {.bounds = {60, 159, 12, 12}}};
  Image ImageHighlighter{*this, {.bounds = {60, 179, 12, 12}}};

  // The face pictures, never shown: the faces take their pictures from these.
  Image ibn{*this, Hidden(85, 30)};   // command face, normal
  Image iba{*this, Hidden(85, 30)};   // command face, hover
  Image ibp{*this, Hidden(85, 30)};   // command face, pressed
  Image ibi{*this, Hidden(85, 30)};   // command face, inactive
  Image ib2n{*this, Hidden(100, 23)};  // tool face, normal
  Image ib2a{*this, Hidden(100, 23)};  // tool face, hover
  Image ib2p{*this, Hidden(100, 23)};  // tool face, pressed and selected
  Image ib3n{*this, Hidden(18, 18)};   // small tool face, normal
  Image ib3a{*this, Hidden(18, 18)};   // small tool face, hover
  Image ib3p{*this, Hidden(18, 18)};   // small tool face, pressed and selected

  Timer Timer1{*this, {.interval = 1, .enabled = true, .tag = 1}};  // start-up; tag 1 until the settings are read
  Timer tact{*this, {.interval = 50, .enabled = false}};
  Timer tact2{*this, {.interval = 50, .enabled = false}};
  Timer sht{*this, {.interval = 100, .enabled = false}};
  Timer tm{*this, {.interval = 1, .enabled = false}};

  std::optional<TTrayIcon> cti;

  // Tool selection: the chosen face gets Tag 1, the pressed picture and a black label.
  void ib3Click();
  void ib2Click();
  void ib1Click();
  // Selects a tool as a click on its face does (the keys B, L, A, R, E, N, H).
  void SelectTool(Tool tool);
  // The drawing tool whose face is selected (its Tag is 1).
  Tool SelectedTool() const;
  // A tool's face, its icon, and its label when it has one.
  struct ToolFace {
    Tool tool;
    Image* face;
    Image* icon;
    Label* label;
  };
  std::span<const ToolFace> ToolFaces() const { return toolFaces_; }
  // Whether the face is one of the small ones, with pictures `ib3n`, `ib3a`, `ib3p`.
  bool SmallToolFace(const Image& face) const;

  void Timer1Timer();
  void sizChange();
  void colChange();
  void swClick();
  // The icon and the notepad hotkey: they open a drawing session, and while
  // one is open they finish it as "Done", whatever hides the toolbar.
  void ctiClick();
  void FinishSession();
  void BitBtn1Click();
  void sb6Click();
  void sb7Click();
  void sb5Click();
  void sb8Click();
  void About1Click();
  void Options1Click();
  void Dsjl1Click();
  // Saves the settings and ends the program, as "Exit" does: the menu item, and
  // a setup's request to end before it replaces the program. A failed write
  // shows its box, and the program ends after it.
  void SaveSettingsAndExit();

  // Hover-end tests of the command faces and the tool faces (app/ToolbarFaces.cpp).
  void tactTimer();
  void tact2Timer();
  // Dragging by the background and the Space key (app/ToolbarMotion.cpp).
  void Shape1MouseDown(const MouseEvent& event);
  void Shape1MouseUp(const MouseEvent& event);
  void tmTimer();
  void shtTimer();

  // Start-up step 14: every picture button gets its resting face.
  void GiveFaces();
  // The settings file from the windows' present state; nothing once start-up
  // found a settings file it could not read.
  void SaveSettings();
  void KeepSettingsFile() { keepSettingsFile_ = true; }

  // Menu item identifiers of PopupMenu1.
  static constexpr UINT kAbout1 = 1;
  static constexpr UINT kOptions1 = 2;
  static constexpr UINT kDsjl1 = 3;
  static constexpr UINT kNextWallpaper1 = 4;
  HMENU PopupMenu1() const { return popupMenu1_.Get(); }

 protected:
  // The end of the Windows session writes the settings (app/SessionEnd.cpp).
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  static LabelProps CommandLabel(Point at, const char* caption, const FontInfo& font = toolbar_fonts::kCommand);
  static LabelProps ToolLabel(Point at, const char* caption, bool selected);
  static ImageProps Hidden(int width, int height);
  static ColorBoxProps BrushColors();

  void MenuCommand(UINT id);

  UniqueMenu popupMenu1_;
  const std::array<ToolFace, 9> toolFaces_;
  Point dragOffset_;  // the pointer within the window when a drag began
  bool keepSettingsFile_ = false;
};

// The program's toolbar window, created hidden at the first call.
TForm1& Form1();

}  // namespace velmora
