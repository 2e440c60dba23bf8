#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "copywindow/copywindow.h"
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

}  // namespace
}  // namespace velmora
