#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "TestPlatform.h"
#include "model/KindSlots.h"
#include "model/KyvFile.h"

Q_DECLARE_METATYPE(CCodeObject)

class TestKyvDoc : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void newDocumentTakesProfileValues();
  void newDocumentTitles();
  void deleteObjectReleasesRecordedPins_data();
  void deleteObjectReleasesRecordedPins();
  void findObjectType_data();
  void findObjectType();
  void countersOnlyGrow();
  void projectPath_data();
  void projectPath();
  void modifiedFlag();
  void viewsRefreshOnRequestAndAfterSave();

 private:
  CTestPlatform m_test;
  std::unique_ptr<CKyvDoc> m_doc;
};

static CCodeObject Record(int kind, const QString& name, const QString& basePin = QString(),
                          int pinCount = 0) {
  CCodeObject object;
  object.m_nType = kind;
  object.m_sName = name;
  object[Slot::BasePin] = basePin;
  object[Slot::PinCount] = pinCount;
  return object;
}

static CCodeObject WithSlots(CCodeObject object,
                             const QList<std::pair<CTextSlot, QString>>& texts) {
  for (const auto& [slot, text] : texts) object[slot] = text;
  return object;
}

void TestKyvDoc::init() {
  m_test.m_settings.m_strings.clear();
  m_test.m_messages.Clear();
  m_test.m_savePrompt.m_answer = nullptr;
  m_test.m_savePrompt.m_nCalls = 0;
  m_doc = std::make_unique<CKyvDoc>(m_test.Services());
  m_doc->OnNewDocument();
}

void TestKyvDoc::newDocumentTakesProfileValues() {
  m_test.m_settings.m_strings[QStringLiteral("FlexSpinPath")] = QStringLiteral("D:\\Tools\\bin");
  m_test.m_settings.m_strings[QStringLiteral("Plan9Path")] = QStringLiteral("/srv/p9");
  CKyvDoc doc(m_test.Services());
  QVERIFY(doc.OnNewDocument());
  QCOMPARE(doc.m_sFlexSpinPath, QStringLiteral("D:\\Tools\\bin"));
  QCOMPARE(doc.m_sPlan9Path, QStringLiteral("/srv/p9"));
  QCOMPARE(doc.m_sLoadP2Path, QStringLiteral("C:\\FlexProp\\bin"));
  QCOMPARE(doc.m_sLibraryPath, QStringLiteral("C:\\FlexProp\\include"));
  QCOMPARE(doc.m_sFlexOptions, QStringLiteral("--fixed --fcache=200"));
  // Only the five profile values come from the store.
  QCOMPARE(doc.m_sClockFreq, QStringLiteral("160_000_000"));

  for (int pin = 0; pin < 62; ++pin) {
    QVERIFY(!doc.m_bPinUsed[pin]);
    QVERIFY(doc.m_sPinUsedBy[pin].isEmpty() && doc.m_sPinUsedFor[pin].isEmpty() &&
            doc.m_sPinNotes[pin].isEmpty());
  }
  QCOMPARE(doc.m_sPinUsedBy[62], QStringLiteral("Serial"));
  QCOMPARE(doc.m_sPinUsedFor[62], QStringLiteral("TX"));
  QCOMPARE(doc.m_sPinNotes[62], QStringLiteral("Used for Programming the P2 and Standard I/O"));
  QCOMPARE(doc.m_sPinUsedBy[63], QStringLiteral("Serial"));
  QCOMPARE(doc.m_sPinUsedFor[63], QStringLiteral("RX"));
  QCOMPARE(doc.m_sPinNotes[63], QStringLiteral("Used for Programming the P2 and stdio"));
}

// A new project has neither path nor title of its own (the application numbers it); loading
// or saving titles it by its file name, and File New clears both again.
void TestKyvDoc::newDocumentTitles() {
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  QVERIFY(doc.GetTitle().isEmpty());
  QVERIFY(doc.GetPathName().isEmpty());

  QTemporaryDir dir;
  QString error;
  QVERIFY(SaveKyvFile(doc, dir.filePath(QStringLiteral("Demo.KYV")), &error));
  QCOMPARE(doc.GetTitle(), QStringLiteral("Demo.KYV"));
  doc.OnNewDocument();
  QVERIFY(doc.GetTitle().isEmpty());
  QVERIFY(doc.GetPathName().isEmpty());
}

