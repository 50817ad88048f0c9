#include "model/ProjectLock.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <algorithm>

#include "model/ProjectPaths.h"

namespace {

// How often a waiting writer looks at the lock again.
constexpr int kRetryMs = 100;

}  // namespace

CProjectLock::CProjectLock(const QString& projectPath)
    : m_sProjectPath(projectPath),
      m_sLockPath(ResolvedFilePath(projectPath) + QStringLiteral(".lock")),
      m_lock(m_sLockPath) {
  m_lock.setStaleLockTime(kStaleMs);
}

bool CProjectLock::Acquire(QString* error, int waitMs) {
  const QDeadlineTimer deadline(waitMs);
  for (;;) {
    if (m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError) return true;
    if (RemoveUnreadableStaleLock() &&
        (m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError))
      return true;
    if (deadline.hasExpired()) break;
    QThread::msleep(
        static_cast<unsigned long>(std::min<qint64>(kRetryMs, deadline.remainingTime())));
  }
  if (error)
    *error = QStringLiteral(
                 "%1 is being changed by another program%2; nothing was saved. "
                 "Try again when it has finished.")
                 .arg(QDir::toNativeSeparators(m_sProjectPath), HolderText());
  return false;
}

// QLockFile takes over a lock whose owner it can read and that is gone; an owner it cannot read
// only counts after kStaleMs. Such a lock, once kUnreadableStaleMs old, is removed here; the
// removal still fails while a live program holds it.
bool CProjectLock::RemoveUnreadableStaleLock() {
  qint64 pid = 0;
  QString host, application;
  if (m_lock.getLockInfo(&pid, &host, &application)) return false;
  const QFileInfo info(m_sLockPath);
  if (!info.exists()) return true;  // gone in the meantime: try again at once
  const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
  return age >= kUnreadableStaleMs && m_lock.removeStaleLockFile();
}

// " (kyv-cli, process 1234 on host bench)", or "" when the lock does not say.
QString CProjectLock::HolderText() const {
  qint64 pid = 0;
  QString host, application;
  if (!m_lock.getLockInfo(&pid, &host, &application)) return QString();
  QString holder = application.isEmpty() ? QString() : application + QStringLiteral(", ");
  holder += QStringLiteral("process %1").arg(pid);
  if (!host.isEmpty()) holder += QStringLiteral(" on host ") + host;
  return QStringLiteral(" (") + holder + QStringLiteral(")");
}
