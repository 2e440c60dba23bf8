#pragma once
// The copy window (TForm4): a framed window whose main area is see-through,
// so that the user can place it over a piece of the drawing surface, with the
// buttons "Copy", "Paste" and "Close" on the bottom bar. "Copy" lifts the
// piece of the drawing surface seen through it, "Paste" places that piece on
// the layers where the see-through area then lies.
#include <functional>

#include "imaging/Bitmap.h"
#include "imaging/Raster.h"
#include "ui/Form.h"
#include "ui/GraphicControls.h"
#include "ui/Panels.h"
#include "ui/SystemControls.h"
#include "ui/Timer.h"

namespace velmora {

namespace copy_layout {
// Pixels of this colour show what lies beneath the window.
inline constexpr Color kSeeThrough = colors::kSkyBlue;
inline const FontInfo kButtonFont{.name = "Arial", .height = 13, .bold = true, .color = colors::kWhite};
}  // namespace copy_layout

class TForm4 : public Form {
 public:
  TForm4();

  // Docked first, so that the main area fills what is left above it.
  Panel Panel1{*this, {.bounds = {0, 230, 281, 41}, .dock = Dock::kBottom}};
  // The held piece, shown at the top-left of the main area in holding mode.
  Image Image1{*this, {.bounds = {0, 0, 281, 230}, .visible = false, .dock = Dock::kFill}};
  // The see-through area in viewing mode; its sunken border stays visible around it.
  ListBox mv{*this,
             {.bounds = {0, 0, 281, 230},
              .border3D = true,
              .color = copy_layout::kSeeThrough,
              .enabled = false,
              .dock = Dock::kFill}};

  Image Image2{Panel1, Face({8, 6})};
  Label Label1{Panel1, ButtonCaption({33, 13, 32, 16}, "Copy")};
  Image Image3{Panel1, Face({96, 6})};
  Label Label2{Panel1, ButtonCaption({121, 13, 35, 16}, "Paste")};
  Image Image4{Panel1, Face({184, 6})};
  Label Label3{Panel1, ButtonCaption({209, 14, 35, 16}, "Close")};

  Timer tact{*this, {.interval = 50, .enabled = false}};

  // Start-up gives the three faces the toolbar's normal button picture.
  void GiveFaces(const Image& normal);

  // What closing the window does to the toolbar: its Space-key poll runs
  // again, and "Close" shows it.
  struct ToolbarHooks {
    std::function<void(bool)> spacePoll;
    Handler show;
  };
  void SetToolbarHooks(ToolbarHooks hooks) { hooks_ = std::move(hooks); }

  // Before each showing from "Copy win": the colour key is switched off and on
  // again, so the system takes the see-through area anew after a theme or
  // display change.
  void RenewColorKey();

  void bcClick();       // "Copy"
  void bpClick();       // "Paste"
  void BitBtn1Click();  // "Close"
  void FormClose();

  // The held piece: empty until the first "Copy", kept across closing.
  const Bitmap& HeldPiece() const { return piece_; }
  // Holding mode shows the held piece; viewing mode the see-through area.
  bool Holding() const { return Image1.Visible(); }

 private:
  static ImageProps Face(Point at);
  static LabelProps ButtonCaption(const Rect& bounds, const char* text);

  // The piece's rectangle on the layers for the window as it lies now.
  PixelRect PieceOnLayers() const;

  Bitmap piece_;
  ToolbarHooks hooks_;
};

// The program's copy window, created hidden at the first call.
TForm4& Form4();

}  // namespace velmora
