#include "common/core/text.h"

#include <gtest/gtest.h>

#include <clocale>

namespace km {
namespace {

TEST(Text, NormalizeBlanksKeepsOrDropsTheTrailingRun) {
  std::string workbench = " \tAllowed  Range\t=   0   ";
  NormalizeBlanks(workbench);
  EXPECT_EQ(workbench, "Allowed Range = 0 ");
  std::string viewer = " \tAllowed  Range\t=   0   ";
  NormalizeBlanks(viewer, BlankRule::DropTrailing);
  EXPECT_EQ(viewer, "Allowed Range = 0");
  std::string trimmed = "\t a   b \r\n";
  TrimAndNormalize(trimmed);
  EXPECT_EQ(trimmed, "a b");
}

TEST(Text, TokensSkipEmptyPiecesAndReportPosition) {
  EXPECT_EQ(CountTokens(",,a, b,,c,", ", "), 3);
  EXPECT_EQ(CountTokens("", ","), 0);
  std::string out = "stale";
  EXPECT_EQ(GetToken(out, 2, ",,a, b,,c,", ", "), 6u);
  EXPECT_EQ(out, "b");
  EXPECT_EQ(GetToken(out, 4, ",,a, b,,c,", ", "), 0u);
  EXPECT_EQ(out, "");
  EXPECT_EQ(GetToken(out, 0, "a", ","), 0u);
}

TEST(Text, TabifyAndPad) {
  std::string line = "Range+1 10.0";
  TabifyBlanks(line);
  EXPECT_EQ(line, "Range 1\t10.0");
  EXPECT_EQ(PadText("ab", '.', 5), "ab...");
  EXPECT_EQ(PadText("abcdef", '.', 3), "abc");
}

TEST(Text, PrintfUsesAPointUnderAnyLocaleAndGrowsForLongTexts) {
  const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_EQ(Printf("%9.3f|%-12.6g|", 1.5, 2.25), "    1.500|2.25        |");
  if (german) std::setlocale(LC_NUMERIC, "C");
  const std::string longText(1000, 'x');
  EXPECT_EQ(Printf("%s!", longText.c_str()), longText + "!");
}

}  // namespace
}  // namespace km
