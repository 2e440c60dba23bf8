#include "ui/Gdi.h"

#include <cstring>

#include "base/CodePage.h"
#include "base/DpiScale.h"

namespace velmora {

COLORREF ToColorRef(Color color) {
  return ResolveColor(color, [](int number) { return static_cast<Color>(GetSysColor(number)); });
}

UniqueFont CreateFontFrom(const FontInfo& font, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -FontHeightBetweenDpis(font.height, font.dpi, dpi);
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic;
  lf.lfUnderline = font.underline;
  lf.lfStrikeOut = font.strikeOut;
  lf.lfCharSet = static_cast<BYTE>(font.charset);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  const std::wstring face = Utf8ToWide(font.name);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectW(&lf));
}

UniqueBrush CreateSolidBrushOf(Color color) {
  return UniqueBrush(CreateSolidBrush(ToColorRef(color)));
}

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

UniqueBitmap BitmapFromPixels(int width, int height, const std::uint32_t* pixels) {
  const BITMAPINFO info = TopDown32(width, height);
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap && pixels) std::memcpy(bits, pixels, static_cast<size_t>(width) * height * 4);
  return bitmap;
}

UniqueBitmap CopyBitmap(HBITMAP bitmap) {
  if (!bitmap) return {};
  return UniqueBitmap(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

Size BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObject(bitmap, sizeof(info), &info)) return {};
  return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

Size TextExtent(const FontInfo& font, int dpi, const std::string& text) {
  MemoryDc dc;
  UniqueFont f = CreateFontFrom(font, dpi);
  dc.Select(f.Get());
  RECT r{0, 0, 0, 0};
  // An empty text is measured as a space, so an empty label keeps a line's height.
  const std::wstring measured = text.empty() ? std::wstring(L" ") : Utf8ToWide(text);
  DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &r,
            DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  dc.Restore();
  return {r.right - r.left, r.bottom - r.top};
}

void FillSolid(HDC dc, const Rect& rect, Color color) {
  const RECT r = ToRECT(rect);
  SetBkColor(dc, ToColorRef(color));
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

RECT ToRECT(const Rect& rect) {
  return {rect.left, rect.top, rect.Right(), rect.Bottom()};
}
Rect FromRECT(const RECT& rect) {
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace velmora
