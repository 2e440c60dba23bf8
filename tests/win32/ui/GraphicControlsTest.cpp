#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/GraphicControls.h"
#include "ui/Panels.h"

namespace velmora {
namespace {

using test::LeftClick;
using test::PaintedClient;
using test::SendMouse;
using test::Sys;

constexpr COLORREF kRedRef = RGB(255, 0, 0);
constexpr COLORREF kBlueRef = RGB(0, 0, 255);
constexpr COLORREF kWhiteRef = RGB(255, 255, 255);
constexpr COLORREF kBlackRef = RGB(0, 0, 0);
constexpr COLORREF kGreenRef = RGB(0, 255, 0);

FormProps Plain(const char* className, Size client) {
  return {.className = className, .border = BorderStyle::kNone, .clientSize = client, .color = colors::kBlue};
}

const FontInfo kArial13{.name = "Arial", .height = 13};

TEST(GraphicControls, ShapesPaintTheirFiguresOverTheFormLaterOnesOnTop) {
  Form form(Plain("TShapesForm", {200, 120}));
  Shape card(form, {.bounds = {0, 0, 200, 120}, .kind = ShapeKind::kRoundRect, .brush = {colors::kWhite}});
  Shape rule(form, {.bounds = {10, 80, 180, 3}, .pen = {.clear = true}, .brush = {colors::kRed}});
  Shape disc(form, {.bounds = {20, 10, 40, 60}, .kind = ShapeKind::kCircle, .brush = {colors::kBlack}});
  Shape cover(form, {.bounds = {0, 0, 200, 120}, .brush = {colors::kRed}, .visible = false});
  auto pixels = PaintedClient(form);
  // The corners outside the rounded card show the form's colour; its outline is black.
  EXPECT_EQ(pixels.At(0, 0), kBlueRef);
  EXPECT_EQ(pixels.At(199, 119), kBlueRef);
  EXPECT_EQ(pixels.At(100, 0), kBlackRef);
  EXPECT_EQ(pixels.At(100, 119), kBlackRef);
  EXPECT_EQ(pixels.At(150, 40), kWhiteRef);
  // A shape without outline covers exactly its size, 180 x 3; the hidden one nothing.
  EXPECT_EQ(pixels.Count(kRedRef, 0, 0, 200, 120), 180 * 3);
  EXPECT_EQ(pixels.At(10, 80), kRedRef);
  EXPECT_EQ(pixels.At(189, 82), kRedRef);
  // The circle is 40 across, centred in its 40 x 60 bounds: rows 20 to 59.
  EXPECT_EQ(pixels.At(40, 40), kBlackRef);
  EXPECT_EQ(pixels.At(40, 15), kWhiteRef);
  EXPECT_EQ(pixels.At(40, 22), kBlackRef);
  EXPECT_EQ(pixels.At(40, 62), kWhiteRef);

  // Later shapes lie on top; bringing one to the front changes that.
  cover.Show();
  cover.SetBounds({0, 0, 100, 120});
  rule.BringToFront();
  pixels = PaintedClient(form);
  EXPECT_EQ(pixels.At(40, 40), kRedRef);
  EXPECT_EQ(pixels.At(150, 40), kWhiteRef);
  EXPECT_EQ(pixels.Count(kRedRef, 100, 0, 100, 120), 90 * 3);
  disc.SetBrushColor(colors::kLime);
  disc.BringToFront();
  EXPECT_EQ(PaintedClient(form).At(40, 40), kGreenRef);
}

TEST(GraphicControls, LabelsSizeThemselvesToTheirTextAndFillOrKeepTheBackground) {
  Form form(Plain("TLabelsForm", {300, 100}));
  Label filled(form,
               {.bounds = {10, 10}, .caption = "Version: ", .font = kArial13, .color = colors::kWindow});
  Label over(form, {.bounds = {10, 50},
                    .caption = "OK",
                    .font = FontInfo{.name = "Arial", .height = 27, .bold = true, .color = colors::kBlack},
                    .transparent = true});
  const Size extent = TextExtent(kArial13, 96, "Version: ");
  EXPECT_EQ(filled.Bounds(), (Rect{10, 10, extent.width, extent.height}));
  EXPECT_GT(extent.width, 30);
  EXPECT_GE(extent.height, 13);

  const auto pixels = PaintedClient(form);
  const Rect f = filled.Bounds();
  const int window = pixels.Count(Sys(COLOR_WINDOW), f.left, f.top, f.width, f.height);
  const int text = pixels.Count(Sys(COLOR_WINDOWTEXT), f.left, f.top, f.width, f.height);
  EXPECT_GT(window, f.width * f.height / 2);
  EXPECT_GT(text, 10);
  EXPECT_EQ(pixels.At(f.Right(), f.top), kBlueRef);
  const Rect o = over.Bounds();
  EXPECT_GT(pixels.Count(kBlueRef, o.left, o.top, o.width, o.height), o.width * o.height / 3);
  EXPECT_GT(pixels.Count(kBlackRef, o.left, o.top, o.width, o.height), 20);

  // A longer caption widens the label; an empty one keeps a line's height.
  filled.SetCaption("Version: 1.0 build 3");
  EXPECT_EQ(filled.Width(), TextExtent(kArial13, 96, "Version: 1.0 build 3").width);
  filled.SetCaption("");
  EXPECT_EQ(filled.Height(), extent.height);
  EXPECT_GT(filled.Width(), 0);

  // A right-aligned label keeps its right edge.
  Label right(
      form,
      {.bounds = {100, 70, 80, 10}, .caption = "abc", .font = kArial13, .alignment = TextAlign::kRight});
  EXPECT_EQ(right.Bounds().Right(), 180);
  right.SetCaption("abcdef");
  EXPECT_EQ(right.Bounds().Right(), 180);
  Label fixed(form, {.bounds = {0, 0, 193, 13}, .caption = "Press", .autoSize = false});
  EXPECT_EQ(fixed.Bounds(), (Rect{0, 0, 193, 13}));

  // Disabled text is drawn in the shadow colour instead of the font's.
  over.SetEnabled(false);
  const auto disabled = PaintedClient(form);
  EXPECT_EQ(disabled.Count(kBlackRef, o.left, o.top, o.width, o.height), 0);
  EXPECT_GT(disabled.Count(Sys(COLOR_BTNSHADOW), o.left, o.top, o.width + 1, o.height + 1), 20);
}

TEST(GraphicControls, ImagesDrawTheirPictureStretchedPlainOrWithASeeThroughColour) {
  Form form(Plain("TImagesForm", {100, 100}));
  // 2 x 2: red, green / blue, white (top-down, blue-green-red-unused).
  const std::uint32_t quad[] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF};
  Image stretched(form, {.bounds = {0, 0, 20, 20}, .stretch = true});
  stretched.SetPicture(BitmapFromPixels(2, 2, quad));
  Image plain(form, {.bounds = {40, 0, 20, 20}});
  plain.AssignPicture(stretched);
  Image sized(form, {.bounds = {70, 0, 1, 1}, .autoSize = true});
  sized.AssignPicture(stretched);
  EXPECT_EQ(sized.Bounds(), (Rect{70, 0, 2, 2}));
  EXPECT_EQ(plain.Picture(), stretched.Picture());
  // The see-through colour is the bottom-left pixel's: blue here.
  Image keyed(form, {.bounds = {0, 50, 2, 2}, .transparent = true});
  const std::uint32_t spot[] = {0x00FF0000, 0x00FF0000, 0x000000FF, 0x00FF0000};
  keyed.SetPicture(BitmapFromPixels(2, 2, spot));
  form.SetColor(colors::kLime);

