#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

#include "base/MemoryLimit.h"

namespace velmora::detail {

// The machine's memory, within the process's address space limit.
std::uint64_t SystemBlocksThatFit(std::uint64_t bytes, std::uint64_t most) {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  std::uint64_t memory = pages > 0 && pageSize > 0
                             ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize)
                             : UINT64_MAX;
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
    memory = std::min<std::uint64_t>(memory, limit.rlim_cur);
  return std::min(most, memory / bytes);
}

}  // namespace velmora::detail
