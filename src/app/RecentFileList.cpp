#include "app/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "platform/QtSettingsStore.h"

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString Key(int index) { return kGroup + QStringLiteral("/File%1").arg(index + 1); }

bool SameFile(const QString& a, const QString& b) {
#if defined(Q_OS_WIN)
  return QDir::cleanPath(a).compare(QDir::cleanPath(b), Qt::CaseInsensitive) == 0;
#else
  return QDir::cleanPath(a) == QDir::cleanPath(b);
#endif
}

}  // namespace

CRecentFileList::CRecentFileList() {
  const QSettings settings(CQtSettingsStore::kOrganisation, CQtSettingsStore::kApplication);
  for (int i = 0; i < kSize; ++i) {
    const QString path = settings.value(Key(i)).toString();
    if (!path.isEmpty()) m_files.append(path);
  }
}

void CRecentFileList::Add(const QString& path) {
  const QString full = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  m_files.removeIf([&](const QString& file) { return SameFile(file, full); });
  m_files.prepend(full);
  while (m_files.size() > kSize) m_files.removeLast();
  Write();
}

void CRecentFileList::Remove(const QString& path) {
  m_files.removeIf([&](const QString& file) { return SameFile(file, path); });
  Write();
}

void CRecentFileList::Write() const {
  QSettings settings(CQtSettingsStore::kOrganisation, CQtSettingsStore::kApplication);
  for (int i = 0; i < kSize; ++i) {
    if (i < m_files.size())
      settings.setValue(Key(i), m_files[i]);
    else
      settings.remove(Key(i));
  }
}
