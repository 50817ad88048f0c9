#include "model/AtomicFile.h"

#include <QSaveFile>

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* reason) {
  // A buffered QSaveFile writes its last buffer inside commit(), where a failing write is not
  // reported: commit() then succeeds with a short or empty file. Unbuffered, each write reports
  // its own failure and commit() refuses to replace the target.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    *reason = file.errorString();
    return false;
  }
  // A short write is retried: the next write then reports why the rest did not fit.
  for (qint64 done = 0; done < bytes.size();) {
    const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
    if (written <= 0) {
      *reason = file.errorString();
      file.cancelWriting();
      return false;
    }
    done += written;
  }
  if (!file.commit()) {
    *reason = file.errorString();
    return false;
  }
  return true;
}
