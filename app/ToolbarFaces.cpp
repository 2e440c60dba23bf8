#include "app/ToolbarFaces.h"

#include "app/Unit1.h"
#include "ui/HoverScheme.h"

namespace velmora {
namespace {

// The owner of the tool pictures.
TForm1* toolbar = nullptr;

}  // namespace

void ToolHover(Image& face) {
  // The selected tool keeps its pressed look.
  if (toolbar && face.Tag() == 0)
    StartHover(face, toolbar->SmallToolFace(face) ? toolbar->ib3a : toolbar->ib2a, toolbar->tact2);
}

void ToolDown(Image& face) {
  if (toolbar) face.AssignPicture(toolbar->SmallToolFace(face) ? toolbar->ib3p : toolbar->ib2p);
}

void TForm1::tactTimer() {
  EndHoverWhenLeft(*this, {}, nullptr, ibn, tact);
}

void TForm1::tact2Timer() {
  // A tool clicked while hovered is the selected one now and keeps the pressed look.
  const Image* hovered = HoveredImage();
  const bool selected = hovered && hovered->Tag() != 0;
  if (hovered && SmallToolFace(*hovered)) {
    EndHoverWhenLeft(*this, {}, nullptr, selected ? ib3p : ib3n, tact2);
    return;
  }
  EndHoverWhenLeft(*this, {}, nullptr, selected ? ib2p : ib2n, tact2);
}

void WireHoverScheme(TForm1& form) {
  toolbar = &form;
  SetCommandPictures({.normal = &form.ibn, .hover = &form.iba, .pressed = &form.ibp});
  for (Image* face : {&form.Image1, &form.Image6, &form.Image7, &form.Image8, &form.Image9}) {
    face->OnMouseMove([face, &form](const MouseEvent&) { CommandHover(*face, form.tact); });
    face->OnMouseDown([face](const MouseEvent&) { CommandDown(*face); });
    face->OnMouseUp([face](const MouseEvent&) { CommandUp(*face); });
  }
  for (const TForm1::ToolFace& entry : form.ToolFaces()) {
    Image* face = entry.face;
    face->OnMouseMove([face](const MouseEvent&) { ToolHover(*face); });
    face->OnMouseDown([face](const MouseEvent&) { ToolDown(*face); });
  }
  form.tact.OnTimer([&form] { form.tactTimer(); });
  form.tact2.OnTimer([&form] { form.tact2Timer(); });
}

}  // namespace velmora
