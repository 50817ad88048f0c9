#pragma once

#include <QtGlobal>

// While it lives, every write into a regular file beyond the first `bytes` bytes fails for this
// process, as on a full disk (the system reports "File too large" instead of "No space left on
// device"). It stands in for a file system that fails part-way through a write, inside the first
// buffer's worth or later. Available where the system has a file size limit (not on Windows);
// elsewhere IsAvailable() is false and the limit does nothing.
class CFileSizeLimit {
 public:
  static bool IsAvailable();
  explicit CFileSizeLimit(qint64 bytes);
  ~CFileSizeLimit();
  CFileSizeLimit(const CFileSizeLimit&) = delete;
  CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

 private:
  quint64 m_nPrevious = 0;
};

// Skips the test where no file size limit can be set.
#define KYV_SKIP_WITHOUT_FILE_SIZE_LIMIT()                            \
  do {                                                                \
    if (!CFileSizeLimit::IsAvailable())                               \
      QSKIP("no file size limit on this system to make writes fail"); \
  } while (false)
