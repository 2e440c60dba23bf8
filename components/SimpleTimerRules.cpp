#include "components/SimpleTimerRules.h"

namespace velmora {

// An interval of 0 cannot tick, so the flag is left as it was: a timer paused
// by a zero interval stays enabled and resumes when the interval grows again.
bool SimpleTimerRules::Start() {
  if (interval_ == 0) return false;
  if (enabled_) Stop(true);
  const bool started = driver_.SetPlatformTimer(interval_);
  if (started) enabled_ = true;
  return started;
}

bool SimpleTimerRules::Stop(bool clearEnabled) {
  if (clearEnabled) enabled_ = false;
  return driver_.KillPlatformTimer();
}

void SimpleTimerRules::SetEnabled(bool on) {
  if (on) {
    Start();
  } else {
    Stop(true);
  }
}

// The same value leaves a running period alone; another one restarts it.
void SimpleTimerRules::SetInterval(std::uint32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  if (!enabled_) return;
  if (interval_ != 0) {
    Start();
  } else {
    Stop(false);
  }
}

// Emptying the handler pauses; assigning one never restarts a paused timer.
void SimpleTimerRules::TickHandlerChanged(bool assigned) {
  if (!assigned && enabled_) Stop(false);
}

void SimpleTimerRules::Destroying() {
  if (enabled_) Stop(true);
}

}  // namespace velmora
