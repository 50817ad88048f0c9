#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "TestPlatform.h"
#include "codegen/BuildScripts.h"
#include "codegen/GenerateFiles.h"
#include "codegen/ToolChecks.h"
#include "platform/MachineToolLocator.h"

using namespace Qt::Literals::StringLiterals;

// What "2: Compile" and "3: Load P2" check before running anything, and the tools a new project
// finds on the machine ending up in its scripts.
class TestToolChecks : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void problems_data();
  void problems();
  void compileRefusesAConflictBlock();
  void newProjectScriptsRunTheToolsFoundOnPath();
  void flexPropStart_data();
  void flexPropStart();
  void loadRefusal_data();
  void loadRefusal();

 private:
  QTemporaryDir m_tools;  // tools/flexspin, tools/loadp2; path/flexspin, path/loadp2
};

namespace {

void MakeFile(const QString& path, bool executable = false) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("#!/bin/sh\n");
  file.close();
  if (executable) QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
}

void SetAge(const QString& path, int secondsAgo) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadWrite));
  QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo),
                           QFileDevice::FileModificationTime));
}

}  // namespace

void TestToolChecks::initTestCase() {
#if defined(Q_OS_WIN)
  QSKIP("the stand-in tools are shell scripts");
#endif
  for (const QString& folder : {u"tools"_s, u"path"_s})
    for (const QString& tool : {u"flexspin"_s, u"loadp2"_s})
      MakeFile(QDir(m_tools.path()).filePath(folder + u'/' + tool), true);
}

void TestToolChecks::problems_data() {
  // In the messages %P stands for the project folder, %T for the scratch tools root.
  QTest::addColumn<bool>("load");
  QTest::addColumn<QStringList>("files");   // in the project folder; "name@old" is an hour old
  QTest::addColumn<QString>("toolFolder");  // both tools; relative to %T unless absolute/empty
  QTest::addColumn<QString>("expected");

  const QStringList generated = {u"build.sh"_s, u"load.sh"_s, u"Demo.spin2"_s};
  const QString settings =
      u" Set \"%1\" on the \"P2 & FlexSpin\" tab to the folder that holds it, then press "
      u"\"1: Generate Code\" again."_s;
  const QString flexSpinFix = settings.arg(u"FlexSpin Folder:"_s);
  const QString loadP2Fix = settings.arg(u"LoadP2 Folder:"_s);

  QTest::newRow("compile, nothing generated")
      << false << QStringList{} << u"tools"_s
      << u"Generate the project first: press \"1: Generate Code\" (build.sh is not in %P)."_s;
  QTest::newRow("compile, main file missing")
      << false << QStringList{u"build.sh"_s} << u"tools"_s
      << u"Generate the project first: press \"1: Generate Code\" (Demo.spin2 is not in %P)."_s;
  QTest::newRow("compile, Windows folder off Windows")
      << false << generated << u"C:\\FlexProp\\bin"_s
      << u"flexspin was not found in the folder C:\\FlexProp\\bin."_s + flexSpinFix;
  QTest::newRow("compile, folder without the compiler")
      << false << generated << u"%P"_s
      << u"flexspin was not found in the folder %P."_s + flexSpinFix;
  QTest::newRow("compile, no folder and not on PATH")
      << false << generated << QString() << u"flexspin was not found on the PATH."_s + flexSpinFix;
  QTest::newRow("compile, in the folder") << false << generated << u"tools"_s << QString();
  QTest::newRow("compile, no folder, on PATH") << false << generated << u"@path"_s << QString();

  QTest::newRow("load, nothing generated")
      << true << QStringList{} << u"tools"_s
      << u"Generate the project first: press \"1: Generate Code\" (load.sh is not in %P)."_s;
  QTest::newRow("load, not compiled")
      << true << generated << u"tools"_s
      << u"Compile first: press \"2: Compile\" (Demo.binary is not in %P)."_s;
  QTest::newRow("load, binary older than the main file")
      << true << QStringList{u"load.sh"_s, u"Demo.spin2"_s, u"Demo.binary@old"_s} << u"tools"_s
      << u"Compile first: press \"2: Compile\" (Demo.binary is older than Demo.spin2)."_s;
  QTest::newRow("load, not compiled and no tools: compile first")
      << true << generated << QString()
      << u"Compile first: press \"2: Compile\" (Demo.binary is not in %P)."_s;
  QTest::newRow("load, loader missing")
      << true << generated + QStringList{u"Demo.binary"_s} << u"%P"_s
      << u"loadp2 was not found in the folder %P."_s + loadP2Fix;
  QTest::newRow("load, all there")
      << true << generated + QStringList{u"Demo.binary"_s} << u"tools"_s << QString();
}

