#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Pump.h"
#include "components/ComponentErrors.h"
#include "components/TrayIcon.h"

namespace velmora {
namespace {

using component_test::PumpPending;
using component_test::WaitFor;

struct ShellCall {
  DWORD message;
  NOTIFYICONDATAW record;
};

std::vector<ShellCall>& Calls() {
  static std::vector<ShellCall> calls;
  return calls;
}

BOOL WINAPI RecordShell(DWORD message, PNOTIFYICONDATAW data) {
  Calls().push_back({message, *data});
  return TRUE;
}

std::string Messages() {
  static const char* const kNames[] = {"add", "modify", "delete", "focus", "setversion"};
  std::string text;
  for (const ShellCall& call : Calls()) {
    if (!text.empty()) text += ' ';
    text += kNames[call.message];
  }
  return text;
}

LRESULT Send(const TTrayIcon& icon, UINT notification) {
  return SendMessageA(TTrayIconHandler::Instance()->Window(), TTrayIcon::kCallbackMessage, icon.Identifier(),
                      notification);
}

// Every event but OnDblClick (assigning that one delays clicks) into `log`.
void Wire(TTrayIcon& icon, std::vector<std::string>& log) {
  auto say = [&log](const char* what) { return [&log, what](TTrayIcon&) { log.push_back(what); }; };
  icon.SetOnClick(say("click"));
  icon.SetOnMouseEnter(say("enter"));
  icon.SetOnMouseExit(say("exit"));
  icon.SetOnBalloonHintShow(say("balloon"));
  icon.SetOnBalloonHintClick(say("balloon-click"));
  icon.SetOnMouseMove([&log](TTrayIcon&, TrayShift, int, int) { log.push_back("move"); });
  auto button = [&log](const char* what) {
    return [&log, what](TTrayIcon&, TrayButton b, TrayShift shift, int x, int y) {
      const char* name = b == TrayButton::kLeft ? "L" : b == TrayButton::kRight ? "R" : "M";
      char line[64];
      std::snprintf(line, sizeof line, "%s %s %d %d,%d", what, name, shift, x, y);
      log.push_back(line);
    };
  };
  icon.SetOnMouseDown(button("down"));
  icon.SetOnMouseUp(button("up"));
  icon.SetOnMenuCommand([&log](TTrayIcon&, UINT id) { log.push_back("command " + std::to_string(id)); });
}

class TrayIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Calls().clear();
    previous_ = SetTrayNotifyFunction(&RecordShell);
    SetComponentErrorHandler([this](std::exception_ptr) { ++errors_; });
  }
  void TearDown() override {
    SetTrayNotifyFunction(previous_);
    SetComponentErrorHandler(nullptr);
  }

  TrayNotifyFunction previous_ = nullptr;
  int errors_ = 0;
  std::vector<std::string> log_;
};

TEST_F(TrayIconTest, TheProgramsWiringAddsItsRecordAndRemovesItAtTheEnd) {
  const HICON programIcon = LoadIconA(nullptr, IDI_APPLICATION);  // shared: the icon must copy it
  {
    TTrayIcon cti;
    cti.SetIcon(programIcon);
    cti.SetIconVisible(true);
    cti.Loaded();
    EXPECT_EQ(Messages(), "modify add modify add setversion");
    const NOTIFYICONDATAW& added = Calls()[1].record;
    EXPECT_EQ(added.cbSize, sizeof(void*) == 8 ? 952u : 936u);
    EXPECT_EQ(added.uFlags, 7u);
    EXPECT_EQ(added.uCallbackMessage, 2048u);
    EXPECT_EQ(added.hWnd, TTrayIconHandler::Instance()->Window());
    EXPECT_EQ(added.uID, cti.Identifier());
    EXPECT_NE(added.hIcon, nullptr);
    EXPECT_NE(added.hIcon, programIcon);
    EXPECT_STREQ(added.szTip, L"");

    cti.SetHint(std::string(130, 'h'));
    EXPECT_EQ(std::wstring(Calls().back().record.szTip), std::wstring(127, L'h'));
    cti.SetShowHint(false);
    EXPECT_STREQ(Calls().back().record.szTip, L"");
    Calls().clear();
  }
  EXPECT_EQ(Messages(), "delete");
}

