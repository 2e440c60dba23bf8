#include <gtest/gtest.h>

#include <memory>

#include "Pump.h"
#include "components/SimpleTimer.h"

namespace velmora {
namespace {

using component_test::WaitFor;

TEST(SimpleTimer, TicksUntilSwitchedOffPausesAtZeroAndCanBeAOneShot) {
  int ticks = 0;
  int reference = 0;
  TSimpleTimer timer(10, [&](TSimpleTimer&) { ++ticks; });
  TSimpleTimer clock(10, [&](TSimpleTimer&) { ++reference; });
  EXPECT_FALSE(timer.Enabled());  // creating never starts
  ASSERT_TRUE(timer.Start());
  ASSERT_TRUE(clock.Start());
  ASSERT_TRUE(WaitFor([&] { return ticks >= 3; }));

  // Interval 0: no more ticks while the reference clock goes on, still enabled.
  timer.SetInterval(0);
  int before = ticks;
  ASSERT_TRUE(WaitFor([&, start = reference] { return reference >= start + 5; }));
  EXPECT_EQ(ticks, before);
  EXPECT_TRUE(timer.Enabled());
  timer.SetInterval(10);
  ASSERT_TRUE(WaitFor([&] { return ticks > before; }));

  timer.Stop();
  before = ticks;
  ASSERT_TRUE(WaitFor([&, start = reference] { return reference >= start + 5; }));
  EXPECT_EQ(ticks, before);

  // The click-delay pattern: the handler switches its own timer off.
  int shots = 0;
  TSimpleTimer oneShot(10, [&](TSimpleTimer& sender) {
    sender.Stop();
    ++shots;
  });
  oneShot.Start();
  ASSERT_TRUE(WaitFor([&, start = reference] { return reference >= start + 5; }));
  EXPECT_EQ(shots, 1);
}

TEST(SimpleTimer, TimersShareOneWindowThatGoesWithTheLastTimer) {
  ASSERT_EQ(TSimpleTimerHandler::Instance(), nullptr);
  HWND window = nullptr;
  {
    TSimpleTimer first;
    auto second = std::make_unique<TSimpleTimer>();
    ASSERT_NE(TSimpleTimerHandler::Instance(), nullptr);
    window = TSimpleTimerHandler::Instance()->Window();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(TSimpleTimerHandler::Instance()->Count(), 2);
    const UINT_PTR goneId = second->Identifier();
    second.reset();
    EXPECT_EQ(TSimpleTimerHandler::Instance()->Count(), 1);
    // A tick still queued for a destroyed timer is dropped.
    EXPECT_EQ(SendMessageA(window, WM_TIMER, goneId, 0), 0);
  }
  EXPECT_EQ(TSimpleTimerHandler::Instance(), nullptr);
  EXPECT_FALSE(IsWindow(window));

  // A timer whose handler destroys it, the last one: the window goes mid-tick.
  auto self = std::make_unique<TSimpleTimer>();
  self->SetInterval(10);
  self->SetOnTimer([&](TSimpleTimer&) { self.reset(); });
  self->Start();
  ASSERT_NE(TSimpleTimerHandler::Instance(), nullptr);
  window = TSimpleTimerHandler::Instance()->Window();
  ASSERT_TRUE(WaitFor([&] { return self == nullptr; }));
  EXPECT_EQ(TSimpleTimerHandler::Instance(), nullptr);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace velmora
