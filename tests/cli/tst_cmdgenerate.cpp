#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "CliRun.h"
#include "TestPlatform.h"
#include "cli/CliContext.h"
#include "model/KindSlots.h"
#include "model/KyvFile.h"

using namespace Qt::Literals::StringLiterals;

class TestCmdGenerate : public QObject {
  Q_OBJECT

 private slots:
  void generatesIntoTheProjectFolder();
  void outFolderSdDriverAndTime();
  void driverFolderOption();
  void conflictsArePrintedAndOverwriteReplaces();
  void checksComeFirst();
  void foreignProjectLeavesTheToolDefaults();
  void usageErrors_data();
  void usageErrors();
  void userErrors_data();
  void userErrors();

 private:
  // Runs kyv-cli with a settings store of its own; stdout and stderr land in the two texts.
  int Run(const QStringList& args) {
    const CCliRun run = RunKyvCli(args, m_settings);
    m_out = run.m_sOut;
    m_err = run.m_sErr;
    return run.m_nExit;
  }
  // A saved project Demo.KYV with an I2C bus on pins 20 and 21, an RTC on it that sets the time,
  // and the SD card on. An RTC whose last edit was refused is a warning of the checks.
  QString SaveProject(const QString& folder, const QString& clock = u"160_000_000"_s,
                      bool rtcValid = true) {
    CTestPlatform test;
    CKyvDoc doc(test.Services());
    doc.OnNewDocument();
    doc.m_bMountSd = 1;
    doc.m_sClockFreq = clock;
    auto bus = std::make_unique<CCodeObject>();
    bus->m_nType = OBJ_I2C_BUS;
    bus->m_sName = u"I2CBus1"_s;
    bus->m_sBasePin = u"0"_s;
    (*bus)[I2cBusSlots::SclPin] = u"20"_s;
    (*bus)[I2cBusSlots::SdaPin] = u"21"_s;
    (*bus)[I2cBusSlots::SpeedKHz] = u"100"_s;
    bus->m_bValid = true;
    doc.AddObject(std::move(bus));
    for (const int pin : {20, 21}) {
      doc.m_bPinUsed[pin] = true;
      doc.m_sPinUsedBy[pin] = u"I2CBus1"_s;
    }
    auto rtc = std::make_unique<CCodeObject>();
    rtc->m_nType = OBJ_RTC;
    rtc->m_sName = u"RTC1"_s;
    (*rtc)[RtcSlots::Bus] = u"I2CBus1"_s;
    (*rtc)[RtcSlots::RtcType] = u"DS1339"_s;
    (*rtc)[RtcSlots::SetTime] = true;
    rtc->m_bValid = rtcValid;
    doc.AddObject(std::move(rtc));
    const QString path = QDir(folder).filePath(u"Demo.KYV"_s);
    QString error;
    if (!SaveKyvFile(doc, path, &error)) qFatal("%s", qPrintable(error));
    return path;
  }
  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  CMemorySettings m_settings;
  QString m_out;
  QString m_err;
};

void TestCmdGenerate::generatesIntoTheProjectFolder() {
  QTemporaryDir dir;
  const QString project = SaveProject(dir.path());
  QCOMPARE(Run({u"generate"_s, project}), 0);
  const QString main = QDir::toNativeSeparators(dir.filePath(u"Demo.spin2"_s));
  QVERIFY(m_out.split(u'\n').contains(main));
  QVERIFY(m_err.startsWith(u"Project files created in "_s + QDir::toNativeSeparators(dir.path()) +
                           u".\n"_s));
  QVERIFY(ReadAll(main).contains("  sd:  \"fsrw\""));
  QVERIFY(QFile::exists(dir.filePath(u"build.bat"_s)));
}

// A project from someone else, imported and generated, must not choose the tools of the user's
// later projects; only --remember-tools makes its values the defaults.
void TestCmdGenerate::foreignProjectLeavesTheToolDefaults() {
  QTemporaryDir dir;
  {
    QFile json(dir.filePath(u"foreign.json"_s));
    QVERIFY(json.open(QIODevice::WriteOnly));
    json.write(
        R"({"flexSpinPath": "/opt/evil/bin", "flexOptions": "-DX", "loadP2Path": "/opt/evil"})");
  }
  m_settings.m_strings[u"FlexSpinPath"_s] = u"/usr/local/bin"_s;
  const QMap<QString, QString> before = m_settings.m_strings;
  const QString project = dir.filePath(u"F.KYV"_s);
  QCOMPARE(Run({u"import"_s, dir.filePath(u"foreign.json"_s), project}), 0);
  QCOMPARE(Run({u"generate"_s, project}), 0);
  QCOMPARE(m_settings.m_strings, before);

  // A new project still takes the user's own tools.
  const QString fresh = dir.filePath(u"Mine.KYV"_s);
  QCOMPARE(Run({u"new"_s, fresh}), 0);
  QCOMPARE(Run({u"generate"_s, fresh}), 0);
  QVERIFY(ReadAll(dir.filePath(u"build.sh"_s)).contains("/usr/local/bin/flexspin"));
  QVERIFY(!ReadAll(dir.filePath(u"build.sh"_s)).contains("/opt/evil"));

  QCOMPARE(Run({u"generate"_s, project, u"--remember-tools"_s}), 0);
  QCOMPARE(m_settings.m_strings.value(u"FlexSpinPath"_s), u"/opt/evil/bin"_s);
  QCOMPARE(m_settings.m_strings.value(u"FlexOptions"_s), u"-DX"_s);
  QCOMPARE(m_settings.m_strings.value(u"LoadP2Path"_s), u"/opt/evil"_s);
}

