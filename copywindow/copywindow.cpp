#include "copywindow/copywindow.h"

#include "copywindow/CopyPiece.h"
#include "ui/PictureGdi.h"
#include "picture/Unit2.h"
#include "ui/Gdi.h"
#include "ui/HoverScheme.h"

namespace velmora {
namespace {

Point ClientOrigin(HWND hwnd) {
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  return {origin.x, origin.y};
}

}  // namespace

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
  Image2.OnClick([this] { bcClick(); });
  Image3.OnClick([this] { bpClick(); });
  Image4.OnClick([this] { BitBtn1Click(); });
  OnClose([this] { FormClose(); });
}

void TForm4::GiveFaces(const Image& normal) {
  for (Image* face : {&Image2, &Image3, &Image4}) face->AssignPicture(normal);
}

void TForm4::RenewColorKey() {
  const auto key = TransparentColor();
  SetTransparentColor(std::nullopt);
  SetTransparentColor(key);
}

PixelRect TForm4::PieceOnLayers() const {
  // The list box lies at the top-left of the main area whether shown or not;
  // hidden, it is not docked, so the main area gives its size.
  const Size listBox{ClientWidth(), Panel1.Top()};
  return PieceRect(ClientOrigin(mv.Hwnd()), ClientOrigin(Form2().Handle()), listBox);
}

void TForm4::bcClick() {
  TForm2& surface = Form2();
  piece_ = LiftPiece(surface.LayerImages(), PieceOnLayers());
  if (piece_.Empty()) {
    Image1.ClearPicture();
  } else {
    Image1.SetPicture(DibOf(piece_));
  }
  surface.Invalidate();
  mv.Hide();
  Image1.Show();
}

void TForm4::bpClick() {
  TForm2& surface = Form2();
  const PixelRect at = PieceOnLayers();
  surface.History().RecordChange(surface.LayerImages(),
                                 {at.left, at.top, at.left + piece_.Width(), at.top + piece_.Height()});
  PlacePiece(surface.LayerImages(), piece_, {at.left, at.top});
  surface.Invalidate();  // the whole canvas shows the screen layer now
  mv.Show();
  Image1.Hide();
}

void TForm4::BitBtn1Click() {
  if (hooks_.spacePoll) hooks_.spacePoll(true);
  if (hooks_.show) hooks_.show();
  Close();
}

void TForm4::FormClose() {
  if (hooks_.spacePoll) hooks_.spacePoll(true);
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
