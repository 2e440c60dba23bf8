#pragma once
// TTrayIcon: keeps an icon in the taskbar's notification area, turns the
// shell's mouse notifications for it into events, opens a popup menu at the
// pointer and puts the icon back when the taskbar is re-created. All icons of
// the process share one hidden handler window, kept by TTrayIconHandler.
//
// Typical wiring by an owner window:
//   cti_.emplace(Handle());                       // std::optional<TTrayIcon>
//   cti_->SetIcon(programIcon);                   // the icon keeps its own copy
//   cti_->SetPopupMenu(popupMenu1);               // referenced, not owned
//   cti_->SetOnClick([this](TTrayIcon&) { ctiClick(); });
//   cti_->SetOnMenuCommand([this](TTrayIcon&, UINT id) { MenuCommand(id); });
//   cti_->SetIconVisible(true);
//   cti_->Loaded();
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "winbase/Handles.h"
#include "winbase/Window.h"
#include "components/SimpleTimer.h"
#include "components/TrayIconLogic.h"

namespace velmora {

// The one call that reaches the notification area (Shell_NotifyIconW by
// default). The tests put a recorder in its place; returns the previous one.
using TrayNotifyFunction = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);
TrayNotifyFunction SetTrayNotifyFunction(TrayNotifyFunction function);

class TTrayIcon {
 public:
  using TNotifyEvent = std::function<void(TTrayIcon& sender)>;
  using TMouseEvent =
      std::function<void(TTrayIcon& sender, TrayButton button, TrayShift shift, int x, int y)>;
  using TMouseMoveEvent = std::function<void(TTrayIcon& sender, TrayShift shift, int x, int y)>;
  using TCycleEvent = std::function<void(TTrayIcon& sender, int nextIndex)>;
  using TStartupEvent = std::function<void(TTrayIcon& sender, bool& showMainForm)>;
  // A menu item chosen from the popup menu (or the default item clicked on a
  // double-click); delivered from the message loop after the menu has closed.
  using TMenuCommandEvent = std::function<void(TTrayIcon& sender, UINT commandId)>;

  // The shell's callback message to the handler window.
  static constexpr UINT kCallbackMessage = WM_USER + 1024;
  static constexpr std::uint32_t kPointerExitInterval = 20;

  // `owner` may be nullptr; a window owner is hooked so that it comes to the
  // foreground whenever it is shown, and minimising it can go to the tray.
  explicit TTrayIcon(HWND owner = nullptr);
  ~TTrayIcon();
  // Its address is its icon identifier, so it stays where it was made.
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  // Loading complete: raises OnStartup (window owner only), then re-applies
  // the icon, IconVisible, CycleIcons and WantEnterExitEvents and sets the
  // shell's notification version.
  void Loaded();
  // A balloon tip at the icon, with the warning sign; the shell hides it
  // after a while or at a click. Later updates of the icon show no balloon.
  bool ShowBalloon(const std::string& title, const std::string& text);

  // Add, update and remove the icon; the shell's answer is only passed back.
  bool AddIcon();
  bool UpdateIcon();
  bool RemoveIcon();

  bool IconVisible() const { return iconVisible_; }
  void SetIconVisible(bool visible);

