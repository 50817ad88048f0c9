#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/ObjectADC.h"
#include "editors/ObjectDAC.h"
#include "editors/ObjectDigital.h"
#include "editors/ObjectFilters.h"
#include "editors/ObjectNCO.h"
#include "editors/ObjectNeopixel.h"
#include "editors/ObjectServo.h"

using namespace Qt::StringLiterals;

// A slider's position is kept as a number or, for the servo, as text.
using CSliderSlot = std::variant<CIntSlot, CTextSlot>;
Q_DECLARE_METATYPE(CSliderSlot)

// The DAC, digital I/O, filters, RGB LED string and servo editors, the one-pin checks the six
// smart-pin editors with a pin share, and reopening what the pin editors and the USB editor stored.
class TestSmartPinEditors : public QObject {
  Q_OBJECT

 private slots:
  void pinChecks_data();
  void pinChecks();
  void reopenedObjectKeepsAndMovesItsPin();
  void reopenedSlidersStayInRange_data();
  void reopenedSlidersStayInRange();
  void reopenedEditorShowsWhatOkStored_data();
  void reopenedEditorShowsWhatOkStored();

  void dacDefaults();
  void dacSlider_data();
  void dacSlider();
  void digitalDefaults();
  void digitalChoices();
  void filtersDefaults();
  void filtersChoicesAndTaps();
  void neopixelDefaults();
  void neopixelSliderTexts_data();
  void neopixelSliderTexts();
  void neopixelEditShowsStoredTexts();
  void servoDefaults();
  void servoSlider_data();
  void servoSlider();
  void servoEditTakesPositionFromText();
};

static const int kPinKinds[] = {OBJ_NCO, OBJ_ADC, OBJ_DAC, OBJ_DIGITAL_IO, OBJ_NEOPIXEL, OBJ_SERVO};

void TestSmartPinEditors::pinChecks_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("pin");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("role");  // of the claimed pin when accepted
  QTest::addColumn<bool>("freeSerial");
  const QMap<int, QString> roles = {
      {OBJ_NCO, u"NCO Frequency"_s},     {OBJ_ADC, u"Analog To Digital"_s},
      {OBJ_DAC, u"Digital To Analog"_s}, {OBJ_DIGITAL_IO, u"Smart Digital I/O"_s},
      {OBJ_NEOPIXEL, u"Neopixel"_s},     {OBJ_SERVO, u"Hobby Servo"_s},
  };
  for (const int kind : kPinKinds) {
    const QByteArray name = KindDisplayName(kind).toUtf8();
    const QString inUse = kind == OBJ_DIGITAL_IO
                              ? u"Error: Pin #62 is already in use by Serial. Pin assignment "
                                u"change required."_s
                              : u"Pin #62 is already in use by Serial."_s;
    QTest::newRow(name + " pin 0") << kind << "0"
                                   << "" << roles[kind] << false;
    QTest::newRow(name + " pin 63, serial freed") << kind << "63"
                                                  << "" << roles[kind] << true;
    QTest::newRow(name + " pin 64") << kind << "64"
                                    << "Pin 64 is out of range, please set to between 0 and 63."
                                    << "" << false;
    QTest::newRow(name + " pin -1") << kind << "-1"
                                    << "Pin -1 is out of range, please set to between 0 and 63."
                                    << "" << false;
    QTest::newRow(name + " serial pin") << kind << "62" << inUse << "" << false;
  }
}

