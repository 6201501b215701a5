#include "common/core/raw_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "common/core/file_access.h"

namespace km {
namespace {

constexpr std::string_view kTypeWord = "Raw";

// Where the readers take their bytes from: an open file, or a whole file already in memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual size_t ReadAt(int64_t offset, void* buffer, size_t count) const = 0;
};

class FileSource : public ByteSource {
 public:
  explicit FileSource(const File& file) : file_(file) {}
  size_t ReadAt(int64_t offset, void* buffer, size_t count) const override { return file_.ReadAt(offset, buffer, count); }

 private:
  const File& file_;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  size_t ReadAt(int64_t offset, void* buffer, size_t count) const override {
    if (offset < 0 || static_cast<uint64_t>(offset) >= bytes_.size()) return 0;
    const size_t n = std::min(count, bytes_.size() - static_cast<size_t>(offset));
    std::memcpy(buffer, bytes_.data() + offset, n);
    return n;
  }

 private:
  std::span<const uint8_t> bytes_;
};

void ShowInvalidFormat(MessageSink& sink, const std::string& path) {
  sink.ShowError(FormatCatalog(msg::InvalidFormat, path));
}

void ShowEndOfFile(MessageSink& sink, const std::string& path) {
  sink.ShowError(FormatCatalog(msg::EndOfFile, path));
}

void ShowCannotWrite(MessageSink& sink, const std::string& path) {
  sink.ShowError(std::string(kTypeWord) + " file cannot be written.\n\n" + path);
}

// A stored range count outside 0..8 or a negative point total cannot come from a measuring program;
// such a header is refused before any of its numbers is used to find a block.
bool HeaderCountsAreSane(const RawFileHeader& h) {
  return h.MeasuredRangeCount >= 0 && h.MeasuredRangeCount <= kMaxRanges && h.TotalPointCount >= 0;
}

bool ReadHeaderFrom(MessageSink& sink, const ByteSource& source, const std::string& path, RawFileHeader& header,
                    RawExtHeader* extHeader) {
  RawFileHeader read = ZeroFileHeader();
  bool valid = source.ReadAt(0, &read, sizeof read) == sizeof read && std::memcmp(read.Magic, "RAW_", 4) == 0;
  if (valid && extHeader != nullptr) valid = source.ReadAt(kBlockSize, extHeader, sizeof *extHeader) == sizeof *extHeader;
  if (!valid || !HeaderCountsAreSane(read)) {
    ShowInvalidFormat(sink, path);
    return false;
  }
  if (read.RangeInMeasurement != 0) read.MeasuredRangeCount += 1;
  UpgradeFileHeader(read);
  if (read.TotalPointCount == 0) read.MeasuredRangeCount = 0;
  header = read;
  return true;
}

bool ReadRangeFrom(MessageSink& sink, const ByteSource& source, RawFileContext& context, int rangeNumber,
                   RawRangeHeader& rangeHeader, std::span<float> data, RawExtHeader* extHeader,
                   RangeReaderVariant variant) {
  const int64_t absolute = std::llabs(static_cast<int64_t>(rangeNumber));
  context.CurrentRange = static_cast<int32_t>(std::min<int64_t>(absolute, std::numeric_limits<int32_t>::max()));
  context.IsBeingMeasured = false;
  if (!ReadHeaderFrom(sink, source, context.Path, context.Header, extHeader)) return false;
  const RawFileHeader& h = context.Header;
  context.MeasuredRanges = h.MeasuredRangeCount;
  context.IsBeingMeasured = h.RangeInMeasurement != 0;
  if (h.TotalPointCount == 0) {
    sink.ShowCatalogMessage(msg::NoData);
    return false;
  }
  if (rangeNumber == 0) return true;

  const int n = context.CurrentRange;
  // A range being measured has no slot beyond the eighth; an empty slot holds no range.
  if (n > h.MeasuredRangeCount || n > kMaxRanges || h.RangeBlock[n] == 0) {
    sink.ShowRangeError(n);
    return false;
  }
  const int block = h.RangeBlock[n];
  if (block < 4) {  // would point into the headers
    ShowInvalidFormat(sink, context.Path);
    return false;
  }
  const int64_t headerOffset = static_cast<int64_t>(block) * kBlockSize - kBlockSize;
  RawRangeHeader read = ZeroRangeHeader();
  if (source.ReadAt(headerOffset, &read, sizeof read) != sizeof read) {
    ShowEndOfFile(sink, context.Path);
    return false;
  }
  UpgradeRangeHeader(read, h, variant);
  if (variant == RangeReaderVariant::Viewer && h.DetectorType == 1 && read.PointCount > 0) {
    read.TwoThetaEnd = read.TwoThetaBegin + static_cast<float>(read.PointCount - 1) * read.TwoThetaStep;
    read.OmegaEnd = read.OmegaBegin + static_cast<float>(read.PointCount - 1) * read.OmegaStep;
  }
  if (read.BackgroundPointCount < 0 || read.BackgroundPointCount > kMaxBackgroundPoints) {
    ShowInvalidFormat(sink, context.Path);
    return false;
  }
  rangeHeader = read;
  if (rangeNumber < 0) return true;

  if (read.PointCount <= 0) {
    sink.ShowRangeError(n);
    return false;
  }
  if (static_cast<size_t>(read.PointCount) > data.size()) {
    sink.ShowError("Range " + std::to_string(n) + " of this raw data file holds " + std::to_string(read.PointCount) +
                   " points, more than the " + std::to_string(data.size()) + " this program can take.\n\n" +
                   context.Path);
    return false;
  }
  const size_t blockCount = static_cast<size_t>(DataBlockCount(read.PointCount, read.DataFormat));
  std::string bytes(blockCount * kBlockSize, '\0');
  const size_t got = source.ReadAt(headerOffset + kBlockSize, bytes.data(), bytes.size());
  const auto points = std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), got);
  const size_t decoded = DecodeRangeData(points, read.DataFormat, read.PointCount, data);
  if (decoded < static_cast<size_t>(read.PointCount)) {
    ShowEndOfFile(sink, context.Path);
    return false;
  }
  ApplyReadScale(data.first(decoded), read.ScaleFactor);
  return true;
}

}  // namespace

