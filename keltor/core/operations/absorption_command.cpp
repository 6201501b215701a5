// Operations > Absorption Correction: the parameter asked for, every range corrected and marked, the
// value kept in the file header. All ranges are corrected in memory first and written in one rewrite,
// so that a refusal or a failed write leaves the working file as it was.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "common/core/dialog_fields.h"
#include "common/core/text.h"
#include "keltor/core/operations/absorption_correction.h"
#include "keltor/core/operations/scan_axis.h"
#include "keltor/core/workbench.h"

namespace keltor {

namespace {

std::string ScanModeText(int scanMode) {
  if (const auto name = km::ScanModeName(scanMode)) return std::string(*name);
  return std::to_string(scanMode);
}

}  // namespace

bool Workbench::OnOperationsAbsorption() {
  if (!File.HasUsableData()) return false;
  km::RawFileHeader& header = File.WorkingFile.Header;
  if (IsOmegaScan(header)) {
    ui_.ShowError("Omega scans cannot be corrected for absorption.");
    return false;
  }
  const int mode = header.ScanMode;
  if (!HasAbsorptionFormula(mode)) {
    ui_.ShowError("No absorption correction is defined for the scan mode of this file ( " + ScanModeText(mode) + " ).");
    return false;
  }
  const AbsorptionParameter parameter = AbsorptionParameterOf(mode);

  // A correction applied before is refused whichever range carries its mark: after a merge the marked
  // ranges need not be the first.
  if (header.AbsorptionValue > 0.0f) {
    for (int r = 1; r <= File.WorkingFile.MeasuredRanges; ++r) {
      km::RawRangeHeader rangeHeader = km::ZeroRangeHeader();
      if (!File.ReadWorkbenchRange(ui_, -r, rangeHeader, {})) return false;
      if ((rangeHeader.RangeFlags & km::kFlagAbsorptionCorrected) == 0) continue;
      char text[160];
      std::snprintf(text, sizeof text, "Absorption correction already applied ( %.*s = %6.3f )",
                    static_cast<int>(parameter.Name.size()), parameter.Name.data(),
                    static_cast<double>(header.AbsorptionValue));
      std::string message = text;
      km::TrimAndNormalize(message);
      ui_.ShowError(message);
      return false;
    }
  }

  AbsorptionRequest request;
  request.ScanMode = mode;
  request.Label = std::string(parameter.Label);
  request.Value = std::isfinite(header.AbsorptionValue) ? header.AbsorptionValue : 0.0f;
  request.Maximum = parameter.Maximum;
  const std::optional<float> entered = ui_.ChooseAbsorptionValue(request);
  if (!entered) return false;
  const float value = *entered;
  // The dialog refuses such a value itself; a caller without the dialog (the command line) hears the
  // dialog's words as an error.
  if (!(value >= 0.0f && value <= parameter.Maximum)) {
    ui_.ShowError(km::InvalidDataText(0.0f, parameter.Maximum));
    return false;
  }
  if (value == 0.0f) return false;

  AbsorptionFormula formula = AbsorptionFormula::Reflection(value);
  if (mode == kScanModeTransmission) {
    formula = AbsorptionFormula::Transmission(value);
  } else if (mode == kScanModeDebyeScherrer) {
    ThetaFactorSpline spline;
    if (!LoadCylinderAbsorptionTable(ui_, State.ProgramDirectory, value, spline)) return false;
    formula = AbsorptionFormula::Cylinder(spline);
  }

  std::vector<WorkbenchFile::WholeRange> ranges;
  if (!File.ReadWorkbenchRanges(ui_, ranges)) return false;
  for (size_t i = 0; i < ranges.size(); ++i) {
    auto& range = ranges[i];
    if (const auto failedAt = CorrectRangeForAbsorption(formula, range.Header, range.Data)) {
      char text[200];
      std::snprintf(text, sizeof text,
                    "The absorption correction gives an intensity that cannot be stored at 2Theta = %.3f "
                    "(range %d).\nNo range has been changed.",
                    *failedAt, static_cast<int>(i) + 1);
      ui_.ShowError(text);
      return false;
    }
    range.Changed = true;
  }

  const float before = header.AbsorptionValue;
  header.AbsorptionValue = value;
  if (!File.SaveWorkbenchRanges(ui_, ranges)) {
    File.WorkingFile.Header.AbsorptionValue = before;
    return false;
  }
  for (size_t i = 0; i < ranges.size(); ++i) File.SetRangeModified(static_cast<int>(i) + 1);
  NotifyDataChanged();
  return true;
}

}  // namespace keltor
