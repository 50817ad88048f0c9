#pragma once

#include <QString>

// libgit2 keeps global state that must be set up before and released after use; its counter
// makes nested and repeated uses safe. Hold one of these while calling the library.
class CLibGit2 {
 public:
  CLibGit2();
  ~CLibGit2();
  CLibGit2(const CLibGit2&) = delete;
  CLibGit2& operator=(const CLibGit2&) = delete;
  bool Ready() const { return m_nInit > 0; }

 private:
  int m_nInit;
};

// The library's description of its last failure.
QString LastGitError();
