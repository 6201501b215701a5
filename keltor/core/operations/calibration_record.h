#pragma once
// The calibration polynomial other programs of the suite store in the user profile's calibration
// section (9): 332 bytes, little-endian. "CAL" at 0 marks a stored calibration; the order m lies at
// 296, the coefficients c0..cm (single precision) from 300, and the lowest and highest 2Theta of the
// range it was calculated for at 324 and 328 (shared with a seventh coefficient, so at most six).
#include <array>
#include <cstdint>
#include <span>

namespace keltor {

inline constexpr size_t kCalibrationRecordBytes = 332;
inline constexpr int kMaxCalibrationOrder = 5;

struct CalibrationRecord {
  bool Found = false;  // "CAL", an order of 0 to 5 and coefficients that are numbers
  int Order = 0;
  std::array<double, kMaxCalibrationOrder + 1> Coefficients{};
  float RangeLow = 0.0f, RangeHigh = 0.0f;
};

// The record from the section's bytes (fewer than 332 read as zeros). An order outside 0..5 or a
// coefficient that is no number counts as no polynomial found.
CalibrationRecord ParseCalibrationRecord(std::span<const uint8_t> bytes);

// The angle correction Delta(x) = P(x / 180), P(u) = c0 + c1 u + ... + cm u^m, x in degrees.
struct AngleDelta {
  int Order = 1;
  std::array<double, kMaxCalibrationOrder + 1> Coefficients{};

  static AngleDelta Line(double a, double b);
  static AngleDelta Stored(const CalibrationRecord& record);
  double operator()(double x) const;
  // Each x becomes x + Delta(x), the same sum as with operator(), for a whole run of angles at once.
  void ShiftAll(std::span<double> x) const;
};

}  // namespace keltor
