#pragma once
// " Change Angular Range": new begin and end of one range on its scan axis. The six edits show both
// axes; only the scan axis' begin and end can be edited, and they are checked against the range's
// own limits when OK is pressed. Control object names are "ctl" and the control id.
#include <QDialog>
#include <optional>

#include "common/core/dialog_fields.h"
#include "common/qt/qt_dialog_controls.h"
#include "keltor/core/workbench_ui.h"

namespace keltor {

class CAngularRangeDlg : public QDialog {
 public:
  CAngularRangeDlg(const AngularRangeRequest& request, km::MessageSink& sink, QWidget* parent = nullptr);

  const std::optional<AngularRange>& Result() const { return result_; }

 public slots:
  void accept() override;

 private:
  AngularRangeRequest request_;
  km::MessageSink& sink_;
  float values_[6];  // 2Theta begin, end, step, Omega begin, end, step
  km::DialogField fields_[6];
  km::QtDialogControls controls_;
  km::DialogFieldBinder binder_;
  std::optional<AngularRange> result_;
};

}  // namespace keltor
