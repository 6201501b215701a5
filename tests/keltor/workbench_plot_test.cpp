#include "keltor/core/workbench_plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/keltor/plot_canvas_queries.h"

namespace keltor {
namespace {

using test::PlotCanvas;
using test::Replay;

struct FakeRange {
  float begin, step;
  std::vector<float> data;
  float scale = 1;
};

// A file of ranges in memory, read the way the workbench reads its file.
class FakeSource : public PlotDataSource {
 public:
  std::vector<FakeRange> ranges;
  int scanType = 0;
  bool ReadHeader(km::RawFileHeader& h) override {
    h = km::RawFileHeader{};
    h.MeasuredRangeCount = static_cast<int16_t>(ranges.size());
    h.ScanType = static_cast<int16_t>(scanType);
    h.TotalPointCount = 0;
    for (const auto& r : ranges) h.TotalPointCount += static_cast<int32_t>(r.data.size());
    return true;
  }
  bool ReadRange(int n, km::RawRangeHeader& rh, std::span<float> data) override {
    const FakeRange& r = ranges.at(static_cast<size_t>(n - 1));
    rh = km::RawRangeHeader{};
    rh.PointCount = static_cast<int16_t>(r.data.size());
    const float end = r.begin + r.step * static_cast<float>(r.data.size() - 1);
    // The other axis holds something else, so that a wrong choice shows.
    (scanType == 2 ? rh.OmegaBegin : rh.TwoThetaBegin) = r.begin;
    (scanType == 2 ? rh.OmegaEnd : rh.TwoThetaEnd) = end;
    (scanType == 2 ? rh.OmegaStep : rh.TwoThetaStep) = r.step;
    (scanType == 2 ? rh.TwoThetaBegin : rh.OmegaBegin) = -100;
    rh.ScaleFactor = r.scale;
    const auto [lo, hi] = std::minmax_element(r.data.begin(), r.data.end());
    rh.MinIntensity = static_cast<int32_t>(*lo * r.scale);
    rh.MaxIntensity = static_cast<int32_t>(*hi * r.scale);
    std::copy(r.data.begin(), r.data.end(), data.begin());
    return true;
  }
};

FakeRange Range(float begin, int n, float lo, float hi) {
  FakeRange r{begin, 0.1f, std::vector<float>(static_cast<size_t>(n), lo)};
  r.data[static_cast<size_t>(n / 2)] = hi;
  return r;
}

FakeSource ThreeRanges() {
  FakeSource source;
  source.ranges = {Range(10, 101, 5, 100), Range(20, 101, 10, 400), Range(30, 201, 20, 300)};
  return source;
}

PlotFileState FileOf(int ranges) {
  PlotFileState f;
  f.DocumentPath = "/data/demo.raw";
  f.OpenedRangeCount = ranges;
  f.WorkingRangeCount = ranges;
  return f;
}

// The legend lists each range in its colour below the file's name, inside the upper data area, for
// short and long paths, wide and narrow windows.
TEST(WorkbenchPlot, ThreeRangesGiveTheExtentsAndALegendInsideTheFrame) {
  FakeSource source = ThreeRanges();
  WorkbenchPlot plot;
  plot.FileChanged(source, true);
  EXPECT_EQ(plot.Extents(), (PlotExtents{10, 50, 5, 400}));
  for (const auto& [path, width] : {std::pair{"/data/demo.raw", 800}, {"/d.raw", 1200}, {"/d.raw", 260},
                                    {"/data/a/very/long/directory/name/demo.raw", 300}}) {
    SCOPED_TRACE(std::string(path) + " " + std::to_string(width));
    PlotFileState file = FileOf(3);
    file.DocumentPath = path;
    PlotCanvas canvas;
    plot.Paint(canvas, {0, 0, width, 600}, file);
    EXPECT_TRUE(canvas.LinesIn(kChangedRangeColor).empty());
    EXPECT_FALSE(canvas.FindText(" Range 4 "));
    for (int i = 1; i <= 3; ++i) {
      const std::string name = " Range " + std::to_string(i) + " ";
      const auto legend = canvas.FindText(name);
      ASSERT_TRUE(legend && legend->clip && canvas.FindText(path));
      EXPECT_EQ(legend->color, kLoadedRangeColors[static_cast<size_t>(i - 1)]);
      EXPECT_GT(legend->at.y, canvas.FindText(path)->at.y);
      EXPECT_LE(legend->clip->bottom, 300);
      EXPECT_LE(legend->at.x + canvas.TextExtent(name).cx, legend->clip->right);
      EXPECT_GE(legend->at.x, legend->clip->left);
    }
  }
}

TEST(WorkbenchPlot, AChangedRangeIsRedBelowAndTheExtentsOnlyWiden) {
  FakeSource source = ThreeRanges();
  WorkbenchPlot plot;
  plot.FileChanged(source, true);

  source.ranges[1] = Range(15, 101, -50, 900);  // wider in X and in Y
  plot.DataChanged(source);
  EXPECT_EQ(plot.Extents(), (PlotExtents{10, 50, -50, 900}));
  EXPECT_FLOAT_EQ(plot.LoadedRanges()[1].Begin, 20);  // the upper table keeps the file as loaded

  PlotFileState file = FileOf(3);
  file.RangeModified[1] = true;
  PlotCanvas canvas;
  plot.Paint(canvas, {0, 0, 800, 600}, file);
  // Drawn below, on top: the red strokes come after every grey one.
  const auto lines = Replay(canvas).lines;
  size_t lastGrey = 0, firstRed = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].pen.color == kUnchangedRangeColor) lastGrey = i;
    if (lines[i].pen.color == kChangedRangeColor) firstRed = std::min(firstRed, i);
  }
  EXPECT_LT(lastGrey, firstRed);
  ASSERT_LT(firstRed, lines.size());
  EXPECT_GT(lines[firstRed].from.y, 300);

  source.ranges[1] = Range(20, 11, 10, 20);  // narrower again: the extents stay
  plot.DataChanged(source);
  EXPECT_EQ(plot.Extents(), (PlotExtents{10, 50, -50, 900}));

  plot.FileChanged(source, true);  // a newly opened file starts afresh
  EXPECT_EQ(plot.Extents(), (PlotExtents{10, 50, 5, 300}));
}

