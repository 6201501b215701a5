// The corrections' passes over whole blocks of points: extremes taken several values at a time, the
// cylinder spline walked from interval to interval, and the refusals of ranges longer than one block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "common/core/numeric.h"
#include "keltor/core/operations/absorption_correction.h"
#include "keltor/core/operations/value_extremes.h"
#include "tests/support/raw_file_builder.h"

namespace keltor::testing {
namespace {

// Every range's extremes go through this after every operation: lengths around the vector width, a
// value that is no number or infinite at every place, the values taken in one run and in two.
template <typename T>
void ExpectExtremesOfEveryLayout() {
  const T special[] = {T(-7.5), T(9.25), std::numeric_limits<T>::quiet_NaN(), std::numeric_limits<T>::infinity(),
                       -std::numeric_limits<T>::infinity()};
  for (size_t count = 1; count <= 19; ++count) {
    for (const T s : special) {
      for (size_t at = 0; at < count; ++at) {
        std::vector<T> values(count);
        for (size_t i = 0; i < count; ++i) values[i] = static_cast<T>(i % 4) - T(1);
        values[at] = s;
        T low = std::numeric_limits<T>::infinity(), high = -low;
        for (const T v : values)
          if (!std::isnan(v)) low = std::min(low, v), high = std::max(high, v);
        for (size_t split = 0; split <= count; split += std::max<size_t>(1, count / 3)) {
          ValueExtremes<T> e;
          e.Include(std::span(values).first(split));
          e.Include(std::span(values).subspan(split));
          ASSERT_TRUE(e.Lowest == low && e.Highest == high && e.Finite == std::isfinite(s))
              << count << " " << at << " " << split;
        }
      }
    }
  }
}

TEST(ValueExtremes, EveryLengthAndPlaceOfTheExtremesAndOfValuesThatAreNoNumber) {
  ExpectExtremesOfEveryLayout<float>();
  ExpectExtremesOfEveryLayout<double>();
}

// A table whose factors curve along theta, so that every interval has its own cubic.
CylinderAbsorptionTable CurvedTable(float firstTheta) {
  CylinderAbsorptionTable table;
  for (int i = 0; i < kCylinderMuRCount; ++i) table.MuR[static_cast<size_t>(i)] = 30.0f * static_cast<float>(i) / (kCylinderMuRCount - 1);
  for (int k = 0; k < kCylinderThetaCount; ++k) {
    const float theta = firstTheta + (90.0f - firstTheta) * static_cast<float>(k) / (kCylinderThetaCount - 1);
    table.Theta[static_cast<size_t>(k)] = theta;
    for (int i = 0; i < kCylinderMuRCount; ++i)
      table.Factor[static_cast<size_t>(k)][static_cast<size_t>(i)] =
          1.0f + table.MuR[static_cast<size_t>(i)] * (1.0f + std::sin(theta / 9.0f) / 3.0f);
  }
  return table;
}

TEST(ThetaFactorSpline, AWalkFromAnyIntervalFindsTheIntervalABisectionFinds) {
  for (const float firstTheta : {0.0f, 5.0f}) {
    const ThetaFactorSpline spline = SplineAtMuR(CurvedTable(firstTheta), 2.5);
    const auto bisected = [&spline](double theta) {
      return km::SplineValue(theta, kCylinderThetaCount, spline.Theta.data(), spline.Factor.data(), spline.B.data(),
                             spline.C.data(), spline.D.data());
    };
    // Up and down across every node (hit exactly), the quarter turn, the mirrors beyond 90 and 180,
    // and angles below the table's first.
    std::vector<double> sweep;
    for (int i = -400; i <= 1600; ++i) sweep.push_back(0.25 * i);
    for (int i = 1600; i >= -400; i -= 7) sweep.push_back(0.25 * i + 0.01);
    for (int k = 1; k <= kCylinderThetaCount; ++k) sweep.push_back(spline.Theta[static_cast<size_t>(k)]);
    // Runs beginning anywhere in the sweep: the first angle of a run may lie in any interval.
    for (const size_t start : {size_t{0}, size_t{390}, size_t{700}, size_t{2100}, sweep.size() - 19}) {
      const std::span<const double> run = std::span(sweep).subspan(start);
      std::vector<double> factors(run.size());
      spline.At(run, factors);
      for (size_t i = 0; i < run.size(); ++i) {
        double folded = std::fmod(std::fabs(run[i]), 180.0);
        if (folded > 90.0) folded = 180.0 - folded;
        ASSERT_EQ(factors[i], bisected(folded)) << firstTheta << " " << start << " " << run[i];
      }
    }
    EXPECT_EQ(spline.At(firstTheta / 2), firstTheta > 0.0f ? 0.0 : spline.At(0.0)) << "below the table";
    EXPECT_TRUE(std::isnan(spline.At(std::nan(""))));
  }
}

// A range of points past one block, counts 1000 except where a case puts its own.
struct LongRange {
  km::RawRangeHeader header = km::testing::Ramp(1300, 20.0f, 0.01f).header;
  std::vector<float> data = std::vector<float>(1300, 1000.0f);
  double AngleOf(size_t i) const { return header.TwoThetaBegin + static_cast<double>(i) * header.TwoThetaStep; }
};

TEST(CorrectRangeForAbsorption, TheFirstUnstorableProductIsNamedWhereverItLies) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const struct {
    float scale;
    std::vector<std::pair<size_t, float>> counts;
    size_t refusedAt;
  } cases[] = {
      {1.0f, {{1200, nan}, {1250, 3e9f}}, 1200},
      {1.0f, {{511, -3e9f}, {512, 3e9f}}, 511},  // the last of the first block
      {1.0f, {{512, inf}}, 512},
      {1.0f, {{0, 2147483647.0f}}, 0},           // 2^31 in single precision: one past the largest count
      {3.0f, {{900, 8e8f}, {1000, 3e9f}}, 900},  // stored times the scale factor
  };
  // A transmission factor of 1: every factor is exactly 1.
  const AbsorptionFormula unity = AbsorptionFormula::Transmission(1.0);
  for (const auto& c : cases) {
    LongRange range;
    range.header.ScaleFactor = c.scale;
    for (const auto& [at, count] : c.counts) range.data[at] = count;
    const auto refused = CorrectRangeForAbsorption(unity, range.header, range.data);
    ASSERT_TRUE(refused) << c.refusedAt;
    EXPECT_EQ(*refused, range.AngleOf(c.refusedAt));
  }
}

}  // namespace
}  // namespace keltor::testing
