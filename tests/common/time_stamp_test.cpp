#include "common/core/time_stamp.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <regex>

#include "tests/support/temp_dir.h"

namespace km {
namespace {

TEST(TimeStamp, FormatsDayMonthYearHourMinute) {
  testing::ScopedEnv utc("TZ", "UTC");  // a known instant has a known local time
  EXPECT_EQ(FormatTimeStamp(1709647620), "05-Mar-24 14:07");  // 2024-03-05 14:07 UTC
  EXPECT_EQ(FormatTimeStamp(946684799), "31-Dec-99 23:59");
}

TEST(TimeStamp, EnglishMonthsInAnyLocaleAndFitsSixteenBytes) {
  // Under German month names March would read "Mär"; where no German locale is installed the C locale
  // stands in.
  const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
  if (!german) german = std::setlocale(LC_ALL, "de_DE");
  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  MakeTimeStamp(buffer);
  std::setlocale(LC_ALL, "C");
  ASSERT_EQ(buffer[15], '\0');
  EXPECT_TRUE(std::regex_match(buffer, std::regex(R"(\d\d-(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec)-\d\d \d\d:\d\d)")))
      << buffer;
}

}  // namespace
}  // namespace km
