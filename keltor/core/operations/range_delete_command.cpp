// Ranges, Delete Range: the selected ranges leave the working copy, the others close up.
#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "keltor/core/operations/delete_ranges.h"
#include "keltor/core/operations/range_selection.h"
#include "keltor/core/workbench.h"

namespace keltor {

namespace {

// Larger than any raw data file: 8 ranges of 32767 points with their headers.
constexpr size_t kMaxRawFileBytes = 4u << 20;

// The compacted file replaces the working copy only once it is complete on the disk: it is written
// beside it and renamed over it, so a full disk never costs the ranges already there.
bool ReplaceWorkingCopy(km::MessageSink& sink, const std::string& workingCopy, const std::string& bytes) {
  const std::string fresh = km::MakeTempFileName("RAW");
  if (fresh.empty()) {
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", "RAW"));
    return false;
  }
  bool written = false;
  if (auto file = km::OpenFileReport(sink, fresh, km::OpenMode::Create, "Raw")) {
    written = file->WriteAt(0, bytes.data(), bytes.size());
    written = file->Close() && written;
  }
  std::error_code error;
  if (written) std::filesystem::rename(fresh, workingCopy, error);
  if (!written || error) {
    km::DeleteFile(fresh);
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", workingCopy));
    return false;
  }
  return true;
}

}  // namespace

bool Workbench::OnRangesDelete() {
  if (!File.HasUsableData() || File.WorkingFile.MeasuredRanges < 2) return false;
  const auto selection = SelectRanges(RangeSelectMode::Delete);
  if (!selection || selection->Ranges.empty()) return false;
  const int count = File.WorkingFile.MeasuredRanges;
  if (!CheckRangeSelection(ui_, RangeSelectMode::Delete, selection->Ranges, count)) return false;

  km::RawRangeHeader unused = km::ZeroRangeHeader();
  if (!File.SaveWorkbenchRange(ui_, -1, unused, {})) return false;
  auto bytes = km::ReadWholeFile(File.WorkingCopyPath, kMaxRawFileBytes);
  if (!bytes) {
    ui_.ShowError(km::FormatCatalog(km::msg::FileCannotBeOpened, "Raw", File.WorkingCopyPath));
    return false;
  }
  km::RawFileHeader header = File.WorkingFile.Header;
  if (!CompactRanges(*bytes, header, selection->Ranges)) {
    ui_.ShowError(km::FormatCatalog(km::msg::InvalidFormat, File.WorkingCopyPath));
    return false;
  }
  if (!ReplaceWorkingCopy(ui_, File.WorkingCopyPath, *bytes)) return false;

  File.WorkingFile.Header = header;
  File.WorkingFile.MeasuredRanges = header.MeasuredRangeCount;
  // The marks move with their ranges.
  std::array<bool, km::kMaxRanges> marks{};
  int k = 0;
  for (int n = 1; n <= count; ++n) {
    if (std::find(selection->Ranges.begin(), selection->Ranges.end(), n) != selection->Ranges.end()) continue;
    marks[static_cast<size_t>(k++)] = File.IsRangeModified(n);
  }
  File.RangeModified = marks;
  NotifyDataChanged();
  return true;
}

}  // namespace keltor
