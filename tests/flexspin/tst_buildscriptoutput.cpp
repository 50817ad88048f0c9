#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "FlexSpin.h"
#include "TestPlatform.h"
#include "codegen/CompilerOutput.h"
#include "codegen/GenerateFiles.h"

using namespace Qt::Literals::StringLiterals;

// What the generated build script prints when it runs the real compiler is what the Build Output
// pane reads back: the program size of a good build, and the file and line of an error in the main
// file or in an object it includes. The project folder has a blank in its name.
class TestBuildScriptOutput : public QObject {
  Q_OBJECT

 private slots:
  void buildScriptOutputIsRead_data();
  void buildScriptOutputIsRead();
};

namespace {

struct CBuildRun {
  int m_nExitCode = -1;
  QStringList m_lines;
};

CBuildRun RunBuildScript(const QString& folder) {
  QProcess script;
  script.setWorkingDirectory(folder);
  script.setProcessChannelMode(QProcess::MergedChannels);
  script.start(u"/bin/sh"_s, {u"build.sh"_s});
  if (!script.waitForFinished(120'000)) {
    script.kill();
    script.waitForFinished();
    return {};
  }
  return {script.exitCode(), QString::fromUtf8(script.readAll()).split(u'\n')};
}

// Inserts text after the line anchor of the file; returns the inserted line's number, or 0 when
// the anchor is not there once.
int InsertAfter(const QString& path, const QByteArray& anchor, const QByteArray& text) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  QByteArray content = file.readAll();
  file.close();
  if (content.count(anchor) != 1) return 0;
  const qsizetype at = content.indexOf(anchor) + anchor.size();
  content.insert(at, text);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(content) != content.size())
    return 0;
  return static_cast<int>(content.left(at).count('\n')) + 1;
}

int Append(const QString& path, const QByteArray& text) {
  QFile file(path);
  if (!file.open(QIODevice::ReadWrite)) return 0;
  const QByteArray content = file.readAll();
  if (!content.endsWith('\n') || file.write(text) != text.size()) return 0;
  return static_cast<int>(content.count('\n') + text.count('\n'));
}

}  // namespace

void TestBuildScriptOutput::buildScriptOutputIsRead_data() {
  QTest::addColumn<QString>("broken");  // the file made to fail, or "" for a good build
  QTest::addColumn<QString>("errorText");
  QTest::newRow("good build") << QString() << QString();
  QTest::newRow("main file") << u"Project.spin2"_s << u"Unknown symbol 'unknown_delay'"_s;
  QTest::newRow("included object")
      << u"SimplerSerial.spin2"_s << u"syntax error, unexpected end of line"_s;
}

void TestBuildScriptOutput::buildScriptOutputIsRead() {
#if defined(Q_OS_WIN)
  QSKIP("build.bat runs in a console of its own");
#endif
  KYV_SKIP_WITHOUT_FLEXSPIN();
  QFETCH(QString, broken);
  QFETCH(QString, errorText);
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  doc.SetTitle(u"Project.KYV"_s);
  doc.m_sFlexSpinPath = QFileInfo(FlexSpinExecutable()).absolutePath();
  QTemporaryDir out;
  const QString folder = out.filePath(u"my project"_s);
  QVERIFY(QDir().mkpath(folder));
  QVERIFY(GenerateFiles(doc, {folder, QString()}).m_bCompleted);

  const QString brokenPath = QDir(folder).filePath(broken);
  int brokenLine = 0;
  if (broken == u"Project.spin2"_s)
    brokenLine = InsertAfter(brokenPath, "  Setup()  'Do any required initialization\r\n",
                             "  unknown_delay := 1\r\n");
  else if (!broken.isEmpty())
    brokenLine = Append(brokenPath, "PRI broken() : r\n  r := (1 +\n");
  QVERIFY(broken.isEmpty() || brokenLine > 0);

  const CBuildRun run = RunBuildScript(folder);
  std::optional<CCompilerMessage> firstError;
  std::optional<qint64> size;
  for (const QString& line : run.m_lines) {
    const std::optional<CCompilerMessage> message = ParseCompilerMessage(line);
    if (message && message->m_severity == CompilerSeverity::Error && !firstError)
      firstError = message;
    if (const std::optional<qint64> reported = ParseProgramSize(line)) size = reported;
  }
  const QString output = run.m_lines.join(u'\n');
  if (broken.isEmpty()) {
    QVERIFY2(run.m_nExitCode == 0 && !firstError, qPrintable(output));
    QVERIFY2(size && *size > 0 && *size < kHubRamBytes, qPrintable(output));
    return;
  }
  QVERIFY2(run.m_nExitCode != 0 && firstError && !size, qPrintable(output));
  QCOMPARE(QFileInfo(QDir(folder).absoluteFilePath(firstError->m_sFile)).canonicalFilePath(),
           QFileInfo(brokenPath).canonicalFilePath());
  QCOMPARE(firstError->m_nLine, brokenLine);
  QCOMPARE(firstError->m_sText, errorText);
}

QTEST_GUILESS_MAIN(TestBuildScriptOutput)
#include "tst_buildscriptoutput.moc"
