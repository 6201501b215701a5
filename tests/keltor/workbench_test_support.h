#pragma once
// Drives the workbench without a window: a user interface whose dialogs and answers come from a
// script, an observer that counts notifications, and raw data files built in a private directory
// (which is also the temporary directory, so working copies can be counted).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/core/raw_file.h"
#include "keltor/core/workbench.h"
#include "tests/support/recording_sink.h"

namespace keltor::testing {

class ScriptedUi : public WorkbenchUi {
 public:
  km::testing::RecordingSink sink;
  std::deque<std::optional<OpenFileChoice>> openAnswers;
  std::deque<std::optional<std::vector<std::string>>> openManyAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  std::vector<OpenFileRequest> openRequests;
  std::vector<SaveFileRequest> saveRequests;

  void ShowMessage(std::string_view text, km::MessageIcon icon) override { sink.ShowMessage(text, icon); }
  bool AskYesNo(std::string_view text, bool defaultNo = false) override { return sink.AskYesNo(text, defaultNo); }

  std::optional<OpenFileChoice> ChooseOpenFile(const OpenFileRequest& request) override {
    openRequests.push_back(request);
    return Next(openAnswers);
  }
  std::optional<std::vector<std::string>> ChooseOpenFiles(const OpenFileRequest& request) override {
    openRequests.push_back(request);
    return Next(openManyAnswers);
  }
  std::optional<std::string> ChooseSaveFile(const SaveFileRequest& request) override {
    saveRequests.push_back(request);
    return Next(saveAnswers);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : sink.messages) texts.push_back(m.text);
    return texts;
  }

 private:
  // An unscripted dialog is cancelled.
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    auto next = queue.front();
    queue.pop_front();
    return next;
  }
};

struct CountingObserver : WorkbenchObserver {
  int fileChanged = 0, dataChanged = 0, initialUpdates = 0, displayResets = 0, listChanges = 0;
  void OnFileChanged() override { ++fileChanged; }
  void OnDataChanged() override { ++dataChanged; }
  void OnInitialUpdate() override { ++initialUpdates; }
  void OnDisplayReset() override { ++displayResets; }
  void OnListChanged() override { ++listChanges; }
};

// A measured scan as the instruments write it, before the test changes what it is about.
inline km::RawFileHeader MeasuredHeader(const char* title = "Quartz") {
  km::RawFileHeader h = km::ZeroFileHeader();
  std::memcpy(h.Magic, km::kRawMagic, 8);
  km::SetFieldText(h.CreatorProgram, "DIFMES");
  km::SetFieldText(h.CreationTime, "05-Nov-98 09:00");
  km::SetFieldText(h.Title, title);
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
  h.RangeCount = 1;
  h.InstrumentInfoValid = 1;
  return h;
}

// Points value, value + 1, ... from begin in steps of step on both scales.
inline km::RawRangeHeader RampRange(int points, float begin = 10.0f, float step = 0.02f, float first = 100.0f) {
  km::RawRangeHeader r = km::ZeroRangeHeader();
  km::SetFieldText(r.CollectionStart, "05-Nov-98 09:00");
  km::SetFieldText(r.CollectionEnd, "05-Nov-98 09:30");
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
  r.MinIntensity = static_cast<int32_t>(first);
  r.MaxIntensity = static_cast<int32_t>(first) + points - 1;
  return r;
}

inline std::vector<float> RampData(const km::RawRangeHeader& r, float first = 100.0f) {
  std::vector<float> data(static_cast<size_t>(r.PointCount));
  for (size_t i = 0; i < data.size(); ++i) data[i] = first + static_cast<float>(i);
  return data;
}

class WorkbenchFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           ("keltor_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "tmp");
    if (const char* old = std::getenv("TMPDIR")) oldTmp_ = old;
    ::setenv("TMPDIR", (dir_ / "tmp").c_str(), 1);
  }
  void TearDown() override {
    if (oldTmp_) ::setenv("TMPDIR", oldTmp_->c_str(), 1);
    else ::unsetenv("TMPDIR");
    std::filesystem::remove_all(dir_);
  }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  std::string Dir() const { return dir_.string(); }

  // Writes a file of the given ranges (each a ramp) through the shared writer.
  std::string WriteFile(const std::string& name, km::RawFileHeader header, const std::vector<km::RawRangeHeader>& ranges) {
    km::RawFileContext context;
    context.Path = PathOf(name);
    context.Header = header;
    km::testing::RecordingSink quiet;
    for (size_t i = 0; i < ranges.size(); ++i) {
      km::RawRangeHeader r = ranges[i];
      const auto data = RampData(r, static_cast<float>(r.MinIntensity));
      EXPECT_TRUE(km::WriteRawRange(quiet, context, static_cast<int>(i + 1), r, data));
    }
    if (ranges.empty()) {
      km::RawRangeHeader none = km::ZeroRangeHeader();
      EXPECT_TRUE(km::WriteRawRange(quiet, context, 0, none, {}));
    }
    return context.Path;
  }
  // A file of ramps of 20, 21, ... points.
  std::string WriteFile(const std::string& name, int rangeCount, const char* title = "Quartz") {
    std::vector<km::RawRangeHeader> ranges;
    for (int i = 0; i < rangeCount; ++i) ranges.push_back(RampRange(20 + i, 10.0f + 20.0f * static_cast<float>(i)));
    km::RawFileHeader h = MeasuredHeader(title);
    h.RangeCount = static_cast<int16_t>(rangeCount);
    return WriteFile(name, h, ranges);
  }

  // Each range's first value and point count, read straight from a file.
  std::vector<std::pair<float, int>> RangesOf(const std::string& path) {
    km::RawFileContext context;
    context.Path = path;
    km::RawRangeHeader r;
    std::vector<float> data(km::kWorkbenchMaxPoints);
    std::vector<std::pair<float, int>> ranges;
    EXPECT_TRUE(km::ReadRawRange(ui_, context, 0, r, data));
    for (int i = 1; i <= context.MeasuredRanges && km::ReadRawRange(ui_, context, i, r, data); ++i) {
      ranges.emplace_back(data[0], r.PointCount);
    }
    return ranges;
  }

  // Working copies ("RAW") and snapshots ("SCR") now in the temporary directory.
  int TempFiles(const std::string& prefix) const {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_ / "tmp")) {
      n += entry.path().filename().string().rfind(prefix, 0) == 0;
    }
    return n;
  }

  ScriptedUi ui_;
  CountingObserver observer_;
  Workbench wb_{ui_, observer_};

 private:
  std::filesystem::path dir_;
  std::optional<std::string> oldTmp_;
};

}  // namespace keltor::testing
