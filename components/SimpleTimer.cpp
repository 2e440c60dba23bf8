#include "components/SimpleTimer.h"

#include <algorithm>
#include <memory>

#include "components/ComponentErrors.h"

namespace velmora {
namespace {

constexpr char kWindowClass[] = "VelmoraSimpleTimer";

std::unique_ptr<TSimpleTimerHandler>& SharedHandler() {
  static std::unique_ptr<TSimpleTimerHandler> handler;
  return handler;
}

}  // namespace

TSimpleTimer::TSimpleTimer() : TSimpleTimer(SimpleTimerRules::kDefaultInterval, nullptr) {}

TSimpleTimer::TSimpleTimer(std::uint32_t interval, TickHandler onTimer)
    : rules_(*this, interval), onTimer_(std::move(onTimer)) {
  TSimpleTimerHandler::Join(*this);
}

TSimpleTimer::~TSimpleTimer() {
  rules_.Destroying();
  TSimpleTimerHandler::Leave(*this);
}

bool TSimpleTimer::Start() {
  return rules_.Start();
}

bool TSimpleTimer::Stop() {
  return rules_.Stop(true);
}

void TSimpleTimer::SetOnTimer(TickHandler onTimer) {
  onTimer_ = std::move(onTimer);
  rules_.TickHandlerChanged(static_cast<bool>(onTimer_));
}

bool TSimpleTimer::SetPlatformTimer(std::uint32_t interval) {
  const TSimpleTimerHandler* handler = TSimpleTimerHandler::Instance();
  // Without its window SetTimer would make a thread timer under another id.
  if (!handler || !handler->Window()) return false;
  return SetTimer(handler->Window(), Identifier(), interval, nullptr) != 0;
}

bool TSimpleTimer::KillPlatformTimer() {
  const TSimpleTimerHandler* handler = TSimpleTimerHandler::Instance();
  if (!handler || !handler->Window()) return false;
  return KillTimer(handler->Window(), Identifier()) != 0;
}

void TSimpleTimer::Tick() {
  // A copy, so a handler that replaces itself or destroys the timer is safe.
  const TickHandler handler = onTimer_;
  if (handler) handler(*this);
}

TSimpleTimerHandler::TSimpleTimerHandler() {
  Create({.className = kWindowClass, .parent = HWND_MESSAGE});
}

TSimpleTimerHandler::~TSimpleTimerHandler() = default;

TSimpleTimerHandler* TSimpleTimerHandler::Instance() {
  return SharedHandler().get();
}

TSimpleTimerHandler& TSimpleTimerHandler::Join(TSimpleTimer& timer) {
  auto& shared = SharedHandler();
  if (!shared) shared.reset(new TSimpleTimerHandler());
  shared->timers_.push_back(&timer);
  return *shared;
}

void TSimpleTimerHandler::Leave(TSimpleTimer& timer) {
  auto& shared = SharedHandler();
  if (!shared) return;
  std::erase(shared->timers_, &timer);
  if (shared->timers_.empty()) shared.reset();
}

LRESULT TSimpleTimerHandler::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER) return velmora::Window::HandleMessage(message, wParam, lParam);
  // Only live timers: a tick may still be queued for one destroyed since.
  const auto found = std::find_if(timers_.begin(), timers_.end(),
                                  [wParam](const TSimpleTimer* timer) { return timer->Identifier() == wParam; });
  if (found == timers_.end()) return 0;
  try {
    (*found)->Tick();
  } catch (...) {
    ReportComponentError(std::current_exception());
  }
  return 0;
}

}  // namespace velmora
