#include <QtTest>

#include "TestPlatform.h"
#include "model/PinClaim.h"

using HolderMap = QMap<int, QString>;

class TestPinClaim : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void inUseCheck_data();
  void inUseCheck();
  void commitMovesClaimsAndKeepsNotes();
  void pinListedTwiceEndsWithLastRole();
  void releaseLeavesOtherHolders();
  void pinOutsideTableThrows();

 private:
  CTestPlatform m_test;
  std::unique_ptr<CKyvDoc> m_doc;
};

void TestPinClaim::init() {
  m_doc = std::make_unique<CKyvDoc>(m_test.Services());
  m_doc->OnNewDocument();
}

void TestPinClaim::inUseCheck_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<HolderMap>("holders");
  QTest::addColumn<QList<int>>("pins");
  QTest::addColumn<bool>("cameraMayPass");
  QTest::addColumn<int>("conflict");  // -1: none
  QTest::addColumn<QString>("message");

  const HolderMap vga{{48, QStringLiteral("VGA1")}, {49, QStringLiteral("VGA1")}};
  QTest::newRow("own pins pass") << QStringLiteral("VGA1") << vga << QList<int>{48, 49, 50} << false
                                 << -1 << QString();
  QTest::newRow("other holder") << QStringLiteral("NCO1") << vga << QList<int>{47, 48, 49} << false
                                << 48 << QStringLiteral("Pin #48 is already in use by VGA1.");
  QTest::newRow("names compare case and all")
      << QStringLiteral("vga1") << vga << QList<int>{49} << false << 49
      << QStringLiteral("Pin #49 is already in use by VGA1.");
  QTest::newRow("serial pin") << QStringLiteral("NCO1") << HolderMap{} << QList<int>{62} << false
                              << 62 << QStringLiteral("Pin #62 is already in use by Serial.");
  QTest::newRow("first conflict in the order given")
      << QStringLiteral("Servo1") << vga << QList<int>{63, 48} << false << 63
      << QStringLiteral("Pin #63 is already in use by Serial.");
  QTest::newRow("free pins with stale holder text pass")
      << QStringLiteral("NCO1") << HolderMap{{-5, QStringLiteral("Old")}} << QList<int>{5} << false
      << -1 << QString();
  QTest::newRow("camera pins pass the filter")
      << QStringLiteral("I2C1")
      << HolderMap{{24, QStringLiteral("Camera1")}, {25, QStringLiteral("Camera1")}}
      << QList<int>{24, 25} << true << -1 << QString();
  QTest::newRow("filter lets only the camera pass")
      << QStringLiteral("I2C1") << HolderMap{{24, QStringLiteral("Camera1")}} << QList<int>{24, 62}
      << true << 62 << QStringLiteral("Pin #62 is already in use by Serial.");
  QTest::newRow("camera pins conflict without the filter")
      << QStringLiteral("I2C1") << HolderMap{{24, QStringLiteral("Camera1")}} << QList<int>{24}
      << false << 24 << QStringLiteral("Pin #24 is already in use by Camera1.");
}

void TestPinClaim::inUseCheck() {
  QFETCH(QString, name);
  QFETCH(HolderMap, holders);
  QFETCH(QList<int>, pins);
  QFETCH(bool, cameraMayPass);
  QFETCH(int, conflict);
  QFETCH(QString, message);

  auto camera = std::make_unique<CCodeObject>();
  camera->m_nType = OBJ_CAMERA;
  camera->m_sName = QStringLiteral("Camera1");
  m_doc->AddObject(std::move(camera));
  // A negative key marks a free pin (its number negated) that still carries a holder text.
  for (auto it = holders.begin(); it != holders.end(); ++it) {
    const int pin = std::abs(it.key());
    m_doc->m_bPinUsed[pin] = it.key() >= 0;
    m_doc->m_sPinUsedBy[pin] = it.value();
  }
  CKyvDoc& doc = *m_doc;
  const CPinClaim::HolderFilter cameraFilter = [&doc](const QString& holder) {
    return doc.FindObjectType(holder) == OBJ_CAMERA;
  };

  CPinClaim claim(doc, name);
  const std::optional<int> found =
      claim.FirstConflict(pins, cameraMayPass ? cameraFilter : CPinClaim::HolderFilter());
  QCOMPARE(found.value_or(-1), conflict);
  if (found) QCOMPARE(claim.InUseMessage(*found), message);
}

