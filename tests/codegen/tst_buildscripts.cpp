#include <QtTest>

#include "TestPlatform.h"
#include "codegen/BuildScripts.h"

using namespace Qt::Literals::StringLiterals;

// The command lines of the scripts for settings the golden projects do not cover.
class TestBuildScripts : public QObject {
  Q_OBJECT

 private slots:
  void batchPathsWithBlanksAreQuoted();
  void shellPathsAreQuotedAndUseSlashes();
  void shellToolsComeFromPathWithoutAFolder();
  void loaderOptionsFollowTheBaud();
  void heapSizeChangesNeitherScript();
  void chosenSerialPortGoesToTheLoader_data();
  void chosenSerialPortGoesToTheLoader();
  void baseName_data();
  void baseName();

 private:
  void NewDoc(CKyvDoc& doc) {
    doc.OnNewDocument();
    doc.SetPathName(u"/work/Demo.KYV"_s);
  }
  CTestPlatform m_test;
};

void TestBuildScripts::batchPathsWithBlanksAreQuoted() {
  CKyvDoc doc(m_test.Services());
  NewDoc(doc);
  doc.m_sFlexSpinPath = u"C:\\Program Files\\FlexProp\\bin"_s;
  doc.m_sLoadP2Path = u"C:\\Program Files\\FlexProp\\bin"_s;
  doc.m_sLibraryPath = u"D:\\My Libs"_s;
  doc.m_sPlan9Path = u"D:\\P2 Share"_s;
  doc.m_bUseLibraryPath = doc.m_bUseOptLevel = doc.m_bUsePlan9 = 1;
  QCOMPARE(BuildBatText(doc),
           u"REM Kyv Generated Batch file\n"
           u"\"C:\\Program Files\\FlexProp\\bin\\FlexSpin.exe\" -2 -L \"C:\\Program "
           u"Files\\FlexProp\\bin\\include\"  "
           u"-L \"D:\\My Libs\" -O2 Demo.spin2\n"
           u"Pause \n"_s);
  QCOMPARE(LoadBatText(doc),
           u"REM Kyv Generated Batch file\n"
           u"\"C:\\Program Files\\FlexProp\\bin\\loadp2.exe\"  -T -k -9 \"D:\\P2 Share\" -b 230400 "
           u" Demo.binary\n"
           u"Pause \n"_s);
}

void TestBuildScripts::shellPathsAreQuotedAndUseSlashes() {
  CKyvDoc doc(m_test.Services());
  NewDoc(doc);
  doc.m_sFlexSpinPath = u"/opt/flex prop/bin"_s;
  doc.m_sLoadP2Path = u"/home/jo's/bin"_s;
  doc.m_sLibraryPath = u"C:\\FlexProp\\include"_s;
  doc.m_sPlan9Path = u"/srv/$share"_s;
  doc.m_bUseLibraryPath = doc.m_bUsePlan9 = 1;
  QCOMPARE(
      BuildShText(doc),
      u"#!/bin/sh\n"
      u"# Kyv Generated shell script\n"
      u"cd \"$(dirname \"$0\")\" || exit 1\n"
      u"'/opt/flex prop/bin/flexspin' -2 -L '/opt/flex prop/bin/include'  -L C:/FlexProp/include Demo.spin2\n"_s);
  QCOMPARE(LoadShText(doc),
           u"#!/bin/sh\n"
           u"# Kyv Generated shell script\n"
           u"cd \"$(dirname \"$0\")\" || exit 1\n"
           u"'/home/jo'\\''s/bin/loadp2'  -T -k -9 '/srv/$share' -b 230400  Demo.binary\n"_s);
}

void TestBuildScripts::shellToolsComeFromPathWithoutAFolder() {
  CKyvDoc doc(m_test.Services());
  NewDoc(doc);
  doc.m_sFlexSpinPath.clear();
  doc.m_sLoadP2Path.clear();
  QVERIFY(BuildShText(doc).endsWith(u"\nflexspin -2   Demo.spin2\n"_s));
  QVERIFY(LoadShText(doc).endsWith(u"\nloadp2  -T -k -b 230400  Demo.binary\n"_s));
}

