#include "SampleProject.h"
#include "TestPlatform.h"
#include "cli/CliContext.h"
#include "model/KyvFile.h"
#include "model/ProjectJson.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestCli : public QObject {
  Q_OBJECT

private slots:
  void init();
  void newMakesTheFileNewMakes();
  void infoPrintsListWarningsAndPins();
  void exportImportRoundTrip();
  void errors_data();
  void errors();

private:
  struct CRun {
    int m_nExit;
    QString m_sOut;
    QString m_sErr;
  };
  // Runs kyv-cli in-process; "%d" in an argument stands for the temporary folder.
  CRun Run(QStringList args) {
    for (QString& arg : args) arg.replace(QStringLiteral("%d"), m_dir->path());
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CCliContext context(outStream, errStream, m_settings);
    const int status = RunCli(args, context);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
  }
  QString Path(const QString& name) const { return m_dir->filePath(name); }
  QByteArray ReadFile(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void WriteFile(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  // A saved project with objects of every kind; one has a rejected OK and a pin a note.
  void WriteSampleProject(const QString& name) {
    CTestPlatform test;
    CKyvDoc doc(test.Services());
    doc.OnNewDocument();
    AddSampleObjects(doc, 16);
    QString error;
    QVERIFY2(SaveKyvFile(doc, Path(name), &error), qPrintable(error));
  }

  CMemorySettings m_settings;
  std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCli::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  m_settings.m_strings.clear();
}

void TestCli::newMakesTheFileNewMakes() {
  m_settings.m_strings[QStringLiteral("LibraryPath")] =
      QStringLiteral("/usr/share/flexprop/include");
  const CRun run = Run({QStringLiteral("new"), QStringLiteral("%d/Demo.KYV")});
  QCOMPARE(run.m_nExit, 0);
  QCOMPARE(run.m_sErr, QString());
  CTestPlatform test;
  test.m_settings.m_strings = m_settings.m_strings;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  QCOMPARE(ReadFile(QStringLiteral("Demo.KYV")), KyvFileBytes(doc));
}

void TestCli::infoPrintsListWarningsAndPins() {
  WriteFile(QStringLiteral("p.json"), R"({
    "pins": {"5": {"notes": "spare"}, "48": {"used": true, "usedBy": "SimpleVGA1", "usedFor": "HSync"},
             "62": {"used": true, "usedBy": "Serial", "usedFor": "TX", "notes": "stdio"}},
    "objects": [{"type": 0, "name": "SimpleVGA1", "valid": true},
                {"type": 14, "name": "Tiled1", "valid": false},
                {"type": 42, "name": "Odd", "valid": true}]})");
  QCOMPARE(Run({QStringLiteral("import"), QStringLiteral("%d/p.json"), QStringLiteral("%d/P.KYV")})
               .m_nExit,
           0);
  const CRun run = Run({QStringLiteral("info"), QStringLiteral("%d/P.KYV")});
  QCOMPARE(run.m_nExit, 0);
  QCOMPARE(run.m_sOut, QStringLiteral("Project: P.KYV\n"
                                      "Clock: 160_000_000\n"
                                      "Objects:\n"
                                      "  SimpleVGA1 - Simple VGA\n"
                                      "  Tiled1 - Tiled 1080p\n"
                                      "  Odd - Unknown Type\n"
                                      "Warnings:\n"
                                      "  Invalid pin assignment in: Tiled1 - Tiled 1080p\n"
                                      "Pins:\n"
                                      "   5  free      spare\n"
                                      "  48  used  SimpleVGA1  HSync  \n"
                                      "  62  used  Serial  TX  stdio\n"));
}

void TestCli::exportImportRoundTrip() {
  WriteSampleProject(QStringLiteral("S.KYV"));
  const CRun toStdout = Run({QStringLiteral("export"), QStringLiteral("%d/S.KYV")});
  QCOMPARE(toStdout.m_nExit, 0);
  QCOMPARE(toStdout.m_sErr, QString());
  QCOMPARE(Run({QStringLiteral("export"), QStringLiteral("-o"), QStringLiteral("%d/S.json"),
                QStringLiteral("%d/S.KYV")})
               .m_nExit,
           0);
  QCOMPARE(QString::fromUtf8(ReadFile(QStringLiteral("S.json"))), toStdout.m_sOut);
  QVERIFY(toStdout.m_sOut.contains(QStringLiteral("\"kind\": \"USB Keyboard and/or Mouse\"")));

  const CRun import =
      Run({QStringLiteral("import"), QStringLiteral("%d/S.json"), QStringLiteral("%d/T.KYV")});
  QCOMPARE(import.m_nExit, 0);
  QCOMPARE(import.m_sErr, QString());
  QCOMPARE(ReadFile(QStringLiteral("T.KYV")), ReadFile(QStringLiteral("S.KYV")));
}