TEST(WorkbenchPlot, NothingIsDrawnWithoutAFileOrRanges) {
  FakeSource source = ThreeRanges();
  WorkbenchPlot plot;
  PlotCanvas canvas;
  plot.Paint(canvas, {0, 0, 800, 600}, FileOf(3));  // nothing loaded yet
  plot.FileChanged(source, true);
  plot.Paint(canvas, {0, 0, 800, 600}, PlotFileState{});
  plot.Paint(canvas, {0, 0, 800, 600}, FileOf(0));
  EXPECT_TRUE(canvas.calls.empty());

  FakeSource empty;  // a file without data leaves tables and extents as they were
  plot.FileChanged(empty, true);
  EXPECT_EQ(plot.Extents(), (PlotExtents{10, 50, 5, 400}));
}

TEST(WorkbenchPlot, OmegaScansPlotOverOmegaInScaledCountsAndFlatDataIsStillDrawn) {
  FakeSource source;
  source.scanType = 2;
  source.ranges = {Range(5, 11, 7, 7)};
  source.ranges[0].scale = 10;  // stored extremes 70
  WorkbenchPlot plot;
  plot.FileChanged(source, true);
  EXPECT_EQ(plot.Extents(), (PlotExtents{5, 6, 7, 7}));
  PlotCanvas canvas;
  plot.Paint(canvas, {0, 0, 800, 600}, FileOf(1));
  EXPECT_FALSE(canvas.LinesIn(kLoadedRangeColors[0]).empty());
}

}  // namespace
}  // namespace keltor
