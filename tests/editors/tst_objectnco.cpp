#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/ObjectNCO.h"
#include "model/TextConversion.h"

class TestObjectNco : public QObject {
  Q_OBJECT

 private slots:
  void newObjectShowsDefaultFrequency();
  void calculate_data();
  void calculate();
  void refusedFrequency_data();
  void refusedFrequency();
  void editShowsStoredValuesAndOkRecalculates();
  void okClaimsPin();
};

static const QString kCalculate = QStringLiteral("calculateSmartPinSettings");
static const QString kVarying = QStringLiteral(
    "The period is not a whole number of clocks: it varies from cycle to cycle, and the "
    "frequency shown is its average.");

void TestObjectNco::newObjectShowsDefaultFrequency() {
  CEditorFixture h;
  CCodeObject record;
  CObjectNCO nco;
  nco.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QCOMPARE(nco.m_sName, QStringLiteral("NCO_Freq1"));
  QCOMPARE(nco.m_sPin, QStringLiteral("24"));
  QCOMPARE(nco.m_sDesiredFrequency, QStringLiteral("12_000_000"));
  QCOMPARE(nco.m_sWxPin, QStringLiteral("00000005"));
  QCOMPARE(nco.m_sWyPin, QStringLiteral("60000000"));
  QCOMPARE(nco.m_sResultingFrequency, QStringLiteral("12000000.000000"));
  QCOMPARE(nco.m_sPeriodNote, kVarying);
  QVERIFY(h.Messages().isEmpty());
}

// Expected values from an exact search over every base period with rational arithmetic.
void TestObjectNco::calculate_data() {
  QTest::addColumn<QString>("clock");
  QTest::addColumn<QString>("desired");
  QTest::addColumn<QString>("wxpin");
  QTest::addColumn<QString>("wypin");
  QTest::addColumn<QString>("resulting");
  QTest::addColumn<bool>("wholePeriod");

  const auto row = [](const char* name, const char* clock, const char* desired, const char* wx,
                      const char* wy, const char* resulting, bool whole) {
    QTest::newRow(name) << QString::fromLatin1(clock) << QString::fromLatin1(desired)
                        << QString::fromLatin1(wx) << QString::fromLatin1(wy)
                        << QString::fromLatin1(resulting) << whole;
  };
  row("12 MHz at 160 MHz", "160_000_000", "12_000_000", "00000005", "60000000", "12000000.000000",
      false);
  row("33 MHz at 160 MHz", "160_000_000", "33_000_000", "00000001", "34CCCCCD", "33000000.007451",
      false);
  row("50 MHz at 160 MHz", "160_000_000", "50_000_000", "00000001", "50000000", "50000000.000000",
      false);
  row("1 Hz at 160 MHz", "160_000_000", "1", "0000B291", "0012B95B", "1.000000", false);
  // Periods 625 and 1250 are both exact: the smaller wins.
  row("1 kHz at 160 MHz, smaller exact period", "160_000_000", "1000", "00000271", "01000000",
      "1000.000000", true);
  row("half of 160 MHz", "160_000_000", "80_000_000", "00000001", "80000000", "80000000.000000",
      true);
  row("12 MHz at 200 MHz", "200_000_000", "12_000_000", "00000004", "3D70A3D7", "11999999.999534",
      false);
  row("33 MHz at 200 MHz", "200_000_000", "33_000_000", "00000001", "2A3D70A4", "33000000.007451",
      false);
  row("50 MHz at 200 MHz", "200_000_000", "50_000_000", "00000001", "40000000", "50000000.000000",
      true);
  row("1 Hz at 200 MHz", "200_000_000", "1", "00009E43", "000D46A5", "1.000000", false);
  row("half of 200 MHz", "200_000_000", "100_000_000", "00000001", "80000000", "100000000.000000",
      true);
  row("440 Hz at 300 MHz", "300_000_000", "440", "0000FE39", "186F8D0F", "440.000000", false);
  row("odd clock", "7", "1", "00000002", "49249249", "1.000000", false);
  row("blanks around", "160_000_000", "  1_000  ", "00000271", "01000000", "1000.000000", true);
}

void TestObjectNco::calculate() {
  QFETCH(QString, clock);
  QFETCH(QString, desired);
  QFETCH(bool, wholePeriod);
  CEditorFixture h;
  CCodeObject record;
  h.m_doc.m_sClockFreq = clock;
  CObjectNCO nco;
  nco.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  h.ClearMessages();
  QVERIFY(SetValues(nco, {{QStringLiteral("desiredFrequencyHz"), desired}}));
  QVERIFY(PressButton(nco, kCalculate));
  QCOMPARE(h.Messages(), QStringList());
  QTEST(ValueOf(nco, QStringLiteral("wxpin")), "wxpin");
  QTEST(ValueOf(nco, QStringLiteral("wypin")), "wypin");
  QTEST(ValueOf(nco, QStringLiteral("resultingFrequencyHz")), "resulting");
  QCOMPARE(nco.m_sPeriodNote, wholePeriod ? QString() : kVarying);
}

