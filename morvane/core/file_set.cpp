#include "morvane/core/file_set.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <optional>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "common/core/raw_file.h"
#include "common/core/raw_format.h"
#include "morvane/core/int_conversion.h"

namespace morvane {
namespace {

constexpr char kPlaceholderTitle[] = "This File has no Title !";
constexpr int kScanUsageVariableOmega = 2;
constexpr int kScanUsageSamplePosition = 3;
constexpr int kScanUsageTemperature = 4;
// PointCount is a 16-bit field, so no range is longer than this; a file header's TotalPointCount
// adds up at most 8 of them. Sizing from these bounds means no hostile header can overflow a buffer.
constexpr int kMaxRangePoints = 32767;
constexpr int kMaxFilePoints = km::kMaxRanges * kMaxRangePoints;
// Range 1 of a file: its header block and at most 256 data blocks (32767 counts of 32 bits).
constexpr int64_t kMaxRangeBytes = km::kBlockSize + 256 * int64_t{km::kBlockSize};

// One file of the set as read from the disk: the bytes up to the end of its first range, read once
// and parsed twice (file header, then range), so each file is opened and read a single time.
struct SetFile {
  std::string path;
  std::vector<uint8_t> bytes;
  km::RawFileHeader header = km::ZeroFileHeader();
  bool headerRead = false;
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// atoi on a short text: leading blanks, an optional sign, then digits.
int LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000000; ++i) value = value * 10 + (text[i] - '0');
  return negative ? -value : value;
}

// Reads the file header and the bytes of range 1; the header reader's messages are the usual ones.
bool ReadSetFile(km::MessageSink& sink, SetFile& f) {
  auto file = km::OpenFileReport(sink, f.path, km::OpenMode::Read, "Raw");
  if (!file) return false;
  const int64_t size = std::max<int64_t>(file->Size(), 0);
  f.bytes.resize(static_cast<size_t>(std::min<int64_t>(size, km::kBlockSize)));
  f.bytes.resize(file->ReadAt(0, f.bytes.data(), f.bytes.size()));
  if (!km::ParseRawHeader(sink, f.bytes, f.path, f.header)) return false;
  const int64_t rangeAt = std::max<int64_t>(0, int64_t{f.header.RangeBlock[1]} * km::kBlockSize - km::kBlockSize);
  const int64_t end = std::min<int64_t>(size, rangeAt + kMaxRangeBytes);
  if (end > static_cast<int64_t>(f.bytes.size())) {
    const size_t had = f.bytes.size();
    f.bytes.resize(static_cast<size_t>(end));
    f.bytes.resize(had + file->ReadAt(static_cast<int64_t>(had), f.bytes.data() + had, f.bytes.size() - had));
  }
  f.headerRead = true;
  return true;
}

void SetCaptions(ViewerState& state, const char* c0, const char* c1, const char* c2) {
  state.ZAxis[0] = c0;
  state.ZAxis[1] = c1;
  state.ZAxis[2] = c2;
}

// The three Z quantities of one loaded file and their captions, by the master file's scan usage.
void ApplyZRule(ViewerState& state, Diagram& d, int zRule, const km::RawRangeHeader& range, std::string_view name,
                int k, int listPosition, float hours) {
  int n = LeadingNumber(name.size() >= 3 ? name.substr(name.size() - 3) : name);
  if (n == 0) n = k;
  switch (zRule) {
    case kScanUsageVariableOmega:
      d.Z = {static_cast<float>(k), range.OmegaPosition, hours};
      SetCaptions(state, "Z axis = N", "Z axis = Omega [\xB0]", "Z axis = Time  [h]");
      break;
    case kScanUsageSamplePosition:
      d.Z = {range.SamplePosition1, range.SamplePosition2, static_cast<float>(k)};
      SetCaptions(state, "Z axis = Position 1", "Z axis = Position 2", "Z axis = N");
      break;
    case kScanUsageTemperature:
      d.Z = {static_cast<float>(n), range.Temperature, hours};
      SetCaptions(state, "Z axis = N", "Z axis = Temperature [\xB0" "C]", "Z axis = Time [h]");
      break;
    default:
      d.Z = {static_cast<float>(n), static_cast<float>(listPosition), hours};
      SetCaptions(state, "Z axis = N", "Z axis = N", "Z axis = Time [h]");
      break;
  }
}

void ResizePoints(Diagram& d, int capacity) {
  const int old = static_cast<int>(d.Points.size());
  d.Points.resize(static_cast<size_t>(capacity));
  for (int j = old; j < capacity; ++j) d.Points[j] = {j, 0.0f};
  d.Capacity = capacity;
}

// Clears Busy on every return of LoadFileSet.
struct BusyGuard {
  ViewerState& state;
  explicit BusyGuard(ViewerState& s) : state(s) { state.Busy = true; }
  ~BusyGuard() { state.Busy = false; }
};

}  // namespace

