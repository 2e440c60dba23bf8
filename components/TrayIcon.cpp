#include "components/TrayIcon.h"

#include <algorithm>

#include "base/CodePage.h"
#include "base/TimingLog.h"
#include "components/ComponentErrors.h"

namespace velmora {
namespace {

// The shell's version-2 record in its Unicode form: 936 bytes in the 32-bit
// program, 952 in the 64-bit one (the window handle and icon are pointer-sized).
static_assert(NOTIFYICONDATAW_V2_SIZE == (sizeof(void*) == 8 ? 952 : 936),
              "the icon record is the shell's version-2 form");

TrayNotifyFunction& NotifyFunction() {
  static TrayNotifyFunction function = &Shell_NotifyIconW;
  return function;
}

TrayShift KeyboardShift() {
  return TrayKeyShift(GetAsyncKeyState(VK_SHIFT) < 0, GetAsyncKeyState(VK_MENU) < 0,
                      GetAsyncKeyState(VK_CONTROL) < 0);
}

}  // namespace

TrayNotifyFunction SetTrayNotifyFunction(TrayNotifyFunction function) {
  return std::exchange(NotifyFunction(), function ? function : &Shell_NotifyIconW);
}

TTrayIcon::Membership::Membership(TTrayIcon& icon) : icon_(icon) {
  TTrayIconHandler::Join(icon_);
}

TTrayIcon::Membership::~Membership() {
  TTrayIconHandler::Leave(icon_);
}

TTrayIcon::TTrayIcon(HWND owner)
    : membership_(*this),
      owner_(owner && IsWindow(owner) ? owner : nullptr),
      cycleTimer_(SimpleTimerRules::kDefaultInterval, [this](TSimpleTimer&) { CycleTimerTick(); }),
      clickTimer_(SimpleTimerRules::kDefaultInterval, [this](TSimpleTimer&) { ClickTimerTick(); }),
      exitTimer_(kPointerExitInterval, [this](TSimpleTimer&) { ExitTimerTick(); }) {
  record_.cbSize = NOTIFYICONDATAW_V2_SIZE;
  record_.hWnd = TTrayIconHandler::Instance()->Window();
  record_.uID = static_cast<UINT>(Identifier());
  record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.uCallbackMessage = kCallbackMessage;
  HookOwner();
}

// The timers, the icon image and the handler membership go with the members.
TTrayIcon::~TTrayIcon() {
  *alive_ = false;
  RemoveIcon();
  UnhookOwner();
}

template <typename Handler, typename... Args>
void TTrayIcon::Raise(const Handler& handler, Args&&... args) {
  if (!handler) return;
  // A copy, so a handler that replaces itself keeps running.
  const Handler copy = handler;
  copy(*this, std::forward<Args>(args)...);
}

void TTrayIcon::Loaded() {
  const auto alive = alive_;
  if (owner_) {
    bool showMainForm = true;
    Raise(onStartup_, showMainForm);
    if (!*alive) return;
    if (!showMainForm && owner_) ShowWindow(owner_, SW_HIDE);
  }
  UpdateIcon();
  SetIconVisible(iconVisible_);
  SetCycleIcons(cycleIcons_);
  SetWantEnterExitEvents(wantEnterExitEvents_);
  record_.uVersion = 0;
  Notify(NIM_SETVERSION);
}

void TTrayIcon::FillRecord() {
  record_.hIcon = icon_.Get();
  const std::wstring tip = Utf8ToWide(TrayTooltip(hint_, showHint_).data());
  const std::size_t n = std::min(tip.size(), std::size(record_.szTip) - 1);
  std::copy_n(tip.data(), n, record_.szTip);
  record_.szTip[n] = L'\0';
}

bool TTrayIcon::Notify(DWORD message) {
  FillRecord();
  return NotifyFunction()(message, &record_) != FALSE;
}

bool TTrayIcon::ShowBalloon(const std::string& title, const std::string& text) {
  auto put = [](wchar_t* field, std::size_t size, const std::string& value) {
    const std::wstring wide = Utf8ToWide(value);
    const std::size_t n = std::min(wide.size(), size - 1);
    std::copy_n(wide.data(), n, field);
    field[n] = L'\0';
  };
  put(record_.szInfoTitle, std::size(record_.szInfoTitle), title);
  put(record_.szInfo, std::size(record_.szInfo), text);
  record_.dwInfoFlags = NIIF_WARNING;
  record_.uTimeout = 10000;
  record_.uFlags |= NIF_INFO;
  const bool shown = Notify(NIM_MODIFY);
  record_.uFlags &= ~static_cast<UINT>(NIF_INFO);
  record_.szInfo[0] = record_.szInfoTitle[0] = L'\0';
  return shown;
}

bool TTrayIcon::AddIcon() {
  iconVisible_ = true;
  const bool added = Notify(NIM_ADD);
  TimingMark("icon");
  return added;
}

bool TTrayIcon::UpdateIcon() {
  return Notify(NIM_MODIFY);
}

bool TTrayIcon::RemoveIcon() {
  iconVisible_ = false;
  return Notify(NIM_DELETE);
}

void TTrayIcon::SetIconVisible(bool visible) {
  if (visible) {
    AddIcon();
  } else {
    RemoveIcon();
  }
}

void TTrayIcon::SetIcon(HICON icon) {
  icon_.Reset(icon ? CopyIcon(icon) : nullptr);
  UpdateIcon();
}

void TTrayIcon::SetHint(std::string hint) {
  hint_ = std::move(hint);
  UpdateIcon();
}

void TTrayIcon::SetShowHint(bool showHint) {
  showHint_ = showHint;
  UpdateIcon();
}

void TTrayIcon::SetWantEnterExitEvents(bool want) {
  wantEnterExitEvents_ = want;
  if (want) {
    exitTimer_.Start();
  } else {
    exitTimer_.Stop();
  }
}

void TTrayIcon::SetIconList(HIMAGELIST list) {
  iconList_.Reset(list ? ImageList_Duplicate(list) : nullptr);
  if (iconList_) {
    SetIconIndex(iconIndex_);
  } else {
    iconIndex_ = 0;
    UpdateIcon();
  }
}

void TTrayIcon::SetIconIndex(int index) {
  if (!iconList_) {
    iconIndex_ = 0;
    UpdateIcon();
    return;
  }
  iconIndex_ = ClampIconIndex(index, ImageList_GetImageCount(iconList_.Get()));
  TakeIconFromList();
}

// A list that cannot give the icon leaves the current one in place.
void TTrayIcon::TakeIconFromList() {
  if (iconList_) {
    if (HICON icon = ImageList_GetIcon(iconList_.Get(), iconIndex_, ILD_NORMAL)) icon_.Reset(icon);
  }
  UpdateIcon();
}

void TTrayIcon::SetCycleIcons(bool cycle) {
  cycleIcons_ = cycle;
  if (cycle) {
    iconIndex_ = 0;
    cycleTimer_.SetInterval(cycleInterval_);
    cycleTimer_.Start();
  } else {
    cycleTimer_.Stop();
  }
}

// A cycling that could not start for want of an interval starts once it has one.
void TTrayIcon::SetCycleInterval(std::uint32_t interval) {
  cycleInterval_ = interval;
  cycleTimer_.SetInterval(interval);
  if (cycleIcons_ && !cycleTimer_.Enabled()) cycleTimer_.Start();
}

void TTrayIcon::CycleTimerTick() {
  const auto alive = alive_;
  const int count = iconList_ ? ImageList_GetImageCount(iconList_.Get()) : 0;
  TakeIconFromList();
  Raise(onCycle_, NextCycleIndex(iconIndex_, count));
  if (!*alive) return;
  iconIndex_ = NextCycleIndex(iconIndex_, count);
}

// The click-delay timer is a one-shot only because its tick switches it off.
void TTrayIcon::ClickTimerTick() {
  clickTimer_.Stop();
  if (click_.ClickDelayElapsed()) Raise(onClick_);
}

void TTrayIcon::ExitTimerTick() {
  POINT pointer{};
  if (!GetCursorPos(&pointer)) return;
  if (click_.PointerExitTick({pointer.x, pointer.y})) Raise(onMouseExit_);
}

void TTrayIcon::HandleNotification(std::uint32_t notification) {
  // Event positions are where the pointer is now, not what the shell passed.
  POINT pointer{};
  GetCursorPos(&pointer);
  const TrayConditions conditions{.enabled = enabled_,
                                  .wantEnterExitEvents = wantEnterExitEvents_,
                                  .doubleClickAssigned = static_cast<bool>(onDblClick_),
                                  .leftPopup = leftPopup_,
                                  .clickDelayRunning = clickTimer_.Enabled()};
  const auto steps = click_.Notify(notification, conditions, {pointer.x, pointer.y});
  const auto alive = alive_;
  for (const TrayStep& step : steps) {
    PerformStep(step, pointer);
    if (!*alive) return;
  }
}

void TTrayIcon::PerformStep(const TrayStep& step, POINT pointer) {
  switch (step.action) {
    case TrayAction::kMouseEnter:
      Raise(onMouseEnter_);
      break;
    case TrayAction::kMouseMove:
      Raise(onMouseMove_, KeyboardShift(), pointer.x, pointer.y);
      break;
    case TrayAction::kStartClickDelay:
      clickTimer_.SetInterval(GetDoubleClickTime());
      clickTimer_.Start();
      break;
    case TrayAction::kMouseDown:
      Raise(onMouseDown_, step.button, static_cast<TrayShift>(KeyboardShift() | TrayButtonShift(step.button)),
            pointer.x, pointer.y);
      break;
    case TrayAction::kMouseUp:
      Raise(onMouseUp_, step.button, static_cast<TrayShift>(KeyboardShift() | TrayButtonShift(step.button)),
            pointer.x, pointer.y);
      break;
    case TrayAction::kClick:
      Raise(onClick_);
      break;
    case TrayAction::kDoubleClick:
      Raise(onDblClick_);
      break;
    case TrayAction::kOpenMenu:
      PopupAtCursor();
      break;
    case TrayAction::kClickDefaultMenuItem:
      ClickDefaultMenuItem();
      break;
    case TrayAction::kBalloonShow:
      Raise(onBalloonHintShow_);
      break;
    case TrayAction::kBalloonHide:
      Raise(onBalloonHintHide_);
      break;
    case TrayAction::kBalloonTimeout:
      Raise(onBalloonHintTimeout_);
      break;
    case TrayAction::kBalloonClick:
      Raise(onBalloonHintClick_);
      break;
  }
}

// The menu needs a foreground window of this thread to close when the user
// clicks elsewhere, and a message after it to open reliably the next time.
// The chosen command is posted, so it runs from the message loop once this
// notification is finished, as a menu's WM_COMMAND would.
void TTrayIcon::PopupAtCursor() {
  if (!popupMenu_ || !autoPopup_) return;
  if (!IsMenu(popupMenu_)) {
    popupMenu_ = nullptr;
    return;
  }
  POINT pointer{};
  if (!GetCursorPos(&pointer)) return;
  const HWND window = record_.hWnd;
  if (!window) return;
  const auto alive = alive_;
  if (onMenuPopup_) onMenuPopup_(*this);
  if (!*alive) return;
  SetForegroundWindow(window);
  const UINT command = static_cast<UINT>(TrackPopupMenu(
      popupMenu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, pointer.x, pointer.y, 0, window, nullptr));
  PostMessageA(window, WM_NULL, 0, 0);
  if (!*alive) return;
  if (owner_) PostMessageA(owner_, WM_NULL, 0, 0);
  if (command != 0) PostMessageA(window, TTrayIconHandler::kMenuCommandMessage, Identifier(), command);
}

// A double-click chooses the lowest-indexed top-level item marked default.
void TTrayIcon::ClickDefaultMenuItem() {
  if (!popupMenu_ || !autoPopup_) return;
  if (!IsMenu(popupMenu_)) {
    popupMenu_ = nullptr;
    return;
  }
  const int count = GetMenuItemCount(popupMenu_);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoA(popupMenu_, static_cast<UINT>(i), TRUE, &item) || !(item.fState & MFS_DEFAULT))
      continue;
    if (!item.hSubMenu)
      PostMessageA(record_.hWnd, TTrayIconHandler::kMenuCommandMessage, Identifier(), item.wID);
    return;
  }
}

void TTrayIcon::HandleMenuCommand(UINT commandId) {
  Raise(onMenuCommand_, commandId);
}

void TTrayIcon::MinimizeToTrayNow() {
  if (!owner_) return;
  ShowWindow(owner_, SW_HIDE);
  AddIcon();
}

bool TTrayIcon::TryMinimizeToTray() {
  if (!minimizeToTray_ || !onMinimizeToTray_) return false;
  const auto alive = alive_;
  Raise(onMinimizeToTray_);
  if (*alive) MinimizeToTrayNow();
  return true;
}

}  // namespace velmora
