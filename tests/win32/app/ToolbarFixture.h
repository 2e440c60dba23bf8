#pragma once
// The program's toolbar in a test: its start-up routine never runs (the test
// is not the program), its face pictures are solid colours that tell them
// apart, and every test begins with every face at rest, "Brush" selected,
// the windows hidden and the pointer away from every window.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/Unit1.h"
#include "base/Geometry.h"

namespace velmora::test {

// Clear of the toolbar, text, copy and options windows at their layout places.
inline constexpr Point kPointerAway{1200, 20};

// The colours of the face pictures, as the screen shows them.
inline constexpr COLORREF kNormal = RGB(0, 0, 160);
inline constexpr COLORREF kHover = RGB(90, 150, 255);
inline constexpr COLORREF kPressed = RGB(210, 230, 255);

class ToolbarTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;

  TForm1& form = Form1();
};

void PointerAt(Point screen);
// The mouse message at the middle of a control, sent to the window it lies on.
void SendMouseOver(const GraphicControl& control, UINT msg, WPARAM keys = 0);
// Where a toolbar control lies on the screen.
Rect OnScreen(const TForm1& form, const Control& control);

}  // namespace velmora::test
