#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "EditorTestSupport.h"
#include "editors/CheckedGenerate.h"
#include "editors/ProjectChecks.h"
#include "model/KindRegistry.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

using CSetup = std::function<void(CEditorFixture&)>;
Q_DECLARE_METATYPE(CSetup)
Q_DECLARE_METATYPE(FindingSeverity)

namespace {

// A record as an old or hand-edited file may hold it, added without its editor's checks.
CCodeObject* AddRecord(CKyvDoc& doc, int kind, const QString& name, const QString& basePin,
                       int pinCount = 1) {
  auto object = std::make_unique<CCodeObject>();
  object->m_nType = kind;
  object->m_sName = name;
  object->m_sBasePin = basePin;
  object->m_nPinCount = pinCount;
  object->m_bValid = true;
  if (kind == OBJ_SERVO) {
    (*object)[ServoSlots::Degrees] = u"90"_s;
    (*object)[ServoSlots::Microseconds] = u"1500"_s;
  }
  CCodeObject* added = doc.AddObject(std::move(object));
  // The pin table holds what the record names, as in a file an editor wrote.
  const CKindInfo* info = FindKind(kind);
  for (const int pin : info ? info->RecordedPins(*added) : QList<int>{}) {
    doc.m_bPinUsed[pin] = true;
    doc.m_sPinUsedBy[pin] = name;
  }
  return added;
}

QString Describe(const QList<CFinding>& findings) {
  QStringList lines;
  for (const CFinding& finding : findings)
    lines.append(SeverityName(finding.m_nSeverity) + u' ' + finding.m_sCode + u": "_s +
                 finding.m_sText);
  return lines.join(u'\n');
}

}  // namespace

class TestProjectChecks : public QObject {
  Q_OBJECT

