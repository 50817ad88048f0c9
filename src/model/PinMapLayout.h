#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// Where the pin map puts things, in units of one pixel at scale 1: the 64 pins as eight rows of
// 8-pin groups (P0-P7 at the top, P56-P63 at the bottom), the way P2 boards break them out, each
// row led by its group label, and a legend of the pin states below. The HTML report's SVG and
// the Pin Map view draw from the same figures.
namespace PinMapLayout {

inline constexpr int kGroupCount = 8;
inline constexpr int kPinsPerGroup = 8;
inline constexpr int kLegendEntries = 4;

// "P8-P15" for group 1.
QString GroupName(int group);
// The whole map, legend included.
QSizeF Size();
// The cell of pin 0..63.
QRectF CellRect(int pin);
// The label "P8-P15" of group 0..7, left of its cells.
QRectF GroupLabelRect(int group);
// The colour swatch of legend entry 0..3 and the space for its text right of it.
QRectF LegendSwatchRect(int entry);
QRectF LegendTextRect(int entry);
// The pin whose cell holds the point, or -1.
int PinAt(QPointF point);

}  // namespace PinMapLayout
