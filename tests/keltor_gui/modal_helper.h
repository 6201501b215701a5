#pragma once
// Modal dialogs block the test until someone answers them. A ModalScript answers the dialogs that
// appear, in order, one handler each, and remembers what each showed; a dialog no handler was left
// for is recorded and rejected, so a test never hangs on an unexpected question.
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace keltor::test {

class ModalScript {
 public:
  using Handler = std::function<void(QWidget*)>;

  ModalScript() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }

  ModalScript& Then(Handler h) {
    handlers_.push_back(std::move(h));
    return *this;
  }

  // Text of every modal seen: a message box's text, else the dialog's object name.
  std::vector<std::string> seen;
  bool Done() const { return handlers_.empty(); }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == last_) return;
    last_ = modal;
    const auto* box = qobject_cast<QMessageBox*>(modal);
    seen.push_back((box ? box->text() : modal->objectName()).toStdString());
    if (handlers_.empty()) {
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
      return;
    }
    Handler h = std::move(handlers_.front());
    handlers_.pop_front();
    h(modal);
  }

  QTimer timer_;
  std::deque<Handler> handlers_;
  QPointer<QWidget> last_;
};

}  // namespace keltor::test
