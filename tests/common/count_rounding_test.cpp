// Counts as a raw data file stores them, converted a whole range at a time: every count must be the
// one the single-value rounding gives, in the vector part of the loop and in its tail alike.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "common/core/count_rounding.h"
#include "common/core/raw_format.h"

namespace km::testing {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

struct Case {
  float value;
  double scale;
  int32_t count;
};

// Half away from zero; held at the limits of a 32-bit count; not-a-number stored as 0.
const Case kCases[] = {
    {0.5f, 1, 1},          {-0.5f, 1, -1},         {1.5f, 1, 2},
    {-1.5f, 1, -2},        {2.4999998f, 1, 2},     {-2.4999998f, 1, -2},
    {0.0f, 1, 0},          {-0.0f, 1, 0},          {0.15f, 10, 2},
    {-0.15f, 10, -2},      {3e9f, 1, 2147483647},  {-3e9f, 1, -2147483647 - 1},
    {kInf, 1, 2147483647}, {-kInf, 1, -2147483647 - 1},
    {std::numeric_limits<float>::quiet_NaN(), 1, 0},
    {2147483520.0f, 1, 2147483520},  // the largest float below the limit
    {1e38f, 1e10, 2147483647},       {32767.5f, 1, 32768},
};

TEST(CountRoundingTest, WholeRangesRoundAsSingleValuesDo) {
  for (const double scale : {1.0, 10.0}) {
    std::vector<float> values;
    for (const Case& c : kCases)
      if (c.scale == scale) values.push_back(c.value);
    // Each count alone (the tail of the loop) and all together (its vector part).
    std::vector<int32_t> together(values.size());
    RoundToCounts(values, scale, together.data());
    for (size_t i = 0; i < values.size(); ++i) {
      int32_t alone = 0;
      RoundToCounts(std::span(values).subspan(i, 1), scale, &alone);
      EXPECT_EQ(alone, RoundToCount(static_cast<double>(values[i]) * scale)) << values[i];
      EXPECT_EQ(together[i], alone) << values[i];
    }
  }
  for (const Case& c : kCases) EXPECT_EQ(RoundToCount(static_cast<double>(c.value) * c.scale), c.count) << c.value;
}

TEST(CountRoundingTest, SixteenBitsHoldCountsUpToTheirRoundedLimits) {
  const struct {
    float value, scale;
    bool fits;
  } cases[] = {{32767.4f, 1, true},   {32767.5f, 1, false},  {-32768.4f, 1, true},
               {-32768.5f, 1, false}, {3276.7f, 10, true},   {3276.8f, 10, false},
               {std::numeric_limits<float>::quiet_NaN(), 1, true}};
  for (const auto& c : cases) {
    std::vector<float> values(1001, 5.0f);  // the value last, after the vector part of the loop
    values.back() = c.value;
    EXPECT_EQ(FitsSixteenBitCounts(values, c.scale), c.fits) << c.value;
    values.front() = c.value;
    values.back() = 5.0f;
    EXPECT_EQ(FitsSixteenBitCounts(values, c.scale), c.fits) << c.value;
  }
}

// 16 bits hold the counts as the larger type would, held at their limits.
TEST(CountRoundingTest, EncodedBlocksHoldTheCountsThenZeros) {
  std::vector<float> values(300);
  for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i) * 250.5f - 20000.0f;
  for (const int format : {0, 1}) {
    std::string expected(static_cast<size_t>(DataBlockCount(300, format)) * kBlockSize, '\0');
    for (size_t i = 0; i < values.size(); ++i) {
      const int32_t wide = RoundToCount(values[i]);
      const auto narrow = static_cast<int16_t>(std::clamp(wide, -32768, 32767));
      if (format == 1) std::memcpy(expected.data() + 2 * i, &narrow, 2);
      if (format == 0) std::memcpy(expected.data() + 4 * i, &wide, 4);
    }
    EXPECT_EQ(EncodeRangeData(values, format, 1.0f), expected) << format;
  }
}

}  // namespace
}  // namespace km::testing
