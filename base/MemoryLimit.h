#pragma once
// How much memory the process may still take, so that sizes read from a file
// or the screen are refused before a large allocation rather than after.
#include <cstdint>

namespace velmora {

// The bytes this process can still allocate: the free address space, and no
// more than the memory the system can still commit. Lowered by
// LimitAvailableMemory.
std::uint64_t AvailableMemoryBytes();

// Caps AvailableMemoryBytes (0 removes the cap). Only ever makes the program
// more cautious; the fuzz targets use it to stay within their memory limit.
void LimitAvailableMemory(std::uint64_t bytes);

namespace detail {
// The platform's answer, before the cap.
std::uint64_t SystemAvailableMemoryBytes();
}  // namespace detail

}  // namespace velmora
