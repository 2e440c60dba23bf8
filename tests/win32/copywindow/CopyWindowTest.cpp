#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "copywindow/copywindow.h"
#include "imaging/SessionCommands.h"
#include "picture/Unit2.h"
#include "tests/win32/ui/UiTestSupport.h"
#include "ui/Gdi.h"

namespace velmora {
namespace {

using test::PaintedClient;

constexpr COLORREF kSkyBlueRef = RGB(166, 202, 240);

class CopyWindow : public ::testing::Test {
 protected:
  TForm4 form;
};

TEST_F(CopyWindow, IsAHiddenSizeableColourKeyedWindowWithACloseBoxOnly) {
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.Caption(), "Copy window");
  EXPECT_EQ(form.OuterBounds(), (Rect{205, 375, 289, 305}));
  const LONG_PTR style = GetWindowLongPtrA(form.Handle(), GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            WS_CAPTION | WS_THICKFRAME | WS_SYSMENU);
  EXPECT_FALSE(GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(form.GetColor(), colors::kBtnFace);
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), &key, &alpha, &flags));
  EXPECT_EQ(key, kSkyBlueRef);
  EXPECT_EQ(flags & LWA_COLORKEY, static_cast<DWORD>(LWA_COLORKEY));
  EXPECT_FALSE(form.tact.Enabled());
  EXPECT_EQ(form.tact.Interval(), 50);
}

