#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "copywindow/copywindow.h"
#include "note/note.h"
#include "options/options.h"
#include "tests/win32/app/ToolbarFixture.h"
#include "tests/win32/ui/UiTestSupport.h"
#include "ui/HoverScheme.h"
#include "ui/HoverTest.h"

namespace velmora {
namespace {

using test::OnScreen;
using test::PointerAt;
using test::SendMouseOver;

class HoverScheme : public test::ToolbarTest {};

// Buttons are not looked at; the right one is used so that no click handler runs.
void Press(const GraphicControl& control) {
  SendMouseOver(control, WM_RBUTTONDOWN, MK_RBUTTON);
}
void Release(const GraphicControl& control) {
  SendMouseOver(control, WM_RBUTTONUP);
}

TEST_F(HoverScheme, ACommandFaceHoversUntilATickFindsThePointerOffItsFarEdges) {
  // Over the caption "Done", which acts as its face.
  SendMouseOver(form.Label1, WM_MOUSEMOVE);
  EXPECT_EQ(form.Image1.Picture(), form.iba.Picture());
  EXPECT_TRUE(form.Image1.AutoSize());
  EXPECT_EQ(form.Image1.Bounds(), (Rect{78, 168, 85, 30}));
  EXPECT_TRUE(HoverFlag());
  EXPECT_EQ(HoveredImage(), &form.Image1);
  EXPECT_TRUE(form.tact.Enabled());
  EXPECT_FALSE(form.tact2.Enabled());
  EXPECT_EQ(test::PaintedClient(form).At(80, 170), test::kHover);

  // Pressed and released: pressed picture, then the hover picture again.
  Press(form.Image1);
  EXPECT_EQ(form.Image1.Picture(), form.ibp.Picture());
  Release(form.Image1);
  EXPECT_EQ(form.Image1.Picture(), form.iba.Picture());

  // Straight onto "Cancel last": the first face keeps the hover.
  SendMouseOver(form.Label8, WM_MOUSEMOVE);
  EXPECT_EQ(form.Image8.Picture(), form.ibn.Picture());
  EXPECT_EQ(HoveredImage(), &form.Image1);

  // The bottom-right corner is still over the face; one pixel further is not.
  const Rect done = OnScreen(form, form.Image1);
  PointerAt({done.Right(), done.Bottom()});
  form.tactTimer();
  EXPECT_EQ(form.Image1.Picture(), form.iba.Picture());
  EXPECT_TRUE(form.tact.Enabled());
  PointerAt({done.Right() + 1, done.Bottom()});
  form.tactTimer();
  EXPECT_EQ(form.Image1.Picture(), form.ibn.Picture());
  EXPECT_FALSE(HoverFlag());
  EXPECT_FALSE(form.tact.Enabled());

  // Only now does a move over the second face give it the hover; the
  // running timer ends it once the pointer is elsewhere, the toolbar hidden.
  SendMouseOver(form.Label8, WM_MOUSEMOVE);
  EXPECT_EQ(form.Image8.Picture(), form.iba.Picture());
  PointerAt(test::kPointerAway);
  EXPECT_TRUE(test::PumpUntil([&] { return !HoverFlag(); }));
  EXPECT_EQ(form.Image8.Picture(), form.ibn.Picture());
  EXPECT_FALSE(form.tact.Enabled());
}

TEST_F(HoverScheme, OnlyUnselectedToolsHoverAndAToolChosenWhileHoveredStaysPressed) {
  // "Brush" is selected: its label, icon and face show no hover.
  const GraphicControl* brushParts[] = {&form.ib3, &form.Image5, &form.Label2};
  for (const GraphicControl* part : brushParts) SendMouseOver(*part, WM_MOUSEMOVE);
  EXPECT_FALSE(HoverFlag());
  EXPECT_EQ(form.ib3.Picture(), form.ib2p.Picture());

  // "Erase all", not selected, left without a click: back to the normal face.
  SendMouseOver(form.Image3, WM_MOUSEMOVE);  // its icon
  EXPECT_EQ(form.ib1.Picture(), form.ib2a.Picture());
  EXPECT_TRUE(form.tact2.Enabled());
  EXPECT_FALSE(form.tact.Enabled());
  PointerAt(test::kPointerAway);
  form.tact2Timer();
  EXPECT_EQ(form.ib1.Picture(), form.ib2n.Picture());
  EXPECT_FALSE(HoverFlag());
  EXPECT_FALSE(form.tact2.Enabled());

  // "Erase last" hovered, pressed (pressed at once), clicked: selected, and it
  // keeps the pressed picture once the pointer has left.
  SendMouseOver(form.Label3, WM_MOUSEMOVE);
  EXPECT_EQ(form.ib2.Picture(), form.ib2a.Picture());
  SendMouseOver(form.Label3, WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(form.ib2.Picture(), form.ib2p.Picture());
  SendMouseOver(form.Label3, WM_LBUTTONUP);
  EXPECT_EQ(form.ib2.Tag(), 1);
  EXPECT_EQ(form.SelectedTool(), Tool::kEraseLast);
  EXPECT_TRUE(form.tact2.Enabled());
  EXPECT_TRUE(test::PumpUntil([&] { return !HoverFlag(); }));
  EXPECT_EQ(form.ib2.Picture(), form.ib2p.Picture());
  EXPECT_EQ(form.ib3.Picture(), form.ib2n.Picture());
}

TEST_F(HoverScheme, ChoosingAToolSelectsExactlyThatOneWithItsPressedFaceAndBlackLabel) {
  struct ToolParts {
    Image& face;
    Label& label;
    Tool tool;
  };
  const ToolParts tools[] = {{form.ib2, form.Label3, Tool::kEraseLast},
                             {form.ib1, form.Label4, Tool::kEraseAll},
                             {form.ib3, form.Label2, Tool::kBrush},
                             {form.ib3, form.Label2, Tool::kBrush}};  // again: stays selected
  for (const ToolParts& chosen : tools) {
    SCOPED_TRACE(chosen.label.Caption());
    SendMouseOver(chosen.label, WM_LBUTTONDOWN, MK_LBUTTON);
    SendMouseOver(chosen.label, WM_LBUTTONUP);
    EXPECT_EQ(form.SelectedTool(), chosen.tool);
    for (const ToolParts& other : tools) {
      const bool selected = &other.face == &chosen.face;
      EXPECT_EQ(other.face.Tag(), selected ? 1 : 0);
      EXPECT_EQ(other.face.Picture(), (selected ? form.ib2p : form.ib2n).Picture());
      EXPECT_EQ(other.label.Font().color, selected ? colors::kBlack : colors::kWhite);
    }
  }
  // The icon clicks as its face.
  test::LeftClick(form.Handle(), form.Image2.Left() + 2, form.Image2.Top() + 2);
  EXPECT_EQ(form.SelectedTool(), Tool::kEraseLast);

  // A small shape face, through its icon: it alone is selected, with the small
  // pressed face; the layout's tools rest with white labels.
  SendMouseOver(form.ImageEllipse, WM_MOUSEMOVE);
  EXPECT_EQ(form.ibEllipse.Picture(), form.ib3a.Picture());
  test::LeftClick(form.Handle(), form.ImageEllipse.Left() + 2, form.ImageEllipse.Top() + 2);
  EXPECT_EQ(form.SelectedTool(), Tool::kEllipse);
  PointerAt(test::kPointerAway);
  form.tact2Timer();
  EXPECT_EQ(form.ibEllipse.Picture(), form.ib3p.Picture());
  for (const TForm1::ToolFace& other : form.ToolFaces()) {
    if (other.tool == Tool::kEllipse) continue;
    EXPECT_EQ(other.face->Tag(), 0);
    EXPECT_EQ(other.face->Picture(), (form.SmallToolFace(*other.face) ? form.ib3n : form.ib2n).Picture());
    if (other.label) {
      EXPECT_EQ(other.label->Font().color, colors::kWhite);
    }
  }
  // An unselected small face hovered and left rests with the small normal face.
  SendMouseOver(form.ibArrow, WM_MOUSEMOVE);
  EXPECT_EQ(form.ibArrow.Picture(), form.ib3a.Picture());
  form.tact2Timer();
  EXPECT_EQ(form.ibArrow.Picture(), form.ib3n.Picture());
  form.SelectTool(Tool::kBrush);
  EXPECT_EQ(form.ib3.Picture(), form.ib2p.Picture());
  EXPECT_EQ(form.ibEllipse.Picture(), form.ib3n.Picture());
}

// A hover button of a framed window: the face, what the pointer moves over,
// the window whose `tact` ends the hover, the panel the face lies on.
struct FramedButton {
  std::string name;
  Image& face;
  GraphicControl& caption;
  Form& window;
  Timer& tact;
  const Control* panel;
  bool pressedLook;
};

TEST_F(HoverScheme, FramedWindowsHoverWithTheirOwnTimerAndTheFrameAllowances) {
  TForm3& text = Form3();
  TForm4& copy = Form4();
  TForm7& options = Form7();
  const std::vector<FramedButton> buttons = {
      {"text Done", text.Image1, text.Label1, text, text.tact, &text.Panel1, false},
      {"text Font", text.Image2, text.Label2, text, text.tact, &text.Panel1, true},
      {"copy Paste", copy.Image3, copy.Label2, copy, copy.tact, &copy.Panel1, true},
      {"options Done", options.Image3, options.Label5, options, options.tact, nullptr, true},
      {"options Randomize", options.Image4, options.Label6, options, options.tact, nullptr, true}};
  options.CenterOnScreen();
  for (const FramedButton& b : buttons) {
    SCOPED_TRACE(b.name);
    SendMouseOver(b.caption, WM_MOUSEMOVE);
    EXPECT_EQ(b.face.Picture(), form.iba.Picture());
    EXPECT_EQ(HoveredImage(), &b.face);
    EXPECT_TRUE(b.tact.Enabled());
    EXPECT_FALSE(form.tact.Enabled());

    SendMouseOver(b.face, WM_RBUTTONDOWN, MK_RBUTTON);
    EXPECT_EQ(b.face.Picture(), (b.pressedLook ? form.ibp : form.iba).Picture());
    SendMouseOver(b.face, WM_RBUTTONUP);
    EXPECT_EQ(b.face.Picture(), form.iba.Picture());

    // Over the face: from the window's outer corner plus 4 and 29 (and the
    // panel's top), far edges included.
    const int panelTop = b.panel ? b.panel->Top() : 0;
    const Point corner{b.window.Left() + kFrameAllowance.x + b.face.Left(),
                       b.window.Top() + kFrameAllowance.y + panelTop + b.face.Top()};
    PointerAt(corner);
    b.tact.Fire();
    PointerAt({corner.x + b.face.Width(), corner.y + b.face.Height()});
    b.tact.Fire();
    EXPECT_EQ(b.face.Picture(), form.iba.Picture());
    EXPECT_TRUE(HoverFlag());
    PointerAt({corner.x + b.face.Width(), corner.y + b.face.Height() + 1});
    b.tact.Fire();
    EXPECT_EQ(b.face.Picture(), form.ibn.Picture());
    EXPECT_FALSE(HoverFlag());
    EXPECT_FALSE(b.tact.Enabled());
  }
}

TEST_F(HoverScheme, OneHoverInTheWholeProgram) {
  TForm4& copy = Form4();
  SendMouseOver(form.Label1, WM_MOUSEMOVE);
  SendMouseOver(copy.Label1, WM_MOUSEMOVE);
  SendMouseOver(form.Label4, WM_MOUSEMOVE);
  EXPECT_EQ(HoveredImage(), &form.Image1);
  EXPECT_EQ(copy.Image2.Picture(), form.ibn.Picture());
  EXPECT_EQ(form.ib1.Picture(), form.ib2n.Picture());
  EXPECT_FALSE(copy.tact.Enabled());
  EXPECT_FALSE(form.tact2.Enabled());

  // Once the toolbar's hover has ended, the copy window's face takes the
  // hover, and the copy window's own timer ends it.
  EXPECT_TRUE(test::PumpUntil([&] { return !HoverFlag(); }));
  SendMouseOver(copy.Label1, WM_MOUSEMOVE);
  EXPECT_EQ(HoveredImage(), &copy.Image2);
  EXPECT_EQ(copy.Image2.Picture(), form.iba.Picture());
  EXPECT_TRUE(test::PumpUntil([&] { return !HoverFlag(); }));
  EXPECT_EQ(copy.Image2.Picture(), form.ibn.Picture());
  EXPECT_FALSE(copy.tact.Enabled());
}

}  // namespace
}  // namespace velmora
