#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/ObjectRTC.h"

class TestRTC : public QObject {
  Q_OBJECT

 private slots:
  void busListInListOrder();
  void reopenSelectsStoredValues();
  void deletedBusMustBeChosenAgain();
};

namespace {

struct CRtcFixture : CEditorFixture {
  CRtcFixture() {
    Add(OBJ_I2C_BUS);
    Add(OBJ_SIMPLE_VGA, {{QStringLiteral("basepin"), QStringLiteral("0")}});
    Add(OBJ_I2C_BUS, {{QStringLiteral("sclPin"), QStringLiteral("20")},
                      {QStringLiteral("sdaPin"), QStringLiteral("21")}});
  }
};

}  // namespace

void TestRTC::busListInListOrder() {
  CRtcFixture f;
  const QStringList pins = PinTableSnapshot(f.m_doc);
  CObjectRTC editor;
  CCodeObject record;
  editor.Open(&record, &f.m_doc, CObjectEditor::kNewMode);
  QCOMPARE(editor.m_sName, QStringLiteral("RTC1"));
  QCOMPARE(editor.m_busItems, (QStringList{QStringLiteral("I2CBus1"), QStringLiteral("I2CBus2")}));
  QCOMPARE(editor.m_nBus, 0);
  QCOMPARE(editor.m_nRtcType, 0);
  QVERIFY(!editor.m_bSetTime);

  QVERIFY(SetValues(editor, {{QStringLiteral("i2cBus"), QStringLiteral("I2CBus2")},
                             {QStringLiteral("setTimeToPCsTime"), QStringLiteral("true")}}));
  QVERIFY(editor.OnOK());
  QVERIFY(f.Messages().isEmpty());
  QCOMPARE(PinTableSnapshot(f.m_doc), pins);

  CCodeObject expected;
  expected.m_nType = OBJ_RTC;
  expected.m_sName = QStringLiteral("RTC1");
  expected[RtcSlots::Bus] = QStringLiteral("I2CBus2");
  expected[RtcSlots::RtcType] = QStringLiteral("DS1339");
  expected[RtcSlots::SetTime] = true;
  expected.m_bValid = true;
  QVERIFY(record == expected);
}

void TestRTC::reopenSelectsStoredValues() {
  CRtcFixture f;
  CCodeObject* rtc = f.Add(OBJ_RTC, {{QStringLiteral("i2cBus"), QStringLiteral("1")},
                                     {QStringLiteral("setTimeToPCsTime"), QStringLiteral("1")}});
  QVERIFY(rtc);
  CObjectRTC editor;
  editor.Open(rtc, &f.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(editor.m_nBus, 1);
  QCOMPARE(editor.m_nRtcType, 0);
  QVERIFY(editor.m_bSetTime);
  QVERIFY(editor.IsNameReadOnly());
}

// Without a bus the generated program could not reach the clock: OK asks for one.
void TestRTC::deletedBusMustBeChosenAgain() {
  CRtcFixture f;
  CCodeObject* rtc = f.Add(OBJ_RTC);
  QVERIFY(rtc);
  f.m_doc.DeleteObject(f.m_doc.FindObject(QStringLiteral("I2CBus1")));

  CObjectRTC editor;
  editor.Open(rtc, &f.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(editor.m_nBus, -1);
  QVERIFY(!editor.OnOK());
  QCOMPARE(f.Messages(),
           QStringList{ErrorLine(QStringLiteral(
               "No I2C bus is selected.  Please choose the I2C bus the RTC is on."))});
  QCOMPARE(editor.m_sFocusKey, QStringLiteral("i2cBus"));
  QVERIFY(!rtc->m_bValid);

  QVERIFY(SetValues(editor, {{QStringLiteral("i2cBus"), QStringLiteral("I2CBus2")}}));
  QVERIFY(editor.OnOK());
  QVERIFY(rtc->m_bValid);
  QCOMPARE((*rtc)[RtcSlots::Bus], QStringLiteral("I2CBus2"));
}

QTEST_GUILESS_MAIN(TestRTC)
#include "tst_rtc.moc"
