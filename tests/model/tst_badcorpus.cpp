#include "TestPlatform.h"
#include "model/KyvFile.h"
#include "model/ProjectJson.h"

#include <QDir>
#include <QtTest>

// Replays the crafted files in tests/data/bad_kyv through the reader. A file named *.reject.kyv
// must fail with the format error; a file named *.load.kyv must load, save, read its own output
// back to the same bytes, come back to those bytes through the JSON form, and let every object
// be deleted.
class TestBadCorpus : public QObject {
  Q_OBJECT

private slots:
  void replay_data();
  void replay();

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

QTEST_GUILESS_MAIN(TestBadCorpus)
#include "tst_badcorpus.moc"
