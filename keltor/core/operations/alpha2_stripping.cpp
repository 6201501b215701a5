#include "keltor/core/operations/alpha2_stripping.h"

#include <cmath>

#include "common/core/numeric.h"
#include "common/core/text.h"
#include "keltor/core/operations/truncate_range.h"

namespace keltor {

namespace {

// The share of Kalpha2 in a doublet, and the Kalpha1 share kept where the partner lies before the range.
constexpr double kAlpha2Share = 0.5;
constexpr float kAlpha1Share = 2.0f / 3.0f;
constexpr float kDegreesToRadians = 0.01745329f;
constexpr double kRadiansToDegrees = 57.29577950560105;

constexpr int kNoMonochromator = 0;
constexpr int kSecondaryMonochromator = 1;

}  // namespace

bool Alpha2StrippingOffered(const km::RawFileHeader& header) {
  return header.ScanType != km::kScanTypeOmega && header.Monochromator != 2 && header.Monochromator != 4;
}

bool CheckAlpha2Stripping(km::MessageSink& sink, const km::RawFileHeader& header) {
  if (header.ScanType == km::kScanTypeOmega) {
    sink.ShowError("Alpha2-Stripping not possible for omega scans.");
    return false;
  }
  if (header.Monochromator != kNoMonochromator && header.Monochromator != kSecondaryMonochromator) {
    sink.ShowError("Alpha2-Stripping not possible.");
    return false;
  }
  // A user-defined wavelength has no Alpha2 line (stored as 0); with Alpha2 not above Alpha1 the
  // partner would lie at or above the point itself.
  const double a1 = header.WavelengthAlpha1;
  const double a2 = header.WavelengthAlpha2;
  if (!(a1 > 0) || !(a2 > a1) || !std::isfinite(a2)) {
    sink.ShowError(km::Printf("Alpha2-Stripping not possible: the Alpha2 wavelength (%g) must be above the "
                              "Alpha1 wavelength (%g).",
                              a2, a1));
    return false;
  }
  return true;
}

bool StripAlpha2(km::RawRangeHeader& header, std::span<float> values, double wavelengthRatio) {
  const double b = header.TwoThetaBegin;
  const double s = header.TwoThetaStep;
  if (!(s > 0) || !std::isfinite(s) || !std::isfinite(b)) return false;
  const double firstTheta = b / 2;
  const long long n = static_cast<long long>(values.size());
  for (long long i = 0; i < n; ++i) {
    const double theta = (b + static_cast<double>(i) * s) / 2;
    const double theta1 =
        km::SafeArcSin(wavelengthRatio * std::sin(theta * static_cast<double>(kDegreesToRadians))) * kRadiansToDegrees;
    float& value = values[static_cast<size_t>(i)];
    const double k = (theta - theta1) / (s / 2);
    // The partner lies before the range (or, by rounding, not after its first point).
    if (!(theta1 > firstTheta) || !(k >= 0.0 && k < static_cast<double>(i))) {
      value = value * kAlpha1Share;
      continue;
    }
    const long long m = static_cast<long long>(k);
    const double f = k - static_cast<double>(m);
    const double near = values[static_cast<size_t>(i - m)];
    const double below = values[static_cast<size_t>(i - m - 1)];
    const double partner = near - f * (near - below);
    value = static_cast<float>(value - kAlpha2Share * partner);
  }
  SetIntensityExtremes(header, values);
  header.RangeFlags |= km::kFlagAlpha2Stripped;
  header.BackgroundPointCount = 0;
  return true;
}

}  // namespace keltor
