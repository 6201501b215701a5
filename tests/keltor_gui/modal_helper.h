#pragma once
// Modal dialogs block the test until someone answers them: this answers the next one that appears.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace keltor::test {

// Runs act on the next modal widget once it shows (polled from the event loop).
inline void OnNextModal(std::function<void(QWidget*)> act) {
  auto timer = std::make_shared<QTimer>();
  auto tries = std::make_shared<int>(0);
  timer->setInterval(10);
  QObject::connect(timer.get(), &QTimer::timeout, [timer, tries, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal && ++*tries < 500) return;
    timer->stop();
    if (modal) act(modal);
  });
  timer->start();
}

}  // namespace keltor::test
