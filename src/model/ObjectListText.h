#pragma once

#include <QString>
#include <QStringList>

#include "model/KyvDoc.h"

// The lines of the object list: name, " - ", kind display name ("SimpleVGA1 - Simple VGA").
QString ObjectListLine(const CCodeObject& object);
QStringList ObjectListLines(const CKyvDoc& doc);
// "Invalid pin assignment in: " + the line, for every object whose last OK was rejected.
QStringList WarningLines(const CKyvDoc& doc);
