#include "keltor/core/operations/combine_ranges.h"

#include <algorithm>
#include <cmath>

#include "common/core/text.h"
#include "keltor/core/operations/scan_axis.h"
#include "keltor/core/operations/truncate_range.h"

namespace keltor {

namespace {

constexpr int kIndependentScan = 4;
constexpr int kTwoThetaScan = 1;
constexpr int kOmegaScan = 2;

int PointsOf(const RangeBuffer& r) { return std::clamp<int>(r.Header.PointCount, 0, km::kWorkbenchMaxPoints); }

// Value i of a range; nothing beyond its points is read.
double ValueAt(const RangeBuffer& r, long long i) {
  return i >= 0 && i < PointsOf(r) ? static_cast<double>(r.Data[static_cast<size_t>(i)]) : 0.0;
}

bool Differs(double resolution, double difference) { return RoundHalfAwayToLong(resolution * difference) != 0; }

}  // namespace

std::string PrepareCombine(const km::RawFileHeader& fileHeader, const RangeBuffer& a, const RangeBuffer& b,
                           CombinePlan& plan) {
  const bool omega = IsOmegaScan(fileHeader);
  const double resolution = fileHeader.AngleResolution;
  const ConstAxisFields axisA = ScanAxis(a.Header, omega);
  const ConstAxisFields axisB = ScanAxis(b.Header, omega);
  if (RoundHalfAwayToLong(resolution * axisA.Step) != RoundHalfAwayToLong(resolution * axisB.Step)) {
    return "Step size must be equal for both ranges.";
  }
  const char* position = nullptr;
  switch (fileHeader.ScanType) {
    case kIndependentScan:
      if (Differs(resolution, (0.5 * b.Header.TwoThetaBegin - b.Header.OmegaBegin) -
                                  (0.5 * a.Header.TwoThetaBegin - a.Header.OmegaBegin))) {
        position = "Omega offset";
      }
      break;
    case kTwoThetaScan:
      if ((fileHeader.DetectorType == 1 || fileHeader.PsdMode != 1) &&
          Differs(resolution, static_cast<double>(b.Header.OmegaBegin) - a.Header.OmegaBegin)) {
        position = "Omega position";
      }
      break;
    case kOmegaScan:
      if (Differs(resolution, static_cast<double>(b.Header.TwoThetaBegin) - a.Header.TwoThetaBegin)) {
        position = "2Theta position";
      }
      break;
    default: break;
  }
  if (position != nullptr) return std::string(position) + " must be equal for both ranges.";

  const bool bFirst = axisB.Begin < axisA.Begin;
  plan.R1 = bFirst ? b : a;
  plan.R2 = bFirst ? a : b;
  plan.OmegaScan = omega;
  plan.Step = axisA.Step;
  AxisFields r1 = ScanAxis(plan.R1.Header, omega);
  AxisFields r2 = ScanAxis(plan.R2.Header, omega);
  if (!(r1.Begin < r2.Begin) || !(r1.End < r2.End) || !std::isfinite(plan.Step) || plan.Step <= 0) {
    return "Invalid range limits for combine.";
  }

  // Counts of the shorter counting time are brought up to the longer one.
  const double t1 = plan.R1.Header.TimePerStep;
  const double t2 = plan.R2.Header.TimePerStep;
  plan.TimePerStep = t1;
  if (std::fabs(t1 - t2) > 0.01 && t1 > 0 && t2 > 0) {
    RangeBuffer& shorter = t1 < t2 ? plan.R1 : plan.R2;
    const double factor = std::max(t1, t2) / std::min(t1, t2);
    for (int i = 0; i < PointsOf(shorter); ++i) {
      shorter.Data[static_cast<size_t>(i)] = static_cast<float>(shorter.Data[static_cast<size_t>(i)] * factor);
    }
    plan.TimePerStep = std::max(t1, t2);
  }

  // R2 off R1's grid by more than a hundredth of a step is interpolated onto it.
  const double d = (static_cast<double>(r2.Begin) - r1.Begin) / plan.Step;
  const double f = d - std::floor(d);
  if (f > 0.01 && f < 0.99) {
    const long long k = TruncToLong(d) + 1;
    const double begin = r1.Begin + static_cast<double>(k) * plan.Step;
    const double t = (begin - r2.Begin) / plan.Step;
    const int count = std::max(0, PointsOf(plan.R2) - 1);
    std::vector<float>& v = plan.R2.Data;
    for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
      v[i] = static_cast<float>(v[i] + t * (static_cast<double>(v[i + 1]) - v[i]));
    }
    if (count < km::kWorkbenchMaxPoints) v[static_cast<size_t>(count)] = 0.0f;
    plan.R2.Header.PointCount = static_cast<int16_t>(count);
    r2.Begin = static_cast<float>(begin);
    r2.End = static_cast<float>(begin + static_cast<double>(count - 1) * plan.Step);
  }
  return {};
}

