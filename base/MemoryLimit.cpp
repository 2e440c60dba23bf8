#include "base/MemoryLimit.h"

#include <algorithm>
#include <atomic>

namespace velmora {
namespace {

std::atomic<std::uint64_t> cap{0};

}  // namespace

std::uint64_t AvailableMemoryBytes() {
  const std::uint64_t system = detail::SystemAvailableMemoryBytes();
  const std::uint64_t limit = cap.load();
  return limit ? std::min(system, limit) : system;
}

void LimitAvailableMemory(std::uint64_t bytes) { cap.store(bytes); }

}  // namespace velmora
