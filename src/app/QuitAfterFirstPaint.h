#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

// Ends the event loop once a window has painted itself for the first time, so that a start-up
// can be timed from the outside. Header-only: the bare window that the start-up benchmark
// compares Kyv against uses the same watcher without linking Kyv.
class CQuitAfterFirstPaint : public QObject {
 public:
  explicit CQuitAfterFirstPaint(QWidget& window) : m_window(window) {
    QCoreApplication::instance()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Paint && !m_bPainted && widget && widget->window() == &m_window) {
      m_bPainted = true;
      // Queued: the paint that started here finishes and reaches the screen first.
      QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& m_window;
  bool m_bPainted = false;
};
