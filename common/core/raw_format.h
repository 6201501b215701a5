#pragma once
// The suite's raw data file: 512-byte blocks, little-endian, a file header (block 1), an extension
// header carried unread (blocks 2-3), then for each range a range header block and its data blocks.
// The structs below are the bytes on disk; every offset is checked at compile time.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace km {

static_assert(std::endian::native == std::endian::little,
              "the raw data structs are the on-disk bytes; a big-endian port must swap them");

inline constexpr int kBlockSize = 512;
inline constexpr int kMaxRanges = 8;
inline constexpr int kMaxBackgroundPoints = 60;
inline constexpr int kWorkbenchMaxPoints = 16384;  // the workbench's range buffers
inline constexpr char kRawMagic[] = "RAW_1.06";

#pragma pack(push, 1)
struct RawFileHeader {
  char Magic[8];
  char CreatorProgram[8];
  char CreationTime[16];
  char Title[80];
  char Comment[192];
  int16_t DiffractometerType;
  int16_t AngleResolution;
  int16_t Monochromator;
  int16_t Radiation;
  int16_t DetectorType;
  uint8_t Unused314[4];
  int16_t GeneratorVoltage;
  int16_t GeneratorCurrent;
  float WavelengthAlpha1;
  float WavelengthAlpha2;
  uint8_t Unused330[24];
  float AbsorptionValue;
  int16_t ScanMode;
  int16_t ScanType;
  int16_t PsdMode;
  int16_t PsdOmegaMode;
  int16_t ScanUsage;
  uint8_t Unused368[4];
  int16_t SampleNumber;
  int16_t SampleCount;
  int16_t RangeCount;
  int16_t MeasuredRangeCount;
  int16_t RangeInMeasurement;
  uint8_t Unused382[38];
  int16_t RelatedFirstNumber;
  int16_t RelatedFileCount;
  int16_t RelatedReserved;
  uint8_t Unused426[4];
  char ModificationTime[16];
  char ModifierProgram[8];
  uint8_t Reserved454[12];
  int32_t TotalPointCount;
  int16_t InstrumentInfoValid;
  uint16_t LegacyRangeFlags;
  int16_t LastBlock;
  int16_t LastBlockCopy;
  int16_t RangeBlock[9];       // slot 0 always 0; slot n: block of range n's header
  int16_t RangeDataBlocks[8];  // element n-1: data blocks of range n (its header block not counted)

  int16_t& DataBlocksOf(int range) { return RangeDataBlocks[range - 1]; }
  int16_t DataBlocksOf(int range) const { return RangeDataBlocks[range - 1]; }
};

struct RawExtHeader {
  uint8_t Bytes[1024];
};

struct RawRangeHeader {
  char CollectionStart[16];
  char CollectionEnd[16];
  uint8_t Unused32[2];
  int16_t PointCount;
  int16_t BackgroundPointCount;
  int16_t DataFormat;
  float ScaleFactor;
  float TwoThetaBegin;
  float OmegaBegin;
  float TwoThetaEnd;
  float OmegaEnd;
  float TwoThetaStep;
  float OmegaStep;
  float TimePerStep;
  float OmegaPosition;
  float LegacySamplePosition[2];
  float Temperature;
  float TemperatureDeviation;
  float PrimaryBeamIntensity;
  float PrimaryBeamDeviation;
  float DivergenceSlit;
  float DivergenceSlitEnd;
  float ReceivingSlit;
  float SampleArea;
  int16_t SamplePositionCount;
  uint16_t RangeFlags;
  int32_t MinIntensity;
  int32_t MaxIntensity;
  int16_t BackgroundPointIndex[60];
  float BackgroundSmooth;
  float BackgroundFactor;
  int32_t BackgroundIntensity[60];
  float SamplePosition1;
  float SamplePosition2;
  uint8_t Unused504[8];
};
#pragma pack(pop)

