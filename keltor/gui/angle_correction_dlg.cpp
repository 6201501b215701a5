#include "keltor/gui/angle_correction_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/core/text.h"
#include "common/qt/qt_text.h"
#include "common/qt/ok_cancel_buttons.h"

namespace keltor {

namespace {

constexpr int kAId = 1007;
constexpr int kDeltaLabelId = 1008;
constexpr int kBId = 1009;
constexpr int kPerAngleLabelId = 1010;
constexpr int kUseStoredId = 1042;
constexpr int kOrderTextId = 1043;
constexpr int kRangeTextId = 1044;

QString AngleControlName(int id) { return QString("ctl%1").arg(id); }

QLabel* Static(QWidget* parent, int id, const std::string& text) {
  auto* label = new QLabel(km::FromCp1252(text), parent);
  label->setObjectName(AngleControlName(id));
  return label;
}

}  // namespace

CAngleCorrectionDlg::CAngleCorrectionDlg(const AngleCorrectionRequest& request, km::MessageSink& sink,
                                         QWidget* parent)
    : QDialog(parent), sink_(sink), values_{request.A, request.B} {
  setObjectName("KeltorAngleCorrectionDlg");
  setWindowTitle(" Angle Correction");
  auto* grid = new QGridLayout(this);

  useStored_ = new QCheckBox("&Use the stored calibration polynomial", this);
  useStored_->setObjectName(AngleControlName(kUseStoredId));
  useStored_->setChecked(request.PolynomialFound);
  useStored_->setEnabled(request.PolynomialFound);
  grid->addWidget(useStored_, 0, 0, 1, 5);
  grid->addWidget(Static(this, kOrderTextId, request.OrderText), 1, 0, 1, 5);
  grid->addWidget(Static(this, kRangeTextId, request.RangeText), 2, 0, 1, 5);

  QLineEdit* edits[2];
  for (int i = 0; i < 2; ++i) {
    edits[i] = new QLineEdit(this);
    edits[i]->setObjectName(AngleControlName(i == 0 ? kAId : kBId));
    controls_.Bind(i == 0 ? kAId : kBId, edits[i]);
  }
  grid->addWidget(Static(this, kDeltaLabelId, km::Printf("Delta( %s ) = ", request.AxisName.c_str())), 3, 0);
  grid->addWidget(edits[0], 3, 1);
  grid->addWidget(new QLabel("+", this), 3, 2);
  grid->addWidget(edits[1], 3, 3);
  grid->addWidget(Static(this, kPerAngleLabelId, km::Printf(" * %s /180", request.AxisName.c_str())), 3, 4);
  km::RealField(fields_[0], kAId, &values_[0], 1);
  km::RealField(fields_[1], kBId, &values_[1], 1);
  binder_.FillDialogFields(controls_, fields_);
  EnableLine();
  connect(useStored_, &QCheckBox::toggled, this, [this] { EnableLine(); });

  grid->addWidget(km::AddOkCancelButtons(this), 4, 0, 1, 5);
  if (!request.PolynomialFound) {
    edits[0]->setFocus();
    edits[0]->selectAll();
  }
}

// The typed line counts only while the stored polynomial is not used.
void CAngleCorrectionDlg::EnableLine() {
  const bool typed = !useStored_->isChecked();
  for (km::DialogField& field : fields_) binder_.EnableDialogField(field, typed);
}

void CAngleCorrectionDlg::accept() {
  if (binder_.ReadDialogFields(sink_, controls_, fields_) < 0) return;
  result_ = AngleCorrectionChoice{useStored_->isChecked(), values_[0], values_[1]};
  QDialog::accept();
}

}  // namespace keltor
