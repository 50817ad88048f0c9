#pragma once

#include <QList>
#include <QString>

#include "model/KyvDoc.h"

// The pins the pin table shows held under this holder name, ascending.
QList<int> PinsHeldBy(const CKyvDoc& doc, const QString& holder);

// Pins as a short text: runs of three or more consecutive pins as "48-52", the others listed
// ("24, 25"), ascending and each pin once whatever order the list has; "" for none.
QString CompressedPins(QList<int> pins);
