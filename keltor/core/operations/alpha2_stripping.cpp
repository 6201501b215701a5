#include "keltor/core/operations/alpha2_stripping.h"

#include <algorithm>
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

namespace {

// The distance back from a point to where its Kalpha1 partner lies, in half steps of theta (the
// partner position k of the stripping), and the partner's theta, straight from the arc sine.
struct Partner {
  double steps;
  double theta1;
};

Partner DirectPartner(double theta, double ratio, double halfStep) {
  const double theta1 =
      km::SafeArcSin(ratio * std::sin(theta * static_cast<double>(kDegreesToRadians))) * kRadiansToDegrees;
  return {(theta - theta1) / halfStep, theta1};
}

// The partners of a whole range come from cheaper arithmetic that runs in vector registers and is as
// exact as the direct way: the sine and cosine of each point's angle from one exact pair per chunk
// of points and the angle-sum formula, and theta - theta1 from
//   sin(theta - theta1) = sin(theta) (1 - r^2) / (cos(theta1) + r cos(theta)),
// a small angle whose arc sine a short series gives to double precision. Points where that does not
// hold (angles beyond 86 degrees, an unusual ratio) take the direct way.
constexpr size_t kChunk = 256;
constexpr double kLargestSeriesArgument = 0.13;  // the series below is exact to 1e-19 up to here
constexpr double kLargestSeriesAngle = 1.5;      // radians: cos(theta) stays well above 0

// asin(y) = y + y^3/6 + 3y^5/40 + ..., the terms up to y^17.
double SmallArcSin(double y) {
  const double y2 = y * y;
  return y * (1.0 + y2 * (1.0 / 6 + y2 * (3.0 / 40 + y2 * (5.0 / 112 + y2 * (35.0 / 1152 +
         y2 * (63.0 / 2816 + y2 * (231.0 / 13312 + y2 * (143.0 / 10240 + y2 * (6435.0 / 557056)))))))));
}

// The sines and cosines of the angle steps within a chunk: the angle-sum formula's second terms.
struct ChunkSteps {
  explicit ChunkSteps(double halfStep) {
    const double h = halfStep * static_cast<double>(kDegreesToRadians);
    for (size_t j = 0; j < kChunk; ++j) {
      sine[j] = std::sin(static_cast<double>(j) * h);
      cosine[j] = std::cos(static_cast<double>(j) * h);
    }
  }
  double sine[kChunk], cosine[kChunk];
};

// The partners of count points (at most a chunk) from point at on.
void FindPartners(const ChunkSteps& chunk, double begin, double step, size_t at, double ratio, int count,
                  double* steps, double* theta1) {
  // The degree constant is the instruments' single-precision one, so theta in degrees differs from
  // the angle in radians times 180/pi by this share of itself.
  constexpr double kDegreeMismatch = 1.0 - static_cast<double>(kDegreesToRadians) * kRadiansToDegrees;
  const double halfStep = step / 2;
  const double perHalfStep = 1 / halfStep;  // one division a chunk, not one a point
  const auto first = static_cast<double>(at);  // index of the chunk's first point
  const double angle0 = (begin + first * step) / 2 * static_cast<double>(kDegreesToRadians);
  const double sin0 = std::sin(angle0), cos0 = std::cos(angle0);
  const double shrink = (1.0 - ratio) * (1.0 + ratio);
  double small[kChunk], sines[kChunk], cosines[kChunk];
  std::copy_n(chunk.sine, count, sines);  // local copies, which the results cannot alias
  std::copy_n(chunk.cosine, count, cosines);
  // (The index is an int: whole vectors of them become doubles.)
  for (int j = 0; j < count; ++j) {
    const double theta = (begin + (first + static_cast<double>(j)) * step) / 2;
    const double sinA = sin0 * cosines[j] + cos0 * sines[j];
    const double cosA = cos0 * cosines[j] - sin0 * sines[j];
    const double x = ratio * sinA;
    const double y = sinA * shrink / (std::sqrt(std::fabs(1.0 - x * x)) + ratio * cosA);
    small[j] = y;
    const double apart = theta * kDegreeMismatch + SmallArcSin(y) * kRadiansToDegrees;
    steps[j] = apart * perHalfStep;
    theta1[j] = theta - apart;
  }
  const bool usual = ratio > 0 && ratio < 1 && std::fabs(angle0) <= kLargestSeriesAngle &&
                     std::fabs(angle0 + static_cast<double>(count) * halfStep * kDegreesToRadians) <= kLargestSeriesAngle;
  for (int j = 0; j < count; ++j) {
    if (usual && std::fabs(small[j]) <= kLargestSeriesArgument) continue;
    const Partner p = DirectPartner((begin + (first + static_cast<double>(j)) * step) / 2, ratio, halfStep);
    steps[j] = p.steps;
    theta1[j] = p.theta1;
  }
}

}  // namespace

bool StripAlpha2(km::RawRangeHeader& header, std::span<float> values, double wavelengthRatio) {
  const double b = header.TwoThetaBegin;
  const double s = header.TwoThetaStep;
  if (!(s > 0) || !std::isfinite(s) || !std::isfinite(b)) return false;
  const double firstTheta = b / 2;
  const double halfStep = s / 2;
  const ChunkSteps chunk(halfStep);
  double steps[kChunk], theta1[kChunk], fraction[kChunk];
  int whole[kChunk];  // the partner's whole steps back, or -1 where it lies before the range
  const size_t n = values.size();
  for (size_t at = 0; at < n; at += kChunk) {
    const size_t count = std::min(kChunk, n - at);
    FindPartners(chunk, b, s, at, wavelengthRatio, static_cast<int>(count), steps, theta1);
    // The partner lies before the range (or, by rounding, not after its first point) unless both hold.
    // (Taken for the whole chunk first, which runs in vector registers.)
    const auto first = static_cast<double>(at);
    for (int j = 0; j < static_cast<int>(count); ++j) {
      const double k = steps[j];
      const bool inside = theta1[j] > firstTheta && k >= 0.0 && k < first + static_cast<double>(j);
      whole[j] = inside ? static_cast<int>(k) : -1;
      fraction[j] = inside ? k - static_cast<double>(whole[j]) : 0.0;
    }
    // In order: each point takes its partner from points already stripped.
    for (size_t j = 0; j < count; ++j) {
      const size_t i = at + j;
      float& value = values[i];
      if (whole[j] < 0) {
        value = value * kAlpha1Share;
        continue;
      }
      const auto m = static_cast<size_t>(whole[j]);
      const double near = values[i - m];
      const double below = values[i - m - 1];
      const double partner = near - fraction[j] * (near - below);
      value = static_cast<float>(value - kAlpha2Share * partner);
    }
  }
  SetIntensityExtremes(header, values);
  header.RangeFlags |= km::kFlagAlpha2Stripped;
  header.BackgroundPointCount = 0;
  return true;
}

}  // namespace keltor
