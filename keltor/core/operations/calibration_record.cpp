#include "keltor/core/operations/calibration_record.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "common/core/numeric.h"

namespace keltor {

namespace {

uint32_t WordAt(const std::array<uint8_t, kCalibrationRecordBytes>& b, size_t at) {
  return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 | uint32_t{b[at + 3]} << 24;
}

}  // namespace

CalibrationRecord ParseCalibrationRecord(std::span<const uint8_t> bytes) {
  std::array<uint8_t, kCalibrationRecordBytes> b{};
  std::memcpy(b.data(), bytes.data(), std::min(bytes.size(), b.size()));
  CalibrationRecord record;
  record.RangeLow = std::bit_cast<float>(WordAt(b, 324));
  record.RangeHigh = std::bit_cast<float>(WordAt(b, 328));
  const auto order = static_cast<int32_t>(WordAt(b, 296));
  if (std::memcmp(b.data(), "CAL", 3) != 0 || order < 0 || order > kMaxCalibrationOrder) return record;
  record.Order = order;
  for (int i = 0; i <= order; ++i) {
    const float c = std::bit_cast<float>(WordAt(b, 300 + 4 * static_cast<size_t>(i)));
    if (!std::isfinite(c)) return record;
    record.Coefficients[static_cast<size_t>(i)] = c;
  }
  record.Found = true;
  return record;
}

AngleDelta AngleDelta::Line(double a, double b) {
  AngleDelta delta;
  delta.Order = 1;
  delta.Coefficients[0] = a;
  delta.Coefficients[1] = b;
  return delta;
}

AngleDelta AngleDelta::Stored(const CalibrationRecord& record) {
  AngleDelta delta;
  delta.Order = record.Order;
  delta.Coefficients = record.Coefficients;
  return delta;
}

double AngleDelta::operator()(double x) const { return km::EvalPolynomial(x / 180.0, Coefficients, Order); }

void AngleDelta::ShiftAll(std::span<double> x) const {
  // km::EvalPolynomial's Horner scheme, one coefficient at a time over a block of angles, so that the
  // compiler runs the divisions and products side by side.
  // A negative order is no polynomial: Delta is 0.
  const size_t top = Order < 0 ? 0 : std::min(static_cast<size_t>(Order), Coefficients.size() - 1);
  const double highest = Order < 0 ? 0.0 : Coefficients[top];
  constexpr size_t kBlock = 256;
  double u[kBlock], value[kBlock];
  for (size_t first = 0; first < x.size(); first += kBlock) {
    const size_t n = std::min(kBlock, x.size() - first);
    double* block = x.data() + first;
    for (size_t i = 0; i < n; ++i) u[i] = block[i] / 180.0;
    for (size_t i = 0; i < n; ++i) value[i] = highest;
    for (size_t k = top; k-- > 0;) {
      const double c = Coefficients[k];
      for (size_t i = 0; i < n; ++i) value[i] = value[i] * u[i] + c;
    }
    for (size_t i = 0; i < n; ++i) block[i] += value[i];
  }
}

}  // namespace keltor
