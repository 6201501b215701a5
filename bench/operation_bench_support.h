#pragma once
// What every benchmark of a workbench data operation shares: a raw data file of 8 ranges of 16384
// points in a private temporary directory, a baseline that only reads and writes the same file's
// bytes, and a runner that opens the file in a workbench, runs one command on it with answers
// fixed in advance (the working copy rewritten as the command does it) and drops the changes.
//
// A bench file:
//   static void BM_Truncate(benchmark::State& state) {
//     OperationBenchFile file;                       // 8 x 16384 points, removed at the end
//     BenchUi ui;
//     ui.angles = AngularRange{20.0f, 60.0f};
//     RunWorkbenchCommand(state, file, ui, [](Workbench& wb) { return wb.OnRangesTruncate(); });
//   }
//   static void BM_Baseline(benchmark::State& state) { OperationBenchFile file; BaselineReadWrite(state, file); }
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "common/core/raw_file.h"
#include "keltor/core/workbench.h"

namespace keltor::bench {

// Answers every dialog from its fields and says nothing; questions get answerYes.
class BenchUi : public WorkbenchUi {
 public:
  std::optional<RangeSelection> selection;  // the range selection dialog's OK (nothing: Cancel)
  std::vector<int> truncateRanges;          // Truncate mode: ranges cut inside the selection dialog
  std::optional<AngularRange> angles;       // the angular range dialog
  std::optional<std::string> extractName;   // the extract file dialog
  std::optional<std::string> saveName;      // the save dialog
  std::vector<std::string> openNames;       // the open dialogs (a second file for file arithmetic)
  bool answerYes = true;
  int errors = 0;  // errors shown: a benchmark that refuses measures nothing

