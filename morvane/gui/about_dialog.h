#pragma once
// Help > About: the program's icon and version. A right click in it plays "cool.wav".
#include <QDialog>

namespace morvane {

class SoundPlayer;

inline constexpr const char* kAboutVersionLine = "Morvane Version 1.11";

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  CAboutDlg(SoundPlayer& sounds, QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  SoundPlayer& sounds_;
};

}  // namespace morvane
