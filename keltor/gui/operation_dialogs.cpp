#include "keltor/gui/operation_dialogs.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QVBoxLayout>

#include "common/qt/qt_text.h"
#include "common/qt/ok_cancel_buttons.h"
#include "keltor/core/operations/add_points.h"

namespace keltor {

QString ControlName(int controlId) { return QString::number(controlId); }

QLineEdit* CFieldDialog::AddEdit(int controlId) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(ControlName(controlId));
  controls_.Bind(controlId, edit);
  return edit;
}

void CFieldDialog::FillFields() { binder_.FillDialogFields(controls_, fields_); }

void CFieldDialog::accept() {
  if (binder_.ReadDialogFields(sink_, controls_, fields_) < 0) return;
  if (const int refused = CheckValues(); refused != 0) {
    controls_.FocusAndSelectAll(refused);
    return;
  }
  QDialog::accept();
}

CRangeListDlg::CRangeListDlg(const RangeListRequest& request, QWidget* parent) : QDialog(parent) {
  setObjectName("CRangeListDlg");
  setWindowTitle(km::FromCp1252(request.Prompt));
  auto* layout = new QVBoxLayout(this);
  auto* path = new QLabel(request.Path.empty() ? QStringLiteral("none selected") : km::FromPath(request.Path), this);
  path->setObjectName(ControlName(1040));
  layout->addWidget(path);
  list_ = new QListWidget(this);
  list_->setObjectName(ControlName(1008));
  list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const std::string& line : request.Lines) list_->addItem(km::FromCp1252(line));
  if (list_->count() > 0) list_->setCurrentRow(0);
  list_->setMinimumWidth(list_->sizeHintForColumn(0) + 40);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
  layout->addWidget(list_);
  layout->addWidget(km::AddOkCancelButtons(this));
}

void CRangeListDlg::accept() {
  chosen_ = list_->currentRow();
  QDialog::accept();
}

CFactorsDlg::CFactorsDlg(km::MessageSink& sink, const ArithmeticFactors& initial,
                         DialogCheck<ArithmeticFactors> check, QWidget* parent)
    : CFieldDialog(sink, parent), values_(initial), check_(std::move(check)) {
  setObjectName("CFactorsDlg");
  setWindowTitle(QStringLiteral("multiplication factors"));
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("factors for range 1 and range 2"), this), 0, 0, 1, 2);
  layout->addWidget(AddEdit(kFactor1Edit), 1, 0);
  layout->addWidget(AddEdit(kFactor2Edit), 1, 1);
  layout->addWidget(km::AddOkCancelButtons(this), 2, 0, 1, 2);
  fields_.resize(2);
  km::RealField(fields_[0], kFactor1Edit, &values_.M1, 1, -kFactorLimit, kFactorLimit);
  km::RealField(fields_[1], kFactor2Edit, &values_.M2, 1, -kFactorLimit, kFactorLimit);
  FillFields();
}

CNormalizeDlg::CNormalizeDlg(km::MessageSink& sink, const NormalizeChoice& initial,
                             DialogCheck<NormalizeChoice> check, QWidget* parent)
    : CFieldDialog(sink, parent), values_(initial), check_(std::move(check)) {
  setObjectName("CNormalizeDlg");
  setWindowTitle(QStringLiteral("Normalized Intensities"));
  auto* layout = new QGridLayout(this);
  multiply_ = new QRadioButton(QStringLiteral("multiply Intensities by factor"), this);
  multiply_->setObjectName(ControlName(1049));
  normalize_ = new QRadioButton(QStringLiteral("normalize Intensities to max. Int."), this);
  normalize_->setObjectName(ControlName(1050));
  layout->addWidget(multiply_, 0, 0);
  layout->addWidget(AddEdit(kNormalizeFactorEdit), 0, 1);
  layout->addWidget(normalize_, 1, 0);
  layout->addWidget(AddEdit(kNormalizeMaximumEdit), 1, 1);
  layout->addWidget(km::AddOkCancelButtons(this), 2, 0, 1, 2);
  fields_.resize(2);
  km::RealField(fields_[0], kNormalizeFactorEdit, &values_.Factor, 1);
  km::IntegerField(fields_[1], kNormalizeMaximumEdit, &values_.Maximum, 1);
  FillFields();
  connect(multiply_, &QRadioButton::clicked, this, [this] { ChooseMode(true); });
  connect(normalize_, &QRadioButton::clicked, this, [this] { ChooseMode(false); });
  ChooseMode(values_.Multiply);
}

void CNormalizeDlg::ChooseMode(bool multiply) {
  values_.Multiply = multiply;
  multiply_->setChecked(multiply);
  normalize_->setChecked(!multiply);
  binder_.EnableDialogField(fields_[0], multiply);
  binder_.EnableDialogField(fields_[1], !multiply);
  controls_.FocusAndSelectAll(multiply ? kNormalizeFactorEdit : kNormalizeMaximumEdit);
}

CAddPointsDlg::CAddPointsDlg(km::MessageSink& sink, int initial, DialogCheck<int> check, QWidget* parent)
    : CFieldDialog(sink, parent), count_(initial), check_(std::move(check)) {
  setObjectName("CAddPointsDlg");
  setWindowTitle(QStringLiteral(" Add Points"));
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Number of Points to add "), this), 0, 0);
  layout->addWidget(AddEdit(kAddPointsEdit), 0, 1);
  layout->addWidget(km::AddOkCancelButtons(this), 1, 0, 1, 2);
  fields_.resize(1);
  km::IntegerField(fields_[0], kAddPointsEdit, &count_, 1, kAddPointsMinimum, kAddPointsMaximum);
  FillFields();
  controls_.FocusAndSelectAll(kAddPointsEdit);
}

}  // namespace keltor
