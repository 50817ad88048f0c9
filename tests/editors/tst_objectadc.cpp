#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/ObjectADC.h"

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(CIntSlot)

class TestObjectAdc : public QObject {
  Q_OBJECT

 private slots:
  void newObjectAcceptedAtOnce();
  void filterMovesSlider_data();
  void filterMovesSlider();
  void sliderRangeFollowsFilter();
  void reopenedSinc2KeepsItsPeriod();
  void choicesStoreTheirConstants_data();
  void choicesStoreTheirConstants();
  void externalClockCannotBeChosen();
  void damagedChoicesAreRejected_data();
  void damagedChoicesAreRejected();
};

static const QString kFilter = QStringLiteral("filter");
static const QString kSlider = QStringLiteral("sampleClocks");
static const QString kClocks = QStringLiteral("sampleClockCount");

void TestObjectAdc::newObjectAcceptedAtOnce() {
  CEditorFixture h;
  CCodeObject record;
  CObjectADC adc;
  adc.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QCOMPARE(adc.m_sName, QStringLiteral("ADC1"));
  QCOMPARE(ValueOf(adc, kClocks), QStringLiteral("8192"));
  QVERIFY(adc.OnOK());
  const CCodeObject& o = record;
  QCOMPARE(o.m_nType, int32_t{OBJ_ADC});
  QCOMPARE(o[Slot::BasePin], QStringLiteral("50"));
  QCOMPARE(o[Slot::PinCount], 1);
  QCOMPARE(o[AdcSlots::Filter], 0);
  QCOMPARE(o[AdcSlots::SampleExponent], 13);
  QCOMPARE(o[AdcSlots::Source], 0);
  QCOMPARE(o[AdcSlots::Gain], 0);
  QVERIFY(o[AdcSlots::ShowCalibrated]);
  QCOMPARE(o[AdcSlots::GainConstant], QStringLiteral("P_ADC_1X"));
  QCOMPARE(o[AdcSlots::SourceConstant], QStringLiteral("P_LOCAL_A|"));
  QVERIFY(o.m_bValid);
  QCOMPARE(h.m_doc.m_sPinUsedFor[50], QStringLiteral("Analog To Digital"));
  QVERIFY(h.Messages().isEmpty());
}

void TestObjectAdc::filterMovesSlider_data() {
  QTest::addColumn<QStringList>("steps");  // key=value, applied in order
  QTest::addColumn<int>("exponent");
  QTest::addColumn<QString>("clocks");
  QTest::newRow("SINC3") << QStringList{u"filter=SINC3"_s} << 9 << "512";
  QTest::newRow("SINC3 then Sampling")
      << QStringList{u"filter=2"_s, u"filter=Sampling"_s} << 13 << "8192";
  QTest::newRow("SINC2 after a lowered slider")
      << QStringList{u"sampleClocks=3"_s, u"filter=1"_s} << 13 << "8192";
  QTest::newRow("Sampling at its lowest") << QStringList{u"sampleClocks=1"_s} << 1 << "2";
  QTest::newRow("SINC3 at its lowest")
      << QStringList{u"filter=2"_s, u"sampleClocks=4"_s} << 4 << "16";
}

void TestObjectAdc::filterMovesSlider() {
  QFETCH(QStringList, steps);
  CEditorFixture h;
  CCodeObject record;
  CObjectADC adc;
  adc.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QVERIFY(SetValues(adc, ValuesFrom(steps)));
  QTEST(adc.m_nSampleExponent, "exponent");
  QTEST(ValueOf(adc, kClocks), "clocks");
  QVERIFY(adc.OnOK());
  QTEST(record[AdcSlots::SampleExponent], "exponent");
}

void TestObjectAdc::sliderRangeFollowsFilter() {
  CEditorFixture h;
  CCodeObject record;
  CObjectADC adc;
  adc.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QVERIFY(SetValues(adc, {{kFilter, QStringLiteral("SINC3")}}));
  const CEditorField slider = FieldOf(adc, kSlider);
  QCOMPARE(slider.m_nMin, 4);
  QCOMPARE(slider.m_nMax, 9);
  QVERIFY(!SetValues(adc, {{kSlider, QStringLiteral("10")}}));
  QVERIFY(!SetValues(adc, {{kSlider, QStringLiteral("3")}}));
  QCOMPARE(adc.m_nSampleExponent, 9);
}

