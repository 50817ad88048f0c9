#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <system_error>

#include "TestPlatform.h"
#include "model/KyvFile.h"
#include "model/ProjectPaths.h"

using namespace Qt::Literals::StringLiterals;

// Project file names and the paths a link and its target share.
class TestProjectPaths : public QObject {
  Q_OBJECT

 private slots:
  void fileNameWithoutExtension_data();
  void fileNameWithoutExtension();
  void resolvedPathIsSharedByALinkAndItsTarget_data();
  void resolvedPathIsSharedByALinkAndItsTarget();
  void savingThroughALinkWritesItsTarget();
};

namespace {

// A symbolic link at link pointing to target; false where the system lets the test make none.
bool MakeLink(const QString& target, const QString& link) {
  std::error_code error;
  std::filesystem::create_symlink(target.toStdWString(), link.toStdWString(), error);
  return !error;
}

}  // namespace

void TestProjectPaths::fileNameWithoutExtension_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("base");
  QTest::addColumn<bool>("hasExtension");
  QTest::newRow("usual") << u"Demo.KYV"_s << u"Demo"_s << true;
  QTest::newRow("other ending") << u"plain2.txt"_s << u"plain2"_s << true;
  QTest::newRow("several dots") << u"v1.2.KYV"_s << u"v1.2"_s << true;
  QTest::newRow("no ending") << u"plain2"_s << u"plain2"_s << false;
  QTest::newRow("short, no ending") << u"abc"_s << u"abc"_s << false;
  QTest::newRow("dot name") << u".KYV"_s << u".KYV"_s << false;
  QTest::newRow("trailing dot") << u"Demo."_s << u"Demo"_s << true;
}

void TestProjectPaths::fileNameWithoutExtension() {
  QFETCH(QString, name);
  QFETCH(QString, base);
  QFETCH(bool, hasExtension);
  QCOMPARE(FileNameWithoutExtension(name), base);
  QCOMPARE(HasFileExtension(name), hasExtension);
}

void TestProjectPaths::resolvedPathIsSharedByALinkAndItsTarget_data() {
  QTest::addColumn<QString>("link");    // made in the temporary folder
  QTest::addColumn<QString>("target");  // where the link points, in the same folder
  QTest::addColumn<bool>("targetExists");
  QTest::newRow("link to a file") << u"L.KYV"_s << u"real/Real.KYV"_s << true;
  QTest::newRow("dangling link") << u"L.KYV"_s << u"real/Missing.KYV"_s << false;
  QTest::newRow("link to a link") << u"L.KYV"_s << u"M.KYV"_s << true;
}

// A lock beside the resolved path is one lock for every name of the file, also before the file
// exists.
void TestProjectPaths::resolvedPathIsSharedByALinkAndItsTarget() {
  QFETCH(QString, link);
  QFETCH(QString, target);
  QFETCH(bool, targetExists);
  QTemporaryDir dir;
  const QDir folder(dir.path());
  QVERIFY(folder.mkpath(u"real"_s));
  QString real = folder.filePath(target);
  if (target == u"M.KYV"_s) {
    if (!MakeLink(folder.filePath(u"real/Real.KYV"_s), folder.filePath(u"M.KYV"_s)))
      QSKIP("This system does not let the test make symbolic links.");
    real = folder.filePath(u"real/Real.KYV"_s);
  }
  if (targetExists) {
    QFile file(real);
    QVERIFY(file.open(QIODevice::WriteOnly));
  }
  if (!MakeLink(folder.filePath(target), folder.filePath(link)))
    QSKIP("This system does not let the test make symbolic links.");
  const QString canonicalFolder = QDir(dir.path()).canonicalPath();
  const QString expected = QDir(canonicalFolder).filePath(QDir(dir.path()).relativeFilePath(real));
  QCOMPARE(ResolvedFilePath(folder.filePath(link)), expected);
  QCOMPARE(ResolvedFilePath(real), expected);
  QCOMPARE(ResolvedFilePath(folder.filePath(u"real/../"_s + link)), expected);
  QCOMPARE(IsSameFile(folder.filePath(link), real), targetExists);
}

// The project file may be a link (the user's choice): a save writes the file it points to and
// leaves the link in place.
void TestProjectPaths::savingThroughALinkWritesItsTarget() {
  QTemporaryDir dir;
  const QString real = dir.filePath(u"Real.KYV"_s);
  const QString link = dir.filePath(u"L.KYV"_s);
  {
    QFile file(real);
    QVERIFY(file.open(QIODevice::WriteOnly));
  }
  if (!MakeLink(real, link)) QSKIP("This system does not let the test make symbolic links.");
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  QString error;
  QVERIFY2(SaveKyvFile(doc, link, &error), qPrintable(error));
  QVERIFY(QFileInfo(link).isSymLink());
  QFile file(real);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), KyvFileBytes(doc));
}

QTEST_GUILESS_MAIN(TestProjectPaths)
#include "tst_projectpaths.moc"
