#include "ui/HoverScheme.h"

#include <windows.h>

#include "ui/Form.h"
#include "ui/HoverTest.h"

namespace velmora {
namespace {

// Shared by every window with picture faces.
bool hoverFlag = false;
Image* hoveredImage = nullptr;
CommandPictures commandPictures;

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
      .window = {window.Left(), window.Top()}, .allowance = window.Scaled(allowance), .panelTop = panel ? panel->Top() : 0};
  if (PointerOverFace({pointer.x, pointer.y}, hoveredImage->Bounds(), place)) return;
  hoveredImage->AssignPicture(resting);
  hoverFlag = false;
  timer.SetEnabled(false);
}

void SetCommandPictures(const CommandPictures& pictures) {
  commandPictures = pictures;
}

const CommandPictures& GetCommandPictures() {
  return commandPictures;
}

void CommandHover(Image& face, Timer& tact) {
  if (commandPictures.hover) StartHover(face, *commandPictures.hover, tact);
}

void CommandDown(Image& face) {
  if (commandPictures.pressed) face.AssignPicture(*commandPictures.pressed);
}

void CommandUp(Image& face) {
  if (commandPictures.hover) face.AssignPicture(*commandPictures.hover);
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
    if (commandPictures.normal)
      EndHoverWhenLeft(window, kFrameAllowance, panel, *commandPictures.normal, tact);
  });
}

}  // namespace velmora
