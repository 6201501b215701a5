#pragma once
// The plot view: the open file as loaded (above) and as it is now (below).
#include <QWidget>

#include "keltor/core/workbench.h"
#include "keltor/core/workbench_plot.h"

namespace keltor {

class CKeltorView : public QWidget {
  Q_OBJECT
 public:
  CKeltorView(Workbench& workbench, QWidget* parent = nullptr);

  // File changed (1125): both plots reloaded, the extents start anew.
  void OnFileChanged();
  // Data changed (1126): the lower plot reloaded, the extents widened.
  void OnDataChanged();

  const WorkbenchPlot& Plot() const { return plot_; }
  PlotFileState FileState() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Workbench& workbench_;
  WorkbenchPlot plot_;
};

}  // namespace keltor
