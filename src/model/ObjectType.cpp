#include "model/ObjectType.h"

#include <array>

QString KindDisplayName(int32_t type) {
  static const std::array<QString, kObjectKindCount> names = {
      QStringLiteral("Simple VGA"),
      QStringLiteral("I2C Bus and Scanner"),
      QStringLiteral("Neopixel"),
      QStringLiteral("NCO-Frequency"),
      QStringLiteral("Real Time Clock"),
      QStringLiteral("Simple Sound"),
      QStringLiteral("Hobby Servo"),
      QStringLiteral("Smart Digital I/O Pin"),
      QStringLiteral("Global Digital Filters"),
      QStringLiteral("Digital To Analog Pin"),
      QStringLiteral("Analog To Digital Smart Pin"),
      QStringLiteral("USB Keyboard and/or Mouse"),
      QStringLiteral("Simple QVGA"),
      QStringLiteral("DVP Camera"),
      QStringLiteral("Tiled 1080p"),
      QStringLiteral("Simple HDMI"),
  };
  if (type < 0 || type >= kObjectKindCount) return QStringLiteral("Unknown Type");
  return names[static_cast<size_t>(type)];
}
