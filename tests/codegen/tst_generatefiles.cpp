#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <system_error>

#include "CodegenFixtures.h"
#include "FileSizeLimit.h"
#include "TestPlatform.h"
#include "codegen/DriverFiles.h"
#include "codegen/GenerateFiles.h"
#include "codegen/SingleByteCheck.h"
#include "model/ProjectSettings.h"

using namespace Qt::Literals::StringLiterals;

// The whole Generate Files command against a temporary project folder.
class TestGenerateFiles : public QObject {
  Q_OBJECT

 private slots:
  void goldenProjects_data();
  void goldenProjects();
  void driverFilesFollowTheObjectList_data();
  void driverFilesFollowTheObjectList();
  void unbundledDriversAreWrittenEmptyAndNamed();
  void userDriverFolderReplacesBundledFiles();
  void driverFolderFromTheSettingsStore();
  void missingDriverFolderIsReported();
  void toolDefaultsAreLeftAsTheyWere();
  void linksInPlaceOfGeneratedFilesAreRefused_data();
  void linksInPlaceOfGeneratedFilesAreRefused();
  void baseNameIsTheFileNameWithoutItsExtension_data();
  void baseNameIsTheFileNameWithoutItsExtension();
  void neverSavedProjectWithSaveCancelled();
  void neverSavedProjectSavedAtThePrompt();
  void outputFolderNeedsNoSavedProject();
  void scriptNotCreatable_data();
  void scriptNotCreatable();
  void mainFileNotCreatable();
  void failedWriteStopsAndKeepsEveryFile_data();
  void failedWriteStopsAndKeepsEveryFile();
  void backupKeptFromBeforeTheFirstGeneration();
  void unwritableCharacterStops_data();
  void unwritableCharacterStops();
  void settingsAreNamedInWritingOrder();
  void latin1TextIsWrittenAsSingleBytes();
  void everyCopiedTextIsChecked();
};

