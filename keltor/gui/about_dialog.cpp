#include "keltor/gui/about_dialog.h"

#include "common/qt/about_box.h"

namespace keltor {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("KeltorAbout");
  km::LayOutAboutBox(this, QStringLiteral("About Keltor"), QStringLiteral("Keltor - Raw Data Workbench"),
                     QString::fromLatin1(kAboutVersionLine));
}

}  // namespace keltor