// The loader's own options come directly after the baud option's blank, as typed.
void TestBuildScripts::loaderOptionsFollowTheBaud() {
  CKyvDoc doc(m_test.Services());
  NewDoc(doc);
  doc.m_bShowTerminal = doc.m_bWaitForKey = 0;
  doc.m_bUseLoadP2Options = 1;
  doc.m_sLoadP2Options = u"-p /dev/ttyUSB0  -v"_s;
  QCOMPARE(LoadBatText(doc).section(u'\n', 1, 1),
           u"C:\\FlexProp\\bin\\loadp2.exe  -b 230400 -p /dev/ttyUSB0  -v Demo.binary"_s);
  QCOMPARE(LoadShText(doc).section(u'\n', 3, 3),
           u"C:/FlexProp/bin/loadp2  -b 230400 -p /dev/ttyUSB0  -v Demo.binary"_s);
}

void TestBuildScripts::heapSizeChangesNeitherScript() {
  CKyvDoc doc(m_test.Services());
  NewDoc(doc);
  const QStringList before = {BuildBatText(doc), LoadBatText(doc), BuildShText(doc),
                              LoadShText(doc)};
  doc.m_bUseHeapSize = 1;
  doc.m_sHeapSize = u"16000"_s;
  QCOMPARE((QStringList{BuildBatText(doc), LoadBatText(doc), BuildShText(doc), LoadShText(doc)}),
           before);
}

void TestBuildScripts::chosenSerialPortGoesToTheLoader_data() {
  QTest::addColumn<QString>("port");
  QTest::addColumn<QString>("batLine");
  QTest::addColumn<QString>("shLine");
  // Automatic (no setting, or an empty one) leaves both scripts exactly as before.
  QTest::newRow("automatic") << QString() << u"C:\\FlexProp\\bin\\loadp2.exe  -T -k -b 230400  Demo.binary"_s
                             << u"C:/FlexProp/bin/loadp2  -T -k -b 230400  Demo.binary"_s;
  QTest::newRow("linux port") << u"/dev/ttyUSB0"_s
                              << u"C:\\FlexProp\\bin\\loadp2.exe  -p /dev/ttyUSB0 -T -k -b 230400  Demo.binary"_s
                              << u"C:/FlexProp/bin/loadp2  -p /dev/ttyUSB0 -T -k -b 230400  Demo.binary"_s;
  QTest::newRow("windows port") << u"COM3"_s
                                << u"C:\\FlexProp\\bin\\loadp2.exe  -p COM3 -T -k -b 230400  Demo.binary"_s
                                << u"C:/FlexProp/bin/loadp2  -p COM3 -T -k -b 230400  Demo.binary"_s;
  QTest::newRow("port name the shell would split")
      << u"/dev/serial/by-id/usb-P2 Edge$1"_s
      << u"C:\\FlexProp\\bin\\loadp2.exe  -p \"/dev/serial/by-id/usb-P2 Edge$1\" -T -k -b 230400  Demo.binary"_s
      << u"C:/FlexProp/bin/loadp2  -p '/dev/serial/by-id/usb-P2 Edge$1' -T -k -b 230400  Demo.binary"_s;
}

void TestBuildScripts::chosenSerialPortGoesToTheLoader() {
  QFETCH(QString, port);
  QFETCH(QString, batLine);
  QFETCH(QString, shLine);
  CTestPlatform test;
  if (!port.isEmpty()) test.m_settings.m_strings[kSerialPortSetting] = port;
  CKyvDoc doc(test.Services());
  NewDoc(doc);
  QCOMPARE(LoadBatText(doc).section(u'\n', 1, 1), batLine);
  QCOMPARE(LoadShText(doc).section(u'\n', 3, 3), shLine);
  // The port belongs to the loader only.
  QCOMPARE(BuildShText(doc), [&] {
    CTestPlatform plain;
    CKyvDoc other(plain.Services());
    NewDoc(other);
    return BuildShText(other);
  }());
}

void TestBuildScripts::baseName_data() {
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("base");
  QTest::newRow("project file") << u"Demo.KYV"_s << u"Demo"_s;
  QTest::newRow("blank in the name") << u"My Robot.KYV"_s << u"My Robot"_s;
  QTest::newRow("five characters") << u"A.KYV"_s << u"A"_s;
  QTest::newRow("four characters") << u".KYV"_s << QString();
  QTest::newRow("shorter") << u"Ky"_s << QString();
}

void TestBuildScripts::baseName() {
  QFETCH(QString, title);
  QFETCH(QString, base);
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  doc.SetTitle(title);
  QCOMPARE(ProjectBaseName(doc), base);
  QVERIFY(BuildBatText(doc).contains(u" "_s + base + u".spin2\n"_s));
  QVERIFY(LoadBatText(doc).contains(u" "_s + base + u".binary\n"_s));
}

QTEST_GUILESS_MAIN(TestBuildScripts)
#include "tst_buildscripts.moc"
