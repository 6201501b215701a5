// The 3D viewer's heavy paths: loading a long series of related files, and drawing a large set as
// waterfall and top view at full-HD size, as the window repaints it (ranges computed once).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "common/core/raw_file.h"
#include "common/qt/qpainter_canvas.h"
#include "morvane/core/draw.h"
#include "morvane/core/file_set.h"

namespace {


// Peaks that move with the scan number over a noisy background.
float Intensity(int scan, int j, int points) {
  const double x = 20.0 + 60.0 * j / points;
  double v = 40 + (j * 7919 + scan * 104729) % 23;
  for (double centre : {28.4, 47.3, 56.1, 69.1, 76.4}) {
    const double c = centre - 0.002 * scan;
    v += 8000.0 / (1 + (x - c) * (x - c) / 0.004);
  }
  return static_cast<float>(v);
}

std::string master;  // the series written for this run, removed at the end

// A master file and 500 related files of 16384 points, written once per process.
std::string SeriesOnDisk() {
  if (!master.empty()) return master;
  const auto dir = std::filesystem::temp_directory_path() / ("viewer_bench_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  km::SilentMessageSink sink;
  constexpr int kFiles = 500, kPoints = 16384;
  auto write = [&](const std::string& path, int related, int scan) {
    km::RawFileContext c;
    c.Path = path;
    c.Header = km::ZeroFileHeader();
    std::memcpy(c.Header.Magic, km::kRawMagic, 8);
    c.Header.ScanUsage = 4;
    c.Header.RelatedFileCount = static_cast<int16_t>(related);
    c.Header.RelatedFirstNumber = 1;
    std::vector<float> data(kPoints);
    km::RawRangeHeader r = km::ZeroRangeHeader();
    km::SetFieldText(r.CollectionStart, "05-Mar-24 14:07");
    r.PointCount = kPoints;
    r.TwoThetaBegin = 20;
    r.TwoThetaEnd = 80;
    r.TwoThetaStep = 60.0f / kPoints;
    r.Temperature = 25.0f + scan;
    r.ScaleFactor = 1;
    for (int j = 0; j < kPoints; ++j) {
      data[j] = Intensity(scan, j, kPoints);
      r.MaxIntensity = std::max(r.MaxIntensity, static_cast<int32_t>(data[j] + 0.5f));
    }
    km::WriteRawRange(sink, c, 1, r, data);
  };
  master = (dir / "series.raw").string();
  write(master, kFiles, 0);
  for (int i = 1; i <= kFiles; ++i) write(morvane::RelatedFilePath(master, i), 0, i);
  return master;
}

void BM_LoadSeries500x16384(benchmark::State& state) {
  const std::string master = SeriesOnDisk();
  km::SilentMessageSink sink;
  for (auto _ : state) {
    morvane::ViewerState viewer;
    if (!morvane::OpenFileSet(viewer, sink, master) || viewer.NumDiagrams != 500) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(viewer.Diagrams.data());
  }
}
BENCHMARK(BM_LoadSeries500x16384)->Unit(benchmark::kMillisecond)->UseRealTime();

// 200 scans of 5000 points, as a load leaves them.
morvane::ViewerState LargeSet() {
  morvane::ViewerState st;
  constexpr int kScans = 200, kPoints = 5000;
  st.Diagrams.resize(kScans);
  for (int i = 0; i < kScans; ++i) {
    morvane::Diagram& d = st.Diagrams[i];
    d.PointCount = d.Capacity = kPoints;
    d.Points.resize(kPoints);
    for (int j = 0; j < kPoints; ++j) {
      d.Points[j] = {j, Intensity(i, j, kPoints)};
      d.RawMax = std::max(d.RawMax, d.Points[j].Intensity);
    }
    d.ScaledMax = d.TopValue = d.RawMax;
    d.XBegin = 20;
    d.XEnd = 80;
    d.XStep = 60.0f / kPoints;
    d.Z = {static_cast<float>(i + 1), 25.0f + i, 0.1f * i};
  }
  st.NumDiagrams = kScans;
  st.ZAxis = {"Z axis = N", "Z axis = Temperature [\xB0" "C]", "Z axis = Time [h]"};
  st.Title = "200 scans of 5000 points";
  st.RangesDirty = true;
  return st;
}

void RenderFullHd(benchmark::State& state, bool topView) {
  morvane::ViewerState st = LargeSet();
  st.TopView = topView;
  morvane::ViewState view;
  QImage image(1920, 1080, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    km::QPainterCanvas canvas(painter);
    morvane::Paint(canvas, st, view, 1920, 1080);
  }
}

void BM_RenderWaterfall200x5000FullHd(benchmark::State& state) { RenderFullHd(state, false); }
void BM_RenderTopView200x5000FullHd(benchmark::State& state) { RenderFullHd(state, true); }
BENCHMARK(BM_RenderWaterfall200x5000FullHd)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderTopView200x5000FullHd)->Unit(benchmark::kMillisecond)->UseRealTime();

// The live drag: the window redraws on every mouse move while a face is dragged, through the path its
// paint takes (Paint into the QImage through the QPainter canvas), at 1280 x 800. The faces move a
// little each time, so every drawing places the diagrams anew. Target: 30 redraws per second or more.
void DragRedraw(benchmark::State& state, bool draft) {
  morvane::ViewerState st = LargeSet();
  morvane::ViewState view;
  QImage image(1280, 800, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    km::QPainterCanvas canvas(painter);
    morvane::Paint(canvas, st, view, 1280, 800);  // ranges and default cube, as at the first paint
  }
  int step = 0;
  view.Draft = draft;
  for (auto _ : state) {
    const int dx = step++ % 40;
    st.Front.left = 110 + dx;
    st.Back.right = 1270 - dx;
    QPainter painter(&image);
    km::QPainterCanvas canvas(painter);
    morvane::Paint(canvas, st, view, 1280, 800);
  }
  state.counters["redraws_per_s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
void BM_DragRedraw200x5000At1280x800(benchmark::State& state) { DragRedraw(state, false); }
// The same with the curves drawn as drafts, as the window may draw them while the drag lasts.
void BM_DragRedrawDraft200x5000At1280x800(benchmark::State& state) { DragRedraw(state, true); }
BENCHMARK(BM_DragRedraw200x5000At1280x800)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DragRedrawDraft200x5000At1280x800)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!master.empty()) std::filesystem::remove_all(std::filesystem::path(master).parent_path());
  return 0;
}
