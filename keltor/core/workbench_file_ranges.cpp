#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "keltor/core/workbench_file.h"

namespace keltor {

bool WorkbenchFile::ReadWorkbenchRanges(km::MessageSink& sink, std::vector<WholeRange>& ranges) const {
  ranges.clear();
  const int count = WorkingFile.MeasuredRanges;
  for (int r = 1; r <= count; ++r) {
    WholeRange range{km::ZeroRangeHeader(), std::vector<float>(km::kWorkbenchMaxPoints), false};
    if (!ReadWorkbenchRange(sink, r, range.Header, range.Data)) return false;
    range.Data.resize(static_cast<size_t>(std::clamp<int>(range.Header.PointCount, 0, km::kWorkbenchMaxPoints)));
    ranges.push_back(std::move(range));
  }
  return true;
}

bool WorkbenchFile::SaveWorkbenchRanges(km::MessageSink& sink, std::span<WholeRange> ranges) {
  // The new working copy is written beside the old one and takes its place only when complete, so
  // that a full disk never costs the ranges already there; the first change needs no copy of the
  // opened file, as every range is written anew.
  const std::string fresh = km::MakeTempFileName("RAW");
  if (fresh.empty()) {
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", "RAW"));
    return false;
  }
  const km::RawFileContext before = WorkingFile;
  StampWorkingHeader();
  km::RawFileContext written = WorkingFile;
  written.Path = fresh;
  // With no range on record the writer starts the file anew at range 1 and appends the rest.
  written.Header.MeasuredRangeCount = 0;
  bool ok = true;
  if (ranges.empty()) {
    km::RawRangeHeader none = km::ZeroRangeHeader();
    ok = km::WriteRawRange(sink, written, 0, none, {}, &ExtHeader);
  }
  for (size_t i = 0; ok && i < ranges.size(); ++i) {
    WholeRange& range = ranges[i];
    if (range.Changed) range.Header.RangeFlags |= km::kFlagRewrittenByWorkbench;
    const size_t points = std::min(range.Data.size(), static_cast<size_t>(std::max<int>(0, range.Header.PointCount)));
    ok = km::WriteRawRange(sink, written, static_cast<int>(i) + 1, range.Header,
                           std::span<const float>(range.Data).first(points), &ExtHeader);
  }
  if (ok && !WorkingCopyPath.empty()) {
    std::error_code error;
    std::filesystem::rename(fresh, WorkingCopyPath, error);
    if (error) {
      sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", WorkingCopyPath));
      ok = false;
    }
  }
  if (!ok) {
    km::DeleteFile(fresh);
    WorkingFile = before;
    return false;
  }
  if (WorkingCopyPath.empty()) WorkingCopyPath = fresh;
  written.Path = WorkingCopyPath;
  WorkingFile = written;
  return true;
}

}  // namespace keltor
