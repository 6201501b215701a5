// Operations > Angle Correction: the stored calibration polynomial of the user's profile or a typed
// line a + b * angle/180 shifts the angles of every range, which is then resampled onto its step grid.
// Ranges the correction would carry past 180 degrees or turn round are skipped with a message; the
// others are corrected in memory and written in one rewrite.
#include <cstdio>
#include <string>
#include <vector>

#include "common/core/user_profile.h"
#include "keltor/core/operations/angle_correction.h"
#include "keltor/core/operations/calibration_record.h"
#include "keltor/core/operations/scan_axis.h"
#include "keltor/core/workbench.h"

namespace keltor {

namespace {

CalibrationRecord ReadCalibration(km::MessageSink& sink, const std::string& profilePath) {
  if (profilePath.empty()) return {};
  std::vector<uint8_t> bytes(kCalibrationRecordBytes, 0);
  std::vector<std::string> texts;
  if (!km::ReadUserSection(sink, profilePath, nullptr, km::kCalibrationSectionId, texts, bytes)) return {};
  return ParseCalibrationRecord(bytes);
}

AngleCorrectionRequest DialogRequest(const CalibrationRecord& calibration, bool omegaScan, const float line[2]) {
  AngleCorrectionRequest request;
  request.PolynomialFound = calibration.Found;
  request.AxisName = std::string(ScanAxisName(omegaScan));
  request.A = line[0];
  request.B = line[1];
  if (calibration.Found) {
    char text[120];
    std::snprintf(text, sizeof text, " the stored polynomial is of order %i", calibration.Order);
    request.OrderText = text;
    std::snprintf(text, sizeof text, " calculated for the 2 theta range: %7.2f - %7.2f ",
                  static_cast<double>(calibration.RangeLow), static_cast<double>(calibration.RangeHigh));
    request.RangeText = text;
  } else {
    request.OrderText = " ";
    request.RangeText = "no calibration polynomial found in user file ";
  }
  return request;
}

}  // namespace

bool Workbench::OnOperationsAngleCorrection(const std::string& userProfilePath) {
  if (!File.HasUsableData()) return false;
  const km::RawFileHeader& header = File.WorkingFile.Header;
  // The limits are put on the goniometer's grid of AngleResolution steps per degree; without one
  // there is no grid to put them on.
  const int resolution = header.AngleResolution;
  if (resolution <= 0) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "The angle resolution of this file ( %d ) is not usable: the angle correction puts the ranges "
                  "on the goniometer's grid of steps per degree.",
                  resolution);
    ui_.ShowError(text);
    return false;
  }
  const bool omegaScan = IsOmegaScan(header);

  const CalibrationRecord calibration = ReadCalibration(ui_, userProfilePath);
  const auto choice =
      ui_.ChooseAngleCorrection(DialogRequest(calibration, omegaScan, State.Settings.AngleCorrectionSettings));
  if (!choice) return false;
  AngleDelta delta;
  if (choice->UseStoredPolynomial && calibration.Found) {
    delta = AngleDelta::Stored(calibration);
  } else {
    State.Settings.AngleCorrectionSettings[0] = choice->A;
    State.Settings.AngleCorrectionSettings[1] = choice->B;
    delta = AngleDelta::Line(choice->A, choice->B);
  }

  std::vector<WorkbenchFile::WholeRange> ranges;
  if (!File.ReadWorkbenchRanges(ui_, ranges)) return false;
  std::vector<int> corrected;
  std::vector<float> resampled;
  for (size_t i = 0; i < ranges.size(); ++i) {
    auto& range = ranges[i];
    const AngleRangeOutcome outcome =
        CorrectRangeAngles(delta, resolution, omegaScan, range.Header, range.Data, resampled);
    if (outcome != AngleRangeOutcome::Corrected) {
      ui_.ShowError(AngleRangeSkipText(outcome));
      continue;
    }
    range.Data.swap(resampled);
    range.Changed = true;
    corrected.push_back(static_cast<int>(i) + 1);
  }
  if (corrected.empty()) return false;
  if (!File.SaveWorkbenchRanges(ui_, ranges)) return false;
  for (const int r : corrected) File.SetRangeModified(r);
  NotifyDataChanged();
  return true;
}

}  // namespace keltor
