#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

#include "AppFixture.h"
#include "ItemViews.h"
#include "ModalDriver.h"
#include "app/EditorDialog.h"
#include "app/ObjectPickerDialog.h"
#include "app/ObjectView.h"
#include "app/PinGrid.h"
#include "app/PinsView.h"
#include "editors/ObjectPicker.h"
#include "model/ObjectListText.h"
#include "platform/QtSettingsStore.h"

// Adding objects through the picker and editing them from the object list, in a running
// program, through the real dialogs.
class TestAddEditObjects : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { m_pModals.reset(); }
  void cleanupTestCase() { m_fixture.Stop(); }
  void pickerShowsSixteenButtons();
  void addEveryKindWithDefaults_data();
  void addEveryKindWithDefaults();
  void rejectedOkKeepsEditorOpen();
  void refusedKindKeepsPickerOpen_data();
  void refusedKindKeepsPickerOpen();
  void editShowsStoredValuesWithFixedName_data();
  void editShowsStoredValuesWithFixedName();
  void editOpensNothingWithoutAnEditor_data();
  void editOpensNothingWithoutAnEditor();
  void ncoCalculateShowsRegisters();
  void cameraMovesItsI2CBus();
  void editorsUseTheClockTheSettingsTabShows();

 private:
  CKyvDoc& Doc() { return m_fixture.ActiveDoc(); }
  CObjectView* View() { return m_fixture.ActiveView().ObjectView(); }
  CPinGrid* Grid() { return m_fixture.ActiveView().PinsView()->Grid(); }

  // Presses "Add Object", then the kind's button in the picker, and lets `inEditor` work the
  // editor dialog (default: press OK). True when the object joined the list.
  bool Add(int kind, const std::function<void(CEditorDialog*)>& inEditor = {});
  // Selects the object's line and opens it as the user chose ("editObject" or a double-click).
  void Edit(int row, bool doubleClick, const std::function<void(CEditorDialog*)>& inEditor);

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
  // "pin:holder:role" for every pin the grid shows as taken, ascending.
  QStringList GridClaims() {
    QStringList claims;
    for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin)
      if (CellText(Grid(), pin, 1) == u"No")
        claims.append(QStringLiteral("%1:%2:%3")
                          .arg(pin)
                          .arg(CellText(Grid(), pin, 2), CellText(Grid(), pin, 3)));
    return claims;
  }

  CAppFixture m_fixture;
  std::unique_ptr<CModalDriver> m_pModals;
};

void TestAddEditObjects::init() {
  m_pModals = std::make_unique<CModalDriver>();
  QSettings(CQtSettingsStore::kOrganisation, CQtSettingsStore::kApplication).clear();
  m_fixture.Start();
  m_fixture.ActiveView().setCurrentIndex(CKyvView::kObjectPage);
}

bool TestAddEditObjects::Add(int kind, const std::function<void(CEditorDialog*)>& inEditor) {
  const int before = RowCount(View()->ObjectList());
  m_pModals->When<CObjectPickerDialog>([&](CObjectPickerDialog* picker) {
    m_pModals->When<CEditorDialog>([&](CEditorDialog* editor) {
      if (inEditor)
        inEditor(editor);
      else
        Press(editor, QStringLiteral("ok"));
    });
    Press(picker, QStringLiteral("pick%1").arg(kind));
  });
  Press(View(), QStringLiteral("addObject"));
  return RowCount(View()->ObjectList()) == before + 1;
}

void TestAddEditObjects::Edit(int row, bool doubleClick,
                              const std::function<void(CEditorDialog*)>& inEditor) {
  QTreeView* list = View()->ObjectList();
  SelectRow(list, row);
  m_pModals->When<CEditorDialog>(inEditor);
  if (doubleClick) {
    QVERIFY(QTest::qWaitForWindowExposed(list));
    // A click, then the double-click event the platform makes of the second one.
    const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, list->viewport()->mapToGlobal(at),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &second);
  } else {
    Press(View(), QStringLiteral("editObject"));
  }
}

void TestAddEditObjects::pickerShowsSixteenButtons() {
  CCodeObject object;
  CObjectPicker picker(&object, &Doc());
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
  CAppFixture::Screenshot(dialog, QStringLiteral("picker"));

  QTest::keyClick(&dialog, Qt::Key_Escape);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(picker.GetResult(), CObjectPicker::Result::Cancel);
}

