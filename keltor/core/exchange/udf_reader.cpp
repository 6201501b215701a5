#include "keltor/core/exchange/udf_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/core/c_locale.h"

namespace keltor {

namespace {

constexpr int kNumbersPerLine = 10;

bool IsUdfPadding(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsUdfPadding(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsUdfPadding(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Walks the file line by line; a line ends at LF, a CR before it belongs to the line end.
class LineReader {
 public:
  explicit LineReader(std::span<const uint8_t> file)
      : text_(reinterpret_cast<const char*>(file.data()), file.size()) {}
  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const size_t end = text_.find('\n', pos_);
    const size_t stop = end == std::string_view::npos ? text_.size() : end;
    line = text_.substr(pos_, stop - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// The keyword lines before "RawScan", each trimmed.
class UdfKeywords {
 public:
  void Add(std::string_view line) { lines_.push_back(line); }

  // The value text after the comma of the first line whose keyword matches, case ignored.
  std::optional<std::string_view> Find(std::string_view keyword) const {
    for (std::string_view line : lines_) {
      const size_t comma = line.find(',');
      if (comma == std::string_view::npos) continue;
      if (EqualsIgnoringCase(Trim(line.substr(0, comma)), keyword)) return line.substr(comma + 1);
    }
    return std::nullopt;
  }

 private:
  std::vector<std::string_view> lines_;
};

// Field i (from 0) of a value: the text up to the next comma, blanks around it being padding. A
// field that no comma closes (the "/" at the end of a line) is empty.
std::string_view Field(std::string_view value, int index) {
  for (int i = 0;; ++i) {
    const size_t comma = value.find(',');
    if (comma == std::string_view::npos) return {};
    if (i == index) return Trim(value.substr(0, comma));
    value.remove_prefix(comma + 1);
  }
}

// The number at the front of a field, as the C library reads it; 0 when there is none or when it is
// beyond what a header field holds.
float FieldReal(std::string_view field) {
  const std::string text(field);
  const km::CLocaleScope cLocale;
  const double v = std::strtod(text.c_str(), nullptr);
  return std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max() ? static_cast<float>(v) : 0.0f;
}

int16_t FieldShort(std::string_view field) {
  const std::string text(field);
  const long v = std::strtol(text.c_str(), nullptr, 10);
  return static_cast<int16_t>(std::clamp<long>(v, std::numeric_limits<int16_t>::min(),
                                               std::numeric_limits<int16_t>::max()));
}

bool IsNumberCharacter(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == 'd' || c == 'D' || c == '+' ||
         c == '-';
}

// A piece of number characters read as a real the way "%f" reads it: the longest number at its
// front, the rest ignored. Only finite values count.
bool PieceValue(std::string_view piece, float& value) {
  if (std::none_of(piece.begin(), piece.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  std::string_view digits = piece;
  if (digits.size() > 1 && digits[0] == '+' && digits[1] != '+' && digits[1] != '-') digits.remove_prefix(1);
  float v = 0.0f;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
  if (ec == std::errc()) {
    value = v;
    return true;
  }
  if (ec != std::errc::result_out_of_range) return false;
  // Too large is no count at all; too small is read as the C library reads it (zero or subnormal).
  const std::string text(piece);
  const km::CLocaleScope cLocale;
  const float slow = std::strtof(text.c_str(), nullptr);
  if (!std::isfinite(slow)) return false;
  value = slow;
  return true;
}

}  // namespace

int AppendLineNumbers(std::string_view line, std::vector<float>& values) {
  int found = 0;
  size_t i = 0;
  while (found < kNumbersPerLine && i < line.size()) {
    while (i < line.size() && !IsNumberCharacter(line[i])) ++i;
    const size_t start = i;
    while (i < line.size() && IsNumberCharacter(line[i])) ++i;
    if (i == start) break;
    float v = 0.0f;
    if (PieceValue(line.substr(start, i - start), v)) {
      values.push_back(v);
      ++found;
    }
  }
  return found;
}

bool ReadUdf(km::MessageSink& sink, std::span<const uint8_t> file, ImportedScan& scan) {
  LineReader reader(file);
  UdfKeywords keywords;
  bool rawScan = false;
  std::string_view line;
  while (reader.Next(line)) {
    line = Trim(line);
    if (EqualsIgnoringCase(line, "RawScan")) {
      rawScan = true;
      break;
    }
    keywords.Add(line);
  }
  if (!rawScan) {
    sink.ShowError("Importfile contains no data!");
    return false;
  }
  if (!keywords.Find("SampleIdent")) {
    sink.ShowError("Fileformat seems not to be the UDF format!");
    return false;
  }

  km::RawFileHeader h = ImportDefaultHeader();
  ImportedRange range;
  km::RawRangeHeader& r = range.Header;
  if (const auto v = keywords.Find("Title1")) km::SetFieldText(h.Title, Field(*v, 0));
  if (const auto v = keywords.Find("Title2")) km::SetFieldText(h.Comment, Field(*v, 0));
  if (const auto v = keywords.Find("DiffrType"); v && Field(*v, 0) == "Transmission") h.DiffractometerType = 1;
  if (const auto v = keywords.Find("Anode")) SetAnode(h, Field(*v, 0));
  if (const auto v = keywords.Find("MonochromatorUsed"); v && EqualsIgnoringCase(Field(*v, 0), "yes")) {
    h.Monochromator = 1;
  }
  if (const auto v = keywords.Find("GeneratorVoltage")) h.GeneratorVoltage = FieldShort(Field(*v, 0));
  if (const auto v = keywords.Find("TubeCurrent")) h.GeneratorCurrent = FieldShort(Field(*v, 0));
  if (const auto v = keywords.Find("FileDateTime")) km::SetFieldText(h.CreationTime, Field(*v, 0));
  const auto angles = keywords.Find("DataAngleRange");
  if (!angles) {
    sink.ShowError("Can't find any 2theta informations!");
    return false;
  }
  r.TwoThetaBegin = FieldReal(Field(*angles, 0));
  r.TwoThetaEnd = FieldReal(Field(*angles, 1));
  const auto step = keywords.Find("ScanStepSize");
  if (!step) {
    sink.ShowError("Can't find any stepsize informations!");
    return false;
  }
  r.TwoThetaStep = FieldReal(Field(*step, 0));
  if (const auto v = keywords.Find("ScanStepTime")) r.TimePerStep = FieldReal(Field(*v, 0));

  std::vector<float>& data = range.Data;
  data.reserve(kImportMaxPoints + kNumbersPerLine);
  bool more = true;
  while (more) {
    if (static_cast<int>(data.size()) > kImportMaxPoints) break;
    more = reader.Next(line);
    if (more) AppendLineNumbers(line, data);
  }
  if (static_cast<int>(data.size()) > kImportMaxPoints) {
    sink.ShowWarning(" Importfile have too much data\n file will be truncate");
    data.resize(kImportMaxPoints);
    r.TwoThetaEnd = r.TwoThetaBegin + static_cast<float>(kImportMaxPoints - 1) * r.TwoThetaStep;
  }
  if (data.empty()) {
    // Keywords alone are no measurement: nothing is written.
    sink.ShowError("Importfile contains no data!");
    return false;
  }
  r.PointCount = static_cast<int16_t>(data.size());
  SetIntensityExtremes(r, data);
  scan.Header = h;
  scan.Ranges.clear();
  scan.Ranges.push_back(std::move(range));
  return true;
}

}  // namespace keltor
