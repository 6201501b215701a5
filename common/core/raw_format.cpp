#include "common/core/raw_format.h"

#include "common/core/count_rounding.h"
#include "common/core/text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace km {

RawFileHeader ZeroFileHeader() {
  RawFileHeader h;
  std::memset(&h, 0, sizeof h);
  return h;
}

RawRangeHeader ZeroRangeHeader() {
  RawRangeHeader h;
  std::memset(&h, 0, sizeof h);
  return h;
}

std::string FieldText(const char* field, size_t width) {
  const void* end = std::memchr(field, '\0', width);
  return std::string(field, end ? static_cast<const char*>(end) - field : width);
}

void SetFieldText(char* field, size_t width, std::string_view text) {
  std::memset(field, 0, width);
  // An empty view may carry no pointer at all, which memcpy must never be given.
  if (width == 0 || text.empty()) return;
  std::memcpy(field, text.data(), std::min(text.size(), width - 1));
}

namespace {

template <size_t N>
std::optional<std::string_view> Lookup(const std::string_view (&table)[N], int value) {
  if (value < 0 || static_cast<size_t>(value) >= N) return std::nullopt;
  return table[value];
}

constexpr std::string_view kDiffractometerTypes[] = {"Unknown", "Transmission", "Bragg-Brentano", "Theta-Theta",
                                                     "Double-Monochromator", "Fixed PSD Stage"};
constexpr std::string_view kMonochromators[] = {"None", "Secondary", "Curved Germanium (111)", "Curved Graphite (002)",
                                                "Curved Quartz (101)", "??", "2x Ge(111)", "2x Ge(220)",
                                                "2x GaAs(400)"};
constexpr std::string_view kRadiations[] = {"Unknown", "Silver", "Molybdenum", "Copper",
                                            "Cobalt", "Iron", "Chromium", "User defined"};
constexpr std::string_view kRadiationSymbols[] = {"  ", "Ag", "Mo", "Cu", "Co", "Fe", "Cr", "  "};
constexpr std::string_view kDetectorTypes[] = {"Unknown", "Scintillation Counter", "Curved PSD", "Linear PSD"};
constexpr std::string_view kScanModes[] = {"Unknown", "Transmission", "Reflection", "Debye-Scherrer"};
constexpr std::string_view kScanTypes[] = {"Unknown", "2Theta", "Omega", "2Theta:Omega", "Independent"};
constexpr std::string_view kPsdModes[] = {"", "Stationary", "Moving"};
constexpr std::string_view kPsdOmegaModes[] = {"", "Fixed", "Moving"};
constexpr std::string_view kScanUsages[] = {"Single Sample", "Multiple Samples", "Variable Omega", "Sample Position",
                                            "Temperature", "Quantitative Analysis", "Repetition"};

}  // namespace

std::optional<std::string_view> DiffractometerTypeName(int v) { return Lookup(kDiffractometerTypes, v); }
std::optional<std::string_view> MonochromatorName(int v) {
  if (v < 0) return std::nullopt;
  return Lookup(kMonochromators, v % 100);
}
std::optional<std::string_view> RadiationName(int v) { return Lookup(kRadiations, v); }
std::optional<std::string_view> RadiationSymbol(int v) { return Lookup(kRadiationSymbols, v); }
std::optional<std::string_view> DetectorTypeName(int v) { return Lookup(kDetectorTypes, v); }
std::optional<std::string_view> ScanModeName(int v) { return Lookup(kScanModes, v); }
std::optional<std::string_view> ScanTypeName(int v) { return Lookup(kScanTypes, v); }
std::optional<std::string_view> PsdModeName(int v) { return Lookup(kPsdModes, v); }
std::optional<std::string_view> PsdOmegaModeName(int v) { return Lookup(kPsdOmegaModes, v); }
std::optional<std::string_view> ScanUsageName(int v) { return Lookup(kScanUsages, v); }

int ChooseDataFormat(int32_t minIntensity, int32_t maxIntensity) {
  const int64_t largest = std::max(std::llabs(minIntensity), std::llabs(maxIntensity));
  return largest < 32768 ? 1 : 0;
}

void NormalizeFieldBlanks(char* field, size_t width, bool dropTrailing) {
  std::string text = FieldText(field, width);
  NormalizeBlanks(text, dropTrailing ? BlankRule::DropTrailing : BlankRule::KeepOneTrailing);
  SetFieldText(field, width, text);
}

namespace {

// The field's last byte is cleared first, then trailing blanks become NUL.
void TrimTrailingBlanks(char* field, size_t width) {
  field[width - 1] = '\0';
  size_t length = FieldText(field, width).size();
  while (length > 0 && field[length - 1] == ' ') field[--length] = '\0';
}

}  // namespace

void UpgradeFileHeader(RawFileHeader& h) {
  const char version = VersionDigit(h);
  if (version < '5') {
    h.CreatorProgram[7] = '\0';
    NormalizeFieldBlanks(h.CreationTime, sizeof h.CreationTime, false);
    TrimTrailingBlanks(h.Title, sizeof h.Title);
    TrimTrailingBlanks(h.Comment, sizeof h.Comment);
    if (h.Monochromator == 4) h.Monochromator = 102;
    if (version < '3') h.LegacyRangeFlags &= 1;
    h.RelatedReserved = 0;
    h.RangeBlock[0] = 0;
  }
  if (version < '6') {
    auto* bytes = reinterpret_cast<unsigned char*>(&h);
    std::memmove(bytes + 430, bytes + 440, 24);
    bytes[452] = 0;
    bytes[453] = 0;
    std::memset(bytes + 454, 0, 12);
    NormalizeFieldBlanks(h.ModificationTime, sizeof h.ModificationTime, false);
  }
}

