#pragma once
// The notification-area icon's rules on plain data: the click logic with its
// flags, the tooltip text of the icon record and the icon-index rules. The
// window side (TTrayIcon) feeds the shell's notifications in and performs the
// steps that come out.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

enum class TrayButton { kLeft, kRight, kMiddle };

// Shift set of the icon's mouse events: the keys held down plus the button concerned.
using TrayShift = std::uint8_t;
inline constexpr TrayShift kTrayShiftKey = 1;
inline constexpr TrayShift kTrayAltKey = 2;
inline constexpr TrayShift kTrayCtrlKey = 4;
inline constexpr TrayShift kTrayLeftButton = 8;
inline constexpr TrayShift kTrayRightButton = 16;
inline constexpr TrayShift kTrayMiddleButton = 32;

TrayShift TrayButtonShift(TrayButton button);
TrayShift TrayKeyShift(bool shift, bool alt, bool ctrl);

// The second parameter of the icon's callback message: the system's mouse
// message numbers and the balloon notifications.
namespace tray_notification {
inline constexpr std::uint32_t kMouseMove = 512;
inline constexpr std::uint32_t kLeftDown = 513;
inline constexpr std::uint32_t kLeftUp = 514;
inline constexpr std::uint32_t kLeftDoubleClick = 515;
inline constexpr std::uint32_t kRightDown = 516;
inline constexpr std::uint32_t kRightUp = 517;
inline constexpr std::uint32_t kMiddleDown = 519;
inline constexpr std::uint32_t kMiddleUp = 520;
inline constexpr std::uint32_t kBalloonShow = 1026;
inline constexpr std::uint32_t kBalloonHide = 1027;
inline constexpr std::uint32_t kBalloonTimeout = 1028;
inline constexpr std::uint32_t kBalloonClick = 1029;
}  // namespace tray_notification

enum class TrayAction {
  kMouseEnter,
  kMouseMove,
  kStartClickDelay,  // interval = double-click time, (re)start
  kMouseDown,
  kMouseUp,
  kClick,
  kDoubleClick,
  kOpenMenu,
  kClickDefaultMenuItem,
  kBalloonShow,
  kBalloonHide,
  kBalloonTimeout,
  kBalloonClick,
};

struct TrayStep {
  TrayAction action;
  TrayButton button = TrayButton::kLeft;  // for kMouseDown and kMouseUp
  bool operator==(const TrayStep&) const = default;
};

struct TrayPoint {
  int x = 0;
  int y = 0;
  bool operator==(const TrayPoint&) const = default;
};

// The component's settings and the click-delay timer's state at the moment a
// notification is handled.
struct TrayConditions {
  bool enabled = true;
  bool wantEnterExitEvents = false;
  bool doubleClickAssigned = false;
  bool leftPopup = false;
  bool clickDelayRunning = false;
};

// The flags of one icon's click logic. Each call updates the flags and says,
// in order, what the icon must do.
class TrayClickState {
 public:
  std::vector<TrayStep> Notify(std::uint32_t notification, const TrayConditions& conditions,
                               TrayPoint pointer);
  // A tick of the click-delay timer, which the caller has already stopped.
  // True when OnClick is due.
  bool ClickDelayElapsed();
  // A tick of the pointer-exit timer. True when OnMouseExit is due.
  bool PointerExitTick(TrayPoint pointer);

  bool PointerOutside() const { return pointerOutside_; }

 private:
  bool pressStarted_ = false;
  bool clickPending_ = false;
  bool doubleClickSeen_ = false;
  bool pointerOutside_ = true;
  TrayPoint lastReported_;
};

// The icon record's tooltip field.
inline constexpr std::size_t kTrayTooltipSize = 128;
std::array<char, kTrayTooltipSize> TrayTooltip(const std::string& hint, bool showHint);

// IconIndex against a list of `count` icons (0: no list).
int ClampIconIndex(int index, int count);
// The index a cycling step moves to.
int NextCycleIndex(int index, int count);

}  // namespace velmora