bool ReadRawHeader(MessageSink& sink, const std::string& path, RawFileHeader& header, RawExtHeader* extHeader) {
  const auto file = OpenFileReport(sink, path, OpenMode::Read, kTypeWord);
  if (!file) return false;
  return ReadHeaderFrom(sink, FileSource(*file), path, header, extHeader);
}

bool ReadRawRange(MessageSink& sink, RawFileContext& context, int rangeNumber, RawRangeHeader& rangeHeader,
                  std::span<float> data, RawExtHeader* extHeader, RangeReaderVariant variant) {
  context.CurrentRange = rangeNumber < 0 ? -rangeNumber : rangeNumber;
  context.IsBeingMeasured = false;
  const auto file = OpenFileReport(sink, context.Path, OpenMode::Read, kTypeWord);
  if (!file) return false;
  return ReadRangeFrom(sink, FileSource(*file), context, rangeNumber, rangeHeader, data, extHeader, variant);
}

bool ParseRawHeader(MessageSink& sink, std::span<const uint8_t> file, const std::string& path, RawFileHeader& header,
                    RawExtHeader* extHeader) {
  return ReadHeaderFrom(sink, MemorySource(file), path, header, extHeader);
}

bool ParseRawRange(MessageSink& sink, std::span<const uint8_t> file, RawFileContext& context, int rangeNumber,
                   RawRangeHeader& rangeHeader, std::span<float> data, RawExtHeader* extHeader,
                   RangeReaderVariant variant) {
  return ReadRangeFrom(sink, MemorySource(file), context, rangeNumber, rangeHeader, data, extHeader, variant);
}

