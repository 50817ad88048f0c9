#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "SampleProject.h"
#include "TestPlatform.h"
#include "model/KyvFile.h"
#include "model/ProjectJson.h"

class TestProjectJson : public QObject {
  Q_OBJECT

 private slots:
  void roundTripKeepsKyvBytes_data();
  void roundTripKeepsKyvBytes();
  void exportListsOnlyNonDefaultEntries();
  void missingKeysTakeDefaults();
  void fullArraysEqualIndexedObjects();
  void sdDriverIsCarried();
  void badInputNamesTheKey_data();
  void badInputNamesTheKey();

 private:
  std::unique_ptr<CKyvDoc> NewDoc() {
    auto doc = std::make_unique<CKyvDoc>(m_test.Services());
    doc->OnNewDocument();
    return doc;
  }
  std::unique_ptr<CKyvDoc> Import(const QByteArray& json) {
    QString error;
    auto doc = ProjectFromJson(json, m_test.Services(), &error);
    if (!doc) qWarning("%s", qPrintable(error));
    return doc;
  }
  static QJsonObject Parse(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object();
  }

  CTestPlatform m_test;
};

void TestProjectJson::roundTripKeepsKyvBytes_data() {
  QTest::addColumn<QByteArray>("kyv");
  auto doc = NewDoc();
  AddSampleObjects(*doc, 2 * kObjectKindCount);
  QTest::newRow("all sixteen kinds") << KyvFileBytes(*doc);

  // Values only a file (or a hand-edited project) holds: odd flag values, kinds and counters
  // outside the table, reserved bools set, texts that are not well-formed UTF-16.
  doc->m_bUseBaud = 7;
  doc->m_bWaitForKey = -1;
  doc->m_nFileVersion = -3;
  doc->m_nTypeCount[99] = -5;
  auto odd = SampleObject(OBJ_CAMERA, 1);
  odd->m_nType = -1;
  odd->m_bFlag = odd->m_bFlag2 = true;
  odd->m_sName = QString(QChar(0xD800)) + QStringLiteral("x") + QChar(0) + QChar(0xDFFF);
  (*odd)[Slot::Text(0)] = QStringLiteral("\"quoted\"\t\\");
  (*odd)[Slot::Text(1)] = QString(QChar(0xFEFF));
  (*odd)[Slot::TextParam(0)] = QString(QChar(0xFEFF)) + QStringLiteral("x") + QChar(0xFEFF);
  doc->AddObject(std::move(odd));
  doc->m_sPinUsedFor[10] = QStringLiteral("role without holder");
  doc->m_bPinUsed[11] = true;
  QTest::newRow("odd values") << KyvFileBytes(*doc);

  QFile hostile(QStringLiteral(KYV_TEST_DATA_DIR "/bad_kyv/hostile-records.load.kyv"));
  QVERIFY(hostile.open(QIODevice::ReadOnly));
  QTest::newRow("hostile records") << hostile.readAll();
}

void TestProjectJson::roundTripKeepsKyvBytes() {
  QFETCH(QByteArray, kyv);
  QString error;
  auto doc = ReadKyvBytes(kyv, m_test.Services(), &error);
  QVERIFY2(doc, qPrintable(error));
  const QByteArray json = ProjectToJson(*doc);
  auto back = Import(json);
  QVERIFY(back);
  QCOMPARE(KyvFileBytes(*back), KyvFileBytes(*doc));
  QCOMPARE(ProjectToJson(*back), json);
}

void TestProjectJson::exportListsOnlyNonDefaultEntries() {
  auto doc = NewDoc();
  auto object = std::make_unique<CCodeObject>();
  object->m_nType = OBJ_NCO;
  object->m_sName = QStringLiteral("NCO1");
  (*object)[Slot::BasePin] = QStringLiteral("3");
  (*object)[Slot::Text(2)] = QStringLiteral("t");
  (*object)[Slot::TextParam(3)] = QStringLiteral("x");
  (*object)[Slot::IntParam(5)] = -2;
  (*object)[Slot::FlagParam(63)] = true;
  doc->AddObject(std::move(object));
  doc->m_sPinNotes[5] = QStringLiteral("free pin with a note");

  const QJsonObject json = Parse(ProjectToJson(*doc));
  QCOMPARE(json.value(QStringLiteral("clockFreq")).toString(), QStringLiteral("160_000_000"));
  QCOMPARE(json.value(QStringLiteral("showTerminal")).toInt(), 1);
  QCOMPARE(json.value(QStringLiteral("sdDriver")).toInt(), 0);
  const QJsonObject pins = json.value(QStringLiteral("pins")).toObject();
  QCOMPARE(pins.keys(),
           (QStringList{QStringLiteral("5"), QStringLiteral("62"), QStringLiteral("63")}));
  QCOMPARE(pins.value(QStringLiteral("5")).toObject(),
           (QJsonObject{{QStringLiteral("used"), false},
                        {QStringLiteral("usedBy"), QString()},
                        {QStringLiteral("usedFor"), QString()},
                        {QStringLiteral("notes"), QStringLiteral("free pin with a note")}}));
  QCOMPARE(json.value(QStringLiteral("typeCount")).toObject(),
           (QJsonObject{{QStringLiteral("3"), 1}}));

  const QJsonObject nco = json.value(QStringLiteral("objects")).toArray().at(0).toObject();
  QCOMPARE(nco.value(QStringLiteral("kind")).toString(), QStringLiteral("NCO-Frequency"));
  QCOMPARE(nco.value(QStringLiteral("name")).toString(), QStringLiteral("NCO1"));
  QCOMPARE(nco.value(QStringLiteral("text")).toObject(),
           (QJsonObject{{QStringLiteral("2"), QStringLiteral("t")}}));
  QCOMPARE(nco.value(QStringLiteral("sParam")).toObject(),
           (QJsonObject{{QStringLiteral("3"), QStringLiteral("x")}}));
  QCOMPARE(nco.value(QStringLiteral("nParam")).toObject(),
           (QJsonObject{{QStringLiteral("5"), -2}}));
  QCOMPARE(nco.value(QStringLiteral("bParam")).toObject(),
           (QJsonObject{{QStringLiteral("63"), true}}));
  QCOMPARE(nco.keys().size(), 14);
}

