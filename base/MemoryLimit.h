#pragma once
// How much memory the process may still take, so that sizes read from a file
// or the screen are refused before a large allocation rather than after.
#include <cstdint>

namespace velmora {

// How many separate blocks of `bytes` each, up to `most`, the process could
// still allocate: each needs a free stretch of address space of its own (what
// a 32-bit process runs out of first), and all of them memory the system can
// still commit (what a 64-bit one runs out of). Lowered by
// LimitAvailableMemory.
std::uint64_t BlocksThatFit(std::uint64_t bytes, std::uint64_t most);

// Caps the memory BlocksThatFit counts on, in bytes (0 removes the cap). Only
// ever makes the program more cautious; the fuzz targets use it to stay
// within their own memory limit.
void LimitAvailableMemory(std::uint64_t bytes);

namespace detail {
// The platform's answer, before the cap.
std::uint64_t SystemBlocksThatFit(std::uint64_t bytes, std::uint64_t most);
}  // namespace detail

}  // namespace velmora