  // The icon keeps its own copy of `icon`; nullptr (or an invalid handle)
  // shows no picture.
  HICON Icon() const { return icon_.Get(); }
  void SetIcon(HICON icon);

  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool showHint);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // Referenced, not owned; a menu destroyed meanwhile is treated as none.
  HMENU PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(HMENU menu) { popupMenu_ = menu; }
  // The menu's automatic popup; off keeps it from opening and from a default item click.
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
  bool LeftPopup() const { return leftPopup_; }
  void SetLeftPopup(bool leftPopup) { leftPopup_ = leftPopup; }

  bool WantEnterExitEvents() const { return wantEnterExitEvents_; }
  void SetWantEnterExitEvents(bool want);
  bool MinimizeToTray() const { return minimizeToTray_; }
  void SetMinimizeToTray(bool minimize) { minimizeToTray_ = minimize; }

  // The icon keeps its own copy of `list`.
  HIMAGELIST IconList() const { return iconList_.Get(); }
  void SetIconList(HIMAGELIST list);
  int IconIndex() const { return iconIndex_; }
  void SetIconIndex(int index);
  bool CycleIcons() const { return cycleIcons_; }
  void SetCycleIcons(bool cycle);
  std::uint32_t CycleInterval() const { return cycleInterval_; }
  void SetCycleInterval(std::uint32_t interval);

  void SetOnClick(TNotifyEvent handler) { onClick_ = std::move(handler); }
  void SetOnDblClick(TNotifyEvent handler) { onDblClick_ = std::move(handler); }
  void SetOnMouseDown(TMouseEvent handler) { onMouseDown_ = std::move(handler); }
  void SetOnMouseUp(TMouseEvent handler) { onMouseUp_ = std::move(handler); }
  void SetOnMouseMove(TMouseMoveEvent handler) { onMouseMove_ = std::move(handler); }
  void SetOnMouseEnter(TNotifyEvent handler) { onMouseEnter_ = std::move(handler); }
  void SetOnMouseExit(TNotifyEvent handler) { onMouseExit_ = std::move(handler); }
  void SetOnCycle(TCycleEvent handler) { onCycle_ = std::move(handler); }
  void SetOnBalloonHintShow(TNotifyEvent handler) { onBalloonHintShow_ = std::move(handler); }
  void SetOnBalloonHintHide(TNotifyEvent handler) { onBalloonHintHide_ = std::move(handler); }
  void SetOnBalloonHintTimeout(TNotifyEvent handler) { onBalloonHintTimeout_ = std::move(handler); }
  void SetOnBalloonHintClick(TNotifyEvent handler) { onBalloonHintClick_ = std::move(handler); }
  void SetOnMinimizeToTray(TNotifyEvent handler) { onMinimizeToTray_ = std::move(handler); }
  void SetOnStartup(TStartupEvent handler) { onStartup_ = std::move(handler); }
  void SetOnMenuCommand(TMenuCommandEvent handler) { onMenuCommand_ = std::move(handler); }
  // Just before the menu opens: the items' states follow the program's.
  void SetOnMenuPopup(TNotifyEvent handler) { onMenuPopup_ = std::move(handler); }

  HWND Owner() const { return owner_; }
  UINT_PTR Identifier() const { return reinterpret_cast<UINT_PTR>(this); }
  // A single click waits here for a possible double-click (OnDblClick assigned).
  bool ClickDelayRunning() const { return clickTimer_.Enabled(); }

 private:
  friend class TTrayIconHandler;

  void FillRecord();
  bool Notify(DWORD message);
  void HandleNotification(std::uint32_t notification);
  void HandleMenuCommand(UINT commandId);
  void PerformStep(const TrayStep& step, POINT pointer);
  void PopupAtCursor();
  void ClickDefaultMenuItem();
  void MinimizeToTrayNow();
  bool TryMinimizeToTray();
  template <typename Handler, typename... Args>
  void Raise(const Handler& handler, Args&&... args);
  void ClickTimerTick();
  void ExitTimerTick();
  void CycleTimerTick();
  void TakeIconFromList();
  void HookOwner();
  void UnhookOwner();
  static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self) noexcept;

  // First member: joins the shared handler before anything else and leaves it last.
  class Membership {
   public:
    explicit Membership(TTrayIcon& icon);
    ~Membership();
    Membership(const Membership&) = delete;
    Membership& operator=(const Membership&) = delete;

   private:
    TTrayIcon& icon_;
  } membership_;
  // Cleared when the icon is destroyed, so a step sequence stops when an
  // event handler destroyed the icon.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

  HWND owner_;
  bool ownerHooked_ = false;
  NOTIFYICONDATAW record_{};
  UniqueIcon icon_;
  UniqueImageList iconList_;
  HMENU popupMenu_ = nullptr;
  std::string hint_;
  std::uint32_t cycleInterval_ = 0;
  int iconIndex_ = 0;
  bool iconVisible_ = false;
  bool enabled_ = true;
  bool showHint_ = true;
  bool autoPopup_ = true;
  bool leftPopup_ = false;
  bool wantEnterExitEvents_ = false;
  bool minimizeToTray_ = false;
  bool cycleIcons_ = false;
  TrayClickState click_;

  TSimpleTimer cycleTimer_;
  TSimpleTimer clickTimer_;
  TSimpleTimer exitTimer_;

  TNotifyEvent onClick_, onDblClick_, onMouseEnter_, onMouseExit_;
  TMouseEvent onMouseDown_, onMouseUp_;
  TMouseMoveEvent onMouseMove_;
  TCycleEvent onCycle_;
  TNotifyEvent onBalloonHintShow_, onBalloonHintHide_, onBalloonHintTimeout_, onBalloonHintClick_;
  TNotifyEvent onMinimizeToTray_;
  TStartupEvent onStartup_;
  TMenuCommandEvent onMenuCommand_;
  TNotifyEvent onMenuPopup_;
};

// The hidden window shared by all icons of the process and the number of
// live icons. The first icon creates it, the last one destroys it.
class TTrayIconHandler : public velmora::Window {
 public:
  ~TTrayIconHandler() override;
  TTrayIconHandler(const TTrayIconHandler&) = delete;
  TTrayIconHandler& operator=(const TTrayIconHandler&) = delete;

  // The live handler, or nullptr when no icon exists.
  static TTrayIconHandler* Instance();
  HWND Window() const { return Handle(); }
  int Count() const { return static_cast<int>(icons_.size()); }
  // The message a restarted taskbar broadcasts to top-level windows.
  static UINT TaskbarCreatedMessage();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TTrayIcon;
  TTrayIconHandler();

  static TTrayIconHandler& Join(TTrayIcon& icon);
  static void Leave(TTrayIcon& icon);
  // Posted to the handler window: first parameter the icon, second the command.
  static constexpr UINT kMenuCommandMessage = WM_APP + 1;

  TTrayIcon* Find(WPARAM identifier) const;

  std::vector<TTrayIcon*> icons_;
};

}  // namespace velmora
