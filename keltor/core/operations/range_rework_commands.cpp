// Alpha2 Stripping and Add Points: the Operations menu commands that rework every range of the
// working file.
#include <string>
#include <vector>

#include "common/core/text.h"
#include "keltor/core/operations/add_points.h"
#include "keltor/core/operations/alpha2_stripping.h"
#include "keltor/core/workbench.h"

namespace keltor {


bool Workbench::CanStripAlpha2() const {
  return File.HasUsableData() && Alpha2StrippingOffered(File.WorkingFile.Header);
}

bool Workbench::OnOperationsAlpha2Stripping() {
  if (!File.HasUsableData()) return false;
  const km::RawFileHeader& header = File.WorkingFile.Header;
  if (!CheckAlpha2Stripping(ui_, header)) return false;
  const double ratio = static_cast<double>(header.WavelengthAlpha1) / header.WavelengthAlpha2;
  WaitCursor wait(ui_);
  std::vector<km::RawRangeHeader> headers;
  std::vector<std::vector<float>> data;
  if (!ReadAllWorkbenchRanges(File, ui_, headers, data)) return false;
  for (size_t i = 0; i < headers.size(); ++i) {
    if (!(headers[i].TwoThetaStep > 0)) {
      ui_.ShowError(km::Printf("Alpha2-Stripping not possible: the 2Theta step of range %d is not above 0.",
                               static_cast<int>(i) + 1));
      return false;
    }
  }
  for (size_t i = 0; i < headers.size(); ++i) StripAlpha2(headers[i], data[i], ratio);
  if (!File.SaveWorkbenchRanges(ui_, headers, data)) return false;
  return FinishRangeChange(0);
}

bool Workbench::OnOperationsAddPoints() {
  if (!File.HasUsableData()) return false;
  const auto count =
      ui_.EditAddPointsCount(State.AddPointsCount, [this](const int& k) { return CheckAddPointsCount(ui_, k) ? 0 : kAddPointsEdit; });
  if (!count) return false;
  const int k = *count;
  State.AddPointsCount = k;
  WaitCursor wait(ui_);
  std::vector<km::RawRangeHeader> headers;
  std::vector<std::vector<float>> data;
  if (!ReadAllWorkbenchRanges(File, ui_, headers, data)) return false;
  // A range shorter than a group would be left without points, which no reader accepts: the whole
  // command is refused before anything changes.
  for (size_t i = 0; i < headers.size(); ++i) {
    if (headers[i].PointCount < k) {
      ui_.ShowError(km::Printf("Range %d has only %d points: %d points cannot be added.", static_cast<int>(i) + 1,
                               static_cast<int>(headers[i].PointCount), k));
      return false;
    }
  }
  for (size_t i = 0; i < headers.size(); ++i) {
    const int m = AddPoints(headers[i], data[i], k);
    data[i].resize(static_cast<size_t>(m));
  }
  if (!File.SaveWorkbenchRanges(ui_, headers, data)) return false;
  return FinishRangeChange(0);
}

}  // namespace keltor
