#include <QtTest>

#include "codegen/CompilerOutput.h"

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(CompilerSeverity)

// Reading the compiler's output back: the lines below are as FlexSpin printed them.
class TestCompilerOutput : public QObject {
  Q_OBJECT

 private slots:
  void messages_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("isMessage");
    QTest::addColumn<CompilerSeverity>("severity");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("lineNumber");
    QTest::addColumn<QString>("text");
    const auto error = CompilerSeverity::Error;
    const auto none = CompilerSeverity::Error;
    QTest::newRow("main file, relative")
        << u"Demo.spin2:47: error: Unknown symbol 'unknown_delay'"_s << true << error
        << u"Demo.spin2"_s << 47 << u"Unknown symbol 'unknown_delay'"_s;
    QTest::newRow("included object, absolute with blanks")
        << u"/tmp/my project/sub dir/child obj.spin2:2: error: syntax error, unexpected end of "
           u"line"_s
        << true << error << u"/tmp/my project/sub dir/child obj.spin2"_s << 2
        << u"syntax error, unexpected end of line"_s;
    QTest::newRow("drive letter") << u"C:\\P2 Projects\\Demo.spin2:12: error: Unknown symbol 'x'"_s
                                  << true << error << u"C:\\P2 Projects\\Demo.spin2"_s << 12
                                  << u"Unknown symbol 'x'"_s;
    QTest::newRow("carriage return of Windows output")
        << u"C:\\Demo.spin2:3: error: #error:  this fails here\r"_s << true << error
        << u"C:\\Demo.spin2"_s << 3 << u"#error:  this fails here"_s;
    QTest::newRow("warning") << u"W5.spin2:2: warning: definition of x hides a member variable"_s
                             << true << CompilerSeverity::Warning << u"W5.spin2"_s << 2
                             << u"definition of x hides a member variable"_s;
    QTest::newRow("note") << u"W5.spin2:1: note: previous definition of x is here"_s << true
                          << CompilerSeverity::Note << u"W5.spin2"_s << 1
                          << u"previous definition of x is here"_s;
    QTest::newRow("text holding a second location")
        << u"a.spin2:4: error: see b.spin2:9: error: here"_s << true << error << u"a.spin2"_s << 4
        << u"see b.spin2:9: error: here"_s;
    QTest::newRow("error without a file")
        << u"error: Unable to open file `Missing.spin2': No such file or directory"_s << true
        << error << QString() << 0
        << u"Unable to open file `Missing.spin2': No such file or directory"_s;
    QTest::newRow("banner") << u"Version 7.7.0 Compiled on: Dec 10 2026"_s << false << none
                            << QString() << 0 << QString();
    QTest::newRow("object tree") << u"|-SimplerSerial.spin2"_s << false << none << QString() << 0
                                 << QString();
    QTest::newRow("size line") << u"Program size is 3328 bytes"_s << false << none << QString() << 0
                               << QString();
    QTest::newRow("capitalised severity")
        << u"Demo.spin2:4: Error: x"_s << false << none << QString() << 0 << QString();
    QTest::newRow("line zero") << u"Demo.spin2:0: error: x"_s << false << none << QString() << 0
                               << QString();
    QTest::newRow("no line number")
        << u"Demo.spin2: error: x"_s << false << none << QString() << 0 << QString();
    QTest::newRow("line number too large")
        << u"Demo.spin2:99999999999: error: x"_s << false << none << QString() << 0 << QString();
    QTest::newRow("no file before the line")
        << u":4: error: x"_s << false << none << QString() << 0 << QString();
  }

  void messages() {
    QFETCH(QString, line);
    QFETCH(bool, isMessage);
    const std::optional<CCompilerMessage> message = ParseCompilerMessage(line);
    QCOMPARE(message.has_value(), isMessage);
    if (!message) return;
    QFETCH(CompilerSeverity, severity);
    QFETCH(QString, file);
    QFETCH(int, lineNumber);
    QFETCH(QString, text);
    QCOMPARE(message->m_severity, severity);
    QCOMPARE(message->m_sFile, file);
    QCOMPARE(message->m_nLine, lineNumber);
    QCOMPARE(message->m_sText, text);
  }

  void programSize_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<qint64>("bytes");  // -1: not a size line
    QTest::newRow("flexspin") << u"Program size is 3328 bytes"_s << qint64(3328);
    QTest::newRow("carriage return") << u"Program size is 600000 bytes\r"_s << qint64(600000);
    QTest::newRow("other text") << u"Program size is large"_s << qint64(-1);
    QTest::newRow("indented") << u" Program size is 3328 bytes"_s << qint64(-1);
    QTest::newRow("trailing text") << u"Program size is 3328 bytes free"_s << qint64(-1);
  }

  void programSize() {
    QFETCH(QString, line);
    QFETCH(qint64, bytes);
    QCOMPARE(ParseProgramSize(line).value_or(-1), bytes);
  }

  void sizeTexts_data() {
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("small") << qint64(3328)
                           << u"Program size is 3328 bytes: 0.6% of 512 KB hub RAM"_s;
    QTest::newRow("exactly full") << qint64(524288)
                                  << u"Program size is 524288 bytes: 100.0% of 512 KB hub RAM"_s;
    QTest::newRow("one byte over")
        << qint64(524289)
        << u"Program size is 524289 bytes: 100.0% of 512 KB hub RAM. It does not fit: make it 1 "
           u"bytes smaller"_s;
  }

  void sizeTexts() {
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(ProgramSizeText(bytes), text);
  }

  void buildFailedTexts_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("relative") << u"Demo.spin2:12: error: Unknown symbol 'x'"_s
                              << u"Build failed: Demo.spin2 line 12: Unknown symbol 'x'"_s;
    QTest::newRow("absolute") << u"/tmp/a/child obj.spin2:2: error: syntax error"_s
                              << u"Build failed: child obj.spin2 line 2: syntax error"_s;
    QTest::newRow("windows") << u"C:\\P2\\Demo.spin2:3: error: %1 stays"_s
                             << u"Build failed: Demo.spin2 line 3: %1 stays"_s;
    QTest::newRow("no file") << u"error: Unable to open file `x'"_s
                             << u"Build failed: Unable to open file `x'"_s;
  }

  void buildFailedTexts() {
    QFETCH(QString, line);
    QFETCH(QString, text);
    const std::optional<CCompilerMessage> message = ParseCompilerMessage(line);
    QVERIFY(message);
    QCOMPARE(BuildFailedText(*message), text);
  }
};

QTEST_APPLESS_MAIN(TestCompilerOutput)
#include "tst_compileroutput.moc"
