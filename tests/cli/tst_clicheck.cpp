#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include "CliRun.h"
#include "TestPlatform.h"
#include "cli/CliContext.h"

using namespace Qt::Literals::StringLiterals;

// kyv-cli check on projects made with kyv-cli itself: exit codes, lines and JSON.
class TestCliCheck : public QObject {
  Q_OBJECT

 private slots:
  void init() { m_dir = std::make_unique<QTemporaryDir>(); }

  void check_data() {
    QTest::addColumn<QStringList>("adds");  // "add" arguments after the file, ';'-separated
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("codes");  // findings expected among the JSON's, in order
    QTest::newRow("new project") << QStringList{} << 0 << QStringList{};
    QTest::newRow("VGA and servo")
        << QStringList{u"vga;--set;basepin=0"_s, u"servo"_s} << 0 << QStringList{};
    QTest::newRow("VGA and HDMI") << QStringList{u"vga;--set;basepin=0"_s,
                                                 u"hdmi;--set;basepin=8"_s}
                                  << 1
                                  << QStringList{u"hub-ram-exceeded"_s,
                                                 u"clock-below-driver-minimum"_s};
    QTest::newRow("camera at 160 MHz")
        << QStringList{u"i2c"_s, u"qvga;--set;basepin=0"_s, u"camera"_s} << 1
        << QStringList{u"clock-below-driver-minimum"_s};
    QTest::newRow("Tiled 1080p") << QStringList{u"tiled1080p"_s} << 0
                                 << QStringList{u"driver-not-bundled"_s};
  }
  void check() {
    QFETCH(QStringList, adds);
    QFETCH(int, exitCode);
    QFETCH(QStringList, codes);
    const QString project = m_dir->filePath(u"Checked.KYV"_s);
    QCOMPARE(Run({u"new"_s, project}).m_nExit, 0);
    for (const QString& add : adds) {
      const CRun added = Run(QStringList{u"add"_s, project} + add.split(u';'));
      QVERIFY2(added.m_nExit == 0, qPrintable(added.m_sErr));
    }

    const CRun json = Run({u"check"_s, project, u"--json"_s});
    QCOMPARE(json.m_nExit, exitCode);
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(json.m_sOut.toUtf8(), &parseError);
    QVERIFY2(parseError.error == QJsonParseError::NoError, qPrintable(json.m_sOut));
    QStringList found;
    bool anyError = false;
    for (const QJsonValue& value : parsed.object()[u"findings"_s].toArray()) {
      const QJsonObject finding = value.toObject();
      const QString severity = finding[u"severity"_s].toString();
      QVERIFY(QStringList({u"error"_s, u"warning"_s, u"note"_s}).contains(severity));
      anyError = anyError || severity == u"error"_s;
      QVERIFY(finding[u"objects"_s].isArray());
      QVERIFY(finding[u"pins"_s].isArray());
      QVERIFY(!finding[u"text"_s].toString().isEmpty());
      found.append(finding[u"code"_s].toString());
    }
    QCOMPARE(anyError, exitCode == 1);
    for (const QString& code : codes) QVERIFY2(found.contains(code), qPrintable(found.join(u' ')));

    // The same findings as lines, each starting with its severity.
    const CRun lines = Run({u"check"_s, project});
    QCOMPARE(lines.m_nExit, exitCode);
    const QStringList printed = lines.m_sOut.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(printed.size(), found.size());
    for (const QString& line : printed)
      QVERIFY2(QRegularExpression(u"^(error|warning|note): .+ \\[[a-z0-9-]+\\]$"_s)
                   .match(line)
                   .hasMatch(),
               qPrintable(line));
  }

  void usage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no file") << QStringList{u"check"_s} << 2;
    QTest::newRow("two files") << QStringList{u"check"_s, u"a.KYV"_s, u"b.KYV"_s} << 2;
    QTest::newRow("unknown option") << QStringList{u"check"_s, u"a.KYV"_s, u"--fix"_s} << 2;
    QTest::newRow("missing file") << QStringList{u"check"_s, u"%d/none.KYV"_s} << 1;
  }
  void usage() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    for (QString& arg : args) arg.replace(u"%d"_s, m_dir->path());
    const CRun run = Run(args);
    QCOMPARE(run.m_nExit, exitCode);
    QVERIFY(run.m_sOut.isEmpty());
    QVERIFY(!run.m_sErr.isEmpty());
  }

 private:
  using CRun = CCliRun;
  CRun Run(const QStringList& args) { return RunKyvCli(args, m_settings); }

  CMemorySettings m_settings;
  std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestCliCheck)
#include "tst_clicheck.moc"
