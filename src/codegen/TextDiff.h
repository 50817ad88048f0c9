#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Where a text differs from the one it is compared with, line by line. Lines end at LF; blanks and
// a CR before the line end do not count, so a file saved with other line ends shows no change.
struct CLineChange {
  int m_nFirstLine = 1;     // first line (from 1) of the change in the compared text
  int m_nLineCount = 0;     // its lines there; 0 when lines were only taken out before m_nFirstLine
  int m_nRemovedCount = 0;  // lines of the reference text that the change replaces
};

struct CTextDiff {
  bool m_bCompared = false;  // false: no comparison was made and m_sError says why
  QList<CLineChange> m_changes;
  QString m_sError;
};

// How text differs from reference.
CTextDiff DiffLines(const QByteArray& reference, const QByteArray& text);