void TestProjectJson::missingKeysTakeDefaults() {
  m_test.m_settings.m_strings[QStringLiteral("FlexSpinPath")] = QStringLiteral("/opt/flexprop/bin");

  // An empty object is a new project, with the profile values of the settings store.
  auto empty = Import("{}");
  QVERIFY(empty);
  QCOMPARE(KyvFileBytes(*empty), KyvFileBytes(*NewDoc()));
  QCOMPARE(empty->m_sFlexSpinPath, QStringLiteral("/opt/flexprop/bin"));

  // A present pin table is the whole table; a pin entry or an object without keys is free/zeroed.
  auto bare =
      Import(R"({"pins": {"7": {"usedBy": "Led"}}, "objects": [{}], "typeCount": {"2": 4}})");
  QVERIFY(bare);
  for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin) {
    QVERIFY(!bare->m_bPinUsed[pin]);
    QCOMPARE(bare->m_sPinUsedBy[pin], pin == 7 ? QStringLiteral("Led") : QString());
    QVERIFY(bare->m_sPinNotes[pin].isEmpty());
  }
  QCOMPARE(bare->m_ObjectList.size(), size_t{1});
  QVERIFY(*bare->m_ObjectList.front() == CCodeObject());
  QCOMPARE(bare->m_nTypeCount[2], 4);
  QCOMPARE(bare->m_nTypeCount[0], 0);
  QVERIFY(!bare->IsModified());
}

void TestProjectJson::fullArraysEqualIndexedObjects() {
  QJsonArray text, sParam, nParam, bParam, pins, counters;
  for (int i = 0; i < CCodeObject::kTextSlots; ++i)
    text.append(i == 6 ? QStringLiteral("25") : QString());
  for (int i = 0; i < CCodeObject::kParamSlots; ++i) {
    sParam.append(i == 1 ? QStringLiteral("s") : QString());
    nParam.append(i == 2 ? 9 : 0);
    bParam.append(i == 3);
  }
  for (int pin = 0; pin < 3; ++pin)
    pins.append(
        QJsonObject{{QStringLiteral("used"), pin == 2},
                    {QStringLiteral("usedBy"), pin == 2 ? QStringLiteral("B") : QString()}});
  for (int kind = 0; kind < 100; ++kind) counters.append(kind == 1 ? 2 : 0);
  const QJsonObject arrays{
      {QStringLiteral("pins"), pins},
      {QStringLiteral("typeCount"), counters},
      {QStringLiteral("objects"), QJsonArray{QJsonObject{{QStringLiteral("text"), text},
                                                         {QStringLiteral("sParam"), sParam},
                                                         {QStringLiteral("nParam"), nParam},
                                                         {QStringLiteral("bParam"), bParam}}}}};
  auto fromArrays = Import(QJsonDocument(arrays).toJson());
  auto fromObjects = Import(R"({"pins": {"2": {"used": true, "usedBy": "B"}}, "typeCount": {"1": 2},
      "objects": [{"text": {"6": "25"}, "sParam": {"1": "s"}, "nParam": {"2": 9}, "bParam": {"3": true}}]})");
  QVERIFY(fromArrays);
  QVERIFY(fromObjects);
  QCOMPARE(KyvFileBytes(*fromArrays), KyvFileBytes(*fromObjects));
  QCOMPARE((*fromObjects->m_ObjectList.front())[Slot::IntParam(2)], 9);
  QCOMPARE(fromObjects->m_sPinUsedBy[2], QStringLiteral("B"));
}

void TestProjectJson::sdDriverIsCarried() {
  auto doc = Import(R"({"sdDriver": 1})");
  QVERIFY(doc);
  QCOMPARE(doc->m_nSdDriver, 1);
  QCOMPARE(Parse(ProjectToJson(*doc)).value(QStringLiteral("sdDriver")).toInt(), 1);
}

