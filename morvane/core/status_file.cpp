#include "morvane/core/status_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>

#include "common/core/file_access.h"
#include "common/core/text.h"
#include "morvane/core/file_set.h"
#include "morvane/core/scaling.h"

namespace morvane {
namespace {

constexpr char kMagic[] = "3DGraphics";
constexpr size_t kValueColumn = 13;
constexpr size_t kKeyWidth = 11;
// A status file of the largest set is some 300 KB; anything far beyond is no status file.
constexpr size_t kMostStatusBytes = 4u << 20;
// Faces from a file are held within this, so that no later arithmetic on them can overflow.
constexpr int kMostFaceCoordinate = 1 << 20;

constexpr StatusKey kKeys[] = {
    {"StartColor:", StatusValueKind::Ints, 3},   {"MeanColor: ", StatusValueKind::Ints, 3},
    {"EndColor:  ", StatusValueKind::Ints, 3},   {"BackColor: ", StatusValueKind::Ints, 3},
    {"GridColor: ", StatusValueKind::Ints, 3},   {"PenColor:  ", StatusValueKind::Ints, 3},
    {"LabelPos:  ", StatusValueKind::Ints, 3},   {"XDraw:     ", StatusValueKind::Floats, 2},
    {"YDraw:     ", StatusValueKind::Floats, 2}, {"ZDraw:     ", StatusValueKind::Floats, 2},
    {"Front:     ", StatusValueKind::Ints, 4},   {"Back:      ", StatusValueKind::Ints, 4},
    {"ZAxis0:    ", StatusValueKind::Text, 0},   {"ZAxis1:    ", StatusValueKind::Text, 0},
    {"ZAxis2:    ", StatusValueKind::Text, 0},   {"XAxis:     ", StatusValueKind::Text, 0},
    {"YAxis:     ", StatusValueKind::Text, 0},   {"Title:     ", StatusValueKind::Text, 0},
    {"Controls1: ", StatusValueKind::Ints, 4},   {"Controls2: ", StatusValueKind::Ints, 4},
    {"Controls3: ", StatusValueKind::Ints, 4},   {"Controls4: ", StatusValueKind::Ints, 1},
};

// Lines as a text-mode reader sees them: split at LF, a CR before it dropped.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::string_view ValueOf(std::string_view line) {
  return line.size() > kValueColumn ? line.substr(kValueColumn) : std::string_view{};
}

std::string_view SkipBlanks(std::string_view v) {
  while (!v.empty() && std::isspace(static_cast<unsigned char>(v.front()))) v.remove_prefix(1);
  return v;
}

Rgb ColourOf(const std::vector<int>& v, Rgb old) {
  auto c = [](int x) { return static_cast<uint8_t>(std::clamp(x, 0, 255)); };
  return {v.size() > 0 ? c(v[0]) : old.r, v.size() > 1 ? c(v[1]) : old.g, v.size() > 2 ? c(v[2]) : old.b};
}

Rect FaceOf(const std::vector<int>& v, Rect old) {
  auto c = [](int x) { return std::clamp(x, -kMostFaceCoordinate, kMostFaceCoordinate); };
  return {v.size() > 0 ? c(v[0]) : old.left, v.size() > 1 ? c(v[1]) : old.top, v.size() > 2 ? c(v[2]) : old.right,
          v.size() > 3 ? c(v[3]) : old.bottom};
}

void TakeSwitch(const std::vector<int>& v, size_t i, bool& flag) {
  if (i < v.size()) flag = v[i] != 0;
}

}  // namespace

std::span<const StatusKey> StatusKeys() { return kKeys; }

std::vector<int> ScanInts(std::string_view value, int count) {
  std::vector<int> out;
  while (static_cast<int>(out.size()) < count) {
    value = SkipBlanks(value);
    if (!value.empty() && value.front() == '+') value.remove_prefix(1);
    long long v = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    if (ec == std::errc::invalid_argument) break;
    if (ec == std::errc::result_out_of_range) v = value.front() == '-' ? LLONG_MIN : LLONG_MAX;
    out.push_back(static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)));
    value.remove_prefix(static_cast<size_t>(end - value.data()));
  }
  return out;
}

std::vector<float> ScanFloats(std::string_view value, int count) {
  std::vector<float> out;
  while (static_cast<int>(out.size()) < count) {
    value = SkipBlanks(value);
    if (!value.empty() && value.front() == '+') value.remove_prefix(1);
    float v = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    if (ec == std::errc::invalid_argument) break;
    out.push_back(v);
    value.remove_prefix(static_cast<size_t>(end - value.data()));
  }
  return out;
}

