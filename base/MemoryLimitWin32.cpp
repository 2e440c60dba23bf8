#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/MemoryLimit.h"

namespace velmora::detail {

std::uint64_t SystemBlocksThatFit(std::uint64_t bytes, std::uint64_t most) {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (GlobalMemoryStatusEx(&status)) most = std::min(most, status.ullAvailPageFile / bytes);
  // The heap's own header may take the block into one more 64 KiB granule.
  const std::uint64_t span = bytes + 65536;
  if (span > SIZE_MAX) return 0;
  // The heap gives a large block address space of its own (VirtualAlloc), so
  // the address space is asked directly: blocks are reserved, never
  // committed, and released at once. This counts what a walk of the free
  // regions would miss or overcount (the system's own reservations).
  std::vector<void*> reserved;
  while (reserved.size() < most) {
    void* block = VirtualAlloc(nullptr, static_cast<SIZE_T>(span), MEM_RESERVE, PAGE_NOACCESS);
    if (!block) break;
    reserved.push_back(block);
  }
  for (void* block : reserved) VirtualFree(block, 0, MEM_RELEASE);
  return reserved.size();
}

}  // namespace velmora::detail
