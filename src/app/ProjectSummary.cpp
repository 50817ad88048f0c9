#include "app/ProjectSummary.h"

#include <algorithm>

#include "model/KyvDoc.h"
#include "model/TextConversion.h"

QString ProjectSummary(const CKyvDoc& doc) {
  const auto objects = static_cast<qsizetype>(doc.m_ObjectList.size());
  const auto pins = std::count(doc.m_bPinUsed.begin(), doc.m_bPinUsed.end(), true);
  return QStringLiteral("%1 %2, %3 of %4 pins used")
      .arg(objects)
      .arg(objects == 1 ? QStringLiteral("object") : QStringLiteral("objects"))
      .arg(pins)
      .arg(CKyvDoc::kPinCount);
}

QString ClockSummary(const CKyvDoc& doc) {
  const int hz = TextToInt(RemoveUnderscores(doc.m_sClockFreq));
  if (hz <= 0) return QStringLiteral("P2 clock not set");
  // 312_500_000 -> "312.5", 160_000_000 -> "160"
  return QStringLiteral("P2 clock %1 MHz").arg(QString::number(hz / 1e6, 'g', 10));
}
