#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/SimpleTimerRules.h"

namespace velmora {
namespace {

// Records the platform calls as "set <interval>" and "kill".
class RecordingDriver : public TimerDriver {
 public:
  bool SetPlatformTimer(std::uint32_t interval) override {
    calls.push_back("set " + std::to_string(interval));
    return setSucceeds;
  }
  bool KillPlatformTimer() override {
    calls.push_back("kill");
    return true;
  }
  std::vector<std::string> Take() { return std::exchange(calls, {}); }

  std::vector<std::string> calls;
  bool setSucceeds = true;
};

using Calls = std::vector<std::string>;

TEST(SimpleTimerRules, StartingARunningTimerRestartsItsPeriod) {
  RecordingDriver driver;
  SimpleTimerRules timer(driver, 250);
  EXPECT_TRUE(timer.Start());
  EXPECT_EQ(driver.Take(), (Calls{"set 250"}));
  timer.SetEnabled(true);
  EXPECT_EQ(driver.Take(), (Calls{"kill", "set 250"}));
  EXPECT_TRUE(timer.Enabled());
  timer.SetEnabled(false);
  EXPECT_EQ(driver.Take(), (Calls{"kill"}));
  EXPECT_FALSE(timer.Enabled());
}

TEST(SimpleTimerRules, ZeroIntervalNeverStartsAndKeepsTheFlagAsItWas) {
  RecordingDriver driver;
  SimpleTimerRules idle(driver, 0);
  EXPECT_FALSE(idle.Start());
  EXPECT_FALSE(idle.Enabled());
  EXPECT_TRUE(driver.Take().empty());

  SimpleTimerRules paused(driver, 100);
  paused.Start();
  paused.SetInterval(0);
  EXPECT_EQ(driver.Take(), (Calls{"set 100", "kill"}));
  EXPECT_TRUE(paused.Enabled());
  EXPECT_FALSE(paused.Start());  // switching on cannot resume it
  EXPECT_TRUE(paused.Enabled());
  EXPECT_TRUE(driver.Take().empty());
  paused.SetInterval(40);  // a non-zero interval does
  EXPECT_EQ(driver.Take(), (Calls{"kill", "set 40"}));
  EXPECT_TRUE(paused.Enabled());
}

TEST(SimpleTimerRules, OnlyADifferentIntervalRestartsARunningTimer) {
  RecordingDriver driver;
  SimpleTimerRules timer(driver, 500);
  timer.SetInterval(300);  // idle: stored only
  EXPECT_TRUE(driver.Take().empty());
  EXPECT_EQ(timer.Interval(), 300u);
  timer.Start();
  driver.Take();
  timer.SetInterval(300);
  EXPECT_TRUE(driver.Take().empty());
  timer.SetInterval(700);
  EXPECT_EQ(driver.Take(), (Calls{"kill", "set 700"}));
  EXPECT_TRUE(timer.Enabled());
}

TEST(SimpleTimerRules, EmptyingTheTickHandlerPausesUntilSwitchedOnOrANewInterval) {
  RecordingDriver driver;
  SimpleTimerRules timer(driver, 100);
  timer.TickHandlerChanged(false);  // idle: nothing to pause
  EXPECT_TRUE(driver.Take().empty());

  timer.Start();
  driver.Take();
  timer.TickHandlerChanged(false);
  EXPECT_EQ(driver.Take(), (Calls{"kill"}));
  EXPECT_TRUE(timer.Enabled());
  timer.TickHandlerChanged(true);  // assigning again never restarts
  EXPECT_TRUE(driver.Take().empty());
  timer.SetEnabled(true);
  EXPECT_EQ(driver.Take(), (Calls{"kill", "set 100"}));

  timer.TickHandlerChanged(false);
  driver.Take();
  timer.SetInterval(200);
  EXPECT_EQ(driver.Take(), (Calls{"kill", "set 200"}));
}

TEST(SimpleTimerRules, ARefusedPlatformTimerLeavesTheTimerNotEnabled) {
  RecordingDriver driver;
  SimpleTimerRules timer(driver, 100);
  timer.Start();
  driver.setSucceeds = false;
  EXPECT_FALSE(timer.Start());  // the restart stops it first
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(driver.Take(), (Calls{"set 100", "kill", "set 100"}));
}

TEST(SimpleTimerRules, DestroyingStopsOnlyAnEnabledTimer) {
  RecordingDriver driver;
  SimpleTimerRules idle(driver, 100);
  idle.Destroying();
  EXPECT_TRUE(driver.Take().empty());

  SimpleTimerRules paused(driver, 100);
  paused.Start();
  paused.SetInterval(0);
  driver.Take();
  paused.Destroying();
  EXPECT_EQ(driver.Take(), (Calls{"kill"}));
  EXPECT_FALSE(paused.Enabled());
}

}  // namespace
}  // namespace velmora
