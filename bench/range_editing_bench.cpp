// The Ranges menu's editing commands on a file of 8 ranges of 16384 points, each including the
// rewrite of the working copy, against the baseline that only reads and writes the file's bytes.
//   cmake --preset release && cmake --build build/release --target range_editing_bench
//   build/release/bench/range_editing_bench
#include "bench/operation_bench_support.h"

namespace keltor::bench {
namespace {

void BM_Baseline_ReadWriteFile(benchmark::State& state) {
  OperationBenchFile file;
  BaselineReadWrite(state, file);
}
BENCHMARK(BM_Baseline_ReadWriteFile)->Unit(benchmark::kMillisecond);

void BM_TruncateRange(benchmark::State& state) {
  OperationBenchFile file;
  BenchUi ui;
  ui.truncateRanges = {4};
  ui.angles = AngularRange{20.0f, 80.0f};
  ui.selection = RangeSelection{{4}, 1};
  RunWorkbenchCommand(state, file, ui, [](Workbench& wb) { return wb.OnRangesTruncate(); });
}
BENCHMARK(BM_TruncateRange)->Unit(benchmark::kMillisecond);

void BM_DeleteRange(benchmark::State& state) {
  OperationBenchFile file;
  BenchUi ui;
  ui.selection = RangeSelection{{2, 5}, 1};
  RunWorkbenchCommand(state, file, ui, [](Workbench& wb) { return wb.OnRangesDelete(); });
}
BENCHMARK(BM_DeleteRange)->Unit(benchmark::kMillisecond);

void BM_ExtractRange(benchmark::State& state) {
  OperationBenchFile file;
  BenchUi ui;
  ui.selection = RangeSelection{{1, 8}, 1};
  ui.extractName = (file.Directory() / "part.ra#").string();
  RunWorkbenchCommand(state, file, ui, [](Workbench& wb) { return wb.OnRangesExtract(); });
}
BENCHMARK(BM_ExtractRange)->Unit(benchmark::kMillisecond);

void BM_CombineRange(benchmark::State& state) {
  OperationBenchFile file;
  BenchUi ui;
  ui.selection = RangeSelection{{3, 4}, 1};
  RunWorkbenchCommand(state, file, ui, [](Workbench& wb) { return wb.OnRangesCombine(); });
}
BENCHMARK(BM_CombineRange)->Unit(benchmark::kMillisecond);

void BM_AddRanges(benchmark::State& state) {
  OperationBenchFile file;
  BenchUi ui;
  ui.selection = RangeSelection{{1, 2, 3, 4, 5, 6, 7, 8}, 8};
  RunWorkbenchCommand(state, file, ui, [](Workbench& wb) { return wb.OnRangesAdd(); });
}
BENCHMARK(BM_AddRanges)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keltor::bench
