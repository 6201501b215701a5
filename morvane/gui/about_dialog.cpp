#include "morvane/gui/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>

#include "morvane/gui/sounds.h"

namespace morvane {

CAboutDlg::CAboutDlg(SoundPlayer& sounds, QWidget* parent) : QDialog(parent), sounds_(sounds) {
  setObjectName("MorvaneAbout");
  setWindowTitle(QStringLiteral("About Morvane"));
  auto* layout = new QGridLayout(this);
  auto* icon = new QLabel(this);
  QIcon programIcon = QApplication::windowIcon();
  if (programIcon.isNull()) programIcon = style()->standardIcon(QStyle::SP_ComputerIcon);
  icon->setPixmap(programIcon.pixmap(32, 32));
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(new QLabel(QStringLiteral("Morvane - 3D Viewer"), this), 0, 1);
  layout->addWidget(new QLabel(QString::fromLatin1(kAboutVersionLine), this), 1, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons, 2, 0, 1, 2);
}

void CAboutDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) sounds_.Play(QStringLiteral("cool.wav"));
  QDialog::mousePressEvent(event);
}

}  // namespace morvane
