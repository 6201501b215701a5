#include "keltor/core/exchange/siemens_raw_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/keltor/foreign_file_builders.h"
#include "tests/support/recording_sink.h"

namespace keltor {
namespace {

using testing::SiemensFile;
using testing::SiemensRange;

struct SiemensRead {
  bool ok = false;
  ImportedScan scan;
  km::testing::RecordingSink sink;
};

SiemensRead Read(const std::vector<uint8_t>& bytes) {
  SiemensRead r;
  r.ok = ReadSiemensRaw(r.sink, bytes, r.scan);
  return r;
}

TEST(SiemensRawReader, HeaderAndOneRange) {
  SiemensFile file("CORKLZ20", "cu");
  file.Add({.points = 1000, .begin = 10.0f, .step = 0.02f, .timePerStep = 2.5f, .temperature = -1});
  const auto r = Read(file.bytes);
  ASSERT_TRUE(r.ok);
  EXPECT_TRUE(r.sink.messages.empty());
  const km::RawFileHeader& h = r.scan.Header;
  EXPECT_EQ(std::string(h.Magic, 8), "RAW_1.06");
  EXPECT_EQ(km::FieldText(h.Title), "CORKLZ20");  // trailing blanks removed
  EXPECT_EQ(km::FieldText(h.Comment), "D5MEAS - Program:SIE.DQL");
  EXPECT_EQ(km::FieldText(h.CreationTime), "27-Apr-94 13:36");
  EXPECT_EQ(h.Radiation, 3);
  EXPECT_FLOAT_EQ(h.WavelengthAlpha1, 1.540598f);
  ASSERT_EQ(r.scan.Ranges.size(), 1u);
  const km::RawRangeHeader& range = r.scan.Ranges[0].Header;
  EXPECT_EQ(km::FieldText(range.CollectionStart), "??");
  EXPECT_EQ(km::FieldText(range.CollectionEnd), "??");
  EXPECT_EQ(range.PointCount, 1000);
  EXPECT_EQ(range.DataFormat, 0);
  EXPECT_FLOAT_EQ(range.TwoThetaBegin, 10.0f);
  EXPECT_FLOAT_EQ(range.TwoThetaStep, 0.02f);
  EXPECT_NEAR(range.TwoThetaEnd, 29.98f, 1e-4);
  EXPECT_FLOAT_EQ(range.OmegaBegin, 5.0f);
  EXPECT_FLOAT_EQ(range.OmegaStep, 0.01f);
  EXPECT_NEAR(range.OmegaEnd, 14.99f, 1e-4);
  EXPECT_FLOAT_EQ(range.TimePerStep, 2.5f);
  EXPECT_FLOAT_EQ(range.Temperature, 293.15f);
  EXPECT_EQ(range.MinIntensity, 100);
  EXPECT_EQ(range.MaxIntensity, 1099);
  EXPECT_EQ(r.scan.Ranges[0].Data.front(), 100.0f);
  EXPECT_EQ(r.scan.Ranges[0].Data.back(), 1099.0f);
}

TEST(SiemensRawReader, RangesFollowTheirOwnHeaderLengths) {
  SiemensFile file;
  file.Add({.points = 3, .temperature = 300, .headerLength = 64, .first = 1})
      .Add({.points = 5, .begin = 20, .temperature = -1, .headerLength = 304, .first = 50})
      .Add({.points = 2, .begin = 30, .temperature = -2, .first = 7.5f});
  const auto r = Read(file.bytes);
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(r.scan.Ranges.size(), 3u);
  EXPECT_EQ(r.scan.Ranges[0].Data, (std::vector<float>{1, 2, 3}));
  EXPECT_EQ(r.scan.Ranges[1].Data, (std::vector<float>{50, 51, 52, 53, 54}));
  EXPECT_EQ(r.scan.Ranges[2].Data, (std::vector<float>{7.5f, 8.5f}));
  EXPECT_FLOAT_EQ(r.scan.Ranges[0].Header.Temperature, 300.0f);
  EXPECT_FLOAT_EQ(r.scan.Ranges[1].Header.Temperature, 293.15f);
  EXPECT_FLOAT_EQ(r.scan.Ranges[2].Header.Temperature, -2.0f);
  EXPECT_FLOAT_EQ(r.scan.Ranges[1].Header.TwoThetaBegin, 20.0f);
  EXPECT_EQ(r.scan.Ranges[2].Header.MinIntensity, 8);  // 7.5 rounded half away from zero
  EXPECT_EQ(r.scan.Ranges[2].Header.MaxIntensity, 9);
}

TEST(SiemensRawReader, AnodeSymbols) {
  const std::vector<std::pair<const char*, int>> cases = {
      {"Cu", 3}, {"cu", 3}, {"MO", 2}, {"Ag", 1}, {"Co", 4}, {"fe", 5}, {"Cr", 6}, {"W ", 7}, {"  ", 0}, {"", 7}};
  for (const auto& [symbol, index] : cases) {
    SCOPED_TRACE(symbol);
    SiemensFile file("T", symbol);
    file.Add({});
    const auto r = Read(file.bytes);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.scan.Header.Radiation, index);
  }
}

TEST(SiemensRawReader, LongRangeIsCutToARange) {
  SiemensFile file;
  file.Add({.points = 20000}).Add({.points = 4, .first = 1});
  const auto r = Read(file.bytes);
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.scan.Ranges[0].Header.PointCount, 16384);
  EXPECT_EQ(r.scan.Ranges[0].Data.size(), 16384u);
  EXPECT_EQ(r.scan.Ranges[1].Data, (std::vector<float>{1, 2, 3, 4}));  // found behind all 20000 points
}

