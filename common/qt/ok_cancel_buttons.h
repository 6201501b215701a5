#pragma once
// The OK and Cancel buttons that close the programs' dialogs.
class QDialog;
class QDialogButtonBox;

namespace km {

// OK and Cancel wired to the dialog's accept and reject (virtual, so its own checks run), named "ctlOk"
// and "ctlCancel" for the tests. The caller places the box in its layout.
QDialogButtonBox* AddOkCancelButtons(QDialog* dialog);

}  // namespace km
