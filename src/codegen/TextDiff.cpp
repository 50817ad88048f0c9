#include "codegen/TextDiff.h"

#include <git2.h>

#include "codegen/LibGit2.h"

namespace {

int AddHunk(const git_diff_delta*, const git_diff_hunk* hunk, void* payload) {
  auto* changes = static_cast<QList<CLineChange>*>(payload);
  CLineChange change;
  change.m_nLineCount = hunk->new_lines;
  change.m_nRemovedCount = hunk->old_lines;
  // A hunk that only takes lines out starts at the line before the gap.
  change.m_nFirstLine = hunk->new_lines > 0 ? hunk->new_start : hunk->new_start + 1;
  changes->append(change);
  return 0;
}

}  // namespace

CTextDiff DiffLines(const QByteArray& reference, const QByteArray& text) {
  CTextDiff diff;
  const CLibGit2 library;
  if (!library.Ready()) {
    diff.m_sError = LastGitError();
    return diff;
  }
  git_diff_options options = GIT_DIFF_OPTIONS_INIT;
  options.context_lines = 0;
  options.interhunk_lines = 0;
  options.flags = GIT_DIFF_FORCE_TEXT | GIT_DIFF_IGNORE_WHITESPACE_EOL;
  if (git_diff_buffers(reference.constData(), static_cast<size_t>(reference.size()), nullptr,
                       text.constData(), static_cast<size_t>(text.size()), nullptr, &options,
                       nullptr, nullptr, &AddHunk, nullptr, &diff.m_changes) != 0) {
    diff.m_changes.clear();
    diff.m_sError = LastGitError();
    return diff;
  }
  diff.m_bCompared = true;
  return diff;
}
