#pragma once
// A temporary directory of raw data files for the viewer's tests.
#include <string>

#include "tests/support/raw_file_builder.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_dir.h"

namespace morvane::testing {

using RecordingSink = km::testing::RecordingSink;

struct ScanSpec {
  int points = 100;
  float begin = 10.0f, end = 30.0f;
  float temperature = 25.0f;
  float omegaPosition = 0.0f;
  std::string collectionStart = "05-Mar-24 14:07";
  int scanType = 0;
  float peak = 1000.0f;
};

class RawSetTest : public km::testing::TempDirTest {
 protected:
  // Writes a raw data file of one range, a peak amid small counts; related > 0 makes it a master of
  // that many files.
  std::string Write(const std::string& name, const ScanSpec& s = {}, int related = 0, int firstNumber = 1,
                    int scanUsage = 0, const char* title = "Heating run") {
    km::RawFileHeader h = km::testing::MeasuredHeader(title);
    h.DetectorType = 0;  // not a scintillation counter: the viewer takes the stored ends as they are
    h.ScanType = static_cast<int16_t>(s.scanType);
    h.ScanUsage = static_cast<int16_t>(scanUsage);
    h.RelatedFileCount = static_cast<int16_t>(related);
    h.RelatedFirstNumber = static_cast<int16_t>(firstNumber);
    auto range = km::testing::Ramp(s.points, s.begin, (s.end - s.begin) / static_cast<float>(s.points));
    km::SetFieldText(range.header.CollectionStart, s.collectionStart);
    range.header.TwoThetaEnd = s.end;
    range.header.Temperature = s.temperature;
    range.header.OmegaPosition = s.omegaPosition;
    for (int j = 0; j < s.points; ++j) range.counts[j] = j == s.points / 2 ? s.peak : static_cast<float>(j % 7) - 2.0f;
    return km::testing::WriteRawFile(PathOf(name), h, {range}).Path;
  }

  RecordingSink sink_;
};

}  // namespace morvane::testing
