#pragma once
// Repeated timings of one step, printed as one line the bench driver reads:
//   NAME median min max      (milliseconds)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

namespace velmora::bench {

using Clock = std::chrono::steady_clock;

inline double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's CPU time, user and system, in milliseconds. Wine counts it in
// clock ticks, so a step's CPU time is taken over many runs.
inline double CpuMs() {
#ifdef _WIN32
  FILETIME created, exited, system, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &system, &user)) return 0;
  const auto ticks = [](const FILETIME& t) {
    return static_cast<double>(static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime);
  };
  return (ticks(system) + ticks(user)) / 1e4;
#else
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
#endif
}

struct Samples {
  std::vector<double> ms;

  double Median() const {
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0 : sorted[sorted.size() / 2];
  }
  void Print(const char* name) const {
    if (ms.empty()) return;
    std::printf("%s %.3f %.3f %.3f\n", name, Median(), *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()));
    std::fflush(stdout);
  }
};

// `runs` timings of `work`; `prepare` runs untimed before each.
template <typename Work, typename Prepare>
Samples Time(int runs, Work&& work, Prepare&& prepare) {
  Samples samples;
  for (int i = 0; i < runs; ++i) {
    prepare();
    const auto start = Clock::now();
    work();
    samples.ms.push_back(MsSince(start));
  }
  return samples;
}

template <typename Work>
Samples Time(int runs, Work&& work) {
  return Time(runs, work, [] {});
}

}  // namespace velmora::bench
