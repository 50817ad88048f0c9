#pragma once

#include <QString>

// The pin messages several editors share.

// True when a pin number lies outside 0..highest (a negative number counts as too large, as an
// unsigned comparison would have it).
inline bool PinOutside(int pin, int highest) { return pin < 0 || pin > highest; }

// "Pin 57 is out of range, please set to between 0 and 56."
inline QString PinOutOfRangeMessage(int pin, int highest) {
  return QStringLiteral("Pin %1 is out of range, please set to between 0 and %2.")
      .arg(pin)
      .arg(highest);
}

// "Pin 52 is not a multiple of 8."
inline QString PinNotMultipleMessage(int pin, int step) {
  return QStringLiteral("Pin %1 is not a multiple of %2.").arg(pin).arg(step);
}

// Whether a pin text is a decimal integer: an optional sign and digits, with blanks allowed
// around it ("12", " 12 ", "-1"; not "", "abc", "1x", "0x10"). Range checks come afterwards.
inline bool IsPinNumberText(const QString& text) {
  const QString trimmed = text.trimmed();
  qsizetype i = 0;
  if (i < trimmed.size() && (trimmed[i] == u'+' || trimmed[i] == u'-')) ++i;
  if (i == trimmed.size()) return false;
  for (; i < trimmed.size(); ++i)
    if (trimmed[i] < u'0' || trimmed[i] > u'9') return false;
  return true;
}

// "I/O Pin: \"abc\" is not a decimal pin number."
inline QString NotAPinNumberMessage(const QString& label, const QString& text) {
  return QStringLiteral("%1 \"%2\" is not a decimal pin number.").arg(label, text);
}
