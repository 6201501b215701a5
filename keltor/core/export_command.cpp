// File > Export: the export dialog's rules (Browse, the range choice, the existence question) and the
// run that writes one range of the open file in a foreign format. The raw data file is never changed.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "common/core/text.h"
#include "keltor/core/workbench.h"

namespace keltor {
bool Workbench::OnExport() {
  if (!File.HasUsableData()) return false;
  ExportSettings& settings = State.Export;
  if (settings.FileName.empty()) {
    // The proposal lies beside the raw data file, where the user last worked.
    settings.FileName = km::JoinPath(State.WorkDirectory, DefaultExportName(File.DocumentPath, settings.Format));
  }

  ExportDialogRequest request;
  request.Values = ExportDialogValues::FromSettings(settings);
  request.Browse = [this](ExportDialogValues& values) {
    const ExportFormatInfo* info = ExportFormatOf(values.Format);
    if (!info) return;
    const auto path = ui_.ChooseSaveFile({.DefaultExtension = std::string(info->Extension),
                                          .ProposedName = values.FileName,
                                          .Filter = ExportFileFilter(values.Format),
                                          .InitialDirectory = State.WorkDirectory,
                                          .FilterIndex = 1,
                                          .FilterCount = 1,
                                          .NoExtensionInName = false,
                                          .ConfirmOverwrite = false});
    if (!path) return;
    values.FileName = *path;
    State.WorkDirectory = km::DirectoryOf(*path);
  };
  request.Accept = [this](ExportDialogValues& values) {
    if (values.FileName.empty()) {
      ui_.ShowWarning("Please enter the name of the output file.");
      return ExportDialogOutcome::StayOpen;
    }
    // A bare name typed into the field lands in the working directory, not wherever the program
    // happened to be started.
    if (km::DirectoryOf(values.FileName).empty() && !State.WorkDirectory.empty()) {
      values.FileName = km::JoinPath(State.WorkDirectory, values.FileName);
    }
    if (File.WorkingFile.Header.MeasuredRangeCount == 1) {
      values.RangeNumber = 1;
    } else {
      const auto selection = SelectRanges(RangeSelectMode::Export);
      if (!selection || selection->Ranges.empty()) return ExportDialogOutcome::Cancel;
      if (selection->Ranges.size() > 1) {
        ui_.ShowWarning("Please select only one range.");
        return ExportDialogOutcome::StayOpen;
      }
      values.RangeNumber = selection->Ranges.front();
    }
    // Text written over the raw data file would destroy the measurement the workbench promises
    // never to change.
    if (km::SameFile(values.FileName, File.DocumentPath) || km::SameFile(values.FileName, File.WorkingCopyPath)) {
      ui_.ShowError(km::Printf("The export cannot replace the raw data file it reads:\n\n%s", values.FileName.c_str()));
      return ExportDialogOutcome::StayOpen;
    }
    if (km::FileTest(values.FileName, km::kFileMustExist) &&
        !ui_.AskYesNo(km::Printf("File already exists :\n\n%s\n\nDo you wish to overwrite it ?", values.FileName.c_str()),
                      true)) {
      return ExportDialogOutcome::StayOpen;
    }
    return ExportDialogOutcome::Accept;
  };

  const auto chosen = ui_.ChooseExport(request);
  if (!chosen) return false;
  settings.Format = chosen->Format;
  settings.CountsPerSecond = chosen->CountsPerSecond;
  settings.NoNegativeIntensities = chosen->NoNegative;
  settings.FileName = chosen->FileName;
  return RunExport(*chosen);
}

bool Workbench::RunExport(const ExportDialogValues& values) {
  const ExportFormatInfo* info = ExportFormatOf(values.Format);
  if (!info) return false;
  WaitCursor wait(ui_);
  ExportRange range;
  range.File = File.WorkingFile.Header;
  range.DocumentPath = File.DocumentPath;
  range.OutputPath = values.FileName;
  range.Today = ExportDateToday();
  std::vector<float> data(km::kWorkbenchMaxPoints);
  if (!File.ReadWorkbenchRange(ui_, values.RangeNumber, range.Range, data)) return false;
  const int points = range.Range.PointCount;
  if (points < 1 || points > km::kWorkbenchMaxPoints) {
    ui_.ShowRangeError(values.RangeNumber);
    return false;
  }
  range.Values.assign(data.begin(), data.begin() + points);
  if (!PrepareExportValues(ui_, values.RangeNumber, values.NoNegative, values.CountsPerSecond, range)) return false;
  return WriteExportFile(ui_, values.FileName, WriteExport(static_cast<ExportFormat>(values.Format), range));
}

}  // namespace keltor
