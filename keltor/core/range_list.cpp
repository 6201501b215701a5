#include "keltor/core/range_list.h"

#include "common/core/text.h"
#include "keltor/core/operations/range_scan_axis.h"

namespace keltor {

std::string RangeListLine(int number, const km::RawRangeHeader& range, bool omegaScan) {
  const AxisValues axis = ScanAxisValues(range, omegaScan);
  return km::Printf("%3d    %8.3f   %8.3f %8.3f    %5d", number, axis.Begin, axis.End, axis.Step,
                    static_cast<int>(range.PointCount));
}

std::optional<std::vector<std::string>> RangeListLines(km::MessageSink& sink, km::RawFileContext context, int count) {
  std::vector<std::string> lines;
  for (int n = 1; n <= count; ++n) {
    km::RawRangeHeader range = km::ZeroRangeHeader();
    if (!km::ReadRawRange(sink, context, -n, range, {})) return std::nullopt;
    lines.push_back(RangeListLine(n, range, IsOmegaScanFile(context.Header)));
  }
  return lines;
}

}  // namespace keltor
