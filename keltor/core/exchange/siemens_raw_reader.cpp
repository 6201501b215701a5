#include "keltor/core/exchange/siemens_raw_reader.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <string_view>

#include "common/core/text.h"

namespace keltor {

namespace {

constexpr size_t kFileHeaderSize = 256;
constexpr size_t kRangeHeaderUsed = 64;
constexpr float kRoomTemperature = 293.15f;

template <typename T>
T ReadAt(std::span<const uint8_t> bytes, size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

// A fixed text of the file header: up to its first NUL, trailing blanks removed.
std::string HeaderText(std::span<const uint8_t> file, size_t offset, size_t width) {
  const char* text = reinterpret_cast<const char*>(file.data() + offset);
  std::string_view s(text, width);
  s = s.substr(0, s.find('\0'));
  return std::string(s.substr(0, km::TrimmedLength(s)));
}

struct RangeLayout {
  size_t Start = 0;
  int HeaderLength = 0;
  int Points = 0;
};

// Where each range lies; false after the message when the declared layout does not fit the file.
bool LocateRanges(km::MessageSink& sink, std::span<const uint8_t> file, int count, std::vector<RangeLayout>& out) {
  out.clear();
  size_t start = kFileHeaderSize;
  for (int k = 1; k <= count; ++k) {
    if (file.size() < kRangeHeaderUsed || start > file.size() - kRangeHeaderUsed) {
      sink.ShowError(km::Printf("Range %d of %d of this Siemens RAW file lies beyond the end of the file:\n"
                                " the file is truncated or corrupted.",
                                k, count));
      return false;
    }
    RangeLayout range{start, ReadAt<int16_t>(file, start), ReadAt<int16_t>(file, start + 2)};
    if (range.HeaderLength < static_cast<int>(kRangeHeaderUsed)) {
      sink.ShowError(km::Printf("Range %d of this Siemens RAW file declares a header of %d bytes,\n"
                                " fewer than the 64 a range header holds: the file is corrupted.",
                                k, range.HeaderLength));
      return false;
    }
    if (range.Points <= 0) {
      sink.ShowError(km::Printf("Range %d of this Siemens RAW file declares %d points: it holds no data.", k,
                                range.Points));
      return false;
    }
    const size_t end = start + static_cast<size_t>(range.HeaderLength) + 4 * static_cast<size_t>(range.Points);
    if (end > file.size()) {
      sink.ShowError(km::Printf("Range %d of %d of this Siemens RAW file runs past the end of the file:\n"
                                " the file is truncated or corrupted.",
                                k, count));
      return false;
    }
    out.push_back(range);
    start = end;
  }
  return true;
}

ImportedRange ReadRange(std::span<const uint8_t> file, const RangeLayout& layout) {
  ImportedRange range;
  km::RawRangeHeader& r = range.Header;
  const auto header = file.subspan(layout.Start, kRangeHeaderUsed);
  km::SetFieldText(r.CollectionStart, "??");
  km::SetFieldText(r.CollectionEnd, "??");
  r.PointCount = static_cast<int16_t>(std::min(layout.Points, kImportMaxPoints));
  r.DataFormat = 0;
  r.TimePerStep = ReadAt<float>(header, 8);
  r.TwoThetaStep = ReadAt<float>(header, 12);
  r.TwoThetaBegin = ReadAt<float>(header, 16);
  r.TwoThetaEnd = r.TwoThetaBegin + static_cast<float>(r.PointCount - 1) * r.TwoThetaStep;
  r.OmegaBegin = r.TwoThetaBegin / 2;
  r.OmegaStep = r.TwoThetaStep / 2;
  r.OmegaEnd = r.TwoThetaEnd / 2;
  const int16_t temperature = ReadAt<int16_t>(header, 46);
  r.Temperature = temperature == -1 ? kRoomTemperature : static_cast<float>(temperature);
  range.Data.resize(static_cast<size_t>(r.PointCount));
  std::memcpy(range.Data.data(), file.data() + layout.Start + static_cast<size_t>(layout.HeaderLength),
              range.Data.size() * sizeof(float));
  SetIntensityExtremes(r, range.Data);
  return range;
}

}  // namespace

bool ReadSiemensRaw(km::MessageSink& sink, std::span<const uint8_t> file, ImportedScan& scan) {
  if (file.size() < kFileHeaderSize) {
    sink.ShowError("Can't read from importfile!\n file may be corrupted");
    return false;
  }
  if (std::memcmp(file.data(), "RAW_", 4) == 0) {
    sink.ShowWarning("This is a ORVE RAW data file.");
    return false;
  }
  if (std::memcmp(file.data(), "RAW2", 4) != 0) {
    sink.ShowError("This is not a Siemens RAW file.");
    return false;
  }
  const int count = ReadAt<int16_t>(file, 4);
  if (count < 1) {
    sink.ShowError("This Siemens RAW file holds no ranges.");
    return false;
  }
  if (count > kSiemensMaxRanges) {
    sink.ShowError(km::Printf("This Siemens RAW file declares %d ranges;\n at most %d can be imported.", count,
                              kSiemensMaxRanges));
    return false;
  }
  std::vector<RangeLayout> layout;
  if (!LocateRanges(sink, file, count, layout)) return false;

  km::RawFileHeader h = ImportDefaultHeader();
  km::SetFieldText(h.Title, HeaderText(file, 8, 31));
  km::SetFieldText(h.Comment, HeaderText(file, 40, 127));
  // The date and the time are stored apart; together they are 15 characters and a terminator.
  std::memset(h.CreationTime, 0, sizeof h.CreationTime);
  std::memcpy(h.CreationTime, file.data() + 168, 7);
  std::memcpy(h.CreationTime + 7, file.data() + 177, 8);
  SetAnode(h, std::string_view(reinterpret_cast<const char*>(file.data() + 188), 2));

  scan.Header = h;
  scan.Ranges.clear();
  scan.Ranges.reserve(layout.size());
  for (const RangeLayout& range : layout) scan.Ranges.push_back(ReadRange(file, range));
  return true;
}

}  // namespace keltor
