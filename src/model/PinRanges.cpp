#include "model/PinRanges.h"

#include <algorithm>

QList<int> PinsHeldBy(const CKyvDoc& doc, const QString& holder) {
  QList<int> pins;
  for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin)
    if (doc.m_bPinUsed[pin] && doc.m_sPinUsedBy[pin] == holder) pins.append(pin);
  return pins;
}

QString CompressedPins(QList<int> pins) {
  std::sort(pins.begin(), pins.end());
  pins.erase(std::unique(pins.begin(), pins.end()), pins.end());
  QStringList parts;
  for (qsizetype first = 0; first < pins.size();) {
    qsizetype last = first;
    while (last + 1 < pins.size() && pins[last + 1] == pins[last] + 1) ++last;
    if (last - first >= 2) {
      parts.append(QStringLiteral("%1-%2").arg(pins[first]).arg(pins[last]));
    } else {
      for (qsizetype i = first; i <= last; ++i) parts.append(QString::number(pins[i]));
    }
    first = last + 1;
  }
  return parts.join(QStringLiteral(", "));
}