void TestSmartPinEditors::pinChecks() {
  QFETCH(int, kind);
  QFETCH(QString, pin);
  QFETCH(QString, message);
  QFETCH(QString, role);
  QFETCH(bool, freeSerial);
  CEditorFixture h;
  CCodeObject record;
  if (freeSerial) h.m_doc.ReleasePin(63);
  const QStringList pinsBefore = PinTableSnapshot(h.m_doc);
  auto editor = CreateEditor(kind);
  editor->Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QVERIFY(SetValues(*editor, {{u"iOPin"_s, pin}}));
  const bool accepted = editor->OnOK();

  // The record is written before the checks, whatever their outcome.
  QCOMPARE(record.m_nType, kind);
  QCOMPARE(record[Slot::BasePin], pin);
  QCOMPARE(record[Slot::PinCount], 1);
  QCOMPARE(accepted, message.isEmpty());
  QCOMPARE(record.m_bValid, accepted);
  if (accepted) {
    QVERIFY(h.Messages().isEmpty());
    const int p = pin.toInt();
    QCOMPARE(h.m_doc.m_sPinUsedBy[p], editor->m_sName);
    QCOMPARE(h.m_doc.m_sPinUsedFor[p], role);
  } else {
    QCOMPARE(h.Messages(), QStringList{ErrorLine(message)});
    QCOMPARE(PinTableSnapshot(h.m_doc), pinsBefore);
  }
}

void TestSmartPinEditors::reopenedObjectKeepsAndMovesItsPin() {
  CEditorFixture h;
  CCodeObject record;
  h.m_doc.m_sPinNotes[38] = u"header J1"_s;
  {
    CObjectServo servo;
    servo.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
    QVERIFY(servo.OnOK());
  }
  // OK without changes passes: the pin is held under the object's own name.
  CObjectServo servo;
  servo.Open(&record, &h.m_doc, CObjectEditor::kEditMode);
  QVERIFY(servo.OnOK());
  QCOMPARE(h.m_doc.m_sPinUsedBy[38], u"Servo1"_s);

  // Moving frees the old pin (its note stays) and claims the new one.
  QVERIFY(SetValues(servo, {{u"iOPin"_s, u"12"_s}}));
  QVERIFY(servo.OnOK());
  QVERIFY(!h.m_doc.m_bPinUsed[38]);
  QCOMPARE(h.m_doc.m_sPinUsedBy[38], QString());
  QCOMPARE(h.m_doc.m_sPinUsedFor[38], QString());
  QCOMPARE(h.m_doc.m_sPinNotes[38], u"header J1"_s);
  QCOMPARE(h.m_doc.m_sPinUsedFor[12], u"Hobby Servo"_s);

  // A rejected move keeps the old claim and leaves the rejected value in the record.
  QVERIFY(SetValues(servo, {{u"iOPin"_s, u"63"_s}}));
  QVERIFY(!servo.OnOK());
  QVERIFY(!record.m_bValid);
  QCOMPARE(record[Slot::BasePin], u"63"_s);
  QCOMPARE(h.m_doc.m_sPinUsedBy[12], u"Servo1"_s);
}

void TestSmartPinEditors::reopenedSlidersStayInRange_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<CSliderSlot>("slot");  // where the slider's position is stored
  QTest::addColumn<QString>("stored");
  QTest::addColumn<QString>("key");
  QTest::addColumn<int>("position");
  QTest::newRow("DAC level above") << int{OBJ_DAC} << CSliderSlot{DacSlots::Level} << "300"
                                   << "analogOutputLevel" << 255;
  QTest::newRow("DAC level below") << int{OBJ_DAC} << CSliderSlot{DacSlots::Level} << "-5"
                                   << "analogOutputLevel" << 0;
  QTest::newRow("LED red") << int{OBJ_NEOPIXEL} << CSliderSlot{NeopixelSlots::Red} << "999"
                           << "red" << 255;
  QTest::newRow("LED blue") << int{OBJ_NEOPIXEL} << CSliderSlot{NeopixelSlots::Blue} << "-1"
                            << "blue" << 0;
  QTest::newRow("LED hold-off 0") << int{OBJ_NEOPIXEL} << CSliderSlot{NeopixelSlots::Holdoff} << "0"
                                  << "holdoff" << 1;
  QTest::newRow("LED hold-off 80")
      << int{OBJ_NEOPIXEL} << CSliderSlot{NeopixelSlots::Holdoff} << "80"
      << "holdoff" << 50;
  QTest::newRow("filter tap") << int{OBJ_DIGITAL_FILTERS} << CSliderSlot{FiltersSlots::Tap(1)}
                              << "40"
                              << "filter1Tap" << 31;
  // The servo keeps its position only as the degrees text.
  QTest::newRow("servo degrees") << int{OBJ_SERVO} << CSliderSlot{ServoSlots::Degrees} << "200"
                                 << "startingPosition" << 180;
}

