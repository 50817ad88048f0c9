#include "ModalDriver.h"
#include "TestPlatform.h"
#include "app/EditorDialog.h"
#include "app/ObjectPickerDialog.h"
#include "editors/EditorFactory.h"
#include "editors/ObjectPicker.h"
#include "model/ObjectListText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The picker and the sixteen editor dialogs, driven as a user would.
class TestObjectDialogs : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { m_pModals.reset(); }
  void pickerShowsSixteenButtons();
  void addEveryKindWithDefaults_data();
  void addEveryKindWithDefaults();
  void rejectedOkKeepsEditorOpen();
  void refusedKindKeepsPickerOpen_data();
  void refusedKindKeepsPickerOpen();
  void editShowsStoredValuesWithFixedName();
  void ncoCalculateShowsRegisters();
  void cameraMovesItsI2CBus();

 private:
  // Runs the picker on a new record, presses the kind's button and lets `inEditor` work the
  // editor dialog (default: press OK). Adds the record when the picker says OK.
  bool AddThroughPicker(int kind, const std::function<void(CEditorDialog*)>& inEditor = {});
  static void Press(QWidget* dialog, const QString& name) {
    auto* button = dialog->findChild<QAbstractButton*>(name);
    QVERIFY2(button, qPrintable(name));
    button->click();
  }
  static void SetText(QWidget* dialog, const QString& key, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(key);
    QVERIFY2(edit, qPrintable(key));
    edit->setText(text);
  }
  static QString Text(QWidget* dialog, const QString& key) {
    auto* edit = dialog->findChild<QLineEdit*>(key);
    return edit ? edit->text() : QStringLiteral("<no %1>").arg(key);
  }
  static QString ScreenshotPath(const QString& name) {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots/") + name +
           QStringLiteral(".png");
  }
  // "pin:holder:role" for every claimed pin, ascending.
  QStringList Claims() const {
    QStringList claims;
    for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin)
      if (m_doc->m_bPinUsed[pin])
        claims.append(QStringLiteral("%1:%2:%3")
                          .arg(pin)
                          .arg(m_doc->m_sPinUsedBy[pin], m_doc->m_sPinUsedFor[pin]));
    return claims;
  }

  CTestPlatform m_test;
  std::unique_ptr<CKyvDoc> m_doc;
  std::unique_ptr<CModalDriver> m_pModals;
};

void TestObjectDialogs::init() {
  m_pModals = std::make_unique<CModalDriver>();
  QDir().mkpath(QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots"));
  m_test.m_messages.Clear();
  m_doc = std::make_unique<CKyvDoc>(m_test.Services());
  m_doc->OnNewDocument();
}

bool TestObjectDialogs::AddThroughPicker(int kind,
                                         const std::function<void(CEditorDialog*)>& inEditor) {
  auto object = std::make_unique<CCodeObject>();
  m_pModals->When<CObjectPickerDialog>([&](CObjectPickerDialog* picker) {
    m_pModals->When<CEditorDialog>([&](CEditorDialog* editor) {
      if (inEditor)
        inEditor(editor);
      else
        Press(editor, QStringLiteral("ok"));
    });
    Press(picker, QStringLiteral("pick%1").arg(kind));
  });
  if (!CObjectPickerDialog::Run(*object, *m_doc, nullptr)) return false;
  m_doc->AddObject(std::move(object));
  return true;
}

void TestObjectDialogs::pickerShowsSixteenButtons() {
  CCodeObject object;
  CObjectPicker picker(&object, m_doc.get());
  CObjectPickerDialog dialog(picker);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Pick New Object"));
  auto* grid = dialog.findChild<QGridLayout*>();
  QVERIFY(grid);
  for (const CPickerButton& entry : CObjectPicker::Buttons()) {
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("pick%1").arg(entry.m_nKind));
    QVERIFY(button);
    QCOMPARE(button->toolTip(), entry.m_sTooltip);
    QVERIFY(!button->icon().isNull());
    // The text as shown: "&&" is a literal ampersand, a single "&" marks the access key.
    QString shown = button->text();
    shown.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
    QCOMPARE(shown, entry.m_sText);
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(button), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(row, entry.m_nRow);
    QCOMPARE(column, entry.m_nColumn);
  }
  QCOMPARE(dialog.findChildren<QPushButton*>().size(), 17);  // and Cancel
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QVERIFY(dialog.grab().save(ScreenshotPath(QStringLiteral("picker"))));

  QTest::keyClick(&dialog, Qt::Key_Escape);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(picker.GetResult(), CObjectPicker::Result::Cancel);
}

