#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "FlexSpin.h"
#include "TestPlatform.h"
#include "codegen/GenerateFiles.h"
#include "editors/ProjectChecks.h"
#include "model/KyvFile.h"

using namespace Qt::Literals::StringLiterals;

// The example projects in examples/: the committed files are exactly what make_examples.sh
// makes with kyv-cli, and each one loads, checks without an error, generates and builds clean
// with FlexSpin -Wall.
class TestExamples : public QObject {
  Q_OBJECT

 private slots:
  void committedFilesAreWhatTheScriptMakes();
  void exampleBuildsClean_data();
  void exampleBuildsClean();
};

namespace {

const QString kExamples = QStringLiteral(KYV_EXAMPLES_DIR);

// The example folders in the source tree, each holding <Name>.KYV.
QStringList ExampleNames() {
  return QDir(kExamples).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

void TestExamples::committedFilesAreWhatTheScriptMakes() {
  QTemporaryDir out;
  QVERIFY(out.isValid());
  QProcess script;
  script.setProcessChannelMode(QProcess::MergedChannels);
  script.start(u"bash"_s,
               {kExamples + u"/make_examples.sh"_s, QStringLiteral(KYV_CLI_PROGRAM), out.path()});
  QVERIFY2(script.waitForFinished(120000), "make_examples.sh did not finish");
  QVERIFY2(script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0,
           script.readAll().constData());

  const QStringList made =
      QDir(out.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  QCOMPARE(made, ExampleNames());
  QCOMPARE(made, QStringList({u"Display"_s, u"Hello"_s, u"Logger"_s, u"Robot"_s, u"Sound"_s}));
  for (const QString& name : made) {
    const QString file = name + u'/' + name + u".KYV"_s;
    const QByteArray committed = ReadAll(kExamples + u'/' + file);
    QVERIFY2(!committed.isEmpty(), qPrintable(file + u" is missing from examples/"_s));
    QVERIFY2(ReadAll(out.filePath(file)) == committed,
             qPrintable(file + u" differs from what make_examples.sh makes: run "_s
                               u"examples/make_examples.sh build/src/cli/kyv-cli"_s));
  }
}

void TestExamples::exampleBuildsClean_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("sdDriver");
  for (const QString& name : ExampleNames()) QTest::newRow(qPrintable(name)) << name << 0;
  // The SD card's driver is chosen at generation: the logger builds with either.
  QTest::newRow("Logger with FAT32") << u"Logger"_s << 1;
}

void TestExamples::exampleBuildsClean() {
  QFETCH(QString, name);
  QFETCH(int, sdDriver);
  CTestPlatform test;
  QString error;
  const QString path = kExamples + u'/' + name + u'/' + name + u".KYV"_s;
  std::unique_ptr<CKyvDoc> doc = LoadKyvFile(path, test.Services(), &error);
  QVERIFY2(doc, qPrintable(error));
  QVERIFY2(!doc->m_ObjectList.empty() || name == u"Hello"_s, "an example without objects");

  QStringList errors;
  for (const CFinding& finding : CheckProject(*doc))
    if (finding.m_nSeverity == FindingSeverity::Error) errors.append(finding.m_sText);
  QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));

  doc->m_nSdDriver = sdDriver;
  QTemporaryDir out;
  QVERIFY(out.isValid());
  const CGenerateResult result = GenerateFiles(*doc, {out.path(), QString()});
  QVERIFY2(result.m_bCompleted, qPrintable(test.m_messages.Texts().join(u'\n')));
  QVERIFY2(result.m_unbundledFiles.isEmpty(), qPrintable(result.m_unbundledFiles.join(u' ')));

  KYV_SKIP_WITHOUT_FLEXSPIN();
  const CFlexSpinRun run = RunFlexSpin(out.filePath(name + u".spin2"_s), {u"-Wall"_s});
  QVERIFY2(run.IsClean(), qPrintable(u"exit code %1\n"_s.arg(run.m_nExitCode) + run.m_sOutput));
  QVERIFY(QFileInfo(out.filePath(name + u".binary"_s)).size() > 0);
}

QTEST_GUILESS_MAIN(TestExamples)
#include "tst_examples.moc"
