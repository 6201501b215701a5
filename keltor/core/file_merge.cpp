#include <algorithm>
#include <string>
#include <vector>

#include "common/core/paths.h"
#include "common/core/text.h"
#include "keltor/core/compatible_header.h"
#include "keltor/core/workbench.h"

namespace keltor {

namespace {

void SetWorkingRangeCount(WorkbenchFile& file, int count) {
  file.WorkingFile.Header.MeasuredRangeCount = static_cast<int16_t>(count);
  file.WorkingFile.MeasuredRanges = count;
}

// A file that a measuring program is still writing has an incomplete last range.
void ShowSkippedBeingMeasured(km::MessageSink& sink, const std::string& path) {
  sink.ShowError(km::Printf("file %s is currently being measured\n the file will be skiped",
                            km::FileNameOf(path).c_str()));
}

}  // namespace

void Workbench::OnFileMerge() {
  OpenFileRequest request;
  request.Title = " choose file(s) to be merged";
  request.DefaultExtension = "raw";
  request.Filter = "Raw Data Files (*.raw; *.r*)|*.raw; *.r*|All Files (*.*)|*.*||";
  request.NameBufferSize = 2080;
  const auto paths = ui_.ChooseOpenFiles(request);
  if (!paths) return;

  const bool newFile = File.DocumentPath.empty();
  // With no file open a working copy left behind belongs to nothing; the first file starts a new one.
  if (newFile) File.DeleteWorkingCopy();
  int rangeCount = newFile ? 0 : File.WorkingFile.MeasuredRanges;
  int pieces = 0;
  bool merged = false;
  for (const std::string& path : *paths) {
    if (path == File.DocumentPath) {
      ui_.ShowWarning(km::Printf("%s : can't merge into myself !", path.c_str()));
      continue;
    }
    if (File.DocumentPath.empty()) {
      merged = TakeFirstMergeFile(path, rangeCount, pieces) || merged;
    } else {
      merged = MergeIntoWorkingFile(path, rangeCount, pieces) || merged;
    }
  }
  SetWorkingRangeCount(File, rangeCount);

  if (!newFile) {
    if (merged) {
      File.IsModified = true;
      BuildListFile();
      observer_.OnDataChanged();
    }
    return;
  }
  FinishNewMergedFile(pieces, rangeCount);
}

bool Workbench::TakeFirstMergeFile(const std::string& path, int& rangeCount, int& pieces) {
  File.OpenedFile = km::RawFileContext{};
  File.OpenedFile.Path = path;
  // The extension header of the first file is carried into the merged file.
  if (!km::ReadRawHeader(ui_, path, File.OpenedFile.Header, &File.ExtHeader)) return false;
  const km::RawFileHeader& header = File.OpenedFile.Header;
  if (header.MeasuredRangeCount < 1) {
    ui_.ShowError(km::Printf("file %s contains no data\n the file will be skiped", km::FileNameOf(path).c_str()));
    return false;
  }
  if (header.RangeInMeasurement != 0) {
    ShowSkippedBeingMeasured(ui_, path);
    return false;
  }
  File.OpenedFile.MeasuredRanges = header.MeasuredRangeCount;
  File.WorkingFile = File.OpenedFile;
  File.DocumentPath = path;
  rangeCount = header.MeasuredRangeCount;
  km::RawRangeHeader unused = km::ZeroRangeHeader();
  if (File.SaveWorkbenchRange(ui_, -1, unused, {})) ++pieces;
  return true;
}

bool Workbench::MergeIntoWorkingFile(const std::string& path, int& rangeCount, int& pieces) {
  km::RawFileContext source;
  source.Path = path;
  // A file whose header cannot be read is skipped; the reader has said why.
  if (!km::ReadRawHeader(ui_, path, source.Header)) return false;
  if (!IsCompatibleHeader(File.WorkingFile.Header, source.Header)) {
    ui_.ShowError(km::Printf("%s is not compatible with preceding files\n the file will be skiped",
                             km::FileNameOf(path).c_str()));
    return false;
  }
  if (source.Header.RangeInMeasurement != 0) {
    ShowSkippedBeingMeasured(ui_, path);
    return false;
  }
  int take = source.Header.MeasuredRangeCount;
  if (rangeCount + take > km::kMaxRanges) {
    ui_.ShowWarning(" to many ranges (max. 8!) \n not all ranges will be merge!");
    take = km::kMaxRanges - rangeCount;
  }
  std::vector<float> data(km::kWorkbenchMaxPoints);
  for (int i = 1; i <= take; ++i) {
    km::RawRangeHeader rangeHeader = km::ZeroRangeHeader();
    if (!km::ReadRawRange(ui_, source, i, rangeHeader, data)) break;
    SetWorkingRangeCount(File, rangeCount + 1);
    const auto points = std::span<const float>(data).first(
        static_cast<size_t>(std::clamp<int>(rangeHeader.PointCount, 0, km::kWorkbenchMaxPoints)));
    if (!File.SaveWorkbenchRange(ui_, rangeCount + 1, rangeHeader, points)) {
      // The working copy is as it was before this range; so is its count.
      SetWorkingRangeCount(File, rangeCount);
      break;
    }
    ++rangeCount;
    ++pieces;
  }
  return true;
}

void Workbench::FinishNewMergedFile(int pieces, int rangeCount) {
  if (pieces < 2) {
    ui_.ShowError("there was only one file to merge!\n i will do nothing");
    File.DocumentPath.clear();
    File.DeleteWorkingCopy();
    return;
  }
  if (!ChooseSavePath()) {
    File.DocumentPath.clear();
    File.DeleteWorkingCopy();
    return;
  }
  const std::string target = File.SaveAsPath;
  if (!km::CopyFileTo(File.WorkingCopyPath, target)) {
    ui_.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", target));
    File.DocumentPath.clear();
    File.DeleteWorkingCopy();
    return;
  }
  File.DocumentPath = target;
  File.OpenedFile.Path = target;
  if (!km::ReadRawHeader(ui_, target, File.OpenedFile.Header)) {
    File.DocumentPath.clear();
    File.DeleteWorkingCopy();
    ResetFrameForFile();
    observer_.OnFileChanged();
    return;
  }
  File.OpenedFile.MeasuredRanges = rangeCount;
  File.WorkingFile.IsBeingMeasured = false;
  ResetFrameForFile();
  observer_.OnFileChanged();
}

}  // namespace keltor
