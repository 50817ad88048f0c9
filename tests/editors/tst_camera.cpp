#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/ObjectCamera.h"

class TestCamera : public QObject {
  Q_OBJECT

 private slots:
  void newCameraMovesItsBus();
  void baseChecks_data();
  void baseChecks();
  void busAndCameraAcceptedInEitherOrder();
  void otherObjectsPinsAreNotTakenOver();
  void clockNote_data();
  void clockNote();
  void listsAndStoredTexts();
  void deletedBusShowsNoSelection();
};

namespace {

// A project with I2CBus1 on 56/57 and SimpleQVGA1 on 40..44.
struct CCameraFixture : CEditorFixture {
  CCodeObject* m_pBus = nullptr;
  CCameraFixture() {
    m_pBus = Add(OBJ_I2C_BUS);
    Add(OBJ_SIMPLE_QVGA, {{QStringLiteral("basepin"), QStringLiteral("40")}});
    m_doc.m_sClockFreq = QStringLiteral("300_000_000");
  }
};

QStringList CameraPins(int base, const QString& name = QStringLiteral("Cam1")) {
  const QStringList roles = {QStringLiteral("DVP I2C SDA"),
                             QStringLiteral("DVP I2C SCL"),
                             QStringLiteral("DVP Power Down"),
                             QStringLiteral("DVP HREF"),
                             QStringLiteral("DVP VSYNC"),
                             QStringLiteral("DVP Reset"),
                             QStringLiteral("DVP Pixel Clock (P2 Input)"),
                             QStringLiteral("DVP XClock (P2 Output)")};
  QStringList lines;
  for (int i = 0; i < 8; ++i) lines.append(QStringLiteral("%1 %2 DVP Bus").arg(base + i).arg(name));
  for (int i = 0; i < 8; ++i)
    lines.append(QStringLiteral("%1 %2 %3").arg(base + 8 + i).arg(name, roles[i]));
  return lines;
}

QStringList QvgaPins() {
  return {QStringLiteral("40 SimpleQVGA1 HSync"), QStringLiteral("41 SimpleQVGA1 Blue"),
          QStringLiteral("42 SimpleQVGA1 Green"), QStringLiteral("43 SimpleQVGA1 Red"),
          QStringLiteral("44 SimpleQVGA1 VSync")};
}

}  // namespace

void TestCamera::newCameraMovesItsBus() {
  CCameraFixture f;
  f.m_doc.m_sPinNotes[56] = QStringLiteral("header J3");
  auto camera = f.Open(OBJ_CAMERA);
  QVERIFY(camera.m_editor->OnOK());
  QVERIFY(f.Messages().isEmpty());

  QCOMPARE(PinLines(f.m_doc),
           CameraPins(16) + QvgaPins() + QStringList{QStringLiteral("56 free [header J3]")});
  QCOMPARE((*f.m_pBus)[I2cBusSlots::SdaPin], QStringLiteral("24"));
  QCOMPARE((*f.m_pBus)[I2cBusSlots::SclPin], QStringLiteral("25"));
  QVERIFY(f.m_pBus->m_bValid);

  CCodeObject expected;
  expected.m_nType = OBJ_CAMERA;
  expected.m_sName = QStringLiteral("Cam1");
  expected[Slot::BasePin] = QStringLiteral("16");
  expected[Slot::PinCount] = 16;
  expected[CameraSlots::Bus] = QStringLiteral("I2CBus1");
  expected[CameraSlots::CameraType] = QStringLiteral("OV2640");
  expected[CameraSlots::QvgaObject] = QStringLiteral("SimpleQVGA1");
  expected[CameraSlots::ShowId] = true;
  expected.m_bValid = true;
  QVERIFY(*camera.m_record == expected);
}

