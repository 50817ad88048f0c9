#include <QtTest>

#include "codegen/TextDiff.h"

using namespace Qt::Literals::StringLiterals;

// Where the code view marks a file on disk as different from the text Kyv would generate.
class TestTextDiff : public QObject {
  Q_OBJECT

 private slots:
  void changes_data() {
    QTest::addColumn<QByteArray>("reference");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("changes");  // "first+count-removed" per change

    const QByteArray base = "a\nb\nc\nd\n";
    QTest::newRow("same") << base << base << QString();
    QTest::newRow("other line ends and trailing blanks")
        << base << QByteArray("a\r\nb  \r\nc\r\nd\r\n") << QString();
    QTest::newRow("one line changed") << base << QByteArray("a\nB\nc\nd\n") << u"2+1-1"_s;
    QTest::newRow("lines added at the start")
        << base << QByteArray("x\ny\na\nb\nc\nd\n") << u"1+2-0"_s;
    QTest::newRow("line taken out in the middle") << base << QByteArray("a\nb\nd\n") << u"3+0-1"_s;
    QTest::newRow("lines taken out at the end") << base << QByteArray("a\nb\n") << u"3+0-2"_s;
    QTest::newRow("two separate changes")
        << base << QByteArray("A\nb\nc\nd\ne\n") << u"1+1-1 5+1-0"_s;
    QTest::newRow("line added above blank lines")
        << QByteArray("A\nB\n\n\nCON\n") << QByteArray("E\nA\nB\n\n\nCON\n") << u"1+1-0"_s;
    QTest::newRow("a NUL byte is still text")
        << base << QByteArray("a\nb\0\nc\nd\n", 9) << u"2+1-1"_s;
  }

  void changes() {
    QFETCH(QByteArray, reference);
    QFETCH(QByteArray, text);
    QFETCH(QString, changes);
    const CTextDiff diff = DiffLines(reference, text);
    QVERIFY2(diff.m_bCompared, qPrintable(diff.m_sError));
    QStringList found;
    for (const CLineChange& change : diff.m_changes)
      found << u"%1+%2-%3"_s.arg(change.m_nFirstLine)
                   .arg(change.m_nLineCount)
                   .arg(change.m_nRemovedCount);
    QCOMPARE(found.join(u' '), changes);
  }
};

QTEST_APPLESS_MAIN(TestTextDiff)
#include "tst_textdiff.moc"
