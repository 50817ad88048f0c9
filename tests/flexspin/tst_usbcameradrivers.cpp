#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "FlexSpin.h"

using namespace Qt::Literals::StringLiterals;

// The USB keyboard/mouse host and the DVP camera drivers build without a warning at every
// optimisation level: their own test programs, and a main file shaped like a generated one
// that holds both USB variants and a camera fed by a QVGA frame buffer.
class TestUsbCameraDrivers : public QObject {
  Q_OBJECT

 private slots:
  void programBuildsClean_data();
  void programBuildsClean();
};

namespace {

const QDir kDrivers(QStringLiteral(KYV_DRIVERS_DIR));
const QDir kFixtures(QStringLiteral(KYV_TEST_DATA_DIR "/flexspin"));

const QStringList kDriverFiles = {u"SimplerSerial.spin2"_s, u"vn_i2c_kdz2a.spin2"_s,
                                  u"1CogKbM_kdz3b.spin2"_s, u"1CogKbM_kdz3b_NoErrorLed.spin2"_s,
                                  u"CameraCapture.spin2"_s, u"OV2640.spin2"_s,
                                  u"OV5640.spin2"_s,        u"OV7675.spin2"_s};

bool CopyInto(const QString& from, const QDir& to) {
  return QFile::copy(from, to.filePath(QFileInfo(from).fileName()));
}

}  // namespace

void TestUsbCameraDrivers::programBuildsClean_data() {
  QTest::addColumn<QString>("program");
  QTest::addColumn<QString>("optimisation");
  const QStringList programs = {kDrivers.filePath(u"tests/1CogKbM_kdz3b_test.spin2"_s),
                                kDrivers.filePath(u"tests/1CogKbM_kdz3b_NoErrorLed_test.spin2"_s),
                                kDrivers.filePath(u"tests/CameraCapture_test.spin2"_s),
                                kDrivers.filePath(u"tests/OV2640_test.spin2"_s),
                                kDrivers.filePath(u"tests/OV5640_test.spin2"_s),
                                kDrivers.filePath(u"tests/OV7675_test.spin2"_s),
                                kFixtures.filePath(u"UsbCameraMain.spin2"_s)};
  for (const QString& program : programs)
    for (const QString& level : {u"-O0"_s, u"-O1"_s, u"-O2"_s})
      QTest::newRow(qPrintable(QFileInfo(program).fileName() + u" "_s + level)) << program << level;
}

void TestUsbCameraDrivers::programBuildsClean() {
  KYV_SKIP_WITHOUT_FLEXSPIN();
  QFETCH(QString, program);
  QFETCH(QString, optimisation);
  QTemporaryDir work;
  const QDir folder(work.path());
  for (const QString& name : kDriverFiles)
    QVERIFY2(CopyInto(kDrivers.filePath(name), folder), qPrintable(name));
  // The main file's QVGA object stands in for the real driver: only GetBuffer() matters here.
  QVERIFY(CopyInto(kFixtures.filePath(u"QVGA_16bpp.spin2"_s), folder));
  QVERIFY(CopyInto(program, folder));
  const CFlexSpinRun run =
      RunFlexSpin(folder.filePath(QFileInfo(program).fileName()), {u"-Wall"_s, optimisation});
  QVERIFY2(run.IsClean(), qPrintable(run.m_sOutput));
}

QTEST_GUILESS_MAIN(TestUsbCameraDrivers)
#include "tst_usbcameradrivers.moc"
