#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include "TestPlatform.h"
#include "model/KyvFile.h"
#include "model/ProjectJson.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Replays the crafted files in tests/data/bad_kyv through the reader. A file named *.reject.kyv
// must fail with the format error; a file named *.load.kyv must load, save, read its own output
// back to the same bytes, come back to those bytes through the JSON form, and let every object
// be deleted.
class TestBadCorpus : public QObject {
  Q_OBJECT

 private slots:
  void replay_data();
  void replay();
  void notARegularFile_data();
  void notARegularFile();

 private:
  CTestPlatform m_test;
};

void TestBadCorpus::replay_data() {
  QTest::addColumn<QString>("path");
  const QDir dir(QStringLiteral(KYV_TEST_DATA_DIR "/bad_kyv"));
  const QStringList files = dir.entryList(QDir::Files, QDir::Name);
  QVERIFY(files.size() >= 20);
  for (const QString& file : files) QTest::newRow(qPrintable(file)) << dir.filePath(file);
}

void TestBadCorpus::replay() {
  QFETCH(QString, path);
  const bool mustLoad = path.endsWith(QStringLiteral(".load.kyv"));
  QVERIFY2(mustLoad || path.endsWith(QStringLiteral(".reject.kyv")),
           "a corpus file says in its name whether it loads or is rejected");
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();

  QString error;
  auto doc = ReadKyvBytes(bytes, m_test.Services(), &error);
  if (!mustLoad) {
    QVERIFY(!doc);
    QCOMPARE(error, QStringLiteral("Unexpected file format."));
    return;
  }
  QVERIFY2(doc, qPrintable(error));
  const QByteArray saved = KyvFileBytes(*doc);
  auto again = ReadKyvBytes(saved, m_test.Services(), &error);
  QVERIFY(again);
  QCOMPARE(KyvFileBytes(*again), saved);
  auto fromJson = ProjectFromJson(ProjectToJson(*doc), m_test.Services(), &error);
  QVERIFY2(fromJson, qPrintable(error));
  QCOMPARE(KyvFileBytes(*fromJson), saved);
  while (!doc->m_ObjectList.empty()) doc->DeleteObject(doc->m_ObjectList.front().get());
}

void TestBadCorpus::notARegularFile_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("reason");
  const QString tooLarge = QStringLiteral("it is larger than 64 MB, which no Kyv project reaches");
  QTest::newRow("directory") << QStringLiteral("directory")
                             << QStringLiteral("it is not a regular file");
  QTest::newRow("too large, sparse") << QStringLiteral("large") << tooLarge;
#ifdef Q_OS_UNIX
  QTest::newRow("FIFO without a writer")
      << QStringLiteral("fifo") << QStringLiteral("it is not a regular file");
  QTest::newRow("endless device") << QStringLiteral("/dev/zero")
                                  << QStringLiteral("it is not a regular file");
#endif
}

// Refused before reading, with a message naming the file: nothing blocks, nothing large is
// allocated.
void TestBadCorpus::notARegularFile() {
  QFETCH(QString, kind);
  QFETCH(QString, reason);
  QTemporaryDir dir;
  QString path = dir.filePath(QStringLiteral("P.KYV"));
  if (kind == u"directory") {
    QVERIFY(QDir().mkdir(path));
  } else if (kind == u"large") {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(kMaxProjectFileBytes + 1));  // sparse: nothing is written
  } else if (kind == u"fifo") {
#ifdef Q_OS_UNIX
    QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
#endif
  } else {
    path = kind;
  }
  QString error;
  QElapsedTimer timer;
  timer.start();
  QVERIFY(!LoadKyvFile(path, m_test.Services(), &error));
  QCOMPARE(error,
           QStringLiteral("Cannot open %1: %2.").arg(QDir::toNativeSeparators(path), reason));
  QByteArray bytes;
  QVERIFY(!ReadProjectFileBytes(path, &bytes, &error));
  QVERIFY(bytes.isEmpty());
  QVERIFY(timer.elapsed() < 5000);
}

QTEST_GUILESS_MAIN(TestBadCorpus)
#include "tst_badcorpus.moc"
