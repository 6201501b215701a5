// A frame of the cube drag at 1280 x 800: the whole waterfall of 200 scans of 5000 points as the
// window draws it, and the picture the view draws while a face follows the mouse: draft curves, and
// as many diagrams as fit the frame budget (measured on the previous frame). The faces move a
// little every frame, as they do under the mouse.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <optional>

#include "common/qt/qpainter_canvas.h"
#include "morvane/core/drag_preview.h"
#include "morvane/core/draw.h"

namespace {

constexpr int kScans = 200, kPoints = 5000, kWidth = 1280, kHeight = 800;
constexpr double kBudgetMs = 25.0;  // as the view uses
constexpr int kFewest = 8;

morvane::ViewerState LargeSet() {
  morvane::ViewerState st;
  st.Diagrams.resize(kScans);
  for (int i = 0; i < kScans; ++i) {
    morvane::Diagram& d = st.Diagrams[i];
    d.PointCount = d.Capacity = kPoints;
    d.Points.resize(kPoints);
    for (int j = 0; j < kPoints; ++j) {
      const double x = 20.0 + 60.0 * j / kPoints;
      double v = 40 + (j * 7919 + i * 104729) % 23;
      for (double centre : {28.4, 47.3, 56.1, 69.1, 76.4}) v += 8000.0 / (1 + (x - centre) * (x - centre) / 0.004);
      d.Points[j] = {j, static_cast<float>(v)};
      d.RawMax = std::max(d.RawMax, d.Points[j].Intensity);
    }
    d.ScaledMax = d.TopValue = d.RawMax;
    d.XBegin = 20;
    d.XEnd = 80;
    d.XStep = 60.0f / kPoints;
    d.Z = {static_cast<float>(i + 1), 25.0f + i, 0.1f * i};
  }
  st.NumDiagrams = kScans;
  st.ZAxis = {"Z axis = N", "Z axis = N", "Z axis = Time [h]"};
  st.RangesDirty = true;
  return st;
}

void DragFrames(benchmark::State& state, bool thinned) {
  morvane::ViewerState st = LargeSet();
  morvane::ViewState view;
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  int previewCount = kScans, frame = 0;
  double drawn = 0;
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    st.Back.left += (++frame % 2) ? 3 : -3;
    std::optional<morvane::PreviewScope> preview;
    if (thinned && previewCount < kScans) preview.emplace(st, previewCount);
    const int shown = preview ? preview->Drawn() : kScans;
    view.Draft = thinned;
    {
      QPainter painter(&image);
      km::QPainterCanvas canvas(painter);
      morvane::Paint(canvas, st, view, kWidth, kHeight);
    }
    previewCount = morvane::PreviewDiagramCount(static_cast<double>(clock.nsecsElapsed()) / 1e6, shown, kBudgetMs,
                                                kFewest, kScans);
    drawn += shown;
  }
  state.counters["diagrams_per_frame"] = drawn / static_cast<double>(state.iterations());
  state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DragFrameWhole200x5000(benchmark::State& state) { DragFrames(state, false); }
void BM_DragFrameThinned200x5000(benchmark::State& state) { DragFrames(state, true); }
BENCHMARK(BM_DragFrameWhole200x5000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DragFrameThinned200x5000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
