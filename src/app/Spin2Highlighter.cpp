#include "app/Spin2Highlighter.h"

#include "codegen/Spin2Lexer.h"

namespace {

QTextCharFormat FormatOf(Spin2Token kind) {
  QTextCharFormat format;
  switch (kind) {
    case Spin2Token::Comment:
      format.setForeground(QColor(0x3f, 0x8f, 0x3f));
      format.setFontItalic(true);
      break;
    case Spin2Token::String:
      format.setForeground(QColor(0xc0, 0x50, 0x20));
      break;
    case Spin2Token::Number:
      format.setForeground(QColor(0x20, 0x80, 0xb0));
      break;
    case Spin2Token::Keyword:
      format.setForeground(QColor(0x60, 0x60, 0xe0));
      format.setFontWeight(QFont::Bold);
      break;
    case Spin2Token::Section:
      format.setForeground(QColor(0xc0, 0x30, 0xa0));
      format.setFontWeight(QFont::Bold);
      break;
  }
  return format;
}

}  // namespace

CSpin2Highlighter::CSpin2Highlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void CSpin2Highlighter::highlightBlock(const QString& text) {
  int state = kSpin2CodeState;
  // A block not yet seen reports -1.
  const QList<CSpin2Piece> pieces =
      LexSpin2Line(text, std::max(previousBlockState(), kSpin2CodeState), &state);
  for (const CSpin2Piece& piece : pieces)
    setFormat(piece.m_nStart, piece.m_nLength, FormatOf(piece.m_kind));
  setCurrentBlockState(state);
}