void TestObjectDialogs::addEveryKindWithDefaults_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("line");
  QTest::addColumn<QStringList>("claims");  // the new object's pins
  auto roles = [](int first, const QString& holder, const QStringList& roles) {
    QStringList claims;
    for (int i = 0; i < roles.size(); ++i)
      claims.append(QStringLiteral("%1:%2:%3").arg(first + i).arg(holder, roles[i]));
    return claims;
  };
  const QStringList vga = {QStringLiteral("HSync"), QStringLiteral("Blue"), QStringLiteral("Green"),
                           QStringLiteral("Red"), QStringLiteral("VSync")};
  QTest::newRow("Simple VGA") << int(OBJ_SIMPLE_VGA) << QStringLiteral("Simple VGA 8bpp Driver")
                              << QStringLiteral("SimpleVGA1 - Simple VGA")
                              << roles(48, QStringLiteral("SimpleVGA1"), vga);
  QTest::newRow("Simple QVGA") << int(OBJ_SIMPLE_QVGA) << QStringLiteral("Simple QVGA 16bpp Driver")
                               << QStringLiteral("SimpleQVGA1 - Simple QVGA")
                               << roles(48, QStringLiteral("SimpleQVGA1"), vga);
  QTest::newRow("Simple HDMI") << int(OBJ_SIMPLE_HDMI) << QStringLiteral("Simple HDMI 8bpp Driver")
                               << QStringLiteral("SimpleHDMI1 - Simple HDMI")
                               << roles(48, QStringLiteral("SimpleHDMI1"),
                                        {QStringLiteral("HDMI CLK-"), QStringLiteral("HDMI CLK+"),
                                         QStringLiteral("HDMI BLU-"), QStringLiteral("HDMI BLU+"),
                                         QStringLiteral("HDMI GRN-"), QStringLiteral("HDMI GRN+"),
                                         QStringLiteral("HDMI RED-"), QStringLiteral("HDMI RED+")});
  QTest::newRow("Tiled 1080p") << int(OBJ_TILED_1080P)
                               << QStringLiteral("Tiled 1080p 2bpp VGA Driver")
                               << QStringLiteral("Tiled1080p1 - Tiled 1080p")
                               << roles(48, QStringLiteral("Tiled1080p1"), vga);
  QTest::newRow("I2C bus") << int(OBJ_I2C_BUS)
                           << QStringLiteral("I2C Bus Driver and Scanner Settings")
                           << QStringLiteral("I2CBus1 - I2C Bus and Scanner")
                           << roles(56, QStringLiteral("I2CBus1"),
                                    {QStringLiteral("SCL"), QStringLiteral("SDA")});
  QTest::newRow("RTC") << int(OBJ_RTC) << QStringLiteral("I2C Real Time Clock (RTC)")
                       << QStringLiteral("RTC1 - Real Time Clock") << QStringList();
  QTest::newRow("RGB LED string") << int(OBJ_NEOPIXEL) << QStringLiteral("RGB LED String")
                                  << QStringLiteral("Neopixel1 - Neopixel")
                                  << roles(53, QStringLiteral("Neopixel1"),
                                           {QStringLiteral("Neopixel")});
  QTest::newRow("NCO") << int(OBJ_NCO) << QStringLiteral("NCO Frequency Object Interface")
                       << QStringLiteral("NCO_Freq1 - NCO-Frequency")
                       << roles(24, QStringLiteral("NCO_Freq1"), {QStringLiteral("NCO Frequency")});
  QTest::newRow("Simple Sound") << int(OBJ_SIMPLE_SOUND)
                                << QStringLiteral("Simple Sound - Music & Sound Effects Player")
                                << QStringLiteral("SimpleSound1 - Simple Sound")
                                << roles(54, QStringLiteral("SimpleSound1"),
                                         {QStringLiteral("Simple Sound Left"),
                                          QStringLiteral("Simple Sound Right")});
  QTest::newRow("Servo") << int(OBJ_SERVO) << QStringLiteral("Hobby Servo")
                         << QStringLiteral("Servo1 - Hobby Servo")
                         << roles(38, QStringLiteral("Servo1"), {QStringLiteral("Hobby Servo")});
  QTest::newRow("Digital I/O") << int(OBJ_DIGITAL_IO)
                               << QStringLiteral("Smart Digital I/O Pin Smart Settings")
                               << QStringLiteral("SmartPin1 - Smart Digital I/O Pin")
                               << roles(38, QStringLiteral("SmartPin1"),
                                        {QStringLiteral("Smart Digital I/O")});
  QTest::newRow("Digital filters")
      << int(OBJ_DIGITAL_FILTERS) << QStringLiteral("Configure the Global Digital Filters")
      << QStringLiteral("Filter1 - Global Digital Filters") << QStringList();
  QTest::newRow("DAC") << int(OBJ_DAC) << QStringLiteral("DAC (Digital To Analog) PIN")
                       << QStringLiteral("DAC1 - Digital To Analog Pin")
                       << roles(49, QStringLiteral("DAC1"), {QStringLiteral("Digital To Analog")});
  QTest::newRow("ADC") << int(OBJ_ADC)
                       << QStringLiteral("Analog to Digital (ADC) Smart Pin Settings")
                       << QStringLiteral("ADC1 - Analog To Digital Smart Pin")
                       << roles(50, QStringLiteral("ADC1"), {QStringLiteral("Analog To Digital")});
  QTest::newRow("USB") << int(OBJ_USB_KBM) << QStringLiteral("Add a USB Keyboard and/or Mouse")
                       << QStringLiteral("UsbKbM1 - USB Keyboard and/or Mouse")
                       << roles(8, QStringLiteral("UsbKbM1"),
                                {QStringLiteral("Parallax USB Upper Activity"),
                                 QStringLiteral("Parallax USB Upper Enable"),
                                 QStringLiteral("Parallax USB Upper Data-"),
                                 QStringLiteral("Parallax USB Upper Data+"),
                                 QStringLiteral("Parallax USB Lower Activity"),
                                 QStringLiteral("Parallax USB Lower Enable"),
                                 QStringLiteral("Parallax USB Lower Data-"),
                                 QStringLiteral("Parallax USB Lower Data+")});
  QStringList camera = roles(16, QStringLiteral("Cam1"), QStringList(8, QStringLiteral("DVP Bus")));
  camera += roles(
      24, QStringLiteral("Cam1"),
      {QStringLiteral("DVP I2C SDA"), QStringLiteral("DVP I2C SCL"),
       QStringLiteral("DVP Power Down"), QStringLiteral("DVP HREF"), QStringLiteral("DVP VSYNC"),
       QStringLiteral("DVP Reset"), QStringLiteral("DVP Pixel Clock (P2 Input)"),
       QStringLiteral("DVP XClock (P2 Output)")});
  QTest::newRow("Camera") << int(OBJ_CAMERA) << QStringLiteral("DVP Camera")
                          << QStringLiteral("Cam1 - DVP Camera") << camera;
}

