#pragma once
// A temporary directory of raw data files for the viewer's tests.
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "common/core/messages.h"
#include "common/core/raw_file.h"
#include "tests/support/recording_sink.h"

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

class RawSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("morvane_set_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Dir() const { return dir_.string(); }
  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  // Writes a raw data file of one range; related > 0 makes it a master of that many files.
  std::string Write(const std::string& name, const ScanSpec& s = {}, int related = 0, int firstNumber = 1,
                    int scanUsage = 0, const char* title = "Heating run") {
    km::RawFileContext c;
    c.Path = PathOf(name);
    c.Header = km::ZeroFileHeader();
    std::memcpy(c.Header.Magic, km::kRawMagic, 8);
    km::SetFieldText(c.Header.Title, title);
    c.Header.AngleResolution = 1000;
    c.Header.ScanType = static_cast<int16_t>(s.scanType);
    c.Header.ScanUsage = static_cast<int16_t>(scanUsage);
    c.Header.RelatedFileCount = static_cast<int16_t>(related);
    c.Header.RelatedFirstNumber = static_cast<int16_t>(firstNumber);
    std::vector<float> data(static_cast<size_t>(s.points));
    for (int j = 0; j < s.points; ++j) data[j] = j == s.points / 2 ? s.peak : static_cast<float>(j % 7) - 2.0f;
    km::RawRangeHeader r = km::ZeroRangeHeader();
    km::SetFieldText(r.CollectionStart, s.collectionStart);
    r.PointCount = static_cast<int16_t>(s.points);
    r.TwoThetaBegin = r.OmegaBegin = s.begin;
    r.TwoThetaEnd = r.OmegaEnd = s.end;
    r.TwoThetaStep = r.OmegaStep = (s.end - s.begin) / static_cast<float>(s.points);
    r.Temperature = s.temperature;
    r.OmegaPosition = s.omegaPosition;
    r.MinIntensity = -2;
    r.MaxIntensity = static_cast<int32_t>(s.peak);
    r.ScaleFactor = 1;
    EXPECT_TRUE(km::WriteRawRange(sink_, c, 1, r, data));
    return c.Path;
  }

  std::filesystem::path dir_;
  RecordingSink sink_;
};

}  // namespace morvane::testing