void TestKyvDoc::deleteObjectReleasesRecordedPins_data() {
  QTest::addColumn<CCodeObject>("object");
  QTest::addColumn<QList<int>>("heldByOther");
  QTest::addColumn<QList<int>>("released");

  const QList<int> none;
  QTest::newRow("VGA block") << Record(OBJ_SIMPLE_VGA, QStringLiteral("V"), QStringLiteral("48"), 5)
                             << none << QList<int>{48, 49, 50, 51, 52};
  QTest::newRow("NCO single pin") << Record(OBJ_NCO, QStringLiteral("N"), QStringLiteral(" +10x"),
                                            1)
                                  << none << QList<int>{10};
  QTest::newRow("Tiled 1080p block")
      << Record(OBJ_TILED_1080P, QStringLiteral("T"), QStringLiteral("8"), 2) << none
      << QList<int>{8, 9};
  QTest::newRow("HDMI block") << Record(OBJ_SIMPLE_HDMI, QStringLiteral("H"), QStringLiteral("16"),
                                        8)
                              << none << QList<int>{16, 17, 18, 19, 20, 21, 22, 23};
  QTest::newRow("zero pin count") << Record(OBJ_SERVO, QStringLiteral("S"), QStringLiteral("3"), 0)
                                  << none << none;
  QTest::newRow("negative pin count")
      << Record(OBJ_DAC, QStringLiteral("D"), QStringLiteral("3"), -4) << none << none;
  QTest::newRow("block past pin 63")
      << Record(OBJ_CAMERA, QStringLiteral("C"), QStringLiteral("60"), 16) << none
      << QList<int>{60, 61, 62, 63};
  QTest::newRow("block from a negative base")
      << Record(OBJ_ADC, QStringLiteral("A"), QStringLiteral("-2"), 4) << none << QList<int>{0, 1};
  QTest::newRow("largest base and count")
      << Record(OBJ_NEOPIXEL, QStringLiteral("L"), QStringLiteral("99999999999"), 2147483647)
      << none << none;
  QTest::newRow("pins held by another name stay")
      << Record(OBJ_SIMPLE_QVGA, QStringLiteral("Q"), QStringLiteral("48"), 5) << QList<int>{50}
      << QList<int>{48, 49, 51, 52};
  QTest::newRow("I2C text slots, not the block")
      << WithSlots(Record(OBJ_I2C_BUS, QStringLiteral("I"), QStringLiteral("40"), 2),
                   {{I2cBusSlots::SdaPin, QStringLiteral("24")},
                    {I2cBusSlots::SclPin, QStringLiteral("25")}})
      << none << QList<int>{24, 25};
  QTest::newRow("I2C pins outside the table")
      << WithSlots(Record(OBJ_I2C_BUS, QStringLiteral("I")),
                   {{I2cBusSlots::SdaPin, QStringLiteral("64")},
                    {I2cBusSlots::SclPin, QStringLiteral("-1")}})
      << none << none;
  QTest::newRow("sound params") << WithSlots(Record(OBJ_SIMPLE_SOUND, QStringLiteral("Snd"),
                                                    QStringLiteral("30"), 2),
                                             {{SoundSlots::LeftPin, QStringLiteral("6")},
                                              {SoundSlots::RightPin, QStringLiteral("7")}})
                                << none << QList<int>{6, 7};
  QTest::newRow("USB Parallax block")
      << Record(OBJ_USB_KBM, QStringLiteral("U"), QStringLiteral("16"), 4) << none
      << QList<int>{16, 17, 18, 19};

  CCodeObject custom = WithSlots(Record(OBJ_USB_KBM, QStringLiteral("U"), QStringLiteral("0"), 4),
                                 {{UsbKbmSlots::DmPin, QStringLiteral("20")},
                                  {UsbKbmSlots::ActivityLedPin, QStringLiteral("30")},
                                  {UsbKbmSlots::ErrorLedPin, QStringLiteral("31")},
                                  {UsbKbmSlots::PowerPin, QStringLiteral("40")}});
  custom[UsbKbmSlots::Configuration] = 2;
  QTest::newRow("USB custom without power pin") << custom << none << QList<int>{20, 21, 30, 31};
  custom[UsbKbmSlots::UsePowerPin] = true;
  QTest::newRow("USB custom with power pin") << custom << none << QList<int>{20, 21, 30, 31, 40};
  custom[UsbKbmSlots::DmPin] = QStringLiteral("2147483647");
  QTest::newRow("USB custom data pair at the limit") << custom << none << QList<int>{30, 31, 40};

  QTest::newRow("RTC holds none") << Record(OBJ_RTC, QStringLiteral("R"), QStringLiteral("48"), 5)
                                  << none << none;
  QTest::newRow("filters hold none")
      << Record(OBJ_DIGITAL_FILTERS, QStringLiteral("F"), QStringLiteral("48"), 5) << none << none;
  QTest::newRow("unknown kind holds none")
      << Record(16, QStringLiteral("X"), QStringLiteral("0"), 64) << none << none;
  QTest::newRow("negative kind holds none")
      << Record(-1, QStringLiteral("X"), QStringLiteral("0"), 64) << none << none;
}

