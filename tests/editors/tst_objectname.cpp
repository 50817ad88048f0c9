#include <QtTest>

#include "EditorTestSupport.h"

class TestObjectName : public QObject {
  Q_OBJECT

 private slots:
  void newName_data();
  void newName();
  void nameIsCheckedBeforeThePins();
  void editModeKeepsTheStoredName();
  void kindsWithoutPinsCheckTheNameToo();
};

// The project holds I2CBus1 when each name is tried on a new Simple Sound object.
void TestObjectName::newName_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("message");  // "" when accepted

  QTest::newRow("proposed") << QStringLiteral("SimpleSound1") << QString();
  QTest::newRow("other name") << QStringLiteral("Audio_2") << QString();
  QTest::newRow("leading underscore") << QStringLiteral("_snd") << QString();
  QTest::newRow("empty") << QString() << QStringLiteral("Please enter an object name.");
  QTest::newRow("digit first")
      << QStringLiteral("2Sound")
      << QStringLiteral(
             "The object name \"2Sound\" must start with a letter (A to Z) or an underscore.");
  QTest::newRow("blank inside")
      << QStringLiteral("My Sound")
      << QStringLiteral(
             "The object name \"My Sound\" may hold only letters (A to Z), digits and "
             "underscores, not a blank.");
  QTest::newRow("dash") << QStringLiteral("Snd-1")
                        << QStringLiteral(
                               "The object name \"Snd-1\" may hold only letters (A to Z), "
                               "digits and underscores, not \"-\".");
  QTest::newRow("accented letter")
      << QStringLiteral("Son\u00e9")
      << QStringLiteral(
             "The object name \"Son\u00e9\" may hold only letters (A to Z), digits and "
             "underscores, not \"\u00e9\".");
  QTest::newRow("another object's name, other case")
      << QStringLiteral("i2cbus1")
      << QStringLiteral(
             "The name \"i2cbus1\" is already used by the object I2CBus1.  Names must "
             "differ in more than upper and lower case.");
  QTest::newRow("Serial") << QStringLiteral("SERIAL")
                          << QStringLiteral(
                                 "The name \"SERIAL\" is reserved for the serial pins 62 and 63.");
  for (const char* generated :
       {"sound", "Ser", "vga", "pixbuf1", "i", "main", "SetDacModeAndLevel"})
    QTest::addRow("generated %s", generated)
        << QString::fromLatin1(generated)
        << QStringLiteral(
               "The name \"%1\" is used by the generated program itself.  Please choose "
               "another name.")
               .arg(QString::fromLatin1(generated));
  for (const char* reserved : {"repeat", "CON", "Pinwrite", "waitms", "true"})
    QTest::addRow("reserved %s", reserved)
        << QString::fromLatin1(reserved)
        << QStringLiteral("The name \"%1\" is a Spin2 reserved word.  Please choose another name.")
               .arg(QString::fromLatin1(reserved));
}

void TestObjectName::newName() {
  QFETCH(QString, name);
  QFETCH(QString, message);
  CEditorFixture f;
  QVERIFY(f.Add(OBJ_I2C_BUS));
  const QStringList pins = PinTableSnapshot(f.m_doc);
  auto sound = f.Open(OBJ_SIMPLE_SOUND);
  sound.m_editor->m_sName = name;
  QCOMPARE(sound.m_editor->OnOK(), message.isEmpty());
  if (message.isEmpty()) {
    QVERIFY(f.Messages().isEmpty());
    QCOMPARE(f.m_doc.m_sPinUsedBy[54], name);
    return;
  }
  QCOMPARE(f.Messages(), QStringList{ErrorLine(message)});
  QCOMPARE(sound.m_editor->m_sFocusKey, QStringLiteral("name"));
  QVERIFY(!sound.m_record->m_bValid);
  QCOMPARE(PinTableSnapshot(f.m_doc), pins);
}

// The name message comes first even when the pins are wrong too.
void TestObjectName::nameIsCheckedBeforeThePins() {
  CEditorFixture f;
  auto vga = f.Open(OBJ_SIMPLE_VGA);
  QVERIFY(SetValues(*vga.m_editor, {{QStringLiteral("name"), QStringLiteral("Serial")},
                                    {QStringLiteral("basepin"), QStringLiteral("57")}}));
  QVERIFY(!vga.m_editor->OnOK());
  QCOMPARE(f.Messages(), QStringList{ErrorLine(QStringLiteral(
                             "The name \"Serial\" is reserved for the serial pins 62 and 63."))});
}

// An object from an older file may bear any name; editing it must still work, since the name
// cannot be changed there.
void TestObjectName::editModeKeepsTheStoredName() {
  CEditorFixture f;
  auto old = std::make_unique<CCodeObject>();
  old->m_nType = OBJ_SIMPLE_VGA;
  old->m_sName = QStringLiteral("vga");
  old->m_sBasePin = QStringLiteral("48");
  CCodeObject* vga = f.m_doc.AddObject(std::move(old));
  QVERIFY(f.Edit(vga));
  QCOMPARE(f.m_doc.m_sPinUsedBy[48], QStringLiteral("vga"));
  QVERIFY(f.Messages().isEmpty());
}

void TestObjectName::kindsWithoutPinsCheckTheNameToo() {
  CEditorFixture f;
  QVERIFY(f.Add(OBJ_I2C_BUS));
  QVERIFY(!f.Add(OBJ_RTC, {{QStringLiteral("name"), QStringLiteral("I2CBus1")}}));
  QCOMPARE(f.Messages().size(), 1);
  QVERIFY(f.Add(OBJ_RTC));
}

QTEST_GUILESS_MAIN(TestObjectName)
#include "tst_objectname.moc"
