#include <QSet>
#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/ObjectPicker.h"

class TestObjectPicker : public QObject {
  Q_OBJECT

 private slots:
  void everyKindHasOneButtonInTheGrid();
  void buttonOpensItsEditorInNewMode_data();
  void buttonOpensItsEditorInNewMode();
  void preconditions_data();
  void preconditions();
  void secondSingleInstanceObjectIsRefused_data();
  void secondSingleInstanceObjectIsRefused();
  void cancelledEditorChangesNothing();
  void countersAreNotReused();
  void unknownKindStaysOpen();
  void factoryOutsideKinds();
};

namespace {

// Runs the picker as the object list does: press, accept or cancel the editor, add on OK.
CObjectPicker::Result PickAndRun(CEditorFixture& f, int kind, bool pressOk) {
  auto record = std::make_unique<CCodeObject>();
  CObjectPicker picker(record.get(), &f.m_doc);
  std::unique_ptr<CObjectEditor> editor = picker.Press(kind);
  if (!editor) return picker.GetResult();
  if (pressOk)
    picker.EditorClosed(editor->OnOK());
  else {
    editor->OnCancel();
    picker.EditorClosed(false);
  }
  if (picker.GetResult() == CObjectPicker::Result::OK) f.m_doc.AddObject(std::move(record));
  return picker.GetResult();
}

}  // namespace

void TestObjectPicker::everyKindHasOneButtonInTheGrid() {
  const auto& buttons = CObjectPicker::Buttons();
  QCOMPARE(int(buttons.size()), kObjectKindCount);
  QSet<int> kinds;
  QSet<QPair<int, int>> cells;
  for (const CPickerButton& button : buttons) {
    kinds.insert(button.m_nKind);
    cells.insert({button.m_nRow, button.m_nColumn});
    QVERIFY2(button.m_sTooltip.startsWith(QStringLiteral("Add a")), qPrintable(button.m_sText));
    QVERIFY(button.m_nColumn >= 0 && button.m_nColumn < 4);
    QCOMPARE(CObjectPicker::ButtonOf(button.m_nKind), &button);
  }
  QCOMPARE(kinds.size(), kObjectKindCount);
  QCOMPARE(cells.size(), kObjectKindCount);
  // The first row holds the four video outputs; the RTC sits beside the bus.
  QCOMPARE(CObjectPicker::ButtonOf(OBJ_TILED_1080P)->m_nRow, 0);
  QCOMPARE(CObjectPicker::ButtonOf(OBJ_TILED_1080P)->m_nColumn, 3);
  QCOMPARE(CObjectPicker::ButtonOf(OBJ_RTC)->m_nRow, CObjectPicker::ButtonOf(OBJ_I2C_BUS)->m_nRow);
  QCOMPARE(CObjectPicker::ButtonOf(OBJ_CAMERA)->m_sText, QStringLiteral("Camera (DVP bus)"));
  QCOMPARE(CObjectPicker::ButtonOf(OBJ_CAMERA)->m_nRow, 10);
}

void TestObjectPicker::buttonOpensItsEditorInNewMode_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("title");
  QTest::newRow("vga") << int(OBJ_SIMPLE_VGA) << QStringLiteral("SimpleVGA1")
                       << QStringLiteral("Simple VGA 8bpp Driver");
  QTest::newRow("qvga") << int(OBJ_SIMPLE_QVGA) << QStringLiteral("SimpleQVGA1")
                        << QStringLiteral("Simple QVGA 16bpp Driver");
  QTest::newRow("hdmi") << int(OBJ_SIMPLE_HDMI) << QStringLiteral("SimpleHDMI1")
                        << QStringLiteral("Simple HDMI 8bpp Driver");
  QTest::newRow("1080p") << int(OBJ_TILED_1080P) << QStringLiteral("Tiled1080p1")
                         << QStringLiteral("Tiled 1080p 2bpp VGA Driver");
  QTest::newRow("i2c") << int(OBJ_I2C_BUS) << QStringLiteral("I2CBus1")
                       << QStringLiteral("I2C Bus Driver and Scanner Settings");
  QTest::newRow("usb") << int(OBJ_USB_KBM) << QStringLiteral("UsbKbM1")
                       << QStringLiteral("Add a USB Keyboard and/or Mouse");
  QTest::newRow("sound") << int(OBJ_SIMPLE_SOUND) << QStringLiteral("SimpleSound1")
                         << QStringLiteral("Simple Sound - Music & Sound Effects Player");
}

