#include "keltor/core/exchange/siemens_raw_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
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
  file.Add({.points = 1000, .begin = 10.0f, .step = 0.02f});
  const auto r = Read(file.bytes);
  ASSERT_TRUE(r.ok);
  EXPECT_TRUE(r.sink.messages.empty());
  const km::RawFileHeader& h = r.scan.Header;
  EXPECT_EQ(km::FieldText(h.Title), "CORKLZ20");  // trailing blanks removed
  EXPECT_EQ(km::FieldText(h.CreationTime), "27-Apr-94 13:36");
  EXPECT_EQ(h.Radiation, 3);  // "cu", as any case of the symbol
  ASSERT_EQ(r.scan.Ranges.size(), 1u);
  const km::RawRangeHeader& range = r.scan.Ranges[0].Header;
  EXPECT_EQ(range.PointCount, 1000);
  EXPECT_NEAR(range.TwoThetaEnd, 29.98f, 1e-4);
  EXPECT_FLOAT_EQ(range.OmegaBegin, 5.0f);  // half the 2Theta scale
  EXPECT_NEAR(range.OmegaEnd, 14.99f, 1e-4);
}

// A range longer than the workbench holds is cut, and the next one still found behind all its points.
TEST(SiemensRawReader, RangesFollowTheirOwnHeaderLengthsAndPoints) {
  SiemensFile file;
  file.Add({.points = 20000, .temperature = 300, .headerLength = 64, .first = 1})
      .Add({.points = 5, .begin = 20, .temperature = -1, .headerLength = 304, .first = 50})
      .Add({.points = 2, .begin = 30, .temperature = -2, .first = 7.5f});
  const auto r = Read(file.bytes);
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(r.scan.Ranges.size(), 3u);
  EXPECT_EQ(r.scan.Ranges[0].Data.size(), 16384u);
  EXPECT_EQ(r.scan.Ranges[0].Data.back(), 16384.0f);
  EXPECT_EQ(r.scan.Ranges[1].Data, (std::vector<float>{50, 51, 52, 53, 54}));
  EXPECT_EQ(r.scan.Ranges[2].Data, (std::vector<float>{7.5f, 8.5f}));
  EXPECT_FLOAT_EQ(r.scan.Ranges[0].Header.Temperature, 300.0f);
  EXPECT_FLOAT_EQ(r.scan.Ranges[1].Header.Temperature, 293.15f);
  EXPECT_FLOAT_EQ(r.scan.Ranges[2].Header.Temperature, -2.0f);
  EXPECT_EQ(r.scan.Ranges[2].Header.MinIntensity, 8);  // 7.5 rounded half away from zero
  EXPECT_EQ(r.scan.Ranges[2].Header.MaxIntensity, 9);
}

// The bytes of a file with the given ranges, after edit() had its way with them.
std::vector<uint8_t> Built(std::vector<SiemensRange> ranges, void (*edit)(std::vector<uint8_t>&) = nullptr,
                           int16_t declaredRanges = -1) {
  SiemensFile file("T", "Cu", declaredRanges);
  for (const auto& r : ranges) file.Add(r);
  if (edit) edit(file.bytes);
  return file.bytes;
}

TEST(SiemensRawReader, Refusals) {
  const std::string pastTheEnd =
      " of this Siemens RAW file runs past the end of the file:\n the file is truncated or corrupted.";
  const std::string notNumbers = " of this Siemens RAW file holds values that are not numbers:\n the file is corrupted.";
  struct Case { std::string name; std::vector<uint8_t> bytes; std::string message;
                km::MessageIcon icon = km::MessageIcon::Stop; };
  std::vector<Case> cases = {
      {"short", std::vector<uint8_t>(255, 0), "Can't read from importfile!\n file may be corrupted"},
      {"ours", Built({{}}, [](auto& b) { std::memcpy(b.data(), "RAW_1.06", 8); }), "This is a ORVE RAW data file.",
       km::MessageIcon::Exclamation},
      {"version 1", Built({{}}, [](auto& b) { std::memcpy(b.data(), "RAW1", 4); }), "This is not a Siemens RAW file."},
      {"no ranges", Built({}, nullptr, 0), "This Siemens RAW file holds no ranges."},
      {"negative count", Built({}, [](auto& b) { b[4] = 0xfb; b[5] = 0xff; }), "This Siemens RAW file holds no ranges."},
      {"201 ranges", Built({}, nullptr, 201),
       "This Siemens RAW file declares 201 ranges;\n at most 200 can be imported."},
      {"second range missing", Built({{}}, nullptr, 2),
       "Range 2 of 2 of this Siemens RAW file lies beyond the end of the file:\n the file is truncated or corrupted."},
      {"data cut short", Built({{.points = 10}}, [](auto& b) { b.pop_back(); }), "Range 1 of 1" + pastTheEnd},
      {"header below 64", Built({{.headerLength = 90}}, [](auto& b) { b[256] = 12; b[257] = 0; }),
       "Range 1 of this Siemens RAW file declares a header of 12 bytes,\n"
       " fewer than the 64 a range header holds: the file is corrupted."},
      {"no points", Built({{.points = 0}}), "Range 1 of this Siemens RAW file declares 0 points: it holds no data."},
      {"negative points", Built({{.points = 0, .declaredPoints = -3}}),
       "Range 1 of this Siemens RAW file declares -3 points: it holds no data."},
      // A huge declared size must not wrap around to a small offset.
      {"sizes beyond the file", Built({{.points = 1, .headerLength = 32767, .declaredPoints = 32767}}),
       "Range 1 of 1" + pastTheEnd},
  };
  for (const float bad : {std::nanf(""), std::numeric_limits<float>::infinity()}) {
    cases.push_back({"angle not a number", Built({{}, {.begin = bad}}), "Range 2" + notNumbers});
    auto counts = Built({{.points = 3}});
    std::memcpy(counts.data() + counts.size() - 4, &bad, 4);
    cases.push_back({"count not a number", counts, "Range 1" + notNumbers});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto r = Read(c.bytes);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(r.sink.Texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(r.sink.Last().icon, c.icon);
  }
}

}  // namespace
}  // namespace keltor
