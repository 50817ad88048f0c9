#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include "BundledResource.h"
#include "CodegenFixtures.h"
#include "TestPlatform.h"
#include "codegen/DriverFiles.h"
#include "codegen/GenerateFiles.h"

using namespace Qt::Literals::StringLiterals;

// The drivers Kyv ships itself: present in the program, and a project built from the kinds they
// serve is generated without any file left empty.
class TestBundledDrivers : public QObject {
  Q_OBJECT

 private slots:
  void ownDriversAreBundled_data();
  void ownDriversAreBundled();
  void picturesAreBitmapsOfTheirDriversFormat_data();
  void picturesAreBitmapsOfTheirDriversFormat();
  void testProgramsStayOutOfTheProgram();
  void projectOfTheseKindsHasNoEmptyFile_data();
  void sensorFileHoldsTheDatasheetIds_data();
  void sensorFileHoldsTheDatasheetIds();
  void projectOfTheseKindsHasNoEmptyFile();
};

namespace {

template <typename T>
T Little(const QByteArray& bytes, qsizetype offset) {
  return qFromLittleEndian<T>(bytes.constData() + offset);
}

}  // namespace

void TestBundledDrivers::ownDriversAreBundled_data() {
  QTest::addColumn<int>("resource");
  QTest::addColumn<QByteArray>("mustContain");
  QTest::newRow("serial") << 374 << QByteArray("PUB rxcheck");
  QTest::newRow("i2c master") << 398 << QByteArray("PUB");
  QTest::newRow("i2c scanner") << 399 << QByteArray("PUB ScanI2cBus");
  QTest::newRow("servo") << 361 << QByteArray("PUB startx");
  QTest::newRow("adc") << 401 << QByteArray("PUB ResultSinc3");
  QTest::newRow("rgb led string") << 348 << QByteArray("PUB start_6812x");
  QTest::newRow("simple vga") << 343 << QByteArray("bitmap2.bmp");
  QTest::newRow("simple qvga") << 365 << QByteArray("PUB GetBuffer()");
  QTest::newRow("simple hdmi") << 372 << QByteArray("file    \"bitmapW.bmp\"");
  QTest::newRow("ds1339 rtc") << 352 << QByteArray("PUB TimeText()");
  QTest::newRow("fsrw") << 395 << QByteArray("PUB mount_explicit(DO, CLK, DI, CS)");
  QTest::newRow("fat32") << 396 << QByteArray("PUB mountPartition(partition)");
  QTest::newRow("sd block driver") << 397 << QByteArray("PUB readBlock(block, pBuf)");
  QTest::newRow("simple sound") << 353 << QByteArray("PUB pollTick");
  QTest::newRow("sound engine") << 359 << QByteArray("P_DAC_DITHER_PWM");
  QTest::newRow("tracker player") << 360 << QByteArray("PUB load");
  QTest::newRow("usb host") << 363 << QByteArray("PUB SetMouseLimits(maxX, maxY)");
  QTest::newRow("usb host without error led")
      << 364 << QByteArray("host.Start(basepin, enablepin, dmpin, -1)");
  QTest::newRow("camera capture") << 368 << QByteArray("PUB Probe(type, scl, sda)");
  QTest::newRow("fat engine") << 403 << QByteArray("nextEntry(pName) : result");
}

void TestBundledDrivers::ownDriversAreBundled() {
  QFETCH(int, resource);
  QFETCH(QByteArray, mustContain);
  QVERIFY(IsResourceBundled(static_cast<uint16_t>(resource)));
  const QByteArray source = ResourceBytes(static_cast<uint16_t>(resource));
  QVERIFY2(source.contains(mustContain), mustContain.constData());
  QVERIFY(source.contains("SPDX-License-Identifier: MIT"));
  // The header says what the driver was checked against and whether it has run on a board.
  QVERIFY(source.contains("  Checked: "));
}

// The camera driver tells sensors apart by these registers; a wrong value would make Init
// refuse a working camera. The OV7675 values are confirmed against the maker's register notes;
// the OV2640 and OV5640 values are as the sensor files hold them, marked there as not yet
// confirmed against the datasheet text.
void TestBundledDrivers::sensorFileHoldsTheDatasheetIds_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QByteArray>("address");
  QTest::addColumn<QByteArray>("registers");
  QTest::addColumn<QByteArray>("values");
  QTest::newRow("OV7675") << u"OV7675.spin2"_s << QByteArray("SCCB_ADDRESS = $21")
                          << QByteArray("idRegisters     word    $0A, $0B, $1C, $1D")
                          << QByteArray("idValues        word    $76, $73, $7F, $A2");
  QTest::newRow("OV2640") << u"OV2640.spin2"_s << QByteArray("SCCB_ADDRESS = $30")
                          << QByteArray("idRegisters     word    $0A, $0B, $1C, $1D")
                          << QByteArray("idValues        word    $26, $42, $7F, $A2");
  QTest::newRow("OV5640") << u"OV5640.spin2"_s << QByteArray("SCCB_ADDRESS = $3C")
                          << QByteArray("idRegisters     word    $300A, $300B")
                          << QByteArray("idValues        word    $56, $40");
}

void TestBundledDrivers::sensorFileHoldsTheDatasheetIds() {
  QFETCH(QString, file);
  QFETCH(QByteArray, address);
  QFETCH(QByteArray, registers);
  QFETCH(QByteArray, values);
  QFile bundled(u":/drivers/"_s + file);
  QVERIFY2(bundled.open(QIODevice::ReadOnly), qPrintable(file));
  const QByteArray source = bundled.readAll();
  QVERIFY(source.contains(address));
  QVERIFY(source.contains(registers));
  QVERIFY(source.contains(values));
  QVERIFY(source.contains("SPDX-License-Identifier: MIT"));
}

