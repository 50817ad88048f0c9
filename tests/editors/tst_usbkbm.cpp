#include <QtTest>

#include "EditorTestSupport.h"
#include "editors/ObjectUsbKbm.h"

class TestUsbKbm : public QObject {
  Q_OBJECT

 private slots:
  void newObject_data();
  void newObject();
  void defaultsAreStoredWithoutClaimingCustomPins();
  void mouseFieldsMustBeIntegers_data();
  void mouseFieldsMustBeIntegers();
  void switchingToCustomReleasesTheBlock();
};

namespace {

QStringList AdapterPins(int base) {
  const QStringList roles = {QStringLiteral("Upper Activity"), QStringLiteral("Upper Enable"),
                             QStringLiteral("Upper Data-"),    QStringLiteral("Upper Data+"),
                             QStringLiteral("Lower Activity"), QStringLiteral("Lower Enable"),
                             QStringLiteral("Lower Data-"),    QStringLiteral("Lower Data+")};
  QStringList lines;
  for (int i = 0; i < 8; ++i)
    lines.append(QStringLiteral("%1 UsbKbM1 Parallax USB %2").arg(base + i).arg(roles[i]));
  return lines;
}

QString Range(int pin, int highest) {
  return QStringLiteral("Pin %1 is out of range, please set to between 0 and %2.")
      .arg(pin)
      .arg(highest);
}

const QString kCustom = QStringLiteral("configuration=1");

}  // namespace

void TestUsbKbm::newObject_data() {
  QTest::addColumn<QStringList>("values");
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QStringList>("pins");

  QTest::newRow("adapter defaults") << QStringList() << QStringList() << AdapterPins(8);
  QTest::newRow("adapter 12 warns, then accepted")
      << QStringList{QStringLiteral("basepin=12")}
      << QStringList{QStringLiteral(
             "Warning|Warning|Pin 12 is not a multiple of 8, which is usually the case.")}
      << AdapterPins(12);
  QTest::newRow("adapter 13 odd") << QStringList{QStringLiteral("basepin=13")}
                                  << QStringList{ErrorLine(
                                         QStringLiteral("Pin 13 is not a multiple of 2."))}
                                  << QStringList();
  QTest::newRow("adapter 58 out of range")
      << QStringList{QStringLiteral("basepin=58")} << QStringList{ErrorLine(Range(58, 56))}
      << QStringList();
  QTest::newRow("adapter 56 reaches Serial")
      << QStringList{QStringLiteral("basepin=56")}
      << QStringList{ErrorLine(QStringLiteral("Pins #62 and #63 are already in use by Serial. The "
                                              "nearest free block of 8 pins starts at pin 48."))}
      << QStringList();
  QTest::newRow("custom defaults")
      << QStringList{kCustom} << QStringList()
      << QStringList{QStringLiteral("8 UsbKbM1 Custom USB Activity LED"),
                     QStringLiteral("9 UsbKbM1 Custom USB Power Enable"),
                     QStringLiteral("10 UsbKbM1 Custom USB Data-"),
                     QStringLiteral("11 UsbKbM1 Custom USB Data+"),
                     QStringLiteral("57 UsbKbM1 Custom USB Error LED")};
  // Pin 62 itself is Serial's, and d is checked before d + 1.
  QTest::newRow("custom DM 62") << QStringList{kCustom, QStringLiteral("dmPin=62")}
                                << QStringList{ErrorLine(
                                       QStringLiteral("Pin #62 is already in use by Serial."))}
                                << QStringList();
  QTest::newRow("custom DM 63 out of range")
      << QStringList{kCustom, QStringLiteral("dmPin=63")} << QStringList{PlainLine(Range(63, 62))}
      << QStringList();
  QTest::newRow("custom DM 11 odd")
      << QStringList{kCustom, QStringLiteral("dmPin=11")}
      << QStringList{ErrorLine(QStringLiteral("Pin 11 is not a multiple of 2."))} << QStringList();
  // Its own pins never conflict; the role written last wins.
  QTest::newRow("custom error LED on DM+1")
      << QStringList{kCustom, QStringLiteral("dmPin=60"), QStringLiteral("errorLEDPin=61")}
      << QStringList()
      << QStringList{QStringLiteral("8 UsbKbM1 Custom USB Activity LED"),
                     QStringLiteral("9 UsbKbM1 Custom USB Power Enable"),
                     QStringLiteral("60 UsbKbM1 Custom USB Data-"),
                     QStringLiteral("61 UsbKbM1 Custom USB Error LED")};
  QTest::newRow("custom activity 64") << QStringList{kCustom, QStringLiteral("activityLEDPin=64")}
                                      << QStringList{PlainLine(Range(64, 63))} << QStringList();
  QTest::newRow("custom activity on Serial")
      << QStringList{kCustom, QStringLiteral("activityLEDPin=63")}
      << QStringList{ErrorLine(QStringLiteral("Pin #63 is already in use by Serial."))}
      << QStringList();
  QTest::newRow("custom error LED -1") << QStringList{kCustom, QStringLiteral("errorLEDPin=-1")}
                                       << QStringList{PlainLine(Range(-1, 63))} << QStringList();
  QTest::newRow("custom power 64") << QStringList{kCustom, QStringLiteral("powerEnablePin=64")}
                                   << QStringList{PlainLine(Range(64, 63))} << QStringList();
  QTest::newRow("custom power unchecked")
      << QStringList{kCustom, QStringLiteral("useUSBPowerEnablePin=0"),
                     QStringLiteral("powerEnablePin=99")}
      << QStringList()
      << QStringList{QStringLiteral("8 UsbKbM1 Custom USB Activity LED"),
                     QStringLiteral("10 UsbKbM1 Custom USB Data-"),
                     QStringLiteral("11 UsbKbM1 Custom USB Data+"),
                     QStringLiteral("57 UsbKbM1 Custom USB Error LED")};
  QTest::newRow("custom LEDs on one pin")
      << QStringList{kCustom, QStringLiteral("activityLEDPin=30"), QStringLiteral("errorLEDPin=30"),
                     QStringLiteral("doNotUseErrorLEDPin=1")}
      << QStringList()
      << QStringList{QStringLiteral("9 UsbKbM1 Custom USB Power Enable"),
                     QStringLiteral("10 UsbKbM1 Custom USB Data-"),
                     QStringLiteral("11 UsbKbM1 Custom USB Data+"),
                     QStringLiteral("30 UsbKbM1 Custom USB Activity LED")};
}