TEST(SiemensRawReader, Refusals) {
  struct Case {
    std::string name;
    std::vector<uint8_t> bytes;
    std::string message;
    km::MessageIcon icon = km::MessageIcon::Stop;
  };
  std::vector<Case> cases;
  cases.push_back({"short", std::vector<uint8_t>(255, 0), "Can't read from importfile!\n file may be corrupted"});
  {
    SiemensFile ours;
    ours.Add({});
    std::memcpy(ours.bytes.data(), "RAW_1.06", 8);
    cases.push_back({"ours", ours.bytes, "This is a ORVE RAW data file.", km::MessageIcon::Exclamation});
    std::memcpy(ours.bytes.data(), "RAW1", 4);
    cases.push_back({"version 1", ours.bytes, "This is not a Siemens RAW file."});
  }
  cases.push_back({"no ranges", SiemensFile("T", "Cu", 0).bytes, "This Siemens RAW file holds no ranges."});
  {
    SiemensFile negative("T", "Cu", -5);
    negative.bytes[4] = 0xfb;
    negative.bytes[5] = 0xff;
    cases.push_back({"negative count", negative.bytes, "This Siemens RAW file holds no ranges."});
  }
  cases.push_back({"201 ranges", SiemensFile("T", "Cu", 201).bytes,
                   "This Siemens RAW file declares 201 ranges;\n at most 200 can be imported."});
  {
    SiemensFile missing("T", "Cu", 2);
    missing.Add({});
    cases.push_back({"second range missing", missing.bytes,
                     "Range 2 of 2 of this Siemens RAW file lies beyond the end of the file:\n"
                     " the file is truncated or corrupted."});
  }
  {
    SiemensFile cut;
    cut.Add({.points = 10});
    cut.bytes.resize(cut.bytes.size() - 1);
    cases.push_back({"data cut short", cut.bytes,
                     "Range 1 of 1 of this Siemens RAW file runs past the end of the file:\n"
                     " the file is truncated or corrupted."});
  }
  {
    SiemensFile small;
    small.Add({.headerLength = 90});
    small.bytes[256] = 12;
    small.bytes[257] = 0;
    cases.push_back({"header below 64", small.bytes,
                     "Range 1 of this Siemens RAW file declares a header of 12 bytes,\n"
                     " fewer than the 64 a range header holds: the file is corrupted."});
  }
  {
    SiemensFile empty;
    empty.Add({.points = 0});
    cases.push_back(
        {"no points", empty.bytes, "Range 1 of this Siemens RAW file declares 0 points: it holds no data."});
    SiemensFile negative;
    negative.Add({.points = 0, .declaredPoints = -3});
    cases.push_back(
        {"negative points", negative.bytes, "Range 1 of this Siemens RAW file declares -3 points: it holds no data."});
  }
  {
    // A huge declared size must not wrap around to a small offset.
    SiemensFile huge;
    huge.Add({.points = 1, .headerLength = 32767, .declaredPoints = 32767});
    cases.push_back({"sizes beyond the file", huge.bytes,
                     "Range 1 of 1 of this Siemens RAW file runs past the end of the file:\n"
                     " the file is truncated or corrupted."});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto r = Read(c.bytes);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.sink.messages.size(), 1u);
    EXPECT_EQ(r.sink.messages[0].text, c.message);
    EXPECT_EQ(r.sink.messages[0].icon, c.icon);
  }
}

}  // namespace
}  // namespace keltor