namespace {

QStringList ScriptNames() {
#ifdef Q_OS_WIN
  return {u"build.bat"_s, u"load.bat"_s};
#else
  return {u"build.bat"_s, u"load.bat"_s, u"build.sh"_s, u"load.sh"_s};
#endif
}

QStringList FileNames(const QStringList& paths) {
  QStringList names;
  for (const QString& path : paths) names.append(QFileInfo(path).fileName());
  return names;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QString Native(const QString& folder, const QString& name) {
  return QDir::toNativeSeparators(QDir(folder).filePath(name));
}

// The final message as Generate Files builds it for this folder and these unbundled files.
QString CreatedMessage(const QString& folder, const QStringList& unbundled) {
  QString text = u"Project files created in "_s + QDir::toNativeSeparators(folder) + u"."_s;
  for (const QString& file : unbundled)
    text += u"\nWarning: "_s + file +
            u" was written empty: its driver is not bundled with this build of Kyv."_s;
  return text;
}

struct CProject : CProjectFolder {
  CGenerateResult Generate(const CGenerateOptions& options = {}) {
    return GenerateFiles(m_doc, options);
  }
};

// The objects of the golden projects that hold objects; their main files are pinned in
// tests/data/codegen/<golden>/Demo.spin2.
void AddGoldenObjects(CKyvDoc& doc, const QString& golden) {
  if (golden == u"video"_s) {
    doc.AddObject(MakeVideo(OBJ_SIMPLE_QVGA, u"SimpleQVGA1"_s));
    (*doc.AddObject(MakeVideo(OBJ_SIMPLE_HDMI, u"SimpleHDMI1"_s)))[VideoSlots::BasePin] = u"0"_s;
  } else if (golden == u"rtc"_s) {
    doc.AddObject(MakeI2cBus(u"I2CBus1"_s, false));
    doc.AddObject(MakeRtc(u"RTC1"_s, u"I2CBus1"_s, true));
    CCodeObject* second = doc.AddObject(MakeI2cBus(u"I2CBus2"_s, false));
    (*second)[I2cBusSlots::SclPin] = u"20"_s;
    (*second)[I2cBusSlots::SdaPin] = u"21"_s;
    doc.AddObject(MakeRtc(u"RTC2"_s, u"I2CBus2"_s, false));
  } else if (golden == u"usb"_s) {
    doc.AddObject(MakeUsb(u"UsbKbM1"_s, false, 0, false));
    CCodeObject* custom = doc.AddObject(MakeUsb(u"UsbKbM2"_s, true, 0, true));
    (*custom)[UsbKbmSlots::OutputMouse] = false;  // keyboard only
    (*custom)[UsbKbmSlots::UsePowerPin] = false;  // no power enable pin
  } else if (golden == u"camera"_s || golden == u"camera_noprobe"_s) {
    doc.AddObject(MakeI2cBus(u"I2CBus1"_s, false));
    doc.AddObject(MakeVideo(OBJ_SIMPLE_QVGA, u"SimpleQVGA1"_s));
    CCodeObject* camera = doc.AddObject(MakeCamera(u"Camera1"_s, u"I2CBus1"_s, u"SimpleQVGA1"_s));
    (*camera)[CameraSlots::ShowId] = golden == u"camera"_s;
  }
}

}  // namespace

void TestGenerateFiles::goldenProjects_data() {
  QTest::addColumn<QString>("golden");
  QTest::addColumn<bool>("allOptions");
  QTest::addColumn<QStringList>("drivers");
  QTest::addColumn<QStringList>("pinned");
  const QStringList withScripts = ScriptNames() + QStringList{u"Demo.spin2"_s};
  const QStringList mainFile = {u"Demo.spin2"_s};
  const QStringList serial = {u"SimplerSerial.spin2"_s};
  const QStringList i2c = {u"vn_i2c_kdz2a.spin2"_s, u"vn_i2c_scanner.spin2"_s};
  const QStringList qvga = {u"QVGA_16bpp.spin2"_s, u"QVGA_Bird.bmp"_s};
  QTest::newRow("empty project, defaults") << u"empty"_s << false << serial << withScripts;
  QTest::newRow("every option on") << u"alloptions"_s << true
                                   << QStringList{u"SimplerSerial.spin2"_s, u"fsrw.spin2"_s,
                                                  u"sdspi_bashed2.spin2"_s, u"fat_volume.spin2"_s}
                                   << withScripts;
  QTest::newRow("QVGA and HDMI") << u"video"_s << false
                                 << serial + qvga +
                                        QStringList{u"HDMI_Simple1c.spin2"_s, u"bitmapW.bmp"_s}
                                 << mainFile;
  QTest::newRow("RTC setting the time and RTC keeping it")
      << u"rtc"_s << false << serial + i2c + QStringList{u"rtc_DS1339.spin2"_s} << mainFile;
  QTest::newRow("USB on the adapter and on custom pins without error LED")
      << u"usb"_s << false
      << serial + QStringList{u"1CogKbM_kdz3b.spin2"_s, u"1CogKbM_kdz3b_NoErrorLed.spin2"_s}
      << mainFile;
  const QStringList camera = {u"CameraCapture.spin2"_s, u"OV2640.spin2"_s, u"OV5640.spin2"_s,
                              u"OV7675.spin2"_s};
  QTest::newRow("camera showing its ID")
      << u"camera"_s << false << serial + i2c + qvga + camera << mainFile;
  QTest::newRow("camera without ID probe")
      << u"camera_noprobe"_s << false << serial + i2c + qvga + camera << mainFile;
}

void TestGenerateFiles::goldenProjects() {
  QFETCH(QString, golden);
  QFETCH(bool, allOptions);
  QFETCH(QStringList, drivers);
  QFETCH(QStringList, pinned);
  CProject project;
  CKyvDoc& doc = project.m_doc;
  if (allOptions) {
    doc.m_bUseLibraryPath = doc.m_bUseOptLevel = doc.m_bUseFlexOptions = doc.m_bUseHeapSize = 1;
    doc.m_bUsePlan9 = doc.m_bUseBaud = doc.m_bUseLoadP2Options = doc.m_bMountSd = 1;
    doc.m_sBaud = u"115200"_s;
  }
  AddGoldenObjects(doc, golden);

  const CGenerateResult result = project.Generate();
  QVERIFY(result.m_bCompleted);
  QCOMPARE(FileNames(result.m_filesWritten),
           (ScriptNames() + QStringList{u"Demo.spin2"_s} + drivers));
  QCOMPARE(doc.m_sMainFilePath, project.Path(u"Demo.spin2"_s));

  const QDir goldenDir(QStringLiteral(KYV_TEST_DATA_DIR "/codegen/") + golden);
  for (const QString& name : pinned) {
    QVERIFY2(QFile::exists(project.Path(name)), qPrintable(name));
    QCOMPARE(ReadAll(project.Path(name)), ReadAll(goldenDir.filePath(name)));
  }
#ifndef Q_OS_WIN
  for (const QString& script : {u"build.sh"_s, u"load.sh"_s})
    QVERIFY(QFileInfo(project.Path(script)).isExecutable());
#endif
  QCOMPARE(project.m_test.m_messages.Texts(),
           QStringList{CreatedMessage(project.Folder(), result.m_unbundledFiles)});
  QCOMPARE(project.m_test.m_messages.m_messages.last().m_style, MessageStyle::Plain);
}

void TestGenerateFiles::driverFilesFollowTheObjectList_data() {
  QTest::addColumn<QList<int>>("objects");
  QTest::addColumn<QStringList>("drivers");
  const QStringList vga = {u"bitmap2.bmp"_s, u"VGA_SimpleDriver1a.spin2"_s};
  const QStringList sound = {u"simplesound.spin2"_s,       u"space_sample2_S8.raw"_s,
                             u"space_sample1_S8.raw"_s,    u"platform_sample3_S8.raw"_s,
                             u"platform_sample1_S8.raw"_s, u"pyr.mod"_s,
                             u"reSound.spin2"_s,           u"trackerPlayer.spin2"_s};
  QTest::newRow("VGA then sound") << QList<int>{OBJ_SIMPLE_VGA, OBJ_SIMPLE_SOUND} << vga + sound;
  QTest::newRow("sound then VGA") << QList<int>{OBJ_SIMPLE_SOUND, OBJ_SIMPLE_VGA} << sound + vga;
  QTest::newRow("USB without error LED")
      << QList<int>{-OBJ_USB_KBM}
      << QStringList{u"1CogKbM_kdz3b.spin2"_s, u"1CogKbM_kdz3b_NoErrorLed.spin2"_s};
  QTest::newRow("USB with error LED")
      << QList<int>{OBJ_USB_KBM} << QStringList{u"1CogKbM_kdz3b.spin2"_s};
  QTest::newRow("Simple HDMI") << QList<int>{OBJ_SIMPLE_HDMI}
                               << QStringList{u"HDMI_Simple1c.spin2"_s, u"bitmapW.bmp"_s};
  QTest::newRow("DVP camera") << QList<int>{OBJ_CAMERA}
                              << QStringList{u"CameraCapture.spin2"_s, u"OV2640.spin2"_s,
                                             u"OV5640.spin2"_s, u"OV7675.spin2"_s};
  QTest::newRow("I2C bus, QVGA, LEDs, RTC, servo, ADC")
      << QList<int>{OBJ_I2C_BUS, OBJ_SIMPLE_QVGA, OBJ_NEOPIXEL, OBJ_RTC, OBJ_SERVO, OBJ_ADC}
      << QStringList{u"vn_i2c_kdz2a.spin2"_s,      u"vn_i2c_scanner.spin2"_s,
                     u"QVGA_16bpp.spin2"_s,        u"QVGA_Bird.bmp"_s,
                     u"vn_rgbx_pixel_kdz.spin2"_s, u"rtc_DS1339.spin2"_s,
                     u"vn_servo.spin2"_s,          u"adc.spin2"_s};
  QTest::newRow("kinds without files")
      << QList<int>{OBJ_NCO, OBJ_DIGITAL_IO, OBJ_DIGITAL_FILTERS, OBJ_DAC, OBJ_TILED_1080P}
      << QStringList{};
}

void TestGenerateFiles::driverFilesFollowTheObjectList() {
  QFETCH(QList<int>, objects);
  QFETCH(QStringList, drivers);
  CProject project;
  for (const int kind : objects) {
    switch (kind < 0 ? -kind : kind) {
      case OBJ_SIMPLE_VGA:
        project.m_doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s));
        break;
      case OBJ_SIMPLE_QVGA:
        project.m_doc.AddObject(MakeVideo(OBJ_SIMPLE_QVGA, u"SimpleQVGA1"_s));
        break;
      case OBJ_SIMPLE_HDMI:
        project.m_doc.AddObject(MakeVideo(OBJ_SIMPLE_HDMI, u"SimpleHDMI1"_s));
        break;
      case OBJ_TILED_1080P:
        project.m_doc.AddObject(MakeVideo(OBJ_TILED_1080P, u"Tiled1080p1"_s));
        break;
      case OBJ_SIMPLE_SOUND:
        project.m_doc.AddObject(MakeSound(u"SimpleSound1"_s));
        break;
      case OBJ_USB_KBM:
        project.m_doc.AddObject(MakeUsb(u"UsbKbM1"_s, false, 0, kind < 0));
        break;
      case OBJ_CAMERA:
        project.m_doc.AddObject(MakeCamera(u"Camera1"_s, u"I2CBus1"_s, u"SimpleQVGA1"_s));
        break;
      case OBJ_I2C_BUS:
        project.m_doc.AddObject(MakeI2cBus(u"I2CBus1"_s));
        break;
      case OBJ_NEOPIXEL:
        project.m_doc.AddObject(MakeNeopixel(u"Neopixel1"_s));
        break;
      case OBJ_RTC:
        project.m_doc.AddObject(MakeRtc(u"RTC1"_s, u"I2CBus1"_s, false));
        break;
      case OBJ_SERVO:
        project.m_doc.AddObject(MakeServo(u"Servo1"_s, u"38"_s, false, true));
        break;
      case OBJ_ADC:
        project.m_doc.AddObject(MakeAdc(u"ADC1"_s, u"50"_s, 2, 9, false));
        break;
      case OBJ_NCO:
        project.m_doc.AddObject(MakeNco(u"NCO1"_s));
        break;
      case OBJ_DIGITAL_IO:
        project.m_doc.AddObject(MakeDigitalIo(u"DigitalIO1"_s));
        break;
      case OBJ_DIGITAL_FILTERS:
        project.m_doc.AddObject(MakeFilters(u"Filters1"_s, {1}));
        break;
      case OBJ_DAC:
        project.m_doc.AddObject(MakeDac(u"DAC1"_s, u"18"_s, 0, false));
        break;
      default:
        QFAIL("no fixture for this kind");
    }
  }
  const CGenerateResult result = project.Generate();
  QVERIFY(result.m_bCompleted);
  QCOMPARE(FileNames(result.m_filesWritten),
           (ScriptNames() + QStringList{u"Demo.spin2"_s, u"SimplerSerial.spin2"_s} + drivers));
  // Exactly these files are in the folder: the USB variant is written under one name only.
  QStringList expected =
      ScriptNames() + QStringList{u"Demo.spin2"_s, u"SimplerSerial.spin2"_s} + drivers;
  expected.sort();
  QCOMPARE(Entries(project.Folder()), expected);
}

