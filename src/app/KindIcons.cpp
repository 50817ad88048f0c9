#include "app/KindIcons.h"

#include <QFile>

#include "model/KindRegistry.h"

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
  const CKindInfo* info = FindKind(kind);
  return info ? ResourceIcon(info->m_sIconName) : QIcon();
}