void TestCamera::baseChecks_data() {
  QTest::addColumn<QString>("basePin");
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("pinCount");
  // 48 would hold 48..63: 56 and 57 are the bus's and pass, 62 does not.
  QTest::newRow("48 reaches Serial")
      << QStringLiteral("48")
      << QStringLiteral(
             "Pins #62 and #63 are already in use by Serial. The nearest free "
             "block of 16 pins starts at pin 24.")
      << 16;
  QTest::newRow("56 out of range")
      << QStringLiteral("56")
      << QStringLiteral("Pin 56 is out of range, please set to between 0 and 48.") << 0;
  QTest::newRow("-8 out of range")
      << QStringLiteral("-8")
      << QStringLiteral("Pin -8 is out of range, please set to between 0 and 48.") << 0;
  // The range check comes first: 52 is too high before it is a wrong multiple.
  QTest::newRow("52 out of range")
      << QStringLiteral("52")
      << QStringLiteral("Pin 52 is out of range, please set to between 0 and 48.") << 0;
  QTest::newRow("20 not a multiple")
      << QStringLiteral("20") << QStringLiteral("Pin 20 is not a multiple of 8.") << 0;
  QTest::newRow("32 meets the QVGA block")
      << QStringLiteral("32")
      << QStringLiteral(
             "Pins #40, #41, #42, #43 and #44 are already in use by "
             "SimpleQVGA1. The nearest free block of 16 pins starts at "
             "pin 24.")
      << 16;
}

void TestCamera::baseChecks() {
  QFETCH(QString, basePin);
  QFETCH(QString, message);
  QFETCH(int, pinCount);
  CCameraFixture f;
  const QStringList before = PinTableSnapshot(f.m_doc);
  auto camera = f.Open(OBJ_CAMERA);
  QVERIFY(SetValues(*camera.m_editor, {{QStringLiteral("basepin"), basePin}}));
  QVERIFY(!camera.m_editor->OnOK());
  QCOMPARE(f.Messages(), QStringList{ErrorLine(message)});
  QVERIFY(!camera.m_record->m_bValid);
  QCOMPARE((*camera.m_record)[Slot::PinCount], pinCount);
  QCOMPARE(PinTableSnapshot(f.m_doc), before);
  QCOMPARE((*f.m_pBus)[I2cBusSlots::SclPin], QStringLiteral("56"));  // the bus is untouched
}

void TestCamera::busAndCameraAcceptedInEitherOrder() {
  CCameraFixture f;
  CCodeObject* camera = f.Add(OBJ_CAMERA);
  QVERIFY(camera);

  // The bus takes its pins over from the camera.
  QVERIFY(f.Edit(f.m_pBus));
  QCOMPARE(f.m_doc.m_sPinUsedBy[24], QStringLiteral("I2CBus1"));
  QCOMPARE(f.m_doc.m_sPinUsedFor[24], QStringLiteral("SDA"));
  QCOMPARE(f.m_doc.m_sPinUsedFor[25], QStringLiteral("SCL"));

  // The camera passes over the bus's pins and claims them again.
  QVERIFY(f.Edit(camera));
  QCOMPARE(PinLines(f.m_doc), CameraPins(16) + QvgaPins());
  QCOMPARE((*f.m_pBus)[I2cBusSlots::SdaPin], QStringLiteral("24"));
  QCOMPARE((*f.m_pBus)[I2cBusSlots::SclPin], QStringLiteral("25"));

  // Moving the camera moves the bus with it and frees the old block.
  QVERIFY(f.Edit(f.m_pBus));
  QVERIFY(f.Edit(camera, {{QStringLiteral("basepin"), QStringLiteral("0")}}));
  QCOMPARE(PinLines(f.m_doc), CameraPins(0) + QvgaPins());
  QCOMPARE((*f.m_pBus)[I2cBusSlots::SdaPin], QStringLiteral("8"));
  QCOMPARE((*f.m_pBus)[I2cBusSlots::SclPin], QStringLiteral("9"));
  QVERIFY(f.Messages().isEmpty());
}

// Only the chosen bus may hold the two bus pins: taking another object's pins would leave two
// objects driving them with nothing in the pin table to show it.
void TestCamera::otherObjectsPinsAreNotTakenOver() {
  CCameraFixture f;
  CCodeObject* other = f.Add(OBJ_I2C_BUS, {{QStringLiteral("name"), QStringLiteral("I2CBus2")},
                                           {QStringLiteral("sclPin"), QStringLiteral("25")},
                                           {QStringLiteral("sdaPin"), QStringLiteral("24")}});
  QVERIFY(other);
  const QStringList before = PinTableSnapshot(f.m_doc);
  auto camera = f.Open(OBJ_CAMERA);  // chooses I2CBus1, the first bus
  QVERIFY(SetValues(*camera.m_editor, {{QStringLiteral("basepin"), QStringLiteral("16")}}));
  QVERIFY(!camera.m_editor->OnOK());
  QCOMPARE(f.Messages(),
           QStringList{ErrorLine(QStringLiteral("Pins #24 and #25 are already in use by I2CBus2. "
                                                "The nearest free block of 16 pins starts at "
                                                "pin 8."))});
  QCOMPARE(PinTableSnapshot(f.m_doc), before);

  // Choosing that bus instead lets its pins pass.
  f.ClearMessages();
  QVERIFY(SetValues(*camera.m_editor, {{QStringLiteral("i2cBus"), QStringLiteral("I2CBus2")}}));
  QVERIFY(camera.m_editor->OnOK());
  QCOMPARE(f.m_doc.m_sPinUsedBy[24], QStringLiteral("Cam1"));
  QCOMPARE(f.m_doc.m_sPinUsedBy[56], QStringLiteral("I2CBus1"));  // the other bus keeps its pins
}