void TestUsbKbm::newObject() {
  QFETCH(QStringList, values);
  QFETCH(QStringList, messages);
  QFETCH(QStringList, pins);

  CEditorFixture f;
  const QStringList before = PinTableSnapshot(f.m_doc);
  auto usb = f.Open(OBJ_USB_KBM);
  QVERIFY(SetValues(*usb.m_editor, ValuesFrom(values)));
  const bool accepted = usb.m_editor->OnOK();
  const bool refused = messages.filter(QStringLiteral("Warning|")).size() != messages.size();
  QCOMPARE(accepted, !refused);
  QCOMPARE(f.Messages(), messages);
  QCOMPARE(PinLines(f.m_doc), pins);
  QCOMPARE(usb.m_record->m_bValid, accepted);
  if (!accepted) QCOMPARE(PinTableSnapshot(f.m_doc), before);
  // Only the adapter writes the pin count.
  QCOMPARE((*usb.m_record)[UsbKbmSlots::AdapterPinCount], values.contains(kCustom) ? 0 : 8);
}

void TestUsbKbm::defaultsAreStoredWithoutClaimingCustomPins() {
  CEditorFixture f;
  auto usb = f.Open(OBJ_USB_KBM);
  QVERIFY(usb.m_editor->OnOK());
  CCodeObject expected;
  expected.m_nType = OBJ_USB_KBM;
  expected.m_sName = QStringLiteral("UsbKbM1");
  expected[UsbKbmSlots::AdapterBasePin] = QStringLiteral("8");
  expected[UsbKbmSlots::AdapterPinCount] = 8;
  expected[UsbKbmSlots::DmPin] = QStringLiteral("10");
  expected[UsbKbmSlots::ActivityLedPin] = QStringLiteral("8");
  expected[UsbKbmSlots::ErrorLedPin] = QStringLiteral("57");
  expected[UsbKbmSlots::PowerPin] = QStringLiteral("9");
  expected[UsbKbmSlots::LimitX] = 640;
  expected[UsbKbmSlots::LimitY] = 480;
  expected[UsbKbmSlots::StartX] = 100;
  expected[UsbKbmSlots::StartY] = 100;
  expected[UsbKbmSlots::OutputMouse] = true;
  expected[UsbKbmSlots::OutputKeyboard] = true;
  expected[UsbKbmSlots::UsePowerPin] = true;
  expected.m_bValid = true;
  QVERIFY(*usb.m_record == expected);
  QCOMPARE(f.m_doc.m_sPinUsedBy[57], QString());
}

