// libFuzzer entry point for the three-way merge that keeps a user's changes in a regenerated main
// file. The input is split into base, ours and theirs by its first four bytes (two 16-bit
// lengths; theirs is the rest). Any three texts must either merge or fail with a reason. A merge
// must keep a side unchanged from the base out of the result (ours == base gives theirs, and the
// other way round), report conflicts only where their opening marker lines are, and a text
// without conflicts must merge with itself into itself.
#include <git2.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "codegen/TextMerge.h"

namespace {

const CTextMergeLabels kLabels{"yours", "generated"};

void CheckMerge(const CTextMerge& merge) {
  if (!merge.m_bMerged) {
    if (merge.m_sError.isEmpty()) std::abort();
    return;
  }
  if (merge.m_conflicts != FindConflicts(merge.m_merged, kLabels.m_ours)) std::abort();
  const qsizetype lineCount = merge.m_merged.count('\n') + 1;
  for (int line : merge.m_conflicts)
    if (line < 1 || line > lineCount) std::abort();
}

}  // namespace

// libgit2 set up once for the whole run: each merge then only counts a nested use instead of
// setting the library up and tearing it down again, which would make every run take seconds.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  git_libgit2_init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const size_t baseSize = std::min<size_t>(size - 4, data[0] | (data[1] << 8));
  const size_t oursSize = std::min<size_t>(size - 4 - baseSize, data[2] | (data[3] << 8));
  const char* text = reinterpret_cast<const char*>(data) + 4;
  const QByteArray base(text, static_cast<qsizetype>(baseSize));
  const QByteArray ours(text + baseSize, static_cast<qsizetype>(oursSize));
  const QByteArray theirs(text + baseSize + oursSize,
                          static_cast<qsizetype>(size - 4 - baseSize - oursSize));

  const CTextMerge merge = MergeText(base, ours, theirs, kLabels);
  CheckMerge(merge);

  // Texts libgit2 takes for binary data give no merged text; only text can be compared.
  if (base.contains('\0') || ours.contains('\0') || theirs.contains('\0')) return 0;
  const CTextMerge onlyTheirs = MergeText(base, base, theirs, kLabels);
  if (!onlyTheirs.m_bMerged || onlyTheirs.m_merged != theirs) std::abort();
  const CTextMerge onlyOurs = MergeText(base, ours, base, kLabels);
  if (!onlyOurs.m_bMerged || onlyOurs.m_merged != ours) std::abort();
  if (merge.m_bMerged && merge.m_conflicts.isEmpty()) {
    const CTextMerge again = MergeText(merge.m_merged, merge.m_merged, merge.m_merged, kLabels);
    if (!again.m_bMerged || again.m_merged != merge.m_merged) std::abort();
  }
  return 0;
}
