#pragma once
// Small GDI helpers shared by the controls.
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/Color.h"
#include "ui/FontInfo.h"
#include "base/Geometry.h"
#include "winbase/Handles.h"

namespace velmora {

// The colour to hand to GDI; a system colour is resolved through GetSysColor now.
COLORREF ToColorRef(Color color);

// The font at `dpi`: its height taken there from the DPI it is given at.
UniqueFont CreateFontFrom(const FontInfo& font, int dpi);
UniqueBrush CreateSolidBrushOf(Color color);

// The header of a top-down 32-bit picture (blue, green, red, unused), the
// layout the layers hold their rows in.
BITMAPINFO TopDown32(int width, int height);
// A device-independent bitmap from top-down 32-bit pixels (blue, green, red, unused).
UniqueBitmap BitmapFromPixels(int width, int height, const std::uint32_t* pixels);
// An independent copy of a bitmap.
UniqueBitmap CopyBitmap(HBITMAP bitmap);
Size BitmapSize(HBITMAP bitmap);

// The extent of a single line of text in the font at `dpi`, as a label sizes itself.
Size TextExtent(const FontInfo& font, int dpi, const std::string& text);

void FillSolid(HDC dc, const Rect& rect, Color color);

RECT ToRECT(const Rect& rect);
Rect FromRECT(const RECT& rect);

}  // namespace velmora
