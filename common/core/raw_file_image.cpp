#include "common/core/raw_file_image.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "common/core/file_access.h"

namespace km {

namespace {

// 1 (16-bit counts) only when every count, as it will be stored, fits 16 bits; extremes the caller
// got wrong must not clip counts silently.
int16_t StorageFormat(const RawRangeHeader& header, std::span<const float> values) {
  if (ChooseDataFormat(header.MinIntensity, header.MaxIntensity) != 1) return 0;
  return FitsSixteenBitCounts(values, header.ScaleFactor) ? 1 : 0;
}

}  // namespace

std::string BuildRawFileImage(MessageSink& sink, RawFileContext& context, const RawExtHeader& extHeader,
                              std::span<RawRangeHeader> headers, std::span<const std::span<const float>> data) {
  RawFileHeader h = context.Header;
  if (headers.size() > static_cast<size_t>(kMaxRanges) || data.size() != headers.size()) {
    sink.ShowError(FormatCatalog(msg::CapacityExceeded, context.Path));
    return {};
  }
  h.LastBlock = static_cast<int16_t>(h.RangeBlock[0] + 3);
  h.MeasuredRangeCount = 0;
  h.TotalPointCount = 0;
  std::fill(std::begin(h.RangeBlock) + 1, std::end(h.RangeBlock), int16_t{0});
  std::fill(std::begin(h.RangeDataBlocks), std::end(h.RangeDataBlocks), int16_t{0});

  // Room for every range at 32 bits a count, so the image is never moved while it grows.
  size_t largest = 3;
  for (size_t i = 0; i < headers.size(); ++i) {
    largest += 1 + static_cast<size_t>(DataBlockCount(static_cast<int>(std::min(data[i].size(), size_t{1} << 30)), 0));
  }
  std::string image;
  image.reserve(largest * kBlockSize);
  image.resize(static_cast<size_t>(3) * kBlockSize, '\0');
  std::memcpy(image.data() + kBlockSize, &extHeader, sizeof extHeader);
  for (size_t i = 0; i < headers.size(); ++i) {
    RawRangeHeader& range = headers[i];
    const int n = static_cast<int>(i) + 1;
    if (range.PointCount < 0 || static_cast<size_t>(range.PointCount) > data[i].size()) {
      sink.ShowRangeError(n);
      return {};
    }
    const auto values = data[i].first(static_cast<size_t>(range.PointCount));
    if (range.ScaleFactor == 0) range.ScaleFactor = 1;
    range.DataFormat = StorageFormat(range, values);
    const int dataBlocks = DataBlockCount(range.PointCount, range.DataFormat);
    const int block = h.LastBlock + 1;
    if (block + dataBlocks > std::numeric_limits<int16_t>::max()) {
      sink.ShowError(FormatCatalog(msg::CapacityExceeded, context.Path));
      return {};
    }
    const size_t at = static_cast<size_t>(block - 1) * kBlockSize;
    image.resize(at + (static_cast<size_t>(dataBlocks) + 1) * kBlockSize);
    std::memcpy(image.data() + at, &range, sizeof range);
    EncodeRangeDataTo(values, range.DataFormat, range.ScaleFactor, image.data() + at + kBlockSize);
    h.LastBlock = static_cast<int16_t>(h.LastBlock + dataBlocks + 1);
    h.LastBlockCopy = h.LastBlock;
    h.RangeBlock[n] = static_cast<int16_t>(block);
    h.DataBlocksOf(n) = static_cast<int16_t>(dataBlocks);
    h.MeasuredRangeCount = static_cast<int16_t>(n);
    h.TotalPointCount += range.PointCount;
    h.RangeInMeasurement = context.IsBeingMeasured ? h.MeasuredRangeCount : int16_t{0};
  }
  image.resize(static_cast<size_t>(h.LastBlock) * kBlockSize);
  std::memcpy(image.data(), &h, sizeof h);
  context.Header = h;
  return image;
}

bool WriteRawFileImage(MessageSink& sink, RawFileContext& context, const RawExtHeader& extHeader,
                       std::span<RawRangeHeader> headers, std::span<const std::span<const float>> data) {
  RawFileContext built = context;
  const std::string image = BuildRawFileImage(sink, built, extHeader, headers, data);
  if (image.empty()) return false;
  auto file = OpenFileReport(sink, context.Path, OpenMode::Create, "Raw");
  if (!file) return false;
  const bool written = file->WriteAt(0, image.data(), image.size()) && file->Truncate(static_cast<int64_t>(image.size()));
  if (!file->Close() || !written) {
    sink.ShowError("Raw file cannot be written.\n\n" + context.Path);
    return false;
  }
  context.Header = built.Header;
  return true;
}

}  // namespace km
