#pragma once
// The table of absorption correction factors of a cylindrical sample, CYLABS.DAT: 20 records of 145
// little-endian single-precision numbers. Record 0 holds the mu*R grid in elements 1..144; record k
// (1..19) holds theta in degrees in element 0 and the factor at each mu*R of the grid. The factor for
// any mu*R and angle comes from natural cubic splines, first along mu*R in each record, then through
// the 19 (theta, factor) points.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "common/core/messages.h"

namespace keltor {

inline constexpr char kCylinderTableName[] = "CYLABS.DAT";
inline constexpr int kCylinderMuRCount = 144;
inline constexpr int kCylinderThetaCount = 19;
inline constexpr size_t kCylinderRecordBytes = (1 + kCylinderMuRCount) * 4;                  // 580
inline constexpr size_t kCylinderTableBytes = (1 + kCylinderThetaCount) * kCylinderRecordBytes;  // 11600

struct CylinderAbsorptionTable {
  std::array<float, kCylinderMuRCount> MuR{};
  std::array<float, kCylinderThetaCount> Theta{};
  std::array<std::array<float, kCylinderMuRCount>, kCylinderThetaCount> Factor{};
};

enum class CylinderTableFault {
  None,
  Short,         // fewer than 20 complete records
  NotFinite,     // a grid value, an angle or a factor that is no number
  NotAscending,  // the mu*R grid or the angles do not ascend
};

// Takes the table from the file's bytes (bytes beyond the 20 records are ignored) and checks it: a
// damaged table is refused rather than interpolated.
CylinderTableFault ParseCylinderAbsorptionTable(std::span<const uint8_t> bytes, CylinderAbsorptionTable& table);

// The natural cubic spline through the 19 (theta, factor) points at one mu*R. Arrays are indexed
// 1..19 as the spline routines want them.
struct ThetaFactorSpline {
  std::array<double, kCylinderThetaCount + 1> Theta{}, Factor{}, B{}, C{}, D{};

  // The factor at theta (degrees). The cylinder looks the same mirrored, so an angle outside 0..90
  // is taken by symmetry (-theta, 180 - theta) rather than read as "no factor".
  double At(double thetaDegrees) const;

  // The same for a run of angles into factors (as many): each angle's interval is looked for from
  // the one before's, so that angles in order each walk a step at most instead of bisecting.
  void At(std::span<const double> thetaDegrees, std::span<double> factors) const;
};

// True when mu*R lies on the table's mu*R grid (first to last value).
bool TableCoversMuR(const CylinderAbsorptionTable& table, double muR);

// The spline through the factors of every record at mu*R; mu*R must lie on the grid.
ThetaFactorSpline SplineAtMuR(const CylinderAbsorptionTable& table, double muR);

// Where the table is looked for: PROGRAMS below the program directory, and when that has none (or no
// program directory is known), the copy installed with the programs. The first of them that exists;
// when none does, the program directory's (or, without one, the installed) path.
std::string CylinderAbsorptionTablePath(const std::string& programDirectory);

// Reads the table and sets up the spline at mu*R. False after a message: 508 ("Data") for a table that
// cannot be opened, 509 for a short or damaged one, and one naming the table's range for a mu*R off
// its grid.
bool LoadCylinderAbsorptionTable(km::MessageSink& sink, const std::string& programDirectory, double muR,
                                 ThetaFactorSpline& spline);

}  // namespace keltor