void TestProjectJson::badInputNamesTheKey_data() {
  QTest::addColumn<QByteArray>("json");
  QTest::addColumn<QString>("error");
  QTest::newRow("syntax") << QByteArray("{\n  \"clockFreq\": \"1\",\n  ]")
                          << QStringLiteral(
                                 "Not valid JSON at line 3, column 4: unterminated object.");
  QTest::newRow("not an object") << QByteArray("[]")
                                 << QStringLiteral("The JSON text must hold one project object.");
  QTest::newRow("unknown key") << QByteArray(R"({"clock": "1"})")
                               << QStringLiteral("clock: unknown key");
  QTest::newRow("string expected")
      << QByteArray(R"({"clockFreq": 160})") << QStringLiteral("clockFreq: expected a string");
  QTest::newRow("integer expected") << QByteArray(R"({"showTerminal": true})")
                                    << QStringLiteral("showTerminal: expected an integer");
  QTest::newRow("fraction") << QByteArray(R"({"fileVersion": 1.5})")
                            << QStringLiteral("fileVersion: expected an integer");
  QTest::newRow("beyond int32")
      << QByteArray(R"({"heapSize": "1", "useBaud": 2147483648})")
      << QStringLiteral("useBaud: 2147483648 is out of range -2147483648..2147483647");
  QTest::newRow("sdDriver") << QByteArray(R"({"sdDriver": 2})")
                            << QStringLiteral("sdDriver: expected 0 (FSRW) or 1 (FAT32)");
  QTest::newRow("pin out of range") << QByteArray(R"({"pins": {"64": {}}})")
                                    << QStringLiteral("pins.64: index out of range 0..63");
  QTest::newRow("pin not decimal") << QByteArray(R"({"pins": {"07": {}}})")
                                   << QStringLiteral("pins.07: index out of range 0..63");
  QTest::newRow("pin negative") << QByteArray(R"({"pins": {"-1": {}}})")
                                << QStringLiteral("pins.-1: index out of range 0..63");
  QTest::newRow("pin key") << QByteArray(R"({"pins": {"3": {"holder": "x"}}})")
                           << QStringLiteral("pins.3.holder: unknown key");
  QTest::newRow("pin used") << QByteArray(R"({"pins": {"3": {"used": 1}}})")
                            << QStringLiteral("pins.3.used: expected true or false");
  QTest::newRow("pins type") << QByteArray(R"({"pins": 3})")
                             << QStringLiteral(
                                    "pins: expected an object keyed by index 0..63 or an array");
  QTest::newRow("pins array too long")
      << QByteArray("{\"pins\": [" + QByteArray("{},").repeated(64) + "{}]}")
      << QStringLiteral("pins: 65 entries, at most 64 allowed");
  QTest::newRow("counter index") << QByteArray(R"({"typeCount": {"100": 1}})")
                                 << QStringLiteral("typeCount.100: index out of range 0..99");
  QTest::newRow("objects type") << QByteArray(R"({"objects": {}})")
                                << QStringLiteral("objects: expected an array");
  QTest::newRow("object type") << QByteArray(R"({"objects": [{}, 5]})")
                               << QStringLiteral("objects[1]: expected an object");
  QTest::newRow("object key") << QByteArray(R"({"objects": [{"basepin": "1"}]})")
                              << QStringLiteral("objects[0].basepin: unknown key");
  QTest::newRow("object name") << QByteArray(R"({"objects": [{"name": null}]})")
                               << QStringLiteral("objects[0].name: expected a string");
  QTest::newRow("text index") << QByteArray(R"({"objects": [{"text": {"7": ""}}]})")
                              << QStringLiteral("objects[0].text.7: index out of range 0..6");
  QTest::newRow("nParam index") << QByteArray(R"({"objects": [{"nParam": {"64": 1}}]})")
                                << QStringLiteral("objects[0].nParam.64: index out of range 0..63");
  QTest::newRow("nParam value") << QByteArray(R"({"objects": [{"nParam": [0, "1"]}]})")
                                << QStringLiteral("objects[0].nParam[1]: expected an integer");
  QTest::newRow("bParam value") << QByteArray(R"({"objects": [{"bParam": {"2": 0}}]})")
                                << QStringLiteral("objects[0].bParam.2: expected true or false");
  QTest::newRow("sParam array")
      << QByteArray("{\"objects\": [{\"sParam\": [" + QByteArray("\"\",").repeated(64) + "\"\"]}]}")
      << QStringLiteral("objects[0].sParam: 65 entries, at most 64 allowed");
}

void TestProjectJson::badInputNamesTheKey() {
  QFETCH(QByteArray, json);
  QFETCH(QString, error);
  QString actual;
  QVERIFY(!ProjectFromJson(json, m_test.Services(), &actual));
  QCOMPARE(actual, error);
}

QTEST_GUILESS_MAIN(TestProjectJson)
#include "tst_projectjson.moc"
