#include "keltor/gui/export_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/qt/qt_text.h"
#include "common/qt/ok_cancel_buttons.h"

namespace keltor {
namespace {

QString ExportControlName(int id) { return QStringLiteral("ExportControl%1").arg(id); }

}  // namespace

CExportDlg::CExportDlg(const ExportDialogRequest& request, QWidget* parent)
    : QDialog(parent), request_(request), values_(request.Values) {
  setObjectName("KmExportDialog");
  setWindowTitle(QStringLiteral(" Export File"));
  auto* layout = new QGridLayout(this);

  auto* group = new QGroupBox(QStringLiteral("  Format  "), this);
  auto* groupLayout = new QVBoxLayout(group);
  formats_ = new QButtonGroup(this);
  for (int i = 0; i < kExportFormatCount; ++i) {
    auto* button = new QRadioButton(km::FromCp1252(ExportFormatOf(i)->Label), group);
    button->setObjectName(ExportControlName(kExportFirstFormatButton + i));
    formats_->addButton(button, i);
    groupLayout->addWidget(button);
  }
  layout->addWidget(group, 0, 0, 3, 1);

  noNegative_ = new QCheckBox(QStringLiteral(" No negative intensities"), this);
  noNegative_->setObjectName(ExportControlName(kExportNoNegativeBox));
  countsPerSecond_ = new QCheckBox(QStringLiteral(" Counts / second"), this);
  countsPerSecond_->setObjectName(ExportControlName(kExportCountsPerSecondBox));
  layout->addWidget(noNegative_, 0, 1, 1, 2);
  layout->addWidget(countsPerSecond_, 1, 1, 1, 2, Qt::AlignTop);

  auto* fileRow = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Output file"), this);
  fileName_ = new QLineEdit(this);
  fileName_->setObjectName(ExportControlName(kExportFileNameEdit));
  fileName_->setMinimumWidth(320);
  label->setBuddy(fileName_);
  auto* browse = new QPushButton(QStringLiteral("Browse"), this);
  browse->setObjectName(ExportControlName(kExportBrowseButton));
  browse->setAutoDefault(false);
  fileRow->addWidget(label);
  fileRow->addWidget(fileName_, 1);
  fileRow->addWidget(browse);
  layout->addLayout(fileRow, 3, 0, 1, 3);

  layout->addWidget(km::AddOkCancelButtons(this), 4, 0, 1, 3);

  connect(formats_, &QButtonGroup::idClicked, this, [this](int format) {
    TakeFromControls();
    values_.ChangeFormat(format);
    RefreshControls();
  });
  connect(countsPerSecond_, &QCheckBox::clicked, this, [this](bool checked) { values_.ClickCountsPerSecond(checked); });
  connect(browse, &QPushButton::clicked, this, [this] {
    TakeFromControls();
    if (request_.Browse) request_.Browse(values_);
    RefreshControls();
  });
  RefreshControls();
}

void CExportDlg::TakeFromControls() {
  values_.NoNegative = noNegative_->isChecked();
  values_.FileName = km::ToPath(fileName_->text());
  if (values_.CountsPerSecondEnabled()) values_.CountsPerSecond = countsPerSecond_->isChecked();
}

void CExportDlg::RefreshControls() {
  if (QAbstractButton* button = formats_->button(values_.Format)) button->setChecked(true);
  noNegative_->setChecked(values_.NoNegative);
  countsPerSecond_->setEnabled(values_.CountsPerSecondEnabled());
  countsPerSecond_->setChecked(values_.CountsPerSecond);
  fileName_->setText(km::FromPath(values_.FileName));
}

void CExportDlg::accept() {
  TakeFromControls();
  const ExportDialogOutcome outcome = request_.Accept ? request_.Accept(values_) : ExportDialogOutcome::Accept;
  RefreshControls();
  if (outcome == ExportDialogOutcome::Accept) {
    QDialog::accept();
  } else if (outcome == ExportDialogOutcome::Cancel) {
    QDialog::reject();
  }
}

}  // namespace keltor
