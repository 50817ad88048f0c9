#pragma once

#include <QStringList>

// The most recently opened or saved project files, newest first, kept in the per-user store
// beside the "Workspace" values.
class CRecentFileList {
 public:
  static constexpr int kSize = 4;

  CRecentFileList();

  const QStringList& Files() const { return m_files; }
  void Add(const QString& path);
  void Remove(const QString& path);

 private:
  void Write() const;

  QStringList m_files;
};
