#include <string>

#include "common/core/paths.h"
#include "keltor/core/workbench.h"

namespace keltor {

bool Workbench::LoadWorkbenchFile(const std::string& path) {
  File.SaveAsPath.clear();
  File.ClearRangeModified();
  File.IsModified = false;
  File.WorkingFile = km::RawFileContext{};
  File.DeleteWorkingCopy();

  File.OpenedFile = km::RawFileContext{};
  File.OpenedFile.Path = path;
  if (!km::ReadRawHeader(ui_, path, File.OpenedFile.Header, &File.ExtHeader)) {
    File.OpenedFile = km::RawFileContext{};
    File.ExtHeader = km::RawExtHeader{};
    File.DocumentPath.clear();
    return false;
  }
  km::RawFileContext& opened = File.OpenedFile;
  opened.MeasuredRanges = opened.Header.MeasuredRangeCount;
  opened.IsBeingMeasured = opened.Header.RangeInMeasurement != 0;
  File.WorkingFile = opened;
  ResetFrameForFile();

  if (opened.Header.TotalPointCount < 1) {
    ui_.ShowCatalogMessage(km::msg::NoData);
    // The file stays open with no ranges, so that no data command offers itself.
    for (km::RawFileContext* context : {&File.OpenedFile, &File.WorkingFile}) {
      context->Header.MeasuredRangeCount = 0;
      context->MeasuredRanges = 0;
    }
  } else {
    observer_.OnInitialUpdate();
    if (opened.IsBeingMeasured) {
      ui_.ShowError("This file is currently being measured.");
      File.DocumentPath.clear();
      return false;
    }
  }
  State.WorkDirectory = km::DirectoryOf(path);
  AddRecentFile(path, false);
  return true;
}

void Workbench::ResetFrameForFile() {
  State.ListFilePath.clear();
  State.Export.FileName.clear();  // the next export proposes a name after the new file
  if (File.DocumentPath.empty()) {
    State.ListLines.clear();
    observer_.OnListChanged();
  } else {
    BuildListFile();
  }
  observer_.OnDisplayReset();
}

}  // namespace keltor