void TestPinClaim::commitMovesClaimsAndKeepsNotes() {
  CKyvDoc& doc = *m_doc;
  const QStringList roles{QStringLiteral("HSync"), QStringLiteral("Blue"), QStringLiteral("Green"),
                          QStringLiteral("Red"), QStringLiteral("VSync")};
  auto block = [&roles](int base) {
    QList<CPinRole> pins;
    for (int i = 0; i < roles.size(); ++i) pins.append({base + i, roles[i]});
    return pins;
  };
  CPinClaim claim(doc, QStringLiteral("SimpleVGA1"));
  claim.Commit(block(48));
  for (int pin = 48; pin <= 52; ++pin) doc.m_sPinNotes[pin] = QStringLiteral("monitor");

  // Moving from 48 to 40: the old pins are free with their notes, the new ones claimed.
  QVERIFY(!claim.FirstConflict(CPinClaim::PinsOf(block(40))));
  claim.Commit(block(40));
  for (int i = 0; i < 5; ++i) {
    QVERIFY(!doc.m_bPinUsed[48 + i]);
    QCOMPARE(doc.m_sPinUsedBy[48 + i], QString());
    QCOMPARE(doc.m_sPinUsedFor[48 + i], QString());
    QCOMPARE(doc.m_sPinNotes[48 + i], QStringLiteral("monitor"));
    QVERIFY(doc.m_bPinUsed[40 + i]);
    QCOMPARE(doc.m_sPinUsedBy[40 + i], QStringLiteral("SimpleVGA1"));
    QCOMPARE(doc.m_sPinUsedFor[40 + i], roles[i]);
  }
  // Accepting again without changes keeps every claim.
  QVERIFY(!claim.FirstConflict(CPinClaim::PinsOf(block(40))));
  claim.Commit(block(40));
  QCOMPARE(doc.m_sPinUsedFor[44], QStringLiteral("VSync"));
}

void TestPinClaim::pinListedTwiceEndsWithLastRole() {
  CPinClaim claim(*m_doc, QStringLiteral("Bus1"));
  claim.Commit(
      {{24, QStringLiteral("SCL")}, {25, QStringLiteral("SDA")}, {24, QStringLiteral("SDA")}});
  QCOMPARE(m_doc->m_sPinUsedFor[24], QStringLiteral("SDA"));
  QCOMPARE(m_doc->m_sPinUsedBy[24], QStringLiteral("Bus1"));
  QVERIFY(m_doc->m_bPinUsed[25]);
}

void TestPinClaim::releaseLeavesOtherHolders() {
  CPinClaim(*m_doc, QStringLiteral("Led1")).Commit({{5, QStringLiteral("Data")}});
  CPinClaim(*m_doc, QStringLiteral("Led2")).Commit({{6, QStringLiteral("Data")}});
  CPinClaim(*m_doc, QStringLiteral("Led1")).ReleaseAll();
  QVERIFY(!m_doc->m_bPinUsed[5]);
  QVERIFY(m_doc->m_bPinUsed[6]);
  QCOMPARE(m_doc->m_sPinUsedBy[6], QStringLiteral("Led2"));
  QCOMPARE(m_doc->m_sPinUsedBy[62], QStringLiteral("Serial"));
  QCOMPARE(m_doc->m_sPinUsedFor[63], QStringLiteral("RX"));
}

void TestPinClaim::pinOutsideTableThrows() {
  CPinClaim claim(*m_doc, QStringLiteral("Led1"));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, claim.Claim(64, QStringLiteral("Data")));
  QVERIFY_THROWS_EXCEPTION(std::out_of_range, (void)claim.FirstConflict({-1}));
}

QTEST_GUILESS_MAIN(TestPinClaim)
#include "tst_pinclaim.moc"
