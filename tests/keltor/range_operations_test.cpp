// The range editing computations with hand-checked numbers: truncation on the step grid, block
// compaction, extract names, the combine blend and resampling, and the common region of Add Ranges.
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

TEST(TruncateRange, CutsOnTheStepGridAndBothAxesFollow) {
  struct Case {
    bool omega;
    float begin, end;
    float twoThetaBegin, twoThetaEnd, omegaBegin, omegaEnd;
    int count;
    float firstValue;
  };
  // Ramp of 20 points: 2Theta 10 .. 10.38 step 0.02, Omega 5 .. 5.19 step 0.01, values 100 .. 119.
  const Case cases[] = {
      {false, 10.048f, 10.30f, 10.04f, 10.30f, 5.02f, 5.15f, 14, 102},  // 2.4 steps move the begin by 2
      {false, 10.0f, 10.10f, 10.0f, 10.10f, 5.0f, 5.05f, 6, 100},
      {true, 5.03f, 5.10f, 10.06f, 10.20f, 5.03f, 5.10f, 8, 103},  // Omega scan: Omega decides
  };
  for (const Case& c : cases) {
    auto ramp = Ramp(20, 10.0f, 0.02f, 100.0f);
    ramp.header.BackgroundPointCount = 3;
    std::vector<float> data = ramp.counts;
    ASSERT_TRUE(TruncateRange(ramp.header, data, c.omega, c.begin, c.end)) << c.begin;
    const km::RawRangeHeader& h = ramp.header;
    EXPECT_EQ(h.PointCount, c.count);
    EXPECT_NEAR(h.TwoThetaBegin, c.twoThetaBegin, 1e-4);
    EXPECT_NEAR(h.TwoThetaEnd, c.twoThetaEnd, 1e-4);
    EXPECT_NEAR(h.OmegaBegin, c.omegaBegin, 1e-4);
    EXPECT_NEAR(h.OmegaEnd, c.omegaEnd, 1e-4);
    EXPECT_EQ(data[0], c.firstValue);
    EXPECT_EQ(data[static_cast<size_t>(c.count) - 1], c.firstValue + static_cast<float>(c.count - 1));
    EXPECT_EQ(data[static_cast<size_t>(c.count)], 0.0f);
    EXPECT_EQ(std::pair(h.MinIntensity, h.MaxIntensity),
              std::pair(static_cast<int>(c.firstValue), static_cast<int>(c.firstValue) + c.count - 1));
    EXPECT_EQ(h.BackgroundPointCount, 0);
  }
}

TEST(TruncateRange, TheOldLimitsOrNoStepChangeNothing) {
  for (const auto& [begin, end, step] : {std::tuple{10.0f, 10.38f, 0.02f}, std::tuple{10.009f, 10.38f, 0.02f},
                                         std::tuple{10.0f, 10.2f, 0.0f}}) {
    auto ramp = Ramp(20, 10.0f, 0.02f, 100.0f);
    ramp.header.TwoThetaStep = step;
    const km::RawRangeHeader before = ramp.header;
    std::vector<float> data = ramp.counts;
    EXPECT_FALSE(TruncateRange(ramp.header, data, false, begin, end));
    EXPECT_EQ(std::memcmp(&before, &ramp.header, sizeof before), 0);
    EXPECT_EQ(data, ramp.counts);
  }
}

class CompactRangesTest : public km::testing::TempDirTest {};

