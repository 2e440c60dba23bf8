#include "tests/win32/app/ToolbarFixture.h"

#include <cstdint>
#include <vector>

#include "copywindow/copywindow.h"
#include "note/note.h"
#include "options/options.h"
#include "picture/Unit2.h"
#include "tests/win32/ui/UiTestSupport.h"
#include "ui/Gdi.h"
#include "ui/HoverScheme.h"

namespace velmora::test {
namespace {

void GiveSolidPicture(Image& image, COLORREF color) {
  const std::uint32_t pixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  const std::vector<std::uint32_t> pixels(static_cast<size_t>(image.Width() * image.Height()), pixel);
  image.SetPicture(BitmapFromPixels(image.Width(), image.Height(), pixels.data()));
}

}  // namespace

void ToolbarTest::SetUpTestSuite() {
  TForm1& toolbar = Form1();
  // Stopped before any message is handled, so its first tick never comes.
  toolbar.Timer1.SetEnabled(false);
  toolbar.Timer1.OnTimer([] {});
  // Nor does its icon stay in the notification area, where the icon tests
  // expect none but their own.
  toolbar.cti.reset();
  GiveSolidPicture(toolbar.ibn, kNormal);
  GiveSolidPicture(toolbar.iba, kHover);
  GiveSolidPicture(toolbar.ibp, kPressed);
  GiveSolidPicture(toolbar.ibi, RGB(128, 128, 128));
  GiveSolidPicture(toolbar.ib2n, RGB(0, 0, 128));
  GiveSolidPicture(toolbar.ib2a, RGB(60, 120, 240));
  GiveSolidPicture(toolbar.ib2p, RGB(150, 200, 255));
}

void ToolbarTest::SetUp() {
  PointerAt(kPointerAway);
  ForgetHover();
  for (Timer* timer :
       {&form.tact, &form.tact2, &form.tm, &form.sht, &Form3().tact, &Form4().tact, &Form7().tact})
    timer->SetEnabled(false);
  form.Hide();
  Form2().Hide();
  form.SetBounds({192, 109, 233, 218});
  form.GiveFaces();
  form.ib3Click();
}

void ToolbarTest::TearDown() {
  ForgetHover();
  form.Hide();
  Form2().Hide();
}

void PointerAt(Point screen) {
  SetCursorPos(screen.x, screen.y);
  POINT now{};
  ASSERT_TRUE(PumpUntil([&] { return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y; }))
      << "the pointer did not reach " << screen.x << "," << screen.y;
}

void SendMouseOver(const GraphicControl& control, UINT msg, WPARAM keys) {
  SendMouse(control.Parent().Handle(), msg, control.Left() + control.Width() / 2,
            control.Top() + control.Height() / 2, keys);
}

Rect OnScreen(const TForm1& form, const Control& control) {
  return control.Bounds().Offset(form.Left(), form.Top());
}

}  // namespace velmora::test
