#include "ui/Monitors.h"

#include <windows.h>

namespace velmora {
namespace {

PixelRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  auto& list = *reinterpret_cast<std::vector<Monitor>*>(data);
  const Monitor m{FromRect(info.rcMonitor), FromRect(info.rcWork)};
  if (info.dwFlags & MONITORINFOF_PRIMARY) {
    list.insert(list.begin(), m);
  } else {
    list.push_back(m);
  }
  return TRUE;
}

}  // namespace

std::vector<Monitor> ScreenMonitors() {
  std::vector<Monitor> list;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  if (list.empty()) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    list.push_back({{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, FromRect(work)});
  }
  return list;
}

}  // namespace velmora