TEST_F(CompactRangesTest, AMiddleRangeGoesAndTheLastMovesBehindTheFirst) {
  const auto context = km::testing::WriteRawFile(PathOf("three.raw"), MeasuredHeader(),
                                                 {Ramp(20, 10), Ramp(300, 20, 0.02f, 500), Ramp(200, 30, 0.02f, 900)});
  std::ifstream in(context.Path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  km::RawFileHeader header = context.Header;
  const int range2Block = header.RangeBlock[2];
  const int range3Blocks = header.DataBlocksOf(3);
  const int deleted[] = {2};
  ASSERT_TRUE(CompactRanges(bytes, header, deleted));
  EXPECT_EQ(header.MeasuredRangeCount, 2);
  EXPECT_EQ(header.RangeBlock[2], range2Block);
  EXPECT_EQ(header.DataBlocksOf(2), range3Blocks);
  EXPECT_EQ(header.RangeBlock[3], 0);
  EXPECT_EQ(header.LastBlock, range2Block + range3Blocks);
  EXPECT_EQ(header.LastBlockCopy, header.LastBlock);
  EXPECT_EQ(int{header.TotalPointCount}, 220);  // copied: the field is unaligned
  EXPECT_EQ(bytes.size(), static_cast<size_t>(header.LastBlock) * km::kBlockSize);

  const std::string out = PathOf("two.raw");
  std::ofstream(out, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  km::testing::RecordingSink sink;
  km::RawFileContext read;
  read.Path = out;
  km::RawRangeHeader r;
  std::vector<float> data(km::kWorkbenchMaxPoints);
  ASSERT_TRUE(km::ReadRawRange(sink, read, 2, r, data)) << sink.LastText();
  EXPECT_EQ((std::pair<int, float>(r.PointCount, data[0])), std::pair(200, 900.0f));
}

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

TEST(ExtractNames, ProposedCompletedAndNumbered) {
  EXPECT_EQ(ProposedExtractName("/data/probe.raw"), "/data/probe.ra#");
  EXPECT_EQ(ProposedExtractName("/data.d/probe"), "/data.d/probe.ra#");
  EXPECT_EQ(CompleteExtractName("part", "/data"), "/data/part.raw");
  EXPECT_EQ(CompleteExtractName("part.x#", "/data"), "/data/part.x#");
  EXPECT_EQ(CompleteExtractName("sub/part", "/data"), "sub/part.raw");       // has a directory
  EXPECT_EQ(CompleteExtractName("C:\\x\\part.r#", "/data"), "C:\\x\\part.r#");  // either separator counts
  EXPECT_EQ(CompleteExtractName("/a.b/part", "/data"), "/a.b/part.raw");     // a dot in a directory is no extension
  EXPECT_EQ(CompleteExtractName("", "/data"), "");
  EXPECT_EQ(ExtractFileName("/data/probe.ra#", 3), "/data/probe.ra3");
}

// Two ranges on a step of 0.25 (exact in binary): A 10 .. 12.5, B from bBegin, 11 points each.
struct CombineCase {
  RangeBuffer a = Range(10, 0.25f, 11, 100, 0);
  RangeBuffer b = Range(11.25f, 0.25f, 11, 200, 0);
  km::RawFileHeader file = MeasuredHeader();
};

std::string Prepare(CombineCase& c, CombinePlan& plan) { return PrepareCombine(c.file, c.a, c.b, plan); }

TEST(CombineRanges, OverlapBlendsWithFallingWeightsAndTheTailFollows) {
  CombineCase c;
  CombinePlan plan;
  ASSERT_EQ(Prepare(c, plan), "");
  EXPECT_FALSE(CombineLeavesGap(plan));
  km::RawRangeHeader h;
  std::vector<float> out(km::kWorkbenchMaxPoints);
  EXPECT_FALSE(CombineRanges(plan, h, out));
  EXPECT_EQ(h.PointCount, 16);
  EXPECT_EQ(h.TwoThetaEnd, 13.75f);
  EXPECT_EQ(h.OmegaEnd, 5.0f + 15 * 0.125f);
  EXPECT_EQ(First(out, 17),
            (std::vector<float>{100, 100, 100, 100, 100, 100, 120, 140, 160, 180, 200, 200, 200, 200, 200, 200, 0}));
  EXPECT_EQ(std::pair(h.MinIntensity, h.MaxIntensity), std::pair(100, 200));
}

TEST(CombineRanges, CountingTimesScaleTheShorterAndTheResultSaysTheLonger) {
  struct Case {
    float timeA, timeB;
    float firstValue, resultTime;
  };
  for (const Case& t : {Case{1.0f, 2.0f, 200, 2.0f}, Case{2.0f, 1.0f, 100, 2.0f}, Case{1.0f, 1.005f, 100, 1.0f}}) {
    CombineCase c;
    c.a.Header.TimePerStep = t.timeA;
    c.b.Header.TimePerStep = t.timeB;
    CombinePlan plan;
    ASSERT_EQ(Prepare(c, plan), "");
    km::RawRangeHeader h;
    std::vector<float> out(km::kWorkbenchMaxPoints);
    CombineRanges(plan, h, out);
    EXPECT_EQ(out[0], t.firstValue) << t.timeA << " " << t.timeB;
    EXPECT_EQ(h.TimePerStep, t.resultTime);
  }
}

TEST(CombineRanges, ASubStepOffsetIsResampledAndNearlyAlignedIsNot) {
  CombineCase c;
  c.b = Range(11.25f + 0.3f * 0.25f, 0.25f, 11, 0, 1);  // 0.3 steps off: values 0, 1, ... 10
  CombinePlan plan;
  ASSERT_EQ(Prepare(c, plan), "");
  EXPECT_EQ(plan.R2.Header.PointCount, 10);
  EXPECT_FLOAT_EQ(plan.R2.Header.TwoThetaBegin, 11.5f);
  EXPECT_FLOAT_EQ(plan.R2.Header.TwoThetaEnd, 13.75f);
  EXPECT_NEAR(plan.R2.Data[0], 0.7f, 1e-4);
  EXPECT_NEAR(plan.R2.Data[9], 9.7f, 1e-4);

  CombineCase near;
  near.b = Range(11.25f - 0.005f * 0.25f, 0.25f, 11, 0, 1);  // 0.995 of a step: aligned
  ASSERT_EQ(Prepare(near, plan), "");
  EXPECT_EQ((std::pair<int, float>(plan.R2.Header.PointCount, plan.R2.Data[0])), std::pair(11, 0.0f));
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
      {3, [](CombineCase& c) { c.b.Header.TwoThetaEnd = 12.5f; }, "Invalid range limits for combine."},
      {4, [](CombineCase& c) { c.b.Header.OmegaBegin += 0.1f; }, "Omega offset must be equal for both ranges."},
      {1, [](CombineCase& c) { c.b.Header.OmegaBegin = 7.0f; }, "Omega position must be equal for both ranges."},
      {2, [](CombineCase& c) {
         c.a = Range(10, 0.25f, 11, 100, 0);
         std::swap(c.a.Header.TwoThetaBegin, c.a.Header.OmegaBegin);
         std::swap(c.a.Header.TwoThetaStep, c.a.Header.OmegaStep);
         std::swap(c.a.Header.TwoThetaEnd, c.a.Header.OmegaEnd);
         c.b.Header = c.a.Header;
         c.b.Header.OmegaBegin = 11.25f;
         c.b.Header.OmegaEnd = 13.75f;
         c.b.Header.TwoThetaBegin = 5.5f;
       }, "2Theta position must be equal for both ranges."},
  };
  for (const Case& t : cases) {
    CombineCase c;
    c.file.ScanType = static_cast<int16_t>(t.scanType);
    t.change(c);
    CombinePlan plan;
    EXPECT_EQ(Prepare(c, plan), t.error);
  }
  // A 2Theta scan with a position-sensitive detector in its own mode keeps its Omega position free.
  CombineCase psd;
  psd.file.ScanType = 1;
  psd.file.DetectorType = 2;
  psd.file.PsdMode = 1;
  psd.b.Header.OmegaBegin = 7.0f;
  CombinePlan plan;
  EXPECT_EQ(Prepare(psd, plan), "");
}

TEST(CombineRanges, AGapLeavesZerosAndTwentyThousandStepsAreCutWithAWarning) {
  CombineCase gap;
  gap.b = Range(13.0f, 0.25f, 11, 200, 0);
  CombinePlan plan;
  ASSERT_EQ(Prepare(gap, plan), "");
  EXPECT_TRUE(CombineLeavesGap(plan));
  km::RawRangeHeader h;
  std::vector<float> out(km::kWorkbenchMaxPoints);
  EXPECT_FALSE(CombineRanges(plan, h, out));
  EXPECT_EQ(h.PointCount, 23);
  EXPECT_EQ(First(out, 13), (std::vector<float>{100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 0, 200}));
  EXPECT_EQ(out[22], 200.0f);

  CombineCase wide;
  wide.a = Range(0, 0.25f, 10001, 1, 0);
  wide.b = Range(2500, 0.25f, 10001, 2, 0);
  ASSERT_EQ(Prepare(wide, plan), "");
  EXPECT_TRUE(CombineRanges(plan, h, out));
  EXPECT_EQ(h.PointCount, 16384);
  EXPECT_EQ(h.TwoThetaEnd, 4095.75f);
  EXPECT_EQ(out[16383], 2.0f);
  EXPECT_EQ(CombineTruncatedWarning(false, h.TwoThetaEnd), "Too many data, combined range truncated at 2Theta = 4095.750");
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
      {12.0f, 0.02f, "Selected ranges have no common angular region.", 0, 0},
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

TEST(AddRanges, AlignedRangesAddStraightAndOffsetOnesInterpolated) {
  const km::RawFileHeader file = MeasuredHeader();
  // Aligned: target point 40 + j meets source point j. Half a step off: the region starts at target
  // point 41 (20.25), where the source is halfway between its points 0 and 1.
  for (const auto& [offset, firstPoint, begin, first] :
       {std::tuple{0.0f, 40, 20.0f, 1040.0f}, std::tuple{0.125f, 41, 20.25f, 1046.0f}}) {
    // Target 1000, 1001, ... from 10 by 0.25; source 0, 10, 20, ... from 20 (+ offset).
    const RangeBuffer target = Range(10, 0.25f, 60, 1000, 1);
    const RangeBuffer source = Range(20.0f + offset, 0.25f, 60, 0, 10);
    AddRegion region;
    ASSERT_EQ(PlanAddRanges(file, target.Header, {&source.Header, 1}, region), "");
    EXPECT_EQ(region.FirstPoint, firstPoint);
    std::vector<float> data = target.Data;
    ShiftTargetToRegion(data, 60, region);
    AddRangeOnto(data, region, source.Header, source.Data, false);
    for (int j : {0, 1, region.Count - 1}) {
      EXPECT_FLOAT_EQ(data[static_cast<size_t>(j)], first + 11.0f * static_cast<float>(j)) << offset << " " << j;
    }
    km::RawRangeHeader h = target.Header;
    h.BackgroundPointCount = 2;
    FinishAddedTarget(h, region, false, data);
    EXPECT_EQ(h.PointCount, region.Count);
    EXPECT_FLOAT_EQ(h.TwoThetaBegin, begin);
    EXPECT_FLOAT_EQ(h.OmegaBegin, 5.0f + static_cast<float>(firstPoint) * 0.125f);
    EXPECT_EQ(h.BackgroundPointCount, 0);
    EXPECT_EQ(h.MinIntensity, static_cast<int>(first));
  }
  EXPECT_EQ(AddRangesShortenedWarning(false, 20.25, 24.75), "Resulting range has 2Theta ( min, max ) = 20.250, 24.750");
}

}  // namespace
}  // namespace keltor