void TestAddEditObjects::addEveryKindWithDefaults_data() {
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
                               << QStringLiteral("Smart Digital I/O Pin Settings")
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
                                 QStringLiteral("Parallax USB Lower Data+")}) +
                              // Driven by the driver, not held in the pin table.
                              QStringList{QStringLiteral(
                                  "56:UsbKbM1:USB Error LED (not claimed in the project file)")};
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

void TestAddEditObjects::addEveryKindWithDefaults() {
  QFETCH(int, kind);
  QFETCH(QString, title);
  QFETCH(QString, line);
  QFETCH(QStringList, claims);
  // What the RTC and the camera need first; the QVGA object out of the camera's way.
  if (kind == OBJ_RTC || kind == OBJ_CAMERA) QVERIFY(Add(OBJ_I2C_BUS));
  if (kind == OBJ_CAMERA) {
    QVERIFY(Add(OBJ_SIMPLE_QVGA, [](CEditorDialog* editor) {
      SetText(editor, QStringLiteral("basepin"), QStringLiteral("0"));
      Press(editor, QStringLiteral("ok"));
    }));
  }
  QStringList expectedLines = NameKindLines(View()->ObjectList());
  expectedLines.append(line);
  QStringList expectedClaims = GridClaims();
  // The camera takes its bus's pins away from it.
  if (kind == OBJ_CAMERA)
    expectedClaims.removeIf([](const QString& claim) { return claim.contains(u"I2CBus1"); });
  expectedClaims += claims;
  std::sort(expectedClaims.begin(), expectedClaims.end(), [](const QString& a, const QString& b) {
    return a.section(u':', 0, 0).toInt() < b.section(u':', 0, 0).toInt();
  });

  CPromptHooks::Reset();
  QString shownTitle;
  QString proposedName;
  QVERIFY(Add(kind, [&](CEditorDialog* editor) {
    shownTitle = editor->windowTitle();
    proposedName = Text(editor, QStringLiteral("name"));
    CAppFixture::Screenshot(*editor, QStringLiteral("editor%1").arg(kind, 2, 10, QLatin1Char('0')));
    Press(editor, QStringLiteral("ok"));
  }));
  QCOMPARE(shownTitle, title);
  QCOMPARE(proposedName, line.section(u' ', 0, 0));
  QCOMPARE(NameKindLines(View()->ObjectList()), expectedLines);
  QCOMPARE(RowCount(View()->WarningList()), 0);
  QCOMPARE(GridClaims(), expectedClaims);
  QCOMPARE(Doc().m_nTypeCount[kind], 1);
  QCOMPARE(CAppFixture::ShownTitle(m_fixture.ActiveFrame()), QStringLiteral("Kyv1*"));

  // At the default 160 MHz clock, HDMI and the camera give a note that does not stop the OK.
  QStringList notes;
  for (const auto& message : CPromptHooks::ShownMessages())
    notes.append(message.m_style == MessageStyle::Warning ? message.m_sCaption : message.m_sText);
  if (kind == OBJ_SIMPLE_HDMI)
    QCOMPARE(notes, QStringList{QStringLiteral("P2 Clock May Need Changing!")});
  else if (kind == OBJ_CAMERA)
    QCOMPARE(notes, QStringList{QStringLiteral("P2 Clock Needs Changing!")});
  else
    QCOMPARE(notes, QStringList());
}

