#include "keltor/core/exchange/udf_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/keltor/foreign_file_builders.h"
#include "tests/support/recording_sink.h"

namespace keltor {
namespace {

using testing::Bytes;
using testing::UdfKeywords;
using testing::UdfText;

struct UdfRead {
  bool ok = false;
  ImportedScan scan;
  km::testing::RecordingSink sink;
};

UdfRead Read(const std::string& text) {
  UdfRead r;
  r.ok = ReadUdf(r.sink, Bytes(text), r.scan);
  return r;
}

std::vector<std::string> With(std::vector<std::string> keywords, const std::string& key, const std::string& line) {
  for (auto& k : keywords) {
    if (k.rfind(key + ",", 0) == 0) k = line;
  }
  return keywords;
}

std::vector<std::string> Without(std::vector<std::string> keywords, const std::string& key) {
  std::erase_if(keywords, [&](const std::string& k) { return k.rfind(key + ",", 0) == 0; });
  return keywords;
}

// Keywords may be indented and "RawScan" written in any case.
TEST(UdfReader, InstrumentFileBecomesOneRange) {
  std::vector<std::string> keywords;
  for (const auto& k : UdfKeywords()) keywords.push_back("   " + k + "  ");
  const auto r = Read(UdfText(keywords, {"     467,     454,     384,", "     369,     384/"}, "  rawscan "));
  ASSERT_TRUE(r.ok);
  EXPECT_TRUE(r.sink.messages.empty());
  const km::RawFileHeader& h = r.scan.Header;
  EXPECT_EQ(km::FieldText(h.Title), "Philips Analytical");
  EXPECT_EQ(km::FieldText(h.Comment), "PC-APD");
  EXPECT_EQ(km::FieldText(h.CreationTime), "15-Mar-1995  9:");  // cut to the field with its terminator
  EXPECT_EQ(h.GeneratorVoltage, 40);
  ASSERT_EQ(r.scan.Ranges.size(), 1u);
  const km::RawRangeHeader& range = r.scan.Ranges[0].Header;
  EXPECT_EQ(range.PointCount, 5);
  EXPECT_FLOAT_EQ(range.TwoThetaEnd, 69.96f);
  EXPECT_EQ(range.MinIntensity, 369);
  EXPECT_EQ(range.MaxIntensity, 467);
  EXPECT_EQ(r.scan.Ranges[0].Data, (std::vector<float>{467, 454, 384, 369, 384}));
}

TEST(UdfReader, KeywordValues) {
  struct Case { std::string key, line; int radiation; float alpha1; int monochromator, diffractometer; };
  const std::vector<Case> cases = {
      {"Anode", "Anode, cu ,/", 3, 1.540598f, 0, 0},  // any case, padding around the symbol
      {"Anode", "Anode,Mo,/", 2, 0.7093f, 0, 0},
      {"Anode", "Anode,,/", 0, 0.0f, 0, 0},
      {"MonochromatorUsed", "MonochromatorUsed, yes ,/", 3, 1.540598f, 1, 0},
      {"DiffrType", "DiffrType,Transmission,/", 3, 1.540598f, 0, 1},
      {"DiffrType", "DiffrType,transmission,/", 3, 1.540598f, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const auto r = Read(UdfText(With(UdfKeywords(), c.key, c.line), {"1,2,/"}));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.scan.Header.Radiation, c.radiation);
    EXPECT_FLOAT_EQ(r.scan.Header.WavelengthAlpha1, c.alpha1);
    EXPECT_EQ(r.scan.Header.Monochromator, c.monochromator);
    EXPECT_EQ(r.scan.Header.DiffractometerType, c.diffractometer);
  }
}

TEST(UdfReader, DataLines) {
  const std::vector<std::pair<std::string, std::vector<float>>> cases = {
      {"     467,     454,     384/", {467, 454, 384}},
      {"1 2 3 4 5 6 7 8 9 10 11 12", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"1.5e2;+7;-3", {150, 7, -3}},
      {"1d3,.5,", {1, 0.5f}},          // "%f" stops at the d
      {"--, e, 1e999, 2", {2}},         // no digit, no finite number: skipped
      {"\x1a", {}},
  };
  for (auto [line, expected] : cases) {
    const auto r = Read(UdfText(UdfKeywords(), {line, "99/"}));
    ASSERT_TRUE(r.ok) << line;
    expected.push_back(99);
    EXPECT_EQ(r.scan.Ranges[0].Data, expected) << line;
  }
}

// 16390 values are cut to a range's 16384 with a warning (and the end angle follows); exactly 16384 are not.
TEST(UdfReader, TooManyValuesAreCutWithAWarning) {
  for (const bool tooMany : {true, false}) {
    std::vector<std::string> lines(1638, "1,2,3,4,5,6,7,8,9,10,");
    lines.push_back(tooMany ? "1,2,3,4,5,6,7,8,9,10," : "1,2,3,4,");
    const auto r = Read(UdfText(UdfKeywords(), lines));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.sink.Texts(), tooMany ? std::vector<std::string>{" Importfile have too much data\n file will be truncate"}
                                      : std::vector<std::string>{});
    EXPECT_EQ(r.scan.Ranges[0].Data.size(), 16384u);
    EXPECT_FLOAT_EQ(r.scan.Ranges[0].Header.TwoThetaEnd, tooMany ? 2.0f + 16383 * 0.04f : 69.96f);
  }
}

TEST(UdfReader, Refusals) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"SampleIdent,x,/\r\nDataAngleRange,1,2,/\r\n1 2 3\r\n", "Importfile contains no data!"},
      {UdfText(UdfKeywords(), {}), "Importfile contains no data!"},
      {UdfText(UdfKeywords(), {"/", "", "  "}), "Importfile contains no data!"},
      {UdfText(Without(UdfKeywords(), "SampleIdent"), {"1"}), "Fileformat seems not to be the UDF format!"},
      {UdfText(Without(UdfKeywords(), "DataAngleRange"), {"1"}), "Can't find any 2theta informations!"},
      {UdfText(Without(UdfKeywords(), "ScanStepSize"), {"1"}), "Can't find any stepsize informations!"},
      {"", "Importfile contains no data!"},
  };
  for (const auto& [text, message] : cases) {
    const auto r = Read(text);
    EXPECT_FALSE(r.ok) << message;
    ASSERT_EQ(r.sink.Texts(), std::vector<std::string>{message});
    EXPECT_EQ(r.sink.Last().icon, km::MessageIcon::Stop) << message;
  }
}

