#include <QSet>
#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/ObjectUsbKbm.h"

class TestEditorFields : public QObject {
  Q_OBJECT

 private slots:
  void keyFromLabel_data();
  void keyFromLabel();
  void everyEditorsFieldsAreBoundAndKeyed();
  void setFromTextRejectsWrongForms_data();
  void setFromTextRejectsWrongForms();
  void splitRadioGroupIsSetOnce();
};

void TestEditorFields::keyFromLabel_data() {
  QTest::addColumn<QString>("label");
  QTest::addColumn<QString>("key");
  QTest::newRow("one word") << QStringLiteral("Basepin:") << QStringLiteral("basepin");
  QTest::newRow("acronym first") << QStringLiteral("SCL Pin:") << QStringLiteral("sclPin");
  QTest::newRow("brackets") << QStringLiteral("Speed (kHz):") << QStringLiteral("speedKHz");
  QTest::newRow("apostrophe") << QStringLiteral("Set Time to PC's Time")
                              << QStringLiteral("setTimeToPCsTime");
  QTest::newRow("slash") << QStringLiteral("Left I/O Pin:") << QStringLiteral("leftIOPin");
  QTest::newRow("digits") << QStringLiteral("I2C Bus:") << QStringLiteral("i2cBus");
  QTest::newRow("dotted") << QStringLiteral("Play pyr.mod music file at start")
                          << QStringLiteral("playPyrModMusicFileAtStart");
}

void TestEditorFields::keyFromLabel() {
  QFETCH(QString, label);
  QFETCH(QString, key);
  QCOMPARE(CEditorField::KeyFromLabel(label), key);
}

// For every kind with an editor: the description comes first and the name second, settable
// keys are unique, every control is bound to a member, and a value set by key reads back.
void TestEditorFields::everyEditorsFieldsAreBoundAndKeyed() {
  for (int kind = 0; kind < kObjectKindCount; ++kind) {
    CEditorFixture f;
    f.Add(OBJ_I2C_BUS);
    f.Add(OBJ_SIMPLE_QVGA, {{QStringLiteral("basepin"), QStringLiteral("40")}});
    auto object = f.Open(kind);
    if (!object.m_editor) continue;
    const QList<CEditorField> fields = object.m_editor->Fields();
    QVERIFY(fields.size() >= 2);
    QCOMPARE(fields[0].m_kind, FieldKind::Display);
    QCOMPARE(*fields[0].m_pText, object.m_editor->m_sDescription);
    QCOMPARE(fields[1].m_sKey, QStringLiteral("name"));
    QVERIFY(fields[1].m_bReadOnlyInEdit);

    QSet<QString> keys;
    for (const CEditorField& field : fields) {
      const QByteArray where =
          (object.m_editor->Title() + u' ' + field.m_sKey + field.m_sLabel).toUtf8();
      switch (field.m_kind) {
        case FieldKind::Text:
        case FieldKind::ComboText:
        case FieldKind::Display:
          QVERIFY2(field.m_pText, where.constData());
          break;
        case FieldKind::ComboIndex:
        case FieldKind::Radio:
        case FieldKind::Slider:
          QVERIFY2(field.m_pIndex, where.constData());
          break;
        case FieldKind::Check:
          QVERIFY2(field.m_pFlag, where.constData());
          break;
        case FieldKind::Note:  // a fixed text, or one the editor computes
          QVERIFY2(!field.m_sLabel.isEmpty() || field.m_pText, where.constData());
          break;
        case FieldKind::Button:
          break;
      }
      if (!field.IsSettable()) continue;
      QVERIFY2(!field.m_sKey.isEmpty() && !keys.contains(field.m_sKey), where.constData());
      QVERIFY2(!field.m_sHelp.isEmpty(), where.constData());
      keys.insert(field.m_sKey);
    }

    for (CEditorField field : fields) {
      if (!field.IsSettable() || field.m_kind == FieldKind::Check) continue;
      if ((field.m_kind == FieldKind::ComboIndex || field.m_kind == FieldKind::Radio) &&
          field.m_items.isEmpty())
        continue;
      QString value;
      if (field.m_kind == FieldKind::Text || field.m_kind == FieldKind::ComboText) {
        value = QStringLiteral("7");
      } else if (field.m_kind == FieldKind::Slider) {
        value = QString::number(field.m_nMax);
      } else {
        int last = static_cast<int>(field.m_items.size()) - 1;
        while (field.m_disabledItems.contains(last)) --last;
        value = QString::number(last);
        if (field.TakesItemTextOnly()) {  // set by the item's text, read back as its index
          QVERIFY(field.SetFromText(field.m_items[last], nullptr));
          QCOMPARE(field.ValueText(), value);
          continue;
        }
      }
      QVERIFY(field.SetFromText(value, nullptr));
      QCOMPARE(field.ValueText(), value);
    }
  }
}

void TestEditorFields::setFromTextRejectsWrongForms_data() {
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("error");
  QTest::newRow("check")
      << QStringLiteral("outputMousePosition") << QStringLiteral("yes")
      << QStringLiteral(
             "Invalid value \"yes\" for outputMousePosition: expected 0, 1, true or false.");
  QTest::newRow("radio index") << QStringLiteral("port") << QStringLiteral("2")
                               << QStringLiteral(
                                      "Invalid value \"2\" for port: expected an index from 0 to 1 "
                                      "or one of: Top Port, Bottom Port.");
  QTest::newRow("radio text")
      << QStringLiteral("port") << QStringLiteral("Left Port")
      << QStringLiteral(
             "Invalid value \"Left Port\" for port: expected an index from 0 "
             "to 1 or one of: Top Port, Bottom Port.");
}

void TestEditorFields::setFromTextRejectsWrongForms() {
  QFETCH(QString, key);
  QFETCH(QString, value);
  QFETCH(QString, error);
  CEditorFixture f;
  auto usb = f.Open(OBJ_USB_KBM);
  for (CEditorField field : usb.m_editor->Fields()) {
    if (field.m_sKey != key) continue;
    const QString before = field.ValueText();
    QString message;
    QVERIFY(!field.SetFromText(value, &message));
    QCOMPARE(message, error);
    QCOMPARE(field.ValueText(), before);
  }
}

// The configuration radios each head a group box: two fields, one key.
void TestEditorFields::splitRadioGroupIsSetOnce() {
  CEditorFixture f;
  auto object = f.Open(OBJ_USB_KBM);
  auto& usb = static_cast<CObjectUsbKbm&>(*object.m_editor);
  QList<int> buttons;
  for (const CEditorField& field : usb.Fields())
    if (field.m_sKey == u"configuration") {
      buttons.append(field.m_nRadioButton);
      QCOMPARE(field.IsSettable(), field.m_nRadioButton == 0);
      QCOMPARE(field.m_pIndex, &usb.m_nConfiguration);
    }
  QCOMPARE(buttons, (QList<int>{0, 1}));
  QVERIFY(
      SetValues(usb, {{QStringLiteral("configuration"), QStringLiteral("Custom Configuration:")}}));
  QCOMPARE(usb.m_nConfiguration, 1);
}

QTEST_GUILESS_MAIN(TestEditorFields)
#include "tst_editorfields.moc"