void TestObjectPicker::buttonOpensItsEditorInNewMode() {
  QFETCH(int, kind);
  QFETCH(QString, name);
  QFETCH(QString, title);
  CEditorFixture f;
  CCodeObject record;
  CObjectPicker picker(&record, &f.m_doc);
  std::unique_ptr<CObjectEditor> editor = picker.Press(kind);
  QVERIFY(editor);
  QCOMPARE(int(editor->Kind()), kind);
  QCOMPARE(editor->m_nMode, int(CObjectEditor::kNewMode));
  QCOMPARE(editor->m_pObject, &record);
  QCOMPARE(editor->m_sName, name);
  QCOMPARE(editor->Title(), title);
  QVERIFY(!editor->IsNameReadOnly());
  QVERIFY(!editor->m_sDescription.isEmpty());
  QCOMPARE(picker.GetResult(), CObjectPicker::Result::Open);
}

void TestObjectPicker::preconditions_data() {
  QTest::addColumn<QList<int>>("present");
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("message");
  const QString noBus =
      QStringLiteral("Error.  No I2C busses found.  Please add I2C Bus object first.");
  const QString noBusForCamera =
      QStringLiteral("Error.  No I2C busses found.  Please add I2C Bus and QVGA objects first.");
  const QString noQvga =
      QStringLiteral("Error.  No QVGA object found.  Please add I2C Bus and QVGA objects first.");
  QTest::newRow("rtc without bus") << QList<int>{} << int(OBJ_RTC) << noBus;
  QTest::newRow("rtc with bus") << QList<int>{OBJ_I2C_BUS} << int(OBJ_RTC) << QString();
  QTest::newRow("camera in empty project") << QList<int>{} << int(OBJ_CAMERA) << noBusForCamera;
  QTest::newRow("camera with a QVGA but no bus")
      << QList<int>{OBJ_SIMPLE_QVGA} << int(OBJ_CAMERA) << noBusForCamera;
  QTest::newRow("camera with bus, no QVGA") << QList<int>{OBJ_I2C_BUS} << int(OBJ_CAMERA) << noQvga;
  QTest::newRow("VGA and HDMI are no QVGA")
      << QList<int>{OBJ_I2C_BUS, OBJ_SIMPLE_VGA, OBJ_SIMPLE_HDMI} << int(OBJ_CAMERA) << noQvga;
  QTest::newRow("camera with bus and QVGA")
      << QList<int>{OBJ_SIMPLE_QVGA, OBJ_I2C_BUS} << int(OBJ_CAMERA) << QString();
}

void TestObjectPicker::preconditions() {
  QFETCH(QList<int>, present);
  QFETCH(int, kind);
  QFETCH(QString, message);
  CEditorFixture f;
  for (int other : present) {
    auto object = std::make_unique<CCodeObject>();
    object->m_nType = other;
    object->m_sName = QStringLiteral("Obj%1").arg(other);
    f.m_doc.AddObject(std::move(object));
  }
  const auto counters = f.m_doc.m_nTypeCount;
  CCodeObject record;
  CObjectPicker picker(&record, &f.m_doc);
  std::unique_ptr<CObjectEditor> editor = picker.Press(kind);
  QCOMPARE(editor == nullptr, !message.isEmpty());
  QCOMPARE(f.Messages(), message.isEmpty() ? QStringList() : QStringList{PlainLine(message)});
  QCOMPARE(picker.GetResult(), CObjectPicker::Result::Open);  // stays open either way
  QVERIFY(f.m_doc.m_nTypeCount == counters);
  if (!message.isEmpty()) QVERIFY(picker.Press(OBJ_I2C_BUS));  // another kind can be picked
}

void TestObjectPicker::secondSingleInstanceObjectIsRefused_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("message");
  QTest::newRow("vga") << int(OBJ_SIMPLE_VGA)
                       << QStringLiteral(
                              "This project already holds SimpleVGA1 (Simple VGA).  The "
                              "generated program can hold only one object of this kind.");
  QTest::newRow("qvga") << int(OBJ_SIMPLE_QVGA)
                        << QStringLiteral(
                               "This project already holds SimpleQVGA1 (Simple QVGA).  The "
                               "generated program can hold only one object of this kind.");
  QTest::newRow("hdmi") << int(OBJ_SIMPLE_HDMI)
                        << QStringLiteral(
                               "This project already holds SimpleHDMI1 (Simple HDMI).  The "
                               "generated program can hold only one object of this kind.");
  QTest::newRow("sound") << int(OBJ_SIMPLE_SOUND)
                         << QStringLiteral(
                                "This project already holds SimpleSound1 (Simple Sound).  The "
                                "generated program can hold only one object of this kind.");
  QTest::newRow("bus may repeat") << int(OBJ_I2C_BUS) << QString();
  QTest::newRow("usb may repeat") << int(OBJ_USB_KBM) << QString();
}

