#include "app/KindIcons.h"

#include "model/ObjectType.h"

#include <array>

// The resources are compiled into kyv_app_lib, a static library: referencing their initialiser
// here keeps the linker from dropping them.
static void EnsureIconResources() {
  static const bool loaded = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  (void)loaded;
}

QString KindIconPath(int kind) {
  // Indexed by kind code.
  static const std::array<const char16_t*, kObjectKindCount> files = {
      u"vga",     u"i2c",     u"neopixel", u"nco",  u"rtc",    u"sound",      u"servo", u"digital",
      u"filters", u"dac",     u"adc",      u"usb",  u"qvga",   u"camera",     u"tiled1080p",
      u"hdmi"};
  if (kind < 0 || kind >= kObjectKindCount) return QString();
  return QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf16(files[kind]));
}

QIcon KindIcon(int kind) {
  EnsureIconResources();
  const QString path = KindIconPath(kind);
  return path.isEmpty() ? QIcon() : QIcon(path);
}

QIcon AppIcon() {
  EnsureIconResources();
  return QIcon(QStringLiteral(":/icons/kyv.svg"));
}
