#pragma once

#include <QByteArray>
#include <QFile>

enum class BoundedRead {
  Read,      // bytes holds the whole file
  TooLarge,  // the file holds more than the limit; bytes is empty
  Failed,    // the system refused a read (file.errorString() says why); bytes is empty
};

// Reads an open file from its position to its end, but never more than limit bytes. The buffer
// is sized by what the file holds when it is read, never by the limit; a file that grows while
// it is read is followed up to one byte past the limit, which tells it is too large.
// Out of memory throws std::bad_alloc.
BoundedRead ReadFileUpTo(QFile& file, qint64 limit, QByteArray* bytes);
