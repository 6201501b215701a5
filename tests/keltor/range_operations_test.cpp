// The range editing computations with hand-checked numbers: truncation on the step grid, damaged
// block tables, extract names, the combine blend and resampling, and the common region of Add Ranges.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "keltor/core/operations/add_ranges.h"
#include "keltor/core/operations/combine_ranges.h"
#include "keltor/core/operations/delete_ranges.h"
#include "keltor/core/operations/extract_names.h"
#include "keltor/core/operations/truncate_range.h"
#include "tests/support/raw_file_builder.h"
#include "tests/support/temp_dir.h"

namespace keltor {
namespace {

using km::testing::MeasuredHeader;
using km::testing::Ramp;

// A range of count points from begin with step on 2Theta (Omega at half), values first, first + slope, ...
RangeBuffer Range(float begin, float step, int count, float first = 0, float slope = 1, float time = 1) {
  RangeBuffer r;
  const auto ramp = Ramp(count, begin, step, 0);
  r.Header = ramp.header;
  r.Header.TimePerStep = time;
  for (int i = 0; i < count; ++i) r.Data[static_cast<size_t>(i)] = first + slope * static_cast<float>(i);
  return r;
}

std::vector<float> First(const std::vector<float>& data, size_t n) { return {data.begin(), data.begin() + n}; }

TEST(TruncateRange, CutsOnTheStepGridBothAxesFollowAndTheOldLimitsOrNoStepChangeNothing) {
  struct Case {
    bool omega;
    float begin, end, step;
    int count;  // 0: refused, nothing changed
    float twoThetaBegin, twoThetaEnd, omegaBegin;
  };
  // Ramp of 20 points: 2Theta 10 .. 10.38 step 0.02, Omega 5 .. 5.19 step 0.01, values 100 .. 119.
  const Case cases[] = {
      {false, 10.048f, 10.30f, 0.02f, 14, 10.04f, 10.30f, 5.02f},  // 2.4 steps move the begin by 2
      {true, 5.03f, 5.10f, 0.02f, 8, 10.06f, 10.20f, 5.03f},       // Omega scan: Omega decides
      {false, 10.0f, 10.38f, 0.02f, 0, 0, 0, 0},
      {false, 10.009f, 10.38f, 0.02f, 0, 0, 0, 0},
      {false, 10.0f, 10.2f, 0.0f, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    auto ramp = Ramp(20, 10.0f, 0.02f, 100.0f);
    ramp.header.TwoThetaStep = c.step;
    ramp.header.BackgroundPointCount = 3;
    const km::RawRangeHeader before = ramp.header;
    std::vector<float> data = ramp.counts;
    const km::RawRangeHeader& h = ramp.header;
    ASSERT_EQ(TruncateRange(ramp.header, data, c.omega, c.begin, c.end), c.count != 0) << c.begin;
    if (c.count == 0) {
      EXPECT_EQ(std::memcmp(&before, &h, sizeof before), 0);
      EXPECT_EQ(data, ramp.counts);
      continue;
    }
    EXPECT_EQ(h.PointCount, c.count);
    EXPECT_NEAR(h.TwoThetaBegin, c.twoThetaBegin, 1e-4);
    EXPECT_NEAR(h.TwoThetaEnd, c.twoThetaEnd, 1e-4);
    EXPECT_NEAR(h.OmegaBegin, c.omegaBegin, 1e-4);
    EXPECT_NEAR(data[0], 100 + (c.twoThetaBegin - 10.0f) / 0.02f, 1e-3);
    EXPECT_EQ(h.BackgroundPointCount, 0);
  }
}

class CompactRangesTest : public km::testing::TempDirTest {};

// Moving the ranges behind a deleted one is checked through the Delete command.
TEST_F(CompactRangesTest, BlockTablesOutsideTheFileAreRefusedUntouched) {
  const auto context = km::testing::WriteRawFile(PathOf("two.raw"), MeasuredHeader(), {Ramp(20), Ramp(30)});
  std::ifstream in(context.Path, std::ios::binary);
  const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (int16_t block : {int16_t{0}, int16_t{-3}, int16_t{30000}}) {
    std::string bytes = original;
    km::RawFileHeader header = context.Header;
    header.RangeBlock[2] = block;
    const km::RawFileHeader before = header;
    const int deleted[] = {1};
    EXPECT_FALSE(CompactRanges(bytes, header, deleted)) << block;
    EXPECT_EQ(bytes, original);
    EXPECT_EQ(std::memcmp(&before, &header, sizeof before), 0);
  }
}

TEST(ExtractNames, DotsInDirectoriesAndEitherSeparator) {
  EXPECT_EQ(ProposedExtractName("/data.d/probe"), "/data.d/probe.ra#");
  EXPECT_EQ(CompleteExtractName("C:\\x\\part.r#", "/data"), "C:\\x\\part.r#");  // either separator counts
  EXPECT_EQ(CompleteExtractName("/a.b/part", "/data"), "/a.b/part.raw");     // a dot in a directory is no extension
}

// Two ranges on a step of 0.25 (exact in binary): A 10 .. 12.5, B from bBegin, 11 points each.
struct CombineCase {
  RangeBuffer a = Range(10, 0.25f, 11, 100, 0);
  RangeBuffer b = Range(11.25f, 0.25f, 11, 200, 0);
  km::RawFileHeader file = MeasuredHeader();
};

struct Combined {
  std::string error;
  bool truncated = false;
  CombinePlan plan;
  km::RawRangeHeader h;
  std::vector<float> out = std::vector<float>(km::kWorkbenchMaxPoints);
};

Combined Combine(CombineCase& c) {
  Combined r;
  r.error = PrepareCombine(c.file, c.a, c.b, r.plan);
  if (r.error.empty()) r.truncated = CombineRanges(r.plan, r.h, r.out);
  return r;
}

TEST(CombineRanges, OverlapsBlendGapsLeaveZerosAndTheShorterTimeIsScaled) {
  struct Case {
    float bBegin, timeA, timeB;
    bool gap;
    int count;
    float time;
    std::vector<float> head;  // the first values
  };
  const Case cases[] = {
      // The overlap 11.25 .. 12.5 blends with weights falling from A to B; then B's tail.
      {11.25f, 1, 1, false, 16, 1, {100, 100, 100, 100, 100, 100, 120, 140, 160, 180, 200, 200, 200, 200, 200, 200, 0}},
      {13.0f, 1, 1, true, 23, 1, {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 0, 200}},
      {11.25f, 1, 2, false, 16, 2, {200}},  // A counted half as long: doubled; the result says the longer
      {11.25f, 2, 1, false, 16, 2, {100}},
      {11.25f, 1, 1.005f, false, 16, 1, {100}},  // nearly equal times count as equal
  };
  for (const Case& t : cases) {
    CombineCase c;
    c.b = Range(t.bBegin, 0.25f, 11, 200, 0);
    c.a.Header.TimePerStep = t.timeA;
    c.b.Header.TimePerStep = t.timeB;
    const Combined r = Combine(c);
    ASSERT_EQ(r.error, "") << t.bBegin;
    EXPECT_EQ(CombineLeavesGap(r.plan), t.gap);
    EXPECT_FALSE(r.truncated);
    EXPECT_EQ(r.h.PointCount, t.count);
    EXPECT_EQ(r.h.OmegaEnd, 5.0f + static_cast<float>(t.count - 1) * 0.125f);
    EXPECT_EQ(r.h.TimePerStep, t.time);
    EXPECT_EQ(First(r.out, t.head.size()), t.head) << t.bBegin << " " << t.timeB;
  }
}

TEST(CombineRanges, ASubStepOffsetIsResampledAndNearlyAlignedIsNot) {
  CombineCase c, near;
  c.b = Range(11.25f + 0.3f * 0.25f, 0.25f, 11, 0, 1);        // 0.3 steps off: values 0, 1, ... 10
  near.b = Range(11.25f - 0.005f * 0.25f, 0.25f, 11, 0, 1);  // 0.995 of a step: aligned
  const Combined r = Combine(c), aligned = Combine(near);
  EXPECT_EQ(r.plan.R2.Header.PointCount, 10);
  EXPECT_FLOAT_EQ(r.plan.R2.Header.TwoThetaBegin, 11.5f);
  EXPECT_NEAR(r.plan.R2.Data[0], 0.7f, 1e-4);
  EXPECT_NEAR(r.plan.R2.Data[9], 9.7f, 1e-4);
  EXPECT_EQ((std::pair<int, float>(aligned.plan.R2.Header.PointCount, aligned.plan.R2.Data[0])), std::pair(11, 0.0f));
}

TEST(CombineRanges, RefusalsNameWhatDiffers) {
  struct Case {
    int scanType;
    void (*change)(CombineCase&);
    const char* error;
  };
  const Case cases[] = {
      {3, [](CombineCase& c) { c.b.Header.TwoThetaStep = 0.3f; }, "Step size must be equal for both ranges."},
      {3, [](CombineCase& c) { c.b.Header.TwoThetaBegin = 10.0f; }, "Invalid range limits for combine."},
      {4, [](CombineCase& c) { c.b.Header.OmegaBegin += 0.1f; }, "Omega offset must be equal for both ranges."},
      {1, [](CombineCase& c) { c.b.Header.OmegaBegin = 7.0f; }, "Omega position must be equal for both ranges."},
      // A 2Theta scan with a position-sensitive detector in its own mode keeps its Omega position free.
      {1, [](CombineCase& c) { c.file.DetectorType = 2, c.file.PsdMode = 1, c.b.Header.OmegaBegin = 7.0f; }, ""},
      {2, [](CombineCase& c) {  // an omega scan: B later on Omega, at another 2Theta
         c.a.Header.OmegaBegin = 10, c.a.Header.OmegaStep = 0.25f, c.a.Header.OmegaEnd = 12.5f;
         c.b.Header = c.a.Header;
         c.b.Header.OmegaBegin = 11.25f, c.b.Header.OmegaEnd = 13.75f, c.b.Header.TwoThetaBegin = 5.5f;
       }, "2Theta position must be equal for both ranges."},
  };
  for (const Case& t : cases) {
    CombineCase c;
    c.file.ScanType = static_cast<int16_t>(t.scanType);
    t.change(c);
    EXPECT_EQ(Combine(c).error, t.error);
  }
}

TEST(CombineRanges, TwentyThousandStepsAreCutWithAWarning) {
  CombineCase wide;
  wide.a = Range(0, 0.25f, 10001, 1, 0);
  wide.b = Range(2500, 0.25f, 10001, 2, 0);
  const Combined w = Combine(wide);
  EXPECT_TRUE(w.truncated);
  EXPECT_EQ(w.h.PointCount, 16384);
  EXPECT_EQ(w.out[16383], 2.0f);
  EXPECT_EQ(CombineTruncatedWarning(false, w.h.TwoThetaEnd), "Too many data, combined range truncated at 2Theta = 4095.750");
}

TEST(AddRanges, TheCommonRegionOnTheTargetsGrid) {
  struct Case {
    float sourceBegin, sourceStep;
    const char* error;
    int count;
    float begin;
  };
  // Target: 60 points from 10 with step 0.02 (to 11.18).
  const Case cases[] = {
      {10.8f, 0.02f, "", 20, 10.8f},  // 10 + 40 x 0.02 in double lies a hair below 10.8f: no point lost
      {11.00f, 0.02f, "", 10, 11.0f},
      {11.02f, 0.02f, "Common angular region is too small.", 0, 0},  // 9 points
      {11.1f, 0.02f, "Selected ranges have no common angular region.", 0, 0},
      {10.8f, 0.03f, "Ranges have different stepwidths.", 0, 0},
  };
  const km::RawFileHeader file = MeasuredHeader();
  for (const Case& c : cases) {
    const auto target = Ramp(60, 10.0f, 0.02f);
    const km::RawRangeHeader sources[] = {Ramp(60, c.sourceBegin, c.sourceStep).header};
    AddRegion region;
    EXPECT_EQ(PlanAddRanges(file, target.header, sources, region), c.error) << c.sourceBegin;
    if (*c.error != 0) continue;
    EXPECT_EQ(region.Count, c.count) << c.sourceBegin;
    EXPECT_NEAR(region.Begin, c.begin, 1e-5);
  }
}

TEST(AddRanges, AnOffsetSourceIsInterpolatedOntoTheTargetsGrid) {
  // Target 1000, 1001, ... from 10 by 0.25; source 0, 10, 20, ... from 20.125: the region starts at
  // target point 41 (20.25), where the source is halfway between its points 0 and 1. Aligned ranges
  // are added by the Add Ranges command test.
  const RangeBuffer target = Range(10, 0.25f, 60, 1000, 1);
  const RangeBuffer source = Range(20.125f, 0.25f, 60, 0, 10);
  AddRegion region;
  ASSERT_EQ(PlanAddRanges(MeasuredHeader(), target.Header, {&source.Header, 1}, region), "");
  EXPECT_EQ(region.FirstPoint, 41);
  std::vector<float> data = target.Data;
  ShiftTargetToRegion(data, 60, region);
  AddRangeOnto(data, region, source.Header, source.Data, false);
  for (int j : {0, 1, region.Count - 1}) EXPECT_FLOAT_EQ(data[static_cast<size_t>(j)], 1046.0f + 11.0f * static_cast<float>(j)) << j;
  km::RawRangeHeader h = target.Header;
  FinishAddedTarget(h, region, false, data);
  EXPECT_FLOAT_EQ(h.TwoThetaBegin, 20.25f);
  EXPECT_FLOAT_EQ(h.OmegaBegin, 5.0f + 41 * 0.125f);
}

}  // namespace
}  // namespace keltor