// A record from a damaged file may hold slider positions outside their ranges. The dialog's
// slider clamps them; kyv-cli edit must reach the same position and store it.
void TestSmartPinEditors::reopenedSlidersStayInRange() {
  QFETCH(int, kind);
  QFETCH(CSliderSlot, slot);
  QFETCH(QString, stored);
  QFETCH(QString, key);
  QFETCH(int, position);
  CEditorFixture h;
  CCodeObject record;
  {
    auto editor = CreateEditor(kind);
    editor->Open(&record, &h.m_doc, CObjectEditor::kNewMode);
    QVERIFY(editor->OnOK());
  }
  const auto* numberSlot = std::get_if<CIntSlot>(&slot);
  if (numberSlot)
    record[*numberSlot] = stored.toInt();
  else
    record[std::get<CTextSlot>(slot)] = stored;
  auto editor = CreateEditor(kind);
  editor->Open(&record, &h.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(ValueOf(*editor, key), QString::number(position));
  QVERIFY(editor->OnOK());
  if (numberSlot) QCOMPARE(record[*numberSlot], position);
}

void TestSmartPinEditors::reopenedEditorShowsWhatOkStored_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QStringList>("values");  // every setting away from its default
  QTest::newRow("DAC") << int{OBJ_DAC}
                       << QStringList{u"iOPin=20"_s, u"driveAndRange=2"_s,
                                      u"analogOutputLevel=17"_s, u"randomlyVaryOutputLevel=0"_s};
  QTest::newRow("digital I/O") << int{OBJ_DIGITAL_IO}
                               << QStringList{u"iOPin=21"_s,
                                              u"useClockedIOInsteadOfLive=1"_s,
                                              u"invertInputLogicLevel=1"_s,
                                              u"invertOutputLogicLevel=1"_s,
                                              u"outStartState=1"_s,
                                              u"outHighStateDrive=3"_s,
                                              u"outLowStateDrive=5"_s,
                                              u"inSource=6"_s,
                                              u"inFilter=2"_s,
                                              u"showINStateInLoop=0"_s,
                                              u"toggleOUTStateInLoop=0"_s};
  QTest::newRow("filters") << int{OBJ_DIGITAL_FILTERS}
                           << QStringList{u"setFilter1=0"_s,    u"setFilter3=0"_s,
                                          u"filter0Length=5"_s, u"filter2Length=8"_s,
                                          u"filter1Tap=7"_s,    u"filter3Tap=31"_s};
  QTest::newRow("ADC") << int{OBJ_ADC}
                       << QStringList{u"iOPin=22"_s,      u"showCalibratedResult=0"_s,
                                      u"thisPinGain=2"_s, u"adcSource=5"_s,
                                      u"filter=SINC2"_s,  u"sampleClocks=6"_s};
  QTest::newRow("USB adapter") << int{OBJ_USB_KBM}
                               << QStringList{u"basepin=16"_s,
                                              u"port=1"_s,
                                              u"mouseLimitsX=800"_s,
                                              u"mouseLimitsY=600"_s,
                                              u"mouseInitialPositionX=7"_s,
                                              u"mouseInitialPositionY=9"_s,
                                              u"outputMousePosition=0"_s,
                                              u"outputKeyboardInput=0"_s,
                                              u"doNotUseErrorLEDPin=1"_s};
  QTest::newRow("USB custom") << int{OBJ_USB_KBM}
                              << QStringList{u"configuration=1"_s,        u"dmPin=20"_s,
                                             u"activityLEDPin=30"_s,      u"errorLEDPin=31"_s,
                                             u"useUSBPowerEnablePin=0"_s, u"powerEnablePin=33"_s};
}