void TestAddEditObjects::rejectedOkKeepsEditorOpen() {
  const QStringList claimsBefore = GridClaims();
  bool stayedOpen = false;
  QVERIFY(!Add(OBJ_SIMPLE_VGA, [&](CEditorDialog* editor) {
    SetText(editor, QStringLiteral("basepin"), QStringLiteral("60"));
    Press(editor, QStringLiteral("ok"));
    stayedOpen = editor->isVisible();
    Press(editor, QStringLiteral("cancel"));
  }));
  QVERIFY(stayedOpen);
  const auto& shown = CPromptHooks::ShownMessages();
  QCOMPARE(shown.size(), 1);
  QCOMPARE(shown[0].m_style, MessageStyle::Error);
  QCOMPARE(shown[0].m_sCaption, QStringLiteral("Error"));
  QCOMPARE(shown[0].m_sText,
           QStringLiteral("Pin 60 is out of range, please set to between 0 and 56."));
  QCOMPARE(RowCount(View()->ObjectList()), 0);
  QCOMPARE(RowCount(View()->WarningList()), 0);
  QCOMPARE(Doc().m_nTypeCount[OBJ_SIMPLE_VGA], 0);
  QCOMPARE(GridClaims(), claimsBefore);
  QVERIFY(!Doc().IsModified());

  // The next try is offered the same name.
  QString name;
  QVERIFY(Add(OBJ_SIMPLE_VGA, [&](CEditorDialog* editor) {
    name = Text(editor, QStringLiteral("name"));
    Press(editor, QStringLiteral("ok"));
  }));
  QCOMPARE(name, QStringLiteral("SimpleVGA1"));
}

void TestAddEditObjects::refusedKindKeepsPickerOpen_data() {
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
  QTest::newRow("VGA and HDMI are not QVGA")
      << QList<int>{OBJ_I2C_BUS, OBJ_SIMPLE_VGA, OBJ_SIMPLE_HDMI} << int(OBJ_CAMERA) << noQvga;
}

void TestAddEditObjects::refusedKindKeepsPickerOpen() {
  QFETCH(QList<int>, present);
  QFETCH(int, kind);
  QFETCH(QString, message);
  int freeBase = 0;
  for (int other : present) {
    QVERIFY(Add(other, [&](CEditorDialog* editor) {
      // Side by side, out of the way of the bus on 40 and 41 added below.
      if (editor->findChild<QLineEdit*>(QStringLiteral("basepin"))) {
        SetText(editor, QStringLiteral("basepin"), QString::number(freeBase));
        freeBase += 8;
      }
      Press(editor, QStringLiteral("ok"));
    }));
  }
  CPromptHooks::Reset();
  const QStringList lines = NameKindLines(View()->ObjectList());

  bool stayedOpen = false;
  m_pModals->When<CObjectPickerDialog>([&](CObjectPickerDialog* picker) {
    Press(picker, QStringLiteral("pick%1").arg(kind));
    stayedOpen = picker->isVisible();
    // Another kind can then be picked in the same picker.
    m_pModals->When<CEditorDialog>([&](CEditorDialog* editor) {
      SetText(editor, QStringLiteral("sclPin"), QStringLiteral("40"));
      SetText(editor, QStringLiteral("sdaPin"), QStringLiteral("41"));
      Press(editor, QStringLiteral("ok"));
    });
    Press(picker, QStringLiteral("pick%1").arg(OBJ_I2C_BUS));
  });
  Press(View(), QStringLiteral("addObject"));
  QVERIFY(stayedOpen);
  const auto& shown = CPromptHooks::ShownMessages();
  QCOMPARE(shown.size(), 1);
  QCOMPARE(shown[0].m_style, MessageStyle::Plain);
  QCOMPARE(shown[0].m_sCaption, QStringLiteral("Kyv"));
  QCOMPARE(shown[0].m_sText, message);
  QCOMPARE(NameKindLines(View()->ObjectList()).mid(0, lines.size()), lines);
  QCOMPARE(RowCount(View()->ObjectList()), lines.size() + 1);
  QCOMPARE(CellText(View()->ObjectList(), lines.size(), 1), QStringLiteral("I2C Bus and Scanner"));
}

void TestAddEditObjects::editShowsStoredValuesWithFixedName_data() {
  QTest::addColumn<bool>("doubleClick");
  QTest::newRow("Edit Object") << false;
  QTest::newRow("double-click") << true;
}