void TestKyvDoc::deleteObjectReleasesRecordedPins() {
  QFETCH(CCodeObject, object);
  QFETCH(QList<int>, heldByOther);
  QFETCH(QList<int>, released);

  // Every pin is held under the object's name with a note, except those given to "Other".
  CKyvDoc& doc = *m_doc;
  for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin) {
    doc.m_bPinUsed[pin] = true;
    doc.m_sPinUsedBy[pin] = heldByOther.contains(pin) ? QStringLiteral("Other") : object.m_sName;
    doc.m_sPinUsedFor[pin] = QStringLiteral("role");
    doc.m_sPinNotes[pin] = QStringLiteral("note");
  }
  CCodeObject* added = doc.AddObject(std::make_unique<CCodeObject>(object));
  doc.AddObject(std::make_unique<CCodeObject>(Record(OBJ_NCO, QStringLiteral("Kept"))));
  doc.SetModifiedFlag(false);

  doc.DeleteObject(added);

  QCOMPARE(doc.m_ObjectList.size(), size_t{1});
  QCOMPARE(doc.m_ObjectList.front()->m_sName, QStringLiteral("Kept"));
  QVERIFY(doc.IsModified());
  for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin) {
    const bool free = released.contains(pin);
    QVERIFY2(doc.m_bPinUsed[pin] != free, qPrintable(QStringLiteral("pin %1").arg(pin)));
    QCOMPARE(doc.m_sPinUsedBy[pin], free                        ? QString()
                                    : heldByOther.contains(pin) ? QStringLiteral("Other")
                                                                : object.m_sName);
    QCOMPARE(doc.m_sPinUsedFor[pin], free ? QString() : QStringLiteral("role"));
    QCOMPARE(doc.m_sPinNotes[pin], free ? QString() : QStringLiteral("note"));
  }
}

void TestKyvDoc::findObjectType_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("type");
  QTest::newRow("first of two with the name") << QStringLiteral("A") << int(OBJ_SIMPLE_VGA);
  QTest::newRow("single") << QStringLiteral("B") << int(OBJ_NCO);
  QTest::newRow("case-sensitive") << QStringLiteral("a") << int(OBJ_DAC);
  QTest::newRow("no such name") << QStringLiteral("C") << -1;
  QTest::newRow("no trimming") << QStringLiteral("A ") << -1;
  QTest::newRow("empty") << QString() << -1;
}

void TestKyvDoc::findObjectType() {
  QFETCH(QString, name);
  QFETCH(int, type);
  m_doc->AddObject(std::make_unique<CCodeObject>(Record(OBJ_SIMPLE_VGA, QStringLiteral("A"))));
  m_doc->AddObject(std::make_unique<CCodeObject>(Record(OBJ_NCO, QStringLiteral("B"))));
  m_doc->AddObject(std::make_unique<CCodeObject>(Record(OBJ_SERVO, QStringLiteral("A"))));
  m_doc->AddObject(std::make_unique<CCodeObject>(Record(OBJ_DAC, QStringLiteral("a"))));
  QCOMPARE(m_doc->FindObjectType(name), type);
}

void TestKyvDoc::countersOnlyGrow() {
  CKyvDoc& doc = *m_doc;
  CCodeObject* first =
      doc.AddObject(std::make_unique<CCodeObject>(Record(OBJ_SIMPLE_VGA, QStringLiteral("V1"))));
  doc.AddObject(std::make_unique<CCodeObject>(Record(OBJ_SIMPLE_VGA, QStringLiteral("V2"))));
  doc.AddObject(std::make_unique<CCodeObject>(Record(OBJ_SIMPLE_HDMI, QStringLiteral("H1"))));
  doc.DeleteObject(first);
  doc.DeleteObject(doc.m_ObjectList.front().get());
  QCOMPARE(doc.m_nTypeCount[OBJ_SIMPLE_VGA], 2);
  QCOMPARE(doc.m_nTypeCount[OBJ_SIMPLE_HDMI], 1);
  // Kinds beyond the counters are kept in the list but counted nowhere.
  doc.AddObject(std::make_unique<CCodeObject>(Record(99, QStringLiteral("K99"))));
  doc.AddObject(std::make_unique<CCodeObject>(Record(100, QStringLiteral("K100"))));
  doc.AddObject(std::make_unique<CCodeObject>(Record(-1, QStringLiteral("Kneg"))));
  QCOMPARE(doc.m_nTypeCount[99], 1);
  int total = 0;
  for (const int count : doc.m_nTypeCount) total += count;
  QCOMPARE(total, 4);
  QCOMPARE(doc.m_ObjectList.size(), size_t{4});
  // Deleting an object that is not in the list changes nothing.
  CCodeObject stranger;
  doc.DeleteObject(&stranger);
  QCOMPARE(doc.m_ObjectList.size(), size_t{4});
}

