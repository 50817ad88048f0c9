#pragma once

#include <QList>
#include <QString>

class CCodeObject;
class CKyvDoc;

// A pin an object's driver drives although the pin table does not hold it for the object: the
// USB driver's error LED on the Parallax adapter (pin 56 for the top port, 57 for the bottom
// one). Stored files keep their pin tables as they are, so these pins are added wherever the
// pins are checked or shown.
struct CUnclaimedPin {
  int m_nPin = 0;
  QString m_sHolder;  // the object's name
  QString m_sRole;    // "USB Error LED"
};

// The pins one object drives without holding them in the pin table.
QList<CUnclaimedPin> UnclaimedPins(const CCodeObject& object);
// Those of every object, in list order.
QList<CUnclaimedPin> UnclaimedPins(const CKyvDoc& doc);

// The words that mark such a pin in the views and reports.
QString NotClaimedText();
