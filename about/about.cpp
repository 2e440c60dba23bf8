#include "about/about.h"

#include "shellutil/PathUtil.h"
#include "ui/Shell.h"

namespace velmora {

TForm10::TForm10()
    : Form({.className = "TForm10",
            .caption = "About",
            .border = BorderStyle::kNone,
            .position = FormPosition::kScreenCenter,
            .clientSize = {500, 350},
            .color = colors::kSkyBlue,
            .transparentColor = colors::kSkyBlue}),
      openInShell_(ShellOpen) {
  Label11.OnClick([this] { Label11Click(); });
  Shape5.OnMouseDown([this](const MouseEvent& e) { Shape5MouseDown(e); });
  Label8.OnClick([this] { Label8Click(); });
  Label15.OnClick([this] { Label15Click(); });
  Label10.OnClick([this] { Label10Click(); });
  Label13.OnClick([this] { Label13Click(); });
  Label17.OnClick([this] { Label17Click(); });
}

LabelProps TForm10::Small(Point at, const char* caption) {
  return {.bounds = {at.x, at.y}, .caption = caption, .font = about_fonts::kSmall, .color = colors::kWindow};
}

LabelProps TForm10::Bold(Point at, const char* caption, bool link) {
  return {.bounds = {at.x, at.y},
          .caption = caption,
          .font = about_fonts::kSmallBold,
          .color = colors::kWindow,
          .cursor = link ? Cursor::kHand : Cursor::kDefault};
}

// The mail program is reached through a "mailto: " link (with its space).
void TForm10::Label8Click() {
  openInShell_("mailto: " + Label8.Caption());
}
void TForm10::Label15Click() {
  openInShell_("mailto: " + Label15.Caption());
}
void TForm10::Label10Click() {
  openInShell_(Label10.Caption());
}
void TForm10::Label13Click() {
  openInShell_(Label13.Caption());
}
void TForm10::Label17Click() {
  SetClipboardText(Handle(), DigitsOnly(Label17.Caption()));
}

TForm10& Form10() {
  static TForm10 form;
  return form;
}

}  // namespace velmora