// A file whose driver is not bundled is still written, empty, and named in the final message;
// a bundled one is written byte for byte.
void TestGenerateFiles::unbundledDriversAreWrittenEmptyAndNamed() {
  CProject project;
  project.m_doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s));
  project.m_doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA2"_s));
  project.m_doc.AddObject(MakeSound(u"SimpleSound1"_s));
  const CGenerateResult result = project.Generate();

  QStringList unbundled;
  QList<const CDriverFile*> rows = DriverFilesFor(DriverUse::Serial);
  rows += DriverFilesFor(*project.m_doc.m_ObjectList[0]);
  rows += DriverFilesFor(*project.m_doc.m_ObjectList[2]);
  for (const CDriverFile* row : rows) {
    const QString path = project.Path(row->m_sFileName);
    QVERIFY2(QFile::exists(path), qPrintable(row->m_sFileName));
    if (IsResourceBundled(row->m_nResource)) {
      QVERIFY(QFileInfo(path).size() > 0);
    } else {
      QCOMPARE(QFileInfo(path).size(), 0);
      unbundled.append(row->m_sFileName);
    }
  }
  QCOMPARE(result.m_unbundledFiles, unbundled);  // each named once, though written twice
  QCOMPARE(project.m_test.m_messages.Texts(),
           QStringList{CreatedMessage(project.Folder(), unbundled)});
}

void TestGenerateFiles::userDriverFolderReplacesBundledFiles() {
  CProject project;
  QTemporaryDir drivers;
  auto put = [&](const QString& name, const QByteArray& bytes) {
    QFile file(drivers.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  };
  put(u"VGA_SimpleDriver1a.spin2"_s, "PUB start(pin)\r\n");
  put(u"SIMPLERSERIAL.SPIN2"_s, QByteArray("\x00\xFF serial", 9));  // letter case need not match
  project.m_doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s));

  const CGenerateResult result = project.Generate({QString(), drivers.path()});
  QCOMPARE(ReadAll(project.Path(u"VGA_SimpleDriver1a.spin2"_s)), QByteArray("PUB start(pin)\r\n"));
  QCOMPARE(ReadAll(project.Path(u"SimplerSerial.spin2"_s)), QByteArray("\x00\xFF serial", 9));
  QVERIFY(!result.m_unbundledFiles.contains(u"VGA_SimpleDriver1a.spin2"_s));
  QVERIFY(!result.m_unbundledFiles.contains(u"SimplerSerial.spin2"_s));
  QVERIFY(FileNames(result.m_filesWritten).contains(u"bitmap2.bmp"_s));
}

