// CSD: begin and step on one line, then the intensities ten to a line with one decimal.
#include "keltor/core/exchange/export_fields.h"
#include "keltor/core/exchange/export_format.h"

namespace keltor {

std::string WriteCsdExport(const ExportRange& range) {
  using namespace exchange;
  const int decimals = range.AngleDecimals();
  std::string out;
  out.reserve(range.Values.size() * 9 + 64);
  AppendFixed(out, range.Begin(), 9, decimals);
  AppendNextFixed(out, range.Step(), 9, decimals);
  EndLine(out);
  AppendTenPerLine(out, range.Values, 8, 1);
  return out;
}

}  // namespace keltor