void TestKyvDoc::projectPath_data() {
  QTest::addColumn<QString>("savedAs");      // path the project has before the call
  QTest::addColumn<QString>("promptSaves");  // file the save prompt saves to; "" cancels
  QTest::addColumn<bool>("promptAsked");
  QTest::addColumn<QString>("folder");  // relative to the temporary folder; "-" for ""
  QTest::addColumn<QStringList>("messages");

  const QString mustSave = QStringLiteral("Project must be saved first.");
  QTest::newRow("saved project") << QStringLiteral("Work/Demo.KYV") << QString() << false
                                 << QStringLiteral("Work") << QStringList{};
  QTest::newRow("never saved, prompt cancelled")
      << QString() << QString() << true << QStringLiteral("-")
      << QStringList{mustSave, QStringLiteral("Unable to find project path.")};
  QTest::newRow("never saved, prompt saves") << QString() << QStringLiteral("New/P.KYV") << true
                                             << QStringLiteral("New") << QStringList{mustSave};
}

void TestKyvDoc::projectPath() {
  QFETCH(QString, savedAs);
  QFETCH(QString, promptSaves);
  QFETCH(bool, promptAsked);
  QFETCH(QString, folder);
  QFETCH(QStringList, messages);

  QTemporaryDir dir;
  QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Work")) &&
          QDir(dir.path()).mkpath(QStringLiteral("New")));
  QString error;
  if (!savedAs.isEmpty()) QVERIFY(SaveKyvFile(*m_doc, dir.filePath(savedAs), &error));
  m_test.m_savePrompt.m_answer = [&](CKyvDoc& doc) {
    return !promptSaves.isEmpty() && SaveKyvFile(doc, dir.filePath(promptSaves), &error);
  };

  const QString path = m_doc->GetProjectPath();

  QCOMPARE(path, folder == u"-" ? QString() : QDir::toNativeSeparators(dir.filePath(folder)));
  QVERIFY(!path.endsWith(QDir::separator()));
  QCOMPARE(m_test.m_savePrompt.m_nCalls, promptAsked ? 1 : 0);
  QCOMPARE(m_test.m_messages.Texts(), messages);
  for (const auto& message : m_test.m_messages.m_messages) {
    QCOMPARE(message.m_style, MessageStyle::Plain);
    QCOMPARE(message.m_sCaption, QStringLiteral("Kyv"));
  }
}

void TestKyvDoc::modifiedFlag() {
  CKyvDoc& doc = *m_doc;
  QVERIFY(!doc.IsModified());
  CCodeObject* object =
      doc.AddObject(std::make_unique<CCodeObject>(Record(OBJ_NCO, QStringLiteral("N"))));
  QVERIFY(doc.IsModified());
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("M.KYV"));
  QString error;
  QVERIFY(SaveKyvFile(doc, path, &error));
  QVERIFY(!doc.IsModified());
  doc.DeleteObject(object);
  QVERIFY(doc.IsModified());
  auto loaded = LoadKyvFile(path, m_test.Services(), &error);
  QVERIFY(loaded);
  QVERIFY(!loaded->IsModified());
}

void TestKyvDoc::viewsRefreshOnRequestAndAfterSave() {
  struct CCountingView : CDocumentView {
    void OnUpdate() override { ++m_nUpdates; }
    int m_nUpdates = 0;
  } view, other;
  CKyvDoc& doc = *m_doc;
  doc.AddView(&view);
  doc.AddView(&view);
  doc.AddView(&other);
  doc.UpdateAllViews();
  QCOMPARE(view.m_nUpdates, 1);
  QTemporaryDir dir;
  QString error;
  QVERIFY(SaveKyvFile(doc, dir.filePath(QStringLiteral("V.KYV")), &error));
  QCOMPARE(view.m_nUpdates, 2);
  QVERIFY(!SaveKyvFile(doc, dir.filePath(QStringLiteral("missing/V.KYV")), &error));
  QCOMPARE(view.m_nUpdates, 3);
  doc.RemoveView(&view);
  doc.UpdateAllViews();
  QCOMPARE(view.m_nUpdates, 3);
  QCOMPARE(other.m_nUpdates, 4);
}

QTEST_GUILESS_MAIN(TestKyvDoc)
#include "tst_kyvdoc.moc"
