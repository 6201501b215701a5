// Importing a Philips UDF file of 14501 points against the least any reader must do: read the file
// and convert its numbers with std::from_chars. Target: the import at most 3 times the baseline.
//   build/release/bench/import_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/core/file_access.h"
#include "common/core/messages.h"
#include "keltor/core/exchange/foreign_import.h"
#include "keltor/core/exchange/imported_scan.h"

namespace {

constexpr int kPoints = 14501;

// An instrument's UDF file: its keyword lines, then eight counts a line, CR LF.
std::string UdfFile() {
  std::string text =
      "SampleIdent,bench,/\r\nTitle1,Philips Analytical,/\r\nTitle2,PC-APD,/\r\nDiffrType,PW3710,/\r\n"
      "Anode,Cu,/\r\nMonochromatorUsed,NO  ,/\r\nGeneratorVoltage,  40,/\r\nTubeCurrent,  30,/\r\n"
      "FileDateTime,15-Mar-1995  9:38,/\r\nDataAngleRange,   2.0000, 292.0000,/\r\nScanStepSize,   0.020,/\r\n"
      "ScanType,CONTINUOUS,/\r\nScanStepTime,    1.00,/\r\nRawScan\r\n";
  char field[16];
  for (int i = 0; i < kPoints; ++i) {
    std::snprintf(field, sizeof field, "%8d", 100 + (i * 7919) % 90000);
    text += field;
    text += (i + 1 == kPoints) ? "/\r\n" : (i % 8 == 7 ? ",\r\n" : ",");
  }
  return text;
}

const std::string& BenchFile() {
  static const std::string path = [] {
    const std::string p = (std::filesystem::temp_directory_path() / ("import_bench_" + std::to_string(::getpid()) + ".udf")).string();
    const std::string text = UdfFile();
    std::FILE* f = std::fopen(p.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    std::atexit([] { std::filesystem::remove(BenchFile()); });
    return p;
  }();
  return path;
}

void BM_ImportUdf(benchmark::State& state) {
  km::SilentMessageSink sink;
  for (auto _ : state) {
    keltor::ImportedScan scan;
    if (!keltor::ReadForeignFile(sink, BenchFile(), keltor::ImportFormat::Udf, scan)) state.SkipWithError("refused");
    benchmark::DoNotOptimize(scan.Ranges[0].Data.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ImportUdf)->Unit(benchmark::kMicrosecond);

// The baseline: the same file read whole, every number after "RawScan" converted with std::from_chars.
void BM_ReadAndFromChars(benchmark::State& state) {
  for (auto _ : state) {
    const auto text = km::ReadWholeFile(BenchFile(), size_t{1} << 26);
    std::vector<float> values;
    values.reserve(kPoints);
    const char* p = text->data() + text->find("RawScan") + 7;
    const char* end = text->data() + text->size();
    while (p < end) {
      while (p < end && !((*p >= '0' && *p <= '9') || *p == '-' || *p == '.')) ++p;
      float v = 0;
      const auto [next, ec] = std::from_chars(p, end, v);
      if (ec == std::errc()) values.push_back(v);
      p = next == p ? p + 1 : next;
    }
    benchmark::DoNotOptimize(values.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ReadAndFromChars)->Unit(benchmark::kMicrosecond);

}  // namespace
