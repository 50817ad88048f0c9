#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/NumericFields.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

using CDamage = std::function<void(CCodeObject&)>;
Q_DECLARE_METATYPE(CDamage)

// Numbers that reach the generated program: refused by the editors' OK with the field and the
// text named, and found in records an older or foreign file holds.
class TestNumericFields : public QObject {
  Q_OBJECT

 private slots:
  void editorOk_data();
  void editorOk();
  void storedRecords_data();
  void storedRecords();
};

void TestNumericFields::editorOk_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("problem");  // "" accepted

  const auto refused = [](const char* name, int kind, const char* key, const char* text,
                          const char* problem) {
    QTest::newRow(name) << kind << QString::fromUtf8(key) << QString::fromUtf8(text)
                        << QString::fromUtf8(problem);
  };
  const auto accepted = [&](const char* name, int kind, const char* key, const char* text) {
    refused(name, kind, key, text, "");
  };
  const char* speedRange = "is not a whole number from 1 to 1000.";
  for (const char* text : {"1 + pinread(3)", "abc", "-100", "0", "2147483648", "1001", "", "4e2"})
    QTest::addRow("I2C speed %s", text)
        << int(OBJ_I2C_BUS) << u"speedKHz"_s << QString::fromUtf8(text)
        << u"Speed (kHz) \"%1\" %2"_s.arg(QString::fromUtf8(text), QString::fromUtf8(speedRange));
  accepted("I2C speed 400", OBJ_I2C_BUS, "speedKHz", "400");
  accepted("I2C speed with underscore", OBJ_I2C_BUS, "speedKHz", "1_000");
  accepted("I2C speed with blanks", OBJ_I2C_BUS, "speedKHz", " 100 ");
  refused("LED count 0", OBJ_NEOPIXEL, "ledsInString", "0",
          "#LEDs in string \"0\" is not a whole number from 1 to 100000.");
  refused("LED count with a unit", OBJ_NEOPIXEL, "ledsInString", "60 LEDs",
          "#LEDs in string \"60 LEDs\" is not a whole number from 1 to 100000.");
  refused("LED count too large", OBJ_NEOPIXEL, "ledsInString", "100001",
          "#LEDs in string \"100001\" is not a whole number from 1 to 100000.");
  accepted("LED count 60", OBJ_NEOPIXEL, "ledsInString", "60");
  refused("mouse limit 0", OBJ_USB_KBM, "mouseLimitsX", "0",
          "Mouse Limits X 0 is not a whole number from 1 to 32767.");
  refused("mouse start negative", OBJ_USB_KBM, "mouseInitialPositionY", "-5",
          "Mouse Initial Position Y -5 is not a whole number from 0 to 32767.");
  accepted("mouse limit with a unit", OBJ_USB_KBM, "mouseLimitsX", "800px");
  refused("WXPIN not hexadecimal", OBJ_NCO, "wxpin", "zz",
          "WXPIN \"zz\" is not a whole number in hexadecimal from $1 to $FFFF.");
}

void TestNumericFields::editorOk() {
  QFETCH(int, kind);
  QFETCH(QString, key);
  QFETCH(QString, text);
  QFETCH(QString, problem);
  CEditorFixture f;
  const QStringList pinsBefore = PinTableSnapshot(f.m_doc);
  const CCodeObject* added = f.Add(kind, {{key, text}});
  if (problem.isEmpty()) {
    QVERIFY2(added, qPrintable(f.Messages().join(u'\n')));
    return;
  }
  QVERIFY(!added);
  QCOMPARE(f.Messages(), QStringList{ErrorLine(problem + u" Correct it and press OK again."_s)});
  QCOMPARE(PinTableSnapshot(f.m_doc), pinsBefore);
  QVERIFY(f.m_doc.m_ObjectList.empty());
}

