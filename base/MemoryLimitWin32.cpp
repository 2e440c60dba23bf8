#include <windows.h>

#include <algorithm>

#include "base/MemoryLimit.h"

namespace velmora::detail {

std::uint64_t SystemAvailableMemoryBytes() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 0;
  // A 32-bit process runs out of address space long before the system runs
  // out of memory; a 64-bit one the other way round.
  return std::min<std::uint64_t>(status.ullAvailVirtual, status.ullAvailPageFile);
}

}  // namespace velmora::detail