bool CombineLeavesGap(const CombinePlan& plan) {
  return ScanAxis(plan.R1.Header, plan.OmegaScan).End < ScanAxis(plan.R2.Header, plan.OmegaScan).Begin;
}

bool CombineRanges(const CombinePlan& plan, km::RawRangeHeader& header, std::span<float> data) {
  const ConstAxisFields r1 = ScanAxis(plan.R1.Header, plan.OmegaScan);
  const ConstAxisFields r2 = ScanAxis(plan.R2.Header, plan.OmegaScan);
  const double step = plan.Step;
  const auto capacity = static_cast<long long>(std::min<size_t>(data.size(), km::kWorkbenchMaxPoints));
  long long n = RoundHalfAwayToLong((static_cast<double>(r2.End) - r1.Begin) / step) + 1;
  const bool truncated = n > capacity;
  n = std::clamp<long long>(n, 1, capacity);
  std::fill(data.begin(), data.begin() + capacity, 0.0f);
  auto put = [&](long long i, double v) {
    if (i >= 0 && i < capacity) data[static_cast<size_t>(i)] = static_cast<float>(v);
  };

  const int r1Count = PointsOf(plan.R1);
  const long long o = std::min<long long>(RoundHalfAwayToLong((static_cast<double>(r2.Begin) - r1.Begin) / step), r1Count);
  for (long long i = 0; i < o; ++i) put(i, ValueAt(plan.R1, i));

  const double overlap = static_cast<double>(r1.End) - r2.Begin;
  const long long m = overlap > 0 ? RoundHalfAwayToLong(overlap / step) : 0;
  if (m > 0) {
    // R1's weight falls linearly from 1 at the start of the overlap towards 0 at its end.
    for (long long i = 0; i < m; ++i) {
      const double w = static_cast<double>(m - i) / static_cast<double>(m);
      put(o + i, w * ValueAt(plan.R1, o + i) + (1 - w) * ValueAt(plan.R2, i));
    }
    const long long tail = RoundHalfAwayToLong((static_cast<double>(r2.End) - r1.End) / step) + 1;
    for (long long j = 0; j < tail && m + j < PointsOf(plan.R2); ++j) put(r1Count - 1 + j, ValueAt(plan.R2, m + j));
  } else {
    const long long start = RoundHalfAwayToLong((static_cast<double>(r2.Begin) - r1.Begin) / step);
    for (long long j = 0; j < PointsOf(plan.R2); ++j) put(start + j, ValueAt(plan.R2, j));
  }

  header = plan.R1.Header;
  AxisFields scan = ScanAxis(header, plan.OmegaScan);
  AxisFields other = OtherAxis(header, plan.OmegaScan);
  header.PointCount = static_cast<int16_t>(n);
  scan.End = static_cast<float>(r1.Begin + static_cast<double>(n - 1) * step);
  other.End = static_cast<float>(static_cast<double>(other.Begin) + static_cast<double>(n - 1) * other.Step);
  // The counts stand for the longer counting time when either range was scaled.
  header.TimePerStep = static_cast<float>(plan.TimePerStep);
  SetIntensityExtremes(header, data.first(static_cast<size_t>(n)));
  return truncated;
}

std::string CombineTruncatedWarning(bool omegaScan, float end) {
  std::string text = km::Printf("Too many data, combined range truncated at %s = %-8.3f",
                                std::string(ScanAxisName(omegaScan)).c_str(), static_cast<double>(end));
  text.erase(km::TrimmedLength(text));
  return text;
}

}  // namespace keltor