void UpgradeRangeHeader(RawRangeHeader& r, const RawFileHeader& file, RangeReaderVariant variant) {
  const char version = VersionDigit(file);
  if (version < '3') r.RangeFlags = file.LegacyRangeFlags;
  if (version < '5' || variant == RangeReaderVariant::Viewer) {
    const bool drop = variant == RangeReaderVariant::Viewer;
    NormalizeFieldBlanks(r.CollectionStart, sizeof r.CollectionStart, drop);
    NormalizeFieldBlanks(r.CollectionEnd, sizeof r.CollectionEnd, drop);
  }
  if (version < '6') {
    if (r.BackgroundPointCount > kMaxBackgroundPoints) {
      r.BackgroundPointCount = 0;
      r.BackgroundSmooth = 1;
      r.BackgroundFactor = 1;
    }
    r.SamplePosition1 = r.LegacySamplePosition[0];
    r.SamplePosition2 = r.LegacySamplePosition[1];
  }
  if (r.BackgroundSmooth == 0) r.BackgroundSmooth = 1;
  if (r.BackgroundFactor == 0) r.BackgroundFactor = 1;
  if (r.ScaleFactor == 0) r.ScaleFactor = 1;
}

size_t DecodeRangeData(std::span<const uint8_t> blocks, int dataFormat, int pointCount, std::span<float> out) {
  const size_t wanted = std::min(static_cast<size_t>(std::max(pointCount, 0)), out.size());
  const size_t perBlock = static_cast<size_t>(CountsPerBlock(dataFormat));
  const size_t wholeBlocks = blocks.size() / kBlockSize;
  const size_t available = std::min(wanted, wholeBlocks * perBlock);
  const uint8_t* p = blocks.data();
  if (dataFormat == 1) {
    for (size_t i = 0; i < available; ++i) {
      int16_t v;
      std::memcpy(&v, p + 2 * i, 2);
      out[i] = static_cast<float>(v);
    }
  } else {
    for (size_t i = 0; i < available; ++i) {
      int32_t v;
      std::memcpy(&v, p + 4 * i, 4);
      out[i] = static_cast<float>(v);
    }
  }
  return available;
}

namespace {

// Counts are converted a block at a time through a buffer on the stack.
constexpr size_t kCountBlock = 512;

}  // namespace

bool FitsSixteenBitCounts(std::span<const float> values, float scaleFactor) {
  const double s = scaleFactor > 1 ? scaleFactor : 1.0;
  int32_t counts[kCountBlock];
  int32_t lowest = 0, highest = 0;
  for (size_t at = 0; at < values.size(); at += kCountBlock) {
    const auto block = values.subspan(at, std::min(kCountBlock, values.size() - at));
    RoundToCounts(block, s, counts);
    for (size_t i = 0; i < block.size(); ++i) {
      lowest = std::min(lowest, counts[i]);
      highest = std::max(highest, counts[i]);
    }
  }
  return lowest >= -32768 && highest <= 32767;
}

std::string EncodeRangeData(std::span<const float> values, int dataFormat, float scaleFactor) {
  const size_t count = std::min<size_t>(values.size(), std::numeric_limits<int>::max());
  std::string bytes(static_cast<size_t>(DataBlockCount(static_cast<int>(count), dataFormat)) * kBlockSize, '\0');
  EncodeRangeDataTo(values.first(count), dataFormat, scaleFactor, bytes.data());
  return bytes;
}

void EncodeRangeDataTo(std::span<const float> values, int dataFormat, float scaleFactor, char* out) {
  const size_t count = std::min<size_t>(values.size(), std::numeric_limits<int>::max());
  const double s = scaleFactor > 1 ? scaleFactor : 1.0;
  const size_t width = dataFormat == 1 ? 2 : 4;
  int32_t counts[kCountBlock];
  int16_t narrow[kCountBlock];
  for (size_t at = 0; at < count; at += kCountBlock) {
    const auto block = values.subspan(at, std::min(kCountBlock, count - at));
    RoundToCounts(block, s, counts);
    if (dataFormat == 1) {
      for (size_t i = 0; i < block.size(); ++i) narrow[i] = static_cast<int16_t>(std::clamp<int32_t>(counts[i], -32768, 32767));
      std::memcpy(out + width * at, narrow, 2 * block.size());
    } else {
      std::memcpy(out + width * at, counts, 4 * block.size());
    }
  }
  const size_t used = width * count;
  const size_t whole = static_cast<size_t>(DataBlockCount(static_cast<int>(count), dataFormat)) * kBlockSize;
  std::memset(out + used, 0, whole - used);
}

void ApplyReadScale(std::span<float> values, float scaleFactor) {
  if (!(scaleFactor > 1)) return;
  const float reciprocal = 1.0f / scaleFactor;
  for (float& v : values) v *= reciprocal;
}

}  // namespace km
