#pragma once
// A form's timer: a window timer of the form, fired through its message loop.
#include <windows.h>

#include "ui/Control.h"

namespace velmora {

class Form;

struct TimerProps {
  int interval = 1000;  // milliseconds; 0 never fires
  bool enabled = true;
  int tag = 0;
};

class Timer {
 public:
  Timer(Form& owner, const TimerProps& props);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  // A new interval restarts a running timer.
  void SetInterval(int interval);
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  void OnTimer(Handler handler) { onTimer_ = std::move(handler); }

  // Called by the form on WM_TIMER.
  void Fire();

 private:
  void Update();

  Form& owner_;
  UINT_PTR id_;
  int interval_;
  bool enabled_;
  int tag_;
  bool running_ = false;
  Handler onTimer_;
};

}  // namespace velmora
