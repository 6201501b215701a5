// The working copy rewritten with every range replaced in one pass.
#include <filesystem>
#include <system_error>

#include <algorithm>

#include "common/core/paths.h"
#include "keltor/core/workbench_file.h"

namespace keltor {

bool WorkbenchFile::SaveWorkbenchRanges(km::MessageSink& sink, std::span<km::RawRangeHeader> headers,
                                        std::span<const std::vector<float>> data) {
  const int count = static_cast<int>(headers.size());
  if (count < 1 || count != WorkingFile.Header.MeasuredRangeCount || data.size() != headers.size()) return false;
  if (WorkingCopyPath.empty() && !CreateWorkingCopy(sink)) return false;
  // The copy as it was comes back when a write fails half way.
  const std::string snapshot = km::MakeTempFileName("SCR");
  if (snapshot.empty() || !km::CopyFileTo(WorkingCopyPath, snapshot)) {
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", snapshot.empty() ? "SCR" : snapshot));
    if (!snapshot.empty()) km::DeleteFile(snapshot);
    return false;
  }
  const km::RawFileContext before = WorkingFile;
  StampWorkingHeader();
  // With no range on record the writer starts the file anew at range 1 and appends the rest.
  WorkingFile.Header.MeasuredRangeCount = 0;
  bool written = true;
  for (int i = 0; i < count && written; ++i) {
    km::RawRangeHeader& header = headers[static_cast<size_t>(i)];
    header.RangeFlags |= km::kFlagRewrittenByWorkbench;
    const std::vector<float>& values = data[static_cast<size_t>(i)];
    const size_t points = static_cast<size_t>(std::max<int>(0, header.PointCount));
    written = points <= values.size() &&
              km::WriteRawRange(sink, WorkingFile, i + 1, header, std::span<const float>(values).first(points), &ExtHeader);
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
