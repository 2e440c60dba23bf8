#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "components/TrayIconLogic.h"

namespace velmora {
namespace {

namespace tn = tray_notification;

// Steps as words, in TrayAction order; "down" and "up" carry their button.
std::string Describe(const std::vector<TrayStep>& steps) {
  static const char* const kWords[] = {"enter",        "move",         "delay",        "down",
                                       "up",           "click",        "dblclick",     "menu",
                                       "default",      "balloon-show", "balloon-hide", "balloon-timeout",
                                       "balloon-click"};
  std::string text;
  for (const TrayStep& step : steps) {
    if (!text.empty()) text += ' ';
    text += kWords[static_cast<int>(step.action)];
    if (step.action == TrayAction::kMouseDown || step.action == TrayAction::kMouseUp)
      text += "LRM"[static_cast<int>(step.button)];
  }
  return text;
}

// Feeds notifications to one icon's click logic; `delayRunning` stands for the
// click-delay timer, started by a "delay" step and stopped by Elapsed().
struct Icon {
  std::string Send(std::uint32_t notification, TrayPoint pointer = {}) {
    conditions.clickDelayRunning = delayRunning;
    const auto steps = state.Notify(notification, conditions, pointer);
    for (const TrayStep& step : steps) {
      if (step.action == TrayAction::kStartClickDelay) delayRunning = true;
    }
    return Describe(steps);
  }
  std::string SendAll(std::initializer_list<std::uint32_t> notifications) {
    std::string all;
    for (std::uint32_t n : notifications) {
      const std::string steps = Send(n);
      if (!steps.empty()) all += (all.empty() ? "" : " | ") + steps;
    }
    return all;
  }
  bool Elapsed() {
    delayRunning = false;
    return state.ClickDelayElapsed();
  }

