// Texts in and out: blanks and tokens, numbers typed as text, formatted numbers and time stamps.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <regex>

#include "common/core/numbers.h"
#include "common/core/text.h"
#include "common/core/time_stamp.h"
#include "tests/support/temp_dir.h"

namespace km {
namespace {

TEST(Text, BlanksTokensTabsAndPadding) {
  std::string workbench = " \tAllowed  Range\t=   0   ", viewer = workbench, trimmed = "\t a   b \r\n";
  NormalizeBlanks(workbench);  // keeps one blank of the trailing run
  NormalizeBlanks(viewer, BlankRule::DropTrailing);
  TrimAndNormalize(trimmed);
  EXPECT_EQ(workbench + "|" + viewer + "|" + trimmed, "Allowed Range = 0 |Allowed Range = 0|a b");

  // Empty pieces are skipped; the position after the token is returned, 0 when there is none.
  EXPECT_EQ(CountTokens(",,a, b,,c,", ", "), 3);
  EXPECT_EQ(CountTokens("", ","), 0);
  std::string out = "stale";
  EXPECT_EQ(GetToken(out, 2, ",,a, b,,c,", ", "), 6u);
  EXPECT_EQ(out, "b");
  EXPECT_EQ(GetToken(out, 4, ",,a, b,,c,", ", "), 0u);
  EXPECT_EQ(out, "");
  EXPECT_EQ(GetToken(out, 0, "a", ","), 0u);

  std::string line = "Range+1 10.0";
  TabifyBlanks(line);
  EXPECT_EQ(line, "Range 1\t10.0");
  EXPECT_EQ(PadText("ab", '.', 5) + PadText("abcdef", '.', 3), "ab...abc");
}

TEST(Text, PrintfUsesAPointUnderAnyLocaleAndGrowsForLongTexts) {
  const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_EQ(Printf("%9.3f|%-12.6g|", 1.5, 2.25), "    1.500|2.25        |");
  if (german) std::setlocale(LC_NUMERIC, "C");
  const std::string longText(1000, 'x');
  EXPECT_EQ(Printf("%s!", longText.c_str()), longText + "!");
}

TEST(Numbers, IsNumberTextByMode) {
  EXPECT_TRUE(IsNumberText("-12", 1) && IsNumberText("  12e3  ", 2) && IsNumberText("1.5D-3", 2));
  EXPECT_FALSE(IsNumberText("12e3", 1));
  // A blank inside, no digit, nothing, hexadecimal.
  for (const char* text : {"1 2", "+-.", "   ", "0x12"}) EXPECT_FALSE(IsNumberText(text, 2)) << text;
}

TEST(Numbers, ParseNumbersStopsAtCapacityAndSkipsNonNumbers) {
  std::array<float, 4> four{9, 9, 9, 9};
  EXPECT_EQ(ParseNumbers("1.5; 2e3 x -4", four), 3);
  EXPECT_EQ(four, (std::array<float, 4>{1.5f, 2000.0f, -4.0f, 0.0f}));  // the rest cleared
  std::array<float, 2> values{};
  EXPECT_EQ(ParseNumbers("- . e 1,2,3", values), 2);
  EXPECT_EQ(values, (std::array<float, 2>{1.0f, 2.0f}));
  // Too large for a float: not taken rather than stored as infinity.
  EXPECT_EQ(ParseNumbers("1e99 7", values), 1);
  EXPECT_FLOAT_EQ(values[0], 7.0f);
  EXPECT_EQ(ParseNumbers("anything", std::span<float>{}), 0);
}

TEST(TimeStamp, DayMonthYearHourMinuteWithEnglishMonthsInAnyLocaleInSixteenBytes) {
  testing::ScopedEnv utc("TZ", "UTC");  // a known instant has a known local time
  EXPECT_EQ(FormatTimeStamp(1709647620), "05-Mar-24 14:07");  // 2024-03-05 14:07 UTC
  EXPECT_EQ(FormatTimeStamp(946684799), "31-Dec-99 23:59");
  // Under German month names March would read "Mär"; where no German locale is installed the C locale
  // stands in.
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) std::setlocale(LC_ALL, "de_DE");
  char buffer[16];
  std::fill(buffer, buffer + 16, 'x');
  MakeTimeStamp(buffer);
  std::setlocale(LC_ALL, "C");
  ASSERT_EQ(buffer[15], '\0');
  EXPECT_TRUE(std::regex_match(buffer, std::regex(R"(\d\d-(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec)-\d\d \d\d:\d\d)")))
      << buffer;
}

}  // namespace
}  // namespace km
