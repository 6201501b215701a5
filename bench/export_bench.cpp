// Export speed: one range of 16384 points written in each format against writing the same number
// of bytes with one buffered write; and a batch of 200 files of 5000 points exported by keltor-cli,
// whole process, as a user runs it from a shell.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "common/core/raw_file.h"
#include "keltor/core/exchange/export_format.h"

namespace {

const std::filesystem::path& WorkDir() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("export_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    std::atexit([] { std::filesystem::remove_all(WorkDir()); });
    return d;
  }();
  return dir;
}

km::RawFileHeader BenchFileHeader() {
  km::RawFileHeader h = km::ZeroFileHeader();
  std::memcpy(h.Magic, km::kRawMagic, 8);
  km::SetFieldText(h.Title, "Export benchmark");
  km::SetFieldText(h.CreationTime, "05-Nov-98 09:00");
  h.DiffractometerType = 2;
  h.AngleResolution = 1000;
  h.Monochromator = 3;
  h.Radiation = 3;
  h.GeneratorVoltage = 40;
  h.GeneratorCurrent = 30;
  h.WavelengthAlpha1 = 1.54056f;
  h.WavelengthAlpha2 = 1.54439f;
  h.ScanMode = 2;
  h.ScanType = 3;
  h.InstrumentInfoValid = 1;
  return h;
}

// Peaks over a noisy background, counts up to some 10^5.
std::vector<float> Counts(int points, int seed) {
  std::vector<float> v(static_cast<size_t>(points));
  for (int j = 0; j < points; ++j) {
    const double x = 10.0 + 0.005 * j;
    double c = 40 + (j * 7919 + seed * 104729) % 23;
    for (double centre : {28.4, 47.3, 56.1, 69.1, 76.4}) c += 90000.0 / (1 + (x - centre) * (x - centre) / 0.004);
    v[static_cast<size_t>(j)] = static_cast<float>(static_cast<long long>(c));
  }
  return v;
}

km::RawRangeHeader BenchRangeHeader(int points) {
  km::RawRangeHeader r = km::ZeroRangeHeader();
  r.PointCount = static_cast<int16_t>(points);
  r.ScaleFactor = 1;
  r.TwoThetaBegin = 10.0f;
  r.TwoThetaStep = 0.005f;
  r.TwoThetaEnd = 10.0f + 0.005f * static_cast<float>(points - 1);
  r.TimePerStep = 2;
  r.DivergenceSlit = 1;
  r.BackgroundFactor = 1;
  r.BackgroundSmooth = 1;
  return r;
}

keltor::ExportRange BenchRange() {
  keltor::ExportRange range;
  range.File = BenchFileHeader();
  range.Values = Counts(km::kWorkbenchMaxPoints, 1);
  range.Range = BenchRangeHeader(km::kWorkbenchMaxPoints);
  range.Range.MinIntensity = 40;
  range.Range.MaxIntensity = 100000;
  range.DocumentPath = "/data/BENCH.RAW";
  range.OutputPath = (WorkDir() / "bench.out").string();
  range.Today = "98/11/05";
  return range;
}

void BM_Export(benchmark::State& state) {
  const auto format = static_cast<keltor::ExportFormat>(state.range(0));
  const keltor::ExportRange range = BenchRange();
  km::SilentMessageSink sink;
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = keltor::WriteExport(format, range);
    if (!keltor::WriteExportFile(sink, range.OutputPath, text)) state.SkipWithError("not written");
    bytes = text.size();
  }
  state.SetLabel(std::string(keltor::ExportFormatOf(static_cast<int>(format))->CliName));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_Export)->DenseRange(0, keltor::kExportFormatCount - 1)->Unit(benchmark::kMicrosecond);

// The floor: the bytes of the format, already made, written with one buffered write.
void BM_BufferedWriteOfTheSameBytes(benchmark::State& state) {
  const auto format = static_cast<keltor::ExportFormat>(state.range(0));
  const keltor::ExportRange range = BenchRange();
  const std::string text = keltor::WriteExport(format, range);
  for (auto _ : state) {
    std::FILE* f = std::fopen(range.OutputPath.c_str(), "wb");
    if (!f || std::fwrite(text.data(), 1, text.size(), f) != text.size() || std::fclose(f) != 0) {
      state.SkipWithError("not written");
    }
  }
  state.SetLabel(std::string(keltor::ExportFormatOf(static_cast<int>(format))->CliName));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_BufferedWriteOfTheSameBytes)->DenseRange(0, keltor::kExportFormatCount - 1)->Unit(benchmark::kMicrosecond);

#ifdef KM_KELTOR_CLI
// keltor-cli export --format gsas -d OUT over 200 files of 5000 points: the whole process.
void BM_BatchExport200Files(benchmark::State& state) {
  const auto in = WorkDir() / "batch";
  const auto out = WorkDir() / "batch_out";
  std::filesystem::create_directories(in);
  std::filesystem::create_directories(out);
  km::SilentMessageSink sink;
  std::string names;
  for (int i = 0; i < 200; ++i) {
    km::RawFileContext context;
    context.Path = (in / ("scan" + std::to_string(i) + ".raw")).string();
    context.Header = BenchFileHeader();
    context.Header.RangeCount = 1;
    km::RawRangeHeader r = BenchRangeHeader(5000);
    const std::vector<float> counts = Counts(5000, i);
    r.MinIntensity = 40;
    r.MaxIntensity = static_cast<int32_t>(*std::max_element(counts.begin(), counts.end()));
    if (!km::WriteRawRange(sink, context, 1, r, counts)) return state.SkipWithError("raw file not written");
    names += " " + context.Path;
  }
  const std::string command =
      std::string(KM_KELTOR_CLI) + " export --format gsas --yes -d " + out.string() + names + " 2>/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("keltor-cli export failed");
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * 200));
}
BENCHMARK(BM_BatchExport200Files)->Unit(benchmark::kMillisecond)->Iterations(5);
#endif

}  // namespace
