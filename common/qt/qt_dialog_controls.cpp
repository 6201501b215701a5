#include "common/qt/qt_dialog_controls.h"

#include "common/qt/qt_text.h"

namespace km {

QLineEdit* QtDialogControls::Edit(int controlId) const {
  const auto it = edits_.find(controlId);
  return it == edits_.end() ? nullptr : it->second.data();
}

std::string QtDialogControls::ControlText(int controlId) const {
  const QLineEdit* edit = Edit(controlId);
  return edit ? ToCp1252(edit->text()) : std::string();
}

void QtDialogControls::SetControlText(int controlId, std::string_view text) {
  if (QLineEdit* edit = Edit(controlId)) edit->setText(FromCp1252(text));
}

void QtDialogControls::SetTextLimit(int controlId, int limit) {
  if (QLineEdit* edit = Edit(controlId)) edit->setMaxLength(limit > 0 ? limit : 32767);
}

bool QtDialogControls::IsControlModified(int controlId) const {
  const QLineEdit* edit = Edit(controlId);
  return edit && edit->isModified();
}

void QtDialogControls::ClearControlModified(int controlId) {
  if (QLineEdit* edit = Edit(controlId)) edit->setModified(false);
}

bool QtDialogControls::IsControlEnabled(int controlId) const {
  const QLineEdit* edit = Edit(controlId);
  return edit && edit->isEnabled();
}

void QtDialogControls::EnableControl(int controlId, bool enable) {
  if (QLineEdit* edit = Edit(controlId)) edit->setEnabled(enable);
}

void QtDialogControls::FocusAndSelectAll(int controlId) {
  if (QLineEdit* edit = Edit(controlId)) {
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
  }
}

}  // namespace km
