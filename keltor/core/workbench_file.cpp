#include "keltor/core/workbench_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "common/core/time_stamp.h"

namespace keltor {

namespace {

// A raw data file that cannot be made or replaced is reported in the words of the suite's catalogue.
void ShowCannotCreate(km::MessageSink& sink, const std::string& path) {
  sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", path));
}

}  // namespace

bool WorkbenchFile::HasUsableData() const {
  return !DocumentPath.empty() && !WorkingFile.IsBeingMeasured && WorkingFile.MeasuredRanges >= 1 &&
         OpenedFile.Header.InstrumentInfoValid == 1;
}

void WorkbenchFile::SetRangeModified(int rangeNumber, bool modified) {
  if (rangeNumber >= 1 && rangeNumber <= km::kMaxRanges) RangeModified[rangeNumber - 1] = modified;
}

bool WorkbenchFile::IsRangeModified(int rangeNumber) const {
  return rangeNumber >= 1 && rangeNumber <= km::kMaxRanges && RangeModified[rangeNumber - 1];
}

bool WorkbenchFile::ReadWorkbenchHeader(km::MessageSink& sink, km::RawFileHeader& header,
                                        km::RawExtHeader* extHeader) const {
  if (IsModified) return km::ReadRawHeader(sink, WorkingCopyPath, header);
  return km::ReadRawHeader(sink, DocumentPath, header, extHeader);
}

bool WorkbenchFile::ReadWorkbenchRange(km::MessageSink& sink, int rangeNumber, km::RawRangeHeader& rangeHeader,
                                       std::span<float> data) const {
  km::RawFileContext context = IsModified ? WorkingFile : OpenedFile;
  if (IsModified) context.Path = WorkingCopyPath;
  return km::ReadRawRange(sink, context, rangeNumber, rangeHeader, data);
}

std::optional<std::string> WorkbenchFile::ReadWorkbenchBytes() const {
  // The largest file the block numbers of a header can address.
  constexpr size_t kLargestRawFile = size_t{32768} * km::kBlockSize;
  return km::ReadWholeFile(IsModified ? WorkingCopyPath : OpenedFile.Path, kLargestRawFile);
}

bool WorkbenchFile::ParseWorkbenchRange(km::MessageSink& sink, std::string_view bytes, int rangeNumber,
                                        km::RawRangeHeader& rangeHeader, std::span<float> data) const {
  km::RawFileContext context = IsModified ? WorkingFile : OpenedFile;
  if (IsModified) context.Path = WorkingCopyPath;
  context.CurrentRange = rangeNumber < 0 ? -rangeNumber : rangeNumber;
  context.IsBeingMeasured = false;
  const std::span<const uint8_t> file(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return km::ParseRawRange(sink, file, context, rangeNumber, rangeHeader, data);
}

bool WorkbenchFile::CreateWorkingCopy(km::MessageSink& sink) {
  const std::string path = km::MakeTempFileName("RAW");
  if (path.empty()) {
    ShowCannotCreate(sink, "RAW");
    return false;
  }
  if (!km::CopyFileTo(DocumentPath, path)) {
    ShowCannotCreate(sink, path);
    km::DeleteFile(path);
    return false;
  }
  km::ClearReadOnly(path);
  WorkingCopyPath = path;
  WorkingFile.Path = path;
  return true;
}

void WorkbenchFile::StampWorkingHeader() {
  km::RawFileHeader& h = WorkingFile.Header;
  std::memcpy(h.Magic, km::kRawMagic, sizeof h.Magic);
  km::MakeTimeStamp(h.ModificationTime);
  km::SetFieldText(h.ModifierProgram, "KELTOR");
}

bool WorkbenchFile::SaveWorkbenchRange(km::MessageSink& sink, int rangeNumber, km::RawRangeHeader& rangeHeader,
                                       std::span<const float> data) {
  const bool newCopy = WorkingCopyPath.empty();
  // Files older than version 6 keep some range fields elsewhere; once the working header says
  // "RAW_1.06" their range headers must be in the current layout too, or a save would lose them.
  const bool olderLayout = km::VersionDigit(OpenedFile.Header) < '6';
  // Range editing: one range replaced in one write of the whole working copy (made from the opened
  // file on the first change), where the file is in the current layout.
  if (rangeNumber > 0 && !olderLayout) {
    const km::RawFileHeader before = WorkingFile.Header;
    StampWorkingHeader();
    if (const auto spliced = SpliceIntoWorkingCopy(sink, rangeNumber, rangeHeader, data)) {
      if (!*spliced) WorkingFile.Header = before;
      return *spliced;
    }
    WorkingFile.Header = before;
  }
  if (newCopy && !CreateWorkingCopy(sink)) return false;
  StampWorkingHeader();
  if (rangeNumber == 0) return km::WriteRawRange(sink, WorkingFile, 0, rangeHeader, {}, &ExtHeader);
  if (rangeNumber < 0 && !(newCopy && olderLayout)) return true;
  return RewriteWithSnapshot(sink, std::max(rangeNumber, 0), rangeHeader, data);
}

bool WorkbenchFile::RewriteWithSnapshot(km::MessageSink& sink, int rangeNumber, km::RawRangeHeader& rangeHeader,
                                        std::span<const float> data) {
  const int rangeCount = WorkingFile.Header.MeasuredRangeCount;
  if (rangeCount < 1) return true;
  // The unchanged ranges are read from a snapshot; it also takes the working copy's place again when
  // a write fails, so that a full disk never costs the ranges already there.
  const std::string snapshot = km::MakeTempFileName("SCR");
  if (snapshot.empty()) {
    ShowCannotCreate(sink, "SCR");
    return false;
  }
  if (!km::CopyFileTo(WorkingCopyPath, snapshot)) {
    ShowCannotCreate(sink, snapshot);
    km::DeleteFile(snapshot);
    return false;
  }
  const km::RawFileContext before = WorkingFile;
  const bool written = RewriteWorkingCopy(sink, rangeNumber, rangeHeader, data, snapshot, rangeCount);
  if (written) {
    km::DeleteFile(snapshot);
    return true;
  }
  std::error_code error;
  std::filesystem::rename(snapshot, WorkingCopyPath, error);
  if (error) km::DeleteFile(snapshot);
  WorkingFile = before;
  return false;
}

bool WorkbenchFile::RewriteWorkingCopy(km::MessageSink& sink, int rangeNumber, km::RawRangeHeader& rangeHeader,
                                       std::span<const float> data, const std::string& snapshotPath,
                                       int rangeCount) {
  // With no range on record the writer starts the file anew at range 1 and appends the rest.
  WorkingFile.Header.MeasuredRangeCount = 0;
  km::RawFileContext snapshot = WorkingFile;
  snapshot.Path = snapshotPath;
  for (int i = 1; i <= rangeCount; ++i) {
    if (i == rangeNumber) {
      rangeHeader.RangeFlags |= km::kFlagRewrittenByWorkbench;
      if (!km::WriteRawRange(sink, WorkingFile, i, rangeHeader, data, &ExtHeader)) return false;
      continue;
    }
    km::RawRangeHeader kept = km::ZeroRangeHeader();
    if (!km::ReadRawRange(sink, snapshot, i, kept, ScratchRangeData)) return false;
    const auto points = std::span<const float>(ScratchRangeData).first(
        static_cast<size_t>(std::max<int>(0, std::min<int>(kept.PointCount, km::kWorkbenchMaxPoints))));
    if (!km::WriteRawRange(sink, WorkingFile, i, kept, points, &ExtHeader)) return false;
  }
  return true;
}

bool WorkbenchFile::QuerySaveChanges(km::MessageSink& sink) {
  if (!IsModified) return false;
  if (sink.AskYesNo("File has been modified. Do you wish to save the changes ?")) return true;
  // The changes are dropped for good: a working copy kept for reuse would bring them back with the
  // next change, and the working header would go on showing them.
  DropChanges();
  return false;
}

bool WorkbenchFile::CommitSave(km::MessageSink& sink) {
  if (SaveAsPath.empty() || !IsModified) return false;
  // The working header carries header-only changes; it goes into the working copy first, so that
  // the target is replaced in one step by a complete file (the copy is made beside the target and
  // renamed over it), and a failure anywhere leaves the user's file as it was.
  {
    auto file = km::OpenFileReport(sink, WorkingCopyPath, km::OpenMode::ReadWrite, "Raw");
    if (!file) return false;
    const bool written = file->WriteAt(0, &WorkingFile.Header, sizeof WorkingFile.Header);
    if (!file->Close() || !written) {
      ShowCannotCreate(sink, SaveAsPath);
      return false;
    }
  }
  if (!km::CopyFileTo(WorkingCopyPath, SaveAsPath)) {
    ShowCannotCreate(sink, SaveAsPath);
    return false;
  }
  // The workbench goes on with the file it had open, as it is on disk.
  DropChanges();
  return true;
}

void WorkbenchFile::DropChanges() {
  DeleteWorkingCopy();
  WorkingFile = OpenedFile;
  IsModified = false;
  ClearRangeModified();
}

void WorkbenchFile::DeleteWorkingCopy() {
  if (WorkingCopyPath.empty()) return;
  if (km::FileTest(WorkingCopyPath, km::kFileMustExist)) km::DeleteFile(WorkingCopyPath);
  WorkingCopyPath.clear();
}

}  // namespace keltor
