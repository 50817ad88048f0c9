#include <QSet>
#include <QtTest>

#include "model/CodeObject.h"
#include "model/KindRegistry.h"
#include "model/KindSlots.h"

// The registry is data that many places trust: a kind at the wrong index, two kinds answering
// to one alias, or two meanings sharing one record slot would corrupt projects quietly.
class TestKindRegistry : public QObject {
  Q_OBJECT

 private slots:
  void everyKindAtItsCode();
  void namesAreUnique();
  void slotMeaningsDoNotOverlap();
  void namedSlotsReachTheirFields_data();
  void namedSlotsReachTheirFields();
  void aliasesIgnoreCase();
};

void TestKindRegistry::everyKindAtItsCode() {
  QCOMPARE(KindRegistry().size(), kObjectKindCount);
  for (int kind = 0; kind < kObjectKindCount; ++kind) {
    QVERIFY(FindKind(kind));
    QCOMPARE(int(FindKind(kind)->m_nKind), kind);
    QVERIFY(FindKind(kind)->m_pPinTexts);
  }
  QVERIFY(!FindKind(-1));
  QVERIFY(!FindKind(kObjectKindCount));
  QCOMPARE(KindDisplayName(kObjectKindCount), QStringLiteral("Unknown Type"));
}

void TestKindRegistry::namesAreUnique() {
  QSet<QString> aliases, displayNames, formats, icons, driverFiles;
  QSet<std::pair<int, int>> pickerCells;
  QSet<int> resources;
  for (const CKindInfo& kind : KindRegistry()) {
    QVERIFY(!kind.m_aliases.isEmpty());
    for (const QString& alias : kind.m_aliases) {
      QVERIFY2(!aliases.contains(alias.toLower()), qPrintable(alias));
      aliases.insert(alias.toLower());
    }
    QVERIFY2(!displayNames.contains(kind.m_sDisplayName), qPrintable(kind.m_sDisplayName));
    displayNames.insert(kind.m_sDisplayName);
    QVERIFY(kind.m_sDefaultNameFormat.endsWith(QStringLiteral("%d")));
    QVERIFY2(!formats.contains(kind.m_sDefaultNameFormat), qPrintable(kind.m_sDefaultNameFormat));
    formats.insert(kind.m_sDefaultNameFormat);
    QVERIFY2(!icons.contains(kind.m_sIconName), qPrintable(kind.m_sIconName));
    icons.insert(kind.m_sIconName);
    const std::pair cell(kind.m_picker.m_nRow, kind.m_picker.m_nColumn);
    QVERIFY2(!pickerCells.contains(cell), qPrintable(kind.m_picker.m_sText));
    pickerCells.insert(cell);
    for (const CKindDriverFile& file : kind.m_driverFiles) {
      QVERIFY2(!resources.contains(file.m_nResource), qPrintable(file.m_sFileName));
      resources.insert(file.m_nResource);
      QVERIFY2(!driverFiles.contains(file.m_sFileName), qPrintable(file.m_sFileName));
      driverFiles.insert(file.m_sFileName);
    }
  }
}

// Writes a distinct value through every described slot of a kind, then reads them all back:
// a slot shared by two meanings shows as a value overwritten by the other.
void TestKindRegistry::slotMeaningsDoNotOverlap() {
  for (const CKindInfo& kind : KindRegistry()) {
    CCodeObject record;
    int value = 1;
    for (const CSlotInfo& slot : kind.m_slots) {
      std::visit(
          [&](auto handle) {
            using Handle = decltype(handle);
            if constexpr (std::is_same_v<Handle, CTextSlot>)
              record[handle] = QString::number(value);
            else if constexpr (std::is_same_v<Handle, CIntSlot>)
              record[handle] = value;
            else
              record[handle] = true;
          },
          slot.m_slot);
      ++value;
    }
    value = 1;
    for (const CSlotInfo& slot : kind.m_slots) {
      const bool intact = std::visit(
          [&](auto handle) {
            using Handle = decltype(handle);
            if constexpr (std::is_same_v<Handle, CTextSlot>)
              return record[handle] == QString::number(value);
            else if constexpr (std::is_same_v<Handle, CIntSlot>)
              return record[handle] == value;
            else
              return record[handle];
          },
          slot.m_slot);
      QVERIFY2(intact, qPrintable(kind.m_sDisplayName + QStringLiteral(": ") + slot.m_sName));
      ++value;
    }
  }
}

void TestKindRegistry::namedSlotsReachTheirFields_data() {
  QTest::addColumn<int>("which");
  QTest::newRow("base pin") << 0;
  QTest::newRow("text 5") << 1;
  QTest::newRow("string") << 2;
  QTest::newRow("number") << 3;
  QTest::newRow("pin count") << 4;
  QTest::newRow("text param 3") << 5;
  QTest::newRow("int param 63") << 6;
  QTest::newRow("flag param 0") << 7;
}

// Each bank reaches the record member it names, so files keep their layout.
void TestKindRegistry::namedSlotsReachTheirFields() {
  QFETCH(int, which);
  CCodeObject record;
  switch (which) {
    case 0:
      record[Slot::BasePin] = QStringLiteral("8");
      QCOMPARE(record.m_sBasePin, QStringLiteral("8"));
      break;
    case 1:
      record[I2cBusSlots::SdaPin] = QStringLiteral("29");
      QCOMPARE(record.m_sText[5], QStringLiteral("29"));
      break;
    case 2:
      record[I2cBusSlots::SpeedKHz] = QStringLiteral("400");
      QCOMPARE(record.m_sString, QStringLiteral("400"));
      break;
    case 3:
      record[I2cBusSlots::Pullup] = 2;
      QCOMPARE(record.m_nNumber, 2);
      break;
    case 4:
      record[Slot::PinCount] = 5;
      QCOMPARE(record.m_nPinCount, 5);
      break;
    case 5:
      record[UsbKbmSlots::PowerPin] = QStringLiteral("20");
      QCOMPARE(record.m_sParam[3], QStringLiteral("20"));
      break;
    case 6:
      record[Slot::IntParam(CCodeObject::kParamSlots - 1)] = 7;
      QCOMPARE(record.m_nParam[CCodeObject::kParamSlots - 1], 7);
      break;
    case 7:
      record[SoundSlots::PlayMusic] = true;
      QVERIFY(record.m_bParam[0]);
      break;
  }
  CCodeObject empty;
  empty.m_nType = record.m_nType;
  QVERIFY(!(record == empty));
}

void TestKindRegistry::aliasesIgnoreCase() {
  QCOMPARE(FindKindByAlias(QStringLiteral("HDMI"))->m_nKind, OBJ_SIMPLE_HDMI);
  QCOMPARE(FindKindByAlias(QStringLiteral("tiled1080P"))->m_nKind, OBJ_TILED_1080P);
  QVERIFY(!FindKindByAlias(QStringLiteral("vgaa")));
  QVERIFY(!FindKindByAlias(QString()));
}

QTEST_APPLESS_MAIN(TestKindRegistry)
#include "tst_kindregistry.moc"
