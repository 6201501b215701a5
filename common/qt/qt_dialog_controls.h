#pragma once
// The dialog-field tables over Qt line edits: each control id names one QLineEdit of the dialog.
#include <QLineEdit>
#include <QPointer>
#include <map>

#include "common/core/dialog_fields.h"

namespace km {

class QtDialogControls : public DialogControls {
 public:
  void Bind(int controlId, QLineEdit* edit) { edits_[controlId] = edit; }
  QLineEdit* Edit(int controlId) const;

  std::string ControlText(int controlId) const override;
  void SetControlText(int controlId, std::string_view text) override;
  void SetTextLimit(int controlId, int limit) override;
  bool IsControlModified(int controlId) const override;
  void ClearControlModified(int controlId) override;
  bool IsControlEnabled(int controlId) const override;
  void EnableControl(int controlId, bool enable) override;
  void FocusAndSelectAll(int controlId) override;

 private:
  std::map<int, QPointer<QLineEdit>> edits_;
};

}  // namespace km
