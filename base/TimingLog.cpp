#include "base/TimingLog.h"

#include <cstdio>
#include <cstdlib>

namespace velmora {

void TimingMark(const char* what) {
  static const char* const path = std::getenv(kTimingVariable);
  if (!path || !*path) return;
  // A diagnostic line, not a file of the program: appended, never replaced.
  if (std::FILE* log = std::fopen(path, "a")) {
    std::fprintf(log, "%s\n", what);
    std::fclose(log);
  }
}

}  // namespace velmora
