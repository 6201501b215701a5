// XFIT: the title between comment marks, a line with the angles, the time per step and the
// wavelength, then the counts ten to a line.
#include "common/core/raw_format.h"
#include "keltor/core/exchange/export_fields.h"
#include "keltor/core/exchange/export_format.h"

namespace keltor {

std::string WriteXfitExport(const ExportRange& range) {
  using namespace exchange;
  const int decimals = range.AngleDecimals();
  std::string out;
  out.reserve(range.Values.size() * 9 + 200);
  out += "/*";
  EndLine(out);
  out += OneLineText(km::FieldText(range.File.Title));
  EndLine(out);
  out += "*/";
  EndLine(out);
  AppendFixed(out, range.Begin(), 9, decimals);
  AppendNextFixed(out, range.Step(), 9, decimals);
  AppendNextFixed(out, range.End(), 9, decimals);
  AppendNextFixed(out, range.Range.TimePerStep, 7, 1);
  out += "   1 ";
  AppendFixed(out, range.File.WavelengthAlpha1, 9, 6);
  EndLine(out);
  AppendTenPerLine(out, range.Values, 8, 0);
  return out;
}

}  // namespace keltor
