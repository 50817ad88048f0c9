#include "app/CommandIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor kInk(60, 70, 85);
const QColor kPaper(255, 255, 255);
const QColor kBoard(196, 150, 90);
const QColor kAccent(60, 120, 200);

void Sheet(QPainter& p, const QRectF& rect) {
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(kPaper);
  p.drawRect(rect);
  p.setPen(QPen(kAccent, 1));
  for (qreal y = rect.top() + 4; y < rect.bottom() - 2; y += 3)
    p.drawLine(QPointF(rect.left() + 3, y), QPointF(rect.right() - 3, y));
}

void Window(QPainter& p, const QRectF& rect) {
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(kPaper);
  p.drawRect(rect);
  p.setBrush(kAccent);
  p.drawRect(QRectF(rect.left(), rect.top(), rect.width(), 4));
}

// A hooked arrow that turns back to the left; mirrored for redo.
void TurnArrow(QPainter& p, bool mirrored) {
  if (mirrored) {
    p.translate(32, 0);
    p.scale(-1, 1);
  }
  QPainterPath hook;
  hook.moveTo(10, 12);
  hook.lineTo(20, 12);
  hook.cubicTo(30, 12, 30, 27, 20, 27);
  hook.lineTo(12, 27);
  p.setPen(QPen(kAccent, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(hook);
  QPainterPath head;
  head.moveTo(3, 12);
  head.lineTo(12, 4);
  head.lineTo(12, 20);
  head.closeSubpath();
  p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(kAccent);
  p.drawPath(head);
}

void Draw(QPainter& p, CommandIcon icon) {
  switch (icon) {
    case CommandIcon::Paste:
      p.setPen(QPen(kInk, 1.2));
      p.setBrush(kBoard);
      p.drawRoundedRect(QRectF(5, 5, 18, 24), 2, 2);
      p.setBrush(QColor(150, 150, 150));
      p.drawRect(QRectF(10, 3, 8, 5));
      Sheet(p, QRectF(13, 12, 15, 18));
      break;
    case CommandIcon::Cut:
      p.setPen(QPen(kInk, 2));
      p.drawLine(QPointF(9, 4), QPointF(20, 22));
      p.drawLine(QPointF(23, 4), QPointF(12, 22));
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(QColor(200, 40, 40), 2));
      p.drawEllipse(QPointF(10, 25), 4, 4);
      p.drawEllipse(QPointF(22, 25), 4, 4);
      break;
    case CommandIcon::Copy:
      Sheet(p, QRectF(4, 3, 16, 20));
      Sheet(p, QRectF(12, 10, 16, 20));
      break;
    case CommandIcon::SelectAll:
      p.setPen(QPen(kInk, 1.5, Qt::DashLine));
      p.setBrush(QColor(200, 220, 245));
      p.drawRect(QRectF(4, 6, 24, 20));
      break;
    case CommandIcon::StatusBar:
      Window(p, QRectF(3, 4, 26, 24));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(120, 130, 145));
      p.drawRect(QRectF(4, 23, 25, 5));
      break;
    case CommandIcon::Windows:
      Window(p, QRectF(3, 4, 18, 15));
      Window(p, QRectF(11, 12, 18, 15));
      break;
    case CommandIcon::Compile: {
      // Coloured with a light rim so it reads on the dark looks as on the light ones.
      QPainterPath arrow;
      arrow.moveTo(8, 4);
      arrow.lineTo(27, 16);
      arrow.lineTo(8, 28);
      arrow.closeSubpath();
      p.setPen(QPen(kPaper, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(QColor(40, 160, 70));
      p.drawPath(arrow);
      p.setPen(QPen(QColor(20, 90, 40), 1));
      p.setBrush(Qt::NoBrush);
      p.drawPath(arrow);
      break;
    }
    case CommandIcon::Undo:
      TurnArrow(p, false);
      break;
    case CommandIcon::Redo:
      TurnArrow(p, true);
      break;
  }
}

}  // namespace

QIcon DrawnIcon(CommandIcon icon) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  Draw(painter, icon);
  painter.end();
  return QIcon(pixmap);
}
