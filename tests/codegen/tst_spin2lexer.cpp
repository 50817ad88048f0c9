#include <QtTest>

#include "codegen/Spin2Lexer.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The pieces written as "kind:text" in order, for readable comparisons.
QStringList Describe(const QString& line, const QList<CSpin2Piece>& pieces) {
  static const char* const kNames[] = {"comment", "string", "number", "keyword", "section"};
  QStringList out;
  for (const CSpin2Piece& piece : pieces)
    out << QString::fromLatin1(kNames[static_cast<int>(piece.m_kind)]) + u':' +
               line.mid(piece.m_nStart, piece.m_nLength);
  return out;
}

}  // namespace

// What the code view colours in Spin2 source, line by line, comments carried across lines.
class TestSpin2Lexer : public QObject {
  Q_OBJECT

 private slots:
  void lines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("pieces");  // of all lines, in order

    QTest::newRow("section heads at the line start only")
        << QStringList{u"CON  _clkfreq = 200_000_000"_s, u"pub main() | x"_s, u" DAT"_s,
                       u"PRIvate = 1"_s}
        << QStringList{u"section:CON"_s, u"number:200_000_000"_s, u"section:pub"_s, u"number:1"_s};
    QTest::newRow("numbers in every base")
        << QStringList{u"  x := $FF_00 + %1010_1 + %%0123 + 1_000 + 1.5e-3 + 2.0"_s}
        << QStringList{u"number:$FF_00"_s, u"number:%1010_1"_s, u"number:%%0123"_s,
                       u"number:1_000"_s,  u"number:1.5e-3"_s,  u"number:2.0"_s};
    QTest::newRow("digits inside names and lone signs are not numbers")
        << QStringList{u"  pin2 := x1 $ + % 5..7"_s} << QStringList{u"number:5"_s, u"number:7"_s};
    QTest::newRow("keywords in any case, names left alone")
        << QStringList{u"  REPEAT while Repeater"_s, u"    waitms(100)"_s}
        << QStringList{u"keyword:REPEAT"_s, u"keyword:while"_s, u"keyword:waitms"_s,
                       u"number:100"_s};
    QTest::newRow("strings hold what looks like comments and numbers")
        << QStringList{u"  ser.str(string(\"'no {comment} 12\", 13))"_s, u"  x := \"open"_s}
        << QStringList{u"keyword:string"_s, u"string:\"'no {comment} 12\""_s, u"number:13"_s,
                       u"string:\"open"_s};
    QTest::newRow("line comment and doc comment")
        << QStringList{u"  x := 1 ' set x := 2"_s, u"'' about"_s}
        << QStringList{u"number:1"_s, u"comment:' set x := 2"_s, u"comment:'' about"_s};
    QTest::newRow("brace comments nest across lines")
        << QStringList{u"x { a { b"_s, u" c } d"_s, u" e } 5"_s}
        << QStringList{u"comment:{ a { b"_s, u"comment: c } d"_s, u"comment: e }"_s, u"number:5"_s};
    QTest::newRow("double-brace comments do not nest")
        << QStringList{u"{{ doc { still"_s, u"PUB not a head }} 7 { x } 8"_s}
        << QStringList{u"comment:{{ doc { still"_s, u"comment:PUB not a head }}"_s, u"number:7"_s,
                       u"comment:{ x }"_s, u"number:8"_s};
  }

  void lines() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, pieces);
    QStringList found;
    int state = kSpin2CodeState;
    for (const QString& line : lines) {
      int after = -99;
      found += Describe(line, LexSpin2Line(line, state, &after));
      state = after;
    }
    QCOMPARE(found, pieces);
    QCOMPARE(state, kSpin2CodeState);
  }
};

QTEST_APPLESS_MAIN(TestSpin2Lexer)
#include "tst_spin2lexer.moc"
