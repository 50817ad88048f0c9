#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/ObjectNCO.h"

class TestObjectNco : public QObject {
  Q_OBJECT

 private slots:
  void newObjectShowsDefaultFrequency();
  void calculate_data();
  void calculate();
  void refusedFrequencyChangesNothing_data();
  void refusedFrequencyChangesNothing();
  void okAboveHalfClockKeepsShownRegisters();
  void okChecksKeptRegisters_data();
  void okChecksKeptRegisters();
  void okRefusesFrequencyBelowOneHertz();
  void editShowsStoredValuesAndOkRecalculates();
  void okClaimsPin();
};

static const QString kCalculate = QStringLiteral("calculateSmartPinSettings");

void TestObjectNco::newObjectShowsDefaultFrequency() {
  CEditorFixture h;
  CCodeObject record;
  CObjectNCO nco;
  nco.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QCOMPARE(nco.m_sName, QStringLiteral("NCO_Freq1"));
  QCOMPARE(nco.m_sPin, QStringLiteral("24"));
  QCOMPARE(nco.m_sDesiredFrequency, QStringLiteral("12_000_000"));
  QCOMPARE(nco.m_sWxPin, QStringLiteral("00000001"));
  QCOMPARE(nco.m_sWyPin, QStringLiteral("15555555"));
  QCOMPARE(nco.m_sResultingFrequency, QStringLiteral("13333333.320916"));
  QVERIFY(h.Messages().isEmpty());
}

void TestObjectNco::calculate_data() {
  QTest::addColumn<QString>("clock");
  QTest::addColumn<QString>("desired");
  QTest::addColumn<QString>("wxpin");
  QTest::addColumn<QString>("wypin");
  QTest::addColumn<QString>("resulting");

  QTest::newRow("defaults") << "160_000_000"
                            << "12_000_000"
                            << "00000001"
                            << "15555555"
                            << "13333333.320916";
  // P = 1 and 2 are 1 Hz off, P = 3 is exact and later exact periods do not replace it.
  QTest::newRow("1 kHz, smallest exact period") << "160_000_000"
                                                << "1000"
                                                << "00000003"
                                                << "00013A94"
                                                << "1000.016928";
  QTest::newRow("exactly half the clock") << "160_000_000"
                                          << "80_000_000"
                                          << "00000001"
                                          << "80000000"
                                          << "80000000.000000";
  QTest::newRow("440 Hz at 300 MHz") << "300_000_000"
                                     << "440"
                                     << "00000007"
                                     << "0000AC3F"
                                     << "440.000024";
  QTest::newRow("1 MHz at 180 MHz") << "180_000_000"
                                    << "1_000_000"
                                    << "0000002D"
                                    << "40000000"
                                    << "1000000.000000";
  // An odd clock: the frequencies come from the exact half clock, 1.5 and 3.5.
  QTest::newRow("odd clock, K 1") << "3"
                                  << "1"
                                  << "00000001"
                                  << "80000000"
                                  << "1.500000";
  QTest::newRow("odd clock, K 3") << "7"
                                  << "1"
                                  << "00000001"
                                  << "2AAAAAAA"
                                  << "1.166667";
  QTest::newRow("leading blanks and a trailing unit") << "160_000_000"
                                                      << "  1000 Hz"
                                                      << "00000003"
                                                      << "00013A94"
                                                      << "1000.016928";
}

void TestObjectNco::calculate() {
  QFETCH(QString, clock);
  QFETCH(QString, desired);
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
}

void TestObjectNco::refusedFrequencyChangesNothing_data() {
  QTest::addColumn<QString>("desired");
  QTest::addColumn<QString>("message");
  QTest::newRow("above half") << "80_000_001"
                              << "Error:  Desired frequency (80000001) cannot be greater than "
                                 "half P2 Frequency (80000000)";
  QTest::newRow("zero") << "0"
                        << "Error:  Desired frequency \"0\" must be at least 1 Hz.";
  QTest::newRow("negative") << "-1_000"
                            << "Error:  Desired frequency \"-1_000\" must be at least 1 Hz.";
  QTest::newRow("no digits") << "abc"
                             << "Error:  Desired frequency \"abc\" must be at least 1 Hz.";
  QTest::newRow("empty") << ""
                         << "Error:  Desired frequency \"\" must be at least 1 Hz.";
}

void TestObjectNco::refusedFrequencyChangesNothing() {
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
  QCOMPARE(nco.m_sWxPin, QStringLiteral("00000001"));
  QCOMPARE(nco.m_sWyPin, QStringLiteral("15555555"));
  QCOMPARE(nco.m_sResultingFrequency, QStringLiteral("13333333.320916"));
  QCOMPARE(nco.m_sDesiredFrequency, desired);
}

void TestObjectNco::okAboveHalfClockKeepsShownRegisters() {
  CEditorFixture h;
  CCodeObject record;
  CObjectNCO nco;
  nco.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  nco.m_sDesiredFrequency = QStringLiteral("90_000_000");
  nco.m_sWxPin = QStringLiteral("00000002");  // the user's own edit
  QVERIFY(nco.OnOK());
  QCOMPARE(h.Messages(),
           QStringList{PlainLine(QStringLiteral("Error:  Desired frequency (90000000) cannot be "
                                                "greater than half P2 Frequency (80000000)"))});
  QCOMPARE(record[NcoSlots::WxPin], QStringLiteral("00000002"));
  QCOMPARE(record[NcoSlots::WyPin], QStringLiteral("15555555"));
  QCOMPARE(record[NcoSlots::DesiredFrequency], QStringLiteral("90_000_000"));
  QCOMPARE(record[NcoSlots::ResultingFrequency], QStringLiteral("13333333.320916"));
  QVERIFY(record.m_bValid);
  QVERIFY(h.m_doc.m_bPinUsed[24]);
}

