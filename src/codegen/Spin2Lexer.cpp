#include "codegen/Spin2Lexer.h"

#include <QSet>
#include <QString>

using namespace Qt::Literals::StringLiterals;

namespace {

// Inside a {{ }} comment; smaller positive states count the open { } comments.
constexpr int kDocCommentState = 1 << 20;

const QSet<QString>& Keywords() {
  static const QSet<QString> words = [] {
    QSet<QString> set;
    for (const char* word :
         {// flow
          "if", "ifnot", "elseif", "elseifnot", "else", "case", "case_fast", "other", "repeat",
          "from", "to", "step", "while", "until", "with", "next", "quit", "return", "abort",
          "lookup", "lookupz", "lookdown", "lookdownz",
          // operators written as words
          "not", "and", "or", "xor", "abs", "fabs", "encod", "decod", "bmask", "ones", "sqrt",
          "fsqrt", "qlog", "qexp", "sar", "ror", "rol", "rev", "zerox", "signx", "sca", "scas",
          "frac", "addbits", "addpins",
          // built-in methods
          "hubset", "clkset", "cogspin", "coginit", "cogstop", "cogid", "cogchk", "getrnd", "getct",
          "pollct", "waitct", "waitus", "waitms", "getsec", "getms", "pinw", "pinwrite", "pinl",
          "pinlow", "pinh", "pinhigh", "pint", "pintoggle", "pinf", "pinfloat", "pinr", "pinread",
          "pinstart", "pinclear", "wrpin", "wxpin", "wypin", "akpin", "rdpin", "rqpin", "locknew",
          "lockret", "locktry", "lockrel", "lockchk", "cogatn", "pollatn", "waitatn", "getregs",
          "setregs", "bytemove", "bytefill", "wordmove", "wordfill", "longmove", "longfill",
          "strsize", "strcomp", "strcopy", "getcrc", "string", "lstring", "byte", "word", "long",
          "float", "round", "trunc", "send", "recv", "call", "regexec", "regload", "qsin", "qcos",
          "rotxy", "polxy", "xypol", "nan", "muldiv64", "debug", "field",
          // constants and registers
          "true", "false", "posx", "negx", "pi", "clkmode", "clkfreq", "clkmode_", "clkfreq_",
          "varbase", "result",
          // assembler directives
          "org", "orgh", "orgf", "end", "fit", "res", "file", "alignw", "alignl"})
      set.insert(QString::fromLatin1(word));
    return set;
  }();
  return words;
}

const QSet<QString>& Sections() {
  static const QSet<QString> heads = {u"con"_s, u"var"_s, u"obj"_s, u"pub"_s, u"pri"_s, u"dat"_s};
  return heads;
}

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }
bool IsDigitIn(QChar c, int base) {
  if (base == 16) return c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f');
  return c >= u'0' && c < QChar(u'0' + base);
}

// The end of the digits of base (with _ separators) from start.
qsizetype DigitsEnd(QStringView line, qsizetype start, int base) {
  qsizetype end = start;
  while (end < line.size() && (IsDigitIn(line[end], base) || line[end] == u'_')) ++end;
  return end;
}

// The end of a decimal or float number starting at start.
qsizetype DecimalEnd(QStringView line, qsizetype start) {
  qsizetype end = DigitsEnd(line, start, 10);
  if (end + 1 < line.size() && line[end] == u'.' && line[end + 1].isDigit())
    end = DigitsEnd(line, end + 1, 10);
  if (end < line.size() && line[end].toLower() == u'e') {
    qsizetype exponent = end + 1;
    if (exponent < line.size() && (line[exponent] == u'+' || line[exponent] == u'-')) ++exponent;
    if (exponent < line.size() && line[exponent].isDigit()) end = DigitsEnd(line, exponent, 10);
  }
  return end;
}

// Where the block comment that is open in state ends in line (from start), and the state after
// it: the end of the line when it does not end there.
qsizetype BlockCommentEnd(QStringView line, qsizetype start, int* state) {
  qsizetype at = start;
  if (*state == kDocCommentState) {
    const qsizetype close = line.indexOf(u"}}"_s, start);
    if (close < 0) return line.size();
    *state = kSpin2CodeState;
    return close + 2;
  }
  for (; at < line.size(); ++at) {
    if (line[at] == u'{') {
      ++*state;
    } else if (line[at] == u'}' && --*state == 0) {
      return at + 1;
    }
  }
  return at;
}

}  // namespace

QList<CSpin2Piece> LexSpin2Line(QStringView line, int stateBefore, int* stateAfter) {
  QList<CSpin2Piece> pieces;
  int state = stateBefore > 0 ? stateBefore : kSpin2CodeState;
  auto add = [&pieces](Spin2Token kind, qsizetype start, qsizetype end) {
    if (end > start) pieces.append({kind, static_cast<int>(start), static_cast<int>(end - start)});
  };
  qsizetype at = 0;
  if (state != kSpin2CodeState) {
    at = BlockCommentEnd(line, 0, &state);
    add(Spin2Token::Comment, 0, at);
  }
  while (at < line.size()) {
    const QChar c = line[at];
    const QChar after = at + 1 < line.size() ? line[at + 1] : QChar();
    const bool wordStart = at == 0 || !IsWordChar(line[at - 1]);
    qsizetype end = at + 1;
    if (c == u'\'') {
      add(Spin2Token::Comment, at, line.size());
      break;
    }
    if (c == u'{') {
      if (after == u'{') {
        state = kDocCommentState;
        end = BlockCommentEnd(line, at + 2, &state);
      } else {
        state = 1;
        end = BlockCommentEnd(line, at + 1, &state);
      }
      add(Spin2Token::Comment, at, end);
    } else if (c == u'"') {
      const qsizetype close = line.indexOf(u'"', at + 1);
      end = close < 0 ? line.size() : close + 1;
      add(Spin2Token::String, at, end);
    } else if (wordStart && c == u'$' && IsDigitIn(after, 16)) {
      end = DigitsEnd(line, at + 1, 16);
      add(Spin2Token::Number, at, end);
    } else if (wordStart && c == u'%' && after == u'%' && at + 2 < line.size() &&
               IsDigitIn(line[at + 2], 4)) {
      end = DigitsEnd(line, at + 2, 4);
      add(Spin2Token::Number, at, end);
    } else if (wordStart && c == u'%' && IsDigitIn(after, 2)) {
      end = DigitsEnd(line, at + 1, 2);
      add(Spin2Token::Number, at, end);
    } else if (wordStart && c.isDigit()) {
      end = DecimalEnd(line, at);
      add(Spin2Token::Number, at, end);
    } else if (c.isLetter() || c == u'_') {
      while (end < line.size() && IsWordChar(line[end])) ++end;
      const QString word = line.mid(at, end - at).toString().toLower();
      if (at == 0 && Sections().contains(word))
        add(Spin2Token::Section, at, end);
      else if (Keywords().contains(word))
        add(Spin2Token::Keyword, at, end);
    }
    at = end;
  }
  if (stateAfter) *stateAfter = state;
  return pieces;
}