void TestNumericFields::storedRecords_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<CDamage>("damage");
  QTest::addColumn<QString>("problem");
  const auto row = [](const char* name, int kind, CDamage damage, const char* problem) {
    QTest::newRow(name) << kind << damage << QString::fromUtf8(problem);
  };
  row(
      "I2C speed", OBJ_I2C_BUS, [](CCodeObject& o) { o[I2cBusSlots::SpeedKHz] = u"1 + x"_s; },
      "Speed (kHz) \"1 + x\" is not a whole number from 1 to 1000.");
  row(
      "LED count", OBJ_NEOPIXEL, [](CCodeObject& o) { o[NeopixelSlots::LedCount] = u"-1"_s; },
      "#LEDs in string \"-1\" is not a whole number from 1 to 100000.");
  row(
      "LED colour", OBJ_NEOPIXEL,
      [](CCodeObject& o) { o[NeopixelSlots::ColorText] = u"1000000"_s; },
      "Color \"1000000\" is not a whole number in hexadecimal from $0 to $FFFFFF.");
  row(
      "LED hold-off", OBJ_NEOPIXEL, [](CCodeObject& o) { o[NeopixelSlots::Holdoff] = 0; },
      "Holdoff 0 is not a whole number from 1 to 50.");
  row(
      "LED red", OBJ_NEOPIXEL, [](CCodeObject& o) { o[NeopixelSlots::Red] = 256; },
      "Red 256 is not a whole number from 0 to 255.");
  row(
      "LED type", OBJ_NEOPIXEL, [](CCodeObject& o) { o[NeopixelSlots::LedType] = 5; },
      "LED Type 5 is not a whole number from 0 to 4.");
  row(
      "WXPIN beyond 16 bits", OBJ_NCO, [](CCodeObject& o) { o[NcoSlots::WxPin] = u"10000"_s; },
      "WXPIN \"10000\" is not a whole number in hexadecimal from $1 to $FFFF.");
  row(
      "WYPIN with a prefix", OBJ_NCO, [](CCodeObject& o) { o[NcoSlots::WyPin] = u"$13A94"_s; },
      "WYPIN \"$13A94\" is not a whole number in hexadecimal from $0 to $FFFFFFFF.");
  row(
      "servo degrees", OBJ_SERVO, [](CCodeObject& o) { o[ServoSlots::Degrees] = u"181"_s; },
      "Starting Position \"181\" is not a whole number from 0 to 180.");
  row(
      "servo microseconds", OBJ_SERVO,
      [](CCodeObject& o) { o[ServoSlots::Microseconds] = u"1500);x("_s; },
      "Starting Position [us] \"1500);x(\" is not a whole number from 600 to 2400.");
  row(
      "USB port", OBJ_USB_KBM, [](CCodeObject& o) { o[UsbKbmSlots::Port] = 2; },
      "Port 2 is not a whole number from 0 to 1.");
  row(
      "USB mouse limit", OBJ_USB_KBM, [](CCodeObject& o) { o[UsbKbmSlots::LimitY] = 0; },
      "Mouse Limits Y 0 is not a whole number from 1 to 32767.");
  row(
      "filter tap", OBJ_DIGITAL_FILTERS, [](CCodeObject& o) { o[FiltersSlots::Tap(2)] = 32; },
      "Filter2 Tap 32 is not a whole number from 0 to 31.");
  row(
      "filter length", OBJ_DIGITAL_FILTERS, [](CCodeObject& o) { o[FiltersSlots::Length(0)] = -1; },
      "Filter0 Length -1 is not a whole number from 0 to 3.");
  row(
      "DAC level", OBJ_DAC, [](CCodeObject& o) { o[DacSlots::Level] = 256; },
      "Analog Output Level 256 is not a whole number from 0 to 255.");
  row(
      "DAC drive", OBJ_DAC, [](CCodeObject& o) { o[DacSlots::Drive] = 4; },
      "Drive and Range 4 is not a whole number from 0 to 3.");
  row(
      "ADC sample period", OBJ_ADC, [](CCodeObject& o) { o[AdcSlots::SampleExponent] = 14; },
      "Sample Clocks 14 is not a whole number from 1 to 13.");
}

// A record the kind's editor accepted has no problem; one damaged value is named.
void TestNumericFields::storedRecords() {
  QFETCH(int, kind);
  QFETCH(CDamage, damage);
  QFETCH(QString, problem);
  CEditorFixture f;
  if (kind == OBJ_ADC) f.m_doc.m_sClockFreq = u"160_000_000"_s;
  CCodeObject* record = f.Add(kind);
  QVERIFY2(record, qPrintable(f.Messages().join(u'\n')));
  QCOMPARE(StoredNumberProblems(*record), QStringList());
  damage(*record);
  QCOMPARE(StoredNumberProblems(*record), QStringList{problem});
}

QTEST_GUILESS_MAIN(TestNumericFields)
#include "tst_numericfields.moc"
