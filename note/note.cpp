#include "note/note.h"

#include "app/HoverScheme.h"
#include "ui/Handles.h"

namespace velmora {
namespace {

int ScreenPixelsPerInch() {
  WindowDc screen(nullptr);
  return GetDeviceCaps(screen, LOGPIXELSY);
}

}  // namespace

TForm3::TForm3()
    : Form({.className = "TForm3",
            .caption = "Text",
            .border = BorderStyle::kSizeable,
            .origin = {197, 274},
            .outerSize = {205, 357}}) {
  // Docking passes over hidden controls: the list starts where the memo lies
  // and is docked again whenever it is shown.
  lb.SetBounds(m1.Bounds());
  cbn.OnChange([this] { cbnChange(); });
  // A caption acts as the face beneath it.
  Label1.ForwardMouseTo(&Image1);
  Label2.ForwardMouseTo(&Image2);
  Label3.ForwardMouseTo(&Image3);
  // "Done" has no pressed look.
  WireFramedFaces(*this, tact, &Panel1, {{&Image1, false}, {&Image2}, {&Image3}});
}

void TForm3::cbnChange() {
  lb.SetColor(cbn.Selected());
  m1.SetColor(cbn.Selected());
}

void TForm3::GiveFaces(const Image& normal) {
  for (Image* face : {&Image1, &Image2, &Image3}) face->AssignPicture(normal);
}

FontInfo TForm3::NoteFontInfo(const NoteFont& font) {
  return ToFontInfo(font, ScreenPixelsPerInch());
}

ImageProps TForm3::Face(Point at) {
  return {.bounds = {at.x, at.y, 85, 30}, .stretch = true};
}

LabelProps TForm3::ButtonCaption(Point at, const char* text) {
  return {.bounds = {at.x, at.y}, .caption = text, .font = note_layout::kButtonFont, .transparent = true};
}

TForm3& Form3() {
  static TForm3 form;
  return form;
}

}  // namespace velmora
