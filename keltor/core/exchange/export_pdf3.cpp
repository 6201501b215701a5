// ICDD PDF3: "&KEYWORD=value" lines, then lines of the first point's angle and eight counts each
// followed by a dot, the last line filled up with zeros, and "&END=".
#include <algorithm>
#include <cctype>

#include "common/core/cp1252.h"
#include "common/core/paths.h"
#include "common/core/text.h"
#include "keltor/core/exchange/export_fields.h"
#include "keltor/core/exchange/export_format.h"

namespace keltor {
namespace {

std::string UpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

void AppendLine(std::string& out, std::string_view text) {
  out += text;
  out += "\r\n";
}

}  // namespace

std::string WritePdf3Export(const ExportRange& range) {
  using namespace exchange;
  const int n = range.PointCount();
  const km::RawRangeHeader& header = range.Range;
  std::string out;
  out.reserve(static_cast<size_t>(n) * 10 + 600);
  AppendLine(out, "&SAMPLE IDENT=");
  AppendLine(out, "&ICDD-DX=1.00");
  AppendLine(out, "&DATE=" + OneLineText(range.Today));
  AppendLine(out, "&FILEIDENT=" + OneLineText(UpperCase(km::Utf8ToCp1252(km::FileNameOf(range.OutputPath)))));
  AppendLine(out, "&SOURCEIDENT=" + OneLineText(UpperCase(km::Utf8ToCp1252(km::FileNameOf(range.DocumentPath)))));
  AppendLine(out, "&CROSS REFERENCE=");
  AppendLine(out, "&GRANT NO=");
  AppendLine(out, "&PDFNO=");
  AppendLine(out, km::Printf("&DIV SLIT=%4.2f", static_cast<double>(header.DivergenceSlit)));
  AppendLine(out, km::Printf("&WAVELENGTH=%8.6f", static_cast<double>(range.File.WavelengthAlpha1)));
  AppendLine(out, km::Printf("&COUNT TIME=%8.2f", static_cast<double>(header.TimePerStep)));
  AppendLine(out, km::Printf("&STEP SIZE=%6.4f", range.Step()));
  AppendLine(out, "&XUNITS=DEGREES 2-THETA");
  AppendLine(out, "&YUNITS=COUNTS");
  AppendLine(out, "&YFACTOR=1.0");
  AppendLine(out, km::Printf("&FIRSTX=%7.4f", range.Begin()));
  AppendLine(out, km::Printf("&LASTX=%7.4f", range.Begin() + (n - 1) * range.Step()));
  AppendLine(out, km::Printf("&MAXY=%8i.", static_cast<int>(header.MaxIntensity)));
  AppendLine(out, km::Printf("&NPOINTS=%-8i", n));
  AppendLine(out, "&XYDATA=(X++(Y..Y))");

  // Eight counts to a line after the angle of the line's first point; that angle grows by eight
  // steps a line, in single precision as the instruments' programs count it.
  float x = range.BeginF();
  const float lineStep = 8 * range.StepF();
  for (int i = 0; i < n; i += 8) {
    AppendFixed(out, x, 7, 3);
    for (int k = 0; k < 8; ++k) {
      const double value = i + k < n ? range.Values[static_cast<size_t>(i + k)] : 0.0;
      AppendNextFixed(out, value, 8, 0);
      out += '.';
    }
    EndLine(out);
    x += lineStep;
  }
  AppendLine(out, "&END=");
  return out;
}

}  // namespace keltor
