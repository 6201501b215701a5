#include "keltor/core/operations/absorption_correction.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "keltor/core/operations/value_extremes.h"

namespace keltor {

namespace {

// pi / 360 in single precision: 2Theta to theta in radians.
constexpr float kHalfDegreeToRadian = 0.008726646f;
constexpr double kLargestCount = 2147483647.0;

}  // namespace

AbsorptionParameter AbsorptionParameterOf(int scanMode) {
  switch (scanMode) {
    case kScanModeTransmission: return {"Transmission factor (I/Io)", "I/I(o)", 1.0f};
    case kScanModeDebyeScherrer: return {"Mu * R", "Mu * R", 30.0f};
    default: return {"Mu * T", "Mu * T", 30.0f};
  }
}

bool HasAbsorptionFormula(int scanMode) { return scanMode >= kScanModeTransmission && scanMode <= kScanModeDebyeScherrer; }

AbsorptionFormula AbsorptionFormula::Transmission(double transmissionFactor) {
  AbsorptionFormula f;
  f.mode_ = kScanModeTransmission;
  f.k_ = -std::log(transmissionFactor);
  return f;
}

AbsorptionFormula AbsorptionFormula::Reflection(double muT) {
  AbsorptionFormula f;
  f.mode_ = kScanModeReflection;
  f.k_ = -2.0 * muT;
  return f;
}

AbsorptionFormula AbsorptionFormula::Cylinder(const ThetaFactorSpline& spline) {
  AbsorptionFormula f;
  f.mode_ = kScanModeDebyeScherrer;
  f.spline_ = spline;
  return f;
}

double AbsorptionFormula::Factor(double twoTheta) const {
  double factor = 0.0;
  Factors({&twoTheta, 1}, {&factor, 1});
  return factor;
}

void AbsorptionFormula::Factors(std::span<const double> twoTheta, std::span<double> factors) const {
  const size_t count = std::min(twoTheta.size(), factors.size());
  // Single precision, as the angles are: the factor is as exact as a stored intensity can use.
  // (A hostile header's angle is held inside single precision before it is narrowed.)
  const auto theta = [&twoTheta](size_t i) {
    return static_cast<float>(std::clamp(twoTheta[i], -1e30, 1e30)) * kHalfDegreeToRadian;
  };
  const auto k = static_cast<float>(k_);
  switch (mode_) {
    case kScanModeTransmission:
      for (size_t i = 0; i < count; ++i) factors[i] = std::exp(k / std::cos(theta(i)));
      return;
    case kScanModeReflection:
      // The exponentials first, then the divisions in a loop of their own, which runs them side by side.
      for (size_t i = 0; i < count; ++i) factors[i] = std::exp(k / std::sin(theta(i)));
      for (size_t i = 0; i < count; ++i) factors[i] = 1.0 / (1.0 - factors[i]);
      return;
    case kScanModeDebyeScherrer:
      for (size_t i = 0; i < count; ++i) factors[i] = twoTheta[i] / 2.0;
      spline_.At(factors.first(count), factors.first(count));
      return;
    default:
      std::fill_n(factors.begin(), count, std::numeric_limits<double>::quiet_NaN());
      return;
  }
}

std::optional<double> CorrectRangeForAbsorption(const AbsorptionFormula& formula, km::RawRangeHeader& header,
                                                std::span<float> data) {
  const size_t count = std::min(data.size(), static_cast<size_t>(std::max<int>(0, header.PointCount)));
  // Counts are stored times the scale factor when that is above 1.
  const double scale = header.ScaleFactor > 1.0f ? static_cast<double>(header.ScaleFactor) : 1.0;
  const double begin = header.TwoThetaBegin, step = header.TwoThetaStep;
  // A block at a time, small enough to stay in the first-level cache: the angles, their factors,
  // then the products, their extremes and their storage in loops without calls or branches.
  constexpr size_t kBlock = 512;
  double twoTheta[kBlock], corrected[kBlock];
  ValueExtremes<double> extremes;
  for (size_t first = 0; first < count; first += kBlock) {
    const size_t n = std::min(kBlock, count - first);
    for (size_t i = 0; i < n; ++i) twoTheta[i] = begin + static_cast<double>(static_cast<int>(first + i)) * step;
    formula.Factors({twoTheta, n}, {corrected, n});
    const float* in = data.data() + first;
    for (size_t i = 0; i < n; ++i) corrected[i] *= static_cast<double>(in[i]);
    // Every product lies within what a count holds when the extremes do (the scale is positive); the
    // blocks before did, so a fault lies in this one.
    extremes.Include({corrected, n});
    if (!extremes.Finite || !(extremes.Highest * scale <= kLargestCount) || !(extremes.Lowest * scale >= -kLargestCount)) {
      for (size_t i = 0; i < n; ++i)
        if (!(std::fabs(corrected[i] * scale) <= kLargestCount)) return twoTheta[i];
    }
    float* out = data.data() + first;
    for (size_t i = 0; i < n; ++i) out[i] = static_cast<float>(corrected[i]);
  }
  // Single precision keeps the order of values, so the extremes stored are those of the products.
  header.MinIntensity = count == 0 ? 0 : km::RoundToCount(static_cast<float>(extremes.Lowest));
  header.MaxIntensity = count == 0 ? 0 : km::RoundToCount(static_cast<float>(extremes.Highest));
  header.RangeFlags |= km::kFlagAbsorptionCorrected;
  header.BackgroundPointCount = 0;
  return std::nullopt;
}

}  // namespace keltor
