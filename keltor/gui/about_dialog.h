#pragma once
// Help, About Keltor: the program icon, the product line and the version.
#include <QDialog>

namespace keltor {

inline constexpr const char* kAboutVersionLine = "Version 1.06 ( 05-Nov-1998 )";

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace keltor
