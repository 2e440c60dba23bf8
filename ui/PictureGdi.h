#pragma once
// Pictures handed to GDI: they are held in bands of rows, so each band goes
// over in one call.
#include <windows.h>

#include "imaging/Bitmap.h"
#include "base/Geometry.h"
#include "winbase/Handles.h"

namespace velmora {

// Draws the part of `picture` inside `area` at the same place in `dc`, the
// picture's top-left pixel at the DC's origin. Returns the part drawn.
Rect PaintPicture(HDC dc, const Bitmap& picture, const Rect& area);

// A top-down 32-bit DIB section holding a copy of the picture, or none when
// the system has no memory for it.
UniqueBitmap DibOf(const Bitmap& picture);

// The pixels of a bitmap, or an empty picture when it cannot be read.
Bitmap BitmapOf(HBITMAP bitmap);

}  // namespace velmora
