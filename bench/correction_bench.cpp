// Absorption correction in the three geometries and angle correction, each on a file of 8 ranges of
// 16384 points including the rewrite of the working copy, against the baseline that only reads and
// writes the file's bytes.
//   cmake --preset release && cmake --build build/release --target correction_bench
//   build/release/bench/correction_bench
#include <cstdio>

#include "bench/operation_bench_support.h"
#include "keltor/core/operations/cylinder_absorption_table.h"

namespace keltor::bench {
namespace {

class CorrectionBenchUi : public BenchUi {
 public:
  std::optional<float> absorption;
  std::optional<AngleCorrectionChoice> angle;
  std::optional<float> ChooseAbsorptionValue(const AbsorptionRequest&) override { return absorption; }
  std::optional<AngleCorrectionChoice> ChooseAngleCorrection(const AngleCorrectionRequest&) override { return angle; }
};

// The bench file's geometry (ScanMode, a 16-bit field at byte 358 of the header).
void SetScanMode(const OperationBenchFile& file, int16_t mode) {
  FILE* f = std::fopen(file.path.c_str(), "r+b");
  if (f == nullptr) return;
  std::fseek(f, 358, SEEK_SET);
  std::fwrite(&mode, 2, 1, f);
  std::fclose(f);
}

// A program directory beside the file with a cylinder table of the real layout (the factors are made
// up: the interpolation costs the same).
std::string ProgramDirectoryWithTable(const OperationBenchFile& file) {
  const auto programs = file.Directory() / "PROGRAMS";
  std::filesystem::create_directories(programs);
  std::vector<float> values{0.0f};
  for (int i = 0; i < kCylinderMuRCount; ++i) values.push_back(30.0f * static_cast<float>(i) / (kCylinderMuRCount - 1));
  for (int k = 0; k < kCylinderThetaCount; ++k) {
    const float theta = 5.0f * static_cast<float>(k);
    values.push_back(theta);
    for (int i = 0; i < kCylinderMuRCount; ++i) values.push_back(1.0f + values[1 + static_cast<size_t>(i)] * (1.7f - theta / 90));
  }
  std::ofstream out(programs / kCylinderTableName, std::ios::binary);
  out.write(reinterpret_cast<const char*>(values.data()), static_cast<std::streamsize>(values.size() * 4));
  return file.Directory().string();
}

void BM_Baseline_ReadWriteFile(benchmark::State& state) {
  OperationBenchFile file;
  BaselineReadWrite(state, file);
}
BENCHMARK(BM_Baseline_ReadWriteFile)->Unit(benchmark::kMillisecond);

void BM_AbsorptionTransmission(benchmark::State& state) {
  OperationBenchFile file;
  SetScanMode(file, 1);
  CorrectionBenchUi ui;
  ui.absorption = 0.5f;
  RunWorkbenchCommand(state, file, ui, [](Workbench& wb) { return wb.OnOperationsAbsorption(); });
}
BENCHMARK(BM_AbsorptionTransmission)->Unit(benchmark::kMillisecond);

void BM_AbsorptionReflection(benchmark::State& state) {
  OperationBenchFile file;
  CorrectionBenchUi ui;
  ui.absorption = 2.0f;
  RunWorkbenchCommand(state, file, ui, [](Workbench& wb) { return wb.OnOperationsAbsorption(); });
}
BENCHMARK(BM_AbsorptionReflection)->Unit(benchmark::kMillisecond);

void BM_AbsorptionDebyeScherrer(benchmark::State& state) {
  OperationBenchFile file;
  SetScanMode(file, 3);
  const std::string programDirectory = ProgramDirectoryWithTable(file);
  CorrectionBenchUi ui;
  ui.absorption = 1.5f;
  RunWorkbenchCommand(state, file, ui, [&programDirectory](Workbench& wb) {
    wb.State.ProgramDirectory = programDirectory;
    return wb.OnOperationsAbsorption();
  });
}
BENCHMARK(BM_AbsorptionDebyeScherrer)->Unit(benchmark::kMillisecond);

void BM_AngleCorrection(benchmark::State& state) {
  OperationBenchFile file;
  CorrectionBenchUi ui;
  ui.angle = AngleCorrectionChoice{false, 0.013f, 0.02f};
  RunWorkbenchCommand(state, file, ui, [](Workbench& wb) { return wb.OnOperationsAngleCorrection({}); });
}
BENCHMARK(BM_AngleCorrection)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keltor::bench
