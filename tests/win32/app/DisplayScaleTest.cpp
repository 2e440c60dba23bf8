// The windows on a monitor of another DPI: WM_DPICHANGED moves a window into
// the rectangle the system suggests and lays its controls, fonts and faces out
// anew; at every scale the toolbar's captions stay inside their faces.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>
#include <vector>

#include "message/messgae.h"
#include "note/note.h"
#include "tests/win32/app/ToolbarFixture.h"
#include "ui/Gdi.h"

namespace velmora {
namespace {

int FontHeightOf(HWND control) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

void SendDpiChanged(Form& form, int dpi, const Rect& suggested) {
  RECT r = ToRECT(suggested);
  SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
}

TEST(DisplayScale, TheTextWindowTakesTheSuggestedRectangleAndItsLayoutTheNewScale) {
  TForm3& form = Form3();
  ASSERT_EQ(form.Dpi(), 96);
  const Rect before = form.OuterBounds();
  const int memoFont = FontHeightOf(form.m1.Hwnd());
  const int captionHeight = form.Label1.Height();

  SendDpiChanged(form, 192, {100, 50, 410, 714});
  EXPECT_EQ(form.Dpi(), 192);
  EXPECT_EQ(form.OuterBounds(), (Rect{100, 50, 410, 714}));
  // The bottom panel and what lies on it at twice their layout, the memo filling the rest.
  const Size client = form.ClientSize();
  EXPECT_EQ(form.Panel1.Bounds(), (Rect{0, client.height - 166, client.width, 166}));
  EXPECT_EQ(form.m1.Bounds(), (Rect{0, 0, client.width, client.height - 166}));
  EXPECT_EQ(form.Image1.Bounds(), (Rect{16, 12, 170, 60}));
  EXPECT_EQ(form.Image2.Bounds(), (Rect{208, 92, 170, 60}));
  EXPECT_EQ(form.cbn.Bounds(), (Rect{208, 22, 170, 44}));
  EXPECT_EQ(SendMessageA(form.cbn.Hwnd(), CB_GETITEMHEIGHT, 0, 0), 32);
  // Fonts at the new DPI: the note font keeps its points, the captions grow with the layout.
  EXPECT_EQ(FontHeightOf(form.m1.Hwnd()), 2 * memoFont);
  EXPECT_NEAR(form.Label1.Height(), 2 * captionHeight, 2);
  EXPECT_LE(form.Label1.Bounds().Right(), form.Image1.Bounds().Right());

  // Back on a 96-DPI monitor, everything is as it was laid out.
  SendDpiChanged(form, 96, before);
  EXPECT_EQ(form.Dpi(), 96);
  EXPECT_EQ(form.OuterBounds(), before);
  EXPECT_EQ(form.Image1.Bounds(), (Rect{8, 6, 85, 30}));
  EXPECT_EQ(form.Panel1.Height(), 83);
  EXPECT_EQ(FontHeightOf(form.m1.Hwnd()), memoFont);
  EXPECT_EQ(form.Label1.Height(), captionHeight);
}

TEST(DisplayScale, TheStatusMessageAtTwiceTheScaleFitsItsTextWithTwiceTheMargin) {
  TForm6 form;
  const std::string text = "Please, whate while changing wallpaper ...";
  form.ShowStatus(text);
  const int width96 = form.Width(), textHeight96 = form.Label1.Height();
  form.ChangeDpi(192, nullptr);
  form.ShowStatus(text);
  EXPECT_EQ(form.Height(), 102);
  EXPECT_EQ(form.Label1.Bounds().TopLeft(), (Point{16, 16}));
  EXPECT_EQ(form.Width(), form.Label1.Width() + 32);
  EXPECT_NEAR(form.Width(), 2 * width96, 8);  // a font twice as high is about twice as wide
  EXPECT_NEAR(form.Label1.Height(), 2 * textHeight96, 2);
  form.Hide();
}

using test::ToolbarTest;

TEST_F(ToolbarTest, AtEveryScaleTheCaptionsStayOnTheirFacesAndTheWindowKeepsItsPlace) {
  const std::vector<std::pair<const Label*, const Image*>> onFaces = {
      {&form.Label1, &form.Image1}, {&form.Label9, &form.Image9}, {&form.Label8, &form.Image8},
      {&form.Label7, &form.Image7}, {&form.Label6, &form.Image6}, {&form.Label2, &form.ib3},
      {&form.Label3, &form.ib2},    {&form.Label4, &form.ib1}};
  for (int dpi : {120, 144, 192}) {
    SCOPED_TRACE(dpi);
    form.ChangeDpi(dpi, nullptr);
    EXPECT_EQ(form.Left(), 192);
    EXPECT_NEAR(form.Width(), ToDpi(233, dpi), 1);
    EXPECT_NEAR(form.Height(), ToDpi(218, dpi), 1);
    for (const auto& [label, face] : onFaces) {
      SCOPED_TRACE(label->Caption());
      EXPECT_GE(label->Left(), face->Left());
      EXPECT_LE(label->Bounds().Right(), face->Bounds().Right());
      EXPECT_LE(label->Bounds().Bottom(), face->Bounds().Bottom());
    }
    EXPECT_LE(form.Label5.Bounds().Right(), form.ClientWidth());
    // "Show windows" beside its box, within the check box.
    const Size caption = TextExtent(form.sw.Font(), dpi, "Show windows");
    EXPECT_LE(caption.width + GetSystemMetrics(SM_CXMENUCHECK) * dpi / 96, form.sw.Width());
    EXPECT_EQ(form.siz.Bounds(), ToDpi(Rect{16, 102, 100, 25}, dpi));
  }
  form.ChangeDpi(96, nullptr);
  EXPECT_EQ(form.Width(), 233);
  EXPECT_EQ(form.Image1.Bounds(), (Rect{78, 168, 85, 30}));
}

}  // namespace
}  // namespace velmora
