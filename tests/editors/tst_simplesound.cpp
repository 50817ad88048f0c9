#include <QtTest>

#include "EditorTestSupport.h"

class TestSimpleSound : public QObject {
  Q_OBJECT

 private slots:
  void newSound_data();
  void newSound();
  void defaultsBesideVga();
};

void TestSimpleSound::newSound_data() {
  QTest::addColumn<QString>("left");
  QTest::addColumn<QString>("right");
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QStringList>("pins");

  QTest::newRow("defaults") << QStringLiteral("54") << QStringLiteral("55") << QStringList()
                            << QStringList{QStringLiteral("54 SimpleSound1 Simple Sound Left"),
                                           QStringLiteral("55 SimpleSound1 Simple Sound Right")};
  QTest::newRow("left 64 in the error box")
      << QStringLiteral("64") << QStringLiteral("55")
      << QStringList{ErrorLine(
             QStringLiteral("Pin 64 is out of range, please set to between 0 and 63."))}
      << QStringList();
  QTest::newRow("right 64 in the plain box")
      << QStringLiteral("54") << QStringLiteral("64")
      << QStringList{PlainLine(
             QStringLiteral("Pin 64 is out of range, please set to between 0 and 63."))}
      << QStringList();
  QTest::newRow("left first") << QStringLiteral("-3") << QStringLiteral("99")
                              << QStringList{ErrorLine(QStringLiteral(
                                     "Pin -3 is out of range, please set to between 0 and 63."))}
                              << QStringList();
  QTest::newRow("right on Serial")
      << QStringLiteral("54") << QStringLiteral("63")
      << QStringList{ErrorLine(QStringLiteral("Pin #63 is already in use by Serial."))}
      << QStringList();
  QTest::newRow("both pins equal")
      << QStringLiteral("54") << QStringLiteral("54") << QStringList()
      << QStringList{QStringLiteral("54 SimpleSound1 Simple Sound Right")};
}

void TestSimpleSound::newSound() {
  QFETCH(QString, left);
  QFETCH(QString, right);
  QFETCH(QStringList, messages);
  QFETCH(QStringList, pins);

  CEditorFixture f;
  const QStringList before = PinTableSnapshot(f.m_doc);
  auto sound = f.Open(OBJ_SIMPLE_SOUND);
  QVERIFY(SetValues(*sound.m_editor,
                    {{QStringLiteral("leftIOPin"), left},
                     {QStringLiteral("rightIOPin"), right},
                     {QStringLiteral("playRandomSoundEffects"), QStringLiteral("0")}}));
  const bool accepted = sound.m_editor->OnOK();
  QCOMPARE(accepted, messages.isEmpty());
  QCOMPARE(f.Messages(), messages);
  QCOMPARE(PinLines(f.m_doc), pins);
  if (!accepted) QCOMPARE(PinTableSnapshot(f.m_doc), before);

  CCodeObject expected;
  expected.m_nType = OBJ_SIMPLE_SOUND;
  expected.m_sName = QStringLiteral("SimpleSound1");
  expected[SoundSlots::LeftPin] = left;
  expected[SoundSlots::RightPin] = right;
  expected[SoundSlots::PlayMusic] = true;
  expected[SoundSlots::PlayEffects] = false;
  expected[Slot::PinCount] = 1;
  expected.m_bValid = accepted;
  QVERIFY(*sound.m_record == expected);  // the base pin stays ""
}

void TestSimpleSound::defaultsBesideVga() {
  CEditorFixture f;
  QVERIFY(f.Add(OBJ_SIMPLE_VGA));
  CCodeObject* sound =
      f.Add(OBJ_SIMPLE_SOUND, {{QStringLiteral("playPyrModMusicFileAtStart"), QStringLiteral("0")},
                               {QStringLiteral("playRandomSoundEffects"), QStringLiteral("0")}});
  QVERIFY(sound);
  QVERIFY(!(*sound)[SoundSlots::PlayMusic]);
  QVERIFY(!(*sound)[SoundSlots::PlayEffects]);
  QCOMPARE(f.m_doc.m_sPinUsedBy[54], QStringLiteral("SimpleSound1"));
}

QTEST_GUILESS_MAIN(TestSimpleSound)
#include "tst_simplesound.moc"
