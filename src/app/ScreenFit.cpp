#include "app/ScreenFit.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
// Title bar and borders, which the window's own size does not include.
const QSize kFrameRoom(16, 48);
}  // namespace

QSize SizeWithinScreen(const QWidget& window, QSize wanted) {
  const QWidget* placed = window.parentWidget() ? window.parentWidget()->window() : &window;
  QScreen* screen = placed->screen() ? placed->screen() : QGuiApplication::primaryScreen();
  if (!screen) return wanted;
  return wanted.boundedTo(screen->availableGeometry().size() - kFrameRoom);
}

void SetScrollingBody(QDialog& dialog, QLayout* body, QWidget* buttons) {
  auto* content = new QWidget;
  content->setLayout(body);
  auto* scroll = new QScrollArea;
  scroll->setObjectName(QStringLiteral("dialogBody"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(content);
  scroll->setFocusPolicy(Qt::NoFocus);  // Tab goes from control to control; the area follows
  auto* top = new QVBoxLayout(&dialog);
  top->setContentsMargins(0, 0, 0, 0);
  top->addWidget(scroll, 1);
  auto* buttonRow = new QVBoxLayout;
  buttonRow->setContentsMargins(body->contentsMargins().left(), 0, body->contentsMargins().right(),
                                body->contentsMargins().bottom());
  buttonRow->addWidget(buttons);
  top->addLayout(buttonRow);

  // The scroll area's own size hint is capped; the body's is what the dialog wants.
  const QSize full =
      content->sizeHint() +
      QSize(0, buttons->sizeHint().height() + body->contentsMargins().bottom() + top->spacing());
  const QSize fitted = SizeWithinScreen(dialog, full);
  // A scroll bar takes room from the body only when one is needed.
  const int barWidth = scroll->verticalScrollBar()->sizeHint().width();
  dialog.resize(fitted.height() < full.height()
                    ? SizeWithinScreen(dialog, full + QSize(barWidth, 0))
                    : fitted);
}