void TestToolChecks::problems() {
  QFETCH(bool, load);
  QFETCH(QStringList, files);
  QFETCH(QString, toolFolder);
  QFETCH(QString, expected);

  QTemporaryDir project;
  const QDir folder(project.path());
  for (QString file : files) {
    const bool old = file.endsWith(u"@old"_s);
    file.remove(u"@old"_s);
    MakeFile(folder.filePath(file));
    if (old) SetAge(folder.filePath(file), 3600);
  }
  const QString projectFolder = QDir::toNativeSeparators(project.path());
  const QString toolsRoot = QDir(m_tools.path()).filePath(u"path"_s);
  auto expand = [&](QString text) { return text.replace(u"%P"_s, projectFolder); };

  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  doc.SetPathName(folder.filePath(u"Demo.KYV"_s));
  QStringList searchPath = {project.path()};  // holds no tool
  if (toolFolder == u"@path"_s) {
    toolFolder.clear();
    searchPath = {toolsRoot};
  } else if (toolFolder == u"tools"_s) {
    toolFolder = QDir(m_tools.path()).filePath(u"tools"_s);
  }
  doc.m_sFlexSpinPath = doc.m_sLoadP2Path = expand(toolFolder);

  const QString problem = load ? LoadProblem(doc, projectFolder, searchPath)
                               : CompileProblem(doc, projectFolder, searchPath);
  QCOMPARE(problem, expand(expected));
}

// A conflict block a merge left in the main file stops Compile before FlexSpin runs on it; a
// "<<<<<<<" that does not start a line is no conflict.
void TestToolChecks::compileRefusesAConflictBlock() {
  QTemporaryDir project;
  const QDir folder(project.path());
  MakeFile(folder.filePath(u"build.sh"_s));
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  doc.SetPathName(folder.filePath(u"Demo.KYV"_s));
  doc.m_sFlexSpinPath = QDir(m_tools.path()).filePath(u"tools"_s);
  const QString projectFolder = QDir::toNativeSeparators(project.path());
  auto compileWith = [&](const QByteArray& text) {
    QFile main(folder.filePath(u"Demo.spin2"_s));
    if (!main.open(QIODevice::WriteOnly | QIODevice::Truncate)) return u"not written"_s;
    main.write(text);
    main.close();
    return CompileProblem(doc, projectFolder, {project.path()});
  };
  QCOMPARE(
      compileWith("CON\r\n  X = 1\r\n<<<<<<< your version\r\n  Y = 1\r\n=======\r\n"
                  "  Y = 2\r\n>>>>>>> new version\r\n"),
      u"Resolve the conflict at line 3 of %1: keep the lines you want between the "
      u"\"<<<<<<<\" and \">>>>>>>\" lines and delete the rest with the three marker lines, "
      u"then save the file."_s.arg(QDir::toNativeSeparators(folder.filePath(u"Demo.spin2"_s))));
  QVERIFY(compileWith("<<<<<<<\n").startsWith(u"Resolve the conflict at line 1 of "_s));
  QCOMPARE(compileWith("CON ' <<<<<<< not at the start\r\n<<<<<<<<x\r\n"), QString());
}

// A fresh home with flexspin and loadp2 on PATH: the new project's scripts call them there, and
// Compile finds nothing to complain about while Load asks for a compile.
void TestToolChecks::newProjectScriptsRunTheToolsFoundOnPath() {
  const QString path = QDir(m_tools.path()).filePath(u"path"_s);
  const CMachineToolLocator locator({path}, {});
  CTestPlatform test;
  CPlatform platform = test.Services();
  platform.m_pToolLocator = &locator;
  CKyvDoc doc(platform);
  QVERIFY(doc.OnNewDocument());
  QTemporaryDir project;
  doc.SetPathName(QDir(project.path()).filePath(u"Robot.KYV"_s));
  QVERIFY(GenerateFiles(doc).m_bCompleted);

  auto line = [&](const QString& script) {
    QFile file(QDir(project.path()).filePath(script));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(u'\n', 3, 3)
                                          : QString();
  };
  // The folder may come quoted for the shell.
  const QString build = line(u"build.sh"_s);
  const QString loadLine = line(u"load.sh"_s);
  QVERIFY2(build.section(u' ', 0, 0).remove(u'\'') == path + u"/flexspin"_s, qPrintable(build));
  QVERIFY(build.endsWith(u" 'Robot.spin2'"_s));
  QVERIFY2(loadLine.section(u' ', 0, 0).remove(u'\'') == path + u"/loadp2"_s, qPrintable(loadLine));

  const QString folder = QDir::toNativeSeparators(project.path());
  QCOMPARE(CompileProblem(doc, folder, {project.path()}), QString());
  QVERIFY(LoadProblem(doc, folder, {project.path()}).startsWith(u"Compile first"_s));
}

