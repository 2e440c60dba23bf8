#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/win32/ui/UiTestSupport.h"
#include "base/Errors.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/GraphicControls.h"
#include "ui/Timer.h"

namespace velmora {
namespace {

using test::ErrorRecorder;
using test::LeftClick;
using test::PumpUntil;

constexpr UINT kThrowError = WM_APP + 1;
constexpr UINT kThrowOther = WM_APP + 2;
constexpr UINT kAnswer = WM_APP + 3;

// Records the messages that reach it and what the handle said at that moment.
class Probe : public Window {
 public:
  Probe() { Create({.className = "TProbe", .style = WS_POPUP, .bounds = {0, 0, 10, 10}}); }
  std::vector<UINT> seen;
  bool attachedAtCreate = false;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(msg);
    switch (msg) {
      case WM_CREATE:
        attachedAtCreate = Handle() && FromHandle(Handle()) == this;
        break;
      case kThrowError:
        throw Error("File not found");
      case kThrowOther:
        throw 42;
      case kAnswer:
        return 7;
      default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
  }
};

// A window that cannot be made says so with the system's reason; every window
// of the program, the hidden ones of the tray icon, the timers and the
// clipboard offer among them, is made through this one path.
class Orphan : public Window {
 public:
  explicit Orphan(HWND parent) { Create({.className = "TOrphan", .style = WS_CHILD, .parent = parent}); }
};

TEST(Window, ACreationThatFailsIsReportedWithTheSystemsReason) {
  HWND gone = nullptr;
  {
    Probe probe;
    gone = probe.Handle();
  }
  ASSERT_FALSE(IsWindow(gone));
  try {
    Orphan orphan(gone);
    FAIL() << "a window without its parent was made";
  } catch (const std::runtime_error& error) {
    const std::string text = error.what();
    EXPECT_EQ(text.rfind("Cannot create window TOrphan. ", 0), 0u) << text;
    EXPECT_GT(text.size(), std::string("Cannot create window TOrphan. ").size()) << text;
  }
}

TEST(Window, AttachesItselfAtCreationAndDetachesWhenDestroyed) {
  HWND hwnd = nullptr;
  {
    Probe probe;
    hwnd = probe.Handle();
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(probe.seen.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_TRUE(probe.attachedAtCreate);
    EXPECT_EQ(Window::FromHandle(hwnd), &probe);
    EXPECT_EQ(SendMessageA(hwnd, kAnswer, 0, 0), 7);
    // Messages it does not handle get the system's default handling.
    SetWindowTextA(hwnd, "probe");
    char text[16] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, "probe");
  }
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(Window::FromHandle(nullptr), nullptr);
  HWND foreign = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(Window::FromHandle(foreign), nullptr);
  DestroyWindow(foreign);
}

TEST(Window, AnExceptionInAHandlerBecomesTheErrorBoxAndTheProgramGoesOn) {
  ErrorRecorder errors;
  Probe probe;
  EXPECT_EQ(SendMessageA(probe.Handle(), kThrowError, 0, 0), 0);
  EXPECT_EQ(SendMessageA(probe.Handle(), kThrowOther, 0, 0), 0);
  EXPECT_EQ(SendMessageA(probe.Handle(), kAnswer, 0, 0), 7);
  EXPECT_EQ(errors.Texts(), (std::vector<std::string>{"File not found.", "Unknown error."}));

  // The same boundary covers the handlers of a form's controls.
  Form form({.className = "TBoundaryForm", .border = BorderStyle::kNone, .clientSize = {50, 50}});
  Shape face(form, {.bounds = {0, 0, 50, 50}});
  int clicks = 0;
  face.OnClick([&] {
    ++clicks;
    throw Error("Cannot open file \"x.jpg\". The system cannot find the file specified.");
  });
  LeftClick(form.Handle(), 5, 5);
  LeftClick(form.Handle(), 5, 5);
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(errors.Texts().size(), 4u);
  EXPECT_EQ(errors.Texts()[3], "Cannot open file \"x.jpg\". The system cannot find the file specified.");
}

TEST(Form, IsCreatedHiddenOffTheTaskbarAndClosingOnlyHidesIt) {
  Form form({.className = "TCloseForm",
             .caption = "Options",
             .border = BorderStyle::kSingle,
             .clientSize = {289, 515},
             .activateOnShow = false});
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), ApplicationWindow());
  EXPECT_EQ(form.Caption(), "Options");
  form.SetCaption("Text");
  EXPECT_EQ(form.Caption(), "Text");
  int closes = 0;
  form.OnClose([&] { ++closes; });
  form.Show();
  EXPECT_TRUE(form.Visible());
  SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(IsWindow(form.Handle()));
  form.Show();
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(closes, 2);
}

