#include "morvane/gui/about_dialog.h"

#include <QMouseEvent>

#include "common/qt/about_box.h"
#include "morvane/gui/sounds.h"

namespace morvane {

CAboutDlg::CAboutDlg(SoundPlayer& sounds, QWidget* parent) : QDialog(parent), sounds_(sounds) {
  setObjectName("MorvaneAbout");
  km::LayOutAboutBox(this, QStringLiteral("About Morvane"), QStringLiteral("Morvane - 3D Viewer"),
                     QString::fromLatin1(kAboutVersionLine));
}

void CAboutDlg::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) sounds_.Play(QStringLiteral("cool.wav"));
  QDialog::mousePressEvent(event);
}

}  // namespace morvane