void TestGenerateFiles::driverFolderFromTheSettingsStore() {
  CProject project;
  QTemporaryDir drivers;
  QFile file(drivers.filePath(u"SimplerSerial.spin2"_s));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("mine");
  file.close();
  project.m_test.m_settings.m_strings[kDriverFolderSetting] = drivers.path();
  project.Generate();
  QCOMPARE(ReadAll(project.Path(u"SimplerSerial.spin2"_s)), QByteArray("mine"));
}

void TestGenerateFiles::missingDriverFolderIsReported() {
  CProject project;
  const QString missing = project.m_dir.filePath(u"no such folder"_s);
  const CGenerateResult result = project.Generate({QString(), missing});
  QVERIFY(result.m_bCompleted);
  const QString message = project.m_test.m_messages.Texts().last();
  QVERIFY(message.startsWith(
      CreatedMessage(project.Folder(), {}) + u"\nWarning: the driver folder "_s +
      QDir::toNativeSeparators(missing) + u" does not exist; the bundled drivers were written."_s));
}

// A project someone else wrote must not choose the tools of the user's later projects:
// generating it leaves the five defaults as they were.
void TestGenerateFiles::toolDefaultsAreLeftAsTheyWere() {
  CProject project;
  QMap<QString, QString>& stored = project.m_test.m_settings.m_strings;
  stored[u"FlexSpinPath"_s] = u"/usr/local/bin"_s;
  const QMap<QString, QString> before = stored;
  CKyvDoc& doc = project.m_doc;
  doc.m_sFlexSpinPath = u"/opt/evil/bin"_s;
  doc.m_sLoadP2Path = u"/opt/evil/loadp2"_s;
  doc.m_sLibraryPath = u"/opt/evil/lib"_s;
  doc.m_sFlexOptions = u"-DX"_s;
  doc.m_sPlan9Path = u"/opt/evil/p9"_s;
  QVERIFY(project.Generate().m_bCompleted);
  QCOMPARE(stored, before);

  CKyvDoc next(project.m_test.Services());
  next.OnNewDocument();
  QCOMPARE(next.m_sFlexSpinPath, u"/usr/local/bin"_s);
  QCOMPARE(next.m_sFlexOptions, u"--fixed --fcache=200"_s);
}

namespace {

// Every file and link below folder: relative path -> bytes, or "-> target" for a link.
QMap<QString, QByteArray> Snapshot(const QString& folder) {
  QMap<QString, QByteArray> entries;
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo info = it.nextFileInfo();
    const QString name = QDir(folder).relativeFilePath(info.filePath());
    if (info.isSymLink())
      entries[name] = "-> " + info.symLinkTarget().toUtf8();
    else if (info.isFile())
      entries[name] = ReadAll(info.filePath());
    else
      entries[name] = "folder";
  }
  return entries;
}

}  // namespace

void TestGenerateFiles::linksInPlaceOfGeneratedFilesAreRefused_data() {
  QTest::addColumn<QString>("name");    // the link, in the project folder
  QTest::addColumn<QString>("target");  // where it points: inside or outside, there or missing
  const QStringList files =
      ScriptNames() + QStringList{u"Demo.spin2"_s,           u"Demo.spin2.bak"_s,
                                  u"SimplerSerial.spin2"_s,  u"VGA_SimpleDriver1a.spin2"_s,
                                  u".kyv/Demo.spin2.base"_s, u".kyv"_s};
  for (const QString& name : files)
    for (const QString& target :
         {u"inside"_s, u"outside"_s, u"missing inside"_s, u"missing outside"_s})
      QTest::addRow("%s to %s", qPrintable(name), qPrintable(target)) << name << target;
}

// A link in the place of a generated file, of the backup, of the merge base or of the record
// folder would send the write wherever it points (onto the project file, outside the folder).
// Generation refuses it before anything is written and names it.
void TestGenerateFiles::linksInPlaceOfGeneratedFilesAreRefused() {
  QFETCH(QString, name);
  QFETCH(QString, target);
  CProject project;
  project.m_doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s));
  QTemporaryDir outside;
  const QDir folder(project.Folder());
  const bool isFolder = name == u".kyv"_s;
  {
    QFile projectFile(folder.filePath(u"Demo.KYV"_s));
    QVERIFY(projectFile.open(QIODevice::WriteOnly));
    projectFile.write("the project");
  }
  QFile victim(QDir(outside.path()).filePath(u"victim.txt"_s));
  QVERIFY(victim.open(QIODevice::WriteOnly));
  victim.write("the user's file");
  victim.close();
  QVERIFY(folder.mkpath(u"sub"_s));
  QVERIFY(QDir(outside.path()).mkpath(u"records"_s));
  if (name.startsWith(u".kyv/"_s)) QVERIFY(folder.mkpath(u".kyv"_s));

  QString pointsTo;
  if (target == u"inside"_s)
    pointsTo = folder.filePath(isFolder ? u"sub"_s : u"Demo.KYV"_s);
  else if (target == u"outside"_s)
    pointsTo = QDir(outside.path()).filePath(isFolder ? u"records"_s : u"victim.txt"_s);
  else if (target == u"missing inside"_s)
    pointsTo = folder.filePath(u"nothing"_s);
  else
    pointsTo = QDir(outside.path()).filePath(u"nothing"_s);
  std::error_code error;
  const std::filesystem::path link = folder.filePath(name).toStdWString();
  if (isFolder)
    std::filesystem::create_directory_symlink(pointsTo.toStdWString(), link, error);
  else
    std::filesystem::create_symlink(pointsTo.toStdWString(), link, error);
  if (error) QSKIP("This system does not let the test make symbolic links.");

  const QMap<QString, QByteArray> inside = Snapshot(folder.path());
  const QMap<QString, QByteArray> beyond = Snapshot(outside.path());
  const CGenerateResult result = project.Generate();
  QVERIFY(!result.m_bCompleted);
  QCOMPARE(
      project.m_test.m_messages.Texts(),
      QStringList{u"Cannot write "_s + QDir::toNativeSeparators(name) + u": it is a link to "_s +
                  QDir::toNativeSeparators(pointsTo) + u"; remove it and generate again."_s});
  QVERIFY(result.m_filesWritten.isEmpty());
  QCOMPARE(Snapshot(folder.path()), inside);
  QCOMPARE(Snapshot(outside.path()), beyond);
}

