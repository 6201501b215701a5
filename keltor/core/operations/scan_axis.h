#pragma once
// The terms every data operation shares: the scan axis of a range (Omega in an Omega scan, else
// 2Theta) and the other axis, rounding half away from zero and cutting toward zero.
#include <cstdint>
#include <string_view>

#include "common/core/raw_format.h"

namespace keltor {

inline bool IsOmegaScan(const km::RawFileHeader& header) { return header.ScanType == km::kScanTypeOmega; }
inline std::string_view ScanAxisName(bool omegaScan) { return omegaScan ? "Omega" : "2Theta"; }
inline std::string_view ScanAxisName(const km::RawFileHeader& header) { return ScanAxisName(IsOmegaScan(header)); }

// The begin, end and step of one axis of a range header, by reference.
struct AxisFields {
  float& Begin;
  float& End;
  float& Step;
};
struct ConstAxisFields {
  const float& Begin;
  const float& End;
  const float& Step;
};

inline AxisFields TwoThetaAxis(km::RawRangeHeader& r) { return {r.TwoThetaBegin, r.TwoThetaEnd, r.TwoThetaStep}; }
inline AxisFields OmegaAxis(km::RawRangeHeader& r) { return {r.OmegaBegin, r.OmegaEnd, r.OmegaStep}; }
inline AxisFields ScanAxis(km::RawRangeHeader& r, bool omegaScan) { return omegaScan ? OmegaAxis(r) : TwoThetaAxis(r); }
inline AxisFields OtherAxis(km::RawRangeHeader& r, bool omegaScan) { return omegaScan ? TwoThetaAxis(r) : OmegaAxis(r); }
inline ConstAxisFields ScanAxis(const km::RawRangeHeader& r, bool omegaScan) {
  return omegaScan ? ConstAxisFields{r.OmegaBegin, r.OmegaEnd, r.OmegaStep}
                   : ConstAxisFields{r.TwoThetaBegin, r.TwoThetaEnd, r.TwoThetaStep};
}
inline ConstAxisFields OtherAxis(const km::RawRangeHeader& r, bool omegaScan) { return ScanAxis(r, !omegaScan); }

// Half away from zero, as the programs round everywhere; clamped to the long long range so that a
// hostile header cannot make the conversion undefined.
inline long long RoundHalfAwayToLong(double v) {
  constexpr double kLimit = 9.0e18;
  if (!(v == v)) return 0;
  if (v > kLimit) return static_cast<long long>(kLimit);
  if (v < -kLimit) return -static_cast<long long>(kLimit);
  return static_cast<long long>(v < 0 ? v - 0.5 : v + 0.5);
}
inline long long TruncToLong(double v) {
  constexpr double kLimit = 9.0e18;
  if (!(v == v)) return 0;
  if (v > kLimit) return static_cast<long long>(kLimit);
  if (v < -kLimit) return -static_cast<long long>(kLimit);
  return static_cast<long long>(v);
}
// An intensity rounded into the header's 32-bit extremes.
inline int32_t RoundIntensity(double v) {
  const long long r = RoundHalfAwayToLong(v);
  if (r > INT32_MAX) return INT32_MAX;
  if (r < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(r);
}

}  // namespace keltor
