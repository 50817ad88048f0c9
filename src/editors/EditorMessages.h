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
