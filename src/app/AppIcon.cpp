#include "app/AppIcon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace {

QPixmap ChipPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal unit = size / 16.0;
  // Pins on all four sides.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(170, 170, 170));
  for (int i = 0; i < 4; ++i) {
    const qreal at = (3.5 + i * 2.5) * unit;
    painter.drawRect(QRectF(at, 0.5 * unit, unit, 2 * unit));
    painter.drawRect(QRectF(at, 13.5 * unit, unit, 2 * unit));
    painter.drawRect(QRectF(0.5 * unit, at, 2 * unit, unit));
    painter.drawRect(QRectF(13.5 * unit, at, 2 * unit, unit));
  }
  painter.setBrush(QColor(35, 40, 48));
  painter.drawRoundedRect(QRectF(2 * unit, 2 * unit, 12 * unit, 12 * unit), unit, unit);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(qMax(6, qRound(6 * unit)));
  painter.setFont(font);
  painter.setPen(QColor(255, 200, 60));
  painter.drawText(QRectF(2 * unit, 2 * unit, 12 * unit, 12 * unit), Qt::AlignCenter,
                   QStringLiteral("P2"));
  return pixmap;
}

}  // namespace

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) icon.addPixmap(ChipPixmap(size));
  return icon;
}
