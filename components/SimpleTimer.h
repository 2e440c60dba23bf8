#pragma once
// TSimpleTimer: a lightweight periodic timer with a millisecond interval.
// Every timer of the process shares one hidden message window, kept by
// TSimpleTimerHandler, which receives the system's ticks and calls the tick
// handler of the timer concerned on the user-interface thread.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "winbase/Window.h"
#include "components/SimpleTimerRules.h"

namespace velmora {

class TSimpleTimer final : private TimerDriver {
 public:
  using TickHandler = std::function<void(TSimpleTimer& sender)>;

  // Interval 1000 ms, no tick handler. Creating never starts the timer.
  TSimpleTimer();
  TSimpleTimer(std::uint32_t interval, TickHandler onTimer);
  ~TSimpleTimer();
  // Its address is its timer identifier, so it stays where it was made.
  TSimpleTimer(const TSimpleTimer&) = delete;
  TSimpleTimer& operator=(const TSimpleTimer&) = delete;

  // Switch on (restarts a running period). Fails, leaving Enabled as it was,
  // when the interval is 0 or the system refuses a timer.
  bool Start();
  // Switch off.
  bool Stop();
  bool Enabled() const { return rules_.Enabled(); }

  std::uint32_t Interval() const { return rules_.Interval(); }
  void SetInterval(std::uint32_t interval) { rules_.SetInterval(interval); }

  // An empty handler pauses a running timer and keeps it enabled.
  void SetOnTimer(TickHandler onTimer);
  bool HasOnTimer() const { return static_cast<bool>(onTimer_); }

  UINT_PTR Identifier() const { return reinterpret_cast<UINT_PTR>(this); }

 private:
  friend class TSimpleTimerHandler;

  bool SetPlatformTimer(std::uint32_t interval) override;
  bool KillPlatformTimer() override;
  void Tick();

  SimpleTimerRules rules_;
  TickHandler onTimer_;
};

// The shared hidden window of all timers and the number of live timers. It
// exists from the first timer's creation until the last one is destroyed.
class TSimpleTimerHandler : public velmora::Window {
 public:
  ~TSimpleTimerHandler() override;
  TSimpleTimerHandler(const TSimpleTimerHandler&) = delete;
  TSimpleTimerHandler& operator=(const TSimpleTimerHandler&) = delete;

  // The live handler, or nullptr when no timer exists.
  static TSimpleTimerHandler* Instance();
  HWND Window() const { return Handle(); }
  int Count() const { return static_cast<int>(timers_.size()); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TSimpleTimer;
  TSimpleTimerHandler();

  static TSimpleTimerHandler& Join(TSimpleTimer& timer);
  static void Leave(TSimpleTimer& timer);

  std::vector<TSimpleTimer*> timers_;
};

}  // namespace velmora
