#include <gtest/gtest.h>

#include <climits>

#include "base/Errors.h"
#include "options/ChangeTimer.h"

namespace velmora {
namespace {

TEST(EveryPeriod, MinutesBecomeTheTimersPeriod) {
  EXPECT_EQ(EveryPeriodFor("5").intervalMs, 300000);
  EXPECT_EQ(EveryPeriodFor("5").minutes, "5");
  EXPECT_EQ(EveryPeriodFor("999").intervalMs, 59940000);
  // Leading zeros are kept in the field; the value counts.
  EXPECT_EQ(EveryPeriodFor("007").minutes, "007");
  EXPECT_EQ(EveryPeriodFor("007").intervalMs, 420000);
}

TEST(EveryPeriod, AnEmptyFieldOrZeroBecomesOneMinute) {
  for (const char* text : {"", "0", "000"}) {
    SCOPED_TRACE(text);
    const EveryPeriod period = EveryPeriodFor(text);
    EXPECT_EQ(period.minutes, "1");
    EXPECT_EQ(period.intervalMs, 60000);
  }
}

TEST(EveryPeriod, ALongNumberFromTheSettingsFileIsCappedNotWrapped) {
  EXPECT_EQ(EveryPeriodFor("35791").intervalMs, 35791 * 60000);
  EXPECT_EQ(EveryPeriodFor("35792").intervalMs, INT_MAX);
  EXPECT_EQ(EveryPeriodFor("2147483647").intervalMs, INT_MAX);
  // Past the integer range the strict conversion reports the text.
  try {
    EveryPeriodFor("99999999999");
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
  }
}

}  // namespace
}  // namespace velmora
