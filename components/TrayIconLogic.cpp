#include "components/TrayIconLogic.h"

#include <algorithm>

namespace velmora {

TrayShift TrayButtonShift(TrayButton button) {
  switch (button) {
    case TrayButton::kLeft:
      return kTrayLeftButton;
    case TrayButton::kRight:
      return kTrayRightButton;
    case TrayButton::kMiddle:
      return kTrayMiddleButton;
  }
  return 0;
}

TrayShift TrayKeyShift(bool shift, bool alt, bool ctrl) {
  return static_cast<TrayShift>((shift ? kTrayShiftKey : 0) | (alt ? kTrayAltKey : 0) |
                                (ctrl ? kTrayCtrlKey : 0));
}

// Press-started survives until a left release reaches the icon, so a press
// whose release happened elsewhere still completes a click at the next left
// release on the icon. With OnDblClick assigned the release only marks the
// click pending; the click-delay tick reports it unless a double-click came.
std::vector<TrayStep> TrayClickState::Notify(std::uint32_t notification, const TrayConditions& conditions,
                                             TrayPoint pointer) {
  namespace tn = tray_notification;
  std::vector<TrayStep> steps;
  switch (notification) {
    case tn::kBalloonShow:
      return {{TrayAction::kBalloonShow}};
    case tn::kBalloonHide:
      return {{TrayAction::kBalloonHide}};
    case tn::kBalloonTimeout:
      return {{TrayAction::kBalloonTimeout}};
    case tn::kBalloonClick:
      return {{TrayAction::kBalloonClick}};
    default:
      break;
  }
  if (!conditions.enabled) return steps;

  switch (notification) {
    case tn::kMouseMove:
      if (conditions.wantEnterExitEvents && pointerOutside_) {
        steps.push_back({TrayAction::kMouseEnter});
        pointerOutside_ = false;
      }
      steps.push_back({TrayAction::kMouseMove});
      lastReported_ = pointer;
      break;
    case tn::kLeftDown:
      if (conditions.doubleClickAssigned) steps.push_back({TrayAction::kStartClickDelay});
      steps.push_back({TrayAction::kMouseDown, TrayButton::kLeft});
      pressStarted_ = true;
      if (conditions.leftPopup) steps.push_back({TrayAction::kOpenMenu});
      break;
    case tn::kLeftUp:
      if (pressStarted_) {
        clickPending_ = true;
        if (!conditions.clickDelayRunning) {
          clickPending_ = false;
          steps.push_back({TrayAction::kClick});
        }
      }
      pressStarted_ = false;
      steps.push_back({TrayAction::kMouseUp, TrayButton::kLeft});
      break;
    case tn::kLeftDoubleClick:
      clickPending_ = false;
      doubleClickSeen_ = true;
      steps.push_back({TrayAction::kDoubleClick});
      if (!conditions.leftPopup) steps.push_back({TrayAction::kClickDefaultMenuItem});
      break;
    case tn::kRightDown:
      steps.push_back({TrayAction::kMouseDown, TrayButton::kRight});
      steps.push_back({TrayAction::kOpenMenu});
      break;
    case tn::kRightUp:
      steps.push_back({TrayAction::kMouseUp, TrayButton::kRight});
      break;
    case tn::kMiddleDown:
      steps.push_back({TrayAction::kMouseDown, TrayButton::kMiddle});
      break;
    case tn::kMiddleUp:
      steps.push_back({TrayAction::kMouseUp, TrayButton::kMiddle});
      break;
    default:
      break;
  }
  return steps;
}

bool TrayClickState::ClickDelayElapsed() {
  const bool due = !doubleClickSeen_ && clickPending_;
  if (due) clickPending_ = false;
  doubleClickSeen_ = false;
  return due;
}

// The shell sends no "pointer left" notification, so the exit is inferred
// from the pointer no longer being where the icon last reported it.
bool TrayClickState::PointerExitTick(TrayPoint pointer) {
  if (pointerOutside_ || pointer == lastReported_) return false;
  pointerOutside_ = true;
  return true;
}

std::array<char, kTrayTooltipSize> TrayTooltip(const std::string& hint, bool showHint) {
  std::array<char, kTrayTooltipSize> tip{};
  if (showHint && !hint.empty()) {
    std::copy_n(hint.begin(), std::min(hint.size(), kTrayTooltipSize - 1), tip.begin());
  }
  return tip;
}

int ClampIconIndex(int index, int count) {
  if (count <= 0 || index < 0) return 0;
  return std::min(index, count - 1);
}

int NextCycleIndex(int index, int count) {
  if (count <= 0) return 0;
  const int next = ClampIconIndex(index, count) + 1;
  return next >= count ? 0 : next;
}

}  // namespace velmora
