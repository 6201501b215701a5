#include "keltor/core/compatible_header.h"

namespace keltor {

bool IsCompatibleHeader(const km::RawFileHeader& a, const km::RawFileHeader& b) {
  if (a.DiffractometerType != b.DiffractometerType || a.Radiation != b.Radiation ||
      a.DetectorType != b.DetectorType || a.ScanMode != b.ScanMode || a.ScanType != b.ScanType) {
    return false;
  }
  constexpr int kScintillationCounter = 1;
  if (a.DetectorType != kScintillationCounter && (a.PsdMode != b.PsdMode || a.PsdOmegaMode != b.PsdOmegaMode)) {
    return false;
  }
  return a.ScanUsage == 0 || b.ScanUsage == 0 || a.ScanUsage == b.ScanUsage;
}

}  // namespace keltor
