#pragma once

#include <QList>
#include <QStringView>

// Splits Spin2 source into the pieces a code view colours, a line at a time: comments (' to the
// end of the line, { } blocks that nest and {{ }} blocks that do not, both across lines), strings
// in double quotes, numbers ($hex, %binary, %%quaternary, decimal and float, with _ separators),
// keywords and the section heads CON, VAR, OBJ, PUB, PRI and DAT at the start of a line. What is
// not listed (names, operators, blanks) is left out.

enum class Spin2Token { Comment, String, Number, Keyword, Section };

struct CSpin2Piece {
  Spin2Token m_kind = Spin2Token::Comment;
  int m_nStart = 0;
  int m_nLength = 0;
  bool operator==(const CSpin2Piece&) const = default;
};

// The state a line leaves for the next: 0 in code, else inside a block comment.
inline constexpr int kSpin2CodeState = 0;

// The pieces of line, starting in the state the line before left (0 for the first line);
// *stateAfter receives the state this line leaves.
QList<CSpin2Piece> LexSpin2Line(QStringView line, int stateBefore, int* stateAfter);
