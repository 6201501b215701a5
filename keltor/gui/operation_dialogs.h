#pragma once
// The dialogs of file arithmetic, normalisation and add points: the single-choice range list, the
// multiplication factors, the normalisation mode and the number of points to add. The numeric
// dialogs check their values on OK and stay open, the focus on the refused edit, while a check fails.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <vector>

#include "common/core/dialog_fields.h"
#include "common/qt/qt_dialog_controls.h"
#include "keltor/core/workbench_ui.h"

namespace keltor {

// The controls are named after their ids ("1008"), so that tests and scripts can find them.
QString ControlName(int controlId);

// A dialog over dialog-field entries: shows them, takes them back on OK (the range check of each
// edited entry first), then runs the command's check.
class CFieldDialog : public QDialog {
 public:
  explicit CFieldDialog(km::MessageSink& sink, QWidget* parent) : QDialog(parent), sink_(sink) {}
  void accept() override;

 protected:
  QLineEdit* AddEdit(int controlId);
  // Shows the entries' values; call once the entries are set up.
  void FillFields();
  // The command's check of the values taken: 0 accepts, else the control to focus.
  virtual int CheckValues() = 0;

  km::MessageSink& sink_;
  km::QtDialogControls controls_;
  km::DialogFieldBinder binder_;
  std::vector<km::DialogField> fields_;
};

class CRangeListDlg : public QDialog {
  Q_OBJECT
 public:
  CRangeListDlg(const RangeListRequest& request, QWidget* parent);
  // The zero-based index of the current line after OK, -1 if none.
  int ChosenIndex() const { return chosen_; }
  void accept() override;

 private:
  QListWidget* list_ = nullptr;
  int chosen_ = -1;
};

class CFactorsDlg : public CFieldDialog {
  Q_OBJECT
 public:
  CFactorsDlg(km::MessageSink& sink, const ArithmeticFactors& initial, DialogCheck<ArithmeticFactors> check,
              QWidget* parent);
  const ArithmeticFactors& Values() const { return values_; }

 protected:
  int CheckValues() override { return check_(values_); }

 private:
  ArithmeticFactors values_;
  DialogCheck<ArithmeticFactors> check_;
};

class CNormalizeDlg : public CFieldDialog {
  Q_OBJECT
 public:
  CNormalizeDlg(km::MessageSink& sink, const NormalizeChoice& initial, DialogCheck<NormalizeChoice> check,
                QWidget* parent);
  const NormalizeChoice& Values() const { return values_; }

 protected:
  int CheckValues() override { return check_(values_); }

 private:
  void ChooseMode(bool multiply);

  NormalizeChoice values_;
  DialogCheck<NormalizeChoice> check_;
  QRadioButton* multiply_ = nullptr;
  QRadioButton* normalize_ = nullptr;
};

class CAddPointsDlg : public CFieldDialog {
  Q_OBJECT
 public:
  CAddPointsDlg(km::MessageSink& sink, int initial, DialogCheck<int> check, QWidget* parent);
  int Count() const { return count_; }

 protected:
  int CheckValues() override { return check_(count_); }

 private:
  int count_;
  DialogCheck<int> check_;
};

}  // namespace keltor
