#pragma once

#include <QString>
#include <optional>

class CKyvDoc;

// Where the pin table and the objects disagree: a pin held by a name no object has, a pin held
// by an object whose record does not name it, or a pin an object names that the table marks
// free. Objects whose last edit was refused (m_bValid false) are left out: their records hold
// the refused values while the table keeps the pins they held before. The serial port's pins
// 62 and 63 may be held by "Serial".
struct CPinTableMismatch {
  int m_nPin = 0;
  QString m_sText;  // "pin 24 is marked as used by "Ghost", but the project has no object ..."
};

// The first mismatch in pin order; none when the table agrees with the objects.
std::optional<CPinTableMismatch> FirstPinTableMismatch(const CKyvDoc& doc);
