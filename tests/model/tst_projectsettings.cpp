#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <variant>

#include "TestPlatform.h"
#include "model/Archive.h"
#include "model/KyvFile.h"
#include "model/ProfileValues.h"
#include "model/ProjectJson.h"
#include "model/ProjectSettings.h"

using Member = std::variant<QString CKyvDoc::*, int32_t CKyvDoc::*>;
Q_DECLARE_METATYPE(Member)

namespace {

// The settings of the .KYV record, in the order every stored project has them.
const QList<Member>& RecordOrder() {
  using D = CKyvDoc;
  static const QList<Member> order = {
      &D::m_nFileVersion, &D::m_sClockFreq,      &D::m_sFlexSpinPath,     &D::m_sLibraryPath,
      &D::m_sLoadP2Path,  &D::m_sOptLevel,       &D::m_sFlexOptions,      &D::m_bUseLibraryPath,
      &D::m_bUseOptLevel, &D::m_bUseFlexOptions, &D::m_bShowTerminal,     &D::m_bWaitForKey,
      &D::m_bUsePlan9,    &D::m_bUseBaud,        &D::m_bUseLoadP2Options, &D::m_sPlan9Path,
      &D::m_sBaud,        &D::m_sLoadP2Options,  &D::m_bMountSd,          &D::m_sSdClk,
      &D::m_sSdCs,        &D::m_sSdMosi,         &D::m_sSdMiso,           &D::m_bUseHeapSize,
      &D::m_sHeapSize};
  return order;
}

// Gives every setting a value of its own, so that two settings that trade places show.
void GiveDistinctValues(CKyvDoc& doc) {
  int32_t number = 100;
  for (const CProjectSetting& setting : ProjectSettings()) {
    ++number;
    std::visit(
        [&](auto member) {
          if constexpr (std::is_same_v<decltype(member), QString CKyvDoc::*>)
            doc.*member = setting.m_sKey + QStringLiteral(" value");
          else
            doc.*member = number;
        },
        setting.m_member);
  }
  doc.m_nSdDriver = 1;  // a JSON text may hold only 0 or 1
}

QJsonValue JsonValue(const CKyvDoc& doc, const Member& member) {
  return std::visit([&](auto m) { return QJsonValue(doc.*m); }, member);
}

}  // namespace

// The project settings: one table that the .KYV record, the JSON form and File New go through.
class TestProjectSettings : public QObject {
  Q_OBJECT

 private slots:
  void kyvRecordKeepsItsOrder();
  void jsonKeyNamesItsMember_data();
  void jsonKeyNamesItsMember();
  void newProjectValues_data();
  void newProjectValues();

 private:
  CTestPlatform m_test;
};

// The record written through the table is the record written member by member in the stored
// order, and reading it back restores every member.
void TestProjectSettings::kyvRecordKeepsItsOrder() {
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  GiveDistinctValues(doc);
  doc.m_nSdDriver = 0;  // not in the file: a reopened project has 0

  CArchive expected;
  for (const Member& member : RecordOrder())
    std::visit(
        [&](auto m) {
          if constexpr (std::is_same_v<decltype(m), QString CKyvDoc::*>)
            expected.String(doc.*m);
          else
            expected.Int32(doc.*m);
        },
        member);
  const QByteArray bytes = KyvFileBytes(doc);
  QCOMPARE(bytes.left(expected.Buffer().size()), expected.Buffer());

  QString error;
  const auto reread = ReadKyvBytes(bytes, m_test.Services(), &error);
  QVERIFY2(reread, qPrintable(error));
  for (const CProjectSetting& setting : ProjectSettings())
    QCOMPARE(JsonValue(*reread, setting.m_member), JsonValue(doc, setting.m_member));
}

