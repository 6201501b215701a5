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
  // The working copy exists, in the current layout, with a stamped header.
  km::RawRangeHeader unused = km::ZeroRangeHeader();
  if (!SaveWorkbenchRange(sink, -1, unused, {})) return false;
  if (ranges.empty()) return true;
  // The snapshot takes the working copy's place again when a write fails, so that a full disk never
  // costs the ranges already there.
  const std::string snapshot = km::MakeTempFileName("SCR");
  if (snapshot.empty() || !km::CopyFileTo(WorkingCopyPath, snapshot)) {
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", snapshot.empty() ? "SCR" : snapshot));
    if (!snapshot.empty()) km::DeleteFile(snapshot);
    return false;
  }
  const km::RawFileContext before = WorkingFile;
  // With no range on record the writer starts the file anew at range 1 and appends the rest.
  WorkingFile.Header.MeasuredRangeCount = 0;
  bool written = true;
  for (size_t i = 0; written && i < ranges.size(); ++i) {
    WholeRange& range = ranges[i];
    if (range.Changed) range.Header.RangeFlags |= km::kFlagRewrittenByWorkbench;
    const size_t points = std::min(range.Data.size(), static_cast<size_t>(std::max<int>(0, range.Header.PointCount)));
    written = km::WriteRawRange(sink, WorkingFile, static_cast<int>(i) + 1, range.Header,
                                std::span<const float>(range.Data).first(points), &ExtHeader);
  }
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

}  // namespace keltor