void TestObjectDialogs::addEveryKindWithDefaults() {
  QFETCH(int, kind);
  QFETCH(QString, title);
  QFETCH(QString, line);
  QFETCH(QStringList, claims);
  // What the RTC and the camera need first; the QVGA object out of the camera's way.
  if (kind == OBJ_RTC || kind == OBJ_CAMERA) QVERIFY(AddThroughPicker(OBJ_I2C_BUS));
  if (kind == OBJ_CAMERA) {
    QVERIFY(AddThroughPicker(OBJ_SIMPLE_QVGA, [](CEditorDialog* editor) {
      SetText(editor, QStringLiteral("basepin"), QStringLiteral("0"));
      Press(editor, QStringLiteral("ok"));
    }));
  }
  QStringList expectedLines = ObjectListLines(*m_doc);
  expectedLines.append(line);
  QStringList expectedClaims = Claims();
  for (const QString& claim : claims) expectedClaims.append(claim);
  if (kind == OBJ_CAMERA)
    expectedClaims.removeIf([](const QString& claim) { return claim.contains(u"I2CBus1"); });
  std::sort(expectedClaims.begin(), expectedClaims.end(), [](const QString& a, const QString& b) {
    return a.section(u':', 0, 0).toInt() < b.section(u':', 0, 0).toInt();
  });

  QString shownTitle;
  QVERIFY(AddThroughPicker(kind, [&](CEditorDialog* editor) {
    shownTitle = editor->windowTitle();
    editor->grab().save(
        ScreenshotPath(QStringLiteral("editor%1").arg(kind, 2, 10, QLatin1Char('0'))));
    Press(editor, QStringLiteral("ok"));
  }));
  QCOMPARE(shownTitle, title);
  QCOMPARE(ObjectListLines(*m_doc), expectedLines);
  QVERIFY(WarningLines(*m_doc).isEmpty());
  QCOMPARE(Claims(), expectedClaims);
  QCOMPARE(m_doc->m_nTypeCount[kind], 1);
}

