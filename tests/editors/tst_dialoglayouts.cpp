#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/ObjectPicker.h"

// The dialogs are built from the editors' fields, so their texts are what the user sees: every
// control's kind, label, hint, group box and list entries, the title and the description box.
class TestDialogLayouts : public QObject {
  Q_OBJECT

 private slots:
  void editorDialog_data();
  void editorDialog();
  void pickerButtons();
};

namespace {

QString KindText(const CEditorField& field) {
  switch (field.m_kind) {
    case FieldKind::Text:
      return QStringLiteral("edit");
    case FieldKind::ComboText:
      return QStringLiteral("editable list");
    case FieldKind::ComboIndex:
      return QStringLiteral("list");
    case FieldKind::Radio:
      return field.m_nRadioButton < 0 ? QStringLiteral("radios")
                                      : QStringLiteral("radio %1").arg(field.m_nRadioButton);
    case FieldKind::Check:
      return QStringLiteral("check");
    case FieldKind::Slider:
      return QStringLiteral("slider");
    case FieldKind::Display:
      return QStringLiteral("display");
    case FieldKind::Button:
      return QStringLiteral("button");
    case FieldKind::Note:
      return QStringLiteral("note");
  }
  return QString();
}

// "kind|label|hint|group|entries" per control, in tab order.
QStringList LayoutLines(CObjectEditor& editor) {
  QStringList lines;
  for (const CEditorField& field : editor.Fields())
    lines.append(QStringList{KindText(field), field.m_sLabel, field.m_sHint, field.m_sGroup,
                             field.m_items.join(u',')}
                     .join(u'|'));
  return lines;
}

const QString kDescription = QStringLiteral("display||||");

}  // namespace