  const auto pixels = PaintedClient(form);
  EXPECT_EQ(pixels.At(0, 0), kRedRef);
  EXPECT_EQ(pixels.At(9, 9), kRedRef);
  EXPECT_EQ(pixels.At(10, 0), kGreenRef);
  EXPECT_EQ(pixels.At(19, 9), kGreenRef);
  EXPECT_EQ(pixels.At(0, 19), kBlueRef);
  EXPECT_EQ(pixels.At(19, 19), kWhiteRef);
  EXPECT_EQ(pixels.At(40, 0), kRedRef);
  EXPECT_EQ(pixels.At(41, 1), kWhiteRef);
  EXPECT_EQ(pixels.At(42, 0), kGreenRef);  // the form shows beside an unstretched picture
  EXPECT_EQ(pixels.At(0, 50), kRedRef);
  EXPECT_EQ(pixels.At(0, 51), kGreenRef);  // see-through: the form's lime
  EXPECT_EQ(pixels.At(1, 51), kRedRef);

  stretched.ClearPicture();
  EXPECT_FALSE(stretched.Picture());
  EXPECT_TRUE(plain.Picture());  // the shared picture lives on with its other holder
  EXPECT_EQ(PaintedClient(form).At(5, 5), kGreenRef);
}

// Records the mouse events a control's handlers get.
struct EventLog {
  std::vector<std::string> entries;
  void Watch(GraphicControl& control, const std::string& name) {
    auto text = [](const MouseEvent& e) {
      const char* button = e.button == MouseButton::kLeft ? "L" : e.button == MouseButton::kRight ? "R" : "M";
      return std::string(button) + " " + std::to_string(e.x) + "," + std::to_string(e.y);
    };
    control.OnMouseDown([=, this](const MouseEvent& e) { entries.push_back(name + " down " + text(e)); });
    control.OnMouseMove([=, this](const MouseEvent& e) { entries.push_back(name + " move " + text(e)); });
    control.OnMouseUp([=, this](const MouseEvent& e) { entries.push_back(name + " up " + text(e)); });
    control.OnClick([=, this] { entries.push_back(name + " click"); });
  }
  std::vector<std::string> Take() { return std::exchange(entries, {}); }
};

TEST(GraphicControls, TheTopMostControlTakesTheMouseAndALabelActsAsTheFaceBeneathIt) {
  Form form(Plain("TMouseForm", {200, 100}));
  Shape back(form, {.bounds = {0, 0, 200, 100}});
  Image face(form, {.bounds = {20, 20, 85, 30}});
  Label caption(form, {.bounds = {40, 25}, .caption = "Done", .transparent = true});
  Shape hidden(form, {.bounds = {0, 0, 200, 100}, .visible = false});
  caption.ForwardMouseTo(&face);
  EXPECT_EQ(form.GraphicAt({45, 28}), &caption);
  EXPECT_EQ(form.GraphicAt({20, 20}), &face);
  EXPECT_EQ(form.GraphicAt({104, 49}), &face);
  EXPECT_EQ(form.GraphicAt({105, 49}), &back);
  caption.SetEnabled(false);
  EXPECT_EQ(form.GraphicAt({45, 28}), &face);
  caption.SetEnabled(true);
  EXPECT_EQ(form.GraphicAt({250, 28}), nullptr);

  EventLog log;
  log.Watch(face, "face");
  log.Watch(back, "back");
  // Events on the label reach the face, in the face's pixels.
  LeftClick(form.Handle(), 45, 28);
  EXPECT_EQ(log.Take(), (std::vector<std::string>{"face down L 25,8", "face up L 25,8", "face click"}));
  // The face keeps the mouse while the button is down; a release outside it is no click.
  SendMouse(form.Handle(), WM_LBUTTONDOWN, 30, 30, MK_LBUTTON);
  SendMouse(form.Handle(), WM_MOUSEMOVE, 150, 90, MK_LBUTTON);
  SendMouse(form.Handle(), WM_LBUTTONUP, 150, 90);
  SendMouse(form.Handle(), WM_MOUSEMOVE, 150, 90);
  EXPECT_EQ(log.Take(), (std::vector<std::string>{"face down L 10,10", "face move L 130,70",
                                                  "face up L 130,70", "back move L 150,90"}));
  // Any button presses; only the left one clicks.
  SendMouse(form.Handle(), WM_RBUTTONDOWN, 150, 90, MK_RBUTTON);
  SendMouse(form.Handle(), WM_RBUTTONUP, 150, 90);
  EXPECT_EQ(log.Take(), (std::vector<std::string>{"back down R 150,90", "back up R 150,90"}));
  // A label's own handler comes first; what it lacks still goes to the face.
  int labelClicks = 0;
  caption.OnClick([&] { ++labelClicks; });
  LeftClick(form.Handle(), 45, 28);
  EXPECT_EQ(labelClicks, 1);
  EXPECT_EQ(log.Take(), (std::vector<std::string>{"face down L 25,8", "face up L 25,8"}));
  // Where no control lies, the form's own handlers get the event.
  std::vector<std::string> formEvents;
  back.Hide();
  form.OnMouseDown(
      [&](const MouseEvent& e) { formEvents.push_back(std::to_string(e.x) + "," + std::to_string(e.y)); });
  SendMouse(form.Handle(), WM_LBUTTONDOWN, 150, 90, MK_LBUTTON);
  SendMouse(form.Handle(), WM_LBUTTONUP, 150, 90);
  EXPECT_EQ(formEvents, (std::vector<std::string>{"150,90"}));
  EXPECT_TRUE(log.Take().empty());
}

TEST(GraphicControls, PanelsHoldControlsInTheirOwnPixelsAndDockingFollowsTheForm) {
  Form form(Plain("TPanelForm", {281, 271}));
  Shape area(form, {.bounds = {5, 5, 10, 10}, .dock = Dock::kFill});
  Panel bar(form, {.bounds = {0, 0, 0, 41}, .color = colors::kRed, .dock = Dock::kBottom});
  Shape onBar(bar, {.bounds = {8, 6, 85, 30}, .brush = {colors::kWhite}});
  EXPECT_EQ(bar.Bounds(), (Rect{0, 230, 281, 41}));
  EXPECT_EQ(area.Bounds(), (Rect{0, 0, 281, 230}));
  RECT r;
  GetWindowRect(bar.Hwnd(), &r);
  EXPECT_EQ(r.bottom - r.top, 41);

  const auto pixels = PaintedClient(bar);
  EXPECT_EQ(pixels.At(0, 0), Sys(COLOR_BTNHIGHLIGHT));  // raised frame
  EXPECT_EQ(pixels.At(280, 40), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(pixels.At(50, 20), kWhiteRef);
  EXPECT_EQ(pixels.At(200, 20), kRedRef);

  int clicks = 0;
  onBar.OnClick([&] { ++clicks; });
  LeftClick(bar.Handle(), 50, 20);
  LeftClick(form.Handle(), 50, 250);  // the form's pixels there belong to the panel
  EXPECT_EQ(clicks, 1);

  form.SetBounds({0, 0, 300, 300});
  EXPECT_EQ(bar.Bounds(), (Rect{0, 259, 300, 41}));
  EXPECT_EQ(area.Bounds(), (Rect{0, 0, 300, 259}));
  bar.Hide();
  EXPECT_EQ(area.Bounds(), (Rect{0, 0, 300, 300}));
}

TEST(GraphicControls, BevelsGroupBoxesAndGlyphButtonsDrawTheSystemsLook) {
  Form form(Plain("TBevelForm", {289, 400}));
  Bevel line(form, {.bounds = {72, 48, 209, 2}, .shape = BevelShape::kTopLine});
  GroupBox group(form, {.bounds = {152, 256, 129, 113}, .caption = "Change wallpaper "});
  Label la(group, {.bounds = {105, 57}, .caption = "min."});
  GlyphButton add(form, {.bounds = {8, 300, 57, 22}, .caption = "Add", .hint = "Browse"});

  auto pixels = PaintedClient(form);
  EXPECT_EQ(pixels.At(72, 48), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(pixels.At(280, 49), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(pixels.At(71, 48), kBlueRef);
  EXPECT_EQ(&la.Parent(), &group);
  const auto box = PaintedClient(group);
  EXPECT_EQ(box.At(0, 60), Sys(COLOR_BTNSHADOW));  // etched frame
  EXPECT_EQ(box.At(1, 60), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_GT(box.Count(Sys(COLOR_WINDOWTEXT), 8, 0, 100, 14), 10);  // the caption

  // The hint is a tool tip over the button's area, gone while the button is hidden.
  ASSERT_TRUE(form.TipWindow());
  EXPECT_EQ(SendMessageA(form.TipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
  char tip[32] = {};
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.hwnd = form.Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(&add);
  tool.lpszText = tip;
  SendMessageA(form.TipWindow(), TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(tip, "Browse");
  add.Hide();
  EXPECT_EQ(SendMessageA(form.TipWindow(), TTM_GETTOOLCOUNT, 0, 0), 0);
  add.Show();
  int clicks = 0;
  add.OnClick([&] { ++clicks; });
  const auto up = PaintedClient(form);
  SendMouse(form.Handle(), WM_LBUTTONDOWN, 20, 310, MK_LBUTTON);
  EXPECT_TRUE(add.Down());
  const auto down = PaintedClient(form);
  EXPECT_NE(up.At(8, 300), down.At(8, 300));  // the pushed frame
  SendMouse(form.Handle(), WM_MOUSEMOVE, 100, 310, MK_LBUTTON);
  EXPECT_FALSE(add.Down());
  SendMouse(form.Handle(), WM_MOUSEMOVE, 20, 310, MK_LBUTTON);
  SendMouse(form.Handle(), WM_LBUTTONUP, 20, 310);
  EXPECT_FALSE(add.Down());
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace velmora
