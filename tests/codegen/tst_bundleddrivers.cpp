#include <QDir>
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
}

void TestBundledDrivers::ownDriversAreBundled() {
  QFETCH(int, resource);
  QFETCH(QByteArray, mustContain);
  QVERIFY(IsResourceBundled(static_cast<uint16_t>(resource)));
  const QByteArray source = ResourceBytes(static_cast<uint16_t>(resource));
  QVERIFY2(source.contains(mustContain), mustContain.constData());
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
  QTemporaryDir out;
  CGenerateOptions options;
  options.m_sOutputFolder = out.path();
  const CGenerateResult result = GenerateFiles(doc, options);
  QVERIFY(result.m_bCompleted);
  QCOMPARE(result.m_unbundledFiles, QStringList());
  QCOMPARE(platform.m_messages.Texts(),
           QStringList{u"Project files created in "_s + QDir::toNativeSeparators(out.path()) + u"."_s});
}

QTEST_GUILESS_MAIN(TestBundledDrivers)
#include "tst_bundleddrivers.moc"