static_assert(sizeof(RawFileHeader) == 512);
static_assert(sizeof(RawExtHeader) == 1024);
static_assert(sizeof(RawRangeHeader) == 512);
static_assert(offsetof(RawFileHeader, CreatorProgram) == 8);
static_assert(offsetof(RawFileHeader, CreationTime) == 16);
static_assert(offsetof(RawFileHeader, Title) == 32);
static_assert(offsetof(RawFileHeader, Comment) == 112);
static_assert(offsetof(RawFileHeader, DiffractometerType) == 304);
static_assert(offsetof(RawFileHeader, AngleResolution) == 306);
static_assert(offsetof(RawFileHeader, Monochromator) == 308);
static_assert(offsetof(RawFileHeader, Radiation) == 310);
static_assert(offsetof(RawFileHeader, DetectorType) == 312);
static_assert(offsetof(RawFileHeader, GeneratorVoltage) == 318);
static_assert(offsetof(RawFileHeader, GeneratorCurrent) == 320);
static_assert(offsetof(RawFileHeader, WavelengthAlpha1) == 322);
static_assert(offsetof(RawFileHeader, WavelengthAlpha2) == 326);
static_assert(offsetof(RawFileHeader, AbsorptionValue) == 354);
static_assert(offsetof(RawFileHeader, ScanMode) == 358);
static_assert(offsetof(RawFileHeader, ScanType) == 360);
static_assert(offsetof(RawFileHeader, PsdMode) == 362);
static_assert(offsetof(RawFileHeader, PsdOmegaMode) == 364);
static_assert(offsetof(RawFileHeader, ScanUsage) == 366);
static_assert(offsetof(RawFileHeader, SampleNumber) == 372);
static_assert(offsetof(RawFileHeader, SampleCount) == 374);
static_assert(offsetof(RawFileHeader, RangeCount) == 376);
static_assert(offsetof(RawFileHeader, MeasuredRangeCount) == 378);
static_assert(offsetof(RawFileHeader, RangeInMeasurement) == 380);
static_assert(offsetof(RawFileHeader, RelatedFirstNumber) == 420);
static_assert(offsetof(RawFileHeader, RelatedFileCount) == 422);
static_assert(offsetof(RawFileHeader, RelatedReserved) == 424);
static_assert(offsetof(RawFileHeader, ModificationTime) == 430);
static_assert(offsetof(RawFileHeader, ModifierProgram) == 446);
static_assert(offsetof(RawFileHeader, Reserved454) == 454);
static_assert(offsetof(RawFileHeader, TotalPointCount) == 466);
static_assert(offsetof(RawFileHeader, InstrumentInfoValid) == 470);
static_assert(offsetof(RawFileHeader, LegacyRangeFlags) == 472);
static_assert(offsetof(RawFileHeader, LastBlock) == 474);
static_assert(offsetof(RawFileHeader, LastBlockCopy) == 476);
static_assert(offsetof(RawFileHeader, RangeBlock) == 478);
static_assert(offsetof(RawFileHeader, RangeDataBlocks) == 496);

static_assert(offsetof(RawRangeHeader, CollectionEnd) == 16);
static_assert(offsetof(RawRangeHeader, PointCount) == 34);
static_assert(offsetof(RawRangeHeader, BackgroundPointCount) == 36);
static_assert(offsetof(RawRangeHeader, DataFormat) == 38);
static_assert(offsetof(RawRangeHeader, ScaleFactor) == 40);
static_assert(offsetof(RawRangeHeader, TwoThetaBegin) == 44);
static_assert(offsetof(RawRangeHeader, OmegaBegin) == 48);
static_assert(offsetof(RawRangeHeader, TwoThetaEnd) == 52);
static_assert(offsetof(RawRangeHeader, OmegaEnd) == 56);
static_assert(offsetof(RawRangeHeader, TwoThetaStep) == 60);
static_assert(offsetof(RawRangeHeader, OmegaStep) == 64);
static_assert(offsetof(RawRangeHeader, TimePerStep) == 68);
static_assert(offsetof(RawRangeHeader, OmegaPosition) == 72);
static_assert(offsetof(RawRangeHeader, LegacySamplePosition) == 76);
static_assert(offsetof(RawRangeHeader, Temperature) == 84);
static_assert(offsetof(RawRangeHeader, TemperatureDeviation) == 88);
static_assert(offsetof(RawRangeHeader, PrimaryBeamIntensity) == 92);
static_assert(offsetof(RawRangeHeader, PrimaryBeamDeviation) == 96);
static_assert(offsetof(RawRangeHeader, DivergenceSlit) == 100);
static_assert(offsetof(RawRangeHeader, DivergenceSlitEnd) == 104);
static_assert(offsetof(RawRangeHeader, ReceivingSlit) == 108);
static_assert(offsetof(RawRangeHeader, SampleArea) == 112);
static_assert(offsetof(RawRangeHeader, SamplePositionCount) == 116);
static_assert(offsetof(RawRangeHeader, RangeFlags) == 118);
static_assert(offsetof(RawRangeHeader, MinIntensity) == 120);
static_assert(offsetof(RawRangeHeader, MaxIntensity) == 124);
static_assert(offsetof(RawRangeHeader, BackgroundPointIndex) == 128);
static_assert(offsetof(RawRangeHeader, BackgroundSmooth) == 248);
static_assert(offsetof(RawRangeHeader, BackgroundFactor) == 252);
static_assert(offsetof(RawRangeHeader, BackgroundIntensity) == 256);
static_assert(offsetof(RawRangeHeader, SamplePosition1) == 496);
static_assert(offsetof(RawRangeHeader, SamplePosition2) == 500);