 private slots:
  // A project made through the editors, with what each kind needs, checks without an error.
  void cleanProjectOfEveryKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("clock");
    for (const CKindInfo& info : KindRegistry()) {
      const QString clock = info.m_nKind == OBJ_SIMPLE_HDMI ? u"312_500_000"_s
                            : info.m_nKind == OBJ_CAMERA    ? u"300_000_000"_s
                                                            : u"160_000_000"_s;
      QTest::newRow(qPrintable(info.m_sDisplayName)) << int(info.m_nKind) << clock;
    }
  }
  void cleanProjectOfEveryKind() {
    QFETCH(int, kind);
    QFETCH(QString, clock);
    CEditorFixture fixture;
    fixture.m_doc.m_sClockFreq = clock;
    for (const CKindPrerequisite& prerequisite : FindKind(kind)->m_prerequisites)
      QVERIFY(fixture.Add(prerequisite.m_nKind, prerequisite.m_nKind == OBJ_SIMPLE_QVGA
                                                    ? ValuesFrom({u"basepin=0"_s})
                                                    : CValues{}));
    QVERIFY2(fixture.Add(kind), qPrintable(fixture.Messages().join(u'\n')));
    const QList<CFinding> findings = CheckProject(fixture.m_doc);
    QVERIFY2(!HasErrors(findings), qPrintable(Describe(findings)));
  }

  void findings_data() {
    QTest::addColumn<CSetup>("setup");
    QTest::addColumn<FindingSeverity>("severity");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("objects");
    QTest::addColumn<QList<int>>("pins");
    QTest::addColumn<QString>("textHolds");

    const auto error = FindingSeverity::Error;
    const auto warning = FindingSeverity::Warning;
    const auto note = FindingSeverity::Note;

    QTest::newRow("nine cogs") << CSetup([](CEditorFixture& f) {
      for (int i = 1; i <= 8; ++i)
        AddRecord(f.m_doc, OBJ_NEOPIXEL, u"Neopixel%1"_s.arg(i), QString::number(i));
    }) << error << u"cogs-exceeded"_s
                               << QStringList{u"Neopixel1"_s, u"Neopixel2"_s, u"Neopixel3"_s,
                                              u"Neopixel4"_s, u"Neopixel5"_s, u"Neopixel6"_s,
                                              u"Neopixel7"_s, u"Neopixel8"_s}
                               << QList<int>{} << u"needs 9 cogs"_s;
    QTest::newRow("VGA and HDMI pictures") << CSetup([](CEditorFixture& f) {
      f.m_doc.m_sClockFreq = u"312_500_000"_s;
      QVERIFY(f.Add(OBJ_SIMPLE_VGA, ValuesFrom({u"basepin=0"_s})));
      QVERIFY(f.Add(OBJ_SIMPLE_HDMI, ValuesFrom({u"basepin=8"_s})));
    }) << error << u"hub-ram-exceeded"_s << QStringList{u"SimpleVGA1"_s, u"SimpleHDMI1"_s}
                                           << QList<int>{}
                                           << u"Simple VGA 309424, Simple HDMI 385676"_s;
    QTest::newRow("Tiled 1080p") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_TILED_1080P));
    }) << warning << u"driver-not-bundled"_s
                                 << QStringList{u"Tiled1080p1"_s} << QList<int>{}
                                 << u"writes nothing"_s;

    QTest::newRow("clock not a number")
        << CSetup([](CEditorFixture& f) { f.m_doc.m_sClockFreq = u"160 MHz"_s; }) << error
        << u"clock-not-a-number"_s << QStringList{} << QList<int>{} << u"\"160 MHz\""_s;
    QTest::newRow("clock above 350 MHz")
        << CSetup([](CEditorFixture& f) { f.m_doc.m_sClockFreq = u"400_000_000"_s; }) << error
        << u"clock-out-of-range"_s << QStringList{} << QList<int>{} << u"400 MHz"_s;
    QTest::newRow("clock zero") << CSetup([](CEditorFixture& f) { f.m_doc.m_sClockFreq = u"0"_s; })
                                << error << u"clock-out-of-range"_s << QStringList{} << QList<int>{}
                                << u"0 MHz"_s;
    QTest::newRow("overclocked") << CSetup([](CEditorFixture& f) {
      f.m_doc.m_sClockFreq = u"250_000_000"_s;
    }) << note << u"clock-overclocked"_s
                                 << QStringList{} << QList<int>{} << u"200 MHz"_s;
    QTest::newRow("HDMI below its driver's minimum") << CSetup([](CEditorFixture& f) {
      f.m_doc.m_sClockFreq = u"200_000_000"_s;
      AddRecord(f.m_doc, OBJ_SIMPLE_HDMI, u"SimpleHDMI1"_s, u"8"_s, 8);
    }) << error << u"clock-below-driver-minimum"_s << QStringList{u"SimpleHDMI1"_s}
                                                     << QList<int>{} << u"at least 250 MHz"_s;
    QTest::newRow("camera at the default clock") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_I2C_BUS));
      QVERIFY(f.Add(OBJ_SIMPLE_QVGA, ValuesFrom({u"basepin=0"_s})));
      QVERIFY(f.Add(OBJ_CAMERA));
    }) << error << u"clock-below-driver-minimum"_s
                                                 << QStringList{u"Cam1"_s} << QList<int>{}
                                                 << u"at least 260 MHz"_s;
    QTest::newRow("HDMI off 312.5 MHz") << CSetup([](CEditorFixture& f) {
      f.m_doc.m_sClockFreq = u"260_000_000"_s;
      AddRecord(f.m_doc, OBJ_SIMPLE_HDMI, u"SimpleHDMI1"_s, u"8"_s, 8);
    }) << warning << u"clock-hdmi"_s << QStringList{u"SimpleHDMI1"_s}
                                        << QList<int>{} << u"312.5 MHz"_s;
    QTest::newRow("NCO computed for another clock") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_NCO));
      f.m_doc.m_sClockFreq = u"200_000_000"_s;
    }) << warning << u"nco-stale"_s << QStringList{u"NCO_Freq1"_s}
                                                    << QList<int>{}
                                                    << u"computed for a P2 clock of 160 MHz, not "
                                                       u"for the present 200 MHz, so they put out "
                                                       u"15000000 Hz where 12000000 Hz is asked "
                                                       u"for (12000000 Hz when computed again)"_s;
    // The registers an earlier Kyv computed for 12 MHz at 160 MHz: 13.33 MHz.
    QTest::newRow("NCO from the older calculation") << CSetup([](CEditorFixture& f) {
      CCodeObject* nco = AddRecord(f.m_doc, OBJ_NCO, u"NCO_Freq1"_s, u"24"_s);
      (*nco)[NcoSlots::WxPin] = u"00000001"_s;
      (*nco)[NcoSlots::WyPin] = u"15555555"_s;
      (*nco)[NcoSlots::DesiredFrequency] = u"12_000_000"_s;
      (*nco)[NcoSlots::ResultingFrequency] = u"13333333.320916"_s;
    }) << warning << u"nco-stale"_s << QStringList{u"NCO_Freq1"_s}
                                                    << QList<int>{}
                                                    << u"computed by an older calculation, so at "
                                                       u"the present 160 MHz they put out "
                                                       u"13333333 Hz where 12000000 Hz is asked "
                                                       u"for (12000000 Hz when computed again)"_s;
    QTest::newRow("NCO above half the clock") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_NCO));
      f.m_doc.m_sClockFreq = u"20_000_000"_s;
    }) << warning << u"nco-above-half-clock"_s << QStringList{u"NCO_Freq1"_s}
                                              << QList<int>{} << u"12000000 Hz"_s;

    QTest::newRow("USB error LED on the I2C bus") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_I2C_BUS));
      QVERIFY(f.Add(OBJ_USB_KBM));
    }) << error << u"pin-shared"_s << QStringList{u"UsbKbM1"_s, u"I2CBus1"_s}
                                                  << QList<int>{56}
                                                  << u"Pin 56 is UsbKbM1's USB Error LED, which "
                                                     u"its driver drives on the Parallax adapter, "
                                                     u"and is also used by I2CBus1."_s;
    QTest::newRow("USB error LED of the bottom port") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_I2C_BUS));
      CCodeObject* usb = f.Add(OBJ_USB_KBM);
      QVERIFY(usb);
      (*usb)[UsbKbmSlots::Port] = 1;
    }) << error << u"pin-shared"_s << QStringList{u"UsbKbM1"_s, u"I2CBus1"_s}
                                                      << QList<int>{57} << u"Pin 57 is UsbKbM1's"_s;
    QTest::newRow("two USB error LEDs") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_USB_KBM));
      QVERIFY(f.Add(OBJ_USB_KBM));
    }) << error << u"pin-shared"_s << QStringList{u"UsbKbM2"_s, u"UsbKbM1"_s}
                                        << QList<int>{56} << u"Pin 56 is UsbKbM2's"_s;
    QTest::newRow("clocks at one I2C address") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_I2C_BUS));
      for (int i = 0; i < 3; ++i) QVERIFY(f.Add(OBJ_RTC));
    }) << error << u"i2c-address-shared"_s << QStringList{u"RTC1"_s, u"RTC2"_s, u"RTC3"_s}
                                               << QList<int>{}
                                               << u"RTC1, RTC2 and RTC3 talk to targets at the "
                                                  u"same I2C address $68 on the bus I2CBus1"_s;
    QTest::newRow("pin table names no object") << CSetup([](CEditorFixture& f) {
      f.m_doc.m_bPinUsed[24] = true;
      f.m_doc.m_sPinUsedBy[24] = u"Ghost"_s;
    }) << error << u"pin-table-mismatch"_s << QStringList{}
                                               << QList<int>{24}
                                               << u"Pin 24 is marked as used by \"Ghost\", but "
                                                  u"the project has no object of that name"_s;
    QTest::newRow("pin table holds a pin the object does not name")
        << CSetup([](CEditorFixture& f) {
             QVERIFY(f.Add(OBJ_NCO));
             f.m_doc.m_bPinUsed[30] = true;
             f.m_doc.m_sPinUsedBy[30] = u"NCO_Freq1"_s;
           })
        << error << u"pin-table-mismatch"_s << QStringList{} << QList<int>{30}
        << u"Pin 30 is marked as used by NCO_Freq1, but NCO_Freq1's settings do not use that "
           u"pin"_s;
    QTest::newRow("pin table marks an object's pin free") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_NCO));
      f.m_doc.m_bPinUsed[24] = false;
    }) << error << u"pin-table-mismatch"_s << QStringList{}
                                                          << QList<int>{24}
                                                          << u"Pin 24 is marked free in the pin "
                                                             u"table, but NCO_Freq1 uses it"_s;
    QTest::newRow("I2C speed written as an expression") << CSetup([](CEditorFixture& f) {
      CCodeObject* bus = f.Add(OBJ_I2C_BUS);
      QVERIFY(bus);
      (*bus)[I2cBusSlots::SpeedKHz] = u"1 + pinread(3)"_s;
    }) << error << u"number-out-of-range"_s << QStringList{u"I2CBus1"_s}
                                                        << QList<int>{}
                                                        << u"I2CBus1's Speed (kHz) \"1 + "
                                                           u"pinread(3)\" is not a whole number "
                                                           u"from 1 to 1000."_s;
    QTest::newRow("baud written as an expression")
        << CSetup([](CEditorFixture& f) {
             f.m_doc.m_bUseBaud = 1;
             f.m_doc.m_sBaud = u"230400) + x("_s;
           })
        << error << u"number-out-of-range"_s << QStringList{} << QList<int>{}
        << u"The setting \"-b Specify terminal baud\" "
           u"value \"230400) + x(\" is not a whole number "
           u"from 300 to 10000000."_s;
    QTest::newRow("option cmd.exe would expand") << CSetup([](CEditorFixture& f) {
      f.m_doc.m_bUseLoadP2Options = 1;
      f.m_doc.m_sLoadP2Options = u"-SINGLE >log"_s;
    }) << error << u"script-unsafe-text"_s << QStringList{}
                                                 << QList<int>{}
                                                 << u"The setting \"Add these additional "
                                                    u"options: (LoadP2)\" holds the character "
                                                    u"\">\""_s;
    QTest::newRow("pin held twice") << CSetup([](CEditorFixture& f) {
      AddRecord(f.m_doc, OBJ_SERVO, u"Servo1"_s, u"5"_s);
      AddRecord(f.m_doc, OBJ_DAC, u"DAC1"_s, u"5"_s);
    }) << error << u"pin-shared"_s << QStringList{u"Servo1"_s, u"DAC1"_s}
                                    << QList<int>{5} << u"Pin 5 is used by Servo1 and DAC1"_s;
    QTest::newRow("serial pin") << CSetup([](CEditorFixture& f) {
      AddRecord(f.m_doc, OBJ_SERVO, u"Servo1"_s, u"62"_s);
    }) << error << u"pin-shared"_s
                                << QStringList{u"Servo1"_s} << QList<int>{62}
                                << u"Serial and Servo1"_s;
    QTest::newRow("object named like the serial port") << CSetup([](CEditorFixture& f) {
      AddRecord(f.m_doc, OBJ_SERVO, u"Serial"_s, u"5"_s);
      AddRecord(f.m_doc, OBJ_DAC, u"DAC1"_s, u"5"_s);
    }) << error << u"pin-shared"_s << QStringList{u"Serial"_s, u"DAC1"_s}
                                                       << QList<int>{5}
                                                       << u"Pin 5 is used by Serial and DAC1"_s;
    QTest::newRow("boot flash pin, no SD card")
        << CSetup([](CEditorFixture& f) { AddRecord(f.m_doc, OBJ_SERVO, u"Servo1"_s, u"58"_s); })
        << warning << u"pin-boot-flash"_s << QStringList{u"Servo1"_s} << QList<int>{58}
        << u"boot flash"_s;
    QTest::newRow("SD card pin") << CSetup([](CEditorFixture& f) {
      f.m_doc.m_bMountSd = 1;
      AddRecord(f.m_doc, OBJ_SERVO, u"Servo1"_s, u"59"_s);
    }) << error << u"sd-pin-shared"_s
                                 << QStringList{u"Servo1"_s} << QList<int>{59}
                                 << u"SD card's MOSI pin"_s;
    QTest::newRow("SD card pin not a number") << CSetup([](CEditorFixture& f) {
      f.m_doc.m_bMountSd = 1;
      f.m_doc.m_sSdCs = u"CS"_s;
    }) << error << u"sd-pin-not-a-pin"_s << QStringList{}
                                              << QList<int>{} << u"CS pin \"CS\""_s;
    QTest::newRow("SD card off the usual pins") << CSetup([](CEditorFixture& f) {
      f.m_doc.m_bMountSd = 1;
      f.m_doc.m_sSdMiso = u"0"_s;
      f.m_doc.m_sSdMosi = u"1"_s;
      f.m_doc.m_sSdCs = u"2"_s;
      f.m_doc.m_sSdClk = u"3"_s;
    }) << note << u"sd-card-pins"_s << QStringList{}
                                                << QList<int>{0, 1, 2, 3} << u"58 to 61"_s;
    QTest::newRow("LED pins") << CSetup([](CEditorFixture& f) {
      AddRecord(f.m_doc, OBJ_DAC, u"DAC1"_s, u"56"_s, 2);
    }) << note << u"pin-led"_s << QStringList{u"DAC1"_s}
                              << QList<int>{56, 57} << u"pins 56 and 57"_s;
    QTest::newRow("VGA block off a multiple of 4") << CSetup([](CEditorFixture& f) {
      AddRecord(f.m_doc, OBJ_SIMPLE_VGA, u"SimpleVGA1"_s, u"2"_s, 5);
    }) << error << u"pin-block-rule"_s << QStringList{u"SimpleVGA1"_s}
                                                   << QList<int>{2} << u"multiple of 4"_s;
    QTest::newRow("USB data pin odd") << CSetup([](CEditorFixture& f) {
      CCodeObject* usb = AddRecord(f.m_doc, OBJ_USB_KBM, u"UsbKbM1"_s, u"16"_s, 8);
      (*usb)[UsbKbmSlots::Configuration] = 1;
      (*usb)[UsbKbmSlots::DmPin] = u"21"_s;
      (*usb)[UsbKbmSlots::ActivityLedPin] = u"24"_s;
      (*usb)[UsbKbmSlots::ErrorLedPin] = u"25"_s;
    }) << error << u"pin-block-rule"_s << QStringList{u"UsbKbM1"_s}
                                      << QList<int>{21} << u"DM pin is 21"_s;
    QTest::newRow("pin text not a number")
        << CSetup([](CEditorFixture& f) { AddRecord(f.m_doc, OBJ_SERVO, u"Servo1"_s, u"P5"_s); })
        << error << u"pin-not-a-pin"_s << QStringList{u"Servo1"_s} << QList<int>{} << u"\"P5\""_s;
    QTest::newRow("block past pin 63") << CSetup([](CEditorFixture& f) {
      AddRecord(f.m_doc, OBJ_SIMPLE_VGA, u"SimpleVGA1"_s, u"60"_s, 5);
    }) << error << u"pin-not-a-pin"_s << QStringList{u"SimpleVGA1"_s}
                                       << QList<int>{} << u"5 pins from pin 60"_s;
    QTest::newRow("I2C pin out of range") << CSetup([](CEditorFixture& f) {
      CCodeObject* bus = AddRecord(f.m_doc, OBJ_I2C_BUS, u"I2CBus1"_s, QString());
      (*bus)[I2cBusSlots::SdaPin] = u"64"_s;
      (*bus)[I2cBusSlots::SclPin] = u"20"_s;
    }) << error << u"pin-not-a-pin"_s << QStringList{u"I2CBus1"_s}
                                          << QList<int>{} << u"SDA pin \"64\""_s;
    QTest::newRow("invalid pins") << CSetup([](CEditorFixture& f) {
      AddRecord(f.m_doc, OBJ_SERVO, u"Servo1"_s, u"5"_s)->m_bValid = false;
    }) << warning << u"object-invalid"_s
                                  << QStringList{u"Servo1"_s} << QList<int>{}
                                  << u"marked invalid"_s;
    QTest::newRow("unknown kind") << CSetup([](CEditorFixture& f) {
      AddRecord(f.m_doc, 42, u"Thing1"_s, u"5"_s);
    }) << warning << u"object-unknown-kind"_s
                                  << QStringList{u"Thing1"_s} << QList<int>{} << u"kind code 42"_s;

    QTest::newRow("RTC on a missing bus") << CSetup([](CEditorFixture& f) {
      (*AddRecord(f.m_doc, OBJ_RTC, u"RTC1"_s, QString()))[RtcSlots::Bus] = u"I2CBus9"_s;
    }) << error << u"bus-missing"_s << QStringList{u"RTC1"_s}
                                          << QList<int>{} << u"\"I2CBus9\""_s;
    QTest::newRow("camera without its QVGA object") << CSetup([](CEditorFixture& f) {
      f.m_doc.m_sClockFreq = u"300_000_000"_s;
      QVERIFY(f.Add(OBJ_I2C_BUS));
      CCodeObject* camera = AddRecord(f.m_doc, OBJ_CAMERA, u"Cam1"_s, u"0"_s, 16);
      (*camera)[CameraSlots::Bus] = u"I2CBus1"_s;
      (*camera)[CameraSlots::QvgaObject] = u"SimpleQVGA1"_s;
    }) << error << u"qvga-missing"_s << QStringList{u"Cam1"_s}
                                                    << QList<int>{} << u"\"SimpleQVGA1\""_s;
    QTest::newRow("names differing in case") << CSetup([](CEditorFixture& f) {
      AddRecord(f.m_doc, OBJ_SERVO, u"Servo1"_s, u"5"_s);
      AddRecord(f.m_doc, OBJ_SERVO, u"SERVO1"_s, u"6"_s);
    }) << error << u"name-collision"_s << QStringList{u"Servo1"_s, u"SERVO1"_s}
                                             << QList<int>{} << u"Servo1 and SERVO1"_s;
    QTest::newRow("reserved word")
        << CSetup([](CEditorFixture& f) { AddRecord(f.m_doc, OBJ_SERVO, u"repeat"_s, u"5"_s); })
        << error << u"name-not-allowed"_s << QStringList{u"repeat"_s} << QList<int>{}
        << u"reserved word"_s;
  }
  void findings() {
    QFETCH(CSetup, setup);
    QFETCH(FindingSeverity, severity);
    QFETCH(QString, code);
    QFETCH(QStringList, objects);
    QFETCH(QList<int>, pins);
    QFETCH(QString, textHolds);
    CEditorFixture fixture;
    setup(fixture);
    if (QTest::currentTestFailed()) return;
    const QList<CFinding> findings = CheckProject(fixture.m_doc);
    const auto found =
        std::find_if(findings.cbegin(), findings.cend(),
                     [&](const CFinding& finding) { return finding.m_sCode == code; });
    QVERIFY2(found != findings.cend(), qPrintable(Describe(findings)));
    QCOMPARE(found->m_nSeverity, severity);
    QCOMPARE(found->m_objects, objects);
    QCOMPARE(found->m_pins, pins);
    QVERIFY2(found->m_sText.contains(textHolds), qPrintable(found->m_sText));
  }

  // Without its error LED the USB driver leaves the pin alone; other buses or kinds at one
  // address are no clash.
  void noClashFound_data() {
    QTest::addColumn<CSetup>("setup");
    QTest::newRow("USB without error LED") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_I2C_BUS));
      QVERIFY(f.Add(OBJ_USB_KBM, ValuesFrom({u"doNotUseErrorLEDPin=1"_s})));
    });
    QTest::newRow("USB with its own pins") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_I2C_BUS));
      CCodeObject* usb = f.Add(OBJ_USB_KBM);
      QVERIFY(usb);
      (*usb)[UsbKbmSlots::Configuration] = 1;
      (*usb)[UsbKbmSlots::ErrorLedPin] = u"30"_s;
    });
    QTest::newRow("clocks on two buses") << CSetup([](CEditorFixture& f) {
      QVERIFY(f.Add(OBJ_I2C_BUS));
      QVERIFY(f.Add(OBJ_I2C_BUS, ValuesFrom({u"sclPin=20"_s, u"sdaPin=21"_s})));
      QVERIFY(f.Add(OBJ_RTC));
      QVERIFY(f.Add(OBJ_RTC, ValuesFrom({u"i2cBus=I2CBus2"_s})));
    });
  }
  void noClashFound() {
    QFETCH(CSetup, setup);
    CEditorFixture fixture;
    setup(fixture);
    if (QTest::currentTestFailed()) return;
    for (const CFinding& finding : CheckProject(fixture.m_doc))
      QVERIFY2(finding.m_sCode != u"pin-shared"_s && finding.m_sCode != u"i2c-address-shared"_s,
               qPrintable(finding.m_sText));
  }

  // A conflict block left in the generated main file is found before FlexSpin meets it.
  void mainFileConflict() {
    QTemporaryDir dir;
    CEditorFixture fixture;
    fixture.m_doc.SetPathName(dir.filePath(u"Demo.KYV"_s));
    QFile main(dir.filePath(u"Demo.spin2"_s));
    QVERIFY(main.open(QIODevice::WriteOnly));
    main.write(
        "CON\r\n  X = 1\r\n<<<<<<< your version\r\n  Y = 2\r\n=======\r\n  Y = 3\r\n"
        ">>>>>>> new version\r\n");
    main.close();
    const QList<CFinding> findings = CheckProject(fixture.m_doc);
    const auto found = std::find_if(findings.cbegin(), findings.cend(), [](const CFinding& f) {
      return f.m_sCode == u"main-file-conflict"_s;
    });
    QVERIFY2(found != findings.cend(), qPrintable(Describe(findings)));
    QVERIFY2(found->m_sText.startsWith(u"Resolve the conflict at line 3 of %1"_s.arg(
                 QDir::toNativeSeparators(dir.filePath(u"Demo.spin2"_s)))),
             qPrintable(found->m_sText));

    // Resolved: nothing to report.
    QVERIFY(main.open(QIODevice::WriteOnly | QIODevice::Truncate));
    main.write("CON\r\n  X = 1\r\n  Y = 2\r\n' <<<<<<< in a comment\r\n");
    main.close();
    for (const CFinding& finding : CheckProject(fixture.m_doc))
      QVERIFY(finding.m_sCode != u"main-file-conflict"_s);
  }

  // Errors come first, then warnings, then notes.
  void errorsFirst() {
    CEditorFixture fixture;
    fixture.m_doc.m_sClockFreq = u"250_000_000"_s;              // note
    AddRecord(fixture.m_doc, OBJ_SERVO, u"Servo1"_s, u"58"_s);  // warning
    AddRecord(fixture.m_doc, OBJ_SERVO, u"CON"_s, u"5"_s);      // error
    const QList<CFinding> findings = CheckProject(fixture.m_doc);
    QCOMPARE(findings.size(), 3);
    QCOMPARE(findings[0].m_sCode, u"name-not-allowed"_s);
    QCOMPARE(findings[1].m_sCode, u"pin-boot-flash"_s);
    QCOMPARE(findings[2].m_sCode, u"clock-overclocked"_s);
  }

  // Generate Code asks before writing a project with errors, and lists its warnings at the end.
  void generateAsksOnErrors_data() {
    QTest::addColumn<bool>("answer");
    QTest::newRow("no") << false;
    QTest::newRow("yes") << true;
  }
  void generateAsksOnErrors() {
    QFETCH(bool, answer);
    QTemporaryDir folder;
    CEditorFixture fixture;
    fixture.m_doc.SetPathName(folder.filePath(u"Checked.KYV"_s));
    AddRecord(fixture.m_doc, OBJ_SIMPLE_HDMI, u"SimpleHDMI1"_s, u"8"_s, 8);  // 160 MHz: error
    AddRecord(fixture.m_doc, OBJ_SERVO, u"Servo1"_s, u"58"_s);               // warning
    fixture.m_test.m_messages.m_answers = {answer};

    const CGenerateResult result = GenerateCheckedFiles(fixture.m_doc);
    QCOMPARE(result.m_bCompleted, answer);
    QCOMPARE(QFileInfo::exists(folder.filePath(u"Checked.spin2"_s)), answer);
    const QStringList texts = fixture.m_test.m_messages.Texts();
    QVERIFY(!texts.isEmpty());
    QVERIFY2(texts.front().startsWith(u"The project checks found errors:\n\n- SimpleHDMI1's "_s),
             qPrintable(texts.front()));
    QVERIFY(texts.front().endsWith(u"Generate the files anyway?"_s));
    QCOMPARE(texts.size(), answer ? 2 : 1);
    if (answer) {
      QVERIFY(texts.back().startsWith(u"Project files created in "_s));
      QVERIFY2(texts.back().contains(u"\nWarning: Servo1 uses pin 58, "_s),
               qPrintable(texts.back()));
    }
  }

  // Without errors nothing is asked.
  void generateWithoutErrorsAsksNothing() {
    QTemporaryDir folder;
    CEditorFixture fixture;
    fixture.m_doc.SetPathName(folder.filePath(u"Clean.KYV"_s));
    AddRecord(fixture.m_doc, OBJ_SERVO, u"Servo1"_s, u"5"_s);
    QVERIFY(GenerateCheckedFiles(fixture.m_doc).m_bCompleted);
    QCOMPARE(fixture.m_test.m_messages.m_messages.size(), 1);
    QCOMPARE(fixture.m_test.m_messages.m_messages.front().m_style, MessageStyle::Plain);
  }
};

QTEST_GUILESS_MAIN(TestProjectChecks)
#include "tst_projectchecks.moc"
