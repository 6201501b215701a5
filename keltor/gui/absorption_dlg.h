#pragma once
// " Absorption Correction": the one parameter of the file's geometry (transmission factor, mu*t or
// mu*R), checked against 0 and the geometry's limit when OK is pressed. Control object names are
// "ctl" and the control id.
#include <QDialog>
#include <optional>

#include "common/core/dialog_fields.h"
#include "common/qt/qt_dialog_controls.h"
#include "keltor/core/workbench_ui.h"

namespace keltor {

class CAbsorptionDlg : public QDialog {
 public:
  CAbsorptionDlg(const AbsorptionRequest& request, km::MessageSink& sink, QWidget* parent = nullptr);

  const std::optional<float>& Result() const { return result_; }

 public slots:
  void accept() override;

 private:
  km::MessageSink& sink_;
  float value_;
  km::DialogField field_[1];
  km::QtDialogControls controls_;
  km::DialogFieldBinder binder_;
  std::optional<float> result_;
};

}  // namespace keltor