void TestDialogLayouts::editorDialog_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("description");
  QTest::addColumn<QStringList>("layout");

  const QString name = QStringLiteral("edit|Object Name:|||");
  const auto video = [&](const QString& hint) {
    return QStringList{kDescription, name, QStringLiteral("edit|Basepin:|%1||").arg(hint)};
  };
  const QString by4 = QStringLiteral("Must be a multiple of 4");
  QTest::newRow("vga") << int(OBJ_SIMPLE_VGA) << QStringLiteral("Simple VGA 8bpp Driver")
                       << QStringLiteral(
                              "Uses 5 pins and a fair amount of memory to show a 8bpp embedded "
                              "image over VGA.\r\nUsually used on basepin that is multiple of 8 "
                              "but can be multiple of 4.")
                       << video(by4);
  QTest::newRow("qvga") << int(OBJ_SIMPLE_QVGA) << QStringLiteral("Simple QVGA 16bpp Driver")
                        << QStringLiteral(
                               "Uses 5 pins and a fair amount of memory to show a 16bpp QVGA "
                               "(320x240) embedded image over VGA.\r\nUsually used on basepin "
                               "that is multiple of 8 but can be multiple of 4.")
                        << video(by4);
  QTest::newRow("hdmi") << int(OBJ_SIMPLE_HDMI) << QStringLiteral("Simple HDMI 8bpp Driver")
                        << QStringLiteral(
                               "Uses 8 pins and a fair amount of memory to show a 8bpp embedded "
                               "image over HDMI.\r\nBasepin must be a multiple of 8.\r\nP2 Clock "
                               "Frequency should be 312.5 MHZ for ideal, 25 MHz pixel clock.")
                        << video(QStringLiteral("Must be a multiple of 8"));
  QTest::newRow("1080p") << int(OBJ_TILED_1080P) << QStringLiteral("Tiled 1080p 2bpp VGA Driver")
                         << QStringLiteral(
                                "Uses 5 pins and 3 cogs to show tiled 1080p screen over VGA in "
                                "2bpp with 256 color palette and a font.\r\nThis version is "
                                "double buffered, call swap() to shown drawn on screen.\r\n"
                                "Usually used on basepin that is multiple of 8 but can be "
                                "multiple of 4.")
                         << video(by4);
  QTest::newRow("i2c") << int(OBJ_I2C_BUS) << QStringLiteral("I2C Bus Driver and Scanner Settings")
                       << QStringLiteral(
                              "Adds an I2C bus driver and object and code to scan the bus for "
                              "devices.  Does not use a cog.  Uses Smart Pins for optional "
                              "internal pull-up resistors.")
                       << QStringList{kDescription,
                                      name,
                                      QStringLiteral("edit|SCL Pin:|||"),
                                      QStringLiteral("edit|SDA Pin:|||"),
                                      QStringLiteral("radios|Internal Pullups|||None,1.5 kOhm,"
                                                     "3.3 kOhm,15 kOhm"),
                                      QStringLiteral("editable list|Speed (kHz):|||100,400,1000"),
                                      QStringLiteral("check|Scan the I2C bus for devices and "
                                                     "display result|||")};
  // The fixture holds I2CBus1 and SimpleQVGA1, so the lists have one entry each.
  QTest::newRow("rtc") << int(OBJ_RTC) << QStringLiteral("I2C Real Time Clock (RTC)")
                       << QStringLiteral(
                              "Adds Real Time Clock interface to selected I2C Bus.  Optionally, "
                              "you can automatically set the RTC's time to the computers time on "
                              "start up.  Code will set the P2 software clock to the RTC clock "
                              "on startup.")
                       << QStringList{kDescription, name, QStringLiteral("list|I2C Bus:|||I2CBus1"),
                                      QStringLiteral("list|RTC Type:|||DS1339"),
                                      QStringLiteral("check|Set Time to PC's Time|||")};
  QTest::newRow("camera") << int(OBJ_CAMERA) << QStringLiteral("DVP Camera")
                          << QStringLiteral(
                                 "Adds a Camera Object with DVP interface.  Needs 16 (or 15 if "
                                 "not using power down pin).  Assumes using a Corvane style "
                                 "camera adapter, but pin settings can be changed in Platform.h."
                                 "  Works with OV2640, OV5640, and OV7675 camera modules. I2C "
                                 "bus pins will be automatically re-assigned. Uses a cog.")
                          << QStringList{kDescription,
                                         name,
                                         QStringLiteral("list|QVGA Object:|||SimpleQVGA1"),
                                         QStringLiteral("list|I2C Bus:|||I2CBus1"),
                                         QStringLiteral("list|Camera Type:|||OV2640,OV5640,OV7675"),
                                         QStringLiteral("edit|Basepin:|Must be a multiple of 8||"),
                                         QStringLiteral("check|Show Camera ID|||")};
  const QString configurations =
      QStringLiteral("||||Using Parallax Adapter:,Custom Configuration:");
  const QString adapter = QStringLiteral("Parallax Adapter Options");
  const QString custom = QStringLiteral("Custom Configuration Options");
  QTest::newRow("usb")
      << int(OBJ_USB_KBM) << QStringLiteral("Add a USB Keyboard and/or Mouse")
      << QStringLiteral(
             "Adds a USB Keyboard and/or Mouse object.  Uses 1 cog.  Will automatically update "
             "cursor location when using mouse. Cursor position and raw keyboard scan codes are "
             "updated in a KbMouseInfo structure.  Processed keyboard results are provided via "
             "rawKey().")
      << QStringList{
             kDescription,
             name,
             QStringLiteral("radio 0") + configurations,
             QStringLiteral("edit|Basepin:|Probably a multiple of 8. Must be an even number.|%1|")
                 .arg(adapter),
             QStringLiteral("radios|||%1|Top Port,Bottom Port").arg(adapter),
             QStringLiteral(
                 "note|Note: Error LED will be pin 56 for top port and 57 for bottom port||%1|")
                 .arg(adapter),
             QStringLiteral("radio 1") + configurations,
             QStringLiteral("edit|DM Pin:|USB data on this pin and this pin+1.  Must be even.|%1|")
                 .arg(custom),
             QStringLiteral("edit|Activity LED Pin:|Pin for Activity LED and Smart Pin mailbox.  "
                            "Any Pin#.|%1|")
                 .arg(custom),
             QStringLiteral("edit|Error LED Pin:|Pin for error status LED. Any Pin#.|%1|")
                 .arg(custom),
             QStringLiteral("check|Use USB Power Enable Pin||%1|").arg(custom),
             QStringLiteral("edit|Power Enable Pin:|Pin to enable USB power (not always "
                            "required). Any Pin#|%1|")
                 .arg(custom),
             QStringLiteral("edit|X:||Mouse Limits|"),
             QStringLiteral("edit|Y:||Mouse Limits|"),
             QStringLiteral("edit|X:||Mouse Initial Position|"),
             QStringLiteral("edit|Y:||Mouse Initial Position|"),
             QStringLiteral("check|Output mouse position|||"),
             QStringLiteral("check|Output keyboard input|||"),
             QStringLiteral("check|Do not use Error LED pin|||")};
  QTest::newRow("sound")
      << int(OBJ_SIMPLE_SOUND) << QStringLiteral("Simple Sound - Music & Sound Effects Player")
      << QStringLiteral(
             "Adds code to play .mod music files and also mix in .raw sounds.  This is an easy "
             "way to add sound to games.\r\n\r\nNote:  Uses 1 cog.  Also, the sound.pollTick() "
             "function must be called at 50 Hz (every 20 milliseconds) or faster.")
      << QStringList{
             kDescription,
             QStringLiteral("edit|Object Name:|||"),
             QStringLiteral("edit|Left I/O Pin:|This is basepin+6 with Parallax A/V adapter||"),
             QStringLiteral("edit|Right I/O Pin:|This is basepin+7 with Parallax A/V adapter||"),
             QStringLiteral("check|Play pyr.mod music file at start|||"),
             QStringLiteral("check|Play random sound effects|||")};
}

