#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/about.h"
#include "shellutil/PathUtil.h"
#include "tests/win32/ui/UiTestSupport.h"
#include "ui/Shell.h"

namespace velmora {
namespace {

using test::LeftClick;
using test::PaintedClient;
using test::SendMouse;

constexpr COLORREF kSkyBlueRef = RGB(166, 202, 240);

class About : public ::testing::Test {
 protected:
  About() {
    form.SetShellOpener([this](const std::string& target) { opened.push_back(target); });
  }
  // A click in the middle of a control.
  void ClickOn(const GraphicControl& c) {
    LeftClick(form.Handle(), c.Left() + c.Width() / 2, c.Top() + c.Height() / 2);
  }

  TForm10 form;
  std::vector<std::string> opened;
};

TEST_F(About, IsABorderlessColourKeyedCardCentredWhenShown) {
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.Caption(), "About");
  EXPECT_EQ(form.ClientSize(), (Size{500, 350}));
  EXPECT_EQ(form.Width(), 500);
  const LONG_PTR style = GetWindowLongPtrA(form.Handle(), GWL_STYLE);
  EXPECT_FALSE(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_BORDER));
  COLORREF key = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), &key, nullptr, &flags));
  EXPECT_EQ(key, kSkyBlueRef);
  EXPECT_TRUE(flags & LWA_COLORKEY);

  const auto pixels = PaintedClient(form);
  // Everything outside the rounded card is the see-through colour.
  for (auto [x, y] : {std::pair{0, 0}, {499, 0}, {0, 349}, {499, 349}, {5, 5}})
    EXPECT_EQ(pixels.At(x, y), kSkyBlueRef);
  EXPECT_EQ(pixels.At(250, 0), RGB(0, 0, 0));          // the card's outline
  EXPECT_EQ(pixels.At(250, 260), RGB(255, 255, 255));  // the card
  EXPECT_EQ(pixels.At(75, 24), RGB(0, 0, 255));        // the title band
  EXPECT_EQ(pixels.At(10, 81), RGB(0, 0, 255));        // the rules
  EXPECT_EQ(pixels.At(489, 182), RGB(0, 0, 255));
  EXPECT_EQ(pixels.At(130, 320), GetSysColor(COLOR_BTNFACE));  // the OK face
  EXPECT_GT(pixels.Count(RGB(255, 255, 255), 93, 8, form.Label1.Width(), form.Label1.Height()), 20);
  EXPECT_GT(pixels.Count(RGB(0, 0, 0), 229, 306, form.Label11.Width(), form.Label11.Height()), 20);
  EXPECT_EQ(pixels.Count(kSkyBlueRef, 1, 100, 498, 200), 0);

  form.Show();
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(form.OuterBounds(), (Rect{(cx - 500) / 2, (cy - 350) / 2, 500, 350}));
  form.Hide();
}