TEST(Form, BoundsAreTheOuterFrameAndTheClientAreaLiesInside) {
  Form framed({.className = "TFramedForm",
               .border = BorderStyle::kSizeable,
               .origin = {197, 274},
               .outerSize = {205, 357}});
  EXPECT_EQ(framed.OuterBounds(), (Rect{197, 274, 205, 357}));
  EXPECT_LT(framed.ClientWidth(), 205);
  EXPECT_LT(framed.ClientHeight(), 357 - 10);  // the title bar
  framed.SetClientSize({281, 271});
  EXPECT_EQ(framed.ClientSize(), (Size{281, 271}));
  EXPECT_EQ(framed.Left(), 197);
  framed.SetLeft(-20);
  framed.SetTop(30);
  framed.SetWidth(300);
  framed.SetHeight(200);
  EXPECT_EQ(framed.OuterBounds(), (Rect{-20, 30, 300, 200}));

  Form bare({.className = "TBareForm",
             .border = BorderStyle::kNone,
             .stayOnTop = true,
             .origin = {192, 109},
             .clientSize = {233, 218}});
  EXPECT_EQ(bare.OuterBounds(), (Rect{192, 109, 233, 218}));
  EXPECT_EQ(bare.ClientSize(), (Size{233, 218}));
  const LONG_PTR style = GetWindowLongPtrA(bare.Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongPtrA(bare.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  // A window may be made wider than the screen.
  bare.SetWidth(GetSystemMetrics(SM_CXSCREEN) + 500);
  EXPECT_EQ(bare.Width(), GetSystemMetrics(SM_CXSCREEN) + 500);
}

TEST(Form, AScreenCentredFormIsCentredEachTimeItIsShown) {
  Form form({.className = "TCentredForm",
             .border = BorderStyle::kNone,
             .position = FormPosition::kScreenCenter,
             .clientSize = {500, 350},
             .activateOnShow = false});
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  form.Show();
  EXPECT_EQ(form.OuterBounds(), (Rect{(cx - 500) / 2, (cy - 350) / 2, 500, 350}));
  form.SetLeft(3);
  form.Show();  // already shown: stays where it was moved
  EXPECT_EQ(form.Left(), 3);
  form.Hide();
  form.Show();
  EXPECT_EQ(form.Left(), (cx - 500) / 2);
  form.Hide();
}

TEST(Form, ATransparentColourMakesAColourKeyedWindowThatCanBeSwitchedOff) {
  Form form({.className = "TKeyedForm",
             .border = BorderStyle::kNone,
             .clientSize = {40, 40},
             .transparentColor = colors::kSkyBlue});
  COLORREF key = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), &key, nullptr, &flags));
  EXPECT_EQ(key, RGB(166, 202, 240));
  EXPECT_TRUE(flags & LWA_COLORKEY);
  form.SetTransparentColor(std::nullopt);
  EXPECT_FALSE(GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  form.SetTransparentColor(colors::kRed);
  ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), &key, nullptr, &flags));
  EXPECT_EQ(key, RGB(255, 0, 0));
}

TEST(Timer, FiresThroughTheMessageLoopOnlyWhileEnabled) {
  Form form({.className = "TTimerForm", .border = BorderStyle::kNone, .clientSize = {10, 10}});
  Timer running(form, {.interval = 20, .enabled = true, .tag = 1});
  Timer stopped(form, {.interval = 20, .enabled = false});
  int ticks = 0, stoppedTicks = 0;
  running.OnTimer([&] {
    if (++ticks == 3) running.SetEnabled(false);
  });
  stopped.OnTimer([&] { ++stoppedTicks; });
  EXPECT_EQ(running.Tag(), 1);
  EXPECT_TRUE(PumpUntil([&] { return ticks == 3; }));
  test::PumpFor(100);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(stoppedTicks, 0);
  // A tick arriving for a stopped timer does nothing.
  running.Fire();
  EXPECT_EQ(ticks, 3);

  stopped.SetInterval(10);
  stopped.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return stoppedTicks >= 2; }));
  stopped.SetInterval(0);  // an interval of 0 never fires
  const int seen = stoppedTicks;
  test::PumpFor(60);
  EXPECT_EQ(stoppedTicks, seen);
  EXPECT_TRUE(stopped.Enabled());
}

}  // namespace
}  // namespace velmora