void TestObjectDialogs::rejectedOkKeepsEditorOpen() {
  const QStringList claimsBefore = Claims();
  bool stayedOpen = false;
  QVERIFY(!AddThroughPicker(OBJ_SIMPLE_VGA, [&](CEditorDialog* editor) {
    SetText(editor, QStringLiteral("basepin"), QStringLiteral("60"));
    Press(editor, QStringLiteral("ok"));
    stayedOpen = editor->isVisible();
    Press(editor, QStringLiteral("cancel"));
  }));
  QVERIFY(stayedOpen);
  QCOMPARE(m_test.m_messages.m_messages.size(), 1);
  QCOMPARE(m_test.m_messages.m_messages[0].m_style, MessageStyle::Error);
  QCOMPARE(m_test.m_messages.m_messages[0].m_sText,
           QStringLiteral("Pin 60 is out of range, please set to between 0 and 56."));
  QVERIFY(m_doc->m_ObjectList.empty());
  QCOMPARE(m_doc->m_nTypeCount[OBJ_SIMPLE_VGA], 0);
  QCOMPARE(Claims(), claimsBefore);

  // The next try is offered the same name.
  QString name;
  QVERIFY(AddThroughPicker(OBJ_SIMPLE_VGA, [&](CEditorDialog* editor) {
    name = Text(editor, QStringLiteral("name"));
    Press(editor, QStringLiteral("ok"));
  }));
  QCOMPARE(name, QStringLiteral("SimpleVGA1"));
}

void TestObjectDialogs::refusedKindKeepsPickerOpen_data() {
  QTest::addColumn<QList<int>>("present");
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("message");
  const QString noBus =
      QStringLiteral("Error.  No I2C busses found.  Please add I2C Bus object first.");
  const QString noBusForCamera =
      QStringLiteral("Error.  No I2C busses found.  Please add I2C Bus and QVGA objects first.");
  const QString noQvga =
      QStringLiteral("Error.  No QVGA object found.  Please add I2C Bus and QVGA objects first.");
  QTest::newRow("RTC without a bus") << QList<int>{} << int(OBJ_RTC) << noBus;
  QTest::newRow("camera in an empty project") << QList<int>{} << int(OBJ_CAMERA) << noBusForCamera;
  QTest::newRow("camera without QVGA") << QList<int>{OBJ_I2C_BUS} << int(OBJ_CAMERA) << noQvga;
  QTest::newRow("VGA is not QVGA")
      << QList<int>{OBJ_I2C_BUS, OBJ_SIMPLE_VGA, OBJ_SIMPLE_HDMI} << int(OBJ_CAMERA) << noQvga;
}