// An object reopened shows every setting as it was when OK stored it, and OK without changes
// leaves the record as it was.
void TestSmartPinEditors::reopenedEditorShowsWhatOkStored() {
  QFETCH(int, kind);
  QFETCH(QStringList, values);
  CEditorFixture h;
  CCodeObject record;
  auto created = CreateEditor(kind);
  created->Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QVERIFY(SetValues(*created, ValuesFrom(values)));
  QVERIFY(created->OnOK());
  const CCodeObject stored = record;

  auto reopened = CreateEditor(kind);
  reopened->Open(&record, &h.m_doc, CObjectEditor::kEditMode);
  const QList<CEditorField> before = created->Fields();
  const QList<CEditorField> after = reopened->Fields();
  QCOMPARE(after.size(), before.size());
  for (qsizetype i = 0; i < before.size(); ++i)
    QVERIFY2(after[i].ValueText() == before[i].ValueText(),
             qPrintable(before[i].m_sKey + u": "_s + after[i].ValueText() + u" instead of "_s +
                        before[i].ValueText()));
  QVERIFY(reopened->OnOK());
  QVERIFY(record == stored);
}

void TestSmartPinEditors::dacDefaults() {
  CEditorFixture h;
  CCodeObject record;
  CObjectDAC dac;
  dac.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QCOMPARE(dac.m_sName, u"DAC1"_s);
  QCOMPARE(FieldOf(dac, u"name"_s).m_sLabel, u"Object Name:"_s);
  QCOMPARE(ValueOf(dac, u"levelText"_s), u"122"_s);
  QVERIFY(dac.OnOK());
  QCOMPARE(record.m_nType, int32_t{OBJ_DAC});
  QCOMPARE(record[Slot::BasePin], u"49"_s);
  QCOMPARE(record[DacSlots::Level], 122);
  QCOMPARE(record[DacSlots::LevelText], u"122"_s);
  QCOMPARE(record[DacSlots::Drive], 0);
  QVERIFY(record[DacSlots::RandomLevels]);
}

void TestSmartPinEditors::dacSlider_data() {
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("value");
  QTest::addColumn<int>("level");
  QTest::addColumn<QString>("levelText");
  QTest::addColumn<int>("drive");
  QTest::newRow("lowest") << "analogOutputLevel"
                          << "0" << 0 << "0" << 0;
  QTest::newRow("highest") << "analogOutputLevel"
                           << "255" << 255 << "255" << 0;
  QTest::newRow("75 Ohm") << "driveAndRange"
                          << "75 Ohm, 2.0 V" << 122 << "122" << 3;
}

void TestSmartPinEditors::dacSlider() {
  QFETCH(QString, key);
  QFETCH(QString, value);
  CEditorFixture h;
  CCodeObject record;
  CObjectDAC dac;
  dac.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QVERIFY(SetValues(dac, {{key, value}}));
  QTEST(dac.m_sLevel, "levelText");
  QVERIFY(dac.OnOK());
  QTEST(record[DacSlots::Level], "level");
  QTEST(record[DacSlots::LevelText], "levelText");
  QTEST(record[DacSlots::Drive], "drive");
  QVERIFY(!SetValues(dac, {{u"analogOutputLevel"_s, u"256"_s}}));
}

void TestSmartPinEditors::digitalDefaults() {
  CEditorFixture h;
  CCodeObject record;
  CObjectDigital digital;
  digital.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QCOMPARE(digital.m_sName, u"SmartPin1"_s);
  QVERIFY(digital.OnOK());
  QCOMPARE(record.m_nType, int32_t{OBJ_DIGITAL_IO});
  QCOMPARE(record[Slot::BasePin], u"38"_s);
  for (const CIntSlot slot : {DigitalSlots::Filter, DigitalSlots::HighDrive, DigitalSlots::LowDrive,
                              DigitalSlots::Source, DigitalSlots::StartState})
    QCOMPARE(record[slot], 0);
  QVERIFY(!record[DigitalSlots::Clocked]);
  QVERIFY(!record[DigitalSlots::InvertInput]);
  QVERIFY(!record[DigitalSlots::InvertOutput]);
  QVERIFY(record[DigitalSlots::ShowInput]);
  QVERIFY(record[DigitalSlots::ToggleOutput]);
  QCOMPARE(h.m_doc.m_sPinUsedFor[38], u"Smart Digital I/O"_s);
}