std::string FormatStatusFile(const ViewerState& st) {
  std::string s;
  auto line = [&](const std::string& text) { s += text + "\r\n"; };
  auto colour = [&](const char* key, Rgb c) { line(km::Printf("%-14s%3d %3d %3d", key, c.r, c.g, c.b)); };
  line("3DGraphics Status File");
  line(km::Printf("MainWin:       %ld %ld %ld %ld", long{st.MainWin.left}, long{st.MainWin.top},
                  long{st.MainWin.right}, long{st.MainWin.bottom}));
  line(km::Printf("NumFiles:      %d", st.NumFiles));
  for (int d = 0; d < std::min(st.NumFiles, kMaxFiles); ++d) line(km::Printf("File%d:         %s", d, st.File[d].c_str()));
  colour("StartColor:", st.StartColor);
  colour("MeanColor:", st.MeanColor);
  colour("EndColor:", st.EndColor);
  colour("BackColor:", st.BackColor);
  colour("GridColor:", st.GridColor);
  colour("PenColor:", st.PenColor);
  line(km::Printf("LabelPos:     %3d %3d %3d", st.LabelPos[0], st.LabelPos[1], st.LabelPos[2]));
  line(km::Printf("Controls1:    %3d %3d %3d %3d ", st.FilledDiagrams, st.BorderPen, st.UserCaptions, st.UserZAxis));
  line(km::Printf("Controls2:    %3d %3d %3d %3d ", st.RelativeIntensities, st.Busy, st.DrawBox, st.DrawGrid));
  line(km::Printf("Controls3:    %3d %3d %3d %3d ", st.Linear, st.SQRT, st.LOG, st.TopView));
  line(km::Printf("Controls4:    %3d ", st.InvertZ));
  auto range = [&](const char* key, FloatRange r) {
    line(km::Printf("%-14s%f %f", key, static_cast<double>(r.min), static_cast<double>(r.max)));
  };
  range("XDraw:", st.XDraw);
  range("YDraw:", st.YDraw);
  range("ZDraw:", st.ZDraw);
  auto face = [&](const char* key, const Rect& r) {
    line(km::Printf("%-14s%ld %ld %ld %ld", key, long{r.left}, long{r.top}, long{r.right}, long{r.bottom}));
  };
  face("Front:", st.Front);
  face("Back:", st.Back);
  line("ZAxis0:       " + st.ZAxis[0]);
  line("ZAxis1:       " + st.ZAxis[1]);
  line("ZAxis2:       " + st.ZAxis[2]);
  line("XAxis:        " + st.XAxis);
  line("YAxis:        " + st.YAxis);
  line("Title:        " + st.Title);
  line(km::Printf("ZAxisT:       %f %f %d", static_cast<double>(st.ZAxisT.start),
                  static_cast<double>(st.ZAxisT.increment), st.ZAxisT.count));
  return s;
}

bool WriteStatusFile(const ViewerState& state, km::MessageSink& sink, const std::string& path) {
  auto file = km::OpenFileReport(sink, path, km::OpenMode::Create, "Status");
  if (!file) return false;
  const std::string text = FormatStatusFile(state);
  if (!file->WriteAt(0, text.data(), text.size()) || !file->Close()) {
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeAccessed, "Status", path));
    return false;
  }
  return true;
}

StatusParse ParseStatusFile(std::string_view text, StatusFile& out) {
  out = StatusFile{};
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty() || lines[0].substr(0, 10) != kMagic) return {StatusProblem::NotStatusFile, 0};
  size_t next = 1;
  if (next < lines.size()) out.MainWin = ScanInts(ValueOf(lines[next++]), 4);
  if (next < lines.size()) {
    const std::vector<int> n = ScanInts(ValueOf(lines[next++]), 1);
    out.NumFiles = n.empty() ? 0 : std::max(n[0], 0);
  }
  if (out.NumFiles > kMaxFiles) return {StatusProblem::TooManyFiles, out.NumFiles};
  for (int d = 0; d < out.NumFiles; ++d) {
    if (next >= lines.size() || lines[next].substr(0, 4) != "File") return {StatusProblem::BadFileLine, d};
    std::string_view word = SkipBlanks(ValueOf(lines[next++]));
    size_t end = 0;
    while (end < word.size() && !std::isspace(static_cast<unsigned char>(word[end]))) ++end;
    if (end > static_cast<size_t>(kMaxNameLength)) return {StatusProblem::NameTooLong, d};
    out.Files.emplace_back(word.substr(0, end));
  }
  for (; next < lines.size(); ++next) {
    const std::string_view line = lines[next];
    for (const StatusKey& key : kKeys)
      if (line.substr(0, kKeyWidth) == key.key) out.Settings.emplace_back(key.key, std::string(ValueOf(line)));
  }
  return {};
}

std::string DescribeStatusProblem(const StatusParse& parse) {
  switch (parse.problem) {
    case StatusProblem::NotStatusFile:
      return "This is not a 3DGraphics Status File!";
    case StatusProblem::TooManyFiles:
      return km::Printf("Error NumFiles %d!\n\nA Status File can list at most %d files.", parse.number, kMaxFiles);
    case StatusProblem::BadFileLine:
      return km::Printf("Error File %d!", parse.number);
    case StatusProblem::NameTooLong:
      return km::Printf("Error File %d!\n\nThe name is longer than %d characters.", parse.number, kMaxNameLength);
    case StatusProblem::None:
      break;
  }
  return {};
}

