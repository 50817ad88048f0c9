#include "model/BoundedFileRead.h"

#include <algorithm>
#include <array>

BoundedRead ReadFileUpTo(QFile& file, qint64 limit, QByteArray* bytes) {
  bytes->clear();
  auto fail = [bytes](BoundedRead result) {
    bytes->clear();
    return result;
  };
  const qint64 measured = std::clamp<qint64>(file.size() - file.pos(), 0, limit);
  QByteArray read(measured, Qt::Uninitialized);
  qint64 done = 0;
  while (done < measured) {
    const qint64 got = file.read(read.data() + done, measured - done);
    if (got < 0) return fail(BoundedRead::Failed);
    if (got == 0) break;  // the file was shortened since it was measured
    done += got;
  }
  read.truncate(done);
  if (done == measured) {
    // It may have grown since: whatever follows is read a chunk at a time.
    std::array<char, 16 * 1024> chunk;
    for (;;) {
      const qint64 wanted = std::min<qint64>(chunk.size(), limit + 1 - read.size());
      const qint64 got = file.read(chunk.data(), wanted);
      if (got < 0) return fail(BoundedRead::Failed);
      if (got == 0) break;
      read.append(chunk.data(), got);
      if (read.size() > limit) return fail(BoundedRead::TooLarge);
    }
  }
  *bytes = std::move(read);
  return BoundedRead::Read;
}
