#include "keltor/core/exchange/export_format.h"

#include <cmath>
#include <ctime>

#include "common/core/file_access.h"
#include "common/core/paths.h"
#include "common/core/text.h"

namespace keltor {
namespace {

constexpr std::array<ExportFormatInfo, kExportFormatCount> kFormats{{
    {" X / Y", "X/Y", "xyd", "xy"},
    {"GSAS", "GSAS", "gsa", "gsas"},
    {"Fullprof", "Fullprof", "ful", "fullprof"},
    {"XFIT", "XFIT", "xdd", "xfit"},
    {"CSD", "CSD", "pro", "csd"},
    {"UDF", "UDF", "udf", "udf"},
    {"PDF3", "ICDD PDF3", "pd3", "pdf3"},
}};

// Position of the dot that starts the extension of the path's file name; npos when it has none.
size_t ExtensionDot(std::string_view path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return dot;
  for (size_t i = dot + 1; i < path.size(); ++i) {
    if (km::IsPathSeparator(path[i])) return std::string_view::npos;
  }
  return dot;
}

}  // namespace

const ExportFormatInfo* ExportFormatOf(int format) {
  if (format < 0 || format >= kExportFormatCount) return nullptr;
  return &kFormats[static_cast<size_t>(format)];
}

std::optional<ExportFormat> ExportFormatByCliName(std::string_view name) {
  for (size_t i = 0; i < kFormats.size(); ++i) {
    if (kFormats[i].CliName == name) return static_cast<ExportFormat>(i);
  }
  return std::nullopt;
}

std::string DefaultExportName(std::string_view documentPath, int format) {
  const ExportFormatInfo* info = ExportFormatOf(format);
  if (!info) return {};
  const std::string name = km::FileNameOf(documentPath);
  const size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos ? name + "." : name.substr(0, dot + 1);
  return stem + std::string(info->Extension);
}

std::string ReplaceExportExtension(std::string_view fileName, int format) {
  const ExportFormatInfo* info = ExportFormatOf(format);
  if (!info || fileName.empty()) return std::string(fileName);
  const size_t dot = ExtensionDot(fileName);
  const std::string_view stem = dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
  return std::string(stem) + "." + std::string(info->Extension);
}

ExportDialogValues ExportDialogValues::FromSettings(const ExportSettings& settings) {
  ExportDialogValues values;
  values.Format = ExportFormatOf(settings.Format) ? settings.Format : 0;
  values.CountsPerSecond = settings.CountsPerSecond;
  values.SavedCountsPerSecond = settings.CountsPerSecond;
  values.NoNegative = settings.NoNegativeIntensities;
  values.FileName = settings.FileName;
  if (!values.CountsPerSecondEnabled()) values.CountsPerSecond = false;
  return values;
}

void ExportDialogValues::ChangeFormat(int format) {
  if (!ExportFormatOf(format)) return;
  Format = format;
  FileName = ReplaceExportExtension(FileName, format);
  CountsPerSecond = CountsPerSecondEnabled() ? SavedCountsPerSecond : false;
}

void ExportDialogValues::ClickCountsPerSecond(bool checked) {
  if (!CountsPerSecondEnabled()) return;
  CountsPerSecond = checked;
  SavedCountsPerSecond = checked;
}

std::string ExportFileFilter(int format) {
  const ExportFormatInfo* info = ExportFormatOf(format);
  if (!info) return "All Files (*.*)|*.*;||";
  const std::string name(info->FilterName);
  const std::string ext(info->Extension);
  return name + " Files (*." + ext + ")|*." + ext + ";|All Files (*.*)|*.*;||";
}

bool PrepareExportValues(km::MessageSink& sink, int rangeNumber, bool noNegative, bool countsPerSecond,
                         ExportRange& range) {
  km::RawRangeHeader& header = range.Range;
  const float time = header.TimePerStep;
  if (countsPerSecond && !(std::isfinite(time) && time > 0)) {
    // Dividing by a missing time would write infinities in place of the counts.
    sink.ShowError(km::Printf("Counts per second cannot be written for range %d:\nits time per step is %g s.",
                              rangeNumber, static_cast<double>(time)));
    return false;
  }
  if (noNegative && header.MinIntensity < 1) {
    // MinIntensity is kept in stored units (counts times a ScaleFactor above 1); the values are read
    // units, so the shift that brings their least value to 1 is taken in read units.
    const double scale = header.ScaleFactor > 1 ? static_cast<double>(header.ScaleFactor) : 1.0;
    const float shift = static_cast<float>(1.0 - static_cast<double>(header.MinIntensity) / scale);
    for (float& v : range.Values) v += shift;
    const double storedShift = static_cast<double>(shift) * scale;
    header.MinIntensity = km::RoundToCount(scale);
    header.MaxIntensity = km::RoundToCount(static_cast<double>(header.MaxIntensity) + storedShift);
  }
  range.CountsPerSecond = countsPerSecond;
  if (countsPerSecond) {
    const float factor = 1.0f / time;
    for (float& v : range.Values) v *= factor;
  }
  return true;
}

std::string WriteExport(ExportFormat format, const ExportRange& range) {
  switch (format) {
    case ExportFormat::XY: return WriteXyExport(range);
    case ExportFormat::Gsas: return WriteGsasExport(range);
    case ExportFormat::Fullprof: return WriteFullprofExport(range);
    case ExportFormat::Xfit: return WriteXfitExport(range);
    case ExportFormat::Csd: return WriteCsdExport(range);
    case ExportFormat::Udf: return WriteUdfExport(range);
    case ExportFormat::Pdf3: return WritePdf3Export(range);
  }
  return {};
}

bool WriteExportFile(km::MessageSink& sink, const std::string& path, std::string_view bytes) {
  auto opened = km::OpenFileQuiet(path, km::OpenMode::Create);
  if (!opened.file) {
    sink.ShowError(km::Printf("File cannot be opened: %s", path.c_str()));
    return false;
  }
  const bool written = opened.file->WriteAt(0, bytes.data(), bytes.size());
  if (!opened.file->Close() || !written) {
    km::DeleteFile(path);
    sink.ShowError(km::FormatCatalog(km::msg::FileCannotBeCreated, "Export", path));
    return false;
  }
  return true;
}

std::string ExportDateToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  const size_t length = std::strftime(text, sizeof text, "%y/%m/%d", &local);
  return std::string(text, length);
}

}  // namespace keltor