void TestObjectPicker::secondSingleInstanceObjectIsRefused() {
  QFETCH(int, kind);
  QFETCH(QString, message);
  CEditorFixture f;
  QCOMPARE(PickAndRun(f, kind, true), CObjectPicker::Result::OK);
  f.ClearMessages();  // HDMI's clock note
  auto record = std::make_unique<CCodeObject>();
  CObjectPicker picker(record.get(), &f.m_doc);
  std::unique_ptr<CObjectEditor> editor = picker.Press(kind);
  QCOMPARE(editor == nullptr, !message.isEmpty());
  QCOMPARE(f.Messages(), message.isEmpty() ? QStringList() : QStringList{PlainLine(message)});
  QCOMPARE(picker.GetResult(), CObjectPicker::Result::Open);
}

void TestObjectPicker::cancelledEditorChangesNothing() {
  CEditorFixture f;
  const QStringList pins = PinTableSnapshot(f.m_doc);
  QCOMPARE(PickAndRun(f, OBJ_SIMPLE_VGA, false), CObjectPicker::Result::Cancel);
  QCOMPARE(PinTableSnapshot(f.m_doc), pins);
  QCOMPARE(f.m_doc.m_nTypeCount[OBJ_SIMPLE_VGA], 0);
  QVERIFY(f.m_doc.m_ObjectList.empty());

  // A rejected OK followed by Cancel: the picker closes with Cancel, nothing claimed.
  auto record = std::make_unique<CCodeObject>();
  CObjectPicker picker(record.get(), &f.m_doc);
  auto editor = picker.Press(OBJ_SIMPLE_HDMI);
  QVERIFY(SetValues(*editor, {{QStringLiteral("basepin"), QStringLiteral("56")}}));
  QVERIFY(!editor->OnOK());
  editor->OnCancel();
  picker.EditorClosed(false);
  QCOMPARE(picker.GetResult(), CObjectPicker::Result::Cancel);
  QCOMPARE(PinTableSnapshot(f.m_doc), pins);
  QCOMPARE(f.m_doc.m_nTypeCount[OBJ_SIMPLE_HDMI], 0);
}

void TestObjectPicker::countersAreNotReused() {
  CEditorFixture f;
  QCOMPARE(PickAndRun(f, OBJ_I2C_BUS, true), CObjectPicker::Result::OK);
  QCOMPARE(f.m_doc.m_ObjectList.back()->m_sName, QStringLiteral("I2CBus1"));
  f.m_doc.DeleteObject(f.m_doc.m_ObjectList.back().get());
  QCOMPARE(PickAndRun(f, OBJ_I2C_BUS, true), CObjectPicker::Result::OK);
  QCOMPARE(f.m_doc.m_ObjectList.back()->m_sName, QStringLiteral("I2CBus2"));
  QCOMPARE(f.m_doc.m_nTypeCount[OBJ_I2C_BUS], 2);
}

void TestObjectPicker::unknownKindStaysOpen() {
  CEditorFixture f;
  CCodeObject record;
  CObjectPicker picker(&record, &f.m_doc);
  QVERIFY(!picker.Press(kObjectKindCount));
  QCOMPARE(f.Messages(), QStringList{PlainLine(QStringLiteral("Unknown object kind 16."))});
  QCOMPARE(picker.GetResult(), CObjectPicker::Result::Open);
}

void TestObjectPicker::factoryOutsideKinds() {
  QVERIFY(!CreateEditor(-1));
  QVERIFY(!CreateEditor(kObjectKindCount));
  for (int kind = 0; kind < kObjectKindCount; ++kind) {
    const auto editor = CreateEditor(kind);
    QVERIFY(editor);
    QCOMPARE(int(editor->Kind()), kind);
  }
}

QTEST_GUILESS_MAIN(TestObjectPicker)
#include "tst_objectpicker.moc"
