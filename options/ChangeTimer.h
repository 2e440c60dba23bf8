#pragma once
// The change timer's period, as the options window's "every" sets it from the
// minutes field.
#include <string>

namespace velmora {

inline constexpr int kMillisecondsPerMinute = 60000;

struct EveryPeriod {
  std::string minutes;  // the field's text afterwards
  int intervalMs = 0;   // the change timer's period
};

// An empty field or a value of 0 becomes "1"; the period is the minutes times
// 60000 ms, capped at the longest period a window timer takes. A text that is
// not a decimal integer raises "'<text>' is not a valid integer value".
EveryPeriod EveryPeriodFor(const std::string& minutes);

}  // namespace velmora
