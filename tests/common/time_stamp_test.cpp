#include "common/core/time_stamp.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <regex>

namespace km {
namespace {

// Runs the body with the time zone set to UTC, so a known instant has a known local time.
class UtcZone : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    hadZone_ = tz != nullptr;
    if (tz) savedZone_ = tz;
    setenv("TZ", "UTC", 1);
    tzset();
  }
  void TearDown() override {
    hadZone_ ? setenv("TZ", savedZone_.c_str(), 1) : unsetenv("TZ");
    tzset();
  }
  bool hadZone_ = false;
  std::string savedZone_;
};

TEST_F(UtcZone, FormatsDayMonthYearHourMinute) {
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
