#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>

#include "AppFixture.h"
#include "app/BuildOutputPane.h"
#include "app/CodeEditor.h"
#include "app/CodeView.h"
#include "app/ToolCommands.h"
#include "codegen/BuildScripts.h"

using namespace Qt::Literals::StringLiterals;

// Records the file URLs the desktop is asked to open.
class CUrlRecorder : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> m_opened;

 public slots:
  void openUrl(const QUrl& url) { m_opened.append(url); }
};

// "2: Compile" and what the Build Output pane makes of the compiler's output: links from its
// messages to their file and line, the program size against hub RAM, the failed line in the
// status bar. The build scripts here print lines as FlexSpin prints them.
class TestBuildLoop : public QObject {
  Q_OBJECT

 private:
  CAppFixture m_fixture;
  QTemporaryDir m_tools;  // bin/flexspin: the compile check wants the compiler there
  QString m_sProject;     // the saved project's folder

  struct COpened {
    QString m_sFile;
    int m_nLine = 0;
  };

  // A saved project "Demo.KYV" whose build.sh is script, its FlexSpin folder the stand-in's.
  CBuildOutputPane& StartWithBuildScript(const QByteArray& script) {
    m_fixture.Start();
    CPromptHooks::QueuePath(m_fixture.WorkPath(u"Demo.KYV"_s));
    m_fixture.Frame().m_pFileSave->trigger();
    m_sProject = QFileInfo(m_fixture.ActiveDoc().GetPathName()).absolutePath();
    WriteFile(QDir(m_sProject).filePath(u"build.sh"_s), script);
    WriteFile(QDir(m_sProject).filePath(u"Demo.spin2"_s), "PUB main()\r\n");
    m_fixture.ActiveView()
        .findChild<QLineEdit*>(u"flexSpinPath"_s)
        ->setText(QDir(m_tools.path()).filePath(u"bin"_s));
    return *m_fixture.Frame().BuildOutput();
  }