void TestCli::errors_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<int>("exit");
  QTest::addColumn<QString>("err");  // the first line of stderr

  const QString kyv = QStringLiteral("%d/Good.KYV");
  QTest::newRow("no arguments") << QStringList{} << 2
                                << QStringLiteral("Usage: kyv-cli COMMAND [ARGUMENTS]");
  QTest::newRow("unknown command")
      << QStringList{QStringLiteral("frob")} << 2
      << QStringLiteral("kyv-cli: unknown command \"frob\"; see kyv-cli --help");
  QTest::newRow("new without file") << QStringList{QStringLiteral("new")} << 2
                                    << QStringLiteral("kyv-cli: expected one FILE.KYV");
  QTest::newRow("new in a missing folder")
      << QStringList{QStringLiteral("new"), QStringLiteral("%d/no/X.KYV")} << 1
      << QStringLiteral("Cannot save %d/no/X.KYV: No such file or directory.");
  QTest::newRow("info on a missing file")
      << QStringList{QStringLiteral("info"), QStringLiteral("%d/None.KYV")} << 1
      << QStringLiteral("Cannot open %d/None.KYV: No such file or directory.");
  QTest::newRow("info on a bad file")
      << QStringList{QStringLiteral("info"), QStringLiteral("%d/p.json")} << 1
      << QStringLiteral("Unexpected file format.");
  QTest::newRow("export without file") << QStringList{QStringLiteral("export")} << 2
                                       << QStringLiteral("kyv-cli: expected one FILE.KYV");
  QTest::newRow("export two files") << QStringList{QStringLiteral("export"), kyv, kyv} << 2
                                    << QStringLiteral("kyv-cli: expected one FILE.KYV");
  QTest::newRow("export -o without name")
      << QStringList{QStringLiteral("export"), kyv, QStringLiteral("-o")} << 2
      << QStringLiteral("kyv-cli: -o needs a file name");
  QTest::newRow("export unknown option")
      << QStringList{QStringLiteral("export"), kyv, QStringLiteral("-x")} << 2
      << QStringLiteral("kyv-cli: unknown option \"-x\"");
  QTest::newRow("export a bad file")
      << QStringList{QStringLiteral("export"), QStringLiteral("%d/p.json")} << 1
      << QStringLiteral("Unexpected file format.");
  QTest::newRow("export into a missing folder")
      << QStringList{QStringLiteral("export"), kyv, QStringLiteral("-o"),
                     QStringLiteral("%d/no/x.json")}
      << 1 << QStringLiteral("Cannot write %d/no/x.json: No such file or directory.");
  QTest::newRow("import one file")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/p.json")} << 2
      << QStringLiteral("kyv-cli: expected IN.json and FILE.KYV");
  QTest::newRow("import a missing file")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/none.json"),
                     QStringLiteral("%d/New.KYV")}
      << 1 << QStringLiteral("Cannot open %d/none.json: No such file or directory.");
  QTest::newRow("import bad JSON")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/p.json"),
                     QStringLiteral("%d/New.KYV")}
      << 1 << QStringLiteral("%d/p.json: Not valid JSON at line 1, column 2: illegal value.");
  QTest::newRow("import a bad key over an existing file")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/key.json"), kyv} << 1
      << QStringLiteral("%d/key.json: objects[0].nParam.64: index out of range 0..63");
}

void TestCli::errors() {
  QFETCH(QStringList, args);
  QFETCH(int, exit);
  QFETCH(QString, err);
  QVERIFY(Run({QStringLiteral("new"), QStringLiteral("%d/Good.KYV")}).m_nExit == 0);
  const QByteArray good = ReadFile(QStringLiteral("Good.KYV"));
  WriteFile(QStringLiteral("p.json"), "not json");
  WriteFile(QStringLiteral("key.json"), R"({"objects": [{"nParam": {"64": 1}}]})");

  const CRun run = Run(args);
  QCOMPARE(run.m_nExit, exit);
  QCOMPARE(run.m_sErr.section(u'\n', 0, 0),
           QString(err).replace(QStringLiteral("%d"), m_dir->path()));
  QCOMPARE(run.m_sOut, QString());
  // A failed command writes nothing.
  QVERIFY(!QFile::exists(Path(QStringLiteral("New.KYV"))));
  QCOMPARE(ReadFile(QStringLiteral("Good.KYV")), good);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
