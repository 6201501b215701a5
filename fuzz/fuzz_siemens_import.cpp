// The Siemens RAW reader over arbitrary bytes: declared ranges, header lengths and point counts.
#include <cstdint>
#include <span>

#include "keltor/core/exchange/siemens_raw_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  km::SilentMessageSink sink;
  keltor::ImportedScan scan;
  if (keltor::ReadSiemensRaw(sink, std::span<const uint8_t>(bytes, size), scan)) {
    // What was read must be what the raw data writer can take.
    if (scan.Ranges.empty() || scan.Ranges.size() > keltor::kSiemensMaxRanges) __builtin_trap();
    for (const auto& range : scan.Ranges) {
      if (range.Header.PointCount < 1 || range.Header.PointCount > keltor::kImportMaxPoints ||
          static_cast<size_t>(range.Header.PointCount) != range.Data.size())
        __builtin_trap();
    }
  }
  return 0;
}