  static void WriteFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
  }

  // Runs "2: Compile" and waits for the script to end; returns its exit code.
  int Compile(CBuildOutputPane& pane) {
    QSignalSpy finished(&pane, &CBuildOutputPane::finished);
    m_fixture.Frame().m_pButtonCompile->trigger();
    if (!finished.wait(10000)) return -2;
    return finished.constFirst().constFirst().toInt();
  }

  static QPlainTextEdit& Output(CBuildOutputPane& pane) {
    return *pane.findChild<QPlainTextEdit*>(u"buildOutputText"_s);
  }

  // The output lines shown as links.
  static QStringList LinkLines(CBuildOutputPane& pane) {
    QStringList links;
    for (QTextBlock block = Output(pane).document()->begin(); block.isValid(); block = block.next())
      if (block.begin() != block.end() && block.begin().fragment().charFormat().isAnchor())
        links.append(block.text());
    return links;
  }

  // Clicks the output line that starts with start, xOffset pixels into its text.
  static void ClickLine(CBuildOutputPane& pane, const QString& start, int xOffset = 20) {
    QPlainTextEdit& output = Output(pane);
    QTextBlock block = output.document()->begin();
    while (block.isValid() && !block.text().startsWith(start)) block = block.next();
    QVERIFY2(block.isValid(), qPrintable(start));
    output.setTextCursor(QTextCursor(block));
    output.ensureCursorVisible();
    const QRect line = output.cursorRect(QTextCursor(block));
    QTest::mouseClick(output.viewport(), Qt::LeftButton, {},
                      QPoint(line.left() + xOffset, line.center().y()));
  }

  QLabel& BuildStatus() { return *m_fixture.Frame().findChild<QLabel*>(u"buildStatus"_s); }

 private slots:
  void initTestCase() {
#if defined(Q_OS_WIN)
    QSKIP("the build scripts here are shell scripts");
#endif
    WriteFile(QDir(m_tools.path()).filePath(u"bin/flexspin"_s), "#!/bin/sh\n");
  }
  void init() { m_fixture.Stop(); }
  void cleanupTestCase() { m_fixture.Stop(); }

  void failedBuildLinksItsMessagesAndNamesTheFirstError() {
    CBuildOutputPane& pane = StartWithBuildScript(
        "echo \"Propeller Spin/PASM Compiler 'FlexSpin' (c) 2011-2026 Total Spectrum Software "
        "Inc. and contributors\"\n"
        "echo 'Version 7.7.0 Compiled on: Dec 10 2026'\n"
        "echo 'Demo.spin2'\n"
        "echo '|-child obj.spin2'\n"
        "echo \"Demo.spin2:4: warning: definition of x hides a member variable\" >&2\n"
        "echo \"Demo.spin2:1: note: previous definition of x is here\" >&2\n"
        "echo \"$PWD/sub dir/child obj.spin2:2: error: syntax error, unexpected end of line\" "
        ">&2\n"
        "echo \"Demo.spin2:47: error: Unknown symbol 'unknown_delay'\" >&2\n"
        "echo \"error: Unable to open file \\`nothere': No such file or directory\" >&2\n"
        "exit 1\n");
    QList<COpened> opened;
    pane.SetFileOpener([&opened](const QString& file, int line) { opened.append({file, line}); });
    QCOMPARE(Compile(pane), 1);

    const QString child = m_sProject + u"/sub dir/child obj.spin2"_s;
    QCOMPARE(LinkLines(pane),
             (QStringList{u"Demo.spin2:4: warning: definition of x hides a member variable"_s,
                          u"Demo.spin2:1: note: previous definition of x is here"_s,
                          child + u":2: error: syntax error, unexpected end of line"_s,
                          u"Demo.spin2:47: error: Unknown symbol 'unknown_delay'"_s}));
    QCOMPARE(BuildStatus().text(),
             u"Build failed: child obj.spin2 line 2: syntax error, unexpected end of line"_s);
    QVERIFY(BuildStatus().isVisible());
    // The first error is where the output stands, highlighted.
    QPlainTextEdit& output = Output(pane);
    QCOMPARE(output.textCursor().block().text(),
             child + u":2: error: syntax error, unexpected end of line"_s);
    QCOMPARE(output.extraSelections().size(), 1);
    QCOMPARE(output.extraSelections().constFirst().cursor.block().text(),
             output.textCursor().block().text());
    QVERIFY(pane.ProgramSizeText().isEmpty());

    // A relative path is taken in the folder the script ran in; an absolute one as it is.
    ClickLine(pane, u"Demo.spin2:47"_s);
    ClickLine(pane, child);
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened[0].m_sFile, m_sProject + u"/Demo.spin2"_s);
    QCOMPARE(opened[0].m_nLine, 47);
    QCOMPARE(opened[1].m_sFile, child);
    QCOMPARE(opened[1].m_nLine, 2);
    // Lines that name no file, and the space right of a link, open nothing.
    ClickLine(pane, u"error: Unable"_s);
    ClickLine(pane, u"Demo.spin2:4: warning"_s, output.viewport()->width() - 10);
    QCOMPARE(opened.size(), 2);
    // Return on a message line opens it as a click does.
    output.setTextCursor(QTextCursor(output.document()->findBlockByNumber(0)));
    ClickLine(pane, u"Demo.spin2:1: note"_s);
    QTest::keyClick(&output, Qt::Key_Return);
    QCOMPARE(opened.size(), 4);
    QCOMPARE(opened[3].m_nLine, 1);
    CAppFixture::Screenshot(m_fixture.Frame(), u"build-output-failed"_s);

    // The next build starts without the old failure.
    WriteFile(QDir(m_sProject).filePath(u"build.sh"_s), "echo 'Done.'\n");
    QCOMPARE(Compile(pane), 0);
    QVERIFY(BuildStatus().isHidden());
    QVERIFY(LinkLines(pane).isEmpty());
    QVERIFY(Output(pane).extraSelections().isEmpty());
  }

  void failureWithoutAPlacedErrorSaysHowTheScriptEnded() {
    CBuildOutputPane& pane = StartWithBuildScript("echo 'Demo.spin2'\nexit 2\n");
    QCOMPARE(Compile(pane), 2);
    QCOMPARE(BuildStatus().text(), u"Build failed: build.sh finished with exit status 2."_s);
  }

  void messagesSplitAcrossReadsStillBecomeLinks() {
    // The line and a character of its file name arrive in pieces, as a pipe may deliver them.
    CBuildOutputPane& pane = StartWithBuildScript(
        "printf 'Caf\\303'\nsleep 0.3\nprintf '\\251.spin2:'\nsleep 0.3\n"
        "printf '9: error: Unknown symbol \\047y\\047\\n'\nexit 1\n");
    QCOMPARE(Compile(pane), 1);
    QCOMPARE(LinkLines(pane), QStringList{u"Café.spin2:9: error: Unknown symbol 'y'"_s});
    QCOMPARE(pane.FirstError()->m_sFile, m_sProject + u"/Café.spin2"_s);
    QCOMPARE(BuildStatus().text(), u"Build failed: Café.spin2 line 9: Unknown symbol 'y'"_s);
  }

  void programSizeIsShownAgainstHubRam_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("sizeText");
    QTest::addColumn<bool>("warned");
    QTest::newRow("fits") << QByteArray(
                                 "echo 'Demo.p2asm'\necho 'Done.'\n"
                                 "echo 'Program size is 3328 bytes'\n")
                          << u"Program size is 3328 bytes: 0.6% of 512 KB hub RAM"_s << false;
    QTest::newRow("too large")
        << QByteArray("echo 'Program size is 600000 bytes'\n")
        << u"Program size is 600000 bytes: 114.4% of 512 KB hub RAM. It does not fit: make it "
           u"75712 bytes smaller"_s
        << true;
    QTest::newRow("no size reported") << QByteArray("echo 'Done.'\n") << QString() << false;
  }

  void programSizeIsShownAgainstHubRam() {
    QFETCH(QByteArray, script);
    QFETCH(QString, sizeText);
    QFETCH(bool, warned);
    CBuildOutputPane& pane = StartWithBuildScript(script);
    QCOMPARE(Compile(pane), 0);
    QCOMPARE(pane.ProgramSizeText(), sizeText);
    QVERIFY(BuildStatus().isHidden());
    // The script's own status line stays as it was.
    QCOMPARE(pane.StatusText(), u"build.sh finished with exit status 0."_s);
    if (sizeText.isEmpty()) return;
    auto* size = pane.findChild<QLabel*>(u"programSize"_s);
    QCOMPARE(size->palette().color(QPalette::WindowText) == QColor(Qt::red), warned);
    if (warned) CAppFixture::Screenshot(pane, u"build-output-too-large"_s);
  }

  void linkOpensInFlexPropWhenItIsSetUp() {
    // FlexProp's folder is the FlexSpin folder without "/bin"; the stand-in notes its arguments.
    const QString arguments = QDir(m_tools.path()).filePath(u"flexprop-arguments"_s);
    WriteFile(QDir(m_tools.path()).filePath(u"flexprop"_s),
              "#!/bin/sh\necho \"$@\" > '" + arguments.toUtf8() + "'\n");
    CBuildOutputPane& pane = StartWithBuildScript(
        "echo \"Demo.spin2:47: error: Unknown symbol 'unknown_delay'\"\nexit 1\n");
    QCOMPARE(Compile(pane), 1);
    ClickLine(pane, u"Demo.spin2:47"_s);
    QTRY_VERIFY(QFileInfo(arguments).size() > 0);
    QFile noted(arguments);
    QVERIFY(noted.open(QIODevice::ReadOnly));
    QCOMPARE(noted.readAll(), (m_sProject + u"/Demo.spin2\n"_s).toUtf8());
    QCOMPARE(m_fixture.Frame().statusBar()->currentMessage(),
             u"Opened Demo.spin2 in FlexProp: go to line 47 there (FlexProp takes no line)."_s);
    QVERIFY(QFile::remove(QDir(m_tools.path()).filePath(u"flexprop"_s)));
  }

  void linkOpensTheCodePageWithoutFlexProp() {
    if (!QStandardPaths::findExecutable(u"flexprop"_s).isEmpty())
      QSKIP("a FlexProp on the PATH would be started instead");
    CBuildOutputPane& pane = StartWithBuildScript(
        "echo \"Demo.spin2:3: error: Unknown symbol 'unknown_delay'\"\n"
        "echo \"$PWD/SimplerSerial.spin2:2: error: syntax error\" >&2\n"
        "echo \"Gone.spin2:3: error: Unknown symbol 'z'\"\nexit 1\n");
    WriteFile(QDir(m_sProject).filePath(u"Demo.spin2"_s),
              "CON\r\n  x = 1\r\n  y = unknown_delay\r\nPUB main()\r\n");
    WriteFile(QDir(m_sProject).filePath(u"SimplerSerial.spin2"_s), "PUB start()\n  x +\n");
    QCOMPARE(Compile(pane), 1);

    CKyvView& view = m_fixture.ActiveView();
    CCodeView& code = *view.CodeView();
    ClickLine(pane, u"Demo.spin2:3"_s);
    QCOMPARE(view.currentIndex(), int(CKyvView::kCodePage));
    QCOMPARE(code.ShownFile(), m_sProject + u"/Demo.spin2"_s);
    QCOMPARE(code.Editor()->textCursor().blockNumber() + 1, 3);
    QCOMPARE(code.Editor()->ErrorLine(), 3);
    QCOMPARE(code.Editor()->textCursor().block().text(), u"  y = unknown_delay"_s);
    QVERIFY2(code.NoteText().contains(u"line 3"_s), qPrintable(code.NoteText()));
    CAppFixture::Screenshot(m_fixture.Frame(), u"code-view-error-line"_s);

    // A driver's file opens read-only at its line.
    ClickLine(pane, m_sProject + u"/SimplerSerial.spin2"_s);
    QCOMPARE(code.ShownFile(), m_sProject + u"/SimplerSerial.spin2"_s);
    QCOMPARE(code.Editor()->ErrorLine(), 2);
    QCOMPARE(code.Editor()->textCursor().block().text(), u"  x +"_s);
    QVERIFY(code.Editor()->isReadOnly());
    QVERIFY(!code.findChild<QPushButton*>(u"codeEdit"_s)->isEnabled());

    // A file that is gone says so in the page.
    ClickLine(pane, u"Gone.spin2:3"_s);
    QCOMPARE(code.NoteText(), m_sProject + u"/Gone.spin2 is no longer there."_s);
    QVERIFY(code.Editor()->toPlainText().isEmpty());
  }

  void desktopEditorStaysAvailable() {
    // The code page's context menu hands the file to the desktop.
    CUrlRecorder recorder;
    QDesktopServices::setUrlHandler(u"file"_s, &recorder, "openUrl");
    StartWithBuildScript("exit 0\n");
    const QString file = m_sProject + u"/Demo.spin2"_s;
    QCOMPARE(CToolCommands::OpenInDesktopEditor(m_fixture.ActiveDoc(), file, 47),
             u"Opened Demo.spin2 in the desktop's editor: go to line 47 there (the editor takes "
             u"no line)."_s);
    QCOMPARE(recorder.m_opened, QList<QUrl>{QUrl::fromLocalFile(file)});
    QVERIFY(
        CToolCommands::OpenInDesktopEditor(m_fixture.ActiveDoc(), m_sProject + u"/Gone.spin2"_s, 3)
            .isEmpty());
    QCOMPARE(CPromptHooks::ShownTexts(),
             QStringList{m_sProject + u"/Gone.spin2 is no longer there."_s});
    QCOMPARE(recorder.m_opened.size(), 1);
    QDesktopServices::unsetUrlHandler(u"file"_s);
  }

  void inputLineReachesTheRunningScript() {
    CBuildOutputPane& pane = StartWithBuildScript(
        "printf 'Name? '\nread name\necho \"got [$name]\"\nread more\n"
        "echo \"then [$more]\"\n");
    QSignalSpy finished(&pane, &CBuildOutputPane::finished);
    m_fixture.Frame().m_pButtonCompile->trigger();
    QTRY_VERIFY(pane.OutputText().contains(u"Name? "_s));
    auto* input = pane.findChild<QLineEdit*>(u"scriptInput"_s);
    QVERIFY(input->isEnabled());
    QTest::keyClicks(input, u"P2 Edge"_s);
    QTest::keyClick(input, Qt::Key_Return);
    QVERIFY(input->text().isEmpty());
    QTRY_VERIFY(pane.OutputText().contains(u"got [P2 Edge]"_s));
    QTest::keyClick(input, Qt::Key_Enter);  // an empty line is a line too
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.constFirst().constFirst().toInt(), 0);
    QVERIFY2(pane.OutputText().contains(u"Name? P2 Edge\ngot [P2 Edge]\n\nthen []\n"_s),
             qPrintable(pane.OutputText()));
    QVERIFY(!input->isEnabled());
  }

  void loadWithoutABoardSaysWhatToDo_data() {
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("advice");
    const QString advice =
        u"No P2 answered on %1: connect the board, check its power, and pick its port under "
        u"Serial port on the P2 & FlexSpin tab."_s;
    QTest::newRow("automatic") << QString() << advice.arg(u"any port"_s);
    QTest::newRow("chosen port") << u"/dev/ttyUSB7"_s << advice.arg(u"/dev/ttyUSB7"_s);
  }

  void loadWithoutABoardSaysWhatToDo() {
    QFETCH(QString, port);
    QFETCH(QString, advice);
    // The stand-in loader answers as loadp2 does without a board, then waits for Enter.
    WriteFile(QDir(m_tools.path()).filePath(u"bin/loadp2"_s), "#!/bin/sh\n");
    CBuildOutputPane& pane = StartWithBuildScript("exit 0\n");
    m_fixture.App().Settings().WriteString(kSerialPortSetting, port);
    m_fixture.ActiveView()
        .findChild<QLineEdit*>(u"loadP2Path"_s)
        ->setText(QDir(m_tools.path()).filePath(u"bin"_s));
    WriteFile(QDir(m_sProject).filePath(u"load.sh"_s),
              "echo 'Could not find a P2'\nprintf 'Press enter to continue...'\nread key\n");
    WriteFile(QDir(m_sProject).filePath(u"Demo.binary"_s), "binary");
    QSignalSpy finished(&pane, &CBuildOutputPane::finished);
    m_fixture.Frame().m_pLoadP2->trigger();
    QTRY_VERIFY(BuildStatus().text() == advice);
    QVERIFY(BuildStatus().isVisible());
    // The advice follows loadp2's lines, on a line of its own.
    QTRY_VERIFY2(pane.OutputText().contains(u"Could not find a P2\n"_s) &&
                     pane.OutputText().contains(u'\n' + advice + u'\n'),
                 qPrintable(pane.OutputText()));
    QVERIFY(pane.IsRunning());
    // Enter in the input line ends the wait.
    QTest::keyClick(pane.findChild<QLineEdit*>(u"scriptInput"_s), Qt::Key_Return);
    QVERIFY(finished.wait(10000));
    QCOMPARE(BuildStatus().text(), advice);
  }

  void loadIsRefusedAfterABadBuild_data() {
    QTest::addColumn<QByteArray>("buildScript");
    QTest::addColumn<QString>("refusal");  // "" when the load runs
    const QByteArray writesBinary = "sleep 1\necho built > Demo.binary\n";
    QTest::newRow("too large")
        << writesBinary + "echo 'Program size is 600000 bytes'\n"
        << u"Demo.binary was not loaded: the last build reported a program of 600000 bytes, 75712 "
           u"bytes more than the P2's 512 KB hub RAM holds. Make the program smaller and press "
           u"\"2: Compile\" again."_s;
    QTest::newRow("failed, older binary left")
        << QByteArray("echo \"Demo.spin2:1: error: Unknown symbol 'x'\" >&2\nexit 1\n")
        << u"Demo.binary was not loaded: the last build failed (Demo.spin2 line 1: Unknown symbol "
           u"'x'), so it does not hold the program as it is now. Fix the error and press "
           u"\"2: Compile\" again."_s;
    QTest::newRow("fits") << writesBinary + "echo 'Program size is 3328 bytes'\n" << QString();
  }

  void loadIsRefusedAfterABadBuild() {
    QFETCH(QByteArray, buildScript);
    QFETCH(QString, refusal);
    WriteFile(QDir(m_tools.path()).filePath(u"bin/loadp2"_s), "#!/bin/sh\n");
    CBuildOutputPane& pane = StartWithBuildScript(buildScript);
    m_fixture.ActiveView()
        .findChild<QLineEdit*>(u"loadP2Path"_s)
        ->setText(QDir(m_tools.path()).filePath(u"bin"_s));
    WriteFile(QDir(m_sProject).filePath(u"load.sh"_s), "echo loading\n");
    // A binary from an earlier build, newer than the main file.
    WriteFile(QDir(m_sProject).filePath(u"Demo.binary"_s), "older");
    Compile(pane);
    QSignalSpy finished(&pane, &CBuildOutputPane::finished);
    m_fixture.Frame().m_pLoadP2->trigger();
    if (refusal.isEmpty()) {
      QVERIFY(finished.wait(10000));
      QVERIFY(pane.OutputText().contains(u"loading"_s));
      QVERIFY(CPromptHooks::ShownTexts().isEmpty());
      return;
    }
    QCOMPARE(CPromptHooks::ShownTexts(), QStringList{refusal});
    QVERIFY(!pane.IsRunning());
    QVERIFY(!pane.OutputText().contains(u"loading"_s));
  }
};

QTEST_MAIN(TestBuildLoop)
#include "tst_buildloop.moc"
