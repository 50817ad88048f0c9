#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "TestPlatform.h"
#include "codegen/BuildScripts.h"
#include "codegen/GenerateFiles.h"

using namespace Qt::Literals::StringLiterals;

// The command lines of the scripts for settings the golden projects do not cover.
class TestBuildScripts : public QObject {
  Q_OBJECT

 private slots:
  void batchPathsWithBlanksAreQuoted();
  void batchScriptsQuoteSpecialCharacters_data();
  void batchScriptsQuoteSpecialCharacters();
  void shellScriptsQuoteEveryWord_data();
  void shellScriptsQuoteEveryWord();
  void includeFolderOnlyWhenItExists();
  void shellToolsComeFromPathWithoutAFolder();
  void loaderOptionsFollowTheBaud();
  void heapSizeChangesNeitherScript();
  void chosenSerialPortGoesToTheLoader_data();
  void chosenSerialPortGoesToTheLoader();
  void scriptsRunWithStandInTools();
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

void TestBuildScripts::batchScriptsQuoteSpecialCharacters_data() {
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("folder");  // FlexSpin's and loadp2's
  QTest::addColumn<QString>("flexOptions");
  QTest::addColumn<QString>("loaderOptions");
  QTest::addColumn<QString>("buildLine");
  QTest::addColumn<QString>("loadLine");
  // Ordinary names and options keep their bytes, double blanks included.
  QTest::newRow("ordinary")
      << u"Demo.KYV"_s << u"C:\\FlexProp\\bin"_s << u"--fixed  -DX=1,2"_s << u"-SINGLE"_s
      << u"C:\\FlexProp\\bin\\FlexSpin.exe -2 -L C:\\FlexProp\\bin\\include   "
         u"--fixed  -DX=1,2 Demo.spin2"_s
      << u"C:\\FlexProp\\bin\\loadp2.exe  -T -k -b 230400 -SINGLE "
         u"Demo.binary"_s;
  QTest::newRow("command separators in the name")
      << u"Robot & Co|x.KYV"_s << u"C:\\P2(x86)\\bin"_s << QString() << QString()
      << u"\"C:\\P2(x86)\\bin\\FlexSpin.exe\" -2 -L \"C:\\P2(x86)\\bin\\include\"   "
         u"\"Robot & Co|x.spin2\""_s
      << u"\"C:\\P2(x86)\\bin\\loadp2.exe\"  -T -k -b 230400  \"Robot & Co|x.binary\""_s;
  QTest::newRow("separators in option words")
      << u"Demo.KYV"_s << u"C:\\bin"_s << u"-DA&calc -O1"_s << u"-v|more  -SINGLE"_s
      << u"C:\\bin\\FlexSpin.exe -2 -L C:\\bin\\include   \"-DA&calc\" -O1 Demo.spin2"_s
      << u"C:\\bin\\loadp2.exe  -T -k -b 230400 \"-v|more\" -SINGLE Demo.binary"_s;
  QTest::newRow("name that begins with a dash")
      << u"-lead.KYV"_s << u"C:\\bin"_s << QString() << QString()
      << u"C:\\bin\\FlexSpin.exe -2 -L C:\\bin\\include   .\\-lead.spin2"_s
      << u"C:\\bin\\loadp2.exe  -T -k -b 230400  .\\-lead.binary"_s;
}

void TestBuildScripts::batchScriptsQuoteSpecialCharacters() {
  QFETCH(QString, title);
  QFETCH(QString, folder);
  QFETCH(QString, flexOptions);
  QFETCH(QString, loaderOptions);
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  doc.SetTitle(title);
  doc.m_sFlexSpinPath = doc.m_sLoadP2Path = folder;
  doc.m_bUseFlexOptions = !flexOptions.isEmpty();
  doc.m_sFlexOptions = flexOptions;
  doc.m_bUseLoadP2Options = !loaderOptions.isEmpty();
  doc.m_sLoadP2Options = loaderOptions;
  QFETCH(QString, buildLine);
  QFETCH(QString, loadLine);
  const QString head = u"REM Kyv Generated Batch file\n"_s;
  QCOMPARE(BuildBatText(doc), head + buildLine + u"\nPause \n"_s);
  QCOMPARE(LoadBatText(doc), head + loadLine + u"\nPause \n"_s);
}

void TestBuildScripts::shellScriptsQuoteEveryWord_data() {
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("flexSpin");
  QTest::addColumn<QString>("library");
  QTest::addColumn<QString>("flexOptions");
  QTest::addColumn<QString>("loadP2");
  QTest::addColumn<QString>("plan9");
  QTest::addColumn<QString>("loaderOptions");
  QTest::addColumn<QString>("buildLine");
  QTest::addColumn<QString>("loadLine");

  QTest::newRow("blanks and backslashes")
      << u"My Robot.KYV"_s << u"/opt/flex prop/bin"_s << u"D:\\My Libs"_s << QString()
      << u"C:\\Program Files\\FlexProp\\bin"_s << u"/srv/p2 share"_s << QString()
      << u"'/opt/flex prop/bin/flexspin' -2 -L 'D:/My Libs' '-O2' 'My Robot.spin2'"_s
      << u"'C:/Program Files/FlexProp/bin/loadp2' -T -k -9 '/srv/p2 share' -b 230400 'My Robot.binary'"_s;
  QTest::newRow("quotes")
      << u"Jo's \"Bot\".KYV"_s << u"/home/jo's/bin"_s << u"/lib'\"s"_s << QString()
      << u"/home/jo's/bin"_s << u"''"_s << QString()
      << u"'/home/jo'\\''s/bin/flexspin' -2 -L '/lib'\\''\"s' '-O2' 'Jo'\\''s \"Bot\".spin2'"_s
      << u"'/home/jo'\\''s/bin/loadp2' -T -k -9 ''\\'''\\''' -b 230400 'Jo'\\''s \"Bot\".binary'"_s;
  QTest::newRow("command separators and substitutions")
      << u"Demo;touch PWNED.KYV"_s << u"/opt/$(reboot)/bin"_s << u"`id`;ls"_s << QString()
      << u"/opt/a&&b|c"_s << u"$HOME/p2"_s << QString()
      << u"'/opt/$(reboot)/bin/flexspin' -2 -L '`id`;ls' '-O2' 'Demo;touch PWNED.spin2'"_s
      << u"'/opt/a&&b|c/loadp2' -T -k -9 '$HOME/p2' -b 230400 'Demo;touch PWNED.binary'"_s;
  QTest::newRow("letters beyond ASCII")
      << u"Gr\u00FC\u00DFe.KYV"_s << u"/opt/fl\u00E9x"_s << u"/usr/lib/\u00E5"_s << QString()
      << u"/opt/fl\u00E9x"_s << u"/srv/\u00E7a"_s << QString()
      << u"'/opt/fl\u00E9x/flexspin' -2 -L '/usr/lib/\u00E5' '-O2' 'Gr\u00FC\u00DFe.spin2'"_s
      << u"'/opt/fl\u00E9x/loadp2' -T -k -9 '/srv/\u00E7a' -b 230400 'Gr\u00FC\u00DFe.binary'"_s;
  QTest::newRow("name that begins with a dash")
      << u"-lead.KYV"_s << QString() << u"/lib"_s << QString() << QString() << u"/p9"_s << QString()
      << u"flexspin -2 -L '/lib' '-O2' './-lead.spin2'"_s
      << u"loadp2 -T -k -9 '/p9' -b 230400 './-lead.binary'"_s;
  QTest::newRow("option fields of several words")
      << u"Demo.KYV"_s << QString() << u"/lib"_s
      << u"--fixed   --fcache=200 \"-DNAME=a b\" ;rm -rf x $(id)"_s << QString() << u"/p9"_s
      << u"-p /dev/ttyUSB0\t-v 'q'"_s
      << u"flexspin -2 -L '/lib' '-O2' '--fixed' '--fcache=200' '-DNAME=a b' ';rm' '-rf' 'x' '$(id)' 'Demo.spin2'"_s
      << u"loadp2 -T -k -9 '/p9' -b 230400 '-p' '/dev/ttyUSB0' '-v' ''\\''q'\\''' 'Demo.binary'"_s;
}

// Every name and path is one single-quoted word; option fields are split into words, each
// quoted. The include folder is left out: none of these folders exists.
void TestBuildScripts::shellScriptsQuoteEveryWord() {
  QFETCH(QString, title);
  QFETCH(QString, flexSpin);
  QFETCH(QString, library);
  QFETCH(QString, flexOptions);
  QFETCH(QString, loadP2);
  QFETCH(QString, plan9);
  QFETCH(QString, loaderOptions);
  QFETCH(QString, buildLine);
  QFETCH(QString, loadLine);
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  doc.SetTitle(title);
  doc.m_sFlexSpinPath = flexSpin;
  doc.m_sLibraryPath = library;
  doc.m_sLoadP2Path = loadP2;
  doc.m_sPlan9Path = plan9;
  doc.m_bUseLibraryPath = doc.m_bUseOptLevel = doc.m_bUsePlan9 = 1;
  doc.m_bUseFlexOptions = !flexOptions.isEmpty();
  doc.m_sFlexOptions = flexOptions;
  doc.m_bUseLoadP2Options = !loaderOptions.isEmpty();
  doc.m_sLoadP2Options = loaderOptions;
  const QString head =
      u"#!/bin/sh\n# Kyv Generated shell script\ncd \"$(dirname \"$0\")\" || exit 1\n"_s;
  QCOMPARE(BuildShText(doc), head + buildLine + u'\n');
  QCOMPARE(LoadShText(doc), head + loadLine + u'\n');
}

// The include folder beside flexspin is passed only when it is there.
void TestBuildScripts::includeFolderOnlyWhenItExists() {
  QTemporaryDir tools;
  CKyvDoc doc(m_test.Services());
  NewDoc(doc);
  doc.m_sFlexSpinPath = tools.path();
  QCOMPARE(BuildShText(doc).section(u'\n', 3, 3),
           u"'"_s + tools.path() + u"/flexspin' -2 'Demo.spin2'"_s);
  QVERIFY(QDir(tools.path()).mkdir(u"include"_s));
  QCOMPARE(BuildShText(doc).section(u'\n', 3, 3), u"'"_s + tools.path() + u"/flexspin' -2 -L '"_s +
                                                      tools.path() + u"/include' 'Demo.spin2'"_s);
}

void TestBuildScripts::shellToolsComeFromPathWithoutAFolder() {
  CKyvDoc doc(m_test.Services());
  NewDoc(doc);
  doc.m_sFlexSpinPath.clear();
  doc.m_sLoadP2Path.clear();
  QVERIFY(BuildShText(doc).endsWith(u"\nflexspin -2 'Demo.spin2'\n"_s));
  QVERIFY(LoadShText(doc).endsWith(u"\nloadp2 -T -k -b 230400 'Demo.binary'\n"_s));
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
           u"'C:/FlexProp/bin/loadp2' -b 230400 '-p' '/dev/ttyUSB0' '-v' 'Demo.binary'"_s);
}

