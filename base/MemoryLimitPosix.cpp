#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

#include "base/MemoryLimit.h"

namespace velmora::detail {

std::uint64_t SystemAvailableMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  std::uint64_t bytes = pages > 0 && pageSize > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize)
                                                  : UINT64_MAX;
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
    bytes = std::min<std::uint64_t>(bytes, limit.rlim_cur);
  return bytes;
}

}  // namespace velmora::detail