void TestObjectDialogs::refusedKindKeepsPickerOpen() {
  QFETCH(QList<int>, present);
  QFETCH(int, kind);
  QFETCH(QString, message);
  for (int other : present) {
    QVERIFY(AddThroughPicker(other, [](CEditorDialog* editor) {
      // Out of each other's way.
      if (auto* base = editor->findChild<QLineEdit*>(QStringLiteral("basepin")))
        base->setText(QStringLiteral("0"));
      Press(editor, QStringLiteral("ok"));
    }));
    if (other == OBJ_SIMPLE_VGA)
      m_doc->DeleteObject(m_doc->m_ObjectList.back().get());  // free pin 0 for HDMI
  }
  m_test.m_messages.Clear();
  const size_t objects = m_doc->m_ObjectList.size();

  bool stayedOpen = false;
  QString addedName;
  auto object = std::make_unique<CCodeObject>();
  m_pModals->When<CObjectPickerDialog>([&](CObjectPickerDialog* picker) {
    Press(picker, QStringLiteral("pick%1").arg(kind));
    stayedOpen = picker->isVisible();
    // Another kind can be picked in the same picker.
    m_pModals->When<CEditorDialog>([&](CEditorDialog* editor) {
      addedName = Text(editor, QStringLiteral("name"));
      SetText(editor, QStringLiteral("sclPin"), QStringLiteral("40"));
      SetText(editor, QStringLiteral("sdaPin"), QStringLiteral("41"));
      Press(editor, QStringLiteral("ok"));
    });
    Press(picker, QStringLiteral("pick%1").arg(OBJ_I2C_BUS));
  });
  QVERIFY(CObjectPickerDialog::Run(*object, *m_doc, nullptr));
  QVERIFY(stayedOpen);
  QCOMPARE(m_test.m_messages.m_messages.size(), 1);
  QCOMPARE(m_test.m_messages.m_messages[0].m_style, MessageStyle::Plain);
  QCOMPARE(m_test.m_messages.m_messages[0].m_sText, message);
  QCOMPARE(m_doc->m_ObjectList.size(), objects);
  QCOMPARE(object->m_nType, int(OBJ_I2C_BUS));
  QVERIFY(addedName.startsWith(u"I2CBus"));
}

void TestObjectDialogs::editShowsStoredValuesWithFixedName() {
  QVERIFY(AddThroughPicker(OBJ_I2C_BUS, [](CEditorDialog* editor) {
    SetText(editor, QStringLiteral("sclPin"), QStringLiteral("40"));
    editor->findChild<QComboBox*>(QStringLiteral("speedKHz"))->setEditText(QStringLiteral("250"));
    Press(editor, QStringLiteral("internalPullups_2"));
    Press(editor, QStringLiteral("scanTheI2CBusForDevicesAndDisplayResult"));
    Press(editor, QStringLiteral("ok"));
  }));
  CCodeObject& bus = *m_doc->m_ObjectList.front();
  m_doc->SetModifiedFlag(false);

  auto editor = CreateEditor(bus.m_nType);
  m_pModals->When<CEditorDialog>([&](CEditorDialog* dialog) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("name"));
    QCOMPARE(name->text(), QStringLiteral("I2CBus1"));
    QVERIFY(name->isReadOnly());
    QCOMPARE(Text(dialog, QStringLiteral("sclPin")), QStringLiteral("40"));
    QCOMPARE(Text(dialog, QStringLiteral("sdaPin")), QStringLiteral("57"));
    QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("speedKHz"))->currentText(),
             QStringLiteral("250"));
    QVERIFY(dialog->findChild<QRadioButton*>(QStringLiteral("internalPullups_2"))->isChecked());
    QVERIFY(!dialog
                 ->findChild<QAbstractButton*>(
                     QStringLiteral("scanTheI2CBusForDevicesAndDisplayResult"))
                 ->isChecked());
    SetText(dialog, QStringLiteral("sdaPin"), QStringLiteral("41"));
    Press(dialog, QStringLiteral("ok"));
  });
  QVERIFY(CEditorDialog::Run(*editor, bus, *m_doc, CObjectEditor::kEditMode, nullptr));
  QCOMPARE(bus.m_sText[5], QStringLiteral("41"));
  QCOMPARE(m_doc->m_sPinUsedBy[41], QStringLiteral("I2CBus1"));
  QVERIFY(!m_doc->m_bPinUsed[57]);
  QVERIFY(m_doc->IsModified());
}

