#pragma once
// The range selection dialog every Ranges command shares: the file's ranges in a list with multiple
// selection; in Truncate mode ranges are cut one at a time while it is open, in Add mode it also takes
// the target range. Control object names are "ctl" and the control id ("ctl1000" is the list).
#include <QDialog>
#include <optional>

#include "common/core/messages.h"
#include "keltor/core/workbench_ui.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace keltor {

class CRangeSelectDlg : public QDialog {
 public:
  CRangeSelectDlg(const RangeSelectRequest& request, km::MessageSink& sink, QWidget* parent = nullptr);

  // Set once the dialog closed with OK.
  const std::optional<RangeSelection>& Result() const { return result_; }

  // Button 1004: "All Ranges" selects everything and accepts; "Truncate" truncates the current range.
  void OnAllRangesOrTruncate();

 public slots:
  void accept() override;

 private:
  void FillList(const std::vector<std::string>& lines, int selectRow);
  void UpdateButtons();

  RangeSelectRequest request_;
  km::MessageSink& sink_;
  QListWidget* list_ = nullptr;
  QPushButton* allButton_ = nullptr;
  QLineEdit* targetEdit_ = nullptr;
  int target_ = 1;
  std::optional<RangeSelection> result_;
};

}  // namespace keltor
