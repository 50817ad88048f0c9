#include <QtTest>

#include "codegen/ModeExpressions.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

class TestModeExpressions : public QObject {
  Q_OBJECT

 private slots:
  void digitalIo_data();
  void digitalIo();
  void dacModeName_data();
  void dacModeName();
};

void TestModeExpressions::digitalIo_data() {
  QTest::addColumn<int>("source");
  QTest::addColumn<int>("filter");
  QTest::addColumn<int>("high");
  QTest::addColumn<int>("low");
  QTest::addColumn<bool>("clocked");
  QTest::addColumn<bool>("invertIn");
  QTest::addColumn<bool>("invertOut");
  QTest::addColumn<QString>("expression");
  QTest::newRow("all defaults")
      << 0 << 0 << 0 << 0 << false << false << false
      << u"P_TRUE_A|P_LOCAL_A|P_PASS_AB|P_TRUE_IN|P_TRUE_OUTPUT|P_HIGH_FAST|P_LOW_FAST|P_ASYNC_IO|P_NORMAL"_s;
  QTest::newRow("every choice at its end")
      << 7 << 4 << 7 << 4 << true << true << true
      << u"P_TRUE_A|P_MINUS1_A|P_FILT3_AB|P_INVERT_IN|P_INVERT_OUTPUT|P_HIGH_FLOAT|P_LOW_1MA|P_SYNC_IO|P_NORMAL"_s;
  QTest::newRow("middle entries")
      << 4 << 2 << 5 << 6 << false << true << false
      << u"P_TRUE_A|P_OUTBIT_A|P_FILT1_AB|P_INVERT_IN|P_TRUE_OUTPUT|P_HIGH_100UA|P_LOW_10UA|P_ASYNC_IO|P_NORMAL"_s;
  QTest::newRow("filter index 5 leaves out the filter")
      << 0 << 5 << 0 << 0 << false << false << false
      << u"P_TRUE_A|P_LOCAL_A|P_TRUE_IN|P_TRUE_OUTPUT|P_HIGH_FAST|P_LOW_FAST|P_ASYNC_IO|P_NORMAL"_s;
  QTest::newRow("indexes out of range on both sides")
      << -1 << 0 << 8 << -3 << false << false << false
      << u"P_TRUE_A|P_PASS_AB|P_TRUE_IN|P_TRUE_OUTPUT|P_ASYNC_IO|P_NORMAL"_s;
}

void TestModeExpressions::digitalIo() {
  QFETCH(int, source);
  QFETCH(int, filter);
  QFETCH(int, high);
  QFETCH(int, low);
  QFETCH(bool, clocked);
  QFETCH(bool, invertIn);
  QFETCH(bool, invertOut);
  QFETCH(QString, expression);
  CCodeObject object;
  object.m_nType = OBJ_DIGITAL_IO;
  object[DigitalSlots::Filter] = filter;
  object[DigitalSlots::HighDrive] = high;
  object[DigitalSlots::LowDrive] = low;
  object[DigitalSlots::Source] = source;
  object[DigitalSlots::Clocked] = clocked;
  object[DigitalSlots::InvertInput] = invertIn;
  object[DigitalSlots::InvertOutput] = invertOut;
  QCOMPARE(DigitalIoModeExpression(object), expression);
}

void TestModeExpressions::dacModeName_data() {
  QTest::addColumn<int>("drive");
  QTest::addColumn<QString>("mode");
  QTest::newRow("990 Ohm") << 0 << u"P_DAC_990R_3V"_s;
  QTest::newRow("600 Ohm") << 1 << u"P_DAC_600R_2V"_s;
  QTest::newRow("123.7 Ohm") << 2 << u"P_DAC_124R_3V"_s;
  QTest::newRow("75 Ohm") << 3 << u"P_DAC_75R_2V"_s;
  QTest::newRow("index 4") << 4 << QString();
  QTest::newRow("negative index") << -1 << QString();
}

void TestModeExpressions::dacModeName() {
  QFETCH(int, drive);
  QFETCH(QString, mode);
  CCodeObject object;
  object.m_nType = OBJ_DAC;
  object[DacSlots::Drive] = drive;
  QCOMPARE(DacModeName(object), mode);
}

QTEST_GUILESS_MAIN(TestModeExpressions)
#include "tst_modeexpressions.moc"