  void ShowMessage(std::string_view, km::MessageIcon icon) override { errors += icon == km::MessageIcon::Stop; }
  bool AskYesNo(std::string_view, bool = false) override { return answerYes; }
  std::optional<OpenFileChoice> ChooseOpenFile(const OpenFileRequest& request) override {
    if (openNames.empty()) return std::nullopt;
    return OpenFileChoice{openNames.front(), request.FilterIndex};
  }
  std::optional<std::vector<std::string>> ChooseOpenFiles(const OpenFileRequest&) override {
    if (openNames.empty()) return std::nullopt;
    return openNames;
  }
  std::optional<std::string> ChooseSaveFile(const SaveFileRequest&) override { return saveName; }
  std::optional<RangeSelection> ChooseRanges(const RangeSelectRequest& request) override {
    if (request.Mode == RangeSelectMode::Truncate) {
      for (int n : truncateRanges) {
        if (!request.Truncate(n)) return std::nullopt;
      }
    }
    return selection;
  }
  std::optional<AngularRange> ChooseAngularRange(const AngularRangeRequest&) override { return angles; }
  std::optional<std::string> ChooseExtractFile(const ExtractFileRequest&) override { return extractName; }
};

// Peaks over a noisy background, different in each range.
inline float BenchIntensity(int range, int j) {
  double v = 40 + (j * 7919 + range * 104729) % 23;
  const double x = 10.0 + 0.005 * j;
  for (double centre : {26.6, 36.5, 50.1, 59.9, 68.1}) v += 8000.0 / (1 + (x - centre) * (x - centre) / 0.004);
  return static_cast<float>(v);
}

// A measured 2Theta scan written through the program's writer into a directory of its own, which
// also serves as the temporary directory of the run (working copies land there). Range r (from 1)
// begins at 10 + 0.5 x (r - 1) degrees with step 0.005, so neighbouring ranges overlap.
class OperationBenchFile {
 public:
  explicit OperationBenchFile(int ranges = 8, int points = 16384) {
    dir_ = std::filesystem::temp_directory_path() /
           ("keltor_bench_" + std::to_string(::getpid()) + "_" + std::to_string(counter_++));
    std::filesystem::create_directories(dir_);
    const char* tmp = std::getenv("TMPDIR");
    if (tmp != nullptr) oldTmp_ = tmp;
    ::setenv("TMPDIR", dir_.c_str(), 1);
    path = (dir_ / "bench.raw").string();
    output = (dir_ / "out.raw").string();

    km::RawFileContext context;
    context.Path = path;
    km::RawFileHeader& h = context.Header;
    h = km::ZeroFileHeader();
    std::memcpy(h.Magic, km::kRawMagic, 8);
    km::SetFieldText(h.CreatorProgram, "DIFMES");
    km::SetFieldText(h.CreationTime, "05-Nov-98 09:00");
    km::SetFieldText(h.Title, "Benchmark");
    h.DiffractometerType = 2;
    h.AngleResolution = 1000;
    h.Radiation = 3;
    h.DetectorType = 1;
    h.WavelengthAlpha1 = 1.54056f;
    h.WavelengthAlpha2 = 1.54439f;
    h.ScanMode = 2;
    h.ScanType = 3;
    h.InstrumentInfoValid = 1;
    km::SilentMessageSink sink;
    std::vector<float> data(static_cast<size_t>(points));
    for (int r = 1; r <= ranges; ++r) {
      km::RawRangeHeader header = km::ZeroRangeHeader();
      header.PointCount = static_cast<int16_t>(points);
      header.ScaleFactor = 1;
      header.TwoThetaBegin = 10.0f + 0.5f * static_cast<float>(r - 1);
      header.TwoThetaStep = 0.005f;
      header.TwoThetaEnd = header.TwoThetaBegin + header.TwoThetaStep * static_cast<float>(points - 1);
      header.OmegaBegin = header.TwoThetaBegin / 2;
      header.OmegaStep = header.TwoThetaStep / 2;
      header.OmegaEnd = header.OmegaBegin + header.OmegaStep * static_cast<float>(points - 1);
      header.TimePerStep = 1;
      header.BackgroundFactor = 1;
      header.BackgroundSmooth = 1;
      float low = 1e30f, high = -1e30f;
      for (int j = 0; j < points; ++j) {
        data[static_cast<size_t>(j)] = BenchIntensity(r, j);
        low = std::min(low, data[static_cast<size_t>(j)]);
        high = std::max(high, data[static_cast<size_t>(j)]);
      }
      header.MinIntensity = static_cast<int32_t>(std::lround(low));
      header.MaxIntensity = static_cast<int32_t>(std::lround(high));
      km::WriteRawRange(sink, context, r, header, data);
    }
  }
  ~OperationBenchFile() {
    if (oldTmp_.empty()) {
      ::unsetenv("TMPDIR");
    } else {
      ::setenv("TMPDIR", oldTmp_.c_str(), 1);
    }
    std::error_code error;
    std::filesystem::remove_all(dir_, error);
  }
  OperationBenchFile(const OperationBenchFile&) = delete;
  OperationBenchFile& operator=(const OperationBenchFile&) = delete;

  std::filesystem::path Directory() const { return dir_; }

  std::string path;    // the file to work on
  std::string output;  // a file name beside it, free for results

 private:
  std::filesystem::path dir_;
  std::string oldTmp_;
  static inline int counter_ = 0;
};

// The baseline: the file's bytes read and written once, as a working copy costs at the least.
inline void BaselineReadWrite(benchmark::State& state, const OperationBenchFile& file) {
  for (auto _ : state) {
    std::ifstream in(file.path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream out(file.output, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(file.path)));
}

// Each iteration opens the file in a fresh workbench, runs command (true: it changed the working
// copy) and drops the changes. A command that refuses ends the benchmark with an error.
inline void RunWorkbenchCommand(benchmark::State& state, const OperationBenchFile& file, BenchUi& ui,
                                const std::function<bool(Workbench&)>& command) {
  for (auto _ : state) {
    WorkbenchObserver observer;
    Workbench wb(ui, observer);
    if (!wb.LoadWorkbenchFile(file.path)) {
      state.SkipWithError("the bench file cannot be opened");
      return;
    }
    wb.File.DocumentPath = file.path;
    if (!command(wb)) {
      state.SkipWithError("the command refused or changed nothing");
      wb.OnExit();
      return;
    }
    wb.OnExit();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(std::filesystem::file_size(file.path)));
}

}  // namespace keltor::bench
