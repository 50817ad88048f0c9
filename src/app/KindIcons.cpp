#include "app/KindIcons.h"

#include <QFile>
#include <array>

#include "model/ObjectType.h"

// The resources are compiled into kyv_app_lib, a static library: referencing their initialiser
// here keeps the linker from dropping them.
static void EnsureIconResources() {
  static const bool loaded = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  (void)loaded;
}

QIcon ResourceIcon(const QString& name) {
  EnsureIconResources();
  const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
  return QFile::exists(path) ? QIcon(path) : QIcon();
}

QIcon KindIcon(int kind) {
  // Indexed by kind code.
  static const std::array<const char16_t*, kObjectKindCount> names = {
      u"vga",     u"i2c", u"neopixel", u"nco", u"rtc",  u"sound",  u"servo",      u"digital",
      u"filters", u"dac", u"adc",      u"usb", u"qvga", u"camera", u"tiled1080p", u"hdmi"};
  if (kind < 0 || kind >= kObjectKindCount) return QIcon();
  return ResourceIcon(QString::fromUtf16(names[kind]));
}
