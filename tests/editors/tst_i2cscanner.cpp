#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/I2CScanner.h"

class TestI2CScanner : public QObject {
  Q_OBJECT

 private slots:
  void newBus_data();
  void newBus();
  void storesSpeedAndPullupAsChosen();
  void cameraPinsPassAndAreTakenOver();
  void editMovesOnePin();
};

void TestI2CScanner::newBus_data() {
  QTest::addColumn<QString>("scl");
  QTest::addColumn<QString>("sda");
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QStringList>("pins");

  QTest::newRow("defaults") << QStringLiteral("56") << QStringLiteral("57") << QStringList()
                            << QStringList{QStringLiteral("56 I2CBus1 SCL"),
                                           QStringLiteral("57 I2CBus1 SDA")};
  QTest::newRow("scl 64 in the error box")
      << QStringLiteral("64") << QStringLiteral("57")
      << QStringList{ErrorLine(
             QStringLiteral("Pin 64 is out of range, please set to between 0 and 63."))}
      << QStringList();
  QTest::newRow("scl negative") << QStringLiteral("-1") << QStringLiteral("57")
                                << QStringList{ErrorLine(QStringLiteral(
                                       "Pin -1 is out of range, please set to between 0 and 63."))}
                                << QStringList();
  QTest::newRow("sda 64 in the plain box")
      << QStringLiteral("56") << QStringLiteral("64")
      << QStringList{PlainLine(
             QStringLiteral("Pin 64 is out of range, please set to between 0 and 63."))}
      << QStringList();
  QTest::newRow("scl on Serial") << QStringLiteral("62") << QStringLiteral("57")
                                 << QStringList{ErrorLine(
                                        QStringLiteral("Pin #62 is already in use by Serial."))}
                                 << QStringList();
  QTest::newRow("sda on Serial") << QStringLiteral("56") << QStringLiteral("63")
                                 << QStringList{ErrorLine(
                                        QStringLiteral("Pin #63 is already in use by Serial."))}
                                 << QStringList();
  QTest::newRow("same pin twice") << QStringLiteral("20") << QStringLiteral("20") << QStringList()
                                  << QStringList{QStringLiteral("20 I2CBus1 SDA")};
}

void TestI2CScanner::newBus() {
  QFETCH(QString, scl);
  QFETCH(QString, sda);
  QFETCH(QStringList, messages);
  QFETCH(QStringList, pins);

  CEditorFixture f;
  const QStringList before = PinTableSnapshot(f.m_doc);
  auto bus = f.Open(OBJ_I2C_BUS);
  QVERIFY(
      SetValues(*bus.m_editor, {{QStringLiteral("sclPin"), scl}, {QStringLiteral("sdaPin"), sda}}));
  const bool accepted = bus.m_editor->OnOK();
  QCOMPARE(accepted, messages.isEmpty());
  QCOMPARE(f.Messages(), messages);
  QCOMPARE(PinLines(f.m_doc), pins);
  if (!accepted) QCOMPARE(PinTableSnapshot(f.m_doc), before);

  CCodeObject expected;
  expected.m_nType = OBJ_I2C_BUS;
  expected.m_sName = QStringLiteral("I2CBus1");
  expected[Slot::BasePin] = QStringLiteral("0");
  expected[I2cBusSlots::SdaPin] = sda;
  expected[I2cBusSlots::SclPin] = scl;
  expected[I2cBusSlots::SpeedKHz] = QStringLiteral("100");
  expected[I2cBusSlots::Scan] = true;
  expected.m_bValid = accepted;
  QVERIFY(*bus.m_record == expected);
}

void TestI2CScanner::storesSpeedAndPullupAsChosen() {
  CEditorFixture f;
  CCodeObject* picked =
      f.Add(OBJ_I2C_BUS, {{QStringLiteral("speedKHz"), QStringLiteral("400")},
                          {QStringLiteral("internalPullups"), QStringLiteral("3.3 kOhm")}});
  QVERIFY(picked);
  QCOMPARE((*picked)[I2cBusSlots::SpeedKHz], QStringLiteral("400"));
  QCOMPARE((*picked)[I2cBusSlots::Pullup], 2);
  CCodeObject* typed =
      f.Add(OBJ_I2C_BUS,
            {{QStringLiteral("name"), QStringLiteral("Bus2")},
             {QStringLiteral("sclPin"), QStringLiteral("20")},
             {QStringLiteral("sdaPin"), QStringLiteral("21")},
             {QStringLiteral("speedKHz"), QStringLiteral("250")},
             {QStringLiteral("scanTheI2CBusForDevicesAndDisplayResult"), QStringLiteral("false")}});
  QVERIFY(typed);
  QCOMPARE((*typed)[I2cBusSlots::SpeedKHz], QStringLiteral("250"));
  QVERIFY(!(*typed)[I2cBusSlots::Scan]);
}

// A camera on 16 holds 16..31; the bus may take the camera's pins, and goes by the holder's
// kind, not by the pin. Any other holder stays a conflict.
void TestI2CScanner::cameraPinsPassAndAreTakenOver() {
  CEditorFixture f;
  CCodeObject* bus = f.Add(OBJ_I2C_BUS);
  QVERIFY(f.Add(OBJ_SIMPLE_QVGA, {{QStringLiteral("basepin"), QStringLiteral("40")}}));
  QVERIFY(f.Add(OBJ_CAMERA));
  f.ClearMessages();

  QVERIFY(f.Edit(bus, {{QStringLiteral("sdaPin"), QStringLiteral("24")},
                       {QStringLiteral("sclPin"), QStringLiteral("26")}}));
  QCOMPARE(f.m_doc.m_sPinUsedBy[24], QStringLiteral("I2CBus1"));
  QCOMPARE(f.m_doc.m_sPinUsedFor[24], QStringLiteral("SDA"));
  QCOMPARE(f.m_doc.m_sPinUsedBy[26], QStringLiteral("I2CBus1"));
  QCOMPARE(f.m_doc.m_sPinUsedFor[26], QStringLiteral("SCL"));
  QCOMPARE(f.m_doc.m_sPinUsedBy[25], QStringLiteral("Cam1"));

  const QStringList before = PinTableSnapshot(f.m_doc);
  QVERIFY(!f.Edit(bus, {{QStringLiteral("sclPin"), QStringLiteral("40")}}));
  QCOMPARE(f.Messages(),
           QStringList{ErrorLine(QStringLiteral("Pin #40 is already in use by SimpleQVGA1."))});
  QCOMPARE(PinTableSnapshot(f.m_doc), before);
}

void TestI2CScanner::editMovesOnePin() {
  CEditorFixture f;
  CCodeObject* bus = f.Add(OBJ_I2C_BUS);
  QVERIFY(bus);
  f.m_doc.m_sPinNotes[56] = QStringLiteral("pull-up on board");
  QVERIFY(f.Edit(bus, {{QStringLiteral("sclPin"), QStringLiteral("40")}}));
  QCOMPARE(PinLines(f.m_doc), (QStringList{QStringLiteral("40 I2CBus1 SCL"),
                                           QStringLiteral("56 free [pull-up on board]"),
                                           QStringLiteral("57 I2CBus1 SDA")}));
}

QTEST_GUILESS_MAIN(TestI2CScanner)
#include "tst_i2cscanner.moc"