void TestGenerateFiles::baseNameIsTheFileNameWithoutItsExtension_data() {
  QTest::addColumn<QString>("projectFile");
  QTest::addColumn<QString>("mainFile");
  QTest::newRow("usual ending") << u"Demo.KYV"_s << u"Demo.spin2"_s;
  QTest::newRow("lower-case ending") << u"demo.kyv"_s << u"demo.spin2"_s;
  QTest::newRow("other ending") << u"plain2.txt"_s << u"plain2.spin2"_s;
  QTest::newRow("no ending") << u"plain2"_s << u"plain2.spin2"_s;
  QTest::newRow("short name without ending") << u"abc"_s << u"abc.spin2"_s;
  QTest::newRow("dots inside") << u"v1.2.KYV"_s << u"v1.2.spin2"_s;
  QTest::newRow("only a dot name") << u".KYV"_s << u".KYV.spin2"_s;
}

// The main file is named after the project file without its extension, whatever its length.
void TestGenerateFiles::baseNameIsTheFileNameWithoutItsExtension() {
  QFETCH(QString, projectFile);
  QFETCH(QString, mainFile);
  CProject project;
  project.m_doc.SetPathName(QDir(project.Folder()).filePath(projectFile));
  const CGenerateResult result = project.Generate();
  QVERIFY(result.m_bCompleted);
  QVERIFY(result.m_filesWritten.contains(project.Path(mainFile)));
  QCOMPARE(project.m_doc.m_sMainFilePath, project.Path(mainFile));
}

void TestGenerateFiles::neverSavedProjectWithSaveCancelled() {
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  const CGenerateResult result = GenerateFiles(doc);
  QVERIFY(!result.m_bCompleted);
  QVERIFY(result.m_filesWritten.isEmpty());
  QCOMPARE(test.m_savePrompt.m_nCalls, 1);
  QCOMPARE(test.m_messages.Texts(),
           (QStringList{u"Project must be saved first."_s, u"Unable to find project path."_s}));
  QVERIFY(test.m_settings.m_strings.isEmpty());
  QVERIFY(doc.m_sMainFilePath.isEmpty());
}

void TestGenerateFiles::neverSavedProjectSavedAtThePrompt() {
  CTestPlatform test;
  QTemporaryDir dir;
  test.m_savePrompt.m_answer = [&](CKyvDoc& doc) {
    doc.SetPathName(dir.filePath(u"Saved.KYV"_s));
    return true;
  };
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  const CGenerateResult result = GenerateFiles(doc);
  QVERIFY(result.m_bCompleted);
  QCOMPARE(test.m_messages.Texts().first(), u"Project must be saved first."_s);
  QVERIFY(QFile::exists(dir.filePath(u"Saved.spin2"_s)));
}

void TestGenerateFiles::outputFolderNeedsNoSavedProject() {
  CTestPlatform test;
  QTemporaryDir out;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  doc.SetTitle(u"Robot.KYV"_s);
  const CGenerateResult result = GenerateFiles(doc, {out.path(), QString()});
  QVERIFY(result.m_bCompleted);
  QCOMPARE(test.m_savePrompt.m_nCalls, 0);
  QCOMPARE(doc.m_sMainFilePath, Native(out.path(), u"Robot.spin2"_s));
  QVERIFY(ReadAll(out.filePath(u"build.bat"_s)).contains(" Robot.spin2\r\n"));
}

void TestGenerateFiles::scriptNotCreatable_data() {
  QTest::addColumn<QString>("blocked");
  for (const QString& script : ScriptNames()) QTest::newRow(qPrintable(script)) << script;
}

// A folder in the way of a script: the message names it, the scripts before it stay and
// nothing after it is written.
void TestGenerateFiles::scriptNotCreatable() {
  QFETCH(QString, blocked);
  CProject project;
  project.m_doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s));
  QVERIFY(QDir(project.Folder()).mkdir(blocked));

  const CGenerateResult result = project.Generate();
  QVERIFY(!result.m_bCompleted);
  const QStringList messages = project.m_test.m_messages.Texts();
  QCOMPARE(messages.size(), 1);
  const QString prefix = u"Error:  Can't create "_s + project.Path(blocked) + u" -->"_s;
  QVERIFY2(messages[0].startsWith(prefix) && messages[0].size() > prefix.size(),
           qPrintable(messages[0]));
  QVERIFY(messages[0].size() <= prefix.size() + 255);

  const QStringList before = ScriptNames().mid(0, ScriptNames().indexOf(blocked));
  QCOMPARE(FileNames(result.m_filesWritten), before);
  QStringList expected = before + QStringList{blocked};
  expected.sort();
  QCOMPARE(Entries(project.Folder()), expected);
  QVERIFY(project.m_doc.m_sMainFilePath.isEmpty());
}

