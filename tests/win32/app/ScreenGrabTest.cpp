#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/ScreenGrab.h"
#include "tests/unit/imaging/PictureTestSupport.h"

namespace velmora {
namespace {

// The clipboard's bitmap, read back as top-down 32-bit pixels; empty when the
// clipboard holds none.
std::vector<Pixel> ClipboardPixels(int width, int height) {
  std::vector<Pixel> pixels;
  if (!OpenClipboard(nullptr)) return pixels;
  if (auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    HDC screen = GetDC(nullptr);
    if (!GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS))
      pixels.clear();
    ReleaseDC(nullptr, screen);
    for (Pixel& pixel : pixels) pixel &= 0x00FFFFFFu;
  }
  CloseClipboard();
  return pixels;
}

Bitmap Picture(Pixel first) {
  Bitmap picture(3, 2, kWhitePixel);
  picture.Set(0, 0, first);
  picture.Set(2, 1, RgbPixel(10, 20, 30));
  return picture;
}

// The screen in one piece, as a single blit reads it.
std::vector<Pixel> ScreenInOnePiece(int width, int height) {
  std::vector<Pixel> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  for (Pixel& pixel : pixels) pixel &= 0x00FFFFFFu;
  return pixels;
}

TEST(ScreenGrab, TheGrabIsTheWholeScreenInOrderWithItsUnusedBytesClear) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  // Stripes of a colour per row, so a band put at the wrong height shows.
  HDC screen = GetDC(nullptr);
  for (int y = 0; y < height; ++y) {
    HBRUSH brush = CreateSolidBrush(RGB(y & 0xFF, (y >> 8) * 40, 90));
    RECT row{0, y, width, y + 1};
    FillRect(screen, &row, brush);
    DeleteObject(brush);
  }
  ReleaseDC(nullptr, screen);
  GdiFlush();
  const std::vector<Pixel> expected = ScreenInOnePiece(width, height);

  // Into a picture of another size, then into the same one again.
  Bitmap grab(5, 5, kWhitePixel);
  for (int pass = 0; pass < 2; ++pass) {
    GrabScreen(grab);
    ASSERT_EQ(grab.Width(), width);
    ASSERT_EQ(grab.Height(), height);
    EXPECT_EQ(test::PixelsOf(grab), expected) << "pass " << pass;
  }
}

TEST(ScreenGrab, TheOfferedGrabIsTheClipboardsBitmapAsItIsWhenAsked) {
  const Bitmap first = Picture(RgbPixel(200, 0, 0)), second = Picture(RgbPixel(0, 0, 200));
  const Bitmap* shown = &first;
  OfferGrabOnClipboard([&]() -> const Bitmap& { return *shown; });
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  // Made when asked for, from the picture of that moment.
  shown = &second;
  const std::vector<Pixel> asked = ClipboardPixels(3, 2);
  EXPECT_EQ(asked, test::PixelsOf(second));

  // A later grab replaces it; keeping it before the end makes it for good.
  OfferGrabOnClipboard([&]() -> const Bitmap& { return first; });
  KeepGrabOnClipboard();
  EXPECT_EQ(ClipboardPixels(3, 2), test::PixelsOf(first));
}

TEST(ScreenGrab, KeepingLeavesAClipboardAnotherProgramFilledAlone) {
  const Bitmap picture = Picture(RgbPixel(0, 200, 0));
  OfferGrabOnClipboard([&]() -> const Bitmap& { return picture; });
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  KeepGrabOnClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
}

}  // namespace
}  // namespace velmora