  TrayClickState state;
  TrayConditions conditions;
  bool delayRunning = false;
};

TEST(TrayClick, WithoutDoubleClickHandlerTheClickComesAtTheRelease) {
  Icon icon;
  EXPECT_EQ(icon.Send(tn::kLeftDown), "downL");
  EXPECT_EQ(icon.Send(tn::kLeftUp), "click upL");
  // The system's double-click order: the second press arrives as a double-click.
  EXPECT_EQ(icon.SendAll({tn::kLeftDown, tn::kLeftUp, tn::kLeftDoubleClick, tn::kLeftUp}),
            "downL | click upL | dblclick default | upL");
  EXPECT_EQ(icon.SendAll({tn::kRightDown, tn::kRightUp, tn::kMiddleDown, tn::kMiddleUp}),
            "downR menu | upR | downM | upM");
  EXPECT_EQ(icon.Send(0x0208 + 100), "");  // an unknown notification does nothing
}

TEST(TrayClick, PressStartedLastsUntilALeftReleaseOnTheIcon) {
  Icon icon;
  EXPECT_EQ(icon.Send(tn::kLeftUp), "upL");  // no earlier press: no click
  // A press whose release happened elsewhere: the next release here clicks.
  EXPECT_EQ(icon.SendAll({tn::kLeftDown, tn::kMouseMove, tn::kRightDown, tn::kRightUp, tn::kLeftUp}),
            "downL | move | downR menu | upR | click upL");
  EXPECT_EQ(icon.Send(tn::kLeftUp), "upL");  // one press, one click
}

TEST(TrayClick, DisabledIconRaisesOnlyBalloonEvents) {
  Icon icon;
  icon.conditions.enabled = false;
  icon.conditions.wantEnterExitEvents = true;
  EXPECT_EQ(icon.SendAll({tn::kMouseMove, tn::kLeftDown, tn::kLeftUp, tn::kLeftDoubleClick, tn::kRightDown,
                          tn::kRightUp, tn::kMiddleDown, tn::kMiddleUp}),
            "");
  EXPECT_EQ(icon.SendAll({tn::kBalloonShow, tn::kBalloonHide, tn::kBalloonTimeout, tn::kBalloonClick}),
            "balloon-show | balloon-hide | balloon-timeout | balloon-click");
  // The press while disabled left no trace.
  icon.conditions.enabled = true;
  EXPECT_EQ(icon.Send(tn::kLeftUp), "upL");
  EXPECT_TRUE(icon.state.PointerOutside());
}

TEST(TrayClick, WithDoubleClickHandlerASingleClickWaitsForTheDelay) {
  Icon icon;
  icon.conditions.doubleClickAssigned = true;
  EXPECT_EQ(icon.SendAll({tn::kLeftDown, tn::kLeftUp}), "delay downL | upL");
  EXPECT_TRUE(icon.Elapsed());
  EXPECT_FALSE(icon.Elapsed());  // reported once

  // A double-click suppresses the pending click, and only that one.
  EXPECT_EQ(icon.SendAll({tn::kLeftDown, tn::kLeftUp, tn::kLeftDoubleClick, tn::kLeftUp}),
            "delay downL | upL | dblclick default | upL");
  EXPECT_FALSE(icon.Elapsed());
  icon.SendAll({tn::kLeftDown, tn::kLeftUp});
  EXPECT_TRUE(icon.Elapsed());

  // A click-delay timer that could not start lets the release click at once.
  icon.Send(tn::kLeftDown);
  icon.delayRunning = false;
  EXPECT_EQ(icon.Send(tn::kLeftUp), "click upL");
  EXPECT_FALSE(icon.Elapsed());
}

TEST(TrayClick, LeftPopupOpensTheMenuOnALeftPressAndSkipsTheDefaultItem) {
  Icon icon;
  icon.conditions.leftPopup = true;
  EXPECT_EQ(icon.Send(tn::kLeftDown), "downL menu");
  EXPECT_EQ(icon.Send(tn::kLeftUp), "click upL");
  EXPECT_EQ(icon.Send(tn::kLeftDoubleClick), "dblclick");
  EXPECT_EQ(icon.Send(tn::kRightDown), "downR menu");
}

TEST(TrayClick, EnterAndExitFollowTheLastReportedPosition) {
  Icon icon;
  EXPECT_EQ(icon.Send(tn::kMouseMove, {10, 20}), "move");  // not wanted: no enter
  EXPECT_FALSE(icon.state.PointerExitTick({99, 99}));

  icon.conditions.wantEnterExitEvents = true;
  EXPECT_EQ(icon.Send(tn::kMouseMove, {10, 20}), "enter move");
  EXPECT_EQ(icon.Send(tn::kMouseMove, {11, 20}), "move");
  EXPECT_FALSE(icon.state.PointerExitTick({11, 20}));
  EXPECT_TRUE(icon.state.PointerExitTick({11, 21}));
  EXPECT_FALSE(icon.state.PointerExitTick({50, 50}));  // one exit per stay
  EXPECT_EQ(icon.Send(tn::kMouseMove, {11, 21}), "enter move");
}

TEST(TrayTooltip, HintIsCutTo127CharactersAndEmptyWhenHidden) {
  const std::string longHint(200, 'x');
  const auto cut = TrayTooltip(longHint, true);
  EXPECT_EQ(std::string(cut.data()), std::string(127, 'x'));
  EXPECT_EQ(cut[127], '\0');

  const auto exact = TrayTooltip(std::string(127, 'y'), true);
  EXPECT_EQ(std::string(exact.data()), std::string(127, 'y'));

  const auto shortTip = TrayTooltip("Velmora", true);
  EXPECT_EQ(std::string(shortTip.data()), "Velmora");
  EXPECT_TRUE(std::all_of(shortTip.begin() + 7, shortTip.end(), [](char c) { return c == '\0'; }));

  for (const auto& tip : {TrayTooltip("", true), TrayTooltip("Velmora", false)})
    EXPECT_TRUE(std::all_of(tip.begin(), tip.end(), [](char c) { return c == '\0'; }));
}

TEST(TrayIconIndex, ClampsToTheListAndCyclesBackToTheFirst) {
  EXPECT_EQ(ClampIconIndex(5, 0), 0);  // without a list always 0
  EXPECT_EQ(ClampIconIndex(1, 3), 1);
  EXPECT_EQ(ClampIconIndex(10, 3), 2);
  EXPECT_EQ(ClampIconIndex(-4, 3), 0);
  EXPECT_EQ(NextCycleIndex(0, 3), 1);
  EXPECT_EQ(NextCycleIndex(2, 3), 0);
  EXPECT_EQ(NextCycleIndex(0, 1), 0);
  EXPECT_EQ(NextCycleIndex(7, 0), 0);
}

}  // namespace
}  // namespace velmora
