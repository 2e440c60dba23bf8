#pragma once
// The start, stop and interval rules of TSimpleTimer, on plain data. The
// platform's timer is reached through TimerDriver, so the rules run natively
// in the unit tests with a recording driver.
#include <cstdint>

namespace velmora {

// Sets and kills the one platform timer that belongs to a TSimpleTimer.
class TimerDriver {
 public:
  virtual bool SetPlatformTimer(std::uint32_t interval) = 0;
  virtual bool KillPlatformTimer() = 0;

 protected:
  ~TimerDriver() = default;
};

// A timer is idle (not enabled), running (enabled, platform timer set) or
// paused (enabled, platform timer killed because the interval became 0 or the
// tick handler was emptied).
class SimpleTimerRules {
 public:
  static constexpr std::uint32_t kDefaultInterval = 1000;

  explicit SimpleTimerRules(TimerDriver& driver, std::uint32_t interval = kDefaultInterval)
      : driver_(driver), interval_(interval) {}

  bool Enabled() const { return enabled_; }
  std::uint32_t Interval() const { return interval_; }

  bool Start();
  bool Stop(bool clearEnabled);
  // Switching on starts (restarting a running period); switching off stops.
  void SetEnabled(bool on);
  void SetInterval(std::uint32_t interval);
  void TickHandlerChanged(bool assigned);
  void Destroying();

 private:
  TimerDriver& driver_;
  bool enabled_ = false;
  std::uint32_t interval_;
};

}  // namespace velmora