void TestObjectAdc::reopenedSinc2KeepsItsPeriod() {
  CEditorFixture h;
  CCodeObject record;
  {
    CObjectADC adc;
    adc.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
    QVERIFY(SetValues(adc, {{kFilter, QStringLiteral("SINC2")}}));
    QVERIFY(SetValues(adc, {{kSlider, QStringLiteral("6")}}));
    QVERIFY(adc.OnOK());
  }
  QCOMPARE(record[AdcSlots::Filter], 1);
  QCOMPARE(record[AdcSlots::SampleExponent], 6);

  CObjectADC adc;
  adc.Open(&record, &h.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(ValueOf(adc, kSlider), QStringLiteral("6"));
  QCOMPARE(ValueOf(adc, kClocks), QStringLiteral("64"));
  const CEditorField slider = FieldOf(adc, kSlider);
  QCOMPARE(slider.m_nMin, 4);
  QCOMPARE(slider.m_nMax, 13);
  QVERIFY(adc.OnOK());
  QCOMPARE(record[AdcSlots::SampleExponent], 6);
}

void TestObjectAdc::choicesStoreTheirConstants_data() {
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("value");
  QTest::addColumn<CIntSlot>("slot");  // where the chosen index is stored
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("gain");
  QTest::addColumn<QString>("source");
  QTest::newRow("source 7 by index") << "adcSource"
                                     << "7" << AdcSlots::Source << 7 << "P_ADC_1X"
                                     << "P_MINUS1_A|";
  QTest::newRow("source by text") << "adcSource"
                                  << "Pin# -1" << AdcSlots::Source << 7 << "P_ADC_1X"
                                  << "P_MINUS1_A|";
  QTest::newRow("this OUT") << "adcSource"
                            << "This OUT" << AdcSlots::Source << 4 << "P_ADC_1X"
                            << "P_OUTBIT_A|";
  QTest::newRow("gain 31.6X") << "thisPinGain"
                              << "31.6X" << AdcSlots::Gain << 3 << "P_ADC_30X"
                              << "P_LOCAL_A|";
  QTest::newRow("gain 100X") << "thisPinGain"
                             << "4" << AdcSlots::Gain << 4 << "P_ADC_100X"
                             << "P_LOCAL_A|";
}

void TestObjectAdc::choicesStoreTheirConstants() {
  QFETCH(QString, key);
  QFETCH(QString, value);
  QFETCH(CIntSlot, slot);
  CEditorFixture h;
  CCodeObject record;
  CObjectADC adc;
  adc.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  QVERIFY(SetValues(adc, {{key, value}}));
  QVERIFY(adc.OnOK());
  QTEST(record[slot], "index");
  QTEST(record[AdcSlots::GainConstant], "gain");
  QTEST(record[AdcSlots::SourceConstant], "source");
  // The neighbouring source pin is not claimed.
  QCOMPARE(h.m_doc.m_bPinUsed[49], false);
  QCOMPARE(h.m_doc.m_bPinUsed[51], false);
}

void TestObjectAdc::externalClockCannotBeChosen() {
  CEditorFixture h;
  CCodeObject record;
  CObjectADC adc;
  adc.Open(&record, &h.m_doc, CObjectEditor::kNewMode);
  CEditorField clockSource = FieldOf(adc, QStringLiteral("clockSource"));
  QString error;
  QVERIFY(!clockSource.SetFromText(QStringLiteral("External"), &error));
  QCOMPARE(error, QStringLiteral("Invalid value \"External\" for clockSource: expected an item "
                                 "other than \"External\", which cannot be chosen."));
  QVERIFY(!clockSource.SetFromText(QStringLiteral("1"), nullptr));
  QCOMPARE(adc.m_nClockSource, 0);
  QVERIFY(SetValues(adc, {{QStringLiteral("clockSource"), QStringLiteral("Internal")}}));
}

// A record from a damaged file may hold indexes no radio has; OK must refuse, not crash.
void TestObjectAdc::damagedChoicesAreRejected_data() {
  QTest::addColumn<int>("filter");
  QTest::addColumn<int>("exponent");  // as stored
  QTest::addColumn<int>("gain");
  QTest::addColumn<int>("shownExponent");
  QTest::addColumn<QString>("message");
  QTest::newRow("gain") << 2 << 40 << 9 << 9
                        << "Please choose one of the \"This Pin Gain\" options.";
  // Sampling's range, then refused: stored as it stands it would read as SINC3 with 8192 clocks.
  QTest::newRow("filter") << 3 << 13 << 0 << 13 << "Please choose one of the \"Filter\" options.";
  QTest::newRow("negative filter")
      << -1 << 0 << 0 << 1 << "Please choose one of the \"Filter\" options.";
}

void TestObjectAdc::damagedChoicesAreRejected() {
  QFETCH(int, filter);
  QFETCH(int, exponent);
  QFETCH(int, gain);
  QFETCH(QString, message);
  CEditorFixture h;
  CCodeObject record;
  record.m_nType = OBJ_ADC;
  record.m_sName = QStringLiteral("ADC1");
  record[Slot::BasePin] = QStringLiteral("50");
  record[AdcSlots::Filter] = filter;
  record[AdcSlots::SampleExponent] = exponent;  // kept inside the filter's range
  record[AdcSlots::Gain] = gain;
  CObjectADC adc;
  adc.Open(&record, &h.m_doc, CObjectEditor::kEditMode);
  QTEST(adc.m_nSampleExponent, "shownExponent");
  QCOMPARE(adc.m_sSampleClocks, QString::number(1 << adc.m_nSampleExponent));
  QVERIFY(!adc.OnOK());
  QCOMPARE(h.Messages(), QStringList{ErrorLine(message)});
  QVERIFY(!record.m_bValid);
  QVERIFY(!h.m_doc.m_bPinUsed[50]);
}

QTEST_GUILESS_MAIN(TestObjectAdc)
#include "tst_objectadc.moc"
