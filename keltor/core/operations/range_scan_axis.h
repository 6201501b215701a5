#pragma once
// The scan axis of a range (Omega for an Omega scan, else 2Theta) and the other axis, as the data
// operations address them.
#include "common/core/raw_format.h"

namespace keltor {

struct AxisRef {
  float& Begin;
  float& End;
  float& Step;
};

inline bool IsOmegaScanFile(const km::RawFileHeader& h) { return h.ScanType == km::kScanTypeOmega; }

inline AxisRef ScanAxisOf(km::RawRangeHeader& r, bool omega) {
  return omega ? AxisRef{r.OmegaBegin, r.OmegaEnd, r.OmegaStep} : AxisRef{r.TwoThetaBegin, r.TwoThetaEnd, r.TwoThetaStep};
}
inline AxisRef OtherAxisOf(km::RawRangeHeader& r, bool omega) { return ScanAxisOf(r, !omega); }

struct AxisValues {
  double Begin, End, Step;
};
inline AxisValues ScanAxisValues(const km::RawRangeHeader& r, bool omega) {
  return omega ? AxisValues{r.OmegaBegin, r.OmegaEnd, r.OmegaStep}
               : AxisValues{r.TwoThetaBegin, r.TwoThetaEnd, r.TwoThetaStep};
}

}  // namespace keltor
