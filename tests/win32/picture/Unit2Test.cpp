#include <gtest/gtest.h>

#include "picture/Unit2.h"
#include "tests/win32/ui/UiTestSupport.h"
#include "ui/Gdi.h"

namespace velmora {
namespace {

Rect WorkArea() {
  RECT r{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return FromRECT(r);
}

// A picture whose every pixel differs from its neighbours and from the
// window's colour; the key colour sits at (1, 0).
Bitmap Pattern(int width, int height) {
  Bitmap b = Bitmap::Uninitialized(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.Set(x, y, RgbPixel(x * 7 % 256, y * 11 % 256, (x + y) % 2 ? 1 : 250));
  b.Set(1, 0, kKeyPixel);
  return b;
}

// A pixel as GDI's COLORREF, which is the program's colour value.
COLORREF RefOf(Pixel p) {
  return ColorOf(p);
}

TEST(DrawingSurface, IsAPlainBorderlessWindowOfTheDesignSize) {
  TForm2 form;
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.Caption(), "Form2");
  EXPECT_FALSE(GetWindowLongPtrA(form.Handle(), GWL_STYLE) &
               (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_SYSMENU));
  EXPECT_FALSE(GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(form.ClientSize(), (Size{254, 209}));
  EXPECT_EQ(form.LayerImages().canvasWidth, 254);
  EXPECT_EQ(form.LayerImages().canvasHeight, 209);
  // Nothing to show yet: the window's button-face colour.
  const auto pixels = test::PaintedClient(form);
  EXPECT_EQ(pixels.Count(GetSysColor(COLOR_BTNFACE), 0, 0, 254, 209), 254 * 209);
}

TEST(DrawingSurface, ShowsTheVisibleCanvasUnscaledAtTheTopLeft) {
  TForm2 form;
  form.LayerImages().i1 = Pattern(40, 30);
  const auto pixels = test::PaintedClient(form);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(pixels.At(x, y), RefOf(form.LayerImages().i1.At(x, y))) << x << "," << y;
  EXPECT_EQ(pixels.At(1, 0), RGB(78, 97, 188));  // the key colour, exactly
  // Beyond the picture: the window's colour, right of it and below it.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(pixels.Count(face, 40, 0, 214, 209), 214 * 209);
  EXPECT_EQ(pixels.Count(face, 0, 30, 40, 179), 40 * 179);

  // A picture larger than the window shows its top-left part.
  form.LayerImages().i1 = Pattern(300, 250);
  const auto large = test::PaintedClient(form);
  EXPECT_EQ(large.At(253, 208), RefOf(form.LayerImages().i1.At(253, 208)));
  EXPECT_EQ(large.At(200, 5), RefOf(form.LayerImages().i1.At(200, 5)));
}

TEST(DrawingSurface, EachShowingCoversTheWorkAreaAndRepaintsOnlyWhatWasInvalidated) {
  TForm2 form;
  const Rect area = WorkArea();
  form.Show();
  EXPECT_EQ(form.OuterBounds(), area);
  EXPECT_EQ(form.ClientSize(), area.GetSize());
  EXPECT_EQ(form.LayerImages().canvasWidth, area.width);
  EXPECT_EQ(form.LayerImages().canvasHeight, area.height);
  form.Hide();
  form.SetBounds({10, 10, 100, 80});
  EXPECT_EQ(form.LayerImages().canvasWidth, 100);
  form.Show();
  EXPECT_EQ(form.OuterBounds(), area);

  // On the screen: a new picture of which only a part is invalidated shows
  // only in that part, each pixel at its place.
  Layers& layers = form.LayerImages();
  layers.i1 = Bitmap(60, 50, RgbPixel(0, 0, 255));
  form.Invalidate();
  // The display's own exposures of the new window arrive late and ask for the whole window.
  test::PumpFor(500);
  layers.i1 = Pattern(60, 50);
  const Rect part{10, 20, 5, 4};
  form.Invalidate(part);
  UpdateWindow(form.Handle());
  auto screen = test::Screen(area.left, area.top, 70, 60);
  // The display takes the window's pixels a moment later.
  test::PumpUntil([&] {
    screen = test::Screen(area.left, area.top, 70, 60);
    return screen.At(part.left, part.top) == RefOf(layers.i1.At(part.left, part.top));
  });
  for (int y = part.top; y < part.Bottom(); ++y)
    for (int x = part.left; x < part.Right(); ++x) EXPECT_EQ(screen.At(x, y), RefOf(layers.i1.At(x, y)));
  EXPECT_EQ(screen.Count(RGB(0, 0, 255), 0, 0, 70, 60), 60 * 50 - 5 * 4);
  EXPECT_EQ(screen.At(65, 55), GetSysColor(COLOR_BTNFACE));
  form.Hide();
}

TEST(DrawingSurface, MouseStrokesPaintEveryTargetAndTellTheToolbar) {
  TForm2 form;
  Layers& layers = form.LayerImages();
  for (Bitmap* layer : {&layers.i1, &layers.i4, &layers.i31, &layers.i3, &layers.i41, &layers.i2})
    *layer = Bitmap(60, 40, RgbPixel(255, 255, 255));
  layers.i5 = Bitmap(60, 40, kKeyPixel);
  layers.i6 = Bitmap(60, 40, kKeyPixel);
  std::vector<std::string> told;
  Tool tool = Tool::kBrush;
  form.SetStrokeHooks({.tool = [&] { return tool; },
                       .brushSize = [] { return 3; },
                       .brushColor = [] { return colors::kRed; },
                       .showWindows = [] { return true; },
                       .begin = [&] { told.push_back("begin"); },
                       .end = [&] { told.push_back("end"); }});
  const Pixel red = PixelOf(colors::kRed);

  // Moving without a button draws nothing; the right button paints like the left.
  SendMessageA(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 20));
  EXPECT_EQ(layers.i1.At(30, 20), RgbPixel(255, 255, 255));
  SendMessageA(form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20));
  EXPECT_TRUE(form.Stroking());
  EXPECT_EQ(layers.i1.At(10, 20), RgbPixel(255, 255, 255));  // a press alone leaves no mark
  SendMessageA(form.Handle(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(40, 20));
  SendMessageA(form.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(40, 20));
  EXPECT_FALSE(form.Stroking());
  for (const Bitmap* target : {&layers.i1, &layers.i4, &layers.i5, &layers.i31}) EXPECT_EQ(target->At(25, 20), red);
  EXPECT_EQ(layers.i2.At(25, 20), RgbPixel(255, 255, 255));  // the background is never drawn on
  EXPECT_EQ(layers.i3.At(25, 20), RgbPixel(255, 255, 255));  // nor the session snapshots
  EXPECT_EQ(told, (std::vector<std::string>{"begin", "end"}));

  // "Erase all" puts the background back and the key colour in the drawing layer.
  tool = Tool::kEraseAll;
  SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 20));
  SendMessageA(form.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, 20));
  SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(25, 20));
  EXPECT_EQ(layers.i1.At(25, 20), RgbPixel(255, 255, 255));
  EXPECT_EQ(layers.i4.At(25, 20), RgbPixel(255, 255, 255));
  EXPECT_EQ(layers.i5.At(25, 20), kKeyPixel);
  EXPECT_EQ(layers.i5.At(35, 20), red);  // outside the square
}

}  // namespace
}  // namespace velmora
