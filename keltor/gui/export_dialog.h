#pragma once
// File > Export's dialog (" Export File"): the format as seven radio buttons, the two value options
// and the output file with Browse. Every rule lives in the workbench (ExportDialogValues and the
// request's Browse and Accept); the dialog shows the members and hands the user's clicks over.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>

#include "keltor/core/workbench_ui.h"

namespace keltor {

// Control ids, as object names "ExportControl<id>" for tests.
inline constexpr int kExportFirstFormatButton = 1011;  // 1011 + Format
inline constexpr int kExportNoNegativeBox = 1026;
inline constexpr int kExportCountsPerSecondBox = 1027;
inline constexpr int kExportFileNameEdit = 1028;
inline constexpr int kExportBrowseButton = 1029;

class CExportDlg : public QDialog {
  Q_OBJECT
 public:
  CExportDlg(const ExportDialogRequest& request, QWidget* parent = nullptr);

  const ExportDialogValues& Values() const { return values_; }

  void accept() override;

 private:
  void TakeFromControls();
  void RefreshControls();

  const ExportDialogRequest& request_;
  ExportDialogValues values_;
  QButtonGroup* formats_ = nullptr;
  QCheckBox* noNegative_ = nullptr;
  QCheckBox* countsPerSecond_ = nullptr;
  QLineEdit* fileName_ = nullptr;
};

}  // namespace keltor
