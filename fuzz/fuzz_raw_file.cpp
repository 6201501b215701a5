// The raw data readers over arbitrary bytes: every range number, both copies of the range reader.
#include <cstdint>
#include <vector>

#include "common/core/raw_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  km::SilentMessageSink sink;
  const std::span<const uint8_t> file(bytes, size);
  static std::vector<float> data(km::kWorkbenchMaxPoints);
  km::RawFileHeader header;
  km::RawExtHeader ext;
  km::ParseRawHeader(sink, file, "fuzz.raw", header, &ext);
  for (auto variant : {km::RangeReaderVariant::Workbench, km::RangeReaderVariant::Viewer}) {
    for (int n = -9; n <= 9; ++n) {
      km::RawFileContext context;
      context.Path = "fuzz.raw";
      km::RawRangeHeader range;
      // A smaller buffer than the workbench's, so the refusal of long ranges is exercised too.
      km::ParseRawRange(sink, file, context, n, range, std::span<float>(data).first(n % 2 ? 4096 : data.size()),
                        nullptr, variant);
    }
  }
  return 0;
}
