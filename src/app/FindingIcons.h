#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>

#include "editors/ProjectChecks.h"

// How the project checks' findings are marked where objects are listed.

// The severity's icon: a red cross, an amber triangle, a blue "i".
QIcon FindingIcon(FindingSeverity severity);
// The text colour of something an error or a warning is about, readable on the palette's base;
// an invalid colour for a note, which leaves the text as it is.
QColor FindingTextColour(FindingSeverity severity, const QPalette& palette);
