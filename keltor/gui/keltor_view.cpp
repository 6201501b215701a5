#include "keltor/gui/keltor_view.h"

#include <QPainter>

#include "common/qt/qpainter_canvas.h"

namespace keltor {

namespace {

// The plot reads what every command reads: the working copy while modified, else the opened file.
class WorkbenchPlotSource : public PlotDataSource {
 public:
  explicit WorkbenchPlotSource(Workbench& workbench) : w_(workbench) {}
  bool ReadHeader(km::RawFileHeader& header) override {
    return w_.File.ReadWorkbenchHeader(w_.Ui(), header, nullptr);
  }
  bool ReadRange(int n, km::RawRangeHeader& rangeHeader, std::span<float> data) override {
    return w_.File.ReadWorkbenchRange(w_.Ui(), n, rangeHeader, data);
  }

 private:
  Workbench& w_;
};

}  // namespace

CKeltorView::CKeltorView(Workbench& workbench, QWidget* parent) : QWidget(parent), workbench_(workbench) {
  setObjectName("KeltorView");
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  setMinimumSize(120, 120);
}

void CKeltorView::OnFileChanged() {
  update();
  WorkbenchPlotSource source(workbench_);
  plot_.FileChanged(source, !workbench_.File.DocumentPath.empty());
}

void CKeltorView::OnDataChanged() {
  WorkbenchPlotSource source(workbench_);
  plot_.DataChanged(source);
  update();
}

PlotFileState CKeltorView::FileState() const {
  const WorkbenchFile& f = workbench_.File;
  PlotFileState state;
  state.DocumentPath = f.DocumentPath;
  state.OpenedRangeCount = f.OpenedFile.Header.MeasuredRangeCount;
  state.WorkingRangeCount = f.WorkingFile.Header.MeasuredRangeCount;
  state.RangeModified = f.RangeModified;
  return state;
}

void CKeltorView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  km::QPainterCanvas canvas(painter);
  plot_.Paint(canvas, {0, 0, width(), height()}, FileState());
}

}  // namespace keltor
