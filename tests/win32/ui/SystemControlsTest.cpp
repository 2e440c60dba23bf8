#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "program/HotKey.h"
#include "ui/ColorBox.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/HotKeyBox.h"
#include "ui/Panels.h"
#include "ui/SystemControls.h"

namespace velmora {
namespace {

using test::Sys;

class SystemControls : public ::testing::Test {
 protected:
  Form form{{.className = "TSystemControlsForm",
             .border = BorderStyle::kNone,
             .clientSize = {300, 520},
             .color = colors::kBlue}};
};

TEST_F(SystemControls, TrackBarReportsEveryNewPositionWhoeverSetsIt) {
  TrackBar siz(form, {.bounds = {16, 102, 100, 25},
                      .min = 1,
                      .max = 100,
                      .position = 1,
                      .pageSize = 1,
                      .thumbLength = 15,
                      .bothSides = true,
                      .noTicks = true});
  EXPECT_EQ(SendMessageA(siz.Hwnd(), TBM_GETRANGEMAX, 0, 0), 100);
  EXPECT_EQ(SendMessageA(siz.Hwnd(), TBM_GETPAGESIZE, 0, 0), 1);
  const LONG_PTR style = GetWindowLongPtrA(siz.Hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & TBS_BOTH);
  EXPECT_TRUE(style & TBS_NOTICKS);
  std::vector<int> changes;
  siz.OnChange([&] { changes.push_back(siz.Position()); });
  siz.SetPosition(40);
  siz.SetPosition(40);
  siz.SetPosition(500);  // kept within the range
  EXPECT_EQ(SendMessageA(siz.Hwnd(), TBM_GETPOS, 0, 0), 100);
  // The user's move arrives as a scroll message at the parent.
  SendMessageA(siz.Hwnd(), TBM_SETPOS, TRUE, 7);
  SendMessageA(form.Handle(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 7), reinterpret_cast<LPARAM>(siz.Hwnd()));
  SendMessageA(form.Handle(), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(siz.Hwnd()));
  EXPECT_EQ(changes, (std::vector<int>{40, 100, 7}));
  RECT r;
  GetWindowRect(siz.Hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 25);
}

TEST_F(SystemControls, ColorBoxListsIdentifiersDrawsSwatchesAndReportsTheUsersChoice) {
  ColorBox col(form, {.bounds = {16, 129, 100, 22},
                      .colors = NamedColors().first(kStandardAndExtendedCount),
                      .itemIndex = 0,
                      .font = FontInfo{.color = colors::kWhite},
                      .color = colors::kBlue});
  ASSERT_EQ(col.Count(), 20);
  EXPECT_EQ(SendMessageA(col.Hwnd(), CB_GETCOUNT, 0, 0), 20);
  EXPECT_EQ(col.ItemText(17), "clSkyBlue");
  EXPECT_EQ(col.Selected(), colors::kBlack);
  EXPECT_EQ(SendMessageA(col.Hwnd(), CB_GETITEMHEIGHT, 0, 0), 16);
  RECT r;
  GetWindowRect(col.Hwnd(), &r);
  EXPECT_EQ(r.bottom - r.top, 22);  // the closed box
  int changes = 0;
  col.OnChange([&] { ++changes; });
  col.SetItemIndex(12);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(col.Selected(), colors::kBlue);
  SendMessageA(col.Hwnd(), CB_SETCURSEL, 9, 0);
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(col.Id(), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(col.Hwnd()));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(col.ItemIndex(), 9);
  EXPECT_EQ(col.Selected(), colors::kRed);

  // The list of the note colours holds the system colours, drawn in the system's current colour.
  col.SetColors(NamedColors());
  EXPECT_EQ(col.Count(), 50);
  EXPECT_EQ(col.ItemColor(38), colors::kInfoBk);
  const auto drawn = test::Drawn(100, 16, [&](HDC dc) {
    DRAWITEMSTRUCT item{ODT_COMBOBOX, 0, 38, ODA_DRAWENTIRE, 0, col.Hwnd(), dc, {0, 0, 100, 16}, 0};
    EXPECT_TRUE(col.HandleDrawItem(item));
  });
  EXPECT_EQ(drawn.At(1, 1), RGB(0, 0, 0));                        // swatch frame
  EXPECT_EQ(drawn.At(8, 8), Sys(COLOR_INFOBK));                   // swatch
  EXPECT_EQ(drawn.At(99, 0), RGB(0, 0, 255));                     // the box's blue
  EXPECT_GT(drawn.Count(RGB(255, 255, 255), 25, 0, 75, 16), 10);  // "clInfoBk" in white
}

TEST_F(SystemControls, CheckBoxesAndRadioButtonsClickOnEveryChangeOfState) {
  CheckBox sw(form, {.bounds = {128, 42, 94, 17}, .caption = "Show windows", .checked = true});
  EXPECT_EQ(SendMessageA(sw.Hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(sw.Caption(), "Show windows");
  int swClicks = 0;
  sw.OnClick([&] { ++swClicks; });
  sw.SetChecked(true);
  EXPECT_EQ(swClicks, 0);
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(sw.Id(), BN_CLICKED),
               reinterpret_cast<LPARAM>(sw.Hwnd()));
  EXPECT_FALSE(sw.Checked());
  EXPECT_EQ(SendMessageA(sw.Hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  sw.SetChecked(true);
  EXPECT_EQ(swClicks, 2);

  GroupBox group(form, {.bounds = {152, 256, 129, 113}, .caption = "Change wallpaper "});
  RadioButton rb1(group, {.bounds = {8, 24, 100, 17}, .caption = "at startup"});
  RadioButton rb2(group, {.bounds = {8, 56, 50, 17}, .caption = "every"});
  RadioButton rb3(group, {.bounds = {8, 88, 100, 17}, .caption = "Never"});
  RadioButton elsewhere(form, {.bounds = {0, 0, 50, 17}, .caption = "other", .checked = true});
  std::vector<std::string> clicks;
  rb1.OnClick([&] { clicks.push_back("rb1"); });
  rb2.OnClick([&] { clicks.push_back("rb2"); });
  rb2.SetChecked(true);
  rb2.SetChecked(true);  // already selected: nothing runs
  SendMessageA(group.Handle(), WM_COMMAND, MAKEWPARAM(rb2.Id(), BN_CLICKED),
               reinterpret_cast<LPARAM>(rb2.Hwnd()));
  SendMessageA(group.Handle(), WM_COMMAND, MAKEWPARAM(rb1.Id(), BN_CLICKED),
               reinterpret_cast<LPARAM>(rb1.Hwnd()));
  EXPECT_EQ(clicks, (std::vector<std::string>{"rb2", "rb1"}));
  EXPECT_TRUE(rb1.Checked());
  EXPECT_FALSE(rb2.Checked());
  EXPECT_EQ(SendMessageA(rb2.Hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(elsewhere.Checked());  // another container is another group
  rb3.SetChecked(true);
  EXPECT_FALSE(rb1.Checked());
}

TEST_F(SystemControls, EditsLimitTheirTextAndReportOnlyRealChanges) {
  Edit em(form, {.bounds = {64, 51, 33, 21}, .text = "1", .maxLength = 3, .numbersOnly = true});
  Edit ecw(form, {.bounds = {8, 88, 249, 21}, .readOnly = true});
  EXPECT_EQ(em.Text(), "1");
  EXPECT_EQ(SendMessageA(em.Hwnd(), EM_GETLIMITTEXT, 0, 0), 3);
  EXPECT_TRUE(GetWindowLongPtrA(em.Hwnd(), GWL_STYLE) & ES_NUMBER);
  EXPECT_TRUE(GetWindowLongPtrA(ecw.Hwnd(), GWL_STYLE) & ES_READONLY);
  std::vector<std::string> seen;
  em.OnChange([&] { seen.push_back(em.Text()); });
  em.SetText("12");
  em.SetText("12");
  em.SetText("");
  EXPECT_EQ(seen, (std::vector<std::string>{"12", ""}));
  // A handler that rewrites the text to the same value ends the chain of changes.
  seen.clear();
  em.OnChange([&] {
    seen.push_back(em.Text());
    std::string digits;
    for (char c : em.Text())
      if (c >= '0' && c <= '9') digits += c;
    em.SetText(digits);
  });
  em.SetText("1a2");
  EXPECT_EQ(seen, (std::vector<std::string>{"1a2", "12"}));
  EXPECT_EQ(em.Text(), "12");

  // Its colours come from the layout: the WM_CTLCOLOR answer paints with them.
  ecw.SetColor(colors::kInfoBk);
  MemoryDc dc;
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(form.Handle(), WM_CTLCOLORSTATIC,
                                                           reinterpret_cast<WPARAM>(dc.Get()),
                                                           reinterpret_cast<LPARAM>(ecw.Hwnd())));
  ASSERT_TRUE(brush);
  LOGBRUSH lb{};
  GetObject(brush, sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, Sys(COLOR_INFOBK));
  EXPECT_EQ(GetBkColor(dc), Sys(COLOR_INFOBK));
  EXPECT_EQ(GetTextColor(dc), Sys(COLOR_WINDOWTEXT));
}

TEST_F(SystemControls, MemoGivesItsLinesAndItsRowsAsWrapped) {
  Memo m1(form, {.bounds = {0, 0, 120, 200}, .color = colors::kInfoBk});
  EXPECT_TRUE(m1.Lines().empty());
  EXPECT_TRUE(m1.DisplayedLines().empty());
  m1.SetText("first\r\n\r\nthird line");
  EXPECT_EQ(m1.Lines(), (std::vector<std::string>{"first", "", "third line"}));
  EXPECT_EQ(m1.DisplayedLines(), (std::vector<std::string>{"first", "", "third line"}));
  m1.SetText("one two three four five six seven eight nine ten eleven twelve");
  const auto rows = m1.DisplayedLines();
  ASSERT_GT(rows.size(), 2u);
  std::string joined;
  for (const auto& row : rows) joined += row;
  EXPECT_EQ(joined.find("one two"), 0u);
  EXPECT_NE(joined.find("twelve"), std::string::npos);
  m1.Clear();
  EXPECT_EQ(m1.Text(), "");
}

TEST_F(SystemControls, HotKeyBoxHoldsTheRegistrationsModifiers) {
  HotKeyBox box{form, {.bounds = {0, 0, 120, 21}, .value = {kModCtrl | kModAlt, 'N'}}};
  EXPECT_EQ(box.Value(), (KeyCombination{kModCtrl | kModAlt, 'N'}));
  // The control's own bits are Shift 1, Ctrl 2, Alt 4; the registration's Alt 1, Ctrl 2, Shift 4.
  EXPECT_EQ(SendMessageA(box.Hwnd(), HKM_GETHOTKEY, 0, 0), MAKEWORD('N', HOTKEYF_CONTROL | HOTKEYF_ALT));
  box.SetValue({kModShift | kModCtrl, 0x74});
  EXPECT_EQ(SendMessageA(box.Hwnd(), HKM_GETHOTKEY, 0, 0), MAKEWORD(0x74, HOTKEYF_SHIFT | HOTKEYF_CONTROL));
  EXPECT_EQ(box.Value(), (KeyCombination{kModShift | kModCtrl, 0x74}));
  box.SetValue({});
  EXPECT_TRUE(box.Value().None());
}

TEST_F(SystemControls, ListBoxKeepsItemsAndMultipleSelection) {
  ListBox lb(form, {.bounds = {8, 136, 137, 353}, .multiSelect = true});
  lb.SetItems({"a", "b", "c", "d"});
  lb.InsertItem(1, "x");
  lb.DeleteItem(4);
  EXPECT_EQ(lb.Items(), (std::vector<std::string>{"a", "x", "b", "c"}));
  lb.SetSelected(0, true);
  lb.SetSelected(2, true);
  EXPECT_EQ(lb.SelCount(), 2);
  lb.MoveItem(0, 3);  // the moved item keeps its selection
  EXPECT_EQ(lb.Items(), (std::vector<std::string>{"x", "b", "c", "a"}));
  EXPECT_TRUE(lb.Selected(3));
  EXPECT_TRUE(lb.Selected(1));
  EXPECT_FALSE(lb.Selected(0));
  int clicks = 0;
  lb.OnClick([&] { ++clicks; });
  SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(lb.Id(), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(lb.Hwnd()));
  EXPECT_EQ(clicks, 1);
  lb.Clear();
  EXPECT_EQ(lb.Count(), 0);
  EXPECT_EQ(lb.SelCount(), 0);
  EXPECT_TRUE(GetWindowLongPtrA(lb.Hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  ListBox single(form, {.bounds = {150, 136, 100, 100}});
  single.SetItems({"one", "two"});
  EXPECT_EQ(single.SelCount(), 0);
  single.SetItemIndex(1);
  EXPECT_EQ(single.ItemIndex(), 1);
  EXPECT_EQ(single.SelCount(), 1);
  single.SetSelected(1, false);
  EXPECT_EQ(single.ItemIndex(), -1);
  // Hidden and disabled as the layout says.
  ListBox lbfn(form, {.bounds = {0, 0, 10, 10}, .visible = false, .enabled = false});
  EXPECT_FALSE(IsWindowVisible(lbfn.Hwnd()));
  EXPECT_FALSE(IsWindowEnabled(lbfn.Hwnd()));
  lbfn.Show();
  lbfn.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(lbfn.Hwnd()));
  EXPECT_TRUE(GetWindowLongPtrA(lbfn.Hwnd(), GWL_STYLE) & WS_VISIBLE);
}

}  // namespace
}  // namespace velmora