void TestCmdGenerate::outFolderSdDriverAndTime() {
  QTemporaryDir dir;
  const QString project = SaveProject(dir.path());
  const QString out = dir.filePath(u"out/nested"_s);
  QCOMPARE(Run({u"generate"_s, project, u"--out"_s, out, u"--sd-driver"_s, u"fat32"_s, u"--time"_s,
                u"2024-03-03T14:05:09"_s}),
           0);
  QVERIFY(!QFile::exists(dir.filePath(u"Demo.spin2"_s)));
  const QByteArray main = ReadAll(QDir(out).filePath(u"Demo.spin2"_s));
  QVERIFY(main.contains("  sd:  \"FAT32\""));
  QVERIFY(main.contains("  RTC1.SetTime(2024, 3, 3, 1, 14, 5, 9)  'year, month, date,"));
  QVERIFY(QFile::exists(QDir(out).filePath(u"FAT32.spin2"_s)));

  // The same command again gives the same main file.
  QCOMPARE(Run({u"generate"_s, project, u"--out"_s, out, u"--sd-driver"_s, u"fat32"_s, u"--time"_s,
                u"2024-03-03T14:05:09"_s}),
           0);
  QCOMPARE(ReadAll(QDir(out).filePath(u"Demo.spin2"_s)), main);
}

void TestCmdGenerate::driverFolderOption() {
  QTemporaryDir dir, drivers;
  const QString project = SaveProject(dir.path());
  QFile mine(drivers.filePath(u"SimplerSerial.spin2"_s));
  QVERIFY(mine.open(QIODevice::WriteOnly));
  mine.write("PUB start(baud)\r\n");
  mine.close();
  QCOMPARE(Run({u"generate"_s, project, u"--driver-folder"_s, drivers.path()}), 0);
  QCOMPARE(ReadAll(dir.filePath(u"SimplerSerial.spin2"_s)), QByteArray("PUB start(baud)\r\n"));
}

// The user's change to the clock line meets a new clock: exit status 3, the conflict's line on
// stderr and both versions in the file; --overwrite then writes the new text alone.
void TestCmdGenerate::conflictsArePrintedAndOverwriteReplaces() {
  QTemporaryDir dir;
  const QString project = SaveProject(dir.path());
  const QStringList generate = {u"generate"_s, project, u"--time"_s, u"2024-03-03T14:05:09"_s};
  QCOMPARE(Run(generate), 0);
  const QString main = dir.filePath(u"Demo.spin2"_s);
  QByteArray edited = ReadAll(main);
  edited.replace("  _clkfreq = 160_000_000\r\n", "  _clkfreq = 180_000_000\r\n");
  QFile file(main);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(edited);
  file.close();

  SaveProject(dir.path(), u"200_000_000"_s);
  QCOMPARE(Run(generate), 3);
  QVERIFY2(m_err.contains(u"\nYour changes to Demo.spin2 were merged into the new code with 1 "
                          u"conflict, at line 6. "_s),
           qPrintable(m_err));
  QVERIFY(m_out.split(u'\n').contains(QDir::toNativeSeparators(main)));
  QVERIFY(
      ReadAll(main).contains("CON 'P2 clock setting\r\n<<<<<<< your version\r\n"
                             "  _clkfreq = 180_000_000\r\n=======\r\n"
                             "  _clkfreq = 200_000_000\r\n>>>>>>> new version\r\n"));

  QCOMPARE(Run(generate + QStringList{u"--overwrite"_s}), 0);
  QVERIFY2(!m_err.contains(u"merge"_s), qPrintable(m_err));
  const QByteArray overwritten = ReadAll(main);
  QVERIFY(overwritten.contains("CON 'P2 clock setting\r\n  _clkfreq = 200_000_000\r\n\r\n"));
  QVERIFY(!overwritten.contains("<<<<<<<"));
}