void TestAddEditObjects::editShowsStoredValuesWithFixedName() {
  QFETCH(bool, doubleClick);
  QVERIFY(Add(OBJ_SIMPLE_VGA));
  QVERIFY(Add(OBJ_I2C_BUS, [](CEditorDialog* editor) {
    SetText(editor, QStringLiteral("sclPin"), QStringLiteral("40"));
    editor->findChild<QComboBox*>(QStringLiteral("speedKHz"))->setEditText(QStringLiteral("250"));
    Press(editor, QStringLiteral("internalPullups_2"));
    Press(editor, QStringLiteral("scanTheI2CBusForDevicesAndDisplayResult"));
    Press(editor, QStringLiteral("ok"));
  }));
  Doc().SetModifiedFlag(false);
  m_fixture.App().RefreshTitles(Doc());

  bool opened = false;
  Edit(1, doubleClick, [&](CEditorDialog* dialog) {
    opened = true;
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
  QVERIFY(opened);
  QCOMPARE(CellText(Grid(), 41, 2), QStringLiteral("I2CBus1"));
  QCOMPARE(CellText(Grid(), 41, 3), QStringLiteral("SDA"));
  QCOMPARE(CellText(Grid(), 57, 1), QStringLiteral("Yes"));
  QCOMPARE(NameKindLines(View()->ObjectList()),
           (QStringList{QStringLiteral("SimpleVGA1 - Simple VGA"),
                        QStringLiteral("I2CBus1 - I2C Bus and Scanner")}));
  QVERIFY(Doc().IsModified());
  QCOMPARE(CAppFixture::ShownTitle(m_fixture.ActiveFrame()), QStringLiteral("Kyv1*"));

  // A refused edit cancelled afterwards leaves the refused values and a warning line.
  Edit(0, doubleClick, [](CEditorDialog* dialog) {
    SetText(dialog, QStringLiteral("basepin"), QStringLiteral("62"));
    Press(dialog, QStringLiteral("ok"));
    Press(dialog, QStringLiteral("cancel"));
  });
  QCOMPARE(Lines(View()->WarningList()),
           QStringList{QStringLiteral("Invalid pin assignment in: SimpleVGA1 - Simple VGA")});
  QCOMPARE(CellText(Grid(), 48, 2), QStringLiteral("SimpleVGA1"));  // still holds its old pins
}

void TestAddEditObjects::editOpensNothingWithoutAnEditor_data() {
  QTest::addColumn<int>("row");
  QTest::newRow("nothing selected") << -1;
  QTest::newRow("a kind without an editor") << 1;
}

void TestAddEditObjects::editOpensNothingWithoutAnEditor() {
  QFETCH(int, row);
  QVERIFY(Add(OBJ_SIMPLE_VGA));
  auto odd = std::make_unique<CCodeObject>();
  odd->m_nType = 99;  // from a damaged or newer project file
  odd->m_sName = QStringLiteral("Odd");
  odd->m_bValid = true;
  Doc().AddObject(std::move(odd));
  Doc().UpdateAllViews();
  SelectRow(View()->ObjectList(), row);
  bool opened = false;
  m_pModals->When<QDialog>([&](QDialog* dialog) {
    opened = true;
    dialog->reject();
  });
  Press(View(), QStringLiteral("editObject"));
  QTest::qWait(50);
  QVERIFY(!opened);
  QCOMPARE(NameKindLines(View()->ObjectList()),
           (QStringList{QStringLiteral("SimpleVGA1 - Simple VGA"),
                        QStringLiteral("Odd - Unknown Type")}));
}

void TestAddEditObjects::ncoCalculateShowsRegisters() {
  QCOMPARE(Doc().m_sClockFreq, QStringLiteral("160_000_000"));
  QStringList shown;
  QVERIFY(Add(OBJ_NCO, [&](CEditorDialog* editor) {
    SetText(editor, QStringLiteral("desiredFrequencyHz"), QStringLiteral("1000"));
    Press(editor, QStringLiteral("calculateSmartPinSettings"));
    shown = {Text(editor, QStringLiteral("wxpin")), Text(editor, QStringLiteral("wypin")),
             Text(editor, QStringLiteral("resultingFrequencyHz"))};
    // 1 kHz is an exact period of 160 000 clocks; 12 MHz is not.
    QCOMPARE(editor->findChild<QLabel*>(QStringLiteral("periodNote"))->text(), QString());
    SetText(editor, QStringLiteral("desiredFrequencyHz"), QStringLiteral("12_000_000"));
    Press(editor, QStringLiteral("calculateSmartPinSettings"));
    QVERIFY(editor->findChild<QLabel*>(QStringLiteral("periodNote"))
                ->text()
                .startsWith(QStringLiteral("The period is not a whole number of clocks")));
    SetText(editor, QStringLiteral("desiredFrequencyHz"), QStringLiteral("1000"));
    Press(editor, QStringLiteral("ok"));
  }));
  QCOMPARE(shown, (QStringList{QStringLiteral("00000271"), QStringLiteral("01000000"),
                               QStringLiteral("1000.000000")}));
  QStringList stored;
  Edit(0, false, [&](CEditorDialog* editor) {
    stored = {Text(editor, QStringLiteral("wxpin")), Text(editor, QStringLiteral("wypin")),
              Text(editor, QStringLiteral("resultingFrequencyHz")),
              Text(editor, QStringLiteral("desiredFrequencyHz"))};
    Press(editor, QStringLiteral("cancel"));
  });
  QCOMPARE(stored, shown + QStringList{QStringLiteral("1000")});
}

void TestAddEditObjects::cameraMovesItsI2CBus() {
  QVERIFY(Add(OBJ_I2C_BUS));
  QVERIFY(Add(OBJ_SIMPLE_QVGA));
  QVERIFY(Add(OBJ_CAMERA));
  for (int pin : {56, 57}) QCOMPARE(CellText(Grid(), pin, 1), QStringLiteral("Yes"));
  QCOMPARE(CellText(Grid(), 24, 2), QStringLiteral("Cam1"));
  QCOMPARE(CellText(Grid(), 24, 3), QStringLiteral("DVP I2C SDA"));
  QCOMPARE(CellText(Grid(), 25, 3), QStringLiteral("DVP I2C SCL"));

  // The bus now shows the camera's pins; accepting it unchanged takes them over.
  Edit(0, false, [](CEditorDialog* dialog) {
    QCOMPARE(Text(dialog, QStringLiteral("sclPin")), QStringLiteral("25"));
    QCOMPARE(Text(dialog, QStringLiteral("sdaPin")), QStringLiteral("24"));
    Press(dialog, QStringLiteral("ok"));
  });
  QCOMPARE(CellText(Grid(), 24, 2), QStringLiteral("I2CBus1"));
  QCOMPARE(CellText(Grid(), 24, 3), QStringLiteral("SDA"));
  QCOMPARE(CellText(Grid(), 25, 3), QStringLiteral("SCL"));
  QCOMPARE(RowCount(View()->WarningList()), 0);
}

void TestAddEditObjects::editorsUseTheClockTheSettingsTabShows() {
  // A clock typed into the settings tab, with no refresh since.
  auto typeClock = [this](const QString& clock) {
    QLineEdit* edit =
        m_fixture.ActiveView().findChild<QComboBox*>(QStringLiteral("clockFreq"))->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, clock);
  };
  auto registers = [](QWidget* editor) {
    return QStringList{Text(editor, QStringLiteral("wxpin")), Text(editor, QStringLiteral("wypin")),
                       Text(editor, QStringLiteral("resultingFrequencyHz"))};
  };
  typeClock(QStringLiteral("300_000_000"));
  QStringList shown;
  QVERIFY(Add(OBJ_NCO, [&](CEditorDialog* editor) {
    SetText(editor, QStringLiteral("desiredFrequencyHz"), QStringLiteral("1000"));
    Press(editor, QStringLiteral("calculateSmartPinSettings"));
    shown = registers(editor);
    Press(editor, QStringLiteral("ok"));
  }));
  QCOMPARE(shown, (QStringList{QStringLiteral("0000249F"), QStringLiteral("08000000"),
                               QStringLiteral("1000.000000")}));

  // Back to 160 MHz: OK in the reopened dialog computes for the clock now shown.
  typeClock(QStringLiteral("160_000_000"));
  Edit(0, false, [](CEditorDialog* editor) { Press(editor, QStringLiteral("ok")); });
  Edit(0, false, [&](CEditorDialog* editor) {
    shown = registers(editor);
    Press(editor, QStringLiteral("cancel"));
  });
  QCOMPARE(shown, (QStringList{QStringLiteral("00000271"), QStringLiteral("01000000"),
                               QStringLiteral("1000.000000")}));
}

QTEST_MAIN(TestAddEditObjects)
#include "tst_addeditobjects.moc"