void TestToolChecks::flexPropStart_data() {
  // Files under a scratch root: F/ is the FlexProp folder, path/ the search path.
  QTest::addColumn<QStringList>("executables");
  QTest::addColumn<QStringList>("plainFiles");
  QTest::addColumn<QString>("folder");
  QTest::addColumn<QString>("program");
  QTest::addColumn<QStringList>("arguments");
  QTest::newRow("launcher in the folder")
      << QStringList{u"F/flexprop"_s, u"path/flexprop"_s, u"path/wish"_s}
      << QStringList{u"F/flexprop.tcl"_s} << u"F"_s << u"F/flexprop"_s << QStringList{};
  QTest::newRow("script in the folder, run by wish")
      << QStringList{u"path/wish"_s, u"path/flexprop"_s} << QStringList{u"F/flexprop.tcl"_s}
      << u"F"_s << u"path/wish"_s << QStringList{u"F/flexprop.tcl"_s};
  QTest::newRow("script but no wish: from PATH")
      << QStringList{u"path/flexprop"_s} << QStringList{u"F/flexprop.tcl"_s} << u"F"_s
      << u"path/flexprop"_s << QStringList{};
  QTest::newRow("no folder: from PATH") << QStringList{u"path/flexprop"_s} << QStringList{}
                                        << QString() << u"path/flexprop"_s << QStringList{};
  QTest::newRow("nowhere") << QStringList{u"path/wish"_s} << QStringList{} << u"F"_s << QString()
                           << QStringList{};
}

void TestToolChecks::flexPropStart() {
  QFETCH(QStringList, executables);
  QFETCH(QStringList, plainFiles);
  QFETCH(QString, folder);
  QFETCH(QString, program);
  QFETCH(QStringList, arguments);
  QTemporaryDir root;
  const QDir base(root.path());
  for (const QString& file : executables) MakeFile(base.filePath(file), true);
  for (const QString& file : plainFiles) MakeFile(base.filePath(file));
  auto at = [&](const QString& relative) {
    return relative.isEmpty() ? QString() : base.filePath(relative);
  };

  const CFlexPropStart start = FindFlexProp(at(folder), {base.filePath(u"path"_s)});
  QCOMPARE(start.m_sProgram, at(program));
  QStringList expectedArguments;
  for (const QString& argument : arguments) expectedArguments.append(at(argument));
  QCOMPARE(start.m_arguments, expectedArguments);
  if (program.isEmpty())
    QCOMPARE(FlexPropMissingMessage(at(folder)),
             u"FlexProp was not found in "_s + at(folder) +
                 u" nor on the PATH. Set \"FlexSpin Folder:\" on the \"P2 & FlexSpin\" tab to the "
                 u"bin folder of your FlexProp install, or put flexprop on the PATH."_s);
}

void TestToolChecks::loadRefusal_data() {
  QTest::addColumn<bool>("failed");
  QTest::addColumn<qint64>("size");     // -1: no size reported
  QTest::addColumn<bool>("rewritten");  // the binary was written again after that build
  QTest::addColumn<QString>("expected");

  QTest::newRow("fits") << false << qint64(3328) << false << QString();
  QTest::newRow("exactly hub RAM") << false << qint64(512 * 1024) << false << QString();
  QTest::newRow("too large")
      << false << qint64(600000) << false
      << u"Demo.binary was not loaded: the last build reported a program of 600000 bytes, 75712 "
         u"bytes more than the P2's 512 KB hub RAM holds. Make the program smaller and press "
         u"\"2: Compile\" again."_s;
  QTest::newRow("too large and failed: the size says more")
      << true << qint64(600000) << false
      << u"Demo.binary was not loaded: the last build reported a program of 600000 bytes, 75712 "
         u"bytes more than the P2's 512 KB hub RAM holds. Make the program smaller and press "
         u"\"2: Compile\" again."_s;
  QTest::newRow("failed")
      << true << qint64(-1) << false
      << u"Demo.binary was not loaded: the last build failed (Demo.spin2 line 12: Unknown symbol "
         u"'x'), so it does not hold the program as it is now. Fix the error and press "
         u"\"2: Compile\" again."_s;
  QTest::newRow("failed, built again elsewhere since") << true << qint64(-1) << true << QString();
  QTest::newRow("too large, built again elsewhere since")
      << false << qint64(600000) << true << QString();
}

void TestToolChecks::loadRefusal() {
  QFETCH(bool, failed);
  QFETCH(qint64, size);
  QFETCH(bool, rewritten);
  QFETCH(QString, expected);
  QTemporaryDir project;
  const QString binary = QDir(project.path()).filePath(u"Demo.binary"_s);
  MakeFile(binary);
  SetAge(binary, 60);
  CBuildOutcome outcome;
  outcome.m_bFailed = failed;
  outcome.m_sFailure = u"Demo.spin2 line 12: Unknown symbol 'x'"_s;
  if (size >= 0) outcome.m_programSize = size;
  outcome.m_binaryWritten = QFileInfo(binary).lastModified();
  if (rewritten) SetAge(binary, 0);
  QCOMPARE(LoadRefusal(outcome, binary), expected);
  // Without a build to go by, any binary may be loaded.
  QCOMPARE(LoadRefusal(CBuildOutcome(), binary), QString());
}

QTEST_GUILESS_MAIN(TestToolChecks)
#include "tst_toolchecks.moc"
