// Replacing one range of the working copy in a single write: the new working copy is put together
// from the range, encoded as the raw data writer encodes it, and the other ranges' blocks as they are,
// written beside the working copy and renamed over it.
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "keltor/core/workbench_file.h"

namespace keltor {

namespace {

// Larger than any raw data file: 8 ranges of 32767 points with their headers.
constexpr size_t kMaxRawFileBytes = 4u << 20;
constexpr size_t kBlock = km::kBlockSize;

// Blocks [block, block + count) of a file's bytes, or nothing when they are not all there.
std::optional<std::string_view> Blocks(const std::string& bytes, long block, long count) {
  if (block < 1 || count < 1 || static_cast<size_t>(block - 1 + count) * kBlock > bytes.size()) return std::nullopt;
  return std::string_view(bytes).substr(static_cast<size_t>(block - 1) * kBlock, static_cast<size_t>(count) * kBlock);
}

}  // namespace

// The range's header block and data blocks as the raw data writer lays them out: 16-bit counts when
// the extremes (and every count) fit, else 32-bit; a scale factor of 0 stands for 1.
std::string EncodeRange(km::RawRangeHeader& header, std::span<const float> data) {
  const auto values = data.first(static_cast<size_t>(header.PointCount));
  header.DataFormat = static_cast<int16_t>(km::ChooseDataFormat(header.MinIntensity, header.MaxIntensity));
  if (header.ScaleFactor == 0) header.ScaleFactor = 1;
  if (header.DataFormat == 1) {
    const double s = header.ScaleFactor > 1 ? header.ScaleFactor : 1.0;
    for (float v : values) {
      const int32_t stored = km::RoundToCount(static_cast<double>(v) * s);
      if (stored < -32768 || stored > 32767) {
        header.DataFormat = 0;
        break;
      }
    }
  }
  std::string blocks(kBlock, '\0');
  std::memcpy(blocks.data(), &header, sizeof header);
  blocks += km::EncodeRangeData(values, header.DataFormat, header.ScaleFactor);
  return blocks;
}

std::optional<bool> WorkbenchFile::SpliceIntoWorkingCopy(km::MessageSink& sink, int rangeNumber,
                                                         km::RawRangeHeader& rangeHeader, std::span<const float> data) {
  const int count = WorkingFile.Header.MeasuredRangeCount;
  if (rangeNumber < 1 || rangeNumber > count || count > km::kMaxRanges || rangeHeader.PointCount < 0 ||
      static_cast<size_t>(rangeHeader.PointCount) > data.size()) {
    return std::nullopt;
  }
  // The first change starts from the opened file itself; later ones from the working copy.
  const bool newCopy = WorkingCopyPath.empty();
  const auto old = km::ReadWholeFile(newCopy ? DocumentPath : WorkingCopyPath, kMaxRawFileBytes);
  const long first = WorkingFile.Header.RangeBlock[1];
  if (!old || first < 4) return std::nullopt;
  const auto headers = Blocks(*old, 1, first - 1);
  if (!headers) return std::nullopt;

  km::RawRangeHeader header = rangeHeader;
  header.RangeFlags |= km::kFlagRewrittenByWorkbench;
  const std::string replaced = EncodeRange(header, data);
  std::string out(*headers);
  if (out.size() >= kBlock + sizeof(km::RawExtHeader)) std::memcpy(out.data() + kBlock, &ExtHeader, sizeof ExtHeader);
  km::RawFileHeader h = WorkingFile.Header;
  long w = first;
  long long total = 0;
  for (int i = 1; i <= count; ++i) {
    std::string_view range;
    if (i == rangeNumber) {
      range = replaced;
    } else {
      const auto kept = Blocks(*old, WorkingFile.Header.RangeBlock[i], WorkingFile.Header.DataBlocksOf(i) + 1L);
      if (!kept) return std::nullopt;
      range = *kept;
    }
    km::RawRangeHeader r;
    std::memcpy(&r, range.data(), sizeof r);
    out.append(range);
    const long blocks = static_cast<long>(range.size() / kBlock);
    h.RangeBlock[i] = static_cast<int16_t>(w);
    h.DataBlocksOf(i) = static_cast<int16_t>(blocks - 1);
    total += r.PointCount;
    w += blocks;
    if (w - 1 > INT16_MAX) return std::nullopt;
  }
  h.LastBlock = static_cast<int16_t>(w - 1);
  h.LastBlockCopy = h.LastBlock;
  h.TotalPointCount = static_cast<int32_t>(total);
  h.RangeInMeasurement = 0;
  std::memcpy(out.data(), &h, sizeof h);

  // The new working copy takes the old one's place only once it is complete on the disk.
  const std::string next = km::MakeTempFileName("RAW");
  if (next.empty()) {
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", "RAW"));
    return false;
  }
  bool written = false;
  if (auto file = km::OpenFileReport(sink, next, km::OpenMode::Create, "Raw")) {
    written = file->WriteAt(0, out.data(), out.size());
    written = file->Close() && written;
  }
  std::error_code error;
  if (written && !newCopy) std::filesystem::rename(next, WorkingCopyPath, error);
  if (!written || error) {
    km::DeleteFile(next);
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Raw", newCopy ? next : WorkingCopyPath));
    return false;
  }
  if (newCopy) {
    WorkingCopyPath = next;
    WorkingFile.Path = next;
  }
  rangeHeader = header;
  WorkingFile.Header = h;
  return true;
}

}  // namespace keltor
