#include <gtest/gtest.h>

#include <string>

#include "message/messgae.h"
#include "tests/win32/ui/UiTestSupport.h"
#include "ui/Gdi.h"

namespace velmora {
namespace {

TEST(StatusMessage, HasTheLayoutsLook) {
  TForm6 form;
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.Caption(), "Message");
  EXPECT_EQ(form.OuterBounds().GetSize(), (Size{115, 51}));
  EXPECT_FALSE(GetWindowLongPtrA(form.Handle(), GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
  EXPECT_TRUE(GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(form.Label1.Caption(), "-");
  EXPECT_EQ(form.Label1.Bounds().TopLeft(), (Point{8, 8}));
  const FontInfo& font = form.Label1.Font();
  EXPECT_EQ(font.name, "Arial");
  EXPECT_EQ(font.height, 32);
  EXPECT_TRUE(font.bold);
  EXPECT_EQ(font.charset, 204);
  EXPECT_EQ(font.color, colors::kWhite);
}

TEST(StatusMessage, ShowStatusFitsTheWidthToTheTextCentresAndPaintsAtOnce) {
  TForm6& form = Form6();
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  const std::string text = "Please, whate while changing wallpaper ...";
  ShowStatus(text);
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(form.Label1.Caption(), text);
  const int width = TextExtent(form.Label1.Font(), form.Dpi(), text).width + 16;
  EXPECT_EQ(form.Label1.Width() + 16, width);
  EXPECT_EQ(form.OuterBounds(), (Rect{(cx - width) / 2, (cy - 51) / 2, width, 51}));

  // No message is handled in between: the screen already shows the text.
  const Rect b = form.OuterBounds();
  const auto screen = test::Screen(b.left, b.top, b.width, b.height);
  EXPECT_EQ(screen.At(2, 2), RGB(0, 0, 255));
  EXPECT_EQ(screen.At(b.width - 3, 48), RGB(0, 0, 255));
  EXPECT_GT(screen.Count(RGB(255, 255, 255), 8, 8, b.width - 16, 35), 100);

  // Showing again replaces text and width but never the height; closing hides.
  ShowStatus("x");
  EXPECT_EQ(form.Height(), 51);
  EXPECT_EQ(form.Width(), form.Label1.Width() + 16);
  EXPECT_EQ(form.Left(), (cx - form.Width()) / 2);
  form.Close();
  EXPECT_FALSE(form.Visible());
}

TEST(StatusMessage, ATextWiderThanTheScreenGivesAWindowWiderThanTheScreen) {
  TForm6 form;
  const std::string text(200, 'W');
  form.ShowStatus(text);
  const int cx = GetSystemMetrics(SM_CXSCREEN);
  EXPECT_GT(form.Width(), cx);
  EXPECT_EQ(form.Width(), TextExtent(form.Label1.Font(), form.Dpi(), text).width + 16);
  EXPECT_LT(form.Left(), 0);
  EXPECT_EQ(form.Height(), 51);
  form.Close();
}

}  // namespace
}  // namespace velmora
