// A file written in one go is byte for byte the file the range writer makes range by range.
#include <gtest/gtest.h>

#include <vector>

#include "common/core/raw_file_image.h"
#include "tests/support/raw_file_builder.h"
#include "tests/support/temp_dir.h"

namespace km::testing {
namespace {

class RawFileImageTest : public TempDirTest {
 protected:
  RawFileContext Context(const std::string& name) {
    RawFileContext c;
    c.Path = PathOf(name);
    c.Header = MeasuredHeader();
    return c;
  }
  RecordingSink sink_;
};

TEST_F(RawFileImageTest, SameBytesAsWritingRangeByRange) {
  RawExtHeader ext{};
  for (size_t i = 0; i < sizeof ext.Bytes; ++i) ext.Bytes[i] = static_cast<uint8_t>(i * 7);
  // 16-bit and 32-bit counts, a scale factor, a short and an empty range.
  std::vector<TestRange> ranges{Ramp(300, 10.0f), Ramp(129, 20.0f, 0.02f, 40000.0f), Ramp(1), Ramp(200, 5.0f)};
  ranges[3].header.ScaleFactor = 10;
  ranges[3].counts.assign(200, 3000.0f);  // 30000 stored: still 16 bits
  ranges[3].counts[7] = 3300.0f;          // 33000 stored: the extremes say 16 bits, the counts need 32
  for (TestRange& r : ranges) TakeExtremes(r);
  ranges[3].header.MaxIntensity = 3000;
  ranges[2].header.ScaleFactor = 0;

  RawFileContext stepwise = Context("stepwise.raw"), whole = Context("whole.raw");
  std::vector<RawRangeHeader> headers;  // for the whole file, written in one go after the loop
  std::vector<std::span<const float>> data;
  for (size_t i = 0; i < ranges.size(); ++i) {
    RawRangeHeader header = ranges[i].header;
    ASSERT_TRUE(WriteRawRange(sink_, stepwise, static_cast<int>(i) + 1, header, ranges[i].counts, &ext));
    headers.push_back(ranges[i].header);
    data.emplace_back(ranges[i].counts);
  }
  ASSERT_TRUE(WriteRawFileImage(sink_, whole, ext, headers, data)) << sink_.LastText();
  EXPECT_EQ(ReadBytes(whole.Path), ReadBytes(stepwise.Path));
  EXPECT_EQ(std::memcmp(&whole.Header, &stepwise.Header, sizeof whole.Header), 0);
  EXPECT_EQ(headers[3].DataFormat, 0);
  EXPECT_EQ(headers[2].ScaleFactor, 1.0f);
}

TEST_F(RawFileImageTest, RangeLongerThanItsDataIsRefused) {
  RawFileContext context = Context("bad.raw");
  std::vector<RawRangeHeader> headers{Ramp(10).header};
  const std::vector<float> five(5, 1.0f);
  EXPECT_FALSE(WriteRawFileImage(sink_, context, RawExtHeader{}, headers, std::vector<std::span<const float>>{five}));
  EXPECT_EQ(sink_.LastText(), "Raw data file has no data for range number 1.");
  EXPECT_FALSE(std::filesystem::exists(context.Path));
}

}  // namespace
}  // namespace km::testing
