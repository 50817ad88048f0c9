#include "FileSizeLimit.h"

#ifdef Q_OS_UNIX
#include <signal.h>
#include <sys/resource.h>

bool CFileSizeLimit::IsAvailable() { return true; }

CFileSizeLimit::CFileSizeLimit(qint64 bytes) {
  // Without this the write that crosses the limit ends the process instead of failing.
  signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  m_nPrevious = limit.rlim_cur;
  limit.rlim_cur = static_cast<rlim_t>(bytes);
  setrlimit(RLIMIT_FSIZE, &limit);
}

CFileSizeLimit::~CFileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = static_cast<rlim_t>(m_nPrevious);
  setrlimit(RLIMIT_FSIZE, &limit);
}
#else
bool CFileSizeLimit::IsAvailable() { return false; }
CFileSizeLimit::CFileSizeLimit(qint64) {}
CFileSizeLimit::~CFileSizeLimit() = default;
#endif
