#include "keltor/gui/range_select_dlg.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/core/dialog_fields.h"
#include "common/core/numbers.h"
#include "common/qt/qt_text.h"
#include "keltor/core/operations/range_selection.h"

namespace keltor {

namespace {

bool HidesAllRanges(RangeSelectMode mode) {
  return mode == RangeSelectMode::Combine || mode == RangeSelectMode::Delete || mode == RangeSelectMode::Add ||
         mode == RangeSelectMode::Export;
}

}  // namespace

CRangeSelectDlg::CRangeSelectDlg(const RangeSelectRequest& request, km::MessageSink& sink, QWidget* parent)
    : QDialog(parent), request_(request), sink_(sink), target_(request.TargetRange) {
  setObjectName("KeltorRangeSelectDlg");
  setWindowTitle(km::FromCp1252(RangeSelectTitle(request.Mode)));
  auto* layout = new QVBoxLayout(this);

  auto* fileLabel = new QLabel("Raw data file: " + km::FromPath(request.FilePath), this);
  fileLabel->setObjectName("ctl1001");
  layout->addWidget(fileLabel);
  auto* heading = new QLabel(km::FromCp1252("     " + request.AxisName + " ( Begin, End, Step )"), this);
  heading->setObjectName("ctl1002");
  layout->addWidget(heading);

  list_ = new QListWidget(this);
  list_->setObjectName("ctl1000");
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  QFont fixed("Courier New");
  fixed.setStyleHint(QFont::Monospace);
  list_->setFont(fixed);
  list_->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(52, 'x')));
  layout->addWidget(list_);

  if (request.Mode == RangeSelectMode::Add) {
    auto* row = new QHBoxLayout;
    auto* label = new QLabel("Add to Range", this);
    label->setObjectName("ctl1034");
    targetEdit_ = new QLineEdit(QString::number(target_), this);
    targetEdit_->setObjectName("ctl1033");
    targetEdit_->setMaxLength(2);
    label->setBuddy(targetEdit_);
    row->addWidget(label);
    row->addWidget(targetEdit_);
    row->addStretch();
    layout->addLayout(row);
  }

  auto* buttons = new QDialogButtonBox(this);
  auto* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName("ctl1005");
  buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("ctlCancel");
  allButton_ = new QPushButton(request.Mode == RangeSelectMode::Truncate ? "&Truncate" : "&All Ranges", this);
  allButton_->setObjectName("ctl1004");
  allButton_->setAutoDefault(false);
  buttons->addButton(allButton_, QDialogButtonBox::ActionRole);
  allButton_->setVisible(!HidesAllRanges(request.Mode));
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &CRangeSelectDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CRangeSelectDlg::reject);
  connect(allButton_, &QPushButton::clicked, this, &CRangeSelectDlg::OnAllRangesOrTruncate);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OnAllRangesOrTruncate(); });
  connect(list_, &QListWidget::itemSelectionChanged, this, &CRangeSelectDlg::UpdateButtons);

  FillList(request.Lines, 0);
  list_->setFocus();
}

void CRangeSelectDlg::FillList(const std::vector<std::string>& lines, int selectRow) {
  list_->clear();
  for (size_t i = 0; i < lines.size(); ++i) {
    auto* item = new QListWidgetItem(km::FromCp1252(lines[i]), list_);
    item->setData(Qt::UserRole, static_cast<int>(i) + 1);
  }
  if (selectRow >= 0 && selectRow < list_->count()) {
    list_->setCurrentRow(selectRow);
    list_->item(selectRow)->setSelected(true);
  }
  UpdateButtons();
}

void CRangeSelectDlg::UpdateButtons() {
  if (request_.Mode == RangeSelectMode::Truncate) allButton_->setEnabled(list_->selectedItems().size() == 1);
}

void CRangeSelectDlg::OnAllRangesOrTruncate() {
  if (request_.Mode == RangeSelectMode::Truncate) {
    QListWidgetItem* current = list_->currentItem();
    if (current == nullptr || !current->isSelected() || !request_.Truncate) return;
    const int row = list_->row(current);
    const auto lines = request_.Truncate(current->data(Qt::UserRole).toInt());
    if (!lines) {
      reject();
      return;
    }
    FillList(*lines, row);
    return;
  }
  list_->selectAll();
  accept();
}

void CRangeSelectDlg::accept() {
  RangeSelection selection;
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->isSelected() && selection.Ranges.size() < 8) {
      selection.Ranges.push_back(list_->item(row)->data(Qt::UserRole).toInt());
    }
  }
  if (!CheckRangeSelection(sink_, request_.Mode, selection.Ranges, request_.RangeCount)) return;
  if (targetEdit_ != nullptr && targetEdit_->isModified()) {
    // An invalid entry is reported and the previous target stays in force.
    const std::string text = km::ToCp1252(targetEdit_->text());
    float value = 0;
    const bool number = km::IsNumberText(text, km::kIntegerNumberText) && km::ParseNumbers(text, {&value, 1}) == 1;
    const int typed = number ? static_cast<int>(value) : 0;
    if (number && CheckAddTarget(sink_, typed, request_.RangeCount)) {
      target_ = typed;
    } else {
      if (!number) sink_.ShowPlain(km::InvalidDataText(1.0f, static_cast<float>(request_.RangeCount)));
      targetEdit_->setText(QString::number(target_));
      targetEdit_->setModified(false);
    }
  }
  selection.TargetRange = target_;
  result_ = std::move(selection);
  QDialog::accept();
}

}  // namespace keltor
