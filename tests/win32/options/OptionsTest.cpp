#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <tuple>
#include <string>
#include <vector>

#include "options/options.h"
#include "program/Program.h"
#include "shellutil/ShellUtil.h"
#include "tests/win32/ui/UiTestSupport.h"
#include "ui/Gdi.h"

namespace velmora {
namespace {

using Items = std::vector<std::string>;

// A control's window rectangle in its container's client pixels.
Rect PlacedIn(HWND container, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&r), 2);
  return FromRECT(r);
}

// A click of the user on a system button, as its container hears of it.
void UserClick(const WindowedControl& button) {
  SendMessageA(button.Parent().Handle(), WM_COMMAND, MAKEWPARAM(button.Id(), BN_CLICKED),
               reinterpret_cast<LPARAM>(button.Hwnd()));
}

LONG_PTR StyleOf(HWND hwnd) {
  return GetWindowLongPtrA(hwnd, GWL_STYLE);
}

TEST(OptionsWindow, IsAFixedCentredWindowWithTheCloseBoxOnly) {
  TForm7 form;
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(form.Caption(), "Options");
  EXPECT_EQ(form.ClientSize(), (Size{289, 643}));
  const LONG_PTR style = StyleOf(form.Handle());
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_FALSE(GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(form.Font(), FontInfo{});  // MS Sans Serif, 11 pixels

  form.SetBounds({0, 0, form.Width(), form.Height()});
  form.Show();
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(form.OuterBounds().TopLeft(), (Point{(cx - form.Width()) / 2, (cy - form.Height()) / 2}));
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(IsWindow(form.Handle()));
}

TEST(OptionsWindow, ControlsStandWhereTheLayoutPutsThemWithTheirTexts) {
  TForm7 form;
  // System controls: their windows, in their containers' pixels.
  struct Placed {
    const WindowedControl& control;
    const Container& in;
    Rect at;
  };
  const Placed windows[] = {
      {form.cba, form, {8, 16, 145, 17}},           {form.ecw, form, {8, 88, 249, 21}},
      {form.lb, form, {8, 136, 137, 323}},          {form.Panel1, form, {152, 152, 129, 97}},
      {form.GroupBox1, form, {152, 256, 129, 113}}, {form.em, form.GroupBox1, {64, 51, 33, 21}},
  };
  for (const auto& p : windows) EXPECT_EQ(PlacedIn(p.in.Handle(), p.control.Hwnd()), p.at) << p.at.left;
  for (const RadioButton* rb : {&form.rb1, &form.rb2, &form.rb3})
    EXPECT_EQ(GetParent(rb->Hwnd()), form.GroupBox1.Hwnd());
  EXPECT_EQ(PlacedIn(form.GroupBox1.Hwnd(), form.rb2.Hwnd()).TopLeft(), (Point{8, 56}));
  EXPECT_EQ(&form.Image1.Parent(), static_cast<Container*>(&form.Panel1));
  EXPECT_EQ(form.Image1.Bounds(), (Rect{2, 2, 125, 93}));
  EXPECT_TRUE(form.Image1.Stretch());
  EXPECT_FALSE(form.Image2.Visible());
  EXPECT_EQ(form.Image2.Picture(), nullptr);

  EXPECT_EQ(form.cba.Caption(), "Run on system startup");
  EXPECT_EQ(form.GroupBox1.Caption(), "Change wallpaper ");
  EXPECT_EQ(form.rb1.Caption() + "|" + form.rb2.Caption() + "|" + form.rb3.Caption(),
            "at startup|every|Never");
  const std::pair<const GlyphButton*, const char*> glyphs[] = {
      {&form.SpeedButton1, ""}, {&form.SpeedButton2, "Add"}, {&form.SpeedButton3, "Remove"},
      {&form.SpeedButton5, "Add folder"}};
  for (const auto& [button, caption] : glyphs) {
    EXPECT_EQ(button->Caption(), caption);
    EXPECT_EQ(button->Hint(), "Browse");
  }
  EXPECT_EQ(form.SpeedButton1.Bounds(), (Rect{256, 88, 23, 22}));
  EXPECT_EQ(form.SpeedButton3.Bounds(), (Rect{72, 488, 73, 22}));

  const std::pair<const Label*, const char*> labels[] = {{&form.Label1, "Current wallpaper:"},
                                                         {&form.Label3, "Wallpapers list: "},
                                                         {&form.Label4, "Preview:"},
                                                         {&form.la, "min."}};
  for (const auto& [label, caption] : labels) {
    EXPECT_EQ(label->Caption(), caption);
    EXPECT_EQ(label->Font(), FontInfo{});
  }
  EXPECT_EQ(form.la.Bounds().TopLeft(), (Point{105, 57}));

  // Hover buttons: the label lies centred on its face and acts as it.
  const std::tuple<const Label*, Image*, const char*, Point> faces[] = {
      {&form.Label7, &form.Image5, "Set selected", {156, 381}},
      {&form.Label6, &form.Image4, "Randomize", {156, 421}},
      {&form.Label5, &form.Image3, "Done", {198, 480}}};
  for (const auto& [label, image, caption, at] : faces) {
    SCOPED_TRACE(caption);
    EXPECT_EQ(image->Bounds(), (Rect{at.x, at.y, 85, 30}));
    EXPECT_EQ(label->Caption(), caption);
    EXPECT_EQ(label->Font(), options_fonts::kFace);
    EXPECT_TRUE(label->Transparent());
    EXPECT_LE(std::abs(label->Left() - image->Left() - (image->Bounds().Right() - label->Bounds().Right())),
              1);
    EXPECT_GT(label->Top(), image->Top());
    EXPECT_LT(label->Bounds().Bottom(), image->Bounds().Bottom());
    bool clicked = false;
    image->OnClick([&] { clicked = true; });
    test::LeftClick(form.Handle(), label->Left() + label->Width() / 2, label->Top() + label->Height() / 2);
    EXPECT_TRUE(clicked);
  }

  // The section heading: bold "Wallpaper" in grey, then its line.
  EXPECT_EQ(form.Label2.Bounds().TopLeft(), (Point{8, 48}));
  EXPECT_EQ(form.Label2.Caption(), "Wallpaper");
  EXPECT_TRUE(form.Label2.Font().bold);
  const auto pixels = test::PaintedClient(form);
  EXPECT_GT(pixels.Count(GetSysColor(COLOR_BTNSHADOW), 8, 48, form.Label2.Width(), form.Label2.Height()), 10);
  EXPECT_EQ(pixels.Count(GetSysColor(COLOR_WINDOWTEXT), 8, 48, form.Label2.Width(), form.Label2.Height()), 0);
  EXPECT_EQ(pixels.Count(GetSysColor(COLOR_BTNSHADOW), 72, 48, 209, 1), 209);
  EXPECT_EQ(pixels.Count(GetSysColor(COLOR_BTNHIGHLIGHT), 72, 49, 209, 1), 209);
}

TEST(OptionsWindow, StartsWithTheLayoutsStates) {
  TForm7 form;
  EXPECT_FALSE(form.cba.Checked());
  EXPECT_EQ(form.SelectedChangeMode(), ChangeMode::kNone);
  EXPECT_EQ(form.em.Text(), "1");
  EXPECT_EQ(SendMessageA(form.em.Hwnd(), EM_GETLIMITTEXT, 0, 0), 3);
  EXPECT_EQ(form.ecw.Text(), "");
  EXPECT_TRUE(StyleOf(form.ecw.Hwnd()) & ES_READONLY);
  EXPECT_TRUE(StyleOf(form.lb.Hwnd()) & LBS_EXTENDEDSEL);
  EXPECT_FALSE(StyleOf(form.lb.Hwnd()) & LBS_SORT);
  EXPECT_FALSE(StyleOf(form.lbfn.Hwnd()) & LBS_SORT);
  EXPECT_FALSE(form.lbfn.Visible());
  EXPECT_FALSE(IsWindowVisible(form.lbfn.Hwnd()));
  EXPECT_FALSE(form.cw.Enabled());
  EXPECT_FALSE(form.tact.Enabled());
  EXPECT_EQ(form.tact.Interval(), 50);

  Settings defaults;
  form.StoreSettings(defaults);
  EXPECT_EQ(defaults, Settings{});
}

TEST(OptionsWindow, TheFullPathsFillTheHiddenListAndTheDisplayListFollows) {
  TForm7 form;
  const Items paths{"C:\\pics\\sea.view.jpeg", "", "D:\\a b\\dune.jpg", "D:\\a b\\dune.jpg"};
  form.SetWallpaperList(paths);
  EXPECT_EQ(form.lbfn.Items(), paths);
  EXPECT_EQ(form.WallpaperList(), paths);
  EXPECT_EQ(form.lb.Items(), (Items{"sea.view", "", "dune", "dune"}));

  // Loading anew replaces both lists and leaves nothing selected.
  form.lb.SetSelected(1, true);
  form.lb.SetSelected(3, true);
  ASSERT_EQ(form.lb.SelCount(), 2);
  form.SetWallpaperList({"E:\\x.jpg", "E:\\y.jpg", "E:\\z.jpg"});
  EXPECT_EQ(form.lb.Items(), (Items{"x", "y", "z"}));
  EXPECT_EQ(form.lb.SelCount(), 0);
  form.SetWallpaperList({});
  EXPECT_EQ(form.lb.Count(), 0);
  EXPECT_EQ(form.lbfn.Count(), 0);
}

TEST(OptionsWindow, TheMinutesFieldKeepsOnlyDigits) {
  TForm7 form;
  int changes = 0;
  form.em.OnChange([&] {
    ++changes;
    form.emChange();
  });
  // Pasted text: the filtered text is set once and raises nothing more.
  SendMessageA(form.em.Hwnd(), EM_SETSEL, 0, -1);
  SendMessageA(form.em.Hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("1a2"));
  EXPECT_EQ(form.em.Text(), "12");
  EXPECT_EQ(changes, 2);
  changes = 0;
  form.em.SetText("12");
  EXPECT_EQ(changes, 0);
  form.em.SetText("x-");
  EXPECT_EQ(form.em.Text(), "");
  // Typing stops at three characters.
  form.em.SetText("123");
  SendMessageA(form.em.Hwnd(), EM_SETSEL, 3, 3);
  SendMessageA(form.em.Hwnd(), WM_CHAR, '4', 0);
  EXPECT_EQ(form.em.Text(), "123");
}

TEST(OptionsWindow, EveryStartsTheChangeTimerWithTheMinutes) {
  TForm7 form;
  form.em.SetText("5");
  UserClick(form.rb2);
  EXPECT_EQ(form.SelectedChangeMode(), ChangeMode::kEvery);
  EXPECT_TRUE(form.cw.Enabled());
  EXPECT_EQ(form.cw.Interval(), 5 * 60000);

  // Already selected: a new value waits for the next selection of "every".
  form.em.SetText("10");
  UserClick(form.rb2);
  form.SelectChangeMode(ChangeMode::kEvery);
  EXPECT_EQ(form.cw.Interval(), 5 * 60000);
  UserClick(form.rb3);
  EXPECT_EQ(form.SelectedChangeMode(), ChangeMode::kNever);
  EXPECT_FALSE(form.rb2.Checked());
  UserClick(form.rb2);
  EXPECT_EQ(form.cw.Interval(), 10 * 60000);

  // An empty field or 0 becomes "1" when "every" is selected.
  for (const char* text : {"", "0"}) {
    SCOPED_TRACE(text);
    form.rb1.SetChecked(true);
    form.em.SetText(text);
    form.SelectChangeMode(ChangeMode::kEvery);
    EXPECT_EQ(form.em.Text(), "1");
    EXPECT_EQ(form.cw.Interval(), 60000);
    EXPECT_TRUE(form.cw.Enabled());
  }
  form.cw.SetEnabled(false);
}

TEST(OptionsWindow, SettingsGoInAsStartUpAppliesThemAndComeBackOut) {
  TForm7 form;
  Settings in;
  in.wallpaper = "C:\\Pictures\\sea.jpg";
  in.changeMode = ChangeMode::kEvery;
  in.minutes = "7";
  in.picturePosition = "3";
  in.nextHotKey = "Ctrl+Alt+W";
  form.ApplySettings(in);
  EXPECT_EQ(form.Position(), PicturePosition::kStretch);
  EXPECT_EQ(form.ecw.Text(), "C:\\Pictures\\sea.jpg");
  EXPECT_TRUE(form.rb2.Checked());
  // The minutes were in place when "every" started the timer.
  EXPECT_EQ(form.cw.Interval(), 7 * 60000);
  EXPECT_TRUE(form.cw.Enabled());
  form.cw.SetEnabled(false);
  Settings out;
  form.StoreSettings(out);
  EXPECT_EQ(out, in);

  // An empty change mode selects nothing; the others select their button.
  TForm7 other;
  other.ApplySettings(Settings{});
  EXPECT_EQ(other.SelectedChangeMode(), ChangeMode::kNone);
  for (ChangeMode mode : {ChangeMode::kAtStartup, ChangeMode::kNever}) {
    other.SelectChangeMode(mode);
    EXPECT_EQ(other.SelectedChangeMode(), mode);
  }
  EXPECT_FALSE(other.cw.Enabled());
}

// The current user's Run value "KVX" as it stood, put back at the end.
class RunValueGuard {
 public:
  RunValueGuard() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    DWORD size = 0;
    if (RegQueryValueExA(key, kRunValueName, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
      data_.emplace(size, '\0');
      RegQueryValueExA(key, kRunValueName, nullptr, &type_, reinterpret_cast<BYTE*>(data_->data()), &size);
    }
    RegCloseKey(key);
  }
  ~RunValueGuard() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (data_)
      RegSetValueExA(key, kRunValueName, 0, type_, reinterpret_cast<const BYTE*>(data_->data()),
                     static_cast<DWORD>(data_->size()));
    else
      RegDeleteValueA(key, kRunValueName);
    RegCloseKey(key);
  }

 private:
  DWORD type_ = REG_NONE;
  std::optional<std::string> data_;
};

