#include "keltor/gui/extract_file_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/qt/qt_text.h"
#include "common/qt/ok_cancel_buttons.h"

namespace keltor {

CExtractFileDlg::CExtractFileDlg(const std::string& proposedName,
                                 std::function<std::optional<std::string>(const std::string&)> browse,
                                 QWidget* parent)
    : QDialog(parent), browse_(std::move(browse)) {
  setObjectName("KeltorExtractFileDlg");
  setWindowTitle(" Extract Ranges to File");
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel("&File name (its last character becomes the range number):", this);
  layout->addWidget(label);
  auto* row = new QHBoxLayout;
  edit_ = new QLineEdit(km::FromPath(proposedName), this);
  edit_->setObjectName("ctl1035");
  edit_->setMinimumWidth(360);
  label->setBuddy(edit_);
  auto* browseButton = new QPushButton("&Browse...", this);
  browseButton->setObjectName("ctlBrowse");
  browseButton->setAutoDefault(false);
  row->addWidget(edit_);
  row->addWidget(browseButton);
  layout->addLayout(row);
  layout->addWidget(km::AddOkCancelButtons(this));
  connect(browseButton, &QPushButton::clicked, this, &CExtractFileDlg::OnBrowse);
  edit_->setFocus();
}

void CExtractFileDlg::OnBrowse() {
  if (!browse_) return;
  std::string name = km::ToPath(edit_->text());
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  const auto chosen = browse_(name);
  // A chosen name stands for the pattern: its last character becomes the range digit.
  std::string pattern;
  if (chosen && !chosen->empty()) {
    pattern = *chosen;
    pattern.back() = '#';
  }
  edit_->setText(km::FromPath(pattern));
}

void CExtractFileDlg::accept() {
  result_ = km::ToPath(edit_->text().trimmed());
  QDialog::accept();
}

}  // namespace keltor
