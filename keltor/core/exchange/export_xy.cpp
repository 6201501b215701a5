// X/Y: one line per point, the angle and the intensity in fixed-width columns.
#include "keltor/core/exchange/export_fields.h"
#include "keltor/core/exchange/export_format.h"

namespace keltor {

std::string WriteXyExport(const ExportRange& range) {
  using namespace exchange;
  const int n = range.PointCount();
  const double begin = range.Begin();
  const double step = range.Step();
  const int angleDecimals = range.AngleDecimals();
  const int yWidth = range.CountsPerSecond ? 10 : 9;
  const int yDecimals = range.CountsPerSecond ? 4 : 0;
  std::string out;
  out.reserve(static_cast<size_t>(n) * 24);
  for (int i = 0; i < n; ++i) {
    AppendFixed(out, begin + i * step, 9, angleDecimals);
    AppendNextFixed(out, range.Values[static_cast<size_t>(i)], yWidth, yDecimals);
    EndLine(out);
  }
  return out;
}

}  // namespace keltor
