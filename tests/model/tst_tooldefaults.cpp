#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "TestPlatform.h"
#include "model/ProfileValues.h"
#include "platform/MachineToolLocator.h"

using namespace Qt::Literals::StringLiterals;

// Where a new project finds the compiler and the loader when the settings store remembers no
// folder: the search path, then the usual FlexProp installs, else nothing (the scripts then call
// the bare names from PATH).
class TestToolDefaults : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
#if defined(Q_OS_WIN)
    QSKIP("the stand-in tools are shell scripts");
#endif
    QVERIFY(m_root.isValid());
  }
  void programFolder_data();
  void programFolder();
  void newProjectTakesTheFoundFolders();
  void rememberedValuesWinOverFoundOnes();
  void withoutALocatorTheBuiltInFoldersStay();

 private:
  // An executable stand-in for a tool at folder/name.
  static void MakeTool(const QString& folder, const QString& name) {
    QDir().mkpath(folder);
    QFile tool(QDir(folder).filePath(name));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.write("#!/bin/sh\n");
    tool.close();
    QVERIFY(tool.setPermissions(tool.permissions() | QFileDevice::ExeOwner));
  }

  QTemporaryDir m_root;
};

void TestToolDefaults::programFolder_data() {
  // Tools laid out under the scratch root; each row names which folders hold flexspin.
  QTest::addColumn<QStringList>("holders");
  QTest::addColumn<QString>("expected");
  QTest::newRow("on the search path") << QStringList{u"path1"_s} << u"path1"_s;
  QTest::newRow("later search path entry") << QStringList{u"path2"_s} << u"path2"_s;
  QTest::newRow("only in a FlexProp install")
      << QStringList{u"opt/flexprop/bin"_s} << u"opt/flexprop/bin"_s;
  QTest::newRow("search path before the install")
      << QStringList{u"opt/flexprop/bin"_s, u"path2"_s} << u"path2"_s;
  QTest::newRow("nowhere") << QStringList{} << QString();
  QTest::newRow("a file that may not run") << QStringList{u"noexec"_s} << QString();
}

void TestToolDefaults::programFolder() {
  QFETCH(QStringList, holders);
  QFETCH(QString, expected);
  QTemporaryDir root;
  const QDir base(root.path());
  for (const QString& holder : holders) {
    if (holder == u"noexec"_s) {
      QDir().mkpath(base.filePath(u"path1"_s));
      QFile plain(base.filePath(u"path1/flexspin"_s));
      QVERIFY(plain.open(QIODevice::WriteOnly));
      continue;
    }
    MakeTool(base.filePath(holder), u"flexspin"_s);
  }
  const CMachineToolLocator locator(
      {base.filePath(u"path1"_s), base.filePath(u"path2"_s)},
      {base.filePath(u"home/flexprop/bin"_s), base.filePath(u"opt/flexprop/bin"_s)});
  const QString found = locator.ProgramFolder(u"flexspin"_s);
  QCOMPARE(found,
           expected.isEmpty() ? QString() : QDir::toNativeSeparators(base.filePath(expected)));
}

void TestToolDefaults::newProjectTakesTheFoundFolders() {
  const QDir base(m_root.path());
  MakeTool(base.filePath(u"flexprop/bin"_s), u"flexspin"_s);
  QVERIFY(base.mkpath(u"flexprop/include"_s));
  MakeTool(base.filePath(u"usr/bin"_s), u"loadp2"_s);
  const CMachineToolLocator locator({base.filePath(u"usr/bin"_s)},
                                    {base.filePath(u"flexprop/bin"_s)});

  CTestPlatform test;
  CPlatform platform = test.Services();
  platform.m_pToolLocator = &locator;
  CKyvDoc doc(platform);
  QVERIFY(doc.OnNewDocument());
  QCOMPARE(doc.m_sFlexSpinPath, QDir::toNativeSeparators(base.filePath(u"flexprop/bin"_s)));
  QCOMPARE(doc.m_sLoadP2Path, QDir::toNativeSeparators(base.filePath(u"usr/bin"_s)));
  QCOMPARE(doc.m_sLibraryPath, QDir::toNativeSeparators(base.filePath(u"flexprop/include"_s)));
  QCOMPARE(doc.m_sPlan9Path, QString());
  QCOMPARE(doc.m_sFlexOptions, u"--fixed --fcache=200"_s);

  // flexspin without a FlexProp include folder beside it: no library folder to offer.
  const CMachineToolLocator bare({base.filePath(u"usr/bin"_s)}, {});
  platform.m_pToolLocator = &bare;
  CKyvDoc empty(platform);
  QVERIFY(empty.OnNewDocument());
  QCOMPARE(empty.m_sFlexSpinPath, QString());
  QCOMPARE(empty.m_sLibraryPath, QString());
  QCOMPARE(empty.m_sLoadP2Path, QDir::toNativeSeparators(base.filePath(u"usr/bin"_s)));
}

void TestToolDefaults::rememberedValuesWinOverFoundOnes() {
  const CMachineToolLocator nothing(QStringList{m_root.path()}, {});
  CTestPlatform test;
  test.m_settings.m_strings[u"FlexSpinPath"_s] = u"/home/jo/flexprop/bin"_s;
  test.m_settings.m_strings[u"Plan9Path"_s] = u"/srv/p9"_s;
  CPlatform platform = test.Services();
  platform.m_pToolLocator = &nothing;
  CKyvDoc doc(platform);
  QVERIFY(doc.OnNewDocument());
  QCOMPARE(doc.m_sFlexSpinPath, u"/home/jo/flexprop/bin"_s);
  QCOMPARE(doc.m_sPlan9Path, u"/srv/p9"_s);
  QCOMPARE(doc.m_sLoadP2Path, QString());
}

void TestToolDefaults::withoutALocatorTheBuiltInFoldersStay() {
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  QVERIFY(doc.OnNewDocument());
  QCOMPARE(doc.m_sFlexSpinPath, u"C:\\FlexProp\\bin"_s);
  QCOMPARE(doc.m_sLoadP2Path, u"C:\\FlexProp\\bin"_s);
  QCOMPARE(doc.m_sLibraryPath, u"C:\\FlexProp\\include"_s);
  QCOMPARE(doc.m_sPlan9Path, u"C:\\FlexProp\\Plan9"_s);
}

QTEST_GUILESS_MAIN(TestToolDefaults)
#include "tst_tooldefaults.moc"