// The project checks run first: errors stop the generation unless --force, and warnings are
// printed either way.
void TestCmdGenerate::checksComeFirst() {
  QTemporaryDir dir;
  const QString project = SaveProject(dir.path(), u"0"_s, false);
  const QString clockError = u"error: The P2 clock of 0 MHz is outside what the P2's PLL makes"_s;
  const QString warning = u"warning: RTC1's pins were marked invalid"_s;
  QCOMPARE(Run({u"generate"_s, project}), 1);
  QVERIFY2(m_err.contains(clockError) && m_err.contains(warning), qPrintable(m_err));
  QVERIFY2(
      m_err.contains(u"kyv-cli: nothing written: the project checks found errors. Correct "
                     u"them (kyv-cli check %1), or generate anyway with --force.\n"_s.arg(project)),
      qPrintable(m_err));
  QCOMPARE(m_out, QString());
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"Demo.KYV"_s});

  QCOMPARE(Run({u"generate"_s, project, u"--force"_s}), 0);
  QVERIFY2(m_err.contains(clockError) && m_err.contains(warning), qPrintable(m_err));
  QVERIFY(ReadAll(dir.filePath(u"Demo.spin2"_s)).contains("  _clkfreq = 0\r\n"));
  QVERIFY(QFile::exists(dir.filePath(u"build.sh"_s)));

  // Warnings alone do not stop it.
  SaveProject(dir.path(), u"160_000_000"_s, false);
  QCOMPARE(Run({u"generate"_s, project}), 0);
  QVERIFY2(m_err.startsWith(warning), qPrintable(m_err));
}

void TestCmdGenerate::usageErrors_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<QString>("message");
  QTest::newRow("no file") << QStringList{u"generate"_s} << u"kyv-cli: expected one FILE.KYV"_s;
  QTest::newRow("two files") << QStringList{u"generate"_s, u"a.KYV"_s, u"b.KYV"_s}
                             << u"kyv-cli: expected one FILE.KYV"_s;
  QTest::newRow("unknown option") << QStringList{u"generate"_s, u"a.KYV"_s, u"--fast"_s}
                                  << u"kyv-cli: unknown option --fast"_s;
  QTest::newRow("option without value")
      << QStringList{u"generate"_s, u"a.KYV"_s, u"--out"_s} << u"kyv-cli: --out needs a value"_s;
  QTest::newRow("bad SD driver") << QStringList{u"generate"_s, u"a.KYV"_s, u"--sd-driver"_s,
                                                u"FAT16"_s}
                                 << u"kyv-cli: --sd-driver takes fsrw or fat32"_s;
  QTest::newRow("bad time")
      << QStringList{u"generate"_s, u"a.KYV"_s, u"--time"_s, u"2024-02-30T10:00:00"_s}
      << u"kyv-cli: --time takes YYYY-MM-DDTHH:MM:SS, not 2024-02-30T10:00:00"_s;
}

void TestCmdGenerate::usageErrors() {
  QFETCH(QStringList, args);
  QFETCH(QString, message);
  QCOMPARE(Run(args), 2);
  QVERIFY2(m_err.startsWith(message + u"\nusage: kyv-cli generate FILE.KYV"_s), qPrintable(m_err));
}

void TestCmdGenerate::userErrors_data() {
  QTest::addColumn<QString>("blocked");  // a folder in the way of this file
  QTest::addColumn<QString>("message");
  QTest::newRow("missing project") << QString() << u"kyv-cli: the driver folder"_s;
  QTest::newRow("build.bat not creatable") << u"build.bat"_s << u"Error:  Can't create "_s;
  QTest::newRow("main file not creatable") << u"Demo.spin2"_s << u"Error:  Can't create "_s;
}

void TestCmdGenerate::userErrors() {
  QFETCH(QString, blocked);
  QFETCH(QString, message);
  QTemporaryDir dir;
  const QString project = SaveProject(dir.path());
  if (blocked.isEmpty()) {
    QCOMPARE(Run({u"generate"_s, dir.filePath(u"Other.KYV"_s)}), 1);
    QVERIFY(!m_err.isEmpty());
    QCOMPARE(Run({u"generate"_s, project, u"--driver-folder"_s, dir.filePath(u"none"_s)}), 1);
  } else {
    QVERIFY(QDir(dir.path()).mkdir(blocked));
    QFile backup(dir.filePath(blocked + u".bak"_s));  // keeps the folder from being renamed away
    QVERIFY(backup.open(QIODevice::WriteOnly));
    backup.close();
    QCOMPARE(Run({u"generate"_s, project}), 1);
  }
  QVERIFY2(m_err.startsWith(message), qPrintable(m_err));
}

QTEST_GUILESS_MAIN(TestCmdGenerate)
#include "tst_cmdgenerate.moc"
