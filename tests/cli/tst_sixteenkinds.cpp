#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "CliRun.h"
#include "TestPlatform.h"

using namespace Qt::StringLiterals;

// Editors and generator together: a project made only with "kyv-cli new" and "kyv-cli add",
// one object of each of the sixteen kinds, generates exactly the main file written out by hand
// in tests/data/cli/AllKinds.spin2.
class TestSixteenKinds : public QObject {
  Q_OBJECT

 private slots:
  void mainFileOfEveryKind();

 private:
  CMemorySettings m_settings;
};

void TestSixteenKinds::mainFileOfEveryKind() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const QString project = dir.filePath(u"AllKinds.KYV"_s);
  const QString out = dir.filePath(u"out"_s);
  const QString set = u"--set"_s;

  // The list order is the order of the generated blocks. Defaults wherever they fit: the camera
  // takes 16..31 and moves the I2C bus from 56 and 57 onto 24 and 25; the RTC sets the time and
  // the ADC runs SINC3, so that the filter's handler picks the sample period.
  const QList<QStringList> commands = {
      {u"new"_s, project},
      {u"add"_s, project, u"vga"_s},  // 48..52
      {u"add"_s, project, u"i2c"_s},
      {u"add"_s, project, u"neopixel"_s},  // 53
      {u"add"_s, project, u"nco"_s, set, u"iOPin=37"_s},
      {u"add"_s, project, u"rtc"_s, set, u"setTimeToPCsTime=1"_s},
      {u"add"_s, project, u"sound"_s},  // 54, 55
      {u"add"_s, project, u"servo"_s},  // 38
      {u"add"_s, project, u"digital"_s, set, u"iOPin=39"_s},
      {u"add"_s, project, u"filters"_s},
      {u"add"_s, project, u"dac"_s, set, u"iOPin=45"_s},
      {u"add"_s, project, u"adc"_s, set, u"iOPin=46"_s, set, u"filter=SINC3"_s},
      {u"add"_s, project, u"usb"_s},  // 8..15
      {u"add"_s, project, u"qvga"_s, set, u"basepin=32"_s},
      {u"add"_s, project, u"camera"_s},
      {u"add"_s, project, u"tiled1080p"_s, set, u"basepin=40"_s},
      {u"add"_s, project, u"hdmi"_s, set, u"basepin=0"_s},
      // All of them need more hub RAM than the P2 has (and a faster clock for the camera and
      // HDMI): the checks' errors are printed, the files written.
      {u"generate"_s, project, u"--out"_s, out, u"--time"_s, u"2024-03-03T14:05:09"_s,
       u"--force"_s},
  };
  for (const QStringList& command : commands) {
    const CCliRun run = RunKyvCli(command, m_settings);
    QVERIFY2(run.m_nExit == 0, qPrintable(command.join(u' ') + u": "_s + run.m_sErr));
  }

  QFile golden(QStringLiteral(KYV_TEST_DATA_DIR "/cli/AllKinds.spin2"));
  QVERIFY(golden.open(QIODevice::ReadOnly));
  QFile generated(QDir(out).filePath(u"AllKinds.spin2"_s));
  QVERIFY(generated.open(QIODevice::ReadOnly));
  QCOMPARE(generated.readAll(), golden.readAll());
}

QTEST_GUILESS_MAIN(TestSixteenKinds)
#include "tst_sixteenkinds.moc"
