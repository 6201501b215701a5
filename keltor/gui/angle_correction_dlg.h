#pragma once
// " Angle Correction": the stored calibration polynomial (check box, with its order and range) or the
// line Delta = a + b * angle/180 typed into two edits, which are disabled while the check box is
// checked. Control object names are "ctl" and the control id.
#include <QCheckBox>
#include <QDialog>
#include <optional>

#include "common/core/dialog_fields.h"
#include "common/qt/qt_dialog_controls.h"
#include "keltor/core/workbench_ui.h"

namespace keltor {

class CAngleCorrectionDlg : public QDialog {
 public:
  CAngleCorrectionDlg(const AngleCorrectionRequest& request, km::MessageSink& sink, QWidget* parent = nullptr);

  const std::optional<AngleCorrectionChoice>& Result() const { return result_; }

 public slots:
  void accept() override;

 private:
  void EnableLine();

  km::MessageSink& sink_;
  QCheckBox* useStored_ = nullptr;
  float values_[2];  // a, b
  km::DialogField fields_[2];
  km::QtDialogControls controls_;
  km::DialogFieldBinder binder_;
  std::optional<AngleCorrectionChoice> result_;
};

}  // namespace keltor