// The video drivers stream the pictures' pixel rows straight out of the program, so each picture
// must have exactly the size, depth, row order and pixel offset its driver is written for: the
// VGA driver puts two bytes before its file to bring offset 1078 onto a long boundary, the QVGA
// and HDMI pictures have long-aligned offsets of their own and top-down rows (negative height),
// the QVGA one being the RGB565 frame buffer (BI_BITFIELDS) that a camera writes into.
void TestBundledDrivers::picturesAreBitmapsOfTheirDriversFormat_data() {
  QTest::addColumn<int>("resource");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("height");
  QTest::addColumn<int>("bitsPerPixel");
  QTest::addColumn<int>("compression");
  QTest::addColumn<int>("pixelOffset");
  QTest::newRow("vga bitmap2.bmp") << 400 << 640 << 480 << 8 << 0 << 1078;
  QTest::newRow("qvga QVGA_Bird.bmp") << 366 << 320 << -240 << 16 << 3 << 68;
  QTest::newRow("hdmi bitmapW.bmp") << 402 << 800 << -480 << 8 << 0 << 1080;
}

void TestBundledDrivers::picturesAreBitmapsOfTheirDriversFormat() {
  QFETCH(int, resource);
  QFETCH(int, width);
  QFETCH(int, height);
  QFETCH(int, bitsPerPixel);
  QFETCH(int, compression);
  QFETCH(int, pixelOffset);
  const QByteArray bmp = ResourceBytes(static_cast<uint16_t>(resource));
  QCOMPARE(bmp.left(2), QByteArray("BM"));
  QCOMPARE(Little<quint32>(bmp, 2), quint32(bmp.size()));  // file size
  QCOMPARE(Little<quint32>(bmp, 10), quint32(pixelOffset));
  QCOMPARE(Little<quint32>(bmp, 14), 40u);  // BITMAPINFOHEADER
  QCOMPARE(Little<qint32>(bmp, 18), width);
  QCOMPARE(Little<qint32>(bmp, 22), height);
  QCOMPARE(Little<quint16>(bmp, 26), quint16(1));  // planes
  QCOMPARE(Little<quint16>(bmp, 28), quint16(bitsPerPixel));
  QCOMPARE(Little<quint32>(bmp, 30), quint32(compression));
  if (bitsPerPixel == 8) {  // palette before the pixels
    const quint32 colours = Little<quint32>(bmp, 46);
    QVERIFY(colours <= 256);
    QVERIFY(quint32(pixelOffset) >= 14u + 40u + 4u * (colours ? colours : 256u));
  } else {  // RGB565 channel masks
    QCOMPARE(Little<quint32>(bmp, 54), 0xF800u);
    QCOMPARE(Little<quint32>(bmp, 58), 0x07E0u);
    QCOMPARE(Little<quint32>(bmp, 62), 0x001Fu);
  }
  QCOMPARE(bmp.size(), qsizetype(pixelOffset) + width * qAbs(height) * bitsPerPixel / 8);
}

// The drivers' own compile test programs live in resources/drivers/tests/ and are not embedded.
void TestBundledDrivers::testProgramsStayOutOfTheProgram() {
  const QDir embedded(u":/drivers"_s);
  QVERIFY(embedded.exists(u"SimplerSerial.spin2"_s));
  QVERIFY(QDir(QStringLiteral(KYV_DRIVERS_DIR "/tests")).exists(u"SimplerSerial_test.spin2"_s));
  QVERIFY(!embedded.exists(u"tests"_s));
  QCOMPARE(embedded.entryList({u"*_test.spin2"_s}), QStringList());
}

void TestBundledDrivers::projectOfTheseKindsHasNoEmptyFile_data() {
  QTest::addColumn<int>("sdDriver");
  QTest::newRow("SD card with FSRW") << 0;
  QTest::newRow("SD card with FAT32") << 1;
}

void TestBundledDrivers::projectOfTheseKindsHasNoEmptyFile() {
  QFETCH(int, sdDriver);
  CTestPlatform platform;
  CKyvDoc doc(platform.Services());
  doc.OnNewDocument();
  doc.m_bMountSd = 1;
  doc.m_nSdDriver = sdDriver;
  doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s));
  doc.AddObject(MakeI2cBus(u"I2CBus1"_s));
  doc.AddObject(MakeServo(u"Servo1"_s, u"20"_s, false, true));
  doc.AddObject(MakeAdc(u"ADC1"_s, u"21"_s, 2, 9, true));
  doc.AddObject(MakeNeopixel(u"Neopixel1"_s));
  doc.AddObject(MakeVideo(OBJ_SIMPLE_QVGA, u"SimpleQVGA1"_s));
  doc.AddObject(MakeVideo(OBJ_SIMPLE_HDMI, u"SimpleHDMI1"_s));
  doc.AddObject(MakeRtc(u"RTC1"_s, u"I2CBus1"_s, false));
  doc.AddObject(MakeSound(u"SimpleSound1"_s));
  doc.AddObject(MakeUsb(u"UsbKbM1"_s, false, 0, true));  // without error LED: both USB files
  QTemporaryDir out;
  CGenerateOptions options;
  options.m_sOutputFolder = out.path();
  const CGenerateResult result = GenerateFiles(doc, options);
  QVERIFY(result.m_bCompleted);
  QCOMPARE(result.m_unbundledFiles, QStringList());
  QCOMPARE(platform.m_messages.Texts(), QStringList{u"Project files created in "_s +
                                                    QDir::toNativeSeparators(out.path()) + u"."_s});
}

QTEST_GUILESS_MAIN(TestBundledDrivers)
#include "tst_bundleddrivers.moc"
