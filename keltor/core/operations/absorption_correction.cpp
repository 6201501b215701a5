#include "keltor/core/operations/absorption_correction.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
  // Single precision, as the angles are: the factor is as exact as a stored intensity can use.
  // (A hostile header's angle is held inside single precision before it is narrowed.)
  const float theta = static_cast<float>(std::clamp(twoTheta, -1e30, 1e30)) * kHalfDegreeToRadian;
  const auto k = static_cast<float>(k_);
  switch (mode_) {
    case kScanModeTransmission: return std::exp(k / std::cos(theta));
    case kScanModeReflection: return 1.0 / (1.0 - static_cast<double>(std::exp(k / std::sin(theta))));
    case kScanModeDebyeScherrer: return spline_.At(twoTheta / 2.0);
    default: return std::numeric_limits<double>::quiet_NaN();
  }
}

std::optional<double> CorrectRangeForAbsorption(const AbsorptionFormula& formula, km::RawRangeHeader& header,
                                                std::span<float> data) {
  const size_t count = std::min(data.size(), static_cast<size_t>(std::max<int>(0, header.PointCount)));
  // Counts are stored times the scale factor when that is above 1.
  const double scale = header.ScaleFactor > 1.0f ? static_cast<double>(header.ScaleFactor) : 1.0;
  const double begin = header.TwoThetaBegin, step = header.TwoThetaStep;
  double lowest = 0.0, highest = 0.0;
  for (size_t i = 0; i < count; ++i) {
    const double twoTheta = begin + static_cast<double>(i) * step;
    const double corrected = static_cast<double>(data[i]) * formula.Factor(twoTheta);
    if (!std::isfinite(corrected) || std::fabs(corrected * scale) > kLargestCount) return twoTheta;
    data[i] = static_cast<float>(corrected);
    if (i == 0 || data[i] < lowest) lowest = data[i];
    if (i == 0 || data[i] > highest) highest = data[i];
  }
  header.MinIntensity = km::RoundToCount(lowest);
  header.MaxIntensity = km::RoundToCount(highest);
  header.RangeFlags |= km::kFlagAbsorptionCorrected;
  header.BackgroundPointCount = 0;
  return std::nullopt;
}

}  // namespace keltor
