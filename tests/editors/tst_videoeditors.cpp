#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/VideoEditors.h"
#include "model/ObjectListText.h"

class TestVideoEditors : public QObject {
  Q_OBJECT

 private slots:
  void newObject_data();
  void newObject();
  void hdmiClockNote_data();
  void hdmiClockNote();
  void movingReleasesOldBlockAndKeepsNotes();
  void rejectedEditKeepsOldClaims();
  void editShowsStoredValues();
};

static QStringList Block(int base, const QString& name, const QStringList& roles) {
  QStringList lines;
  for (int i = 0; i < roles.size(); ++i)
    lines.append(QStringLiteral("%1 %2 %3").arg(base + i).arg(name, roles[i]));
  return lines;
}

static const QStringList kVga = {QStringLiteral("HSync"), QStringLiteral("Blue"),
                                 QStringLiteral("Green"), QStringLiteral("Red"),
                                 QStringLiteral("VSync")};
static const QStringList kHdmi = {QStringLiteral("HDMI CLK-"), QStringLiteral("HDMI CLK+"),
                                  QStringLiteral("HDMI BLU-"), QStringLiteral("HDMI BLU+"),
                                  QStringLiteral("HDMI GRN-"), QStringLiteral("HDMI GRN+"),
                                  QStringLiteral("HDMI RED-"), QStringLiteral("HDMI RED+")};

static const QString kHdmiNote = QStringLiteral(
    "Warning|P2 Clock May Need Changing!|Note:  Picky monitors may require P2 clock to be set "
    "closer to 312.5 MHz for HDMI in WVGA resolution.");

void TestVideoEditors::newObject_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("basePin");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<int>("pinCount");
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QStringList>("pins");

  const QString vga = QStringLiteral("SimpleVGA1");
  QTest::newRow("vga defaults") << int(OBJ_SIMPLE_VGA) << QStringLiteral("48") << true << 5
                                << QStringList() << Block(48, vga, kVga);
  QTest::newRow("vga 56 is the top") << int(OBJ_SIMPLE_VGA) << QStringLiteral("56") << true << 5
                                     << QStringList() << Block(56, vga, kVga);
  for (const char* pin : {"57", "58", "60", "64"})
    QTest::addRow("vga %s out of range", pin)
        << int(OBJ_SIMPLE_VGA) << QString::fromLatin1(pin) << false << 0
        << QStringList{ErrorLine(QStringLiteral("Pin %1 is out of range, please set to between 0 "
                                                "and 56.")
                                     .arg(QString::fromLatin1(pin)))}
        << QStringList();
  QTest::newRow("vga negative") << int(OBJ_SIMPLE_VGA) << QStringLiteral("-4") << false << 0
                                << QStringList{ErrorLine(QStringLiteral(
                                       "Pin -4 is out of range, please set to between 0 and 56."))}
                                << QStringList();
  QTest::newRow("vga 50 not a multiple")
      << int(OBJ_SIMPLE_VGA) << QStringLiteral("50") << false << 0
      << QStringList{ErrorLine(QStringLiteral("Pin 50 is not a multiple of 4."))} << QStringList();
  for (const char* text : {"abc", "8x"})
    QTest::addRow("vga %s not a number", text)
        << int(OBJ_SIMPLE_VGA) << QString::fromLatin1(text) << false << 0
        << QStringList{ErrorLine(QStringLiteral("Basepin: \"%1\" is not a decimal pin number.")
                                     .arg(QString::fromLatin1(text)))}
        << QStringList();
  QTest::newRow("qvga 52") << int(OBJ_SIMPLE_QVGA) << QStringLiteral("52") << true << 5
                           << QStringList() << Block(52, QStringLiteral("SimpleQVGA1"), kVga);
  QTest::newRow("1080p 44") << int(OBJ_TILED_1080P) << QStringLiteral("44") << true << 5
                            << QStringList() << Block(44, QStringLiteral("Tiled1080p1"), kVga);
  QTest::newRow("1080p 42") << int(OBJ_TILED_1080P) << QStringLiteral("42") << false << 0
                            << QStringList{ErrorLine(
                                   QStringLiteral("Pin 42 is not a multiple of 4."))}
                            << QStringList();
  QTest::newRow("hdmi 48, note at 160 MHz")
      << int(OBJ_SIMPLE_HDMI) << QStringLiteral("48") << true << 8 << QStringList{kHdmiNote}
      << Block(48, QStringLiteral("SimpleHDMI1"), kHdmi);
  QTest::newRow("hdmi 52 not a multiple of 8")
      << int(OBJ_SIMPLE_HDMI) << QStringLiteral("52") << false << 0
      << QStringList{ErrorLine(QStringLiteral("Pin 52 is not a multiple of 8."))} << QStringList();
  // The checks passed, so the count is written; the block would reach the serial pins.
  QTest::newRow("hdmi 56 hits Serial")
      << int(OBJ_SIMPLE_HDMI) << QStringLiteral("56") << false << 8
      << QStringList{ErrorLine(QStringLiteral("Pins #62 and #63 are already in use by Serial. The "
                                              "nearest free block of 8 pins starts at pin 48."))}
      << QStringList();
}

