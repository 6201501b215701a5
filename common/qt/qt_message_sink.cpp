#include "common/qt/qt_message_sink.h"

#include <QApplication>
#include <QMessageBox>

#include "common/qt/qt_text.h"

namespace km {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageSink::ShowMessage(std::string_view text, MessageIcon icon) {
  QMessageBox box(BoxIcon(icon), title_, FromCp1252(text), QMessageBox::Ok, parent_.data());
  box.setObjectName("KmMessageBox");
  box.exec();
}

bool QtMessageSink::AskYesNo(std::string_view text, bool defaultNo) {
  QMessageBox box(QMessageBox::Question, title_, FromCp1252(text), QMessageBox::Yes | QMessageBox::No,
                  parent_.data());
  box.setObjectName("KmMessageBox");
  box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace km
