#include <gtest/gtest.h>

#include "picture/brushsize.h"
#include "tests/win32/ui/UiTestSupport.h"

namespace velmora {
namespace {

using test::PaintedClient;

const Rect kSiz{16, 102, 100, 25};  // the toolbar's size track bar

TEST(BrushSizePreview, IsAPlainHighlightBoxWithABlackDisc) {
  TForm5 form;
  EXPECT_EQ(form.Caption(), "BrushSize");
  EXPECT_EQ(form.OuterBounds().GetSize(), (Size{115, 100}));
  EXPECT_FALSE(GetWindowLongPtrA(form.Handle(), GWL_STYLE) & (WS_CAPTION | WS_BORDER));
  EXPECT_TRUE(GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(form.Timer1.Enabled());
  EXPECT_EQ(form.Timer1.Interval(), 500);
  const auto pixels = PaintedClient(form);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  // Shape1's outline lies outside the window: every edge pixel is highlight, or the disc.
  EXPECT_EQ(pixels.At(114, 0), highlight);
  EXPECT_EQ(pixels.At(114, 99), highlight);
  EXPECT_EQ(pixels.At(50, 50), RGB(0, 0, 0));
  EXPECT_EQ(pixels.At(105, 50), highlight);
}

TEST(BrushSizePreview, ASizeChangePlacesShowsAndResizesTheDisc) {
  TForm5 form;
  int recolours = 0;
  auto colChange = [&] {
    ++recolours;
    form.SetBrushColor(colors::kRed);
  };
  form.BrushSizeChanged(40, {192, 109}, kSiz, false, colChange);
  EXPECT_EQ(recolours, 1);
  EXPECT_EQ(form.OuterBounds(), (Rect{308, 171, 115, 100}));
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(form.Timer1.Enabled());
  EXPECT_EQ(form.sc.Width(), 40);

  // A disc 40 across whose bounding square starts 30 pixels below the top.
  const auto pixels = PaintedClient(form);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(pixels.At(20, 50), RGB(255, 0, 0));
  EXPECT_EQ(pixels.At(20, 30), RGB(0, 0, 0));  // its outline
  EXPECT_EQ(pixels.At(20, 28), highlight);
  EXPECT_EQ(pixels.At(20, 71), highlight);
  EXPECT_EQ(pixels.At(45, 50), highlight);

  // While the timer runs only the disc follows: no move, no recolouring.
  form.BrushSizeChanged(100, {0, 0}, kSiz, false, colChange);
  EXPECT_EQ(recolours, 1);
  EXPECT_EQ(form.Left(), 308);
  EXPECT_EQ(form.sc.Width(), 100);
  EXPECT_EQ(PaintedClient(form).At(99, 50), RGB(0, 0, 0));
  form.Close();
  form.Timer1.SetEnabled(false);
}

TEST(BrushSizePreview, StartUpPlacesAndSizesWithoutShowing) {
  TForm5 form;
  int recolours = 0;
  form.BrushSizeChanged(12, {10, 20}, kSiz, true, [&] { ++recolours; });
  EXPECT_EQ(recolours, 1);
  EXPECT_EQ(form.OuterBounds().TopLeft(), (Point{126, 82}));
  EXPECT_EQ(form.sc.Width(), 12);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Timer1.Enabled());
  // A colour change alone never shows the preview.
  form.SetBrushColor(colors::kNavy);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.sc.Brush().color, colors::kNavy);
}

TEST(BrushSizePreview, TheTimerClosesThePreviewOnceTheSizeStopsChanging) {
  TForm5 form;
  form.BrushSizeChanged(30, {0, 0}, kSiz, false, nullptr);
  form.Timer1Timer();  // remembered 0, size 30: stays
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.RememberedSize(), 30);
  form.BrushSizeChanged(31, {0, 0}, kSiz, false, nullptr);
  form.Timer1Timer();
  EXPECT_TRUE(form.Visible());
  form.Timer1Timer();  // unchanged since the last tick
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Timer1.Enabled());

  // Ending on the remembered size closes at the first tick of the real timer.
  int ticks = 0;
  form.Timer1.OnTimer([&] {
    ++ticks;
    form.Timer1Timer();
  });
  form.BrushSizeChanged(31, {0, 0}, kSiz, false, nullptr);
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(test::PumpUntil([&] { return !form.Visible(); }, 5000));
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace velmora
