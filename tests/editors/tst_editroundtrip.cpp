#include <QtTest>

#include "EditorTestSupport.h"
#include "model/KindRegistry.h"

using namespace Qt::StringLiterals;

// An object opened in edit mode shows what its record holds, and OK without changes writes the
// record back as it was: nothing in the saved project moves because an editor was opened.
class TestEditRoundTrip : public QObject {
  Q_OBJECT

 private slots:
  void reopenShowsAndKeepsRecord_data();
  void reopenShowsAndKeepsRecord();
  void editModeTitleOffersNoAddition();
};

namespace {

// Every settable field's value as the editor shows it, "key=value".
QStringList ShownValues(CObjectEditor& editor) {
  QStringList shown;
  for (const CEditorField& field : editor.Fields())
    if (field.IsSettable()) shown.append(field.m_sKey + u'=' + field.ValueText());
  return shown;
}

}  // namespace

void TestEditRoundTrip::reopenShowsAndKeepsRecord_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QStringList>("values");  // away from the defaults wherever a field allows

  QTest::newRow("I2C bus") << int(OBJ_I2C_BUS)
                           << QStringList{u"sclPin=20"_s, u"sdaPin=23"_s,
                                          u"internalPullups=3.3 kOhm"_s, u"speedKHz=250"_s,
                                          u"scanTheI2CBusForDevicesAndDisplayResult=0"_s};
  QTest::newRow("RTC") << int(OBJ_RTC) << QStringList{u"i2cBus=Bus2"_s, u"setTimeToPCsTime=1"_s};
  QTest::newRow("camera") << int(OBJ_CAMERA)
                          << QStringList{u"i2cBus=Bus2"_s, u"cameraType=OV7675"_s, u"basepin=32"_s,
                                         u"showCameraID=0"_s};
  QTest::newRow("RGB LED string") << int(OBJ_NEOPIXEL)
                                  << QStringList{u"iOPin=7"_s,        u"ledsInString=30"_s,
                                                 u"ledType=SK6812"_s, u"holdoff=12"_s,
                                                 u"red=1"_s,          u"green=2"_s,
                                                 u"blue=3"_s,         u"cycleRandomColors=1"_s};
  QTest::newRow("sound") << int(OBJ_SIMPLE_SOUND)
                         << QStringList{u"leftIOPin=12"_s, u"rightIOPin=5"_s,
                                        u"playPyrModMusicFileAtStart=0"_s,
                                        u"playRandomSoundEffects=0"_s};
  QTest::newRow("NCO") << int(OBJ_NCO)
                       << QStringList{u"iOPin=9"_s, u"desiredFrequencyHz=1_000_000"_s};
  QTest::newRow("servo") << int(OBJ_SERVO)
                         << QStringList{u"iOPin=11"_s, u"positionUnitsOptions=Microseconds"_s,
                                        u"startingPosition=45"_s, u"moveServoRandomly=0"_s};
}

void TestEditRoundTrip::reopenShowsAndKeepsRecord() {
  QFETCH(int, kind);
  QFETCH(QStringList, values);

  // Two buses and a QVGA object, for the kinds that pick them from lists.
  CEditorFixture f;
  QVERIFY(f.Add(OBJ_I2C_BUS));
  QVERIFY(f.Add(OBJ_I2C_BUS, ValuesFrom({u"name=Bus2"_s, u"sclPin=2"_s, u"sdaPin=3"_s})));
  QVERIFY(f.Add(OBJ_SIMPLE_QVGA, ValuesFrom({u"basepin=48"_s})));
  f.m_doc.m_sClockFreq = u"300_000_000"_s;  // enough for the camera: no clock note

  auto created = f.Open(kind);
  QVERIFY(SetValues(*created.m_editor, ValuesFrom(values)));
  QVERIFY(created.m_editor->OnOK());
  const QStringList shownAtOk = ShownValues(*created.m_editor);  // as OK stored them
  CCodeObject* object = f.m_doc.AddObject(std::move(created.m_record));
  const CCodeObject stored = *object;
  const QStringList pins = PinTableSnapshot(f.m_doc);

  std::unique_ptr<CObjectEditor> reopened = CreateEditor(kind);
  reopened->Open(object, &f.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(ShownValues(*reopened), shownAtOk);
  QVERIFY(reopened->OnOK());
  QVERIFY(*object == stored);
  QCOMPARE(PinTableSnapshot(f.m_doc), pins);
  QVERIFY(f.Messages().isEmpty());
}

// An existing object's dialog never offers to add it: the title of a kind that reads "Add ..." in
// new mode reads "Edit ..." in edit mode; every other title stays as it is.
void TestEditRoundTrip::editModeTitleOffersNoAddition() {
  for (const CKindInfo& kind : KindRegistry()) {
    CEditorFixture f;
    QVERIFY(f.Add(OBJ_I2C_BUS));
    QVERIFY(f.Add(OBJ_SIMPLE_QVGA, ValuesFrom({u"basepin=32"_s})));
    f.m_doc.m_sClockFreq = u"300_000_000"_s;
    CCodeObject* object = f.Add(kind.m_nKind);
    QVERIFY2(object, qPrintable(kind.m_sDisplayName + u'\n' + f.Messages().join(u'\n')));
    std::unique_ptr<CObjectEditor> editor = CreateEditor(kind.m_nKind);
    editor->Open(object, &f.m_doc, CObjectEditor::kEditMode);
    const QString expected =
        kind.m_nKind == OBJ_USB_KBM ? u"Edit USB Keyboard and/or Mouse"_s : kind.m_sEditorTitle;
    QCOMPARE(editor->Title(), expected);
  }
}

QTEST_GUILESS_MAIN(TestEditRoundTrip)
#include "tst_editroundtrip.moc"
