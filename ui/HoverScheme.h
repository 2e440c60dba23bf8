#pragma once
// The hover-button scheme: picture faces with a normal, a hover and a pressed
// picture, all taken from hidden images of one window (the toolbar's). At
// most one face in the whole program shows its hover picture; the window of
// that face ends the hover with its own 50 ms timer once the pointer has left
// the face.
#include <initializer_list>

#include "ui/GraphicControls.h"
#include "ui/Timer.h"

namespace velmora {

class Form;

// The program-wide hover flag and the face it refers to.
bool HoverFlag();
Image* HoveredImage();
// Clears the flag without touching any face: for a window that goes away
// while one of its faces is hovered, which only tests do.
void ForgetHover();

// Start of a hover: unless some face is hovered already, the face becomes the
// hovered image, shows the picture and takes its size, and the timer runs.
void StartHover(Image& face, const Image& picture, Timer& timer);
// One tick of a hover timer: once the pointer (GetCursorPos) is off the
// hovered face, the face gets its resting picture, the flag clears and the
// timer stops. `window` is the form the face lies on, `allowance` the frame
// allowances of a framed window and `panel` the panel holding the face, if any.
void EndHoverWhenLeft(const Form& window, Point allowance, const Control* panel, const Image& resting,
                      Timer& timer);

// The hidden images the command faces take their pictures from.
struct CommandPictures {
  const Image* normal = nullptr;
  const Image* hover = nullptr;
  const Image* pressed = nullptr;
};
// Until the pictures are set the face routines do nothing.
void SetCommandPictures(const CommandPictures& pictures);
const CommandPictures& GetCommandPictures();

void CommandHover(Image& face, Timer& tact);  // the hover picture
void CommandDown(Image& face);                // the pressed picture
void CommandUp(Image& face);                  // the hover picture

// A hover button of the text, copy or options window; "Done" of the text
// window has no pressed look.
struct FramedFace {
  Image* face;
  bool pressedLook = true;
};
// Wires the hover buttons of a framed window to the scheme with the window's
// own `tact`, whose hover-end test adds the frame allowances and the top of
// `panel` when the faces lie on one.
void WireFramedFaces(Form& window, Timer& tact, const Control* panel,
                     std::initializer_list<FramedFace> faces);

}  // namespace velmora
