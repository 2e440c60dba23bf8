#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "app/ScreenGrab.h"

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

TEST(ScreenGrab, TheGrabIsTheScreensSizeWithItsUnusedBytesClear) {
  const Bitmap grab = GrabScreen();
  EXPECT_EQ(grab.Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(grab.Height(), GetSystemMetrics(SM_CYSCREEN));
  for (int y = 0; y < grab.Height(); y += 37)
    for (int x = 0; x < grab.Width(); x += 41) ASSERT_EQ(grab.At(x, y) >> 24, 0u) << x << "," << y;
}

TEST(ScreenGrab, TheOfferedGrabIsTheClipboardsBitmapAsItIsWhenAsked) {
  const Bitmap first = Picture(RgbPixel(200, 0, 0)), second = Picture(RgbPixel(0, 0, 200));
  const Bitmap* shown = &first;
  OfferGrabOnClipboard([&]() -> const Bitmap& { return *shown; });
  ASSERT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  // Made when asked for, from the picture of that moment.
  shown = &second;
  const std::vector<Pixel> asked = ClipboardPixels(3, 2);
  EXPECT_EQ(asked, std::vector<Pixel>(second.Pixels(), second.Pixels() + 6));

  // A later grab replaces it; keeping it before the end makes it for good.
  OfferGrabOnClipboard([&]() -> const Bitmap& { return first; });
  KeepGrabOnClipboard();
  EXPECT_EQ(ClipboardPixels(3, 2), std::vector<Pixel>(first.Pixels(), first.Pixels() + 6));
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
