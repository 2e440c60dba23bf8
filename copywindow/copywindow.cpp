#include "copywindow/copywindow.h"

#include "app/HoverScheme.h"

namespace velmora {

TForm4::TForm4()
    : Form({.className = "TForm4",
            .caption = "Copy window",
            .border = BorderStyle::kSizeable,
            .origin = {205, 375},
            .outerSize = {289, 305},
            .color = colors::kBtnFace,
            .transparentColor = copy_layout::kSeeThrough}) {
  // A caption acts as the face beneath it.
  Label1.ForwardMouseTo(&Image2);
  Label2.ForwardMouseTo(&Image3);
  Label3.ForwardMouseTo(&Image4);
  WireFramedFaces(*this, tact, &Panel1, {{&Image2}, {&Image3}, {&Image4}});
}

void TForm4::GiveFaces(const Image& normal) {
  for (Image* face : {&Image2, &Image3, &Image4}) face->AssignPicture(normal);
}

ImageProps TForm4::Face(Point at) {
  return {.bounds = {at.x, at.y, 85, 30}, .stretch = true};
}

LabelProps TForm4::ButtonCaption(const Rect& bounds, const char* text) {
  return {.bounds = bounds,
          .caption = text,
          .font = copy_layout::kButtonFont,
          .transparent = true,
          .autoSize = false};
}

TForm4& Form4() {
  static TForm4 form;
  return form;
}

}  // namespace velmora