TEST_F(About, ShowsTheProductAndTheContactsAtTheirPlaces) {
  struct Expected {
    const Label& label;
    Point at;
    std::string text;
    bool bold;
    bool link;
  };
  const Expected table[] = {
      {form.Label1, {93, 8}, "Velmora", true, false},
      {form.Label2, {256, 45}, "Version: ", false, false},
      {form.Label3, {307, 45}, "0", false, false},
      {form.Label5, {24, 101}, "Program created by ", false, false},
      {form.Label6, {179, 101}, contacts::kMakerName, true, false},
      {form.Label7, {24, 125}, "E-mail:", false, false},
      {form.Label8, {204, 125}, contacts::kMakerMail, true, true},
      {form.Label9, {24, 149}, "Web site: ", false, false},
      {form.Label10, {211, 149}, contacts::kMakerWeb, true, true},
      {form.Label12, {24, 189}, "Program web page:", false, false},
      {form.Label13, {197, 189}, contacts::kProgramWeb, true, true},
      {form.Label14, {24, 213}, "Program support e-mail:", false, false},
      {form.Label15, {185, 213}, contacts::kSupportMail, true, true},
      {form.Label16, {24, 237}, "On-line support ICQ#", false, false},
      {form.Label17, {224, 237}, contacts::kSupportNumber, true, true},
      {form.Label18, {143, 277}, "Thank you for using our software!", true, false},
      {form.Label11, {229, 306}, "OK", true, true},
  };
  for (const auto& e : table) {
    SCOPED_TRACE(e.text);
    EXPECT_EQ(e.label.Bounds().TopLeft(), e.at);
    EXPECT_EQ(e.label.Caption(), e.text);
    EXPECT_EQ(e.label.Font().name, "Arial");
    EXPECT_EQ(e.label.Font().bold, e.bold);
    EXPECT_EQ(e.label.Font().height, &e.label == &form.Label1 || &e.label == &form.Label11 ? 27 : 13);
    EXPECT_EQ(e.label.GetCursor() == Cursor::kHand, e.link);
  }
  EXPECT_TRUE(form.Label18.Font().italic);
  EXPECT_TRUE(form.Label11.Transparent());
  EXPECT_EQ(form.Shape5.GetCursor(), Cursor::kHand);
  form.Label3.SetCaption(kVersionLabel);
  EXPECT_EQ(form.Label3.Caption(), "1.0 build 3");
}

TEST_F(About, AddressesOpenInTheShellAndTheNumberGoesToTheClipboardAsDigits) {
  ClickOn(form.Label8);
  ClickOn(form.Label15);
  ClickOn(form.Label10);
  ClickOn(form.Label13);
  ClickOn(form.Label6);  // the maker's name is no link
  EXPECT_EQ(opened,
            (std::vector<std::string>{"mailto: info@velmora.example", "mailto: support@velmora.example",
                                      "https://velmora.example", "https://velmora.example/support"}));
  SetClipboardText(form.Handle(), "something else");
  ClickOn(form.Label17);
  EXPECT_EQ(ClipboardText(), DigitsOnly(contacts::kSupportNumber));
  EXPECT_EQ(ClipboardText(), "5550102026");
}

TEST_F(About, OnlyTheOkButtonClosesIt) {
  form.Show();
  // Escape and clicks elsewhere leave it open.
  PostMessageA(form.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  test::PumpFor(50);
  ClickOn(form.Label18);
  LeftClick(form.Handle(), 10, 340);
  EXPECT_TRUE(form.Visible());
  // A click on the text "OK".
  ClickOn(form.Label11);
  EXPECT_FALSE(form.Visible());
  // A press anywhere on the OK shape, even its corner beside the text.
  form.Show();
  SendMouse(form.Handle(), WM_LBUTTONDOWN, 117, 303, MK_LBUTTON);
  EXPECT_FALSE(form.Visible());
  SendMouse(form.Handle(), WM_LBUTTONUP, 117, 303);
  form.Show();
  SendMouse(form.Handle(), WM_RBUTTONDOWN, 380, 335, MK_RBUTTON);
  SendMouse(form.Handle(), WM_RBUTTONUP, 380, 335);
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(IsWindow(form.Handle()));
}

TEST_F(About, TheCornersOutsideTheCardShowWhatLiesBehindOnTheScreen) {
  // A plain window of a known colour behind the about window.
  Form behind({.className = "TBehindForm",
               .border = BorderStyle::kNone,
               .origin = {0, 0},
               .clientSize = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
               .color = colors::kLime});
  behind.Show();
  form.Show();
  form.Repaint();
  test::PumpFor(300);
  const Rect b = form.OuterBounds();
  const auto screen = test::Screen(b.left, b.top, b.width, b.height);
  EXPECT_EQ(screen.At(1, 1), RGB(0, 255, 0));
  EXPECT_EQ(screen.At(498, 348), RGB(0, 255, 0));
  EXPECT_EQ(screen.At(250, 260), RGB(255, 255, 255));
  form.Hide();
  behind.Hide();
}

}  // namespace
}  // namespace velmora