bool WriteRawRange(MessageSink& sink, RawFileContext& context, int rangeNumber, RawRangeHeader& rangeHeader,
                   std::span<const float> data, const RawExtHeader* extHeader) {
  const std::string& path = context.Path;
  RawFileHeader& ch = context.Header;
  const bool exists = FileTest(path, kFileMustExist);
  const int n = rangeNumber < 0 ? -rangeNumber : rangeNumber;
  if (rangeNumber < -kMaxRanges || rangeNumber > kMaxRanges) {
    sink.ShowError(FormatCatalog(msg::CapacityExceeded, path));
    return false;
  }

  RawExtHeader ext{};
  if (extHeader != nullptr) {
    ext = *extHeader;
  } else if (exists) {
    const auto old = OpenFileReport(sink, path, OpenMode::ReadWrite, kTypeWord);
    if (!old) return false;
    old->ReadAt(kBlockSize, &ext, sizeof ext);  // a file shorter than its headers keeps zeros there
  }

  const bool newFile = !exists || ch.MeasuredRangeCount == 0 || ch.TotalPointCount == 0 ||
                       (rangeNumber >= 0 && rangeNumber < ch.MeasuredRangeCount);
  auto file = OpenFileReport(sink, path, newFile ? OpenMode::Create : OpenMode::ReadWrite, kTypeWord);
  if (!file) return false;

  RawFileHeader h = ZeroFileHeader();
  if (newFile) {
    ch.LastBlock = static_cast<int16_t>(ch.RangeBlock[0] + 3);
    ch.MeasuredRangeCount = 0;
    ch.TotalPointCount = 0;
    std::fill(std::begin(ch.RangeBlock) + 1, std::end(ch.RangeBlock), int16_t{0});
    std::fill(std::begin(ch.RangeDataBlocks), std::end(ch.RangeDataBlocks), int16_t{0});
    h = ch;
    if (!file->WriteAt(0, &h, sizeof h) || !file->WriteAt(kBlockSize, &ext, sizeof ext)) {
      ShowCannotWrite(sink, path);
      return false;
    }
  } else {
    if (file->ReadAt(0, &h, sizeof h) != sizeof h) {
      ShowEndOfFile(sink, path);
      return false;
    }
    if (std::memcmp(h.Magic, "RAW_", 4) != 0 || !HeaderCountsAreSane(h) || h.LastBlock < 3) {
      ShowInvalidFormat(sink, path);
      return false;
    }
  }

  if (rangeNumber > 0 && h.MeasuredRangeCount == kMaxRanges) {
    sink.ShowError(FormatCatalog(msg::CapacityExceeded, path));
    return false;
  }
  if (rangeNumber == 0) {
    if (!file->Close()) {
      ShowCannotWrite(sink, path);
      return false;
    }
    return true;
  }
  if (rangeHeader.PointCount < 0 || static_cast<size_t>(rangeHeader.PointCount) > data.size()) {
    sink.ShowRangeError(n);
    return false;
  }
  // Ranges lie in file order: a write may append the next range or replace the last one, nothing else.
  if (n > h.MeasuredRangeCount + 1) {
    sink.ShowRangeError(n);
    return false;
  }

  int block = 0;
  if (n > h.MeasuredRangeCount) {
    block = h.LastBlock + 1;
  } else {
    block = h.RangeBlock[n];
    RawRangeHeader old = ZeroRangeHeader();
    if (block < 4 || file->ReadAt(static_cast<int64_t>(block - 1) * kBlockSize, &old, sizeof old) != sizeof old) {
      ShowInvalidFormat(sink, path);
      return false;
    }
    h.TotalPointCount -= old.PointCount;
    h.LastBlock = static_cast<int16_t>(h.LastBlock - (h.DataBlocksOf(h.MeasuredRangeCount) + 1));
    h.MeasuredRangeCount -= 1;
  }

  const auto values = data.first(static_cast<size_t>(rangeHeader.PointCount));
  rangeHeader.DataFormat = static_cast<int16_t>(ChooseDataFormat(rangeHeader.MinIntensity, rangeHeader.MaxIntensity));
  if (rangeHeader.ScaleFactor == 0) rangeHeader.ScaleFactor = 1;
  // Extremes the caller got wrong must not clip counts silently: a count that 16 bits cannot hold
  // forces 32-bit storage.
  if (rangeHeader.DataFormat == 1 && !FitsSixteenBitCounts(values, rangeHeader.ScaleFactor)) rangeHeader.DataFormat = 0;
  const std::string blocks = EncodeRangeData(values, rangeHeader.DataFormat, rangeHeader.ScaleFactor);
  const int dataBlocks = static_cast<int>(blocks.size() / kBlockSize);
  if (block + dataBlocks > std::numeric_limits<int16_t>::max()) {
    sink.ShowError(FormatCatalog(msg::CapacityExceeded, path));
    return false;
  }
  const int64_t offset = static_cast<int64_t>(block - 1) * kBlockSize;
  if (!file->WriteAt(offset, &rangeHeader, sizeof rangeHeader) ||
      !file->WriteAt(offset + kBlockSize, blocks.data(), blocks.size())) {
    ShowCannotWrite(sink, path);
    return false;
  }

  h.LastBlock = static_cast<int16_t>(h.LastBlock + dataBlocks + 1);
  h.LastBlockCopy = h.LastBlock;
  h.RangeBlock[n] = static_cast<int16_t>(block);
  h.DataBlocksOf(n) = static_cast<int16_t>(dataBlocks);
  h.MeasuredRangeCount += 1;
  h.TotalPointCount += rangeHeader.PointCount;
  h.RangeInMeasurement = context.IsBeingMeasured ? h.MeasuredRangeCount : int16_t{0};
  // A replaced range that was longer leaves no stale blocks behind: the file ends at LastBlock.
  if (!file->WriteAt(0, &h, sizeof h) || !file->Truncate(static_cast<int64_t>(h.LastBlock) * kBlockSize) ||
      !file->Close()) {
    ShowCannotWrite(sink, path);
    return false;
  }
  ch = h;
  return true;
}

}  // namespace km
