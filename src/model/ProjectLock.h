#pragma once

#include <QLockFile>
#include <QString>

// Keeps two programs from changing one project file at the same time: a lock file beside the
// project file itself (<name>.lock next to the file a link points to, so that a link and its
// target share one lock) held for a whole read-modify-write. A lock left behind by a program that
// ended without removing it is taken over.
class CProjectLock {
 public:
  // How long a second writer waits for the first one before giving up.
  static constexpr int kWaitMs = 3000;
  // A lock older than this is taken to be left behind even if its owner cannot be checked
  // (another machine sharing the folder); no save takes this long.
  static constexpr int kStaleMs = 30000;
  // A lock whose owner cannot be read at all (a program killed between creating the lock and
  // writing into it) is left behind once it is this old: the owner writes at once.
  static constexpr int kUnreadableStaleMs = 2000;

  explicit CProjectLock(const QString& projectPath);

  // False, with a message naming the project and the program that holds the lock, when another
  // program holds it for longer than waitMs. When no lock file can be made at all (a read-only
  // folder), the project cannot be saved either; that is left to the save to report, and Acquire
  // returns true.
  bool Acquire(QString* error, int waitMs = kWaitMs);

 private:
  bool RemoveUnreadableStaleLock();
  QString HolderText() const;

  QString m_sProjectPath;
  QString m_sLockPath;
  QLockFile m_lock;
};
