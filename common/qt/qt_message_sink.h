#pragma once
// Message boxes: OK with the stop or exclamation icon (or none), Yes and No with the question icon,
// all titled with the application's name.
#include <QPointer>
#include <QString>
#include <QWidget>

#include "common/core/messages.h"

namespace km {

class QtMessageSink : public MessageSink {
 public:
  // title: the application's name as the suite shows it in message box titles.
  explicit QtMessageSink(QString title, QWidget* parent = nullptr) : title_(std::move(title)), parent_(parent) {}

  void ShowMessage(std::string_view text, MessageIcon icon) override;
  bool AskYesNo(std::string_view text, bool defaultNo = false) override;

  void SetParent(QWidget* parent) { parent_ = parent; }
  const QString& Title() const { return title_; }

 private:
  QString title_;
  QPointer<QWidget> parent_;
};

}  // namespace km
