// The UDF reader over arbitrary bytes: keyword lines, data lines, truncation, refusals.
#include <cstdint>
#include <span>

#include "keltor/core/exchange/udf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  km::SilentMessageSink sink;
  keltor::ImportedScan scan;
  if (keltor::ReadUdf(sink, std::span<const uint8_t>(bytes, size), scan)) {
    // What was read must be what the raw data writer can take.
    if (scan.Ranges.size() != 1) __builtin_trap();
    const auto& range = scan.Ranges[0];
    if (range.Header.PointCount < 1 || range.Header.PointCount > keltor::kImportMaxPoints ||
        static_cast<size_t>(range.Header.PointCount) != range.Data.size())
      __builtin_trap();
  }
  return 0;
}
