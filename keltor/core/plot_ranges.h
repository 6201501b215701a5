#pragma once
// The ranges of a file as the plot holds them, loaded through whatever reads the workbench's file.
#include <array>
#include <span>
#include <vector>

#include "common/core/raw_format.h"

namespace keltor {

struct PlotRange {
  int PointCount = 0;
  float Begin = 0;
  float End = 0;  // as stored in the range header
  float Step = 0;
  std::vector<float> Data;
};

using PlotRangeTable = std::array<PlotRange, km::kMaxRanges>;

struct PlotExtents {
  float XMin = 0, XMax = 0, YMin = 0, YMax = 0;
  friend bool operator==(const PlotExtents&, const PlotExtents&) = default;
};

// Lowers each minimum and raises each maximum so that the extents also cover other.
void WidenExtents(PlotExtents& extents, const PlotExtents& other);

// Where the plot reads a file's header and ranges (the workbench reads the working copy while the
// file is modified, else the opened file). Failures have been shown to the user when false comes back.
class PlotDataSource {
 public:
  virtual ~PlotDataSource() = default;
  virtual bool ReadHeader(km::RawFileHeader& header) = 0;
  // data holds kWorkbenchMaxPoints values.
  virtual bool ReadRange(int rangeNumber, km::RawRangeHeader& rangeHeader, std::span<float> data) = 0;
};

// Loads every measured range into the table and returns the extents they cover: X from the smallest
// begin to the largest end, Y over the ranges' stored extremes in intensity units. A file without data
// loads nothing and gives nothing; a range that cannot be read keeps what was read of it.
std::optional<PlotExtents> LoadRanges(PlotDataSource& source, PlotRangeTable& table);

}  // namespace keltor
