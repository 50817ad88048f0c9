#include <QTemporaryDir>
#include <QtTest>

#include "model/BoundedFileRead.h"

class TestBoundedFileRead : public QObject {
  Q_OBJECT

 private slots:
  void readsUpToTheLimit_data();
  void readsUpToTheLimit();
  void bufferFollowsTheFileNotTheLimit();
  void readsOnFromThePosition();
  void followsAFileLargerThanItsMeasuredSize();

 private:
  QString Write(const QByteArray& bytes) {
    const QString path = m_dir.filePath(QStringLiteral("file.bin"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return QString();
    return path;
  }

  QTemporaryDir m_dir;
};

static QByteArray Pattern(qsizetype size) {
  QByteArray bytes(size, Qt::Uninitialized);
  for (qsizetype i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  return bytes;
}

void TestBoundedFileRead::readsUpToTheLimit_data() {
  QTest::addColumn<qsizetype>("size");
  QTest::addColumn<qint64>("limit");
  QTest::addColumn<bool>("fits");
  QTest::newRow("empty") << qsizetype(0) << qint64(10) << true;
  QTest::newRow("one byte") << qsizetype(1) << qint64(10) << true;
  QTest::newRow("exactly the limit") << qsizetype(40000) << qint64(40000) << true;
  QTest::newRow("one byte past the limit") << qsizetype(40001) << qint64(40000) << false;
  QTest::newRow("far past the limit") << qsizetype(100000) << qint64(1000) << false;
  QTest::newRow("empty, no room at all") << qsizetype(0) << qint64(0) << true;
  QTest::newRow("one byte, no room at all") << qsizetype(1) << qint64(0) << false;
}

void TestBoundedFileRead::readsUpToTheLimit() {
  QFETCH(qsizetype, size);
  QFETCH(qint64, limit);
  QFETCH(bool, fits);
  const QByteArray expected = Pattern(size);
  QFile file(Write(expected));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QByteArray bytes("stale");
  const BoundedRead result = ReadFileUpTo(file, limit, &bytes);
  QCOMPARE(result, fits ? BoundedRead::Read : BoundedRead::TooLarge);
  QCOMPARE(bytes, fits ? expected : QByteArray());
}

// A project of a few kilobytes read under a limit of 64 MB must not hold a 64 MB buffer.
void TestBoundedFileRead::bufferFollowsTheFileNotTheLimit() {
  const QByteArray expected = Pattern(5000);
  QFile file(Write(expected));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QByteArray bytes;
  QCOMPARE(ReadFileUpTo(file, 64 * 1024 * 1024, &bytes), BoundedRead::Read);
  QCOMPARE(bytes, expected);
  QVERIFY2(bytes.capacity() <= 2 * expected.size(),
           qPrintable(QStringLiteral("capacity %1").arg(bytes.capacity())));
}

void TestBoundedFileRead::readsOnFromThePosition() {
  const QByteArray expected = Pattern(3000);
  QFile file(Write(expected));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QVERIFY(file.seek(1000));
  QByteArray bytes;
  QCOMPARE(ReadFileUpTo(file, 2000, &bytes), BoundedRead::Read);
  QCOMPARE(bytes, expected.mid(1000));
}

// Some files report a size smaller than what they hold (0 for the kernel's files); what they
// hold is read all the same, and still only up to the limit.
void TestBoundedFileRead::followsAFileLargerThanItsMeasuredSize() {
  const QString path = QStringLiteral("/proc/self/maps");
  QFile probe(path);
  if (!probe.open(QIODevice::ReadOnly) || probe.size() != 0)
    QSKIP("no file here reports a size below what it holds");
  const QByteArray whole = probe.readAll();
  QVERIFY(whole.size() > 100);

  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QByteArray bytes;
  QCOMPARE(ReadFileUpTo(file, 64 * 1024 * 1024, &bytes), BoundedRead::Read);
  // The same process reads it, so the same mappings are listed (give or take the heap's growth).
  QVERIFY(bytes.startsWith(whole.left(100)));

  QFile small(path);
  QVERIFY(small.open(QIODevice::ReadOnly));
  QCOMPARE(ReadFileUpTo(small, 50, &bytes), BoundedRead::TooLarge);
  QVERIFY(bytes.isEmpty());
}

QTEST_GUILESS_MAIN(TestBoundedFileRead)
#include "tst_boundedfileread.moc"
