#pragma once
// Export of one range to the text formats that refinement and database programs read: plain X/Y
// columns, GSAS, Fullprof, XFIT, CSD, Philips UDF and ICDD PDF3. Each format has a writer of its own
// (export_*.cpp) that turns a prepared range into the bytes of the file; nothing here touches a disk.
// Texts are 8-bit as in the raw data file, lines end CR LF.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/core/messages.h"
#include "common/core/raw_format.h"

namespace keltor {

// The format index; every table of the export is indexed by it.
enum class ExportFormat { XY = 0, Gsas = 1, Fullprof = 2, Xfit = 3, Csd = 4, Udf = 5, Pdf3 = 6 };
inline constexpr int kExportFormatCount = 7;

struct ExportFormatInfo {
  std::string_view Label;       // the dialog's radio button
  std::string_view FilterName;  // "%s Files" in the save dialog's filter
  std::string_view Extension;   // without the dot
  std::string_view CliName;     // keltor-cli --format
};

// Table entry of a format index; nothing outside 0 to 6.
const ExportFormatInfo* ExportFormatOf(int format);
// The index named by a keltor-cli --format word ("xy", "gsas", ...); nothing for another word.
std::optional<ExportFormat> ExportFormatByCliName(std::string_view name);

// The last choices of the export dialog, kept by the main frame while the program runs.
struct ExportSettings {
  int Format = 0;                     // an ExportFormat
  bool CountsPerSecond = false;
  bool NoNegativeIntensities = true;
  std::string FileName;               // output path; emptied when another raw data file is taken up
};

// The name proposed when FileName is empty: the raw file's name up to its last dot plus the format's
// extension, no directory. A name without a dot gets a dot and the extension.
std::string DefaultExportName(std::string_view documentPath, int format);

// The name after a format change: the extension after the last dot of the file name is replaced by
// the format's extension; a name without one gets a dot and the extension. An empty name stays empty.
std::string ReplaceExportExtension(std::string_view fileName, int format);

// The export dialog's members and their rules: counts per second exist for X/Y only, and the user's
// own choice for them is kept while another format disables the box.
struct ExportDialogValues {
  int Format = 0;
  bool CountsPerSecond = false;
  bool SavedCountsPerSecond = false;
  bool NoNegative = true;
  std::string FileName;
  int RangeNumber = 0;  // set on OK

  static ExportDialogValues FromSettings(const ExportSettings& settings);
  bool CountsPerSecondEnabled() const { return Format == static_cast<int>(ExportFormat::XY); }
  // A radio button: the new format, its extension in the name, the counts per second box following.
  void ChangeFormat(int format);
  // The counts per second box clicked to its new state.
  void ClickCountsPerSecond(bool checked);
};

// The save dialog's filter for a format: "X/Y Files (*.xyd)|*.xyd;|All Files (*.*)|*.*;||".
std::string ExportFileFilter(int format);

// What a format writer needs: the file header, the range header as prepared, and the prepared values.
struct ExportRange {
  km::RawFileHeader File = km::ZeroFileHeader();
  km::RawRangeHeader Range = km::ZeroRangeHeader();
  std::vector<float> Values;     // PointCount values
  bool CountsPerSecond = false;  // the Y values are counts per second
  std::string DocumentPath;      // the raw data file exported from
  std::string OutputPath;        // the file written (its name goes into PDF3)
  std::string Today;             // "%y/%m/%d", for PDF3

  bool OmegaAxis() const { return File.ScanType == km::kScanTypeOmega; }
  double Begin() const { return OmegaAxis() ? Range.OmegaBegin : Range.TwoThetaBegin; }
  double End() const { return OmegaAxis() ? Range.OmegaEnd : Range.TwoThetaEnd; }
  double Step() const { return OmegaAxis() ? Range.OmegaStep : Range.TwoThetaStep; }
  float BeginF() const { return OmegaAxis() ? Range.OmegaBegin : Range.TwoThetaBegin; }
  float StepF() const { return OmegaAxis() ? Range.OmegaStep : Range.TwoThetaStep; }
  // Decimals of the angles: 4 when AngleResolution is above 1000, else 3.
  int AngleDecimals() const { return File.AngleResolution > 1000 ? 4 : 3; }
  int PointCount() const { return static_cast<int>(Values.size()); }
};

// The values as the export writes them. No negative intensities: a range whose least intensity is
// below 1 is raised as a whole so that it becomes 1 (shifted, not clipped); MinIntensity becomes 1
// and MaxIntensity grows by the shift. Counts per second: every value times 1 / TimePerStep. False,
// after a message, when counts per second are asked of a range without a time per step.
bool PrepareExportValues(km::MessageSink& sink, int rangeNumber, bool noNegative, bool countsPerSecond,
                         ExportRange& range);

// The bytes of the file in the given format.
std::string WriteExport(ExportFormat format, const ExportRange& range);

std::string WriteXyExport(const ExportRange& range);
std::string WriteGsasExport(const ExportRange& range);
std::string WriteFullprofExport(const ExportRange& range);
std::string WriteXfitExport(const ExportRange& range);
std::string WriteCsdExport(const ExportRange& range);
std::string WriteUdfExport(const ExportRange& range);
std::string WritePdf3Export(const ExportRange& range);

// Writes the bytes to path, creating or truncating it; says why on failure. A file cut short (full
// disk) is removed rather than left behind looking complete.
bool WriteExportFile(km::MessageSink& sink, const std::string& path, std::string_view bytes);

// Today's date as PDF3 writes it, local time: "98/11/05".
std::string ExportDateToday();

}  // namespace keltor