void TakeSelection(ViewerState& state, std::span<const char> buffer) {
  state.NumFiles = 0;
  size_t start = 0;
  for (size_t i = 0; i <= buffer.size(); ++i) {
    if (i < buffer.size() && buffer[i] != '\0') continue;
    if (i > start && state.NumFiles < kMaxFiles) state.File[state.NumFiles++] = std::string(buffer.data() + start, i - start);
    start = i + 1;
  }
}

std::string RelatedFilePath(std::string_view masterPath, int n) {
  const std::string_view stem = masterPath.substr(0, masterPath.size() >= 4 ? masterPath.size() - 4 : 0);
  char number[16];
  std::snprintf(number, sizeof number, ".%3.3d", n);
  return std::string(stem) + number;
}

void AddRecentSet(ViewerState& state, const std::string& path) {
  auto& list = state.RecentSets;
  list.erase(std::remove_if(list.begin(), list.end(), [&](const std::string& e) { return EqualsIgnoringCase(e, path); }),
             list.end());
  if (static_cast<int>(list.size()) >= kMaxRecentSets) list.resize(kMaxRecentSets - 1);
  list.insert(list.begin(), path);
}

bool OpenFileSet(ViewerState& state, km::MessageSink& sink, const std::string& pathGiven) {
  // A copy: callers pass File[0], which a master load overwrites with the directory.
  const std::string path = pathGiven;
  state.Linear = true;
  state.SQRT = false;
  state.LOG = false;
  bool result = false;
  if (path.find(".raw") != std::string::npos || path.find(".RAW") != std::string::npos) {
    if (!LoadFileSet(state, sink, path, false)) {
      CreateDemoSet(state);
      return false;
    }
    AddRecentSet(state, path);
    result = true;
  } else if (state.NumFiles > 1) {
    result = LoadFileSet(state, sink, path, true);
  }
  return result;
}

bool LoadFileSet(ViewerState& state, km::MessageSink& sink, const std::string& pathGiven, bool selection) {
  const std::string path = pathGiven;  // File[0] is overwritten below, and may be what was passed
  BusyGuard busy(state);
  state.UserCaptions = false;
  state.UserZAxis = false;

  int zRule = 1;
  int expected = 0;
  km::RawFileHeader master = km::ZeroFileHeader();
  if (!selection) {
    if (!km::ReadRawHeader(sink, path, master)) return false;
    zRule = master.ScanUsage;
    state.Title = km::FieldText(master.Title);
    if (EqualsIgnoringCase(state.Title, kPlaceholderTitle)) state.Title.clear();
    state.OmegaScan = master.ScanType == km::kScanTypeOmega;
    state.MasterPath = path;
    expected = master.RelatedFileCount;
  } else {
    expected = state.NumFiles - 1;
  }
  if (expected < 2) {
    sink.ShowError("This is not a master file for 3d graphics!");
    state.NumDiagrams = 0;
    return false;
  }

  // Every file of the set is opened and read once, here; its header tells the largest point count.
  std::vector<SetFile> files;
  int largestTotal = 0;
  auto takeTotal = [&](const km::RawFileHeader& h) {
    const int32_t total = h.TotalPointCount;  // a copy: the packed field may be unaligned
    largestTotal = std::max(largestTotal, std::clamp<int32_t>(total, 0, kMaxFilePoints));
  };
  if (!selection) {
    state.File[0] = km::DirectoryOf(path);
    state.NumFiles = 1;
    for (int n = master.RelatedFirstNumber; n < master.RelatedFirstNumber + master.RelatedFileCount; ++n) {
      SetFile f;
      f.path = RelatedFilePath(path, n);
      if (!km::FileTest(f.path, km::kFileMustExist)) continue;
      if (!ReadSetFile(sink, f)) continue;  // its message is shown; the file is left out of the set
      if (state.NumFiles >= kMaxFiles) break;
      state.File[state.NumFiles++] = km::FileNameOf(f.path);
      takeTotal(f.header);
      files.push_back(std::move(f));
    }
  } else {
    files.resize(static_cast<size_t>(state.NumFiles - 1));
    bool first = true;
    for (int i = 1; i < state.NumFiles; ++i) {
      SetFile& f = files[i - 1];
      f.path = km::JoinPath(state.File[0], state.File[i]);
      if (!km::FileTest(f.path, km::kFileMustExist)) continue;
      if (!ReadSetFile(sink, f)) continue;
      // The first file read decides the scan type the others must share.
      if (first) state.OmegaScan = f.header.ScanType == km::kScanTypeOmega;
      first = false;
      if (f.header.RelatedFileCount > 1) {
        ShowErrorBox(sink, "Jetzt ist aber gut!");
        ShowErrorBox(sink, "2Masterfiles koennen nicht geladen werden!");
        return false;
      }
      takeTotal(f.header);
    }
  }
  if (state.NumFiles - 1 <= 0) {
    ShowErrorBox(sink, "No diagram could be loaded!");
    state.NumDiagrams = 0;
    state.MaxPoints = 0;
    return false;
  }

  std::vector<Diagram> diagrams;
  diagrams.reserve(files.size());
  const float colourStep = 255.0f / static_cast<float>(expected + 1);
  std::vector<float> scratch(kMaxRangePoints);
  std::optional<int64_t> startTime;  // collection start of the first list entry that could be read
  int capacity = largestTotal;
  for (int i = 1; i < state.NumFiles; ++i) {
    SetFile& f = files[i - 1];
    if (!f.headerRead) continue;  // missing, or its header was refused with a message already
    km::RawFileContext context;
    context.Path = f.path;
    km::RawRangeHeader range = km::ZeroRangeHeader();
    const bool read = km::ParseRawRange(sink, f.bytes, context, 1, range, scratch, nullptr, km::RangeReaderVariant::Viewer);
    std::vector<uint8_t>().swap(f.bytes);
    if ((context.Header.ScanType == km::kScanTypeOmega) != state.OmegaScan) {
      ShowErrorBox(sink, "The selected files have different scan types!\nFile skipped");
      continue;
    }
    if (!read) continue;
    const int64_t t = ParseTimeStamp(km::FieldText(range.CollectionStart));
    if (!startTime) startTime = t;
    const float hours = static_cast<float>(t - *startTime) * 0.00027777778f;

    const int k = static_cast<int>(diagrams.size());
    Diagram& d = diagrams.emplace_back();
    const int16_t points = range.PointCount;
    d.PointCount = std::clamp<int>(points, 0, kMaxRangePoints);
    capacity = std::max(capacity, d.PointCount);
    d.Points.resize(static_cast<size_t>(d.PointCount));
    for (int j = 0; j < d.PointCount; ++j) d.Points[j] = {j, std::max(scratch[j], 0.0f)};
    d.RawMax = d.ScaledMax = d.TopValue = static_cast<float>(range.MaxIntensity);
    d.Scaling = 0;
    d.XBegin = state.OmegaScan ? range.OmegaBegin : range.TwoThetaBegin;
    d.XEnd = state.OmegaScan ? range.OmegaEnd : range.TwoThetaEnd;
    d.XStep = (d.XEnd - d.XBegin) / static_cast<float>(d.PointCount);
    d.VisibleXBegin = d.XBegin;
    d.VisibleXEnd = d.XEnd;
    d.Color = state.Gradient[std::clamp(TruncToInt(static_cast<float>(i) * colourStep), 0, kGradientSize - 1)];
    d.Name = f.path;
    ApplyZRule(state, d, zRule, range, km::FileNameOf(f.path), k, i, hours);
  }
  // A set of which no file could be drawn is a failure, not an empty picture.
  if (diagrams.empty()) {
    ShowErrorBox(sink, "No diagram could be loaded!");
    state.NumDiagrams = 0;
    state.MaxPoints = 0;
    return false;
  }
  // Every diagram gets the same number of slots, those past its points holding 0.
  for (Diagram& d : diagrams) ResizePoints(d, capacity);

  state.Diagrams = std::move(diagrams);
  state.NumDiagrams = static_cast<int>(state.Diagrams.size());
  state.MaxPoints = capacity;
  state.ZMode = 0;
  state.RangesDirty = true;
  return true;
}

