#include <QtTest>

#include "EditorTestSupport.h"

using namespace Qt::StringLiterals;

// What every editor's OK does with pin texts that are not numbers, where the focus goes after a
// refused pin, and which pins a new object proposes when its kind's default pins are taken.
class TestPinTexts : public QObject {
  Q_OBJECT

 private slots:
  void notANumberIsRefused_data();
  void notANumberIsRefused();
  void blanksAroundANumberAreAccepted_data();
  void blanksAroundANumberAreAccepted();
  void focusGoesToTheRefusedPin_data();
  void focusGoesToTheRefusedPin();
  void proposedPinsWhenDefaultsAreHeld_data();
  void proposedPinsWhenDefaultsAreHeld();
  void refusedBlockNamesEveryClashAndTheNearestFreeBlock_data();
  void refusedBlockNamesEveryClashAndTheNearestFreeBlock();
};

namespace {

// Settings that make the pin field count: "" for a kind's default settings.
struct CPinFieldCase {
  int m_nKind;
  QString m_sLabel;
  QStringList m_settings;
};

QList<CPinFieldCase> PinFieldCases() {
  return {
      {OBJ_NCO, u"I/O Pin:"_s, {}},
      {OBJ_ADC, u"I/O Pin#:"_s, {}},
      {OBJ_DAC, u"I/O Pin:"_s, {}},
      {OBJ_DIGITAL_IO, u"I/O Pin#:"_s, {}},
      {OBJ_NEOPIXEL, u"I/O Pin:"_s, {}},
      {OBJ_SERVO, u"I/O Pin:"_s, {}},
      {OBJ_SIMPLE_VGA, u"Basepin:"_s, {}},
      {OBJ_SIMPLE_QVGA, u"Basepin:"_s, {}},
      {OBJ_SIMPLE_HDMI, u"Basepin:"_s, {}},
      {OBJ_TILED_1080P, u"Basepin:"_s, {}},
      {OBJ_CAMERA, u"Basepin:"_s, {}},
      {OBJ_I2C_BUS, u"SCL Pin:"_s, {}},
      {OBJ_I2C_BUS, u"SDA Pin:"_s, {}},
      {OBJ_SIMPLE_SOUND, u"Left I/O Pin:"_s, {}},
      {OBJ_SIMPLE_SOUND, u"Right I/O Pin:"_s, {}},
      {OBJ_USB_KBM, u"Basepin:"_s, {}},
      {OBJ_USB_KBM, u"DM Pin:"_s, {u"configuration=1"_s}},
      {OBJ_USB_KBM, u"Activity LED Pin:"_s, {u"configuration=1"_s}},
      {OBJ_USB_KBM, u"Error LED Pin:"_s, {u"configuration=1"_s}},
      {OBJ_USB_KBM, u"Power Enable Pin:"_s, {u"configuration=1"_s, u"useUSBPowerEnablePin=1"_s}},
  };
}

QByteArray RowName(const CPinFieldCase& field, const QString& text) {
  return (KindDisplayName(field.m_nKind) + u' ' + field.m_sLabel + u" \""_s + text + u'"').toUtf8();
}

}  // namespace

void TestPinTexts::notANumberIsRefused_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QStringList>("settings");
  QTest::addColumn<QString>("label");
  QTest::addColumn<QString>("text");
  for (const CPinFieldCase& field : PinFieldCases())
    for (const QString& text :
         {u"abc"_s, u"1x"_s, u""_s, u" "_s, u"0x10"_s, u"1 2"_s, u"12.0"_s, u"-"_s})
      QTest::newRow(RowName(field, text))
          << field.m_nKind << field.m_settings << field.m_sLabel << text;
}

// Refused in the error box, naming the field and the text, with nothing claimed.
void TestPinTexts::notANumberIsRefused() {
  QFETCH(int, kind);
  QFETCH(QStringList, settings);
  QFETCH(QString, label);
  QFETCH(QString, text);
  CEditorFixture h;
  auto object = h.Open(kind);
  QVERIFY(object.m_editor);
  const QString key = CEditorField::KeyFromLabel(label);
  QVERIFY(SetValues(*object.m_editor, ValuesFrom(settings) + CValues{{key, text}}));
  const QStringList pinsBefore = PinTableSnapshot(h.m_doc);

  QVERIFY(!object.m_editor->OnOK());
  QCOMPARE(h.Messages(),
           QStringList{ErrorLine(label + u" \""_s + text + u"\" is not a decimal pin number."_s)});
  QCOMPARE(object.m_editor->m_sFocusKey, key);
  QCOMPARE(PinTableSnapshot(h.m_doc), pinsBefore);
  QVERIFY(!h.m_doc.IsModified());
}

void TestPinTexts::blanksAroundANumberAreAccepted_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("pin");
  QTest::newRow("servo blanks") << int(OBJ_SERVO) << u" 12 "_s << 12;
  QTest::newRow("servo tab") << int(OBJ_SERVO) << u"\t7"_s << 7;
  QTest::newRow("servo plus") << int(OBJ_SERVO) << u"+5"_s << 5;
  QTest::newRow("DAC leading zero") << int(OBJ_DAC) << u"08"_s << 8;
  QTest::newRow("VGA blanks") << int(OBJ_SIMPLE_VGA) << u" 16 "_s << 16;
}

