// Subtract File and Alpha2 Stripping on a file of 8 ranges of 16384 points, each including the
// rewrite of the working copy and the list rebuilt after it, against reading and writing the same
// file's bytes once.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "common/core/file_access.h"
#include "common/core/raw_file.h"
#include "keltor/core/workbench.h"

namespace {

constexpr int kRanges = 8;
constexpr int kPoints = 16384;

struct BenchFiles {
  std::filesystem::path dir;
  std::string target, source, copy;
};

// Answers every dialog of the commands measured: the first range, the source file, factors 1 and 1.
class BenchUi : public keltor::WorkbenchUi {
 public:
  std::string source;
  void ShowMessage(std::string_view, km::MessageIcon) override {}
  bool AskYesNo(std::string_view, bool = false) override { return false; }
  std::optional<keltor::OpenFileChoice> ChooseOpenFile(const keltor::OpenFileRequest&) override {
    return keltor::OpenFileChoice{source, 1};
  }
  std::optional<std::vector<std::string>> ChooseOpenFiles(const keltor::OpenFileRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseSaveFile(const keltor::SaveFileRequest&) override { return std::nullopt; }
  std::optional<int> ChooseFromRangeList(const keltor::RangeListRequest&) override { return 0; }
  std::optional<keltor::ArithmeticFactors> EditArithmeticFactors(
      const keltor::ArithmeticFactors& initial, const keltor::DialogCheck<keltor::ArithmeticFactors>&) override {
    return initial;
  }
};

km::RawFileHeader Header() {
  km::RawFileHeader h = km::ZeroFileHeader();
  std::memcpy(h.Magic, km::kRawMagic, 8);
  km::SetFieldText(h.Title, "Benchmark");
  h.DiffractometerType = 2;
  h.AngleResolution = 1000;
  h.Monochromator = 0;  // so that the Alpha2 lines can be stripped
  h.Radiation = 3;
  h.DetectorType = 1;
  h.WavelengthAlpha1 = 1.540598f;
  h.WavelengthAlpha2 = 1.54439f;
  h.ScanMode = 2;
  h.ScanType = 3;
  h.InstrumentInfoValid = 1;
  return h;
}

void WriteFile(const std::string& path, int ranges, float scale) {
  km::SilentMessageSink sink;
  km::RawFileContext context;
  context.Path = path;
  context.Header = Header();
  context.Header.RangeCount = static_cast<int16_t>(ranges);
  std::vector<float> data(kPoints);
  for (int r = 0; r < ranges; ++r) {
    km::RawRangeHeader h = km::ZeroRangeHeader();
    h.PointCount = kPoints;
    h.ScaleFactor = 1;
    h.TwoThetaBegin = 10.0f + 0.5f * static_cast<float>(r);
    h.TwoThetaStep = 0.005f;
    h.TwoThetaEnd = h.TwoThetaBegin + h.TwoThetaStep * (kPoints - 1);
    h.OmegaBegin = h.TwoThetaBegin / 2;
    h.OmegaStep = h.TwoThetaStep / 2;
    h.OmegaEnd = h.TwoThetaEnd / 2;
    h.TimePerStep = 1;
    for (int i = 0; i < kPoints; ++i) {
      const double x = h.TwoThetaBegin + i * h.TwoThetaStep;
      data[static_cast<size_t>(i)] = static_cast<float>(scale * (50 + 40000.0 / (1 + std::pow((std::fmod(x, 10.0) - 5) / 0.05, 2))));
    }
    h.MinIntensity = 0;
    h.MaxIntensity = km::RoundToCount(scale * 40050);
    if (!km::WriteRawRange(sink, context, r + 1, h, data)) std::abort();
  }
}

const BenchFiles& Files() {
  static const BenchFiles files = [] {
    BenchFiles f;
    f.dir = std::filesystem::temp_directory_path() / ("arithmetic_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(f.dir);
    f.target = (f.dir / "target.raw").string();
    f.source = (f.dir / "source.raw").string();
    f.copy = (f.dir / "copy.raw").string();
    WriteFile(f.target, kRanges, 1.0f);
    WriteFile(f.source, kRanges, 0.25f);
    return f;
  }();
  return files;
}

// The floor every operation on the file pays: its bytes read, and written once through the programs'
// own file layer (which flushes a written file to the disk when closing it).
void BM_ReadWriteBaseline(benchmark::State& state) {
  const BenchFiles& f = Files();
  km::SilentMessageSink sink;
  for (auto _ : state) {
    std::vector<char> bytes;
    {
      auto in = km::OpenFileReport(sink, f.target, km::OpenMode::Read, "Raw");
      if (!in) std::abort();
      bytes.resize(static_cast<size_t>(in->Size()));
      in->ReadAt(0, bytes.data(), bytes.size());
      in->Close();
    }
    auto out = km::OpenFileReport(sink, f.copy, km::OpenMode::Create, "Raw");
    if (!out || !out->WriteAt(0, bytes.data(), bytes.size()) || !out->Close()) std::abort();
    benchmark::DoNotOptimize(bytes.data());
  }
}

// Opens the file, runs the command on its working copy, and drops the working copy again.
template <typename Command>
void RunOnWorkingCopy(benchmark::State& state, Command command) {
  const BenchFiles& f = Files();
  BenchUi ui;
  ui.source = f.source;
  keltor::WorkbenchObserver observer;
  keltor::Workbench workbench(ui, observer);
  if (!workbench.LoadWorkbenchFile(f.target)) std::abort();
  workbench.File.DocumentPath = f.target;
  for (auto _ : state) {
    if (!command(workbench)) state.SkipWithError("the command refused");
    state.PauseTiming();
    workbench.File.DropChanges();
    state.ResumeTiming();
  }
}

void BM_SubtractFile(benchmark::State& state) {
  RunOnWorkingCopy(state, [](keltor::Workbench& wb) { return wb.OnRangesFileArithmetic(keltor::FileOperation::Subtract); });
}

void BM_StripAlpha2(benchmark::State& state) {
  RunOnWorkingCopy(state, [](keltor::Workbench& wb) { return wb.OnOperationsAlpha2Stripping(); });
}

BENCHMARK(BM_ReadWriteBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubtractFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StripAlpha2)->Unit(benchmark::kMillisecond);

// The files are removed when the program ends.
const struct Cleanup {
  ~Cleanup() {
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                    ("arithmetic_bench_" + std::to_string(::getpid())),
                                error);
  }
} cleanup;

}  // namespace