void TestCamera::clockNote_data() {
  QTest::addColumn<QString>("clock");
  QTest::addColumn<bool>("note");
  QTest::newRow("160 MHz") << QStringLiteral("160_000_000") << true;
  QTest::newRow("259999999") << QStringLiteral("259999999") << true;
  QTest::newRow("260 MHz") << QStringLiteral("260_000_000") << false;
  QTest::newRow("300 MHz") << QStringLiteral("300_000_000") << false;
}

void TestCamera::clockNote() {
  QFETCH(QString, clock);
  QFETCH(bool, note);
  CCameraFixture f;
  f.m_doc.m_sClockFreq = clock;
  QVERIFY(f.Add(OBJ_CAMERA));
  const QStringList expected = {QStringLiteral(
      "Warning|P2 Clock Needs Changing!|Note:  P2 Frequency too low for Camera Capture, please "
      "change to minimum of 260 MHz on the P2 & FlexSpin tab.")};
  QCOMPARE(f.Messages(), note ? expected : QStringList());
}

void TestCamera::listsAndStoredTexts() {
  CCameraFixture f;
  QVERIFY(f.Add(OBJ_SIMPLE_VGA, {{QStringLiteral("basepin"), QStringLiteral("0")}}));
  QVERIFY(f.Add(OBJ_I2C_BUS, {{QStringLiteral("name"), QStringLiteral("Bus2")},
                              {QStringLiteral("sclPin"), QStringLiteral("10")},
                              {QStringLiteral("sdaPin"), QStringLiteral("11")}}));
  // A second QVGA object only from an older file: the picker allows one.
  auto second = std::make_unique<CCodeObject>();
  second->m_nType = OBJ_SIMPLE_QVGA;
  second->m_sName = QStringLiteral("OldQVGA");
  f.m_doc.AddObject(std::move(second));

  CObjectCamera editor;
  CCodeObject record;
  editor.Open(&record, &f.m_doc, CObjectEditor::kNewMode);
  QCOMPARE(editor.m_qvgaItems,
           (QStringList{QStringLiteral("SimpleQVGA1"), QStringLiteral("OldQVGA")}));
  QCOMPARE(editor.m_busItems, (QStringList{QStringLiteral("I2CBus1"), QStringLiteral("Bus2")}));
  QCOMPARE(editor.m_nQvga, 0);
  QVERIFY(SetValues(editor, {{QStringLiteral("cameraType"), QStringLiteral("OV5640")},
                             {QStringLiteral("qvgaObject"), QStringLiteral("1")},
                             {QStringLiteral("showCameraID"), QStringLiteral("0")}}));
  QVERIFY(editor.OnOK());
  QCOMPARE(record[CameraSlots::CameraType], QStringLiteral("OV5640"));
  QCOMPARE(record[CameraSlots::QvgaObject], QStringLiteral("OldQVGA"));
  QVERIFY(!record[CameraSlots::ShowId]);

  CObjectCamera reopened;
  reopened.Open(&record, &f.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(reopened.m_nQvga, 1);
  QCOMPARE(reopened.m_nBus, 0);
  QCOMPARE(reopened.m_nCameraType, 1);
  QVERIFY(!reopened.m_bShowId);
}

void TestCamera::deletedBusShowsNoSelection() {
  CCameraFixture f;
  CCodeObject* camera = f.Add(OBJ_CAMERA);
  QVERIFY(camera);
  f.m_doc.DeleteObject(f.m_pBus);
  CObjectCamera editor;
  editor.Open(camera, &f.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(editor.m_nBus, -1);
  QVERIFY(editor.OnOK());
  QCOMPARE((*camera)[CameraSlots::Bus], QString());
}

QTEST_GUILESS_MAIN(TestCamera)
#include "tst_camera.moc"
