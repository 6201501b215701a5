#pragma once
// Raw data files for tests, written through the program's own writer: a header as the instruments
// leave it and ranges whose intensity extremes are taken from their counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/core/raw_file.h"
#include "tests/support/recording_sink.h"

namespace km::testing {

struct TestRange {
  RawRangeHeader header;
  std::vector<float> counts;
};

// A measured scan: Bragg-Brentano, curved graphite, copper, scintillation counter, 2Theta:Omega.
inline RawFileHeader MeasuredHeader(const char* title = "Quartz") {
  RawFileHeader h = ZeroFileHeader();
  std::memcpy(h.Magic, kRawMagic, 8);
  SetFieldText(h.CreatorProgram, "DIFMES");
  SetFieldText(h.CreationTime, "05-Nov-98 09:00");
  SetFieldText(h.Title, title);
  h.DiffractometerType = 2;
  h.AngleResolution = 1000;
  h.Monochromator = 3;
  h.Radiation = 3;
  h.DetectorType = 1;
  h.GeneratorVoltage = 40;
  h.GeneratorCurrent = 30;
  h.WavelengthAlpha1 = 1.54056f;
  h.WavelengthAlpha2 = 1.54439f;
  h.ScanMode = 2;
  h.ScanType = 3;
  h.InstrumentInfoValid = 1;
  return h;
}

// Counts first, first + 1, ... at 2Theta begin, begin + step, ... (Omega at half the angles).
inline TestRange Ramp(int points, float begin = 10.0f, float step = 0.02f, float first = 100.0f) {
  RawRangeHeader r = ZeroRangeHeader();
  SetFieldText(r.CollectionStart, "05-Nov-98 09:00");
  SetFieldText(r.CollectionEnd, "05-Nov-98 09:30");
  r.PointCount = static_cast<int16_t>(points);
  r.ScaleFactor = 1;
  r.TwoThetaBegin = begin;
  r.TwoThetaStep = step;
  r.TwoThetaEnd = begin + step * static_cast<float>(points - 1);
  r.OmegaBegin = begin / 2;
  r.OmegaStep = step / 2;
  r.OmegaEnd = r.OmegaBegin + r.OmegaStep * static_cast<float>(points - 1);
  r.TimePerStep = 1;
  r.BackgroundFactor = 1;
  r.BackgroundSmooth = 1;
  std::vector<float> counts(static_cast<size_t>(points));
  for (size_t i = 0; i < counts.size(); ++i) counts[i] = first + static_cast<float>(i);
  return {r, counts};
}

// Sets the range's intensity extremes from its counts, scaled as they will be stored.
inline void TakeExtremes(TestRange& range) {
  const double scale = range.header.ScaleFactor > 1 ? range.header.ScaleFactor : 1;
  const auto [low, high] = std::minmax_element(range.counts.begin(), range.counts.end());
  range.header.MinIntensity = RoundToCount(*low * scale);
  range.header.MaxIntensity = RoundToCount(*high * scale);
}

// Writes the ranges in order as a new file (one without data when there are none); returns its context.
inline RawFileContext WriteRawFile(const std::string& path, const RawFileHeader& header, std::vector<TestRange> ranges) {
  RawFileContext context;
  context.Path = path;
  context.Header = header;
  context.Header.RangeCount = static_cast<int16_t>(ranges.size());
  RecordingSink sink;
  for (size_t i = 0; i < ranges.size(); ++i) {
    TakeExtremes(ranges[i]);
    EXPECT_TRUE(WriteRawRange(sink, context, static_cast<int>(i + 1), ranges[i].header, ranges[i].counts))
        << sink.LastText();
  }
  if (ranges.empty()) {
    RawRangeHeader none = ZeroRangeHeader();
    EXPECT_TRUE(WriteRawRange(sink, context, 0, none, {})) << sink.LastText();
  }
  return context;
}

}  // namespace km::testing
