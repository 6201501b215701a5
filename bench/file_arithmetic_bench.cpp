// Subtract File and Alpha2 Stripping on a file of 8 ranges of 16384 points, each including the
// rewrite of the working copy and the list rebuilt after it, against reading and writing the same
// file's bytes once: plainly, and through the programs' file layer, which flushes what it wrote to
// the disk when it closes a file (as the working copy is written).
#include <benchmark/benchmark.h>

#include "bench/operation_bench_support.h"
#include "common/core/file_access.h"

namespace {

using keltor::bench::BenchUi;
using keltor::bench::OperationBenchFile;

// The range lists answered with their first line, the factors dialog with its defaults (1 and 1).
class ArithmeticBenchUi : public BenchUi {
 public:
  std::optional<int> ChooseFromRangeList(const keltor::RangeListRequest&) override { return 0; }
  std::optional<keltor::ArithmeticFactors> EditArithmeticFactors(
      const keltor::ArithmeticFactors& initial, const keltor::DialogCheck<keltor::ArithmeticFactors>&) override {
    return initial;
  }
};

void BM_ReadWriteBaseline(benchmark::State& state) {
  OperationBenchFile file;
  keltor::bench::BaselineReadWrite(state, file);
}

void BM_ReadWriteFlushedBaseline(benchmark::State& state) {
  OperationBenchFile file;
  km::SilentMessageSink sink;
  for (auto _ : state) {
    std::vector<char> bytes;
    {
      auto in = km::OpenFileReport(sink, file.path, km::OpenMode::Read, "Raw");
      if (!in) std::abort();
      bytes.resize(static_cast<size_t>(in->Size()));
      in->ReadAt(0, bytes.data(), bytes.size());
      in->Close();
    }
    auto out = km::OpenFileReport(sink, file.output, km::OpenMode::Create, "Raw");
    if (!out || !out->WriteAt(0, bytes.data(), bytes.size()) || !out->Close()) std::abort();
    benchmark::DoNotOptimize(bytes.data());
  }
}

void BM_SubtractFile(benchmark::State& state) {
  OperationBenchFile file;
  ArithmeticBenchUi ui;
  ui.openNames = {file.path};  // the file's own first range subtracted from its first range
  keltor::bench::RunWorkbenchCommand(
      state, file, ui, [](keltor::Workbench& wb) { return wb.OnRangesFileArithmetic(keltor::FileOperation::Subtract); });
}

void BM_StripAlpha2(benchmark::State& state) {
  OperationBenchFile file;
  ArithmeticBenchUi ui;
  keltor::bench::RunWorkbenchCommand(state, file, ui,
                                     [](keltor::Workbench& wb) { return wb.OnOperationsAlpha2Stripping(); });
}

BENCHMARK(BM_ReadWriteBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWriteFlushedBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubtractFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StripAlpha2)->Unit(benchmark::kMillisecond);

}  // namespace
