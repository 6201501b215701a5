#include "morvane/gui/diagrams_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <utility>

#include "common/qt/qt_text.h"
#include "morvane/core/diagram_list.h"

namespace morvane {

CDiagramsDlg::CDiagramsDlg(ViewerState& state, std::function<void()> changed, QWidget* parent)
    : QDialog(parent), state_(state), changed_(std::move(changed)) {
  setObjectName("DiagramsDialog");
  setWindowTitle(QStringLiteral("Diagrams"));
  auto* layout = new QHBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setMinimumSize(320, 260);
  layout->addWidget(list_);
  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  omit_ = new QPushButton(QStringLiteral("Omit"), this);
  auto* up = new QPushButton(QStringLiteral("Up"), this);
  auto* down = new QPushButton(QStringLiteral("Down"), this);
  up->setEnabled(false);
  down->setEnabled(false);
  for (QPushButton* b : {ok, omit_, up, down}) buttons->addWidget(b);
  buttons->addStretch();
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(omit_, &QPushButton::clicked, this, &CDiagramsDlg::OnOmit);
  connect(list_, &QListWidget::itemDoubleClicked, this, &CDiagramsDlg::OnOmit);
  Fill();
}

void CDiagramsDlg::Fill() {
  list_->clear();
  for (const DiagramListEntry& e : DiagramListEntries(state_)) {
    auto* item = new QListWidgetItem(km::FromCp1252(e.Text), list_);
    item->setData(Qt::UserRole, e.Diagram);
  }
}

void CDiagramsDlg::OnOmit() {
  std::vector<int> chosen;
  std::vector<int> rows;
  for (QListWidgetItem* item : list_->selectedItems()) {
    chosen.push_back(item->data(Qt::UserRole).toInt());
    rows.push_back(list_->row(item));
  }
  if (chosen.empty()) return;
  ToggleOmitted(state_, chosen);
  Fill();
  // The same entries stay selected, so that a second Omit undoes the first.
  for (int row : rows)
    if (QListWidgetItem* item = list_->item(row)) item->setSelected(true);
  if (changed_) changed_();
}

}  // namespace morvane