TEST_F(CopyWindow, TheSeeThroughListFillsTheAreaAboveTheBarAndFollowsTheSize) {
  auto expectDocked = [&] {
    const Size client = form.ClientSize();
    EXPECT_EQ(form.Panel1.Bounds(), (Rect{0, client.height - 41, client.width, 41}));
    EXPECT_EQ(form.mv.Bounds(), (Rect{0, 0, client.width, client.height - 41}));
  };
  expectDocked();
  EXPECT_EQ(form.mv.GetColor(), colors::kSkyBlue);
  EXPECT_FALSE(IsWindowEnabled(form.mv.Hwnd()));
  EXPECT_EQ(form.mv.Count(), 0);
  EXPECT_TRUE(GetWindowLongPtrA(form.mv.Hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(form.Image1.Visible());

  form.SetBounds({40, 60, 400, 350});
  expectDocked();
  // The held piece's image takes the same area once shown, its picture at the top-left.
  std::vector<std::uint32_t> piece(10 * 10, 0x00FF00);
  form.Image1.SetPicture(BitmapFromPixels(10, 10, piece.data()));
  form.mv.Hide();
  form.Image1.Show();
  EXPECT_EQ(form.Image1.Bounds(), (Rect{0, 0, form.ClientWidth(), form.ClientHeight() - 41}));
  const auto pixels = PaintedClient(form);
  EXPECT_EQ(pixels.At(0, 0), RGB(0, 255, 0));
  EXPECT_EQ(pixels.At(9, 9), RGB(0, 255, 0));
  EXPECT_EQ(pixels.At(10, 10), GetSysColor(COLOR_BTNFACE));
  form.Image1.Hide();
  form.mv.Show();
  EXPECT_EQ(form.mv.Bounds(), (Rect{0, 0, form.ClientWidth(), form.ClientHeight() - 41}));
}

TEST_F(CopyWindow, ButtonFacesAndTheirCaptionsSitOnTheBar) {
  struct Face {
    const Image& image;
    const Label& label;
    Point imageAt;
    Rect labelBounds;
    const char* caption;
  };
  const Face faces[] = {
      {form.Image2, form.Label1, {8, 6}, {33, 13, 32, 16}, "Copy"},
      {form.Image3, form.Label2, {96, 6}, {121, 13, 35, 16}, "Paste"},
      {form.Image4, form.Label3, {184, 6}, {209, 14, 35, 16}, "Close"},
  };
  for (const auto& f : faces) {
    SCOPED_TRACE(f.caption);
    EXPECT_EQ(f.image.Bounds(), (Rect{f.imageAt.x, f.imageAt.y, 85, 30}));
    EXPECT_EQ(f.label.Bounds(), f.labelBounds);
    EXPECT_EQ(f.label.Caption(), f.caption);
  }

  const COLORREF faceColor = RGB(10, 40, 160);
  std::vector<std::uint32_t> pixels(85 * 30, 0x0A28A0);
  Image normal(form, {.visible = false});
  normal.SetPicture(BitmapFromPixels(85, 30, pixels.data()));
  form.GiveFaces(normal);
  const auto bar = PaintedClient(form.Panel1);
  for (const auto& f : faces) {
    SCOPED_TRACE(f.caption);
    EXPECT_EQ(f.image.Picture(), normal.Picture());
    EXPECT_EQ(bar.At(f.imageAt.x + 1, f.imageAt.y + 1), faceColor);
    EXPECT_EQ(bar.At(f.imageAt.x + 83, f.imageAt.y + 28), faceColor);
    const Rect& l = f.labelBounds;
    EXPECT_GT(bar.Count(RGB(255, 255, 255), l.left, l.top, l.width, l.height), 10);
    EXPECT_GT(bar.Count(faceColor, l.left, l.top, l.width, l.height), 10);
  }
  EXPECT_EQ(bar.At(4, 20), GetSysColor(COLOR_BTNFACE));

  // Each caption does what a click on its face does, once the face has a handler.
  std::vector<std::string> clicked;
  form.Image2.OnClick([&] { clicked.push_back("Copy"); });
  form.Image3.OnClick([&] { clicked.push_back("Paste"); });
  form.Image4.OnClick([&] { clicked.push_back("Close"); });
  for (const auto& f : faces)
    test::LeftClick(form.Panel1.Handle(), f.labelBounds.left + 3, f.labelBounds.top + 3);
  EXPECT_EQ(clicked, (std::vector<std::string>{"Copy", "Paste", "Close"}));
}

TEST_F(CopyWindow, TheMainAreaShowsWhatLiesBeneathInsideTheListsBorder) {
  // A plain window of a known colour behind it (smaller than the screen,
  // which Wine would treat as a full-screen window).
  Form behind({.className = "TBehindCopyForm",
               .border = BorderStyle::kNone,
               .origin = {250, 150},
               .clientSize = {450, 400},
               .color = colors::kLime});
  behind.Show();
  // Where the settings put it, value by value.
  form.SetLeft(300);
  form.SetTop(200);
  form.SetWidth(320);
  form.SetHeight(260);
  form.Show();
  form.Repaint();
  test::PumpFor(300);
  EXPECT_EQ(form.OuterBounds(), (Rect{300, 200, 320, 260}));

  RECT list{};
  GetWindowRect(form.mv.Hwnd(), &list);
  const auto screen = test::Screen(list.left, list.top, list.right - list.left, list.bottom - list.top);
  const int w = screen.Width(), h = screen.Height();
  EXPECT_EQ(screen.At(w / 2, h / 2), RGB(0, 255, 0));
  EXPECT_EQ(screen.At(3, 3), RGB(0, 255, 0));
  EXPECT_EQ(screen.At(w - 4, h - 4), RGB(0, 255, 0));
  // The sunken border stays visible.
  for (auto [x, y] : {std::pair{0, h / 2}, {1, h / 2}, {w / 2, 0}, {w - 1, h / 2}, {w / 2, h - 1}})
    EXPECT_NE(screen.At(x, y), RGB(0, 255, 0)) << x << "," << y;
  // The bar is not see-through.
  RECT bar{};
  GetWindowRect(form.Panel1.Hwnd(), &bar);
  EXPECT_EQ(test::Screen(bar.left + 2, bar.top + 20, 1, 1).At(0, 0), GetSysColor(COLOR_BTNFACE));

  SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(IsWindow(form.Handle()));
  behind.Hide();
}

// A screen picture whose pixels tell their places apart; no pixel is the
// see-through colour.
Bitmap ScreenPattern(int width, int height) {
  Bitmap b = Bitmap::Uninitialized(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      b.Set(x, y, RgbPixel(x % 256, y % 256, 20 + 40 * (x / 256) + 10 * (y / 256)));
  return b;
}

// The see-through area on the screen: the list box inside its border.
RECT SeeThroughArea(const TForm4& form) {
  RECT area{};
  GetClientRect(form.mv.Hwnd(), &area);
  MapWindowPoints(form.mv.Hwnd(), nullptr, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

test::Pixels SeenThrough(const TForm4& form) {
  const RECT area = SeeThroughArea(form);
  return test::Screen(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

::testing::AssertionResult SamePixels(const test::Pixels& seen, const Bitmap& piece) {
  if (seen.Width() != piece.Width() || seen.Height() != piece.Height())
    return ::testing::AssertionFailure() << seen.Width() << " x " << seen.Height() << " seen, the piece is "
                                         << piece.Width() << " x " << piece.Height();
  for (int y = 0; y < seen.Height(); ++y)
    for (int x = 0; x < seen.Width(); ++x)
      if (seen.At(x, y) != ColorOf(piece.At(x, y)))
        return ::testing::AssertionFailure() << "differs at " << x << "," << y;
  return ::testing::AssertionSuccess();
}

class CopyWindowSession : public CopyWindow {
 protected:
  void SetUp() override {
    TForm2& surface = Form2();
    Layers& layers = surface.LayerImages();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    layers.i2 = Bitmap(width, height, RgbPixel(90, 90, 90));
    layers.i4 = Bitmap(width, height, RgbPixel(90, 90, 90));
    layers.i5 = Bitmap(width, height, kKeyPixel);
    surface.Show();
    OpenSession(layers, ScreenPattern(width, height), surface.ClientWidth(), surface.ClientHeight(), true);
    surface.Invalidate();
    form.SetBounds({300, 200, 320, 260});
    form.Show();
  }
  void TearDown() override {
    Form2().Hide();
    Form2().LayerImages() = Layers{};
  }
  static Layers& Surface() { return Form2().LayerImages(); }
  // The layer pixels under a point of the screen.
  static Point AreaOnLayers(const TForm4& copy) {
    const RECT area = SeeThroughArea(copy);
    return {area.left - Form2().Left(), area.top - Form2().Top()};
  }
};

TEST_F(CopyWindowSession, CopyLiftsWhatIsSeenThroughAndPasteLaysItWhereTheAreaThenLies) {
  form.Repaint();
  Form2().Repaint();
  test::PumpFor(200);
  const test::Pixels seen = SeenThrough(form);
  form.bcClick();
  const Bitmap& piece = form.HeldPiece();
  EXPECT_EQ(piece.Width(), form.mv.Width() - 4);
  EXPECT_EQ(piece.Height(), form.mv.Height() - 4);
  EXPECT_TRUE(SamePixels(seen, piece));
  const Point from = AreaOnLayers(form);

  // Holding: the window shows the piece at the top-left of its main area, the
  // surface the composed layer.
  EXPECT_TRUE(form.Holding());
  EXPECT_FALSE(form.mv.Visible());
  const auto shown = test::PaintedClient(form);
  EXPECT_EQ(shown.At(0, 0), ColorOf(piece.At(0, 0)));
  EXPECT_EQ(shown.At(120, 70), ColorOf(piece.At(120, 70)));
  EXPECT_EQ(Surface().i1.At(from.x, from.y), RgbPixel(90, 90, 90));

  // Moved and resized, "Paste" lays the held piece, its size kept, under the area.
  form.SetBounds({500, 100, 400, 330});
  form.bpClick();
  EXPECT_FALSE(form.Holding());
  EXPECT_TRUE(form.mv.Visible());
  const Point to = AreaOnLayers(form);
  for (const Bitmap* layer : {&Surface().i1, &Surface().i4, &Surface().i5, &Surface().i31}) {
    EXPECT_EQ(layer->At(to.x, to.y), piece.At(0, 0));
    EXPECT_EQ(layer->At(to.x + piece.Width() - 1, to.y + piece.Height() - 1),
              piece.At(piece.Width() - 1, piece.Height() - 1));
  }
  EXPECT_EQ(Surface().i4.At(to.x + piece.Width(), to.y), RgbPixel(90, 90, 90));
  EXPECT_EQ(Surface().i5.At(to.x, to.y + piece.Height()), kKeyPixel);
  // What the user now sees through the window, at its old size, is the piece.
  form.SetBounds({500, 100, 320, 260});
  form.Repaint();
  Form2().Repaint();
  test::PumpFor(200);
  EXPECT_TRUE(SamePixels(SeenThrough(form), piece));
}

TEST_F(CopyWindowSession, CloseShowsTheToolbarTheCloseBoxOnlyRestartsTheSpacePoll) {
  std::vector<std::string> calls;
  form.SetToolbarHooks({.spacePoll = [&](bool on) { calls.push_back(on ? "poll on" : "poll off"); },
                        .show = [&] { calls.push_back("show toolbar"); }});
  form.bcClick();
  form.BitBtn1Click();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(calls, (std::vector<std::string>{"poll on", "show toolbar", "poll on"}));

  // Reopened, it holds the piece still; the close box does not show the toolbar.
  // Opening takes the colour key anew, also when the window lost its layered style meanwhile.
  calls.clear();
  SetWindowLongPtrA(form.Handle(), GWL_EXSTYLE,
                    GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE) & ~WS_EX_LAYERED);
  form.RenewColorKey();
  COLORREF key = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), &key, nullptr, &flags));
  EXPECT_EQ(key, kSkyBlueRef);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
  form.Show();
  EXPECT_TRUE(form.Holding());
  EXPECT_FALSE(form.HeldPiece().Empty());
  SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(calls, (std::vector<std::string>{"poll on"}));
}

}  // namespace
}  // namespace velmora
