#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <functional>

// Acts on a modal dialog once it is running, so that a test can drive exec() without blocking:
// call it before the action that opens the dialog. It polls for the topmost modal widget of
// type T other than `below` (the dialog already open underneath) and gives up after a few
// seconds, leaving the test to fail on what did not happen.
template <typename T>
void WhenModal(std::function<void(T*)> action, QWidget* below = nullptr) {
  auto* timer = new QTimer;
  QPointer<QWidget> under(below);
  int tries = 0;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, action, under, tries]() mutable {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    const bool found = dialog && dialog != under && dialog->isVisible();
    if (!found && ++tries < 1000) return;
    timer->stop();
    timer->deleteLater();
    if (found) action(dialog);
  });
  timer->start();
}