void CreateDemoSet(ViewerState& state) {
  constexpr int kPoints = 200;
  constexpr int kDiagrams = 20;
  constexpr int kBlock = 31;
  state.Diagrams.assign(kDiagrams, Diagram{});
  state.MaxPoints = kPoints;
  state.NumDiagrams = kDiagrams;
  for (int i = 0; i < kDiagrams; ++i) {
    Diagram& d = state.Diagrams[i];
    d.Color = {250, 10, 0};
    d.PointCount = kPoints;
    ResizePoints(d, kPoints);
    for (int j = 0; j < kPoints; ++j) d.Points[j].Intensity = (j / kBlock) % 2 == 1 ? 50000.0f : 0.0f;
    d.XBegin = d.VisibleXBegin = 0.0f;
    d.XEnd = d.VisibleXEnd = 20.0f;
    d.XStep = 0.1f;
    d.RawMax = d.ScaledMax = d.TopValue = 50000.0f;
    d.Scaling = 0;
    d.Z = {static_cast<float>(i), static_cast<float>(i), static_cast<float>(i)};
  }
  state.ZAxis = {"Z axis = N", "Z axis = N", "Z axis = N"};
  state.RangesDirty = true;
}

int64_t ParseTimeStamp(std::string_view text) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (text.find('?') != std::string_view::npos || text.size() < 15) return 0;
  int month = 0;
  for (int m = 0; m < 12; ++m)
    if (text.substr(3, 3) == kMonths[m]) month = m + 1;
  if (month == 0) return 0;
  int year = LeadingNumber(text.substr(7, 2));
  year += year < 70 ? 2000 : 1900;
  std::tm t{};
  t.tm_mday = LeadingNumber(text.substr(0, 2));
  t.tm_mon = month - 1;
  t.tm_year = year - 1900;
  t.tm_hour = LeadingNumber(text.substr(10, 2));
  t.tm_min = LeadingNumber(text.substr(13, 2));
  t.tm_sec = 0;
  t.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&t);
  return seconds == static_cast<std::time_t>(-1) ? 0 : static_cast<int64_t>(seconds);
}

}  // namespace morvane
