#pragma once
// The picture of the whole screen at the moment of a drawing
// session's opening, and that picture left on the clipboard.
#include <functional>

#include "imaging/Bitmap.h"
#include "imaging/DesktopFrame.h"

namespace velmora {

// Grabs the whole screen with GDI into `picture`, which keeps its memory when
// its pixel count is the screen's: on a placed desktop frame every monitor,
// each at its place in the layers, white where no monitor is. A screen whose
// drawing session could not be held raises ScreenTooLargeError first,
// `picture` untouched.
void GrabScreen(Bitmap& picture, const DesktopFrame& frame = {});

// Leaves the grab on the clipboard as a bitmap (CF_BITMAP), as the Print
// Screen key would. The clipboard is emptied and takes the bitmap at once,
// but the bitmap itself is made only when a program asks for it, or when
// KeepGrabOnClipboard runs: the screen copy that putting it there at once
// costs is the slowest part of an opening. `picture` gives the grab then.
void OfferGrabOnClipboard(std::function<const Bitmap&()> picture);

// Makes the offered bitmap while the program can still make it, so the grab
// stays on the clipboard after the program has ended. Nothing happens when
// another program has replaced it meanwhile.
void KeepGrabOnClipboard();

}  // namespace velmora
