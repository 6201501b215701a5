#pragma once
// The viewer's message boxes: the shared ones titled with the application's name, and its own error
// box captioned "Morvane Error Message" without an icon.
#include <QMessageBox>

#include "common/qt/qt_message_sink.h"
#include "common/qt/qt_text.h"

namespace morvane {

class ViewerMessageSink : public km::QtMessageSink {
 public:
  using km::QtMessageSink::QtMessageSink;
  void ShowCaptioned(std::string_view caption, std::string_view text) override {
    QMessageBox box(QMessageBox::NoIcon, km::FromCp1252(caption), km::FromCp1252(text), QMessageBox::Ok, Parent());
    box.setObjectName("KmMessageBox");
    box.exec();
  }
  void SetParentWidget(QWidget* parent) {
    parent_ = parent;
    SetParent(parent);
  }

 private:
  QWidget* Parent() const { return parent_.data(); }
  QPointer<QWidget> parent_;
};

}  // namespace morvane
