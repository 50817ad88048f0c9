#pragma once

#include <QString>

// Decimal text to integer as the C library converts it: leading white space, an optional sign,
// digits up to the first non-digit; no digits gives 0. Values beyond 32 bits saturate.
int TextToInt(const QString& text);

// A copy without any underscore ("160_000_000" -> "160000000"), for clock and frequency texts.
QString RemoveUnderscores(const QString& text);
