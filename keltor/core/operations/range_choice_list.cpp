#include "keltor/core/operations/range_choice_list.h"

#include "common/core/text.h"
#include "keltor/core/operations/scan_axis.h"

namespace keltor {

std::string RangeChoiceLine(int number, const km::RawRangeHeader& range, bool omegaScan) {
  const ConstAxisFields axis = ScanAxis(range, omegaScan);
  return km::Printf("%3d    %8.3f   %8.3f %8.3f    %5d", number, static_cast<double>(axis.Begin),
                    static_cast<double>(axis.End), static_cast<double>(axis.Step),
                    static_cast<int>(range.PointCount));
}

std::optional<std::vector<std::string>> RangeChoiceLines(km::MessageSink& sink, km::RawFileContext context, int count) {
  std::vector<std::string> lines;
  for (int n = 1; n <= count; ++n) {
    km::RawRangeHeader range = km::ZeroRangeHeader();
    if (!km::ReadRawRange(sink, context, -n, range, {})) return std::nullopt;
    lines.push_back(RangeChoiceLine(n, range, IsOmegaScan(context.Header)));
  }
  return lines;
}

}  // namespace keltor