// Only the three keywords that place the data are needed; a keyword without its comma never matches.
TEST(UdfReader, FewestKeywordsAndTheFirstMatchWins) {
  const auto r = Read(UdfText({"SampleIdent", "SampleIdent,a,/", "Title1,first,/", "title1,second,/",
                               "DataAngleRange,10,20,/", "ScanStepSize,0.5,/"},
                              {"5 6"}));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(km::FieldText(r.scan.Header.Title), "first");
  EXPECT_EQ(r.scan.Header.Radiation, 3);
  EXPECT_EQ(r.scan.Ranges[0].Header.TimePerStep, 0.0f);
  EXPECT_EQ(r.scan.Ranges[0].Data, (std::vector<float>{5, 6}));
  EXPECT_FALSE(Read(UdfText({"SampleIdent", "DataAngleRange,1,2,/", "ScanStepSize,1,/"}, {"1"})).ok);
}

// Texts are cut to their fields; numbers that cannot be read are zero, those too large held at the limit.
TEST(UdfReader, HostileKeywordValuesAreCutOrZero) {
  const std::string longText(300, 'x');
  std::vector<std::string> keywords = UdfKeywords();
  for (const auto& [key, line] : {std::pair{"Title1", "Title1," + longText + ",/"},
                                  {"Title2", "Title2," + longText + ",/"}, {"DataAngleRange", "DataAngleRange,abc,/"},
                                  {"GeneratorVoltage", "GeneratorVoltage,99999,/"}})
    keywords = With(keywords, key, line);
  const auto r = Read(UdfText(keywords, {"1"}));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(std::string(r.scan.Header.Title, 80), std::string(79, 'x') + '\0');
  EXPECT_EQ(std::string(r.scan.Header.Comment, 192), std::string(191, 'x') + '\0');
  EXPECT_EQ(r.scan.Ranges[0].Header.TwoThetaBegin, 0.0f);
  EXPECT_EQ(r.scan.Ranges[0].Header.TwoThetaEnd, 0.0f);  // no comma closes the second field
  EXPECT_EQ(r.scan.Header.GeneratorVoltage, 32767);
  // Beyond what a single-precision field holds is as unreadable as no number.
  const auto huge = Read(UdfText(With(UdfKeywords(), "ScanStepSize", "ScanStepSize,1e300,/"), {"1"}));
  ASSERT_TRUE(huge.ok);
  EXPECT_EQ(huge.scan.Ranges[0].Header.TwoThetaStep, 0.0f);
}

}  // namespace
}  // namespace keltor
