#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Three-way merge of two texts derived from a common base, line by line: the changes from base
// to ours and from base to theirs are combined; where they overlap, both versions are kept in a
// conflict block:
//   <<<<<<< ours label
//   (our lines)
//   =======
//   (their lines)
//   >>>>>>> theirs label
// Lines end at LF; a CR before it belongs to the line, so CR LF texts merge as CR LF and the
// marker lines then end in CR LF as well.
struct CTextMergeLabels {
  QByteArray m_ours;
  QByteArray m_theirs;
};

struct CTextMerge {
  bool m_bMerged = false;  // false: no merge was made and m_sError says why
  QByteArray m_merged;     // the merged text
  QList<int> m_conflicts;  // line number (from 1) of each conflict's opening marker line
  QString m_sError;
};

CTextMerge MergeText(const QByteArray& base, const QByteArray& ours, const QByteArray& theirs,
                     const CTextMergeLabels& labels);

// The marker lines of a conflict block with these labels, without their line ends.
QByteArray ConflictOpeningLine(const QByteArray& oursLabel);
QByteArray ConflictSeparatorLine();
QByteArray ConflictClosingLine(const QByteArray& theirsLabel);

// Line numbers (from 1) of the lines that open a conflict block with this label, whether this
// merge or an earlier one left them there.
QList<int> FindConflicts(const QByteArray& text, const QByteArray& oursLabel);

// The line number (from 1) of the first line that opens a conflict block, whatever its label
// and whichever tool left it: seven "<" at the start of a line, then a blank or the line end.
// 0 when there is none.
int FirstConflictMarkerLine(const QByteArray& text);
