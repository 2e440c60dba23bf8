// The shared handler window of the notification icons and the hook on an
// icon's owner window.
#include <algorithm>
#include <memory>

#include "components/ComponentErrors.h"
#include "components/TrayIcon.h"

namespace velmora {
namespace {

constexpr char kWindowClass[] = "VelmoraTrayIconHandler";

std::unique_ptr<TTrayIconHandler>& SharedHandler() {
  static std::unique_ptr<TTrayIconHandler> handler;
  return handler;
}

bool AnsweredWithoutDefault(UINT message) {
  switch (message) {
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY:
      return true;
    default:
      return false;
  }
}

}  // namespace

// A hidden top-level window rather than a message-only one: the restarted
// taskbar's "TaskbarCreated" is broadcast to top-level windows only.
TTrayIconHandler::TTrayIconHandler() {
  Create({.className = kWindowClass, .style = WS_POPUP, .exStyle = WS_EX_TOOLWINDOW});
  // An elevated program would otherwise not hear the broadcast.
  if (TaskbarCreatedMessage() != 0)
    ChangeWindowMessageFilterEx(Handle(), TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
}

TTrayIconHandler::~TTrayIconHandler() = default;

TTrayIconHandler* TTrayIconHandler::Instance() {
  return SharedHandler().get();
}

UINT TTrayIconHandler::TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

TTrayIconHandler& TTrayIconHandler::Join(TTrayIcon& icon) {
  auto& shared = SharedHandler();
  if (!shared) shared.reset(new TTrayIconHandler());
  shared->icons_.push_back(&icon);
  return *shared;
}

void TTrayIconHandler::Leave(TTrayIcon& icon) {
  auto& shared = SharedHandler();
  if (!shared) return;
  std::erase(shared->icons_, &icon);
  if (shared->icons_.empty()) shared.reset();
}

TTrayIcon* TTrayIconHandler::Find(WPARAM identifier) const {
  // The shell hands back the record's 32-bit identifier.
  const auto found = std::find_if(icons_.begin(), icons_.end(), [identifier](const TTrayIcon* icon) {
    return static_cast<UINT>(icon->Identifier()) == static_cast<UINT>(identifier);
  });
  return found == icons_.end() ? nullptr : *found;
}

LRESULT TTrayIconHandler::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (AnsweredWithoutDefault(message)) return 1;
  const bool forIcon = message == TTrayIcon::kCallbackMessage || message == kMenuCommandMessage;
  const bool taskbarCreated = message == TaskbarCreatedMessage() && message != 0;
  if (!forIcon && !taskbarCreated) return velmora::Window::HandleMessage(message, wParam, lParam);

  try {
    if (taskbarCreated) {
      // Adding raises no event, so the list cannot change meanwhile.
      for (TTrayIcon* icon : icons_) {
        if (icon->IconVisible()) icon->AddIcon();
      }
      return 0;
    }
    TTrayIcon* icon = Find(wParam);
    if (!icon) return 0;
    if (message == TTrayIcon::kCallbackMessage) {
      icon->HandleNotification(static_cast<std::uint32_t>(lParam));
    } else {
      icon->HandleMenuCommand(static_cast<UINT>(lParam));
    }
  } catch (...) {
    ReportComponentError(std::current_exception());
  }
  return 0;
}

void TTrayIcon::HookOwner() {
  if (!owner_) return;
  ownerHooked_ =
      SetWindowSubclass(owner_, &TTrayIcon::OwnerProc, Identifier(), reinterpret_cast<DWORD_PTR>(this));
}

void TTrayIcon::UnhookOwner() {
  if (!ownerHooked_) return;
  RemoveWindowSubclass(owner_, &TTrayIcon::OwnerProc, Identifier());
  ownerHooked_ = false;
}

// Sees the owner window's messages before its own procedure. Showing it brings
// it to the foreground; minimising it may go to the tray instead.
LRESULT CALLBACK TTrayIcon::OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self) noexcept {
  auto* icon = reinterpret_cast<TTrayIcon*>(self);
  try {
    switch (message) {
      case WM_SHOWWINDOW:
        if (wParam == TRUE && lParam == 0) {
          SetForegroundWindow(window);
        } else if (wParam == FALSE && lParam == SW_PARENTCLOSING && icon->TryMinimizeToTray()) {
          return 1;
        }
        break;
      case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE && icon->TryMinimizeToTray()) return 1;
        if ((wParam & 0xFFF0) == SC_RESTORE && !IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
        break;
      case WM_SIZE:
        if (wParam == SIZE_MINIMIZED && icon->minimizeToTray_) icon->MinimizeToTrayNow();
        break;
      case WM_NCDESTROY:
        // The icon outlives its owner: forget the window rather than touch a stale handle.
        RemoveWindowSubclass(window, &TTrayIcon::OwnerProc, id);
        icon->ownerHooked_ = false;
        icon->owner_ = nullptr;
        break;
      default:
        break;
    }
  } catch (...) {
    ReportComponentError(std::current_exception());
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace velmora