void TestObjectNco::okChecksKeptRegisters_data() {
  QTest::addColumn<QString>("wxpin");  // "-": as the new editor left it
  QTest::addColumn<QString>("wypin");
  QTest::addColumn<QString>("message");  // the error after the half-clock message; "" accepted
  QTest::newRow("never calculated")
      << "-"
      << "-"
      << "WXPIN \"\" is not a hexadecimal value of one to eight digits.  Enter a desired "
         "frequency up to half the P2 frequency and press \"Calculate Smart Pin Settings\", or "
         "type the value.";
  QTest::newRow("typed with underscores") << "0000_0003"
                                          << "13a94"
                                          << "";
  QTest::newRow("not hexadecimal") << "00000003"
                                   << "$13A94"
                                   << "WYPIN \"$13A94\" is not a hexadecimal value of one to eight "
                                      "digits.  Enter a desired frequency up to half the P2 "
                                      "frequency and press \"Calculate Smart Pin Settings\", or "
                                      "type the value.";
  QTest::newRow("nine digits") << "000000003"
                               << "00013A94"
                               << "WXPIN \"000000003\" is not a hexadecimal value of one to eight "
                                  "digits.  Enter a desired frequency up to half the P2 frequency "
                                  "and press \"Calculate Smart Pin Settings\", or type the value.";
}

// With a clock too slow for the desired frequency, OK keeps the register texts as they stand;
// they go behind "$" in the main file, so only hexadecimal values may be stored as accepted.
void TestObjectNco::okChecksKeptRegisters() {
  QFETCH(QString, wxpin);
  QFETCH(QString, wypin);
  QFETCH(QString, message);
  CEditorFixture h;
  h.m_doc.m_sClockFreq = QStringLiteral("20_000_000");
  CCodeObject record;
  CObjectNCO nco;
  nco.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QCOMPARE(nco.m_sWxPin, QString());
  if (wxpin != u"-") nco.m_sWxPin = wxpin;
  if (wypin != u"-") nco.m_sWyPin = wypin;
  h.ClearMessages();
  const QStringList pinsBefore = PinTableSnapshot(h.m_doc);
  const bool accepted = nco.OnOK();

  QStringList expected{
      PlainLine(QStringLiteral("Error:  Desired frequency (12000000) cannot be "
                               "greater than half P2 Frequency (10000000)"))};
  if (!message.isEmpty()) expected.append(ErrorLine(message));
  QCOMPARE(h.Messages(), expected);
  QCOMPARE(accepted, message.isEmpty());
  QCOMPARE(record.m_bValid, accepted);
  QCOMPARE(record[NcoSlots::WxPin], nco.m_sWxPin);
  QCOMPARE(record[NcoSlots::WyPin], nco.m_sWyPin);
  if (accepted) {
    QCOMPARE(h.m_doc.m_sPinUsedFor[24], QStringLiteral("NCO Frequency"));
  } else {
    QCOMPARE(PinTableSnapshot(h.m_doc), pinsBefore);
    QCOMPARE(nco.m_sFocusKey, message.left(5).toLower());
  }
}

void TestObjectNco::okRefusesFrequencyBelowOneHertz() {
  CEditorFixture h;
  CCodeObject record;
  CObjectNCO nco;
  nco.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QVERIFY(nco.OnOK());
  const CCodeObject accepted = record;
  const QStringList pinsBefore = PinTableSnapshot(h.m_doc);
  h.m_doc.SetModifiedFlag(false);

  CObjectNCO edit;
  edit.Open(&record, &h.m_doc, CObjectEditor::kEditMode);
  edit.m_sDesiredFrequency = QStringLiteral("0");
  edit.m_sPin = QStringLiteral("30");
  h.ClearMessages();
  QVERIFY(!edit.OnOK());
  QCOMPARE(h.Messages(), QStringList{PlainLine(QStringLiteral(
                             "Error:  Desired frequency \"0\" must be at least 1 Hz."))});
  QCOMPARE(edit.m_sFocusKey, QStringLiteral("desiredFrequencyHz"));
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
  QCOMPARE(nco.m_sWxPin, QStringLiteral("00000001"));
  QCOMPARE(nco.m_sWyPin, QStringLiteral("15555555"));
  QCOMPARE(nco.m_sResultingFrequency, QStringLiteral("13333333.320916"));

  QVERIFY(nco.OnOK());
  QCOMPARE(stored[NcoSlots::WxPin], QStringLiteral("00000001"));
  QCOMPARE(stored[NcoSlots::WyPin], QStringLiteral("0AAAAAAA"));
  QCOMPARE(stored[NcoSlots::ResultingFrequency], QStringLiteral("12499999.953434"));
  QCOMPARE(nco.m_sWyPin, QStringLiteral("0AAAAAAA"));
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
