#pragma once

#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

// Acts on modal dialogs once they run, so that a test can drive exec() without blocking: ask
// for the dialog before the action that opens it. Each request polls for the topmost modal
// widget of its type and gives up after a few seconds, leaving the test to fail on what did not
// happen. Requests still waiting when the driver is destroyed are dropped, so none outlives the
// test that made it.
class CModalDriver : public QObject {
 public:
  template <typename T>
  void When(std::function<void(T*)> action) {
    auto* timer = new QTimer(this);
    timer->setInterval(5);
    connect(timer, &QTimer::timeout, this, [timer, action, tries = 0]() mutable {
      auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
      const bool found = dialog && dialog->isVisible();
      if (!found && ++tries < 1000) return;
      timer->stop();
      timer->deleteLater();
      if (found) action(dialog);
    });
    timer->start();
  }
};