// Processing marks of RangeFlags; other bits belong to the measuring programs and are carried.
inline constexpr uint16_t kFlagAngleCorrected = 0x0010;
inline constexpr uint16_t kFlagAlpha2Stripped = 0x0080;
inline constexpr uint16_t kFlagRewrittenByWorkbench = 0x0100;
inline constexpr uint16_t kFlagAbsorptionCorrected = 0x0200;

// Scan types and usages the programs test by value.
inline constexpr int kScanTypeOmega = 2;

// All-zero records (the structs are plain bytes).
RawFileHeader ZeroFileHeader();
RawRangeHeader ZeroRangeHeader();

// A text field as a string: up to its first NUL, never beyond the field, whatever the bytes hold.
std::string FieldText(const char* field, size_t width);
template <size_t N>
std::string FieldText(const char (&field)[N]) { return FieldText(field, N); }
// Stores text into a fixed field, cut to width-1 bytes and NUL-padded.
void SetFieldText(char* field, size_t width, std::string_view text);
template <size_t N>
void SetFieldText(char (&field)[N], std::string_view text) { SetFieldText(field, N, text); }

// Names the programs show for the enumerations (tables T1 to T9). A value outside its table has no name.
std::optional<std::string_view> DiffractometerTypeName(int value);
std::optional<std::string_view> MonochromatorName(int value);  // looked up by value modulo 100; negative: none
std::optional<std::string_view> RadiationName(int value);
std::optional<std::string_view> RadiationSymbol(int value);  // "Cu" ...; a blank symbol is two blanks
std::optional<std::string_view> DetectorTypeName(int value);
std::optional<std::string_view> ScanModeName(int value);
std::optional<std::string_view> ScanTypeName(int value);
std::optional<std::string_view> PsdModeName(int value);
std::optional<std::string_view> PsdOmegaModeName(int value);
std::optional<std::string_view> ScanUsageName(int value);

// Counts per data block, and data blocks for a range.
inline int CountsPerBlock(int dataFormat) { return dataFormat == 1 ? 256 : 128; }
inline int DataBlockCount(int pointCount, int dataFormat) {
  const int per = CountsPerBlock(dataFormat);
  return pointCount <= 0 ? 0 : (pointCount + per - 1) / per;
}
// 1 (16-bit counts) exactly when the larger stored extreme fits; else 0 (32-bit counts).
int ChooseDataFormat(int32_t minIntensity, int32_t maxIntensity);

// Half away from zero, as the instruments store counts: add 0.5 (or -0.5 below zero), then truncate.
inline double RoundHalfAway(double v) { return v < 0 ? std::ceil(v - 0.5) : std::floor(v + 0.5); }
// The same, to a 32-bit count; values beyond the range of a count are held at its limits and a value
// that is not a number is stored as 0. Inline and without branches, so that whole ranges of counts
// are converted in vector registers.
inline int32_t RoundToCount(double value) {
  const double held = std::clamp(value, -2147483648.0, 2147483647.0);
  const double shifted = held < 0 ? held - 0.5 : held + 0.5;  // truncated below: within a count's range
  return static_cast<int32_t>(value == value ? shifted : 0.0);
}

// The version digit of a header (byte 7 of Magic).
inline char VersionDigit(const RawFileHeader& h) { return h.Magic[7]; }

// Which copy of the range reader: the 3D viewer normalises collection times for every version and
// recomputes the end angles of single-detector scans; the workbench keeps what is stored.
enum class RangeReaderVariant { Workbench, Viewer };

// The in-memory upgrades of older layouts, by the version digit of the file header.
void UpgradeFileHeader(RawFileHeader& header);
void UpgradeRangeHeader(RawRangeHeader& range, const RawFileHeader& fileHeader, RangeReaderVariant variant);

// Blank normalisation of a NUL-terminated field in place: leading blanks dropped, tabs made blanks,
// runs collapsed to one blank (one blank of a trailing run stays, as the workbench keeps it).
void NormalizeFieldBlanks(char* field, size_t width, bool dropTrailing);

// Decodes the counts of a range from its data blocks (as many whole blocks as bytes holds) into out.
// Returns the number of values decoded; values are not scaled.
size_t DecodeRangeData(std::span<const uint8_t> blocks, int dataFormat, int pointCount, std::span<float> out);
// True when every value, multiplied by the write scale (a ScaleFactor above 1) and rounded as it is
// stored, fits a 16-bit count.
bool FitsSixteenBitCounts(std::span<const float> values, float scaleFactor);
// Encodes values (multiplied by the write scale and rounded) into whole data blocks, the rest zero.
std::string EncodeRangeData(std::span<const float> values, int dataFormat, float scaleFactor);
// The same into out, which holds DataBlockCount(values.size(), dataFormat) blocks.
void EncodeRangeDataTo(std::span<const float> values, int dataFormat, float scaleFactor, char* out);
// Reading: divide by a ScaleFactor above 1 (the reciprocal formed once, in single precision).
void ApplyReadScale(std::span<float> values, float scaleFactor);

}  // namespace km
