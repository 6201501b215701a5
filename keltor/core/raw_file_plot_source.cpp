#include "keltor/core/raw_file_plot_source.h"

namespace keltor {

bool RawFilePlotSource::ReadHeader(km::RawFileHeader& header) {
  return km::ReadRawHeader(sink_, context_.Path, header);
}

bool RawFilePlotSource::ReadRange(int rangeNumber, km::RawRangeHeader& rangeHeader, std::span<float> data) {
  km::RawFileContext context = context_;  // reading leaves the handle as it was
  return km::ReadRawRange(sink_, context, rangeNumber, rangeHeader, data);
}

}  // namespace keltor