bool UserRunValueExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  const bool exists =
      RegQueryValueExA(key, kRunValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return exists;
}

TEST(OptionsWindow, RunOnStartupWritesAndDeletesTheCurrentUsersQuotedRunValue) {
  RunValueGuard guard;
  const std::string machineBefore = RegReadMachineString(kRunKey, kRunValueName);
  TForm7 form;
  const std::string workBefore = WorkDirectory();
  WorkDirectory() = "C:\\Program Files\\Velmora\\";

  // Set by program, as the settings reader does.
  form.cba.SetChecked(true);
  EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kRunKey, kRunValueName),
            "\"C:\\Program Files\\Velmora\\KVX.exe\"");

  UserClick(form.cba);
  EXPECT_FALSE(form.cba.Checked());
  EXPECT_FALSE(UserRunValueExists());
  // Deleting a value that is not there is silent.
  form.cbaClick();
  EXPECT_FALSE(UserRunValueExists());

  // Each check writes the value anew with the work directory of now.
  WorkDirectory() = "D:\\";
  UserClick(form.cba);
  EXPECT_TRUE(form.cba.Checked());
  EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kRunKey, kRunValueName), "\"D:\\KVX.exe\"");
  Settings stored;
  form.StoreSettings(stored);
  EXPECT_TRUE(stored.runAtStartup);

  // The machine-wide value is never touched.
  EXPECT_EQ(RegReadMachineString(kRunKey, kRunValueName), machineBefore);
  WorkDirectory() = workBefore;
}

}  // namespace
}  // namespace velmora
