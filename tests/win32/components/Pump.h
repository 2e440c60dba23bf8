#pragma once
// Message pumping for the component tests: wait on a condition with a
// deadline, or dispatch what is already queued.
#include <windows.h>

namespace velmora::component_test {

inline void PumpPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    PumpPending();
  }
  return true;
}

}  // namespace velmora::component_test
