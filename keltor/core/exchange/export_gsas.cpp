// GSAS: three header lines of exactly 80 characters, then the counts ten to a line, the last line
// filled up with zeros.
#include "common/core/raw_format.h"
#include "common/core/text.h"
#include "keltor/core/exchange/export_fields.h"
#include "keltor/core/exchange/export_format.h"

namespace keltor {

std::string WriteGsasExport(const ExportRange& range) {
  using namespace exchange;
  constexpr size_t kHeaderWidth = 80;
  const int n = range.PointCount();
  std::string out;
  out.reserve(static_cast<size_t>(n) * 9 + 300);
  const std::string title = OneLineText(km::FieldText(range.File.Title));
  out += km::PadText(std::string_view(title).substr(0, std::min<size_t>(title.size(), 72)), ' ', kHeaderWidth);
  EndLine(out);
  out += km::PadText("Instrument parameter      VELNOR.PRM", ' ', kHeaderWidth);
  EndLine(out);
  std::string bank = "BANK 1 ";
  AppendInt(bank, n, 5);
  bank += ' ';
  AppendInt(bank, (n + 9) / 10, 5);
  bank += " CONST ";
  AppendInt(bank, RoundToInt32(range.Begin() * 100), 4);
  bank += ' ';
  AppendInt(bank, RoundToInt32(range.Step() * 100), 4);
  bank += " 0  0  STD";
  out += km::PadText(bank, ' ', kHeaderWidth);
  EndLine(out);
  for (int i = 0; i < n; i += 10) {
    for (int k = 0; k < 10; ++k) {
      const double value = i + k < n ? range.Values[static_cast<size_t>(i + k)] : 0.0;
      if (k == 0) {
        AppendFixed(out, value, 8, 0);
      } else {
        AppendNextFixed(out, value, 8, 0);
      }
    }
    EndLine(out);
  }
  return out;
}

}  // namespace keltor
