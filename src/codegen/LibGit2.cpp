#include "codegen/LibGit2.h"

#include <git2.h>

CLibGit2::CLibGit2() : m_nInit(git_libgit2_init()) {}

CLibGit2::~CLibGit2() {
  if (m_nInit > 0) git_libgit2_shutdown();
}

QString LastGitError() {
  const git_error* error = git_error_last();
  return error && error->message ? QString::fromUtf8(error->message)
                                 : QStringLiteral("the merge library gave no reason");
}
