#include "ui/Timer.h"

#include "ui/Form.h"

namespace velmora {

Timer::Timer(Form& owner, const TimerProps& props)
    : owner_(owner),
      id_(owner.AddTimer(this)),
      interval_(props.interval),
      enabled_(props.enabled),
      tag_(props.tag) {
  Update();
}

Timer::~Timer() {
  if (running_) KillTimer(owner_.Handle(), id_);
  owner_.RemoveTimer(id_);
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void Timer::SetInterval(int interval) {
  if (interval == interval_) return;
  interval_ = interval;
  Update();
}

void Timer::Update() {
  if (running_) KillTimer(owner_.Handle(), id_);
  running_ =
      enabled_ && interval_ > 0 && SetTimer(owner_.Handle(), id_, static_cast<UINT>(interval_), nullptr);
}

void Timer::Fire() {
  // A tick already queued when the timer was stopped is dropped.
  if (running_ && onTimer_) onTimer_();
}

}  // namespace velmora
