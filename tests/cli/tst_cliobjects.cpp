#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "CliRun.h"
#include "TestPlatform.h"
#include "cli/CliContext.h"

class TestCliObjects : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void typicalProject();
  void refusalsLeaveTheFileAsItWas_data();
  void refusalsLeaveTheFileAsItWas();
  void editAndDelete();
  void kindHelpListsKeysWithDefaults();

 private:
  using CRun = CCliRun;
  CRun Run(const QStringList& args);
  QByteArray Bytes() const;

  QTemporaryDir m_dir;
  QString m_sFile;
  CMemorySettings m_settings;
};

void TestCliObjects::init() {
  m_sFile = m_dir.filePath(QStringLiteral("Demo.KYV"));
  QFile::remove(m_sFile);
  QCOMPARE(Run({QStringLiteral("new"), m_sFile}).m_nExit, 0);
}

TestCliObjects::CRun TestCliObjects::Run(const QStringList& args) {
  return RunKyvCli(args, m_settings);
}

QByteArray TestCliObjects::Bytes() const {
  QFile file(m_sFile);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

static QString PinLine(int pin, const QString& holder, const QString& role,
                       const QString& note = {}) {
  return QStringLiteral("  %1  used  %2  %3  %4\n").arg(pin, 2).arg(holder, role, note);
}

void TestCliObjects::typicalProject() {
  const QString add = QStringLiteral("add");
  QCOMPARE(Run({add, m_sFile, QStringLiteral("vga")}).m_nExit, 0);
  QCOMPARE(Run({add, m_sFile, QStringLiteral("i2c")}).m_nExit, 0);
  QCOMPARE(Run({add, m_sFile, QStringLiteral("Simple QVGA 16bpp"), QStringLiteral("--set"),
                QStringLiteral("basepin=40")})
               .m_nExit,
           0);
  const CRun camera = Run({add, m_sFile, QStringLiteral("camera")});
  QCOMPARE(camera.m_nExit, 0);
  QCOMPARE(camera.m_sErr,
           QStringLiteral("P2 Clock Needs Changing!: Note:  P2 Frequency too low for "
                          "Camera Capture, please change to minimum of 260 MHz on the "
                          "P2 & FlexSpin tab.\n"));
  QCOMPARE(Run({add, m_sFile, QStringLiteral("usb")}).m_nExit, 0);
  QCOMPARE(Run({add, m_sFile, QStringLiteral("sound")}).m_nExit, 0);

  const CRun info = Run({QStringLiteral("info"), m_sFile});
  QCOMPARE(info.m_nExit, 0);
  QString expected = QStringLiteral(
      "Project: Demo.KYV\nClock: 160_000_000\nObjects:\n"
      "  SimpleVGA1 - Simple VGA\n  I2CBus1 - I2C Bus and Scanner\n  SimpleQVGA1 - Simple QVGA\n"
      "  Cam1 - DVP Camera\n  UsbKbM1 - USB Keyboard and/or Mouse\n  SimpleSound1 - Simple Sound\n"
      "Warnings:\nPins:\n");
  const QStringList usb = {QStringLiteral("Upper Activity"), QStringLiteral("Upper Enable"),
                           QStringLiteral("Upper Data-"),    QStringLiteral("Upper Data+"),
                           QStringLiteral("Lower Activity"), QStringLiteral("Lower Enable"),
                           QStringLiteral("Lower Data-"),    QStringLiteral("Lower Data+")};
  for (int i = 0; i < 8; ++i)
    expected += PinLine(8 + i, QStringLiteral("UsbKbM1"), QStringLiteral("Parallax USB ") + usb[i]);
  for (int i = 0; i < 8; ++i)
    expected += PinLine(16 + i, QStringLiteral("Cam1"), QStringLiteral("DVP Bus"));
  const QStringList camRoles = {QStringLiteral("DVP I2C SDA"),
                                QStringLiteral("DVP I2C SCL"),
                                QStringLiteral("DVP Power Down"),
                                QStringLiteral("DVP HREF"),
                                QStringLiteral("DVP VSYNC"),
                                QStringLiteral("DVP Reset"),
                                QStringLiteral("DVP Pixel Clock (P2 Input)"),
                                QStringLiteral("DVP XClock (P2 Output)")};
  for (int i = 0; i < 8; ++i) expected += PinLine(24 + i, QStringLiteral("Cam1"), camRoles[i]);
  const QStringList vga = {QStringLiteral("HSync"), QStringLiteral("Blue"), QStringLiteral("Green"),
                           QStringLiteral("Red"), QStringLiteral("VSync")};
  for (int i = 0; i < 5; ++i) expected += PinLine(40 + i, QStringLiteral("SimpleQVGA1"), vga[i]);
  for (int i = 0; i < 5; ++i) expected += PinLine(48 + i, QStringLiteral("SimpleVGA1"), vga[i]);
  // The bus moved onto the camera's pins and gave 56 and 57 up.
  expected += PinLine(54, QStringLiteral("SimpleSound1"), QStringLiteral("Simple Sound Left"));
  expected += PinLine(55, QStringLiteral("SimpleSound1"), QStringLiteral("Simple Sound Right"));
  expected += PinLine(62, QStringLiteral("Serial"), QStringLiteral("TX"),
                      QStringLiteral("Used for Programming the P2 and Standard I/O"));
  expected += PinLine(63, QStringLiteral("Serial"), QStringLiteral("RX"),
                      QStringLiteral("Used for Programming the P2 and stdio"));
  QCOMPARE(info.m_sOut, expected);
  QCOMPARE(info.m_sErr, QString());
}

void TestCliObjects::refusalsLeaveTheFileAsItWas_data() {
  QTest::addColumn<QStringList>("args");  // after "add FILE" or "edit FILE"; FILE is put in
  QTest::addColumn<int>("status");
  QTest::addColumn<QString>("err");
  const QString set = QStringLiteral("--set");
  QTest::newRow("pins in use") << QStringList{QStringLiteral("add"), QStringLiteral("qvga"), set,
                                              QStringLiteral("basepin=48")}
                               << 1
                               << QStringLiteral(
                                      "Pins #48, #49, #50, #51 and #52 are already in "
                                      "use by SimpleVGA1. The nearest free block of 5 "
                                      "pins starts at pin 40.\n");
  QTest::newRow("out of range") << QStringList{QStringLiteral("add"), QStringLiteral("hdmi"), set,
                                               QStringLiteral("basepin=57")}
                                << 1
                                << QStringLiteral(
                                       "Pin 57 is out of range, please set to between 0 and 56.\n");
  QTest::newRow("second vga") << QStringList{QStringLiteral("add"), QStringLiteral("vga"), set,
                                             QStringLiteral("basepin=0")}
                              << 1
                              << QStringLiteral(
                                     "This project already holds SimpleVGA1 (Simple VGA).  The "
                                     "generated program can hold only one object of this kind.\n");
  QTest::newRow("rtc without bus")
      << QStringList{QStringLiteral("add"), QStringLiteral("rtc")} << 1
      << QStringLiteral("Error.  No I2C busses found.  Please add I2C Bus object first.\n");
  QTest::newRow("NCO below 1 Hz")
      << QStringList{QStringLiteral("add"), QStringLiteral("nco"), set,
                     QStringLiteral("desiredFrequencyHz=0")}
      << 1 << QStringLiteral("Error:  Desired frequency \"0\" must be at least 1 Hz.\n");
  // Whatever the editor refuses exits non-zero and stores nothing.
  for (const auto& [text, message] : QList<QPair<QString, QString>>{
           {QStringLiteral("1e400"),
            QStringLiteral("Error:  Desired frequency \"1e400\" is not a whole number of hertz.  "
                           "Type digits only, underscores allowed, for example 12_000_000.\n")},
           {QStringLiteral("12 000"),
            QStringLiteral("Error:  Desired frequency \"12 000\" is not a whole number of hertz.  "
                           "Type digits only, underscores allowed, for example 12_000_000.\n")},
           {QStringLiteral("2147483647"),
            QStringLiteral("Error:  Desired frequency (2147483647) cannot be greater than half "
                           "P2 Frequency (80000000)\n")},
           {QStringLiteral("4294967296"),
            QStringLiteral("Error:  Desired frequency (4294967296) cannot be greater than half "
                           "P2 Frequency (80000000)\n")}})
    QTest::addRow("NCO frequency %s", qPrintable(text))
        << QStringList{QStringLiteral("add"), QStringLiteral("nco"), set,
                       QStringLiteral("desiredFrequencyHz=") + text}
        << 1 << message;
  for (const QString& speed :
       {QStringLiteral("1 + pinread(3)"), QStringLiteral("abc"), QStringLiteral("-100"),
        QStringLiteral("0"), QStringLiteral("2147483648")})
    QTest::addRow("I2C speed %s", qPrintable(speed))
        << QStringList{QStringLiteral("add"), QStringLiteral("i2c"), set,
                       QStringLiteral("speedKHz=") + speed}
        << 1
        << QStringLiteral(
               "Speed (kHz) \"%2\" is not a whole number from 1 to 1000. Correct it "
               "and press OK again.\n")
               .arg(speed);
  QTest::newRow("mouse not an integer") << QStringList{QStringLiteral("add"), QStringLiteral("usb"),
                                                       set, QStringLiteral("mouseLimitsX=abc")}
                                        << 1 << QStringLiteral("Enter an integer.\n");
  QTest::newRow("bad name")
      << QStringList{QStringLiteral("add"), QStringLiteral("i2c"), set,
                     QStringLiteral("name=Serial")}
      << 1 << QStringLiteral("The name \"Serial\" is reserved for the serial pins 62 and 63.\n");
  QTest::newRow("unknown key")
      << QStringList{QStringLiteral("add"), QStringLiteral("i2c"), set, QStringLiteral("clock=1")}
      << 2
      << QStringLiteral(
             "kyv-cli: unknown key \"clock\" for I2C Bus Driver and Scanner Settings\n"
             "usage: kyv-cli add FILE.KYV KIND [--set KEY=VALUE]...\n");
  QTest::newRow("bad value")
      << QStringList{QStringLiteral("add"), QStringLiteral("i2c"), set,
                     QStringLiteral("internalPullups=9")}
      << 2
      << QStringLiteral(
             "kyv-cli: Invalid value \"9\" for internalPullups: expected an index "
             "from 0 to 3 or one of: None, 1.5 kOhm, 3.3 kOhm, 15 kOhm.\n"
             "usage: kyv-cli add FILE.KYV KIND [--set KEY=VALUE]...\n");
  QTest::newRow("no KEY=VALUE") << QStringList{QStringLiteral("add"), QStringLiteral("i2c"), set,
                                               QStringLiteral("sclPin")}
                                << 2
                                << QStringLiteral(
                                       "kyv-cli: --set needs KEY=VALUE, not \"sclPin\"\n"
                                       "usage: kyv-cli add FILE.KYV KIND [--set KEY=VALUE]...\n");
  QTest::newRow("unknown kind")
      << QStringList{QStringLiteral("add"), QStringLiteral("lcd")} << 2
      << QStringLiteral(
             "kyv-cli: unknown KIND \"lcd\"; one of vga, qvga, hdmi, tiled1080p, "
             "i2c, rtc, neopixel, nco, sound, servo, digital, filters, dac, adc, "
             "usb, camera\nusage: kyv-cli add FILE.KYV KIND [--set KEY=VALUE]...\n");
  QTest::newRow("edit rejected") << QStringList{QStringLiteral("edit"),
                                                QStringLiteral("SimpleVGA1"), set,
                                                QStringLiteral("basepin=50")}
                                 << 1 << QStringLiteral("Pin 50 is not a multiple of 4.\n");
  QTest::newRow("edit name") << QStringList{QStringLiteral("edit"), QStringLiteral("SimpleVGA1"),
                                            set, QStringLiteral("name=X")}
                             << 2
                             << QStringLiteral(
                                    "kyv-cli: name cannot be changed when editing an object\n"
                                    "usage: kyv-cli edit FILE.KYV NAME [--set KEY=VALUE]...\n");
  QTest::newRow("edit missing") << QStringList{QStringLiteral("edit"), QStringLiteral("SimpleVGA2")}
                                << 1 << QStringLiteral("No object named \"SimpleVGA2\" in %1.\n");
  QTest::newRow("delete missing") << QStringList{QStringLiteral("delete"),
                                                 QStringLiteral("simplevga1")}
                                  << 1 << QStringLiteral("No object named \"simplevga1\" in %1.\n");
}

void TestCliObjects::refusalsLeaveTheFileAsItWas() {
  QFETCH(QStringList, args);
  QFETCH(int, status);
  QFETCH(QString, err);
  QCOMPARE(Run({QStringLiteral("add"), m_sFile, QStringLiteral("vga")}).m_nExit, 0);
  const QByteArray before = Bytes();
  args.insert(1, m_sFile);
  const CRun run = Run(args);
  QCOMPARE(run.m_nExit, status);
  QCOMPARE(run.m_sErr, err.contains(QStringLiteral("%1")) ? err.arg(m_sFile) : err);
  QCOMPARE(Bytes(), before);
}

void TestCliObjects::editAndDelete() {
  QCOMPARE(Run({QStringLiteral("add"), m_sFile, QStringLiteral("i2c")}).m_nExit, 0);
  const CRun edited =
      Run({QStringLiteral("edit"), m_sFile, QStringLiteral("I2CBus1"), QStringLiteral("--set"),
           QStringLiteral("sclPin=20"), QStringLiteral("--set"), QStringLiteral("sdaPin=21"),
           QStringLiteral("--set"), QStringLiteral("internalPullups=1.5 kOhm")});
  QCOMPARE(edited.m_nExit, 0);
  QString info = Run({QStringLiteral("info"), m_sFile}).m_sOut;
  QVERIFY(info.contains(PinLine(20, QStringLiteral("I2CBus1"), QStringLiteral("SCL"))));
  QVERIFY(info.contains(PinLine(21, QStringLiteral("I2CBus1"), QStringLiteral("SDA"))));
  QVERIFY(!info.contains(QStringLiteral("  56  used")));

  QCOMPARE(Run({QStringLiteral("delete"), m_sFile, QStringLiteral("I2CBus1")}).m_nExit, 0);
  info = Run({QStringLiteral("info"), m_sFile}).m_sOut;
  QVERIFY(!info.contains(QStringLiteral("I2CBus1")));
  // The counter is not lowered: the next bus is I2CBus2.
  QCOMPARE(Run({QStringLiteral("add"), m_sFile, QStringLiteral("I2C Bus & Scanner")}).m_nExit, 0);
  QVERIFY(Run({QStringLiteral("info"), m_sFile})
              .m_sOut.contains(QStringLiteral("  I2CBus2 - I2C Bus and Scanner\n")));
}

void TestCliObjects::kindHelpListsKeysWithDefaults() {
  const CRun help = Run({QStringLiteral("add"), QStringLiteral("sound"), QStringLiteral("--help")});
  QCOMPARE(help.m_nExit, 0);
  QVERIFY(help.m_sOut.startsWith(
      QStringLiteral("Simple Sound - Music & Sound Effects Player (kyv-cli add FILE.KYV sound")));
  QVERIFY(help.m_sOut.contains(
      QStringLiteral("  leftIOPin\n      left audio pin, 0 to 63\n      default: 54\n")));
  QVERIFY(help.m_sOut.contains(QStringLiteral("      default: SimpleSound<n>\n")));
  QVERIFY(!help.m_sOut.contains(QStringLiteral("description")));
  // A slider's range, an item that cannot be chosen, a list that takes only its items' texts.
  const CRun adc = Run({QStringLiteral("add"), QStringLiteral("adc"), QStringLiteral("--help")});
  QCOMPARE(adc.m_nExit, 0);
  QVERIFY(adc.m_sOut.contains(QStringLiteral("      values: 1 to 13\n      default: 13\n")));
  QVERIFY(adc.m_sOut.contains(
      QStringLiteral("      values: 0 Internal, 1 External (cannot be chosen)\n")));
  const CRun filters =
      Run({QStringLiteral("add"), QStringLiteral("filters"), QStringLiteral("--help")});
  QVERIFY(filters.m_sOut.contains(QStringLiteral("      values: 2, 3, 5, 8\n      default: 2\n")));
  QCOMPARE(Run({QStringLiteral("add"), QStringLiteral("lcd"), QStringLiteral("--help")}).m_nExit,
           2);
}

QTEST_GUILESS_MAIN(TestCliObjects)
#include "tst_cliobjects.moc"