void TestDialogLayouts::editorDialog() {
  QFETCH(int, kind);
  QFETCH(QString, title);
  QFETCH(QString, description);
  QFETCH(QStringList, layout);
  CEditorFixture f;
  QVERIFY(f.Add(OBJ_I2C_BUS));
  QVERIFY(f.Add(OBJ_SIMPLE_QVGA, {{QStringLiteral("basepin"), QStringLiteral("40")}}));
  auto object = f.Open(kind);
  QVERIFY(object.m_editor);
  QCOMPARE(object.m_editor->Title(), title);
  QCOMPARE(object.m_editor->m_sDescription, description);
  QCOMPARE(LayoutLines(*object.m_editor), layout);
}

void TestDialogLayouts::pickerButtons() {
  QStringList lines;
  for (const CPickerButton& button : CObjectPicker::Buttons())
    lines.append(QStringLiteral("%1,%2 %3|%4|%5")
                     .arg(button.m_nRow)
                     .arg(button.m_nColumn)
                     .arg(button.m_sText, button.m_sTooltip)
                     .arg(button.m_nKind));
  const QStringList expected = {
      QStringLiteral("0,0 Simple VGA 8bpp|Add a simple VGA 8bpp driver object|0"),
      QStringLiteral("0,1 Simple QVGA 16bpp|Add a simple QVGA 16bpp driver object|12"),
      QStringLiteral("0,2 Simple HDMI 8bpp|Add a simple HDMI 8bpp driver object|15"),
      QStringLiteral("0,3 Tiled 1080p 2bpp|Add a tiled 1080p 2bpp VGA driver object|14"),
      QStringLiteral("1,0 I2C Bus & Scanner|Add an I2C Bus Driver and Scanner object|1"),
      QStringLiteral("1,1 I2C RTC|Add an I2C Real Time Clock (RTC) object|4"),
      QStringLiteral("2,0 RGB LED String|Add an Neopixel String Driver object|2"),
      QStringLiteral("3,0 NCO (Square Wave)|Add an NCO (Square Wave) object|3"),
      QStringLiteral("4,0 Simple Sound|Add a Simple Sound Stereo Music and Effects object|5"),
      QStringLiteral("5,0 Servo|Add a Hobby Servo Control via PWM object|6"),
      QStringLiteral("6,0 Smart Digital I/O Pin|Add a Smart Digital I/O Pin object|7"),
      QStringLiteral("6,1 Global Digital Filters|Add a Global Digital Filters object|8"),
      QStringLiteral("7,0 DAC Analog Output|Add a Digital to Analog (DAC) object|9"),
      QStringLiteral("8,0 ADC Analog Input|Add an Analog to Digital (ADC) object|10"),
      QStringLiteral("9,0 USB Keyboard & Mouse|Add a USB Keyboard and/or Mouse object|11"),
      QStringLiteral("10,0 Camera (DVP bus)|Add a Camera (DVP bus) object|13"),
  };
  QCOMPARE(lines, expected);
}

QTEST_GUILESS_MAIN(TestDialogLayouts)
#include "tst_dialoglayouts.moc"