// The main file cannot be created (a folder of its name, a backup already there): the message
// names it, nothing after it is written and "Project files created." is not shown.
void TestGenerateFiles::mainFileNotCreatable() {
  CProject project;
  project.m_doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s));
  QVERIFY(QDir(project.Folder()).mkdir(u"Demo.spin2"_s));
  QFile backup(project.Path(u"Demo.spin2.bak"_s));
  QVERIFY(backup.open(QIODevice::WriteOnly));
  backup.close();

  const CGenerateResult result = project.Generate();
  QVERIFY(!result.m_bCompleted);
  const QStringList messages = project.m_test.m_messages.Texts();
  QCOMPARE(messages.size(), 1);
  QVERIFY2(messages[0].startsWith(u"Error:  Can't create "_s + project.Path(u"Demo.spin2"_s) +
                                  u" -->"_s),
           qPrintable(messages[0]));
  QCOMPARE(project.m_doc.m_sMainFilePath, project.Path(u"Demo.spin2"_s));
  QCOMPARE(FileNames(result.m_filesWritten), ScriptNames());
  QVERIFY(!QFile::exists(project.Path(u"SimplerSerial.spin2"_s)));
  QVERIFY(!QFile::exists(project.Path(u"VGA_SimpleDriver1a.spin2"_s)));
}

void TestGenerateFiles::failedWriteStopsAndKeepsEveryFile_data() {
  QTest::addColumn<qint64>("limit");
  QTest::addColumn<QString>("failing");
  QTest::newRow("nothing fits") << qint64(0) << u"build.bat"_s;
  QTest::newRow("inside the first buffer") << qint64(1000) << u"Demo.spin2"_s;
  QTest::newRow("a large media file") << qint64(200000) << u"bitmap2.bmp"_s;
}

// A write that fails part-way (a full disk) stops the command at that file: the message names
// it, the files before it are the new ones, that file and every later one keep their previous
// bytes, no temporary file is left and "Project files created." is not shown.
void TestGenerateFiles::failedWriteStopsAndKeepsEveryFile() {
  KYV_SKIP_WITHOUT_FILE_SIZE_LIMIT();
  QFETCH(qint64, limit);
  QFETCH(QString, failing);
  CProject project;
  project.m_doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s));
  project.m_doc.AddObject(MakeSound(u"SimpleSound1"_s));

  QTemporaryDir reference;
  const CGenerateResult full = project.Generate({reference.path(), QString()});
  QVERIFY(full.m_bCompleted);
  const QStringList names = FileNames(full.m_filesWritten);
  const qsizetype failingAt = names.indexOf(failing);
  QVERIFY(failingAt >= 0);
  for (qsizetype i = 0; i <= failingAt; ++i)  // the limit hits this file and no earlier one
    QCOMPARE(QFileInfo(Native(reference.path(), names[i])).size() > limit, i == failingAt);

  for (const QString& name : names) {
    QFile old(project.Path(name));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old " + name.toUtf8());
  }
  project.m_test.m_messages.Clear();
  CGenerateResult result;
  {
    const CFileSizeLimit fullDisk(limit);
    result = project.Generate();
  }

  QVERIFY(!result.m_bCompleted);
  // The main file's merge base, as large as the main file, is written before it.
  const QString message =
      failing == u"Demo.spin2"_s
          ? u"Error:  Can't create "_s + project.Path(u".kyv/Demo.spin2.base"_s) +
                u" -->File too large\nDemo.spin2 was left as it was, with your text in it."_s
          : u"Error:  Can't create "_s + project.Path(failing) + u" -->File too large"_s;
  QCOMPARE(project.m_test.m_messages.Texts(), QStringList{message});
  QCOMPARE(FileNames(result.m_filesWritten), names.mid(0, failingAt));
  for (qsizetype i = 0; i < names.size(); ++i) {
    const QByteArray expected =
        i < failingAt ? ReadAll(Native(reference.path(), names[i])) : "old " + names[i].toUtf8();
    QVERIFY2(ReadAll(project.Path(names[i])) == expected, qPrintable(names[i]));
  }
  QStringList entries = names;
  if (failingAt >= names.indexOf(u"Demo.spin2"_s)) entries.append(u"Demo.spin2.bak"_s);
  entries.sort();
  QCOMPARE(QDir(project.Folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name), entries);
}

void TestGenerateFiles::backupKeptFromBeforeTheFirstGeneration() {
  CProject project;
  QFile handWritten(project.Path(u"Demo.spin2"_s));
  QVERIFY(handWritten.open(QIODevice::WriteOnly));
  handWritten.write("my own main file\r\n");
  handWritten.close();

  project.Generate();
  const QByteArray first = ReadAll(project.Path(u"Demo.spin2"_s));
  QVERIFY(first.startsWith("''Kyv Generated Spin2 main file\r\n"));
  QCOMPARE(ReadAll(project.Path(u"Demo.spin2.bak"_s)), QByteArray("my own main file\r\n"));

  project.m_doc.m_sClockFreq = u"200_000_000"_s;
  project.Generate();
  QCOMPARE(ReadAll(project.Path(u"Demo.spin2.bak"_s)), QByteArray("my own main file\r\n"));
  QVERIFY(ReadAll(project.Path(u"Demo.spin2"_s)).contains("  _clkfreq = 200_000_000\r\n"));
}

void TestGenerateFiles::unwritableCharacterStops_data() {
  QTest::addColumn<int>("place");
  QTest::addColumn<QString>("message");
  const QString tail =
      u"), which cannot be written as a single byte. Change it and generate again."_s;
  QTest::newRow("object field")
      << 0
      << u"Error:  Can't generate files: field \"SCL Pin:\" of object I2CBus1 holds the character \"\u0665\" (U+0665"_s +
             tail;
  QTest::newRow("object name")
      << 1
      << u"Error:  Can't generate files: field \"Object Name:\" of object Servo\u2460 holds the character \"\u2460\" (U+2460"_s +
             tail;
  QTest::newRow("setting")
      << 2
      << u"Error:  Can't generate files: the setting \"Add these additional options: (FlexSpin)\" holds the character \"\u2014\" (U+2014"_s +
             tail;
  const QString controlTail =
      u", which cannot be written into a generated file. Change it and generate again."_s;
  QTest::newRow("NUL in the clock")
      << 4
      << u"Error:  Can't generate files: the setting \"P2 Core Frequency:\" holds the control character U+0000"_s +
             controlTail;
  QTest::newRow("line break in an object name")
      << 5
      << u"Error:  Can't generate files: field \"Object Name:\" of object Servo?1 holds the control character U+000A"_s +
             controlTail;
  QTest::newRow("C1 control in a setting")
      << 6
      << u"Error:  Can't generate files: the setting \"Add these additional options: (LoadP2)\" holds the control character U+0085"_s +
             controlTail;
  QTest::newRow("character beyond 16 bits")
      << 3
      << u"Error:  Can't generate files: field \"Basepin:\" of object SimpleVGA1 holds the character \"\U0001F600\" (U+1F600"_s +
             tail;
}

