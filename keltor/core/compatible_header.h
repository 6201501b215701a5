#pragma once
// Whether the ranges of two raw data files may be combined: measured the same way on the same kind of
// instrument with the same radiation.
#include "common/core/raw_format.h"

namespace keltor {

// Same diffractometer, radiation, detector, scan mode and type; for position sensitive detectors also
// the same PSD modes; and the same scan usage unless either file is a single-sample scan.
bool IsCompatibleHeader(const km::RawFileHeader& a, const km::RawFileHeader& b);

}  // namespace keltor