void TestPinTexts::blanksAroundANumberAreAccepted() {
  QFETCH(int, kind);
  QFETCH(QString, text);
  QFETCH(int, pin);
  CEditorFixture h;
  const QString key = kind == OBJ_SIMPLE_VGA ? u"basepin"_s : u"iOPin"_s;
  CCodeObject* object = h.Add(kind, {{key, text}});
  QVERIFY2(object, qPrintable(h.Messages().join(u'\n')));
  QVERIFY(h.m_doc.m_bPinUsed[pin]);
  QCOMPARE(h.m_doc.m_sPinUsedBy[pin], object->m_sName);
}

void TestPinTexts::focusGoesToTheRefusedPin_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QStringList>("values");
  QTest::addColumn<QString>("focus");
  QTest::newRow("servo out of range") << int(OBJ_SERVO) << QStringList{u"iOPin=64"_s} << u"iOPin"_s;
  QTest::newRow("servo on the serial pin")
      << int(OBJ_SERVO) << QStringList{u"iOPin=62"_s} << u"iOPin"_s;
  QTest::newRow("VGA not a multiple of 4")
      << int(OBJ_SIMPLE_VGA) << QStringList{u"basepin=50"_s} << u"basepin"_s;
  QTest::newRow("VGA over the serial pins")
      << int(OBJ_SIMPLE_VGA) << QStringList{u"basepin=60"_s} << u"basepin"_s;
  QTest::newRow("sound right pin in use")
      << int(OBJ_SIMPLE_SOUND) << QStringList{u"rightIOPin=63"_s} << u"rightIOPin"_s;
  QTest::newRow("I2C SDA out of range")
      << int(OBJ_I2C_BUS) << QStringList{u"sdaPin=70"_s} << u"sdaPin"_s;
  QTest::newRow("USB custom DM pin odd")
      << int(OBJ_USB_KBM) << QStringList{u"configuration=1"_s, u"dmPin=11"_s} << u"dmPin"_s;
  QTest::newRow("USB adapter over the serial pins")
      << int(OBJ_USB_KBM) << QStringList{u"basepin=56"_s} << u"basepin"_s;
  QTest::newRow("camera base out of range")
      << int(OBJ_CAMERA) << QStringList{u"basepin=56"_s} << u"basepin"_s;
}

void TestPinTexts::focusGoesToTheRefusedPin() {
  QFETCH(int, kind);
  QFETCH(QStringList, values);
  QFETCH(QString, focus);
  CEditorFixture h;
  auto object = h.Open(kind);
  QVERIFY(SetValues(*object.m_editor, ValuesFrom(values)));
  QVERIFY(!object.m_editor->OnOK());
  QCOMPARE(object.m_editor->m_sFocusKey, focus);
}

void TestPinTexts::proposedPinsWhenDefaultsAreHeld_data() {
  QTest::addColumn<QList<int>>("heldBy");       // kinds added first, with their own proposals
  QTest::addColumn<QStringList>("heldValues");  // values for the first of them
  QTest::addColumn<int>("kind");
  QTest::addColumn<QStringList>("proposed");  // key=value the new editor opens with
  QTest::newRow("servo alone keeps 38")
      << QList<int>{} << QStringList{} << int(OBJ_SERVO) << QStringList{u"iOPin=38"_s};
  QTest::newRow("QVGA after VGA on 48") << QList<int>{OBJ_SIMPLE_VGA} << QStringList{}
                                        << int(OBJ_SIMPLE_QVGA) << QStringList{u"basepin=40"_s};
  QTest::newRow("HDMI after VGA on 48: multiple of 8")
      << QList<int>{OBJ_SIMPLE_VGA} << QStringList{} << int(OBJ_SIMPLE_HDMI)
      << QStringList{u"basepin=40"_s};
  QTest::newRow("three VGAs") << QList<int>{OBJ_SIMPLE_VGA, OBJ_SIMPLE_VGA} << QStringList{}
                              << int(OBJ_SIMPLE_VGA) << QStringList{u"basepin=56"_s};
  QTest::newRow("digital after servo") << QList<int>{OBJ_SERVO} << QStringList{}
                                       << int(OBJ_DIGITAL_IO) << QStringList{u"iOPin=37"_s};
  QTest::newRow("ADC after VGA on 48")
      << QList<int>{OBJ_SIMPLE_VGA} << QStringList{} << int(OBJ_ADC) << QStringList{u"iOPin=47"_s};
  QTest::newRow("DAC free beside the VGA keeps 49")
      << QList<int>{OBJ_SIMPLE_VGA} << QStringList{u"basepin=52"_s} << int(OBJ_DAC)
      << QStringList{u"iOPin=49"_s};
  QTest::newRow("sound keeps its pins together")
      << QList<int>{OBJ_SERVO} << QStringList{u"iOPin=55"_s} << int(OBJ_SIMPLE_SOUND)
      << QStringList{u"leftIOPin=53"_s, u"rightIOPin=54"_s};
  QTest::newRow("I2C after a pin at 57")
      << QList<int>{OBJ_SERVO} << QStringList{u"iOPin=57"_s} << int(OBJ_I2C_BUS)
      << QStringList{u"sclPin=55"_s, u"sdaPin=56"_s};
  QTest::newRow("USB adapter after a pin at 10")
      << QList<int>{OBJ_SERVO} << QStringList{u"iOPin=10"_s} << int(OBJ_USB_KBM)
      << QStringList{u"basepin=0"_s};
  QTest::newRow("camera after VGA on 16")
      << QList<int>{OBJ_SIMPLE_VGA} << QStringList{u"basepin=16"_s} << int(OBJ_CAMERA)
      << QStringList{u"basepin=24"_s};
}