// Nothing is written and no setting is stored: the user fixes the text and generates again.
void TestGenerateFiles::unwritableCharacterStops() {
  QFETCH(int, place);
  QFETCH(QString, message);
  CProject project;
  CKyvDoc& doc = project.m_doc;
  doc.AddObject(MakeI2cBus(u"I2CBus1"_s));
  switch (place) {
    case 0:
      (*doc.m_ObjectList[0])[I2cBusSlots::SclPin] = u"5\u0665"_s;
      break;
    case 1:
      doc.AddObject(MakeServo(u"Servo\u2460"_s, u"38"_s, false, false));
      break;
    case 2:
      doc.m_bUseFlexOptions = 1;
      doc.m_sFlexOptions = u"\u2014fixed"_s;
      break;
    case 3:
      (*doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s)))[VideoSlots::BasePin] =
          u"48\U0001F600"_s;
      break;
    case 4:
      doc.m_sClockFreq = u"160_000_000"_s + QChar(0) + u"0"_s;
      break;
    case 5:
      doc.AddObject(MakeServo(u"Servo\n1"_s, u"38"_s, false, false));
      break;
    case 6:
      doc.m_bUseLoadP2Options = 1;
      doc.m_sLoadP2Options = u"-v\u0085"_s;
      break;
  }
  const CGenerateResult result = project.Generate();
  QVERIFY(!result.m_bCompleted);
  QCOMPARE(project.m_test.m_messages.Texts(), QStringList{message});
  QVERIFY(Entries(project.Folder()).isEmpty());
  QVERIFY(project.m_test.m_settings.m_strings.isEmpty());
}

// With every setting unwritable and every option on, the check names them one by one as each is
// mended, in the order the scripts and the main file write them.
void TestGenerateFiles::settingsAreNamedInWritingOrder() {
  using D = CKyvDoc;
  const QList<std::pair<QString, QString D::*>> order = {
      {FlexSpinFolderLabel().trimmed(), &D::m_sFlexSpinPath},
      {u"-L Use Additional Library Folder"_s, &D::m_sLibraryPath},
      {u"-O Specify Optimization Level"_s, &D::m_sOptLevel},
      {u"Add these additional options: (FlexSpin)"_s, &D::m_sFlexOptions},
      {LoadP2FolderLabel().trimmed(), &D::m_sLoadP2Path},
      {u"-9 Use Plan9 to access PC Folder:"_s, &D::m_sPlan9Path},
      {u"-b Specify terminal baud"_s, &D::m_sBaud},
      {u"Add these additional options: (LoadP2)"_s, &D::m_sLoadP2Options},
      {u"P2 Core Frequency:"_s, &D::m_sClockFreq},
      {u"SD Card Pins: MISO"_s, &D::m_sSdMiso},
      {u"SD Card Pins: MOSI"_s, &D::m_sSdMosi},
      {u"SD Card Pins: CS"_s, &D::m_sSdCs},
      {u"SD Card Pins: CLK"_s, &D::m_sSdClk},
  };
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  for (int32_t D::*flag :
       {&D::m_bUseLibraryPath, &D::m_bUseOptLevel, &D::m_bUseFlexOptions, &D::m_bUsePlan9,
        &D::m_bUseBaud, &D::m_bUseLoadP2Options, &D::m_bMountSd})
    doc.*flag = 1;
  for (const auto& [label, member] : order) doc.*member = u"\u2014"_s;
  for (const auto& [label, member] : order) {
    const auto found = FindUnwritableText(doc);
    QVERIFY2(found, qPrintable(label));
    QCOMPARE(found->m_sWhere, u"the setting \""_s + label + u'"');
    doc.*member = u"1"_s;
  }
  QVERIFY(!FindUnwritableText(doc));
}

void TestGenerateFiles::latin1TextIsWrittenAsSingleBytes() {
  CProject project;
  project.m_doc.AddObject(MakeDigitalIo(u"Caf\u00E9"_s));
  project.m_doc.m_sFlexSpinPath = u"C:\\Programme\\Fl\u00FCx"_s;
  QVERIFY(project.Generate().m_bCompleted);
  QVERIFY(ReadAll(project.Path(u"Demo.spin2"_s)).contains("\r\n  Caf\xE9 = 38\r\n"));
  QVERIFY(
      ReadAll(project.Path(u"build.bat"_s)).contains("C:\\Programme\\Fl\xFCx\\FlexSpin.exe -2"));
}

