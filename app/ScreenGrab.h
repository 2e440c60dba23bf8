#pragma once
// The picture of the whole primary screen at the moment of a drawing
// session's opening.
#include "picture/Bitmap.h"

namespace velmora {

// Grabs the whole screen with GDI and also leaves that picture on the
// clipboard as a bitmap, as the Print Screen key would.
Bitmap GrabScreen();

}  // namespace velmora
