#include "model/ProjectLock.h"

#include <QDir>

CProjectLock::CProjectLock(const QString& projectPath)
    : m_sProjectPath(projectPath), m_lock(projectPath + QStringLiteral(".lock")) {
  m_lock.setStaleLockTime(kStaleMs);
}

bool CProjectLock::Acquire(QString* error, int waitMs) {
  if (m_lock.tryLock(waitMs)) return true;
  if (m_lock.error() != QLockFile::LockFailedError) return true;
  if (error)
    *error = QStringLiteral(
                 "%1 is being changed by another program; nothing was saved. "
                 "Try again when it has finished.")
                 .arg(QDir::toNativeSeparators(m_sProjectPath));
  return false;
}
