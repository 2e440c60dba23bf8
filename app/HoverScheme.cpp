#include "app/HoverScheme.h"

#include <windows.h>

#include "app/HoverTest.h"
#include "app/Unit1.h"

namespace velmora {
namespace {

// Shared by every window with picture faces.
bool hoverFlag = false;
Image* hoveredImage = nullptr;
// The owner of the face pictures.
TForm1* toolbar = nullptr;

}  // namespace

bool HoverFlag() {
  return hoverFlag;
}

Image* HoveredImage() {
  return hoveredImage;
}

void ForgetHover() {
  hoverFlag = false;
}

void StartHover(Image& face, const Image& picture, Timer& timer) {
  if (hoverFlag) return;
  hoveredImage = &face;
  timer.SetEnabled(true);
  hoverFlag = true;
  face.AssignPicture(picture);
  face.SetAutoSize(true);
}

void EndHoverWhenLeft(const Form& window, Point allowance, const Control* panel, const Image& resting,
                      Timer& timer) {
  if (!hoveredImage) {
    timer.SetEnabled(false);
    return;
  }
  POINT pointer{};
  GetCursorPos(&pointer);
  const FacePlace place{
      .window = {window.Left(), window.Top()}, .allowance = allowance, .panelTop = panel ? panel->Top() : 0};
  if (PointerOverFace({pointer.x, pointer.y}, hoveredImage->Bounds(), place)) return;
  hoveredImage->AssignPicture(resting);
  hoverFlag = false;
  timer.SetEnabled(false);
}

void CommandHover(Image& face, Timer& tact) {
  if (toolbar) StartHover(face, toolbar->iba, tact);
}

void CommandDown(Image& face) {
  if (toolbar) face.AssignPicture(toolbar->ibp);
}

void CommandUp(Image& face) {
  if (toolbar) face.AssignPicture(toolbar->iba);
}

void ToolHover(Image& face) {
  // The selected tool keeps its pressed look.
  if (toolbar && face.Tag() == 0) StartHover(face, toolbar->ib2a, toolbar->tact2);
}

void ToolDown(Image& face) {
  if (toolbar) face.AssignPicture(toolbar->ib2p);
}

void TForm1::tactTimer() {
  EndHoverWhenLeft(*this, {}, nullptr, ibn, tact);
}

void TForm1::tact2Timer() {
  // A tool clicked while hovered is the selected one now and keeps the pressed look.
  const bool selected = hoveredImage && hoveredImage->Tag() != 0;
  EndHoverWhenLeft(*this, {}, nullptr, selected ? ib2p : ib2n, tact2);
}

void WireHoverScheme(TForm1& form) {
  toolbar = &form;
  for (Image* face : {&form.Image1, &form.Image6, &form.Image7, &form.Image8, &form.Image9}) {
    face->OnMouseMove([face, &form](const MouseEvent&) { CommandHover(*face, form.tact); });
    face->OnMouseDown([face](const MouseEvent&) { CommandDown(*face); });
    face->OnMouseUp([face](const MouseEvent&) { CommandUp(*face); });
  }
  for (Image* face : {&form.ib3, &form.ib2, &form.ib1}) {
    face->OnMouseMove([face](const MouseEvent&) { ToolHover(*face); });
    face->OnMouseDown([face](const MouseEvent&) { ToolDown(*face); });
  }
  form.tact.OnTimer([&form] { form.tactTimer(); });
  form.tact2.OnTimer([&form] { form.tact2Timer(); });
}

void WireFramedFaces(Form& window, Timer& tact, const Control* panel,
                     std::initializer_list<FramedFace> faces) {
  for (const FramedFace& entry : faces) {
    Image* face = entry.face;
    face->OnMouseMove([face, &tact](const MouseEvent&) { CommandHover(*face, tact); });
    if (entry.pressedLook) face->OnMouseDown([face](const MouseEvent&) { CommandDown(*face); });
    face->OnMouseUp([face](const MouseEvent&) { CommandUp(*face); });
  }
  tact.OnTimer([&window, &tact, panel] {
    if (toolbar) EndHoverWhenLeft(window, kFrameAllowance, panel, toolbar->ibn, tact);
  });
}

}  // namespace velmora