TEST_F(TrayIconTest, ABalloonGoesWithOneUpdateOnly) {
  TTrayIcon cti;
  cti.SetIconVisible(true);
  Calls().clear();
  cti.ShowBalloon("Velmora", "Ctrl+Alt+N is taken");
  ASSERT_EQ(Messages(), "modify");
  const NOTIFYICONDATAW& shown = Calls()[0].record;
  EXPECT_EQ(shown.uFlags, 7u | NIF_INFO);
  EXPECT_STREQ(shown.szInfoTitle, L"Velmora");
  EXPECT_STREQ(shown.szInfo, L"Ctrl+Alt+N is taken");
  EXPECT_EQ(shown.dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
  cti.ShowBalloon("Velmora", std::string(300, 'x'));  // cut to what the record holds
  EXPECT_EQ(std::wstring(Calls().back().record.szInfo), std::wstring(255, L'x'));
  cti.SetHint("later");
  EXPECT_EQ(Calls().back().record.uFlags, 7u);
}

TEST_F(TrayIconTest, LeftClickComesAtTheReleaseWithThePointerAndDisabledOnlyReportsBalloons) {
  TTrayIcon cti;
  Wire(cti, log_);
  ASSERT_TRUE(SetCursorPos(200, 150));
  Send(cti, WM_LBUTTONDOWN);
  Send(cti, WM_LBUTTONUP);
  EXPECT_EQ(log_, (std::vector<std::string>{"down L 8 200,150", "click", "up L 8 200,150"}));

  log_.clear();  // disabled: balloons are still reported
  cti.SetEnabled(false);
  for (UINT n : {WM_LBUTTONDOWN, WM_LBUTTONUP, NIN_BALLOONSHOW, NIN_BALLOONUSERCLICK}) Send(cti, n);
  EXPECT_EQ(log_, (std::vector<std::string>{"balloon", "balloon-click"}));
}

TEST_F(TrayIconTest, WithADoubleClickHandlerTheSingleClickWaitsTheDoubleClickTime) {
  TTrayIcon cti;
  int clicks = 0;
  int doubleClicks = 0;
  cti.SetOnClick([&](TTrayIcon&) { ++clicks; });
  cti.SetOnDblClick([&](TTrayIcon&) { ++doubleClicks; });

  const DWORD pressed = GetTickCount();
  Send(cti, WM_LBUTTONDOWN);
  Send(cti, WM_LBUTTONUP);
  EXPECT_EQ(clicks, 0);
  ASSERT_TRUE(WaitFor([&] { return clicks == 1; }));
  EXPECT_GE(GetTickCount() - pressed + 20, GetDoubleClickTime());

  for (UINT n : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Send(cti, n);
  EXPECT_EQ(doubleClicks, 1);
  ASSERT_TRUE(WaitFor([&] { return !cti.ClickDelayRunning(); }));
  EXPECT_EQ(clicks, 1);
}

// Closes any popup menu that opens: the first time it is seen by choosing the
// second item with the keyboard (if asked), otherwise by ending it.
struct MenuWatch {
  int seen = 0;
  RECT rect{};
  bool chooseSecond = false;
} g_watch;

void CALLBACK WatchMenu(HWND, UINT, UINT_PTR, DWORD) {
  const HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  if (++g_watch.seen == 1 && g_watch.chooseSecond) {
    GetWindowRect(menu, &g_watch.rect);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(menu, WM_KEYDOWN, key, 0);
  } else {
    EndMenu();
  }
}

TEST_F(TrayIconTest, RightPressOpensTheMenuAtThePointerAndDeliversTheChoiceLater) {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1, "About");
  AppendMenuA(menu, MF_STRING, 2, "Options");
  AppendMenuA(menu, MF_STRING, 3, "Exit");
  TTrayIcon cti;
  Wire(cti, log_);
  cti.SetPopupMenu(menu);
  const UINT_PTR watch = SetTimer(nullptr, 0, 50, &WatchMenu);
  g_watch = {.chooseSecond = true};

  ASSERT_TRUE(SetCursorPos(300, 200));
  Send(cti, WM_RBUTTONDOWN);  // returns once the menu has closed
  EXPECT_EQ(g_watch.rect.left, 300);
  EXPECT_EQ(g_watch.rect.top, 200);
  EXPECT_EQ(log_, (std::vector<std::string>{"down R 16 300,200"}));
  PumpPending();
  EXPECT_EQ(log_.back(), "command 2");

  g_watch = {};
  cti.SetAutoPopup(false);
  Send(cti, WM_RBUTTONDOWN);
  cti.SetAutoPopup(true);
  DestroyMenu(menu);
  Send(cti, WM_RBUTTONDOWN);
  EXPECT_EQ(g_watch.seen, 0);
  EXPECT_EQ(cti.PopupMenu(), nullptr);
  KillTimer(nullptr, watch);
}

TEST_F(TrayIconTest, DoubleClickChoosesTheLowestDefaultMenuItemUnlessLeftPopup) {
  HMENU menu = CreatePopupMenu();
  for (UINT id : {10, 11, 12}) AppendMenuA(menu, MF_STRING, id, "item");
  MENUITEMINFOA state{};
  state.cbSize = sizeof state;
  state.fMask = MIIM_STATE;
  state.fState = MFS_DEFAULT;
  SetMenuItemInfoA(menu, 2, TRUE, &state);
  SetMenuItemInfoA(menu, 1, TRUE, &state);
  TTrayIcon cti;
  Wire(cti, log_);
  cti.SetPopupMenu(menu);
  Send(cti, WM_LBUTTONDBLCLK);
  PumpPending();
  EXPECT_EQ(log_, (std::vector<std::string>{"command 11"}));

  log_.clear();
  cti.SetLeftPopup(true);
  Send(cti, WM_LBUTTONDBLCLK);
  PumpPending();
  EXPECT_TRUE(log_.empty());
  DestroyMenu(menu);
}

TEST_F(TrayIconTest, TaskbarCreatedBroadcastAddsOnlyVisibleIconsAgain) {
  TTrayIcon shown;
  TTrayIcon hidden;
  shown.SetIconVisible(true);
  Calls().clear();
  PostMessageA(HWND_BROADCAST, TTrayIconHandler::TaskbarCreatedMessage(), 0, 0);
  ASSERT_TRUE(WaitFor([] { return !Calls().empty(); }));
  PumpPending();
  EXPECT_EQ(Messages(), "add");
  EXPECT_EQ(Calls()[0].record.uID, shown.Identifier());
}

TEST_F(TrayIconTest, IconsShareOneHandlerWindowThatGoesWithTheLastIcon) {
  ASSERT_EQ(TTrayIconHandler::Instance(), nullptr);
  HWND window = nullptr;
  {
    auto first = std::make_unique<TTrayIcon>();
    TTrayIcon second;
    window = TTrayIconHandler::Instance()->Window();
    EXPECT_EQ(TTrayIconHandler::Instance()->Count(), 2);
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(IsWindow(window));

    const UINT_PTR goneId = first->Identifier();
    first.reset();
    EXPECT_EQ(TTrayIconHandler::Instance()->Window(), window);
    EXPECT_EQ(SendMessageA(window, TTrayIcon::kCallbackMessage, goneId, WM_LBUTTONDOWN), 0);
    Wire(second, log_);
    Send(second, WM_LBUTTONDOWN);
    Send(second, WM_LBUTTONUP);
    EXPECT_EQ(log_.size(), 3u);
  }
  EXPECT_EQ(TTrayIconHandler::Instance(), nullptr);
  EXPECT_FALSE(IsWindow(window));
}

std::vector<UINT> g_ownerMessages;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_ownerMessages.push_back(message);
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(const char* title, DWORD style) {
  static const ATOM kClass = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TrayOwner";
    return RegisterClassA(&windowClass);
  }();
  return CreateWindowExA(0, MAKEINTATOM(kClass), title, style, 40, 40, 120, 80, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

bool Seen(UINT message) {
  return std::find(g_ownerMessages.begin(), g_ownerMessages.end(), message) != g_ownerMessages.end();
}

TEST_F(TrayIconTest, OwnerComesToTheForegroundWhenShownAndCanMinimizeToTheTray) {
  const HWND other = MakeWindow("other", WS_POPUP | WS_VISIBLE);
  const HWND owner = MakeWindow("owner", WS_POPUP);
  SetForegroundWindow(other);
  ShowWindow(owner, SW_SHOWNA);  // without the icon, showing does not activate
  ASSERT_EQ(GetForegroundWindow(), other);
  ShowWindow(owner, SW_HIDE);
  {
    TTrayIcon cti(owner);
    ShowWindow(owner, SW_SHOWNA);
    EXPECT_EQ(GetForegroundWindow(), owner);
    DestroyWindow(other);  // inactive now; under Wine without a window manager hiding an active one is slow

    int raised = 0;
    cti.SetMinimizeToTray(true);
    cti.SetOnMinimizeToTray([&](TTrayIcon&) { ++raised; });
    Calls().clear();
    g_ownerMessages.clear();
    EXPECT_EQ(SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
    EXPECT_EQ(raised, 1);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_EQ(Messages(), "add");
    EXPECT_FALSE(Seen(WM_SYSCOMMAND));  // consumed by the hook
    Calls().clear();
  }
  g_ownerMessages.clear();
  SendMessageA(owner, WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING);
  EXPECT_TRUE(Seen(WM_SHOWWINDOW));  // unhooked with the icon

  // An owner destroyed before its icon is forgotten.
  TTrayIcon orphan(owner);
  DestroyWindow(owner);
  EXPECT_EQ(orphan.Owner(), nullptr);
}

TEST_F(TrayIconTest, EventHandlersMayDestroyTheIconOrThrow) {
  TTrayIcon keeper;  // keeps the handler window while the other icon goes
  auto cti = std::make_unique<TTrayIcon>();
  bool releasedAfter = false;
  cti->SetOnClick([&](TTrayIcon&) { cti.reset(); });
  cti->SetOnMouseUp([&](TTrayIcon&, TrayButton, TrayShift, int, int) { releasedAfter = true; });
  Send(*cti, WM_LBUTTONDOWN);
  Send(*cti, WM_LBUTTONUP);
  EXPECT_EQ(cti, nullptr);
  EXPECT_FALSE(releasedAfter);

  keeper.SetOnClick([](TTrayIcon&) { throw std::runtime_error("Cannot open file"); });
  Send(keeper, WM_LBUTTONDOWN);
  Send(keeper, WM_LBUTTONUP);
  EXPECT_EQ(errors_, 1);
  EXPECT_TRUE(IsWindow(TTrayIconHandler::Instance()->Window()));
}

TEST_F(TrayIconTest, PointerExitAndIconCyclingRunOnTheirTimers) {
  TTrayIcon cti;
  Wire(cti, log_);
  cti.SetWantEnterExitEvents(true);
  ASSERT_TRUE(SetCursorPos(100, 100));
  Send(cti, WM_MOUSEMOVE);
  Send(cti, WM_MOUSEMOVE);
  EXPECT_EQ(log_, (std::vector<std::string>{"enter", "move", "move"}));
  ASSERT_TRUE(SetCursorPos(140, 100));
  ASSERT_TRUE(WaitFor([&] { return log_.back() == "exit"; }));

  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
  for (LPCSTR id : {IDI_APPLICATION, IDI_WARNING, IDI_ERROR})
    ImageList_ReplaceIcon(list, -1, LoadIconA(nullptr, id));
  cti.SetIconList(list);
  ImageList_Destroy(list);  // the icon keeps its own copy
  cti.SetIconIndex(9);
  EXPECT_EQ(cti.IconIndex(), 2);
  std::vector<int> steps;
  cti.SetOnCycle([&](TTrayIcon&, int next) { steps.push_back(next); });
  cti.SetCycleIcons(true);  // no interval yet: nothing runs
  cti.SetCycleInterval(10);
  ASSERT_TRUE(WaitFor([&] { return steps.size() >= 4; }));
  cti.SetCycleIcons(false);
  EXPECT_EQ(std::vector<int>(steps.begin(), steps.begin() + 4), (std::vector<int>{1, 2, 0, 1}));
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST(TrayIconShell, TheRealNotificationAreaTakesTheIconOnceAndGivesItBack) {
  TTrayIcon cti;
  cti.SetIcon(LoadIconA(nullptr, IDI_APPLICATION));
  cti.SetHint("Velmora");
  const bool added = cti.AddIcon();
  if (!added && !FindWindowA("Shell_TrayWnd", nullptr)) GTEST_SKIP() << "no notification area here";
  EXPECT_TRUE(added);
  EXPECT_FALSE(cti.AddIcon());  // already there: fails quietly
  EXPECT_TRUE(cti.UpdateIcon());
  EXPECT_TRUE(cti.RemoveIcon());
  EXPECT_FALSE(cti.IconVisible());
  EXPECT_FALSE(cti.RemoveIcon());
}

}  // namespace
}  // namespace velmora