// The generated build.sh and load.sh run with stand-in tools that record their arguments: every
// word arrives whole, the UTF-8 name matches the main file on disk, and nothing in the names or
// options runs.
void TestBuildScripts::scriptsRunWithStandInTools() {
#ifdef Q_OS_WIN
  QSKIP("the shell scripts are written outside Windows only");
#else
  QTemporaryDir root;
  const QString tools = root.filePath(u"tool folder $(touch PWNED1)"_s);
  const QString project = root.filePath(u"my project; touch PWNED2"_s);
  QVERIFY(QDir().mkpath(tools + u"/include"_s));
  QVERIFY(QDir().mkpath(project));
  const QByteArray recorder =
      "#!/bin/sh\n"
      "for word in \"$@\"; do printf '%s\\n' \"$word\"; done > \"$(basename \"$0\").args\"\n";
  for (const QString& tool : {u"flexspin"_s, u"loadp2"_s}) {
    QFile file(tools + u'/' + tool);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(recorder);
    file.close();
    QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
  }

  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  doc.SetPathName(project + u"/Gr\u00FC\u00DFe 'x';touch PWNED3.KYV"_s);
  doc.m_sFlexSpinPath = doc.m_sLoadP2Path = tools;
  doc.m_bUseFlexOptions = doc.m_bUseLoadP2Options = 1;
  doc.m_sFlexOptions = u"--fixed -DTEXT=a,b $(touch PWNED4)"_s;
  doc.m_sLoadP2Options = u"-p /dev/ttyUSB0;touch PWNED5"_s;
  QVERIFY2(GenerateFiles(doc).m_bCompleted, qPrintable(m_test.m_messages.Texts().join(u'\n')));
  const QString base = u"Gr\u00FC\u00DFe 'x';touch PWNED3"_s;
  QVERIFY(QFile::exists(project + u'/' + base + u".spin2"_s));

  auto run = [&](const QString& script) {
    QProcess shell;
    shell.setWorkingDirectory(root.path());  // the script moves into its own folder
    shell.start(project + u'/' + script, QStringList());
    QVERIFY(shell.waitForFinished(10000));
    QCOMPARE(shell.exitStatus(), QProcess::NormalExit);
    QCOMPARE(shell.exitCode(), 0);
  };
  auto recorded = [&](const QString& tool) {
    QFile file(project + u'/' + tool + u".args"_s);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(u'\n')
                                          : QStringList{u"(no arguments recorded)"_s};
  };
  run(u"build.sh"_s);
  QCOMPARE(recorded(u"flexspin"_s),
           (QStringList{u"-2"_s, u"-L"_s, tools + u"/include"_s, u"--fixed"_s, u"-DTEXT=a,b"_s,
                        u"$(touch"_s, u"PWNED4)"_s, base + u".spin2"_s, QString()}));
  run(u"load.sh"_s);
  QCOMPARE(recorded(u"loadp2"_s),
           (QStringList{u"-T"_s, u"-k"_s, u"-b"_s, u"230400"_s, u"-p"_s, u"/dev/ttyUSB0;touch"_s,
                        u"PWNED5"_s, base + u".binary"_s, QString()}));
  QDirIterator files(root.path(), QDir::Files, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString file = files.next();
    QVERIFY2(!QFileInfo(file).fileName().startsWith(u"PWNED"_s), qPrintable(file));
  }
#endif
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
  QTest::newRow("automatic") << QString()
                             << u"C:\\FlexProp\\bin\\loadp2.exe  -T -k -b 230400  Demo.binary"_s
                             << u"'C:/FlexProp/bin/loadp2' -T -k -b 230400 'Demo.binary'"_s;
  QTest::newRow("linux port")
      << u"/dev/ttyUSB0"_s
      << u"C:\\FlexProp\\bin\\loadp2.exe  -p /dev/ttyUSB0 -T -k -b 230400  Demo.binary"_s
      << u"'C:/FlexProp/bin/loadp2' -p '/dev/ttyUSB0' -T -k -b 230400 'Demo.binary'"_s;
  QTest::newRow("windows port")
      << u"COM3"_s << u"C:\\FlexProp\\bin\\loadp2.exe  -p COM3 -T -k -b 230400  Demo.binary"_s
      << u"'C:/FlexProp/bin/loadp2' -p 'COM3' -T -k -b 230400 'Demo.binary'"_s;
  QTest::newRow("port name the shell would split")
      << u"/dev/serial/by-id/usb-P2 Edge$1"_s
      << u"C:\\FlexProp\\bin\\loadp2.exe  -p \"/dev/serial/by-id/usb-P2 Edge$1\" -T -k -b 230400  Demo.binary"_s
      << u"'C:/FlexProp/bin/loadp2' -p '/dev/serial/by-id/usb-P2 Edge$1' -T -k -b 230400 'Demo.binary'"_s;
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
  QTest::addColumn<QString>("batchWord");  // the main file's name in build.bat, without ".spin2"
  QTest::newRow("project file") << u"Demo.KYV"_s << u"Demo"_s << u"Demo"_s;
  QTest::newRow("blank in the name") << u"My Robot.KYV"_s << u"My Robot"_s << u"\"My Robot"_s;
  QTest::newRow("five characters") << u"A.KYV"_s << u"A"_s << u"A"_s;
  QTest::newRow("lower-case ending") << u"demo.kyv"_s << u"demo"_s << u"demo"_s;
  QTest::newRow("dots inside") << u"v1.2.KYV"_s << u"v1.2"_s << u"v1.2"_s;
  // Without an ending the whole name is the base name, however short.
  QTest::newRow("no ending") << u"plain2"_s << u"plain2"_s << u"plain2"_s;
  QTest::newRow("three characters, no ending") << u"abc"_s << u"abc"_s << u"abc"_s;
  QTest::newRow("only a dot name") << u".KYV"_s << u".KYV"_s << u".KYV"_s;
  QTest::newRow("shorter") << u"Ky"_s << u"Ky"_s << u"Ky"_s;
}

void TestBuildScripts::baseName() {
  QFETCH(QString, title);
  QFETCH(QString, base);
  QFETCH(QString, batchWord);
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  doc.SetTitle(title);
  QCOMPARE(ProjectBaseName(doc), base);
  const QString quote = batchWord.startsWith(u'"') ? u"\""_s : QString();
  QVERIFY(BuildBatText(doc).contains(u" "_s + batchWord + u".spin2"_s + quote + u"\n"_s));
  QVERIFY(LoadBatText(doc).contains(u" "_s + batchWord + u".binary"_s + quote + u"\n"_s));
}

QTEST_GUILESS_MAIN(TestBuildScripts)
#include "tst_buildscripts.moc"
