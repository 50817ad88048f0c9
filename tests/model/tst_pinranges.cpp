#include <QtTest>

#include "TestPlatform.h"
#include "model/PinRanges.h"

// The pins column of the object list: which pins an object holds and how they are written.
class TestPinRanges : public QObject {
  Q_OBJECT

 private slots:
  void compressed_data() {
    QTest::addColumn<QList<int>>("pins");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << QList<int>{} << QString();
    QTest::newRow("single") << QList<int>{7} << QStringLiteral("7");
    QTest::newRow("pin 0") << QList<int>{0} << QStringLiteral("0");
    QTest::newRow("pair stays listed") << QList<int>{24, 25} << QStringLiteral("24, 25");
    QTest::newRow("three make a run") << QList<int>{10, 11, 12} << QStringLiteral("10-12");
    QTest::newRow("run") << QList<int>{48, 49, 50, 51, 52} << QStringLiteral("48-52");
    QTest::newRow("apart") << QList<int>{1, 3, 5} << QStringLiteral("1, 3, 5");
    QTest::newRow("mixed") << QList<int>{0, 1, 2, 3, 8, 10, 11, 20, 21, 22, 63}
                           << QStringLiteral("0-3, 8, 10, 11, 20-22, 63");
    QTest::newRow("unsorted") << QList<int>{52, 24, 50, 49, 25, 51, 48}
                              << QStringLiteral("24, 25, 48-52");
    QTest::newRow("repeated pins count once") << QList<int>{5, 5, 6, 6} << QStringLiteral("5, 6");
    QTest::newRow("every pin") << [] {
      QList<int> all;
      for (int pin = 63; pin >= 0; --pin) all.append(pin);
      return all;
    }() << QStringLiteral("0-63");
  }
  void compressed() {
    QFETCH(QList<int>, pins);
    QFETCH(QString, text);
    QCOMPARE(CompressedPins(pins), text);
  }

  // Only used pins count, and names compare exactly.
  void heldBy() {
    CTestPlatform test;
    CKyvDoc doc(test.Services());
    doc.OnNewDocument();
    const QString vga = QStringLiteral("VGA1");
    for (int pin : {48, 49, 50}) {
      doc.m_bPinUsed[pin] = true;
      doc.m_sPinUsedBy[pin] = vga;
    }
    doc.m_sPinUsedBy[51] = vga;  // holder text left on a free pin
    doc.m_bPinUsed[52] = true;
    doc.m_sPinUsedBy[52] = QStringLiteral("vga1");
    QCOMPARE(PinsHeldBy(doc, vga), (QList<int>{48, 49, 50}));
    QCOMPARE(PinsHeldBy(doc, QStringLiteral("Serial")), (QList<int>{62, 63}));
    QCOMPARE(PinsHeldBy(doc, QStringLiteral("NCO1")), QList<int>{});
  }
};

QTEST_GUILESS_MAIN(TestPinRanges)
#include "tst_pinranges.moc"