void TestObjectDialogs::ncoCalculateShowsRegisters() {
  QCOMPARE(m_doc->m_sClockFreq, QStringLiteral("160_000_000"));
  QStringList shown;
  QVERIFY(AddThroughPicker(OBJ_NCO, [&](CEditorDialog* editor) {
    SetText(editor, QStringLiteral("desiredFrequencyHz"), QStringLiteral("1000"));
    Press(editor, QStringLiteral("calculateSmartPinSettings"));
    shown = {Text(editor, QStringLiteral("wxpin")), Text(editor, QStringLiteral("wypin")),
             Text(editor, QStringLiteral("resultingFrequencyHz"))};
    Press(editor, QStringLiteral("ok"));
  }));
  QCOMPARE(shown, (QStringList{QStringLiteral("00000003"), QStringLiteral("00013A94"),
                               QStringLiteral("1000.016928")}));
  const CCodeObject& nco = *m_doc->m_ObjectList.front();
  QCOMPARE(nco.m_sParam[0], QStringLiteral("00000003"));
  QCOMPARE(nco.m_sParam[1], QStringLiteral("00013A94"));
  QCOMPARE(nco.m_sParam[2], QStringLiteral("1000"));
}

void TestObjectDialogs::cameraMovesItsI2CBus() {
  QVERIFY(AddThroughPicker(OBJ_I2C_BUS));
  QVERIFY(AddThroughPicker(OBJ_SIMPLE_QVGA));
  QVERIFY(AddThroughPicker(OBJ_CAMERA));
  CCodeObject& bus = *m_doc->m_ObjectList.front();
  QCOMPARE(bus.m_sText[5], QStringLiteral("24"));
  QCOMPARE(bus.m_sText[6], QStringLiteral("25"));
  QVERIFY(!m_doc->m_bPinUsed[56]);
  QVERIFY(!m_doc->m_bPinUsed[57]);
  QCOMPARE(m_doc->m_sPinUsedFor[24], QStringLiteral("DVP I2C SDA"));
  QCOMPARE(m_doc->m_sPinUsedBy[25], QStringLiteral("Cam1"));

  // Accepting the bus unchanged takes its two pins over from the camera.
  auto editor = CreateEditor(OBJ_I2C_BUS);
  m_pModals->When<CEditorDialog>([](CEditorDialog* dialog) {
    QCOMPARE(Text(dialog, QStringLiteral("sclPin")), QStringLiteral("25"));
    QCOMPARE(Text(dialog, QStringLiteral("sdaPin")), QStringLiteral("24"));
    Press(dialog, QStringLiteral("ok"));
  });
  QVERIFY(CEditorDialog::Run(*editor, bus, *m_doc, CObjectEditor::kEditMode, nullptr));
  QCOMPARE(m_doc->m_sPinUsedBy[24], QStringLiteral("I2CBus1"));
  QCOMPARE(m_doc->m_sPinUsedFor[25], QStringLiteral("SCL"));
}

QTEST_MAIN(TestObjectDialogs)
#include "tst_objectdialogs.moc"
