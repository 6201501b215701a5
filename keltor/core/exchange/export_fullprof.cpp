// Fullprof: begin, step and end on one line, then the intensities ten to a line with one decimal.
#include <algorithm>

#include "keltor/core/exchange/export_fields.h"
#include "keltor/core/exchange/export_format.h"

namespace keltor {
namespace exchange {

void AppendTenPerLine(std::string& out, std::span<const float> values, int width, int decimals) {
  for (size_t i = 0; i < values.size(); i += 10) {
    const size_t end = std::min(values.size(), i + 10);
    AppendFixed(out, values[i], width, decimals);
    for (size_t k = i + 1; k < end; ++k) AppendNextFixed(out, values[k], width, decimals);
    EndLine(out);
  }
}

}  // namespace exchange

std::string WriteFullprofExport(const ExportRange& range) {
  using namespace exchange;
  const int decimals = range.AngleDecimals();
  std::string out;
  out.reserve(range.Values.size() * 9 + 64);
  AppendFixed(out, range.Begin(), 9, decimals);
  AppendNextFixed(out, range.Step(), 9, decimals);
  AppendNextFixed(out, range.End(), 9, decimals);
  EndLine(out);
  AppendTenPerLine(out, range.Values, 8, 1);
  return out;
}

}  // namespace keltor
