#include "ui/PictureGdi.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ui/Gdi.h"

namespace velmora {
Rect PaintPicture(HDC dc, const Bitmap& picture, const Rect& area) {
  const int left = std::max(area.left, 0), top = std::max(area.top, 0);
  const int right = std::min(area.Right(), picture.Width()), bottom = std::min(area.Bottom(), picture.Height());
  if (left >= right || top >= bottom) return {};
  // Each call hands over only its own rows, so the source origin is the same
  // whichever way the system counts the rows of a top-down picture.
  for (int y = top; y < bottom;) {
    const int rows = std::min(picture.ContiguousRows(y), bottom - y);
    const BITMAPINFO info = TopDown32(picture.Width(), rows);
    SetDIBitsToDevice(dc, left, y, static_cast<DWORD>(right - left), static_cast<DWORD>(rows), left, 0, 0,
                      static_cast<UINT>(rows), picture.Row(y), &info, DIB_RGB_COLORS);
    y += rows;
  }
  return {left, top, right - left, bottom - top};
}

UniqueBitmap DibOf(const Bitmap& picture) {
  UniqueBitmap dib = BitmapFromPixels(picture.Width(), picture.Height(), nullptr);
  DIBSECTION section{};
  if (!dib || GetObject(dib.Get(), sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits)
    return {};
  auto* out = static_cast<Pixel*>(section.dsBm.bmBits);
  const auto width = static_cast<std::size_t>(picture.Width());
  for (int y = 0; y < picture.Height(); ++y)
    std::memcpy(out + static_cast<std::size_t>(y) * width, picture.Row(y), width * sizeof(Pixel));
  return dib;
}

Bitmap BitmapOf(HBITMAP bitmap) {
  const Size size = BitmapSize(bitmap);
  Bitmap picture = Bitmap::Uninitialized(size.width, size.height);
  if (picture.Empty()) return picture;
  // Read whole, then handed to the bands: the pictures read here are small.
  const auto width = static_cast<std::size_t>(size.width);
  std::vector<Pixel> pixels(width * static_cast<std::size_t>(size.height));
  BITMAPINFO info = TopDown32(size.width, size.height);
  WindowDc screen(nullptr);
  if (GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.height), pixels.data(), &info, DIB_RGB_COLORS) !=
      size.height)
    return {};
  for (int y = 0; y < size.height; ++y) {
    const Pixel* in = pixels.data() + static_cast<std::size_t>(y) * width;
    Pixel* row = picture.Row(y);
    for (std::size_t x = 0; x < width; ++x) row[x] = in[x] & 0x00FFFFFFu;  // GDI leaves the fourth byte undefined
  }
  return picture;
}

}  // namespace velmora