void TestUsbKbm::mouseFieldsMustBeIntegers_data() {
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("stored");  // -1: refused
  QTest::newRow("abc") << QStringLiteral("mouseLimitsX") << QStringLiteral("abc") << -1;
  QTest::newRow("empty") << QStringLiteral("mouseInitialPositionY") << QString() << -1;
  QTest::newRow("sign only") << QStringLiteral("mouseLimitsY") << QStringLiteral(" -") << -1;
  QTest::newRow("800px") << QStringLiteral("mouseLimitsX") << QStringLiteral("800px") << 800;
  QTest::newRow("spaced and signed")
      << QStringLiteral("mouseInitialPositionX") << QStringLiteral("  +5") << 5;
}

void TestUsbKbm::mouseFieldsMustBeIntegers() {
  QFETCH(QString, key);
  QFETCH(QString, text);
  QFETCH(int, stored);
  CEditorFixture f;
  CCodeObject* usb = f.Add(OBJ_USB_KBM);
  QVERIFY(usb);
  const CCodeObject before = *usb;
  const QStringList pinsBefore = PinTableSnapshot(f.m_doc);

  CObjectUsbKbm editor;
  editor.Open(usb, &f.m_doc, CObjectEditor::kEditMode);
  QVERIFY(SetValues(editor, {{key, text}, {QStringLiteral("basepin"), QStringLiteral("16")}}));
  if (stored == -1) {
    QVERIFY(!editor.OnOK());
    QCOMPARE(f.Messages(), QStringList{PlainLine(QStringLiteral("Enter an integer."))});
    QCOMPARE(editor.m_sFocusKey, key);
    QVERIFY(*usb == before);  // nothing written, not even m_bValid
    QCOMPARE(PinTableSnapshot(f.m_doc), pinsBefore);
  } else {
    QVERIFY(editor.OnOK());
    const CIntSlot slot = key == u"mouseLimitsX"            ? UsbKbmSlots::LimitX
                          : key == u"mouseLimitsY"          ? UsbKbmSlots::LimitY
                          : key == u"mouseInitialPositionX" ? UsbKbmSlots::StartX
                                                            : UsbKbmSlots::StartY;
    QCOMPARE((*usb)[slot], stored);
  }
}

void TestUsbKbm::switchingToCustomReleasesTheBlock() {
  CEditorFixture f;
  CCodeObject* usb = f.Add(OBJ_USB_KBM, {{QStringLiteral("basepin"), QStringLiteral("16")}});
  QVERIFY(usb);
  QVERIFY(f.Edit(usb, {{QStringLiteral("configuration"), QStringLiteral("Custom Configuration:")},
                       {QStringLiteral("useUSBPowerEnablePin"), QStringLiteral("false")}}));
  QCOMPARE(PinLines(f.m_doc), (QStringList{QStringLiteral("8 UsbKbM1 Custom USB Activity LED"),
                                           QStringLiteral("10 UsbKbM1 Custom USB Data-"),
                                           QStringLiteral("11 UsbKbM1 Custom USB Data+"),
                                           QStringLiteral("57 UsbKbM1 Custom USB Error LED")}));
  QCOMPARE((*usb)[UsbKbmSlots::AdapterPinCount], 8);
  QCOMPARE((*usb)[UsbKbmSlots::Configuration], 1);
}

QTEST_GUILESS_MAIN(TestUsbKbm)
#include "tst_usbkbm.moc"