// Every text slot of every kind, and every setting, with a character of no single-byte form:
// either the check stops generation before anything is written, or that text goes into no
// generated file. And the check fires only for texts that do go into a file.
void TestGenerateFiles::everyCopiedTextIsChecked() {
  using Make = std::function<std::unique_ptr<CCodeObject>()>;
  const QList<Make> objects = {
      [] { return MakeVideo(OBJ_SIMPLE_VGA, u"V"_s); },
      [] { return MakeVideo(OBJ_SIMPLE_QVGA, u"Q"_s); },
      [] { return MakeVideo(OBJ_SIMPLE_HDMI, u"H"_s); },
      [] { return MakeVideo(OBJ_TILED_1080P, u"T"_s); },
      [] { return MakeI2cBus(u"B"_s); },
      [] { return MakeNeopixel(u"N"_s); },
      [] { return MakeNco(u"F"_s); },
      [] { return MakeRtc(u"R"_s, u"B"_s, true); },
      [] { return MakeSound(u"S"_s); },
      [] { return MakeServo(u"M"_s, u"1"_s, false, true); },
      [] { return MakeServo(u"M"_s, u"1"_s, true, false); },
      [] { return MakeDigitalIo(u"D"_s); },
      [] { return MakeFilters(u"G"_s, {}); },
      [] { return MakeFilters(u"G"_s, {3}); },
      [] { return MakeDac(u"A"_s, u"2"_s, 0, true); },
      [] { return MakeAdc(u"C"_s, u"3"_s, 1, 9, true); },
      [] { return MakeUsb(u"U"_s, false, 1, false); },
      [] { return MakeUsb(u"U"_s, true, 0, true); },
      [] {
        auto usb = MakeUsb(u"U"_s, true, 0, false);
        (*usb)[UsbKbmSlots::UsePowerPin] = false;
        return usb;
      },
      [] { return MakeCamera(u"K"_s, u"B"_s, u"Q"_s); },
  };
  using TextOf = std::function<QString&(CCodeObject&)>;
  QList<TextOf> textSlots = {[](CCodeObject& o) -> QString& { return o.m_sName; },
                             [](CCodeObject& o) -> QString& { return o[Slot::BasePin]; },
                             [](CCodeObject& o) -> QString& { return o[Slot::String]; }};
  for (int i = 0; i < CCodeObject::kTextSlots; ++i)
    textSlots.append([i](CCodeObject& o) -> QString& { return o[Slot::Text(i)]; });
  for (int i = 0; i < CCodeObject::kParamSlots; ++i)
    textSlots.append([i](CCodeObject& o) -> QString& { return o[Slot::TextParam(i)]; });

  QTemporaryDir out;
  int generations = 0;
  // Generates the project after change(doc) has been applied; says whether the check stopped it
  // and whether a generated file holds the byte A4.
  auto generate = [&](const std::function<void(CKyvDoc&)>& change, bool* markerWritten) {
    CTestPlatform test;
    CKyvDoc doc(test.Services());
    doc.OnNewDocument();
    doc.SetTitle(u"Demo.KYV"_s);
    change(doc);
    // A fresh folder each time: truncating and rewriting the same files waits on the disk.
    const QString folder = out.filePath(QString::number(++generations));
    QDir().mkdir(folder);
    const CGenerateResult result = GenerateFiles(doc, {folder, QString()});
    const QStringList messages = test.m_messages.Texts();
    const bool stopped =
        messages.size() == 1 && messages[0].startsWith(u"Error:  Can't generate files: "_s);
    if (!stopped && !result.m_bCompleted) qWarning() << messages;
    const QStringList generatedTexts =
        ScriptNames() + QStringList{u"Demo.spin2"_s};  // not the drivers' bytes
    for (const QString& path : result.m_filesWritten)
      if (markerWritten && generatedTexts.contains(QFileInfo(path).fileName()) &&
          ReadAll(path).contains('\xA4'))
        *markerWritten = true;
    return stopped ? 1 : result.m_bCompleted ? 0 : -1;
  };
  // Generation with U+2126 appended to the text either stops at the check or completes without
  // the text in any file (a writer refuses what it cannot encode, so it would not complete).
  // When the check stops it, the same text with U+00A4 does reach a file.
  auto CheckedExactlyWhenWritten = [&](const auto& with) {
    const int outcome = generate(with(u"\u2126"_s), nullptr);
    if (outcome <= 0) return outcome == 0;
    bool written = false;
    return generate(with(u"\u00A4"_s), &written) == 0 && written;
  };

  for (int o = 0; o < objects.size(); ++o) {
    for (int s = 0; s < textSlots.size(); ++s) {
      auto with = [&](const QString& extra) {
        return [&, extra](CKyvDoc& doc) {
          CCodeObject* object = doc.AddObject(objects[o]());
          textSlots[s](*object) += extra;
        };
      };
      const QByteArray where =
          "object " + QByteArray::number(o) + ", slot " + QByteArray::number(s);
      QVERIFY2(CheckedExactlyWhenWritten(with), where.constData());
    }
  }

  const QList<QString CKyvDoc::*> settings = {
      &CKyvDoc::m_sClockFreq,     &CKyvDoc::m_sFlexSpinPath, &CKyvDoc::m_sLoadP2Path,
      &CKyvDoc::m_sLibraryPath,   &CKyvDoc::m_sOptLevel,     &CKyvDoc::m_sFlexOptions,
      &CKyvDoc::m_sHeapSize,      &CKyvDoc::m_sPlan9Path,    &CKyvDoc::m_sBaud,
      &CKyvDoc::m_sLoadP2Options, &CKyvDoc::m_sSdClk,        &CKyvDoc::m_sSdCs,
      &CKyvDoc::m_sSdMosi,        &CKyvDoc::m_sSdMiso};
  for (const bool flagsOn : {false, true}) {
    for (int s = 0; s < settings.size(); ++s) {
      auto with = [&](const QString& extra) {
        return [&, extra](CKyvDoc& doc) {
          for (int32_t CKyvDoc::*flag :
               {&CKyvDoc::m_bUseLibraryPath, &CKyvDoc::m_bUseOptLevel, &CKyvDoc::m_bUseFlexOptions,
                &CKyvDoc::m_bUseHeapSize, &CKyvDoc::m_bUsePlan9, &CKyvDoc::m_bUseBaud,
                &CKyvDoc::m_bUseLoadP2Options, &CKyvDoc::m_bMountSd})
            doc.*flag = flagsOn ? 1 : 0;
          doc.*settings[s] += extra;
        };
      };
      const QByteArray where =
          "setting " + QByteArray::number(s) + (flagsOn ? " with its option on" : "");
      QVERIFY2(CheckedExactlyWhenWritten(with), where.constData());
    }
  }
}

QTEST_GUILESS_MAIN(TestGenerateFiles)
#include "tst_generatefiles.moc"
