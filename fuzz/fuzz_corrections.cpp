// The corrections over arbitrary headers, data and parameters: the cylinder table and calibration
// record readers, the absorption formulas and the angle correction of one range. Input: a range
// header (512 bytes), a 16-bit angle resolution, an order byte, six coefficients, a parameter, then
// intensities; the whole input is also read as a table and as a calibration record.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "keltor/core/operations/absorption_correction.h"
#include "keltor/core/operations/angle_correction.h"
#include "keltor/core/operations/calibration_record.h"
#include "keltor/core/operations/cylinder_absorption_table.h"

namespace {

template <typename T>
T Take(const uint8_t*& at, const uint8_t* end) {
  T value{};
  const size_t n = std::min<size_t>(sizeof value, static_cast<size_t>(end - at));
  std::memcpy(&value, at, n);
  at += n;
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::span<const uint8_t> input(bytes, size);
  keltor::CylinderAbsorptionTable table;
  const bool tableRead = keltor::ParseCylinderAbsorptionTable(input, table) == keltor::CylinderTableFault::None;
  const keltor::CalibrationRecord calibration = keltor::ParseCalibrationRecord(input);

  const uint8_t* at = bytes;
  const uint8_t* end = bytes + size;
  auto header = Take<km::RawRangeHeader>(at, end);
  const auto resolution = Take<int16_t>(at, end);
  const auto order = Take<uint8_t>(at, end);
  keltor::AngleDelta delta;
  delta.Order = order % 8 - 1;  // also orders the records refuse
  for (double& c : delta.Coefficients) c = Take<float>(at, end);
  const auto parameter = Take<float>(at, end);
  std::vector<float> data(km::kWorkbenchMaxPoints, 0.0f);
  std::memcpy(data.data(), at, std::min<size_t>(static_cast<size_t>(end - at), data.size() * sizeof(float)));

  std::vector<float> out;
  for (const bool omega : {false, true}) {
    km::RawRangeHeader h = header;
    keltor::CorrectRangeAngles(delta, resolution, omega, h, data, out);
    if (calibration.Found) keltor::CorrectRangeAngles(keltor::AngleDelta::Stored(calibration), resolution, omega, h, data, out);
  }
  std::vector<keltor::AbsorptionFormula> formulas{keltor::AbsorptionFormula::Transmission(parameter),
                                                  keltor::AbsorptionFormula::Reflection(parameter)};
  if (tableRead && keltor::TableCoversMuR(table, parameter))
    formulas.push_back(keltor::AbsorptionFormula::Cylinder(keltor::SplineAtMuR(table, parameter)));
  for (const auto& formula : formulas) {
    km::RawRangeHeader h = header;
    std::vector<float> copy = data;
    keltor::CorrectRangeForAbsorption(formula, h, copy);
  }
  return 0;
}