// The proposal is what the editor opens with, and the OK it leads to is accepted.
void TestPinTexts::proposedPinsWhenDefaultsAreHeld() {
  QFETCH(QList<int>, heldBy);
  QFETCH(QStringList, heldValues);
  QFETCH(int, kind);
  QFETCH(QStringList, proposed);
  CEditorFixture h;
  for (qsizetype i = 0; i < heldBy.size(); ++i)
    QVERIFY2(h.Add(heldBy[i], i == 0 ? ValuesFrom(heldValues) : CValues{}),
             qPrintable(h.Messages().join(u'\n')));

  auto object = h.Open(kind);
  for (const auto& [key, value] : ValuesFrom(proposed))
    QCOMPARE(ValueOf(*object.m_editor, key), value);
  QVERIFY2(object.m_editor->OnOK(), qPrintable(h.Messages().join(u'\n')));
}

void TestPinTexts::refusedBlockNamesEveryClashAndTheNearestFreeBlock_data() {
  QTest::addColumn<QStringList>("held");  // "pin holder" marked used before the editor opens
  QTest::addColumn<int>("kind");
  QTest::addColumn<QStringList>("values");
  QTest::addColumn<QString>("message");
  QTest::newRow("HDMI over two holders")
      << QStringList{u"40 Servo1"_s, u"42 Servo1"_s, u"47 DAC1"_s} << int(OBJ_SIMPLE_HDMI)
      << QStringList{u"basepin=40"_s}
      << u"Pins #40 and #42 are already in use by Servo1, pin #47 by DAC1. The nearest free "
         u"block of 8 pins starts at pin 32."_s;
  QTest::newRow("HDMI onto the serial pins")
      << QStringList{} << int(OBJ_SIMPLE_HDMI) << QStringList{u"basepin=56"_s}
      << u"Pins #62 and #63 are already in use by Serial. The nearest free block of 8 pins "
         u"starts at pin 48."_s;
  QTest::newRow("VGA: the nearest multiple of 4")
      << QStringList{u"50 Servo1"_s, u"44 DAC1"_s} << int(OBJ_SIMPLE_VGA)
      << QStringList{u"basepin=48"_s}
      << u"Pin #50 is already in use by Servo1. The nearest free block of 5 pins starts at "
         u"pin 52."_s;
  QTest::newRow("one clash: the nearer of two free blocks is the lower")
      << QStringList{u"17 Servo1"_s} << int(OBJ_USB_KBM) << QStringList{u"basepin=16"_s}
      << u"Pin #17 is already in use by Servo1. The nearest free block of 8 pins starts at "
         u"pin 8."_s;
  QStringList everyEighth;
  for (int pin = 4; pin < 62; pin += 8) everyEighth.append(u"%1 Servo1"_s.arg(pin));
  QTest::newRow("no free block left")
      << everyEighth << int(OBJ_SIMPLE_HDMI) << QStringList{u"basepin=0"_s}
      << u"Pin #4 is already in use by Servo1. No block of 8 free pins is left: move or delete an "
         u"object first."_s;
}

// A block that clashes is refused with every clashing pin named by holder and the nearest block
// the kind could take instead; nothing is claimed.
void TestPinTexts::refusedBlockNamesEveryClashAndTheNearestFreeBlock() {
  QFETCH(QStringList, held);
  QFETCH(int, kind);
  QFETCH(QStringList, values);
  QFETCH(QString, message);
  CEditorFixture h;
  for (const QString& line : held) {
    const int pin = line.section(u' ', 0, 0).toInt();
    h.m_doc.m_bPinUsed[pin] = true;
    h.m_doc.m_sPinUsedBy[pin] = line.section(u' ', 1);
  }
  const QStringList before = PinTableSnapshot(h.m_doc);
  auto object = h.Open(kind);
  QVERIFY(SetValues(*object.m_editor, ValuesFrom(values)));
  QVERIFY(!object.m_editor->OnOK());
  QCOMPARE(h.Messages(), QStringList{ErrorLine(message)});
  QCOMPARE(PinTableSnapshot(h.m_doc), before);
}

QTEST_GUILESS_MAIN(TestPinTexts)
#include "tst_pintexts.moc"
