#include "common/qt/about_box.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>

namespace km {

void LayOutAboutBox(QDialog* dialog, const QString& title, const QString& programLine, const QString& versionLine) {
  dialog->setWindowTitle(title);
  auto* layout = new QGridLayout(dialog);
  auto* icon = new QLabel(dialog);
  QIcon programIcon = QApplication::windowIcon();
  if (programIcon.isNull()) programIcon = dialog->style()->standardIcon(QStyle::SP_ComputerIcon);
  icon->setPixmap(programIcon.pixmap(32, 32));
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(new QLabel(programLine, dialog), 0, 1);
  layout->addWidget(new QLabel(versionLine, dialog), 1, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  layout->addWidget(buttons, 2, 0, 1, 2);
}

}  // namespace km
