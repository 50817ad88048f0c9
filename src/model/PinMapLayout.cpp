#include "model/PinMapLayout.h"

namespace PinMapLayout {

namespace {

constexpr qreal kMargin = 8;
constexpr qreal kLabelWidth = 64;
constexpr qreal kCellWidth = 72;
constexpr qreal kCellHeight = 40;
constexpr qreal kCellGap = 4;
constexpr qreal kRowGap = 8;
constexpr qreal kLegendHeight = 16;
constexpr qreal kLegendEntryWidth = 150;

constexpr qreal CellsLeft() { return kMargin + kLabelWidth; }
constexpr qreal RowTop(int group) { return kMargin + group * (kCellHeight + kRowGap); }
constexpr qreal LegendTop() { return RowTop(kGroupCount) + kRowGap; }

}  // namespace

QString GroupName(int group) {
  const int first = group * kPinsPerGroup;
  return QStringLiteral("P%1-P%2").arg(first).arg(first + kPinsPerGroup - 1);
}

QSizeF Size() {
  const qreal width = CellsLeft() + kPinsPerGroup * (kCellWidth + kCellGap) - kCellGap + kMargin;
  return {width, LegendTop() + kLegendHeight + kMargin};
}

QRectF CellRect(int pin) {
  const int group = pin / kPinsPerGroup;
  const int column = pin % kPinsPerGroup;
  return {CellsLeft() + column * (kCellWidth + kCellGap), RowTop(group), kCellWidth, kCellHeight};
}

QRectF GroupLabelRect(int group) {
  return {kMargin, RowTop(group), kLabelWidth - kCellGap, kCellHeight};
}

QRectF LegendSwatchRect(int entry) {
  return {CellsLeft() + entry * kLegendEntryWidth, LegendTop(), kLegendHeight, kLegendHeight};
}

QRectF LegendTextRect(int entry) {
  const QRectF swatch = LegendSwatchRect(entry);
  return {swatch.right() + kCellGap, swatch.top(),
          kLegendEntryWidth - swatch.width() - 2 * kCellGap, kLegendHeight};
}

int PinAt(QPointF point) {
  for (int pin = 0; pin < kGroupCount * kPinsPerGroup; ++pin)
    if (CellRect(pin).contains(point)) return pin;
  return -1;
}

}  // namespace PinMapLayout
