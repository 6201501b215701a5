#pragma once
// The plot's ranges straight from a raw data file on disk (keltor-cli draws a file as it was stored).
#include "common/core/messages.h"
#include "common/core/raw_file.h"
#include "keltor/core/plot_ranges.h"

namespace keltor {

class RawFilePlotSource : public PlotDataSource {
 public:
  RawFilePlotSource(km::MessageSink& sink, std::string path) : sink_(sink) { context_.Path = std::move(path); }
  bool ReadHeader(km::RawFileHeader& header) override;
  bool ReadRange(int rangeNumber, km::RawRangeHeader& rangeHeader, std::span<float> data) override;

 private:
  km::MessageSink& sink_;
  km::RawFileContext context_;
};

}  // namespace keltor