void TestVideoEditors::newObject() {
  QFETCH(int, kind);
  QFETCH(QString, basePin);
  QFETCH(bool, accepted);
  QFETCH(int, pinCount);
  QFETCH(QStringList, messages);
  QFETCH(QStringList, pins);

  CEditorFixture f;
  const QStringList before = PinTableSnapshot(f.m_doc);
  auto object = f.Open(kind);
  QCOMPARE(object.m_editor->m_sName, QString(object.m_editor->DefaultNameFormat())
                                         .replace(QStringLiteral("%d"), QStringLiteral("1")));
  QVERIFY(SetValues(*object.m_editor, {{QStringLiteral("basepin"), basePin}}));
  QCOMPARE(object.m_editor->OnOK(), accepted);
  QCOMPARE(f.Messages(), messages);
  QCOMPARE(PinLines(f.m_doc), pins);
  if (!accepted) QCOMPARE(PinTableSnapshot(f.m_doc), before);

  // A pin text that is not a number stops the OK before anything is written.
  if (messages.value(0).contains(QStringLiteral("is not a decimal pin number"))) {
    QVERIFY(*object.m_record == CCodeObject());
    QVERIFY(!f.m_doc.IsModified());
    return;
  }
  // Only these slots are written; the rest keep the new record's values.
  CCodeObject expected;
  expected.m_nType = kind;
  expected.m_sName = object.m_editor->m_sName;
  expected.m_sBasePin = basePin;
  expected.m_nPinCount = pinCount;
  expected.m_bValid = accepted;
  QVERIFY(*object.m_record == expected);
  QCOMPARE(f.m_doc.IsModified(), accepted);
}

void TestVideoEditors::hdmiClockNote_data() {
  QTest::addColumn<QString>("clock");
  QTest::addColumn<bool>("note");
  QTest::newRow("300 MHz") << QStringLiteral("300_000_000") << false;
  QTest::newRow("320 MHz") << QStringLiteral("320_000_000") << false;
  QTest::newRow("160 MHz") << QStringLiteral("160_000_000") << true;
  QTest::newRow("200 MHz") << QStringLiteral("200_000_000") << true;
  QTest::newRow("lower limit") << QStringLiteral("281250000") << false;
  QTest::newRow("upper limit") << QStringLiteral("343750000") << false;
  QTest::newRow("below lower limit") << QStringLiteral("281249999") << true;
  QTest::newRow("above upper limit") << QStringLiteral("343_750_001") << true;
}

void TestVideoEditors::hdmiClockNote() {
  QFETCH(QString, clock);
  QFETCH(bool, note);
  CEditorFixture f;
  f.m_doc.m_sClockFreq = clock;
  CCodeObject* hdmi = f.Add(OBJ_SIMPLE_HDMI);
  QVERIFY(hdmi);  // the note never stops the OK
  QVERIFY(hdmi->m_bValid);
  QCOMPARE(f.Messages(), note ? QStringList{kHdmiNote} : QStringList());
}

