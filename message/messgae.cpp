#include "message/messgae.h"

namespace velmora {
namespace {

constexpr int kMargin = 8;  // each side of the text, in layout pixels

}  // namespace

TForm6::TForm6()
    : Form({.className = "TForm6",
            .caption = "Message",
            .border = BorderStyle::kNone,
            .stayOnTop = true,
            .clientSize = {115, 51},
            .color = colors::kBlue,
            // The busy window must not take the focus from the window the user works in.
            .activateOnShow = false}) {}

void TForm6::ShowStatus(const std::string& text) {
  Label1.SetCaption(text);
  SetWidth(Label1.Width() + 2 * Scaled(kMargin));
  CenterOnScreen();
  Show();
  // The caller keeps the thread busy, so the text is painted now, not by the message loop.
  Repaint();
}

TForm6& Form6() {
  static TForm6 form;
  return form;
}

void ShowStatus(const std::string& text) {
  Form6().ShowStatus(text);
}

}  // namespace velmora
