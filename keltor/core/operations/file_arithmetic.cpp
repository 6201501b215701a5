#include "keltor/core/operations/file_arithmetic.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "common/core/dialog_fields.h"

#include "keltor/core/operations/truncate_range.h"
#include "keltor/core/operations/scan_axis.h"

namespace keltor {

namespace {

constexpr int kScintillationCounter = 1;
constexpr int kScanType2Theta = 1;
constexpr int kScanTypeIndependent = 4;
constexpr int kMinimumCommonSteps = 10;
// Counting times closer than this count as equal.
constexpr double kTimeTolerance = 0.01;
// Offsets within this fraction of a step count as on the grid.
constexpr double kGridTolerance = 0.01;

long long Rounded(double v) { return RoundHalfAwayToLong(v); }

// The scan axis' numbers, copied: the header they come from is rewritten below.
struct AxisValues {
  double Begin, End, Step;
};
AxisValues ScanAxisValues(const km::RawRangeHeader& r, bool omegaScan) {
  const ConstAxisFields a = ScanAxis(r, omegaScan);
  return {a.Begin, a.End, a.Step};
}

bool PositionsDiffer(const km::RawFileHeader& target, double a, double b) {
  return Rounded(target.AngleResolution * (b - a)) != 0;
}

}  // namespace

int CheckArithmeticFactors(km::MessageSink& sink, const ArithmeticFactors& factors) {
  const std::pair<float, int> fields[] = {{factors.M1, kFactor1Edit}, {factors.M2, kFactor2Edit}};
  for (const auto& [value, edit] : fields) {
    if (!(value >= -kFactorLimit && value <= kFactorLimit)) {
      sink.ShowPlain(km::InvalidDataText(-kFactorLimit, kFactorLimit));
      return edit;
    }
  }
  for (const auto& [value, edit] : fields) {
    if (value == 0.0f) {
      sink.ShowError(" a factor of 0.0 doesn't make any sense!");
      return edit;
    }
  }
  return 0;
}

bool CheckArithmeticRanges(km::MessageSink& sink, const km::RawFileHeader& target, const km::RawRangeHeader& h1,
                           const km::RawFileHeader& source, const km::RawRangeHeader& h2) {
  const bool omega = IsOmegaScan(target);
  const AxisValues a1 = ScanAxisValues(h1, omega);
  const AxisValues a2 = ScanAxisValues(h2, omega);
  if (!(a1.Step > 0) || !std::isfinite(a1.Step)) {
    sink.ShowError("Step size must be above 0!");
    return false;
  }
  if (Rounded(target.AngleResolution * a1.Step) != Rounded(source.AngleResolution * a2.Step)) {
    sink.ShowError("Step size must be equal for both ranges!");
    return false;
  }
  const char* position = nullptr;
  switch (target.ScanType) {
    case kScanType2Theta:
      if (target.DetectorType != kScintillationCounter && target.PsdMode == 1 &&
          PositionsDiffer(target, h1.OmegaBegin, h2.OmegaBegin)) {
        position = "Omega position";
      }
      break;
    case km::kScanTypeOmega:
      if (PositionsDiffer(target, h1.TwoThetaBegin, h2.TwoThetaBegin)) position = "2Theta position";
      break;
    case kScanTypeIndependent:
      if (PositionsDiffer(target, 0.5 * h1.TwoThetaBegin - h1.OmegaBegin, 0.5 * h2.TwoThetaBegin - h2.OmegaBegin)) {
        position = "Omega offset";
      }
      break;
    default:
      break;
  }
  if (position) {
    sink.ShowError(std::string(position) + " must be equal for both ranges!");
    return false;
  }
  if (a1.End < a2.Begin || a1.Begin > a2.End) {
    sink.ShowError("Ranges must overlap!");
    return false;
  }
  const double lo = std::max(a1.Begin, a2.Begin);
  const double hi = std::min(a1.End, a2.End);
  if (Rounded((hi - lo) / a1.Step) < kMinimumCommonSteps) {
    sink.ShowError("Common angular region is too small.");
    return false;
  }
  // Scaling the source onto the target's counting time divides by the source's and multiplies by
  // the target's; a time of 0 on either side would make the counts infinite or wipe them out.
  if (std::fabs(static_cast<double>(h2.TimePerStep) - h1.TimePerStep) > kTimeTolerance &&
      (!(h1.TimePerStep > 0) || !(h2.TimePerStep > 0))) {
    sink.ShowError(h2.TimePerStep > 0 ? "The counting time of the target range is 0: the source cannot be scaled to it."
                                      : "The counting time of the source range is 0: its counts cannot be scaled.");
    return false;
  }
  return true;
}

int CombineRanges(FileOperation operation, bool omegaScan, km::RawRangeHeader& h1, std::span<const float> t,
                  const km::RawRangeHeader& h2, std::span<const float> s, double m1, double m2,
                  std::span<float> result) {
  const AxisValues a1 = ScanAxisValues(h1, omegaScan);
  const AxisValues a2 = ScanAxisValues(h2, omegaScan);
  const double step = a1.Step;
  const double lo = std::max(a1.Begin, a2.Begin);
  const double hi = std::min(a1.End, a2.End);
  const long long n1 = static_cast<long long>(t.size());
  const long long n2 = static_cast<long long>(s.size());

  // Both ranges stand for the target's counting time.
  double timeScale = 1.0;
  if (std::fabs(static_cast<double>(h2.TimePerStep) - h1.TimePerStep) > kTimeTolerance) {
    timeScale = static_cast<double>(h1.TimePerStep) / h2.TimePerStep;
  }
  if (operation == FileOperation::Subtract) m2 = -m2;

  // A source lying a fraction of a step off the target's grid is interpolated linearly onto it,
  // whichever range begins first: the result then starts at the first target grid point inside both.
  const double d = (a2.Begin - a1.Begin) / step;
  const double fraction = d - std::floor(d);
  const bool resample = fraction > kGridTolerance && fraction < 1.0 - kGridTolerance;
  double b0 = lo;
  long long iT = 0, iS = 0;
  double at = 0.0;  // interpolation fraction between source points iS + j and iS + j + 1
  long long sourcePoints = n2;
  if (resample) {
    const long long k = std::max(0LL, TruncToLong(std::ceil(d)));
    b0 = a1.Begin + static_cast<double>(k) * step;
    const double offset = static_cast<double>(k) - d;  // steps from the source's first point to b0
    iT = k;
    iS = TruncToLong(std::floor(offset));
    at = offset - static_cast<double>(iS);
    sourcePoints = n2 - 1;  // the last point has no right neighbour
  } else {
    iT = Rounded((b0 - a1.Begin) / step);
    iS = Rounded((b0 - a2.Begin) / step);
  }
  const long long wanted = Rounded((hi - b0) / step) + 1;
  const long long count = std::min({wanted, n1 - iT, sourcePoints - iS, static_cast<long long>(result.size())});
  if (iT < 0 || iS < 0 || count < 1) return 0;

  for (long long j = 0; j < count; ++j) {
    const double target = t[static_cast<size_t>(iT + j)];
    double sourceValue = s[static_cast<size_t>(iS + j)];
    if (resample) sourceValue += at * (static_cast<double>(s[static_cast<size_t>(iS + j + 1)]) - sourceValue);
    sourceValue *= timeScale;
    double r = 0.0;
    if (operation == FileOperation::Divide) {
      r = sourceValue == 0.0 ? 0.0 : m1 * target / sourceValue;
    } else {
      r = m1 * target + m2 * sourceValue;
    }
    result[static_cast<size_t>(j)] = static_cast<float>(r);
  }

  AxisFields scan = ScanAxis(h1, omegaScan);
  const bool onGrid = !resample && count == wanted;
  scan.Begin = static_cast<float>(b0);
  scan.End = static_cast<float>(onGrid ? hi : b0 + static_cast<double>(count - 1) * step);
  // The other axis moves with the points kept, as truncation moves it; a fixed axis (step 0) stays.
  AxisFields other = OtherAxis(h1, omegaScan);
  if (other.Step != 0.0f) {
    const double otherBegin = other.Begin + static_cast<double>(iT) * other.Step;
    other.Begin = static_cast<float>(otherBegin);
    other.End = static_cast<float>(otherBegin + static_cast<double>(count - 1) * other.Step);
  }
  h1.PointCount = static_cast<int16_t>(count);
  // The target's background points pointed at its old indices.
  h1.BackgroundPointCount = 0;
  SetIntensityExtremes(h1, result.first(static_cast<size_t>(count)));
  return static_cast<int>(count);
}

}  // namespace keltor