void TestVideoEditors::movingReleasesOldBlockAndKeepsNotes() {
  CEditorFixture f;
  CCodeObject* vga = f.Add(OBJ_SIMPLE_VGA);
  QVERIFY(vga);
  f.m_doc.m_sPinNotes[48] = QStringLiteral("monitor");
  QVERIFY(f.Edit(vga));  // unchanged: its own pins do not conflict
  QVERIFY(f.Edit(vga, {{QStringLiteral("basepin"), QStringLiteral("40")}}));
  QStringList expected = Block(40, QStringLiteral("SimpleVGA1"), kVga);
  expected << QStringLiteral("48 free [monitor]");
  QCOMPARE(PinLines(f.m_doc), expected);
  QCOMPARE(vga->m_sBasePin, QStringLiteral("40"));
  QVERIFY(f.Messages().isEmpty());
}

void TestVideoEditors::rejectedEditKeepsOldClaims() {
  CEditorFixture f;
  CCodeObject* vga = f.Add(OBJ_SIMPLE_VGA);
  QVERIFY(vga);
  QVERIFY(f.Add(OBJ_SIMPLE_QVGA, {{QStringLiteral("basepin"), QStringLiteral("40")}}));
  const QStringList before = PinTableSnapshot(f.m_doc);
  f.m_doc.SetModifiedFlag(false);

  QVERIFY(!f.Edit(vga, {{QStringLiteral("basepin"), QStringLiteral("40")}}));
  QCOMPARE(f.Messages(),
           QStringList{ErrorLine(QStringLiteral(
               "Pins #40, #41, #42, #43 and #44 are already in use by SimpleQVGA1. The nearest "
               "free block of 5 pins starts at pin 32."))});
  QCOMPARE(PinTableSnapshot(f.m_doc), before);
  QCOMPARE(vga->m_sBasePin, QStringLiteral("40"));  // the rejected value stays in the record
  QVERIFY(!vga->m_bValid);
  QCOMPARE(WarningLines(f.m_doc),
           QStringList{QStringLiteral("Invalid pin assignment in: SimpleVGA1 - Simple VGA")});
  QVERIFY(f.m_doc.IsModified());

  // A rejected range check leaves the pin count of the last accepted OK.
  QVERIFY(!f.Edit(vga, {{QStringLiteral("basepin"), QStringLiteral("57")}}));
  QCOMPARE(vga->m_nPinCount, 5);

  QVERIFY(f.Edit(vga, {{QStringLiteral("basepin"), QStringLiteral("48")}}));
  QVERIFY(vga->m_bValid);
  QVERIFY(WarningLines(f.m_doc).isEmpty());
}

void TestVideoEditors::editShowsStoredValues() {
  CEditorFixture f;
  CCodeObject* vga = f.Add(OBJ_SIMPLE_VGA, {{QStringLiteral("basepin"), QStringLiteral("8")}});
  QVERIFY(vga);
  // A text stored before OK checked pin texts is shown as it is.
  vga->m_sBasePin = QStringLiteral("8x");
  CSimpleVGA editor;
  editor.Open(vga, &f.m_doc, CObjectEditor::kEditMode);
  QCOMPARE(editor.m_sName, QStringLiteral("SimpleVGA1"));
  QCOMPARE(editor.m_sBasePin, QStringLiteral("8x"));
  QVERIFY(editor.IsNameReadOnly());
  QCOMPARE(editor.m_sDescription,
           QStringLiteral("Uses 5 pins and a fair amount of memory to show a 8bpp embedded image "
                          "over VGA.\r\nUsually used on basepin that is multiple of 8 but can be "
                          "multiple of 4."));
}

QTEST_GUILESS_MAIN(TestVideoEditors)
#include "tst_videoeditors.moc"
