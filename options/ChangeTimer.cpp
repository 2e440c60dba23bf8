#include "options/ChangeTimer.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "base/TextFile.h"

namespace velmora {

EveryPeriod EveryPeriodFor(const std::string& minutes) {
  if (minutes.empty()) return {"1", kMillisecondsPerMinute};
  const int value = StrToInt(minutes);
  if (value == 0) return {"1", kMillisecondsPerMinute};
  // The field holds at most three digits when typed, but the settings file may
  // bring a longer number; a window timer's period ends at INT_MAX ms.
  const std::int64_t period = std::int64_t{value} * kMillisecondsPerMinute;
  return {minutes, static_cast<int>(std::min<std::int64_t>(period, INT_MAX))};
}

}  // namespace velmora
