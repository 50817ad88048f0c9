#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

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
  void sensorFileHoldsTheDatasheetIds_data();
  void sensorFileHoldsTheDatasheetIds();
  void vgaPictureIsA640x480EightBitBitmap();
  void projectOfTheseKindsHasNoEmptyFile();
};

namespace {

QByteArray ResourceBytes(uint16_t resource) {
  QTemporaryDir dir;
  const QString path = dir.filePath(u"out"_s);
  if (WriteResourceToFile(resource, path) != ResourceWrite::Written) return {};
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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
  QTest::newRow("usb host") << 363 << QByteArray("PUB SetMouseLimits(maxX, maxY)");
  QTest::newRow("usb host without error led")
      << 364 << QByteArray("host.Start(basepin, enablepin, dmpin, -1)");
  QTest::newRow("camera capture") << 368 << QByteArray("PUB Probe(type, scl, sda)");
}

void TestBundledDrivers::ownDriversAreBundled() {
  QFETCH(int, resource);
  QFETCH(QByteArray, mustContain);
  QVERIFY(IsResourceBundled(static_cast<uint16_t>(resource)));
  const QByteArray source = ResourceBytes(static_cast<uint16_t>(resource));
  QVERIFY2(source.contains(mustContain), mustContain.constData());
  QVERIFY(source.contains("SPDX-License-Identifier: MIT"));
}

// The camera driver tells sensors apart by these registers; a wrong value would make Init
// refuse a working camera. Values from each sensor's datasheet.
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

void TestBundledDrivers::vgaPictureIsA640x480EightBitBitmap() {
  const QByteArray bmp = ResourceBytes(400);
  QCOMPARE(bmp.size(), 308278);
  QCOMPARE(bmp.left(2), QByteArray("BM"));
  QCOMPARE(Little<quint32>(bmp, 2), 308278u);                 // file size
  const quint32 pixelOffset = Little<quint32>(bmp, 10);
  QCOMPARE(Little<quint32>(bmp, 14), 40u);                     // BITMAPINFOHEADER
  QCOMPARE(Little<qint32>(bmp, 18), 640);                      // width
  QCOMPARE(qAbs(Little<qint32>(bmp, 22)), 480);                // height, either row order
  QCOMPARE(Little<quint16>(bmp, 26), quint16(1));              // planes
  QCOMPARE(Little<quint16>(bmp, 28), quint16(8));              // bits per pixel
  QCOMPARE(Little<quint32>(bmp, 30), 0u);                      // uncompressed
  const quint32 colours = Little<quint32>(bmp, 46);
  QCOMPARE(pixelOffset, 14u + 40u + 4u * (colours ? colours : 256u));
  QCOMPARE(qsizetype(pixelOffset) + 640 * 480, bmp.size());
}

void TestBundledDrivers::projectOfTheseKindsHasNoEmptyFile() {
  CTestPlatform platform;
  CKyvDoc doc(platform.Services());
  doc.OnNewDocument();
  doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s));
  doc.AddObject(MakeI2cBus(u"I2CBus1"_s));
  doc.AddObject(MakeServo(u"Servo1"_s, u"20"_s, false, true));
  doc.AddObject(MakeAdc(u"ADC1"_s, u"21"_s, 2, 9, true));
  doc.AddObject(MakeNeopixel(u"Neopixel1"_s));
  doc.AddObject(MakeUsb(u"UsbKbM1"_s, false, 0, true));  // without error LED: both USB files
  QTemporaryDir out;
  CGenerateOptions options;
  options.m_sOutputFolder = out.path();
  const CGenerateResult result = GenerateFiles(doc, options);
  QVERIFY(result.m_bCompleted);
  QCOMPARE(result.m_unbundledFiles, QStringList());
  QCOMPARE(platform.m_messages.Texts(), QStringList{u"Project files created."_s});
}

QTEST_GUILESS_MAIN(TestBundledDrivers)
#include "tst_bundleddrivers.moc"
