#pragma once
// Marks for the benchmarks: when the environment variable VELMORA_TIMING names
// a file, each mark appends one line to it; otherwise a mark does nothing.
// The benchmark that started the program times the lines' arrival.

namespace velmora {

inline constexpr char kTimingVariable[] = "VELMORA_TIMING";

void TimingMark(const char* what);

}  // namespace velmora
