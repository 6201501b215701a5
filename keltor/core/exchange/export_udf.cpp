// Philips UDF: keyword lines "Name,value,/", then after "RawScan" the counts eight to a line,
// separated by commas, the last line ending in a slash.
#include "common/core/cp1252.h"
#include "common/core/paths.h"
#include "common/core/raw_format.h"
#include "common/core/text.h"
#include "keltor/core/exchange/export_fields.h"
#include "keltor/core/exchange/export_format.h"

namespace keltor {
namespace {

std::string_view UdfDiffractometerName(int type) {
  constexpr std::string_view kNames[] = {"Unknown", "Transmission", "Bragg-Brentano", "Theta-Theta",
                                         "Double-Monochromator", "Fixed PSD Stage"};
  return type >= 0 && type < 6 ? kNames[type] : kNames[0];
}

std::string_view UdfAnodeSymbol(int radiation) {
  constexpr std::string_view kSymbols[] = {"  ", "Ag", "Mo", "Cu", "Co", "Fe", "Cr", "  "};
  return radiation >= 0 && radiation < 8 ? kSymbols[radiation] : kSymbols[0];
}

void AppendKeyword(std::string& out, std::string_view name, std::string_view value) {
  out += name;
  out += ',';
  out += value;
  out += ",/\r\n";
}

}  // namespace

std::string WriteUdfExport(const ExportRange& range) {
  using namespace exchange;
  const km::RawFileHeader& file = range.File;
  std::string out;
  out.reserve(range.Values.size() * 9 + 600);
  // Paths are this platform's UTF-8; the file's texts are Windows-1252 like the header's.
  AppendKeyword(out, "SampleIdent", OneLineText(km::Utf8ToCp1252(km::FileNameOf(range.DocumentPath))));
  AppendKeyword(out, "Title1", OneLineText(km::FieldText(file.Title)));
  out += "Title2, Data converted from ORVE RAW-Format,/\r\n";
  AppendKeyword(out, "DiffrType", UdfDiffractometerName(file.DiffractometerType));
  AppendKeyword(out, "Anode", UdfAnodeSymbol(file.Radiation));
  AppendKeyword(out, "LabdaAlpha1", km::Printf("%8.5f", static_cast<double>(file.WavelengthAlpha1)));
  AppendKeyword(out, "LabdaAlpha2", km::Printf("%8.5f", static_cast<double>(file.WavelengthAlpha2)));
  out += "RatioAlpha21, 0.00000,/\r\n";
  out += file.Monochromator != 0 ? "MonochromatorUsed,YES,/\r\n" : "MonochromatorUsed,NO,/\r\n";
  AppendKeyword(out, "GeneratorVoltage", km::Printf("%4i", file.GeneratorVoltage));
  AppendKeyword(out, "TubeCurrent", km::Printf("%4i", file.GeneratorCurrent));
  AppendKeyword(out, "FileDateTime", OneLineText(km::FieldText(file.CreationTime)));
  AppendKeyword(out, "DataAngleRange", km::Printf("%9.4f,%9.4f", range.Begin(), range.End()));
  AppendKeyword(out, "ScanStepSize", km::Printf("%9.4f", range.Step()));
  out += "ScanType,STEP,/\r\n";
  AppendKeyword(out, "ScanStepTime", km::Printf("%8.2f", static_cast<double>(range.Range.TimePerStep)));
  out += "RawScan\r\n";

  // Eight values to a line; the last line holds one to eight values and ends in "/".
  const size_t n = range.Values.size();
  for (size_t i = 0; i < n; i += 8) {
    const size_t end = std::min(n, i + 8);
    for (size_t k = i; k < end; ++k) {
      AppendFixed(out, range.Values[k], 8, 0);
      if (k + 1 < end) out += ',';
    }
    if (end == n) out += '/';
    EndLine(out);
  }
  return out;
}

}  // namespace keltor
