#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "CliRun.h"
#include "TestPlatform.h"
#include "cli/CliContext.h"
#include "model/KyvFile.h"
#include "model/ProjectJson.h"

// kyv-cli report: the golden reports of a saved project, on stdout and into a file, and the
// errors of the command line.
class TestCmdReport : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void writesTheGoldenReports_data();
  void writesTheGoldenReports();
  void errors_data();
  void errors();

 private:
  using CRun = CCliRun;
  // Runs kyv-cli in-process; "%d" in an argument stands for the temporary folder.
  CRun Run(QStringList args) {
    for (QString& arg : args) arg.replace(QStringLiteral("%d"), m_dir->path());
    return RunKyvCli(args, m_test.m_settings);
  }
  static QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  CTestPlatform m_test;
  std::unique_ptr<QTemporaryDir> m_dir;
};

// Every test starts with the report fixture saved as Demo.KYV.
void TestCmdReport::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  QString error;
  const auto doc = ProjectFromJson(ReadFile(QStringLiteral(KYV_TEST_DATA_DIR "/report/demo.json")),
                                   m_test.Services(), &error);
  QVERIFY2(doc, qPrintable(error));
  QVERIFY2(SaveKyvFile(*doc, m_dir->filePath(QStringLiteral("Demo.KYV")), &error),
           qPrintable(error));
}

void TestCmdReport::writesTheGoldenReports_data() {
  QTest::addColumn<QString>("format");
  QTest::addColumn<QString>("golden");
  QTest::newRow("csv") << QStringLiteral("--csv") << QStringLiteral("Demo.csv");
  QTest::newRow("html") << QStringLiteral("--html") << QStringLiteral("Demo.html");
}

void TestCmdReport::writesTheGoldenReports() {
  QFETCH(QString, format);
  QFETCH(QString, golden);
  const QByteArray expected = ReadFile(QStringLiteral(KYV_TEST_DATA_DIR "/report/") + golden);
  QVERIFY(!expected.isEmpty());

  const CRun toStdout = Run({QStringLiteral("report"), QStringLiteral("%d/Demo.KYV"), format});
  QCOMPARE(toStdout.m_nExit, 0);
  QCOMPARE(toStdout.m_sErr, QString());
  QCOMPARE(toStdout.m_sOut.toUtf8(), expected);

  // Options in any order; an existing file is replaced.
  const QString out = m_dir->filePath(QStringLiteral("out.txt"));
  QFile old(out);
  QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old text that is longer") > 0);
  old.close();
  const CRun toFile = Run(
      {QStringLiteral("report"), format, QStringLiteral("-o"), out, QStringLiteral("%d/Demo.KYV")});
  QCOMPARE(toFile.m_nExit, 0);
  QCOMPARE(toFile.m_sOut, QString());
  QCOMPARE(toFile.m_sErr, QString());
  QCOMPARE(ReadFile(out), expected);
}

void TestCmdReport::errors_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<int>("exit");
  QTest::addColumn<QString>("err");  // the first line of stderr
  const QString kyv = QStringLiteral("%d/Demo.KYV");
  const QString csv = QStringLiteral("--csv");
  const QString report = QStringLiteral("report");
  QTest::newRow("no file") << QStringList{report, csv} << 2
                           << QStringLiteral("kyv-cli: expected one FILE.KYV");
  QTest::newRow("two files") << QStringList{report, kyv, kyv, csv} << 2
                             << QStringLiteral("kyv-cli: expected one FILE.KYV");
  QTest::newRow("no format") << QStringList{report, kyv} << 2
                             << QStringLiteral("kyv-cli: give --csv or --html");
  QTest::newRow("both formats") << QStringList{report, kyv, csv, QStringLiteral("--html")} << 2
                                << QStringLiteral("kyv-cli: give either --csv or --html");
  QTest::newRow("-o without name") << QStringList{report, kyv, csv, QStringLiteral("-o")} << 2
                                   << QStringLiteral("kyv-cli: -o needs a file name");
  QTest::newRow("unknown option") << QStringList{report, kyv, QStringLiteral("--pdf")} << 2
                                  << QStringLiteral("kyv-cli: unknown option \"--pdf\"");
  QTest::newRow("missing project")
      << QStringList{report, QStringLiteral("%d/None.KYV"), csv} << 1
      << QStringLiteral("Cannot open %d/None.KYV: No such file or directory.");
  QTest::newRow("not a project") << QStringList{report, QStringLiteral("%d/bad.KYV"), csv} << 1
                                 << QStringLiteral("Unexpected file format.");
  QTest::newRow("into a missing folder")
      << QStringList{report, kyv, csv, QStringLiteral("-o"), QStringLiteral("%d/no/pins.csv")} << 1
      << QStringLiteral("Cannot write %d/no/pins.csv: No such file or directory.");
}

void TestCmdReport::errors() {
  QFETCH(QStringList, args);
  QFETCH(int, exit);
  QFETCH(QString, err);
  QFile bad(m_dir->filePath(QStringLiteral("bad.KYV")));
  QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("not a project") > 0);
  bad.close();
  const CRun run = Run(args);
  QCOMPARE(run.m_nExit, exit);
  QCOMPARE(run.m_sErr.section(u'\n', 0, 0),
           QString(err).replace(QStringLiteral("%d"), m_dir->path()));
  QCOMPARE(run.m_sOut, QString());
}

QTEST_APPLESS_MAIN(TestCmdReport)
#include "tst_cmdreport.moc"