void TestProjectSettings::jsonKeyNamesItsMember_data() {
  using D = CKyvDoc;
  QTest::addColumn<Member>("member");
  const QList<std::pair<const char*, Member>> keys = {
      {"fileVersion", &D::m_nFileVersion},
      {"clockFreq", &D::m_sClockFreq},
      {"flexSpinPath", &D::m_sFlexSpinPath},
      {"loadP2Path", &D::m_sLoadP2Path},
      {"libraryPath", &D::m_sLibraryPath},
      {"optLevel", &D::m_sOptLevel},
      {"flexOptions", &D::m_sFlexOptions},
      {"useLibraryPath", &D::m_bUseLibraryPath},
      {"useOptLevel", &D::m_bUseOptLevel},
      {"useFlexOptions", &D::m_bUseFlexOptions},
      {"useHeapSize", &D::m_bUseHeapSize},
      {"heapSize", &D::m_sHeapSize},
      {"showTerminal", &D::m_bShowTerminal},
      {"usePlan9", &D::m_bUsePlan9},
      {"useBaud", &D::m_bUseBaud},
      {"useLoadP2Options", &D::m_bUseLoadP2Options},
      {"waitForKey", &D::m_bWaitForKey},
      {"plan9Path", &D::m_sPlan9Path},
      {"baud", &D::m_sBaud},
      {"loadP2Options", &D::m_sLoadP2Options},
      {"mountSd", &D::m_bMountSd},
      {"sdClk", &D::m_sSdClk},
      {"sdCs", &D::m_sSdCs},
      {"sdMosi", &D::m_sSdMosi},
      {"sdMiso", &D::m_sSdMiso},
      {"sdDriver", &D::m_nSdDriver},
  };
  QCOMPARE(ProjectSettings().size(), keys.size());
  for (const auto& [key, member] : keys) QTest::newRow(key) << member;
}

// Each key is written from its member and read back into it, whatever the other members hold.
void TestProjectSettings::jsonKeyNamesItsMember() {
  QFETCH(Member, member);
  const QString key = QString::fromLatin1(QTest::currentDataTag());
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  GiveDistinctValues(doc);
  const QJsonObject json = QJsonDocument::fromJson(ProjectToJson(doc)).object();
  QCOMPARE(json.value(key), JsonValue(doc, member));

  QString error;
  const auto imported = ProjectFromJson(QJsonDocument(QJsonObject{{key, json.value(key)}}).toJson(),
                                        m_test.Services(), &error);
  QVERIFY2(imported, qPrintable(error));
  QCOMPARE(JsonValue(*imported, member), JsonValue(doc, member));
}

void TestProjectSettings::newProjectValues_data() {
  using D = CKyvDoc;
  QTest::addColumn<Member>("member");
  QTest::addColumn<QJsonValue>("value");
  const QList<std::tuple<const char*, Member, QJsonValue>> values = {
      {"file version", &D::m_nFileVersion, 1},
      {"clock", &D::m_sClockFreq, QStringLiteral("160_000_000")},
      {"optimisation level", &D::m_sOptLevel, QStringLiteral("2")},
      {"heap size", &D::m_sHeapSize, QStringLiteral("8000")},
      {"baud", &D::m_sBaud, QStringLiteral("230400")},
      {"loadp2 options", &D::m_sLoadP2Options, QStringLiteral("-SINGLE")},
      {"SD CLK", &D::m_sSdClk, QStringLiteral("61")},
      {"SD CS", &D::m_sSdCs, QStringLiteral("60")},
      {"SD MOSI", &D::m_sSdMosi, QStringLiteral("59")},
      {"SD MISO", &D::m_sSdMiso, QStringLiteral("58")},
      {"show terminal", &D::m_bShowTerminal, 1},
      {"wait for key", &D::m_bWaitForKey, 1},
      {"use library path", &D::m_bUseLibraryPath, 0},
      {"use optimisation level", &D::m_bUseOptLevel, 0},
      {"use FlexSpin options", &D::m_bUseFlexOptions, 0},
      {"use heap size", &D::m_bUseHeapSize, 0},
      {"use Plan9", &D::m_bUsePlan9, 0},
      {"use baud", &D::m_bUseBaud, 0},
      {"use loadp2 options", &D::m_bUseLoadP2Options, 0},
      {"mount SD", &D::m_bMountSd, 0},
      {"SD driver", &D::m_nSdDriver, 0},
  };
  for (const auto& [name, member, value] : values) QTest::newRow(name) << member << value;
  // The tool folders and FlexSpin options come from the user's profile.
  for (const CProfileValue& value : ProfileValues())
    QTest::newRow(qPrintable(value.m_sName))
        << Member(value.m_pMember) << QJsonValue(QStringLiteral("remembered ") + value.m_sName);
}

// File New gives each setting its value even after another project filled the document.
void TestProjectSettings::newProjectValues() {
  QFETCH(Member, member);
  QFETCH(QJsonValue, value);
  m_test.m_settings.m_strings.clear();
  for (const CProfileValue& profile : ProfileValues())
    m_test.m_settings.m_strings[profile.m_sName] = QStringLiteral("remembered ") + profile.m_sName;
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  GiveDistinctValues(doc);
  doc.OnNewDocument();
  QCOMPARE(JsonValue(doc, member), value);
}

QTEST_GUILESS_MAIN(TestProjectSettings)
#include "tst_projectsettings.moc"
