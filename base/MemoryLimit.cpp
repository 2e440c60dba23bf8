#include "base/MemoryLimit.h"

#include <algorithm>
#include <atomic>

namespace velmora {
namespace {

std::atomic<std::uint64_t> cap{0};

}  // namespace

std::uint64_t BlocksThatFit(std::uint64_t bytes, std::uint64_t most) {
  bytes = std::max<std::uint64_t>(bytes, 1);
  const std::uint64_t limit = cap.load();
  if (limit) most = std::min(most, limit / bytes);
  return most ? detail::SystemBlocksThatFit(bytes, most) : 0;
}

void LimitAvailableMemory(std::uint64_t bytes) { cap.store(bytes); }

}  // namespace velmora
