#include "codegen/TextMerge.h"

#include <git2.h>

#include <cstring>

#include "codegen/LibGit2.h"

namespace {

git_merge_file_input Input(const QByteArray& text) {
  git_merge_file_input input = GIT_MERGE_FILE_INPUT_INIT;
  input.ptr = text.constData();
  input.size = static_cast<size_t>(text.size());
  return input;
}

}  // namespace

QByteArray ConflictOpeningLine(const QByteArray& oursLabel) {
  return QByteArray(GIT_MERGE_CONFLICT_MARKER_SIZE, '<') + ' ' + oursLabel;
}

QByteArray ConflictSeparatorLine() { return QByteArray(GIT_MERGE_CONFLICT_MARKER_SIZE, '='); }

QByteArray ConflictClosingLine(const QByteArray& theirsLabel) {
  return QByteArray(GIT_MERGE_CONFLICT_MARKER_SIZE, '>') + ' ' + theirsLabel;
}

QList<int> FindConflicts(const QByteArray& text, const QByteArray& oursLabel) {
  const QByteArray opening = ConflictOpeningLine(oursLabel);
  QList<int> lines;
  int number = 1;
  for (qsizetype start = 0; start < text.size(); ++number) {
    qsizetype end = text.indexOf('\n', start);
    if (end < 0) end = text.size();
    QByteArrayView line(text.constData() + start, end - start);
    if (line.endsWith('\r')) line.chop(1);
    if (line == opening) lines.append(number);
    start = end + 1;
  }
  return lines;
}

int FirstConflictMarkerLine(const QByteArray& text) {
  const QByteArray marker(GIT_MERGE_CONFLICT_MARKER_SIZE, '<');
  int number = 1;
  for (qsizetype start = 0; start < text.size(); ++number) {
    qsizetype end = text.indexOf('\n', start);
    if (end < 0) end = text.size();
    QByteArrayView line(text.constData() + start, end - start);
    if (line.endsWith('\r')) line.chop(1);
    if (line.startsWith(marker) &&
        (line.size() == marker.size() || line[marker.size()] == ' ' || line[marker.size()] == '\t'))
      return number;
    start = end + 1;
  }
  return 0;
}

CTextMerge MergeText(const QByteArray& base, const QByteArray& ours, const QByteArray& theirs,
                     const CTextMergeLabels& labels) {
  CTextMerge merge;
  const CLibGit2 library;
  if (!library.Ready()) {
    merge.m_sError = LastGitError();
    return merge;
  }

  const git_merge_file_input baseInput = Input(base);
  const git_merge_file_input oursInput = Input(ours);
  const git_merge_file_input theirsInput = Input(theirs);
  git_merge_file_options options = GIT_MERGE_FILE_OPTIONS_INIT;
  options.our_label = labels.m_ours.constData();
  options.their_label = labels.m_theirs.constData();

  git_merge_file_result result;
  std::memset(&result, 0, sizeof result);
  if (git_merge_file(&result, &baseInput, &oursInput, &theirsInput, &options) != 0) {
    merge.m_sError = LastGitError();
    return merge;
  }
  // A text libgit2 takes for binary data (a NUL byte) gives no merged text at all.
  if (!result.ptr && !result.automergeable) {
    merge.m_sError = QStringLiteral("one of the texts holds binary data");
  } else {
    merge.m_bMerged = true;
    merge.m_merged = QByteArray(result.ptr, static_cast<qsizetype>(result.len));
    merge.m_conflicts = FindConflicts(merge.m_merged, labels.m_ours);
  }
  git_merge_file_result_free(&result);
  return merge;
}
