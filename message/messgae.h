#pragma once
// The status message window (TForm6): one line of large white text on blue in
// the middle of the screen while the program is busy.
#include <string>

#include "ui/Form.h"
#include "ui/GraphicControls.h"

namespace velmora {

class TForm6 : public Form {
 public:
  TForm6();

  Label Label1{*this,
               {.bounds = {8, 8, 0, 0},
                .caption = "-",
                .font = FontInfo{.name = "Arial",
                                 .height = 32,
                                 .bold = true,
                                 .charset = kCyrillicCharset,
                                 .color = colors::kWhite}}};

  // Shows the text at once, the window as wide as the text plus its margins
  // and centred on the screen; the caller closes the window when done.
  void ShowStatus(const std::string& text);
};

// The program's status message window, created hidden at the first call.
TForm6& Form6();

// ShowStatus on the program's status message window.
void ShowStatus(const std::string& text);

}  // namespace velmora
