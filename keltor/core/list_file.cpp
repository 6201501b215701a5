#include "keltor/core/list_file.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "common/core/text.h"

namespace keltor {

namespace {

constexpr int kColumnWidth = 35;
constexpr int kPointsPerLine = 10;
constexpr char kIndent[] = "              ";  // where the range's detail lines begin

// Appends blanks up to the column; a longer text stays as it is.
std::string PadToColumn(std::string text) {
  if (text.size() < static_cast<size_t>(kColumnWidth)) text.resize(kColumnWidth, ' ');
  return text;
}

// Blank-normalises the part of a labelled line after its first ": ".
std::string NormalizeAfterLabel(std::string line) {
  const auto at = line.find(": ");
  if (at == std::string::npos) return line;
  std::string value = line.substr(at + 2);
  km::NormalizeBlanks(value);
  line.resize(at + 2);
  return line + value;
}

bool HasText(const std::string& text) { return km::TrimmedLength(text) > 0; }

// An enumeration value outside its table has no name; the list shows the value itself.
std::string NameOf(std::optional<std::string_view> name, int value) {
  return name ? std::string(*name) : km::Printf("unknown (%d)", value);
}

void AddComment(const std::string& comment, std::vector<std::string>& lines) {
  size_t begin = 0;
  bool first = true;
  while (begin < comment.size()) {
    size_t end = comment.find('\n', begin);
    if (end == std::string::npos) end = comment.size();
    std::string piece = comment.substr(begin, end - begin);
    if (!piece.empty() && piece.back() == '\r') piece.back() = ' ';
    lines.push_back((first ? std::string(" Comment : ") : std::string(11, ' ')) + piece);
    first = false;
    begin = end + 1;
  }
}

void AddFileHeader(const WorkbenchFile& file, std::vector<std::string>& lines) {
  const km::RawFileHeader& h = file.WorkingFile.Header;
  lines.push_back(" ");
  lines.push_back(km::Printf(" File     : %s", file.DocumentPath.c_str()));
  const std::string created = km::FieldText(h.CreationTime);
  lines.push_back(km::Printf(" Created  : %s by %s  ( %s )", created.c_str(),
                             km::FieldText(h.CreatorProgram).substr(0, 6).c_str(),
                             km::FieldText(h.Magic).c_str()));
  const std::string modified = km::FieldText(h.ModificationTime);
  if (HasText(modified) && modified != created) {
    lines.push_back(km::Printf(" Modified : %s by %s", modified.c_str(), km::FieldText(h.ModifierProgram).c_str()));
  }
  lines.push_back(" ");
  lines.push_back(km::Printf(" Title    : %s", km::FieldText(h.Title).c_str()));
  const std::string comment = km::FieldText(h.Comment);
  if (HasText(comment)) {
    lines.push_back(" ");
    AddComment(comment, lines);
  }
  lines.push_back(" ");
  lines.push_back(
      PadToColumn(km::Printf(" Diffract. : %s", NameOf(km::DiffractometerTypeName(h.DiffractometerType),
                                                       h.DiffractometerType).c_str())) +
      km::Printf("Monochrom. : %s", NameOf(km::MonochromatorName(h.Monochromator), h.Monochromator).c_str()));
  const std::string radiation = NormalizeAfterLabel(
      km::Printf(" Radiation : %8.5f %s", static_cast<double>(h.WavelengthAlpha1),
                 NameOf(km::RadiationSymbol(h.Radiation), h.Radiation).c_str()));
  if (h.InstrumentInfoValid != 1) {
    lines.push_back(radiation);
    return;
  }
  lines.push_back(PadToColumn(radiation) +
                  km::Printf("Generator  : %d kV, %d mA", h.GeneratorVoltage, h.GeneratorCurrent));
  std::string detector =
      km::Printf(" Detector  : %s", NameOf(km::DetectorTypeName(h.DetectorType), h.DetectorType).c_str());
  if (h.DetectorType > 1) {
    detector = PadToColumn(detector) +
               km::Printf("PSD Mode   : %s / %s Omega", NameOf(km::PsdModeName(h.PsdMode), h.PsdMode).c_str(),
                          NameOf(km::PsdOmegaModeName(h.PsdOmegaMode), h.PsdOmegaMode).c_str());
  }
  lines.push_back(detector);
  lines.push_back(PadToColumn(km::Printf(" Scan Mode : %s", NameOf(km::ScanModeName(h.ScanMode), h.ScanMode).c_str())) +
                  km::Printf("Scan Type  : %s", NameOf(km::ScanTypeName(h.ScanType), h.ScanType).c_str()));
  lines.push_back(km::Printf(" Scan Usage: %s", NameOf(km::ScanUsageName(h.ScanUsage), h.ScanUsage).c_str()));
  lines.push_back(" ");
  lines.push_back(km::Printf(" Number of ranges : %d, measured %d", h.RangeCount, h.MeasuredRangeCount));
  if (h.ScanUsage == 0) return;
  if ((h.ScanUsage == 1 || h.ScanUsage == 6) && h.SampleNumber != 0) {
    lines.push_back(" ");
    lines.push_back(km::Printf(" Sample number %d of %d", h.SampleNumber, h.SampleCount));
  }
  if (h.RelatedFileCount > 1) {
    std::string base = km::FileNameOf(file.DocumentPath);
    if (const auto point = base.rfind('.'); point != std::string::npos) base.resize(point);
    lines.push_back(" ");
    lines.push_back(km::Printf(" Related Files : %s.%3.3d .. %3.3d", base.c_str(), h.RelatedFirstNumber,
                               h.RelatedFirstNumber + h.RelatedFileCount - 1));
  }
}

// Scan axis of the data: Omega for Omega scans, else 2Theta.
struct ListedAxis {
  const char* Name;
  float Begin;
  float Step;
};

ListedAxis AxisOf(const km::RawFileHeader& h, const km::RawRangeHeader& r) {
  if (h.ScanType == km::kScanTypeOmega) return {"Omega", r.OmegaBegin, r.OmegaStep};
  return {"2Theta", r.TwoThetaBegin, r.TwoThetaStep};
}

// "%7.0f", or with a scale factor above 1 width 9 and as many decimals as the factor has digits.
std::string IntensityFormat(float scaleFactor) {
  if (!(scaleFactor > 1)) return "%7.0f";
  // Beyond 15 decimals a float shows nothing more; an infinite factor would make no format at all.
  constexpr double kMostDecimals = 15;
  const double digits = std::log10(static_cast<double>(scaleFactor));
  const double decimals = std::isfinite(digits) ? km::RoundHalfAway(std::min(digits, kMostDecimals)) : kMostDecimals;
  return km::Printf("%%9.%df", static_cast<int>(decimals));
}

void AddConditions(const km::RawFileHeader& h, const km::RawRangeHeader& r, const ListedAxis& axis,
                   std::vector<std::string>& lines) {
  const std::string indent = kIndent;
  lines.push_back(" ");
  if (h.ScanUsage == 2) lines.push_back(indent + km::Printf("Omega position   : %-8.2f", double{r.OmegaPosition}));
  if (h.ScanUsage == 3) {
    std::string line = indent + km::Printf("Sample position  : %8.3f", double{r.SamplePosition1});
    if (r.SamplePositionCount > 1) line += km::Printf(", %8.3f", double{r.SamplePosition2});
    lines.push_back(NormalizeAfterLabel(line));
  }
  if (h.ScanUsage == 4) {
    lines.push_back(NormalizeAfterLabel(indent + km::Printf("Temperature      : %7.1f +/- %7.1f",
                                                            double{r.Temperature}, double{r.TemperatureDeviation})));
  }
  if (r.PrimaryBeamIntensity != 0) {
    lines.push_back(NormalizeAfterLabel(indent + km::Printf("Primary beam int.: %8.1f +/- %8.1f",
                                                            double{r.PrimaryBeamIntensity},
                                                            double{r.PrimaryBeamDeviation})));
  }
  if (r.DivergenceSlit > 0) {
    std::string line = NormalizeAfterLabel(indent + km::Printf("Divergence slit  : %-8.3f", double{r.DivergenceSlit}));
    line.resize(km::TrimmedLength(line));
    if (r.SampleArea != 0) {
      // The underscores survive the blank normalisation and then open a gap before "Sample Area".
      std::string variable = km::Printf(", %-8.3f ___Sample Area = %-8.2f", double{r.DivergenceSlitEnd},
                                        double{r.SampleArea});
      km::NormalizeBlanks(variable);
      line += variable;
      std::replace(line.begin(), line.end(), '_', ' ');
    } else {
      line += " (fixed)";
    }
    lines.push_back(line);
    lines.push_back(indent + km::Printf("Receiving  slit  : %-8.3f", double{r.ReceivingSlit}));
  }
  lines.push_back(NormalizeAfterLabel(indent + km::Printf("Time / Step      : %7.1f sec", double{r.TimePerStep})));
  lines.push_back(indent + km::Printf("Data collection  : %s .. %s", km::FieldText(r.CollectionStart).c_str(),
                                      km::FieldText(r.CollectionEnd).c_str()));
  const int backgroundCount = std::min<int>(r.BackgroundPointCount, km::kMaxBackgroundPoints);
  if (backgroundCount > 0) {
    lines.push_back(" ");
    lines.push_back(indent + km::Printf("Background Points : %d    Factor = %5.0f   Smooth = %-12.5g",
                                        r.BackgroundPointCount, double{r.BackgroundFactor},
                                        double{r.BackgroundSmooth}));
    lines.push_back(" ");
    for (int j = 0; j < backgroundCount; ++j) {
      const float position = static_cast<float>(r.BackgroundPointIndex[j] - 1) * axis.Step + axis.Begin;
      const float intensity = static_cast<float>(r.BackgroundIntensity[j]) / r.BackgroundFactor;
      lines.push_back(indent + km::Printf("%9.3f %8.1f", double{position}, double{intensity}));
    }
  }
}

void AddRange(const WorkbenchFile& file, int number, bool fullFile, std::vector<std::string>& lines) {
  const km::RawFileHeader& h = file.WorkingFile.Header;
  const km::RawRangeHeader& r = file.CurrentRangeHeader;
  const char* angle = h.AngleResolution > 1000 ? "%9.4f" : "%9.3f";
  auto angles = [angle](float begin, float end, float step) {
    return km::Printf(angle, double{begin}) + km::Printf(angle, double{end}) + km::Printf(angle, double{step});
  };
  lines.push_back(" ");
  lines.push_back(km::Printf(" Range %d      2Theta ( begin, end, step ) :", number) +
                  angles(r.TwoThetaBegin, r.TwoThetaEnd, r.TwoThetaStep));
  lines.push_back("              Omega  ( begin, end, step ) :" + angles(r.OmegaBegin, r.OmegaEnd, r.OmegaStep));
  const ListedAxis axis = AxisOf(h, r);
  if (h.InstrumentInfoValid == 1) AddConditions(h, r, axis, lines);

  const std::string intensity = IntensityFormat(r.ScaleFactor);
  // The extremes are kept in stored units; they are shown as the data are, scaled only above 1.
  const float scale = r.ScaleFactor > 1 ? r.ScaleFactor : 1.0f;
  std::string extremes = km::Printf(intensity.c_str(), double{static_cast<float>(r.MinIntensity) / scale}) + "," +
                         km::Printf(intensity.c_str(), double{static_cast<float>(r.MaxIntensity) / scale});
  km::NormalizeBlanks(extremes);
  lines.push_back(" ");
  lines.push_back(km::Printf("              Number of points : %-5d      Min. and max. intensity : %s",
                             r.PointCount, extremes.c_str()));
  if (!fullFile) return;
  lines.push_back(" ");
  lines.push_back(km::Printf("   %s                       Intensities", axis.Name));
  lines.push_back(" ");
  const int points = std::clamp<int>(r.PointCount, 0, static_cast<int>(file.CurrentRangeData.size()));
  for (int i = 0; i < points; i += kPointsPerLine) {
    std::string line = km::Printf(angle, double{static_cast<float>(i) * axis.Step + axis.Begin});
    for (int k = i; k < std::min(points, i + kPointsPerLine); ++k) {
      line += km::Printf(intensity.c_str(), double{file.CurrentRangeData[static_cast<size_t>(k)]});
    }
    lines.push_back(line);
  }
}

}  // namespace

bool MakeListLines(km::MessageSink& sink, WorkbenchFile& file, bool fullFile, std::vector<std::string>& lines) {
  lines.clear();
  AddFileHeader(file, lines);
  const km::RawFileHeader& h = file.WorkingFile.Header;
  if (h.TotalPointCount == 0) return true;
  for (int r = 1; r <= h.MeasuredRangeCount; ++r) {
    if (!file.ReadWorkbenchRange(sink, r, file.CurrentRangeHeader, file.CurrentRangeData)) return false;
    AddRange(file, r, fullFile, lines);
  }
  return true;
}

bool WriteListLines(km::MessageSink& sink, const std::string& path, const std::vector<std::string>& lines) {
  auto opened = km::OpenFileQuiet(path, km::OpenMode::Create);
  if (!opened.file) {
    sink.ShowError(km::Printf("File cannot be opened: %s", path.c_str()));
    return false;
  }
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  const bool written = opened.file->WriteAt(0, text.data(), text.size());
  if (!opened.file->Close() || !written) {
    // A list cut short by a full disk is not passed off as written.
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "List", path));
    return false;
  }
  return true;
}

std::string ProposedListFileName(const std::string& documentPath) {
  const auto separator = documentPath.find_last_of("/\\");
  const auto point = documentPath.rfind('.');
  const bool hasExtension = point != std::string::npos && (separator == std::string::npos || point > separator);
  return (hasExtension ? documentPath.substr(0, point) : documentPath) + ".lst";
}

std::string DefaultPrintListPath(const std::string& workDirectory) {
  return km::JoinPath(workDirectory, "KELTOR.LST");
}

std::string PrintListCommandLine(const std::string& programDirectory, const std::string& listPath) {
  return km::JoinPath(km::JoinPath(programDirectory, "PROGRAMS"), "PRONTA.EXE") + " /p " + listPath;
}

}  // namespace keltor
