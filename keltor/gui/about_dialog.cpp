#include "keltor/gui/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>

namespace keltor {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("KeltorAbout");
  setWindowTitle(QStringLiteral("About Keltor"));
  auto* layout = new QGridLayout(this);
  auto* icon = new QLabel(this);
  QIcon programIcon = QApplication::windowIcon();
  if (programIcon.isNull()) programIcon = style()->standardIcon(QStyle::SP_ComputerIcon);
  icon->setPixmap(programIcon.pixmap(32, 32));
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(new QLabel(QStringLiteral("Keltor - Raw Data Workbench"), this), 0, 1);
  layout->addWidget(new QLabel(QString::fromLatin1(kAboutVersionLine), this), 1, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons, 2, 0, 1, 2);
}

}  // namespace keltor