void TestSmartPinEditors::digitalChoices() {
  CEditorFixture h;
  CCodeObject record;
  CObjectDigital digital;
  digital.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QVERIFY(SetValues(digital, {{u"inSource"_s, u"This OUT"_s},
                              {u"outHighStateDrive"_s, u"Float"_s},
                              {u"outLowStateDrive"_s, u"7"_s},
                              {u"outStartState"_s, u"Low"_s},
                              {u"inFilter"_s, u"Using filt3"_s},
                              {u"invertOutputLogicLevel"_s, u"true"_s},
                              {u"toggleOUTStateInLoop"_s, u"0"_s}}));
  QVERIFY(digital.OnOK());
  QCOMPARE(record[DigitalSlots::Source], 4);
  QCOMPARE(record[DigitalSlots::HighDrive], 7);
  QCOMPARE(record[DigitalSlots::LowDrive], 7);
  QCOMPARE(record[DigitalSlots::StartState], 2);
  QCOMPARE(record[DigitalSlots::Filter], 4);
  QVERIFY(record[DigitalSlots::InvertOutput]);
  QVERIFY(!record[DigitalSlots::ToggleOutput]);

  // Reopened, every choice comes back; "Pin# -3" is source 5.
  CObjectDigital edit;
  edit.Open(&record, &h.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(edit.m_nSource, 4);
  QCOMPARE(edit.m_nStartState, 2);
  QVERIFY(edit.m_bInvertOutput);
  QVERIFY(SetValues(edit, {{u"inSource"_s, u"Pin# -3"_s}}));
  QVERIFY(edit.OnOK());
  QCOMPARE(record[DigitalSlots::Source], 5);
  QVERIFY(!h.m_doc.m_bPinUsed[35]);
}

void TestSmartPinEditors::filtersDefaults() {
  CEditorFixture h;
  CCodeObject record;
  const QStringList pinsBefore = PinTableSnapshot(h.m_doc);
  CObjectFilters filters;
  filters.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QCOMPARE(filters.m_sName, u"Filter1"_s);
  for (int i = 0; i < 4; ++i) QCOMPARE(ValueOf(filters, u"filter%1TapText"_s.arg(i)), u"0"_s);
  QVERIFY(filters.OnOK());
  QCOMPARE(record.m_nType, int32_t{OBJ_DIGITAL_FILTERS});
  for (int i = 0; i < FiltersSlots::kFilterCount; ++i) {
    QCOMPARE(record[FiltersSlots::Length(i)], 0);
    QCOMPARE(record[FiltersSlots::Tap(i)], 0);
    QVERIFY(record[FiltersSlots::Enabled(i)]);
  }
  QVERIFY(record.m_bValid);
  QCOMPARE(record[Slot::BasePin], QString());
  QCOMPARE(record[Slot::PinCount], 0);
  QCOMPARE(PinTableSnapshot(h.m_doc), pinsBefore);
}

void TestSmartPinEditors::filtersChoicesAndTaps() {
  CEditorFixture h;
  CCodeObject record;
  CObjectFilters filters;
  filters.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  // Lengths go by the radio's text: "8" is the fourth radio, "1" no radio at all.
  QVERIFY(SetValues(filters, {{u"filter3Length"_s, u"8"_s}, {u"filter0Length"_s, u"3"_s}}));
  QVERIFY(!SetValues(filters, {{u"filter2Length"_s, u"1"_s}}));
  QVERIFY(SetValues(filters, {{u"filter1Tap"_s, u"31"_s}}));
  QCOMPARE(filters.m_sTap[1], u"31"_s);
  QVERIFY(!SetValues(filters, {{u"filter1Tap"_s, u"32"_s}}));
  for (int i = 0; i < 4; ++i) QVERIFY(SetValues(filters, {{u"setFilter%1"_s.arg(i), u"false"_s}}));
  QVERIFY(filters.OnOK());
  QCOMPARE(record[FiltersSlots::Length(3)], 3);
  QCOMPARE(record[FiltersSlots::Length(0)], 1);
  QCOMPARE(record[FiltersSlots::Tap(1)], 31);
  for (int i = 0; i < FiltersSlots::kFilterCount; ++i) QVERIFY(!record[FiltersSlots::Enabled(i)]);
  QVERIFY(record.m_bValid);

  CObjectFilters edit;
  edit.Open(&record, &h.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(edit.m_sTap[1], u"31"_s);
  QCOMPARE(edit.m_nLength[3], 3);
}

void TestSmartPinEditors::neopixelDefaults() {
  CEditorFixture h;
  CCodeObject record;
  CObjectNeopixel leds;
  leds.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QCOMPARE(leds.m_sName, u"Neopixel1"_s);
  QVERIFY(leds.OnOK());
  const CCodeObject& o = record;
  QCOMPARE(o.m_nType, int32_t{OBJ_NEOPIXEL});
  QCOMPARE(o[Slot::BasePin], u"53"_s);
  QCOMPARE(o[NeopixelSlots::ColorText], u"  FF3219"_s);
  QCOMPARE(o[NeopixelSlots::HoldoffText], u"500 us"_s);
  QCOMPARE(o[NeopixelSlots::LedCount], u"1"_s);
  QCOMPARE(o[NeopixelSlots::Red], 255);
  QCOMPARE(o[NeopixelSlots::Green], 50);
  QCOMPARE(o[NeopixelSlots::Blue], 25);
  QCOMPARE(o[NeopixelSlots::LedType], 0);
  QCOMPARE(o[NeopixelSlots::Holdoff], 5);
  QVERIFY(!o[NeopixelSlots::CycleColors]);
  QCOMPARE(h.m_doc.m_sPinUsedFor[53], u"Neopixel"_s);
}

void TestSmartPinEditors::neopixelSliderTexts_data() {
  QTest::addColumn<QStringList>("steps");
  QTest::addColumn<QString>("color");
  QTest::addColumn<QString>("holdoff");
  QTest::newRow("all black") << QStringList{u"red=0"_s, u"green=0"_s, u"blue=0"_s} << "       0"
                             << "500 us";
  QTest::newRow("white") << QStringList{u"red=255"_s, u"green=255"_s, u"blue=255"_s} << "  FFFFFF"
                         << "500 us";
  QTest::newRow("blue only") << QStringList{u"red=0"_s, u"green=0"_s, u"blue=10"_s} << "       A"
                             << "500 us";
  QTest::newRow("longest hold-off") << QStringList{u"holdoff=50"_s} << "  FF3219"
                                    << "5000 us";
  QTest::newRow("shortest hold-off") << QStringList{u"holdoff=1"_s} << "  FF3219"
                                     << "100 us";
}

void TestSmartPinEditors::neopixelSliderTexts() {
  QFETCH(QStringList, steps);
  CEditorFixture h;
  CCodeObject record;
  CObjectNeopixel leds;
  leds.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QVERIFY(SetValues(leds, ValuesFrom(steps)));
  QTEST(ValueOf(leds, u"colorText"_s), "color");
  QTEST(ValueOf(leds, u"holdoffText"_s), "holdoff");
  QVERIFY(!SetValues(leds, {{u"holdoff"_s, u"0"_s}}));
  QVERIFY(!SetValues(leds, {{u"red"_s, u"256"_s}}));
}

void TestSmartPinEditors::neopixelEditShowsStoredTexts() {
  CEditorFixture h;
  CCodeObject record;
  {
    CObjectNeopixel leds;
    leds.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
    QVERIFY(SetValues(leds, {{u"ledType"_s, u"SK6812"_s}}));
    QVERIFY(SetValues(leds, {{u"ledsInString"_s, u"24"_s}}));
    QVERIFY(leds.OnOK());
  }
  QCOMPARE(record[NeopixelSlots::LedType], 4);
  record[NeopixelSlots::ColorText] =
      u"  123456"_s;  // texts are shown as stored until a slider moves
  CObjectNeopixel leds;
  leds.Open(&record, &h.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(leds.m_sColor, u"  123456"_s);
  QCOMPARE(leds.m_sLedCount, u"24"_s);
  QCOMPARE(leds.m_nLedType, 4);
  QVERIFY(SetValues(leds, {{u"green"_s, u"0"_s}}));
  QCOMPARE(leds.m_sColor, u"  FF0019"_s);
}

void TestSmartPinEditors::servoDefaults() {
  CEditorFixture h;
  CCodeObject record;
  CObjectServo servo;
  servo.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QCOMPARE(servo.m_sName, u"Servo1"_s);
  QCOMPARE(ValueOf(servo, u"degrees"_s), u"90"_s);
  QCOMPARE(ValueOf(servo, u"microseconds"_s), u"1500"_s);
  QVERIFY(servo.OnOK());
  QCOMPARE(record.m_nType, int32_t{OBJ_SERVO});
  QCOMPARE(record[Slot::BasePin], u"38"_s);
  QCOMPARE(record[ServoSlots::Degrees], u"90"_s);
  QCOMPARE(record[ServoSlots::Microseconds], u"1500"_s);
  QVERIFY(!record[ServoSlots::InMicroseconds]);
  QVERIFY(record[ServoSlots::RandomMoves]);
}

void TestSmartPinEditors::servoSlider_data() {
  QTest::addColumn<QStringList>("steps");
  QTest::addColumn<QString>("degrees");
  QTest::addColumn<QString>("microseconds");
  QTest::addColumn<bool>("inMicroseconds");
  QTest::newRow("0 degrees") << QStringList{u"startingPosition=0"_s} << "0"
                             << "600" << false;
  QTest::newRow("180 degrees") << QStringList{u"startingPosition=180"_s} << "180"
                               << "2400" << false;
  // The units choice changes only the flag; both texts stay as the slider set them.
  QTest::newRow("microseconds") << QStringList{u"startingPosition=45"_s,
                                               u"positionUnitsOptions=Microseconds"_s}
                                << "45"
                                << "1050" << true;
}

void TestSmartPinEditors::servoSlider() {
  QFETCH(QStringList, steps);
  CEditorFixture h;
  CCodeObject record;
  CObjectServo servo;
  servo.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QVERIFY(SetValues(servo, ValuesFrom(steps)));
  QVERIFY(servo.OnOK());
  QTEST(record[ServoSlots::Degrees], "degrees");
  QTEST(record[ServoSlots::Microseconds], "microseconds");
  QTEST(record[ServoSlots::InMicroseconds], "inMicroseconds");
  QVERIFY(!SetValues(servo, {{u"startingPosition"_s, u"181"_s}}));
}

void TestSmartPinEditors::servoEditTakesPositionFromText() {
  CEditorFixture h;
  CCodeObject record;
  record.m_nType = OBJ_SERVO;
  record.m_sName = u"Servo1"_s;
  record[Slot::BasePin] = u"38"_s;
  record[ServoSlots::Degrees] = u"120"_s;
  record[ServoSlots::Microseconds] = u"1800"_s;
  record[ServoSlots::InMicroseconds] = true;
  CObjectServo servo;
  servo.Open(&record, &h.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(servo.m_nPosition, 120);
  QCOMPARE(servo.m_nUnits, 1);
  QCOMPARE(servo.m_sMicroseconds, u"1800"_s);
  QVERIFY(!servo.m_bRandom);
}

QTEST_GUILESS_MAIN(TestSmartPinEditors)
#include "tst_smartpineditors.moc"
