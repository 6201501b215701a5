// The working copy written anew with every range replaced in one pass.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "common/core/paths.h"
#include "common/core/raw_file_image.h"
#include "common/core/time_stamp.h"
#include "keltor/core/workbench_file.h"

namespace keltor {

namespace {

// Writes headers and data as a new working copy beside the old one; it takes the old one's place only
// when complete, so a failure leaves the working copy (or the opened file) as it was.
bool WriteFreshWorkingCopy(WorkbenchFile& file, km::MessageSink& sink, std::span<km::RawRangeHeader> headers,
                           std::span<const std::span<const float>> values) {
  const std::string path = km::MakeTempFileName("RAW");
  if (path.empty()) {
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", "RAW"));
    return false;
  }
  km::RawFileContext fresh = file.WorkingFile;
  fresh.Path = path;
  std::memcpy(fresh.Header.Magic, km::kRawMagic, sizeof fresh.Header.Magic);
  km::MakeTimeStamp(fresh.Header.ModificationTime);
  km::SetFieldText(fresh.Header.ModifierProgram, "KELTOR");
  if (!km::WriteRawFileImage(sink, fresh, file.ExtHeader, headers, values)) {
    km::DeleteFile(path);
    return false;
  }
  file.DeleteWorkingCopy();
  file.WorkingCopyPath = path;
  file.WorkingFile = fresh;
  return true;
}

// Reads every range of the file from one read of its bytes instead of opening it once a range;
// when the bytes cannot be had in one go, range by range, which shows why.
class EveryRangeReader {
 public:
  explicit EveryRangeReader(const WorkbenchFile& file) : file_(file), bytes_(file.ReadWorkbenchBytes()) {}
  bool Read(km::MessageSink& sink, int n, km::RawRangeHeader& header, std::span<float> data) const {
    return bytes_ ? file_.ParseWorkbenchRange(sink, *bytes_, n, header, data)
                  : file_.ReadWorkbenchRange(sink, n, header, data);
  }

 private:
  const WorkbenchFile& file_;
  std::optional<std::string> bytes_;
};

}  // namespace

bool WorkbenchFile::SaveWorkbenchRanges(km::MessageSink& sink, std::span<km::RawRangeHeader> headers,
                                        std::span<const std::vector<float>> data) {
  const int count = static_cast<int>(headers.size());
  if (count < 1 || count != WorkingFile.Header.MeasuredRangeCount || data.size() != headers.size()) return false;
  std::vector<std::span<const float>> values;
  for (size_t i = 0; i < headers.size(); ++i) {
    headers[i].RangeFlags |= km::kFlagRewrittenByWorkbench;
    values.push_back(data[i]);
  }
  return WriteFreshWorkingCopy(*this, sink, headers, values);
}

bool WorkbenchFile::ReadWorkbenchRanges(km::MessageSink& sink, std::vector<WholeRange>& ranges) const {
  ranges.clear();
  const int count = WorkingFile.MeasuredRanges;
  const EveryRangeReader reader(*this);
  for (int r = 1; r <= count; ++r) {
    WholeRange range{km::ZeroRangeHeader(), std::vector<float>(km::kWorkbenchMaxPoints), false};
    if (!reader.Read(sink, r, range.Header, range.Data)) return false;
    range.Data.resize(static_cast<size_t>(std::clamp<int>(range.Header.PointCount, 0, km::kWorkbenchMaxPoints)));
    ranges.push_back(std::move(range));
  }
  return true;
}

bool WorkbenchFile::SaveWorkbenchRanges(km::MessageSink& sink, std::span<WholeRange> ranges) {
  const int count = static_cast<int>(ranges.size());
  if (count < 1 || count != WorkingFile.Header.MeasuredRangeCount) return false;
  std::vector<km::RawRangeHeader> headers;
  std::vector<std::span<const float>> values;
  for (WholeRange& range : ranges) {
    // Only the ranges the command changed carry the workbench's mark.
    if (range.Changed) range.Header.RangeFlags |= km::kFlagRewrittenByWorkbench;
    const size_t points = std::min(range.Data.size(), static_cast<size_t>(std::max<int>(0, range.Header.PointCount)));
    headers.push_back(range.Header);
    values.push_back(std::span<const float>(range.Data).first(points));
  }
  if (!WriteFreshWorkingCopy(*this, sink, headers, values)) return false;
  for (size_t i = 0; i < ranges.size(); ++i) ranges[i].Header = headers[i];
  return true;
}

bool ReadAllWorkbenchRanges(const WorkbenchFile& file, km::MessageSink& sink, std::vector<km::RawRangeHeader>& headers,
                            std::vector<std::vector<float>>& data) {
  const int count = file.WorkingFile.MeasuredRanges;
  headers.assign(static_cast<size_t>(std::max(count, 0)), km::ZeroRangeHeader());
  data.assign(headers.size(), std::vector<float>(km::kWorkbenchMaxPoints));
  const EveryRangeReader reader(file);
  for (int n = 1; n <= count; ++n) {
    if (!reader.Read(sink, n, headers[n - 1], data[n - 1])) return false;
    data[n - 1].resize(static_cast<size_t>(std::max<int>(0, headers[n - 1].PointCount)));
  }
  return true;
}

bool ReplaceWorkbenchRange(WorkbenchFile& file, km::MessageSink& sink, int rangeNumber, km::RawRangeHeader& header,
                           std::span<const float> values) {
  std::vector<km::RawRangeHeader> headers;
  std::vector<std::vector<float>> data;
  if (!ReadAllWorkbenchRanges(file, sink, headers, data)) return false;
  if (rangeNumber < 1 || rangeNumber > static_cast<int>(headers.size())) {
    sink.ShowRangeError(rangeNumber);
    return false;
  }
  headers[static_cast<size_t>(rangeNumber - 1)] = header;
  data[static_cast<size_t>(rangeNumber - 1)].assign(values.begin(), values.end());
  if (!file.SaveWorkbenchRanges(sink, headers, data)) return false;
  header = headers[static_cast<size_t>(rangeNumber - 1)];
  return true;
}

}  // namespace keltor
