#include "keltor/gui/absorption_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/qt/qt_text.h"
#include "common/qt/ok_cancel_buttons.h"

namespace keltor {

namespace {

constexpr int kValueId = 1005;
constexpr int kLabelId = 1006;

}  // namespace

CAbsorptionDlg::CAbsorptionDlg(const AbsorptionRequest& request, km::MessageSink& sink, QWidget* parent)
    : QDialog(parent), sink_(sink), value_(request.Value) {
  setObjectName("KeltorAbsorptionDlg");
  setWindowTitle(" Absorption Correction");
  auto* grid = new QGridLayout(this);
  auto* label = new QLabel(km::FromCp1252(request.Label), this);
  label->setObjectName(QString("ctl%1").arg(kLabelId));
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString("ctl%1").arg(kValueId));
  label->setBuddy(edit);
  grid->addWidget(label, 0, 0);
  grid->addWidget(edit, 0, 1);
  controls_.Bind(kValueId, edit);
  km::RealField(field_[0], kValueId, &value_, 1, 0.0f, request.Maximum);
  binder_.FillDialogFields(controls_, field_);

  grid->addWidget(km::AddOkCancelButtons(this), 1, 0, 1, 2);
  edit->setFocus();
  edit->selectAll();
}

void CAbsorptionDlg::accept() {
  if (binder_.ReadDialogFields(sink_, controls_, field_) < 0) return;
  result_ = value_;
  QDialog::accept();
}

}  // namespace keltor
