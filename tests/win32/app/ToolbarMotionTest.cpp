#include <gtest/gtest.h>

#include <windows.h>

#include "app/ToolbarMotion.h"
#include "picture/Unit2.h"
#include "tests/win32/app/ToolbarFixture.h"
#include "tests/win32/ui/UiTestSupport.h"

namespace velmora {
namespace {

using test::PointerAt;
using test::PumpUntil;
using test::SendMouse;

class ToolbarMotion : public test::ToolbarTest {
 protected:
  void TearDown() override {
    keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
    ToolbarTest::TearDown();
  }

  bool At(Point topLeft) const { return form.Left() == topLeft.x && form.Top() == topLeft.y; }
};

TEST_F(ToolbarMotion, DraggingTheBackgroundWithAnyButtonKeepsThePointerWhereItTookTheWindow) {
  // Taken at (6, 150) of the window, on the background beside the tools.
  SendMouse(form.Handle(), WM_RBUTTONDOWN, 6, 150, MK_RBUTTON);
  EXPECT_TRUE(form.tm.Enabled());
  PointerAt({500, 400});
  EXPECT_TRUE(PumpUntil([&] { return At({494, 250}); })) << form.Left() << "," << form.Top();
  PointerAt({520, 160});
  EXPECT_TRUE(PumpUntil([&] { return At({514, 10}); })) << form.Left() << "," << form.Top();
  SendMouse(form.Handle(), WM_RBUTTONUP, 6, 150);
  EXPECT_FALSE(form.tm.Enabled());

  // The left button drags as well, from wherever the window now is.
  SendMouse(form.Handle(), WM_LBUTTONDOWN, 225, 100, MK_LBUTTON);
  PointerAt({800, 600});
  EXPECT_TRUE(PumpUntil([&] { return At({575, 500}); })) << form.Left() << "," << form.Top();
  SendMouse(form.Handle(), WM_LBUTTONUP, 225, 100);
  EXPECT_FALSE(form.tm.Enabled());

  // Released before `tm` has ticked: the window still goes where the pointer let go.
  SendMouse(form.Handle(), WM_LBUTTONDOWN, 10, 160, MK_LBUTTON);
  SetCursorPos(300, 300);
  SendMouse(form.Handle(), WM_LBUTTONUP, 10, 160);
  EXPECT_TRUE(At({290, 140})) << form.Left() << "," << form.Top();

  // Faces, labels and the other controls start no drag.
  const GraphicControl* others[] = {&form.ib3, &form.Label1, &form.Label5, &form.Image9};
  for (const GraphicControl* control : others) {
    test::SendMouseOver(*control, WM_RBUTTONDOWN, MK_RBUTTON);
    EXPECT_FALSE(form.tm.Enabled());
    test::SendMouseOver(*control, WM_RBUTTONUP);
  }
}

// Space down, as the system sees it. Wine takes the keyboard state from the X
// server again whenever one of its windows gains the focus, which drops a
// synthetic press; it is pressed again until it holds.
void HoldSpace() {
  ASSERT_TRUE(PumpUntil([] {
    if (GetAsyncKeyState(VK_SPACE) & 0x8000) return true;
    keybd_event(VK_SPACE, 0, 0, 0);
    return false;
  }));
}

void ReleaseSpace() {
  keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
  ASSERT_TRUE(PumpUntil([] { return GetAsyncKeyState(VK_SPACE) == 0; }));
}

TEST_F(ToolbarMotion, SpaceTogglesTheToolbarOnlyWhileTheDrawingSurfaceIsShown) {
  // No drawing session: nothing happens.
  form.Show();
  const bool hiddenBefore = SpaceHidden();
  HoldSpace();
  form.shtTimer();
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(SpaceHidden(), hiddenBefore);

  // During a session, each tick that finds Space down toggles the toolbar.
  Form2().Show();
  form.Show();
  HoldSpace();
  form.shtTimer();
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(SpaceHidden());
  HoldSpace();
  form.shtTimer();
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(SpaceHidden());

  // Released: ticks change nothing.
  ReleaseSpace();
  form.shtTimer();
  EXPECT_TRUE(form.Visible());

  // The running poll, every 100 ms.
  form.sht.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] {
    if (form.Visible()) keybd_event(VK_SPACE, 0, 0, 0);
    return !form.Visible();
  }));
  form.sht.SetEnabled(false);
  EXPECT_TRUE(SpaceHidden());
}

}  // namespace
}  // namespace velmora
