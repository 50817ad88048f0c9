#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "FlexSpin.h"

using namespace Qt::Literals::StringLiterals;

// Each driver's own test program (resources/drivers/tests/<driver>_test.spin2) compiles with
// -Wall, without an error or a warning, at every optimisation level and as bytecode, beside
// nothing but the bundled driver files, as a generated project would hold them.
class TestDriverTestPrograms : public QObject {
  Q_OBJECT

 private slots:
  void compilesCleanly_data();
  void compilesCleanly();
};

void TestDriverTestPrograms::compilesCleanly_data() {
  QTest::addColumn<QString>("program");
  QTest::addColumn<QString>("option");
  const QDir tests(QStringLiteral(KYV_DRIVERS_DIR "/tests"));
  const QStringList programs = tests.entryList({u"*_test.spin2"_s}, QDir::Files, QDir::Name);
  for (const QString& program : programs)
    for (const QString& option : {u"-O0"_s, u"-O1"_s, u"-O2"_s, u"-2nu"_s})
      QTest::addRow("%s %s", qPrintable(program), qPrintable(option)) << program << option;
}

void TestDriverTestPrograms::compilesCleanly() {
  QFETCH(QString, program);
  QFETCH(QString, option);
  KYV_SKIP_WITHOUT_FLEXSPIN();
  QTemporaryDir work;
  QVERIFY(work.isValid());
  const QDir drivers(QStringLiteral(KYV_DRIVERS_DIR));
  for (const QString& file : drivers.entryList(QDir::Files))
    QVERIFY(QFile::copy(drivers.filePath(file), work.filePath(file)));
  QVERIFY(QFile::copy(drivers.filePath(u"tests/"_s + program), work.filePath(program)));

  const CFlexSpinRun run = RunFlexSpin(work.filePath(program), {u"-Wall"_s, option});
  QVERIFY2(run.m_nExitCode == 0, qPrintable(run.m_sOutput));
  QVERIFY2(run.Warnings().isEmpty(), qPrintable(run.Warnings().join(u'\n')));
}

QTEST_GUILESS_MAIN(TestDriverTestPrograms)
#include "tst_drivertestprograms.moc"