void ApplyStatusSettings(ViewerState& st, const StatusFile& file) {
  for (const auto& [key, value] : file.Settings) {
    const std::vector<int> ints = ScanInts(value, 4);
    const std::vector<float> floats = ScanFloats(value, 2);
    auto range = [&](FloatRange& r) {
      if (floats.size() > 0) r.min = floats[0];
      if (floats.size() > 1) r.max = floats[1];
    };
    if (key == "StartColor:") st.StartColor = ColourOf(ints, st.StartColor);
    if (key == "MeanColor: ") st.MeanColor = ColourOf(ints, st.MeanColor);
    if (key == "EndColor:  ") st.EndColor = ColourOf(ints, st.EndColor);
    if (key == "BackColor: ") st.BackColor = ColourOf(ints, st.BackColor);
    if (key == "GridColor: ") st.GridColor = ColourOf(ints, st.GridColor);
    if (key == "PenColor:  ") st.PenColor = ColourOf(ints, st.PenColor);
    if (key == "LabelPos:  ")
      for (size_t i = 0; i < 3 && i < ints.size(); ++i) st.LabelPos[i] = ints[i];
    if (key == "XDraw:     ") range(st.XDraw);
    if (key == "YDraw:     ") range(st.YDraw);
    if (key == "ZDraw:     ") range(st.ZDraw);
    if (key == "Front:     ") st.Front = FaceOf(ints, st.Front);
    if (key == "Back:      ") st.Back = FaceOf(ints, st.Back);
    const std::string text(SkipBlanks(value));
    if (key == "ZAxis0:    ") st.ZAxis[0] = text;
    if (key == "ZAxis1:    ") st.ZAxis[1] = text;
    if (key == "ZAxis2:    ") st.ZAxis[2] = text;
    if (key == "XAxis:     ") st.XAxis = text;
    if (key == "YAxis:     ") st.YAxis = text;
    if (key == "Title:     ") st.Title = text;
    if (key == "Controls1: ") {
      TakeSwitch(ints, 0, st.FilledDiagrams);
      TakeSwitch(ints, 1, st.BorderPen);
      TakeSwitch(ints, 2, st.UserCaptions);
      TakeSwitch(ints, 3, st.UserZAxis);
    }
    if (key == "Controls2: ") {
      // The second value is the Busy switch of the program that wrote the file; taken over, it would
      // stop every later paint, so it is read and left alone.
      TakeSwitch(ints, 0, st.RelativeIntensities);
      TakeSwitch(ints, 2, st.DrawBox);
      TakeSwitch(ints, 3, st.DrawGrid);
    }
    if (key == "Controls3: ") {
      TakeSwitch(ints, 0, st.Linear);
      TakeSwitch(ints, 1, st.SQRT);
      TakeSwitch(ints, 2, st.LOG);
      TakeSwitch(ints, 3, st.TopView);
    }
    if (key == "Controls4: ") TakeSwitch(ints, 0, st.InvertZ);
  }
}

bool ReadStatusFile(ViewerState& state, km::MessageSink& sink, const std::string& path, Rect* window,
                    bool* settingsRead) {
  if (settingsRead) *settingsRead = false;
  CreateDemoSet(state);
  km::OpenResult opened = km::OpenFileQuiet(path, km::OpenMode::Read);
  if (!opened.file) {
    ShowErrorBox(sink, " Can not open Status File!");
    return false;
  }
  const int64_t size = opened.file->Size();
  std::string text;
  if (size >= 0 && static_cast<uint64_t>(size) <= kMostStatusBytes) {
    text.resize(static_cast<size_t>(size));
    text.resize(opened.file->ReadAt(0, text.data(), text.size()));
  }
  opened.file.reset();

  StatusFile file;
  const StatusParse parse = ParseStatusFile(text, file);
  if (parse.problem != StatusProblem::NotStatusFile && window && file.MainWin.size() == 4)
    *window = {file.MainWin[0], file.MainWin[1], file.MainWin[2], file.MainWin[3]};
  if (parse.problem != StatusProblem::None) {
    ShowErrorBox(sink, DescribeStatusProblem(parse));
    return false;
  }
  std::fill(state.File.begin(), state.File.end(), std::string());
  state.NumFiles = file.NumFiles;
  for (int d = 0; d < file.NumFiles; ++d) state.File[d] = file.Files[d];
  const bool loaded = OpenFileSet(state, sink, state.File[0]);
  if (!loaded) CreateDemoSet(state);
  ApplyStatusSettings(state, file);
  ApplyScalingSwitches(state);
  if (settingsRead) *settingsRead = true;
  return loaded;
}

}  // namespace morvane
