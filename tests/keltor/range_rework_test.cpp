// Alpha2 stripping and Add Points: the computations by hand-checked numbers, then the commands.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "common/core/numeric.h"
#include "keltor/core/operations/add_points.h"
#include "keltor/core/operations/alpha2_stripping.h"
#include "tests/keltor/workbench_test_support.h"

namespace keltor::testing {
namespace {

constexpr double kCopperRatio = 1.540598 / 1.54439;

// A copper pattern of zero counts from 30 to 100 degrees in steps of 0.01 with two sharp Kalpha1
// lines of 1000 counts at 40 and 90 degrees.
TestRange TwoLines() {
  TestRange r = Ramp(7001, 30.0f, 0.01f);
  std::fill(r.counts.begin(), r.counts.end(), 0.0f);
  r.counts[1000] = 1000.0f;
  r.counts[6000] = 1000.0f;
  return r;
}

TEST(Alpha2StrippingTest, EachLineLosesHalfItsIntensityWhereItsAlpha2PartnerLies) {
  TestRange r = TwoLines();
  r.header.BackgroundPointCount = 3;
  ASSERT_TRUE(StripAlpha2(r.header, r.counts, kCopperRatio));
  // The lines themselves keep their counts: their partners lie on zero counts.
  EXPECT_FLOAT_EQ(r.counts[1000], 1000.0f);
  EXPECT_FLOAT_EQ(r.counts[6000], 1000.0f);
  // Half of each line is taken away about 0.10 (at 40) and 0.28 degrees (at 90) higher, shared by the
  // two points on either side of the partner's position (further on, the stripped dip has partners too).
  struct Line {
    size_t at;
    double offset;
  } lines[] = {{1000, 0.102}, {6000, 0.281}};
  for (const Line& line : lines) {
    const size_t from = line.at + static_cast<size_t>(line.offset * 100) - 2;
    const auto window = std::span<const float>(r.counts).subspan(from, 5);
    EXPECT_NEAR(std::accumulate(window.begin(), window.end(), 0.0), -500.0, 5.0);
    const auto lowest = std::min_element(window.begin(), window.end()) - window.begin() + static_cast<long>(from - line.at);
    EXPECT_NEAR(static_cast<double>(lowest) * 0.01, line.offset, 0.01) << line.at;
  }
  EXPECT_LT(r.header.MinIntensity, -250);
  EXPECT_TRUE(r.header.RangeFlags & km::kFlagAlpha2Stripped);
  EXPECT_EQ(r.header.BackgroundPointCount, 0);
}

// The stripping point by point, with an arc sine at every point: what the whole-range arithmetic of
// StripAlpha2 must agree with.
std::vector<float> StripPointByPoint(const km::RawRangeHeader& header, std::vector<float> values, double ratio) {
  const double b = header.TwoThetaBegin, s = header.TwoThetaStep;
  for (size_t i = 0; i < values.size(); ++i) {
    const double theta = (b + static_cast<double>(i) * s) / 2;
    const double theta1 = km::SafeArcSin(ratio * std::sin(theta * static_cast<double>(0.01745329f))) * 57.29577950560105;
    const double k = (theta - theta1) / (s / 2);
    if (!(theta1 > b / 2) || !(k >= 0.0 && k < static_cast<double>(i))) {
      values[i] *= 2.0f / 3.0f;
      continue;
    }
    const auto m = static_cast<size_t>(k);
    const double f = k - static_cast<double>(m);
    const double near = values[i - m], below = values[i - m - 1];
    values[i] = static_cast<float>(values[i] - 0.5 * (near - f * (near - below)));
  }
  return values;
}

TEST(Alpha2StrippingTest, WholeRangesAgreeWithThePointByPointArcSine) {
  // Copper, molybdenum, an odd ratio, angles up to the back-reflection end and below zero.
  const struct {
    float begin, step;
    int points;
    double ratio;
  } cases[] = {{1.0f, 0.01f, 17900, kCopperRatio}, {5.0f, 0.005f, 16384, 0.70930 / 0.71359},
               {20.0f, 0.02f, 3000, 0.5},           {-10.0f, 0.01f, 4000, kCopperRatio},
               {150.0f, 0.001f, 301, kCopperRatio}};
  for (const auto& c : cases) {
    TestRange r = Ramp(c.points, c.begin, c.step);
    for (size_t i = 0; i < r.counts.size(); ++i) {
      r.counts[i] = static_cast<float>(100 + (i * 7919) % 31 + (i % 97 == 0 ? 5000 : 0));
    }
    const std::vector<float> expected = StripPointByPoint(r.header, r.counts, c.ratio);
    ASSERT_TRUE(StripAlpha2(r.header, r.counts, c.ratio));
    size_t differing = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
      EXPECT_NEAR(r.counts[i], expected[i], 1e-6 * (std::fabs(expected[i]) + 1)) << c.begin << " at " << i;
      differing += r.counts[i] != expected[i];
    }
    EXPECT_LT(differing, expected.size() / 100) << c.begin;
  }
}

TEST(Alpha2StrippingTest, RefusedForOmegaScansMonochromatorsAndWithoutAnAlpha2Line) {
  struct Case {
    int scanType, monochromator;
    float alpha2;  // Alpha1 is 1.2345
    bool offered;
    const char* message;
  } cases[] = {
      {3, 0, 1.3f, true, nullptr},
      {2, 0, 1.3f, false, "Alpha2-Stripping not possible for omega scans."},
      {3, 3, 1.3f, true, "Alpha2-Stripping not possible."},
      {3, 2, 1.3f, false, "Alpha2-Stripping not possible."},
      {3, 0, 0.0f, true,
       "Alpha2-Stripping not possible: the Alpha2 wavelength (0) must be above the Alpha1 wavelength (1.2345)."},
  };
  for (const Case& c : cases) {
    km::RawFileHeader h = MeasuredHeader();
    h.ScanType = static_cast<int16_t>(c.scanType);
    h.Monochromator = static_cast<int16_t>(c.monochromator);
    h.WavelengthAlpha1 = 1.2345f;
    h.WavelengthAlpha2 = c.alpha2;
    km::testing::RecordingSink sink;
    EXPECT_EQ(CheckAlpha2Stripping(sink, h), c.message == nullptr);
    EXPECT_EQ(sink.LastText(), c.message ? c.message : "");
    EXPECT_EQ(Alpha2StrippingOffered(h), c.offered);
  }
}

TEST(AddPointsTest, ThreePointsOfAHundredGiveThirtyThreeCentredSums) {
  TestRange r = Ramp(100, 10.0f, 0.02f, 100);
  r.header.TimePerStep = 2;
  r.header.BackgroundPointCount = 4;
  ASSERT_EQ(AddPoints(r.header, r.counts, 3), 33);
  EXPECT_EQ(r.header.PointCount, 33);
  EXPECT_NEAR(r.header.TwoThetaBegin, 10.02f, 1e-5);
  EXPECT_NEAR(r.header.OmegaStep, 0.03f, 1e-6);
  EXPECT_FLOAT_EQ(r.counts[32], 196 + 197 + 198);  // the 100th point (199) is dropped
  EXPECT_FLOAT_EQ(r.header.TimePerStep, 2.0f);
  EXPECT_EQ(r.header.BackgroundPointCount, 0);
}

class ReworkCommandTest : public WorkbenchFixture {
 protected:
  std::vector<float> WorkingValues(int n) { return WorkbenchRange(n).second; }
};

TEST_F(ReworkCommandTest, StrippingRewritesEveryRangeAndMarksThemAll) {
  km::RawFileHeader h = MeasuredHeader();
  h.Monochromator = 1;
  h.WavelengthAlpha1 = 1.540598f;
  const std::string a = WriteFile("a.raw", h, {TwoLines(), Ramp(30, 50.0f, 0.02f, 300)});
  Open(a);
  ASSERT_TRUE(wb_.CanStripAlpha2());
  ASSERT_TRUE(wb_.OnOperationsAlpha2Stripping());
  EXPECT_TRUE(ui_.sink.Empty());
  EXPECT_NEAR(WorkingValues(2)[0], 200.0f, 1e-3);
  EXPECT_TRUE(wb_.File.IsRangeModified(1) && wb_.File.IsRangeModified(2));
}

TEST_F(ReworkCommandTest, AddPointsRemembersItsCountAndRefusesRangesShorterThanAGroup) {
  const std::string a = WriteFile("a.raw", MeasuredHeader(), {Ramp(100, 10.0f, 0.02f, 100), Ramp(5, 30.0f)});
  Open(a);
  ui_.addPointsAnswers = {11, 6};
  EXPECT_FALSE(wb_.OnOperationsAddPoints());
  EXPECT_EQ(ui_.sink.Texts(), (std::vector<std::string>{"Invalid Data\nAllowed Range = 2 to 10",
                                                         "Range 2 has only 5 points: 6 points cannot be added."}));
  EXPECT_FALSE(wb_.File.IsModified);

  ui_.addPointsAnswers = {3};
  ASSERT_TRUE(wb_.OnOperationsAddPoints());
  EXPECT_EQ(ui_.addPointsProposals, (std::vector<int>{2, 6}));
  EXPECT_EQ(wb_.State.AddPointsCount, 3);
  EXPECT_EQ(WorkingValues(2), std::vector<float>{100 + 101 + 102});
}

}  // namespace
}  // namespace keltor::testing
