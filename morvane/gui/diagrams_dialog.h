#pragma once
// View > Diagrams: the set's diagrams by decreasing series number; "Omit" hides the selected ones from
// the picture, or shows them again, at once. Up and Down are there as in the suite, disabled: the
// order in depth follows the Z values.
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <functional>

#include "morvane/core/viewer_state.h"

namespace morvane {

class CDiagramsDlg : public QDialog {
  Q_OBJECT
 public:
  // changed runs after every Omit, so that the picture behind the dialog follows.
  CDiagramsDlg(ViewerState& state, std::function<void()> changed, QWidget* parent = nullptr);
  QListWidget* List() const { return list_; }
  QPushButton* Omit() const { return omit_; }

 private:
  void Fill();
  void OnOmit();

  ViewerState& state_;
  std::function<void()> changed_;
  QListWidget* list_ = nullptr;
  QPushButton* omit_ = nullptr;
};

}  // namespace morvane
