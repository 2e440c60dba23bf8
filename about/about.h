#pragma once
// The about window (TForm10): product, version and contact card on a
// borderless rounded card; everything left in sky blue is see-through.
#include <functional>
#include <string>

#include "about/Contacts.h"
#include "base/Product.h"
#include "ui/Form.h"
#include "ui/GraphicControls.h"

namespace velmora {

namespace about_fonts {
inline const FontInfo kSmall{.name = "Arial", .height = 13};
inline const FontInfo kSmallBold{.name = "Arial", .height = 13, .bold = true};
inline const FontInfo kLarge{.name = "Arial", .height = 27, .bold = true, .color = colors::kWhite};
}  // namespace about_fonts

class TForm10 : public Form {
 public:
  TForm10();

  Shape Shape1{*this, {.bounds = {-5, -5, 505, 354}, .pen = {.clear = true}, .brush = {colors::kSkyBlue}}};
  Shape Shape2{*this, {.bounds = {0, 0, 500, 350}, .kind = ShapeKind::kRoundRect}};
  Shape Shape3{*this, {.bounds = {69, 5, 361, 38}, .kind = ShapeKind::kRoundRect, .brush = {colors::kBlue}}};
  Shape Shape4{*this, {.bounds = {10, 80, 480, 3}, .pen = {.clear = true}, .brush = {colors::kBlue}}};
  Shape Shape5{*this,
               {.bounds = {115, 301, 270, 38},
                .kind = ShapeKind::kRoundRect,
                .brush = {colors::kBtnFace},
                .cursor = Cursor::kHand}};
  Shape Shape6{*this, {.bounds = {10, 180, 480, 3}, .pen = {.clear = true}, .brush = {colors::kBlue}}};

  Label Label1{
      *this,
      {.bounds = {93, 8}, .caption = kApplicationTitle, .font = about_fonts::kLarge, .color = colors::kBlue}};
  Label Label2{*this, Small({256, 45}, "Version: ")};
  Label Label3{*this, Small({307, 45}, "0")};  // the version, set at start-up
  Label Label5{*this, Small({24, 101}, "Program created by ")};
  Label Label6{*this, Bold({179, 101}, contacts::kMakerName, false)};
  Label Label7{*this, Small({24, 125}, "E-mail:")};
  Label Label8{*this, Bold({204, 125}, contacts::kMakerMail, true)};
  Label Label9{*this, Small({24, 149}, "Web site: ")};
  Label Label10{*this, Bold({211, 149}, contacts::kMakerWeb, true)};
  Label Label12{*this, Small({24, 189}, "Program web page:")};
  Label Label13{*this, Bold({197, 189}, contacts::kProgramWeb, true)};
  Label Label14{*this, Small({24, 213}, "Program support e-mail:")};
  Label Label15{*this, Bold({185, 213}, contacts::kSupportMail, true)};
  Label Label16{*this, Small({24, 237}, "On-line support ICQ#")};
  Label Label17{*this, Bold({224, 237}, contacts::kSupportNumber, true)};
  Label Label18{*this,
                {.bounds = {143, 277},
                 .caption = "Thank you for using our software!",
                 .font = FontInfo{.name = "Arial", .height = 13, .bold = true, .italic = true},
                 .color = colors::kWindow}};
  Label Label11{*this,
                {.bounds = {229, 306},
                 .caption = "OK",
                 .font = FontInfo{.name = "Arial", .height = 27, .bold = true, .color = colors::kBlack},
                 .transparent = true,
                 .cursor = Cursor::kHand}};

  void Label11Click() { Close(); }
  void Shape5MouseDown(const MouseEvent&) { Close(); }
  void Label8Click();
  void Label15Click();
  void Label10Click();
  void Label13Click();
  void Label17Click();

  // How addresses are opened; the shell by default. Tests watch it here.
  void SetShellOpener(std::function<void(const std::string&)> opener) { openInShell_ = std::move(opener); }

 private:
  static LabelProps Small(Point at, const char* caption);
  static LabelProps Bold(Point at, const char* caption, bool link);

  std::function<void(const std::string&)> openInShell_;
};

// The program's about window, created hidden at the first call.
TForm10& Form10();

}  // namespace velmora