void TestObjectNco::refusedFrequency_data() {
  QTest::addColumn<QString>("desired");
  QTest::addColumn<QString>("message");
  const QString aboveHalf = QStringLiteral(
      "Error:  Desired frequency (%1) cannot be greater than half P2 Frequency (80000000)");
  const QString notWhole = QStringLiteral(
      "Error:  Desired frequency \"%1\" is not a whole number of hertz.  Type digits only, "
      "underscores allowed, for example 12_000_000.");
  const QString belowOne =
      QStringLiteral("Error:  Desired frequency \"%1\" must be at least 1 Hz.");
  for (const char* text : {"80_000_001", "2147483647", "4294967296", "99999999999999999999"})
    QTest::newRow(text) << QString::fromLatin1(text)
                        << aboveHalf.arg(RemoveUnderscores(QString::fromLatin1(text)));
  for (const char* text :
       {"1e400", "12 000", "12.5", "1000 Hz", "+1000", "-1_000", "0x100", "abc", "", "_1000"})
    QTest::newRow(text) << QString::fromLatin1(text) << notWhole.arg(QString::fromLatin1(text));
  for (const char* text : {"0", "0_000"})
    QTest::newRow(text) << QString::fromLatin1(text) << belowOne.arg(QString::fromLatin1(text));
}

// Calculate says why and changes nothing; OK says why and stores nothing, in new and edit mode.
void TestObjectNco::refusedFrequency() {
  QFETCH(QString, desired);
  QFETCH(QString, message);
  CEditorFixture h;
  CCodeObject record;
  CObjectNCO nco;
  nco.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  h.ClearMessages();
  QVERIFY(SetValues(nco, {{QStringLiteral("desiredFrequencyHz"), desired}}));
  QVERIFY(PressButton(nco, kCalculate));
  QCOMPARE(h.Messages(), QStringList{PlainLine(message)});
  QCOMPARE(nco.m_sWxPin, QStringLiteral("00000005"));
  QCOMPARE(nco.m_sWyPin, QStringLiteral("60000000"));
  QCOMPARE(nco.m_sResultingFrequency, QStringLiteral("12000000.000000"));
  QCOMPARE(nco.m_sDesiredFrequency, desired);

  h.ClearMessages();
  const CCodeObject empty = record;
  QVERIFY(!nco.OnOK());
  QCOMPARE(h.Messages(), QStringList{ErrorLine(message)});
  QCOMPARE(nco.m_sFocusKey, QStringLiteral("desiredFrequencyHz"));
  QVERIFY(record == empty);
  QVERIFY(!h.m_doc.m_bPinUsed[24]);

  // An accepted object keeps its record and pins when an edit is refused.
  nco.m_sDesiredFrequency = QStringLiteral("12_000_000");
  QVERIFY(nco.OnOK());
  const CCodeObject accepted = record;
  const QStringList pinsBefore = PinTableSnapshot(h.m_doc);
  h.m_doc.SetModifiedFlag(false);
  CObjectNCO edit;
  edit.Open(&record, &h.m_doc, CObjectEditor::kEditMode);
  edit.m_sDesiredFrequency = desired;
  edit.m_sPin = QStringLiteral("30");
  h.ClearMessages();
  QVERIFY(!edit.OnOK());
  QCOMPARE(h.Messages(), QStringList{ErrorLine(message)});
  QVERIFY(record == accepted);
  QCOMPARE(PinTableSnapshot(h.m_doc), pinsBefore);
  QVERIFY(!h.m_doc.IsModified());
}

void TestObjectNco::editShowsStoredValuesAndOkRecalculates() {
  CEditorFixture h;
  CCodeObject record;
  {
    CObjectNCO nco;
    nco.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
    QVERIFY(nco.OnOK());
  }
  h.m_doc.AddObject(std::make_unique<CCodeObject>(record));
  CCodeObject& stored = *h.m_doc.m_ObjectList.back();
  h.m_doc.m_sClockFreq = QStringLiteral("300_000_000");

  CObjectNCO nco;
  nco.Open(&stored, &h.m_doc, CObjectEditor::kEditMode);
  QVERIFY(nco.IsNameReadOnly());
  QCOMPARE(nco.m_sName, QStringLiteral("NCO_Freq1"));
  QCOMPARE(nco.m_sDesiredFrequency, QStringLiteral("12_000_000"));
  QCOMPARE(nco.m_sWxPin, QStringLiteral("00000005"));
  QCOMPARE(nco.m_sWyPin, QStringLiteral("60000000"));
  QCOMPARE(nco.m_sResultingFrequency, QStringLiteral("12000000.000000"));
  QCOMPARE(nco.m_sPeriodNote, kVarying);

  QVERIFY(nco.OnOK());
  QCOMPARE(stored[NcoSlots::WxPin], QStringLiteral("00000006"));
  QCOMPARE(stored[NcoSlots::WyPin], QStringLiteral("3D70A3D7"));
  QCOMPARE(stored[NcoSlots::ResultingFrequency], QStringLiteral("11999999.999534"));
  QCOMPARE(nco.m_sWyPin, QStringLiteral("3D70A3D7"));
  QVERIFY(h.Messages().isEmpty());
}

void TestObjectNco::okClaimsPin() {
  CEditorFixture h;
  CCodeObject record;
  CObjectNCO nco;
  nco.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QVERIFY(nco.OnOK());
  QCOMPARE(record.m_nType, int32_t{OBJ_NCO});
  QCOMPARE(record.m_sName, QStringLiteral("NCO_Freq1"));
  QCOMPARE(record[Slot::BasePin], QStringLiteral("24"));
  QCOMPARE(record[Slot::PinCount], 1);
  QCOMPARE(record[NcoSlots::DesiredFrequency], QStringLiteral("12_000_000"));
  QVERIFY(record.m_bValid);
  QCOMPARE(h.m_doc.m_sPinUsedBy[24], QStringLiteral("NCO_Freq1"));
  QCOMPARE(h.m_doc.m_sPinUsedFor[24], QStringLiteral("NCO Frequency"));
}

QTEST_GUILESS_MAIN(TestObjectNco)
#include "tst_objectnco.moc"
