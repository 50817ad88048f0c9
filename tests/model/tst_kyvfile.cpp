#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <limits>

#include "FileSizeLimit.h"
#include "SampleProject.h"
#include "TestPlatform.h"
#include "model/Archive.h"
#include "model/KyvFile.h"

class TestKyvFile : public QObject {
  Q_OBJECT

 private slots:
  void newProjectBytes();
  void emptyObjectRecordSize();
  void stringLengthPrefixes_data();
  void stringLengthPrefixes();
  void everyTruncationIsRejected();
  void hugeCountsFailFast_data();
  void hugeCountsFailFast();
  void eightBitStringsAndBoolsNormalise();
  void trailingBytesIgnored();
  void objectCountNotPositive_data();
  void objectCountNotPositive();
  void sdDriverNotSaved();
  void saveIsAtomic();
  void failedSaveKeepsThePreviousFile_data();
  void failedSaveKeepsThePreviousFile();
  void changesOnDiskAreNoticed();

 private:
  CTestPlatform m_test;
};

static QByteArray Utf16(const QString& text) {
  QByteArray bytes;
  for (QChar c : text) {
    bytes.append(static_cast<char>(c.unicode() & 0xFF));
    bytes.append(static_cast<char>(c.unicode() >> 8));
  }
  return bytes;
}

void TestKyvFile::newProjectBytes() {
  CKyvDoc doc(m_test.Services());
  QVERIFY(doc.OnNewDocument());
  const QByteArray bytes = KyvFileBytes(doc);
  QCOMPARE(bytes.size(), 1776);
  QCOMPARE(bytes.left(8), QByteArray::fromHex("01000000FFFEFF0B"));
  QCOMPARE(bytes.mid(8, 22), Utf16(QStringLiteral("160_000_000")));
}

void TestKyvFile::emptyObjectRecordSize() {
  CCodeObject object;
  CArchive ar;
  object.Serialize(ar);
  QCOMPARE(ar.Buffer().size(), 631);
  CArchive in(ar.Buffer());
  CCodeObject back;
  back.m_sName = QStringLiteral("x");
  back.Serialize(in);
  QVERIFY(back == object);
  QCOMPARE(in.Remaining(), 0);
}

void TestKyvFile::stringLengthPrefixes_data() {
  QTest::addColumn<int>("units");
  QTest::addColumn<QByteArray>("prefix");
  QTest::newRow("empty") << 0 << QByteArray::fromHex("FFFEFF00");
  QTest::newRow("254") << 254 << QByteArray::fromHex("FFFEFFFE");
  QTest::newRow("255") << 255 << QByteArray::fromHex("FFFEFFFFFF00");
  QTest::newRow("65533") << 0xFFFD << QByteArray::fromHex("FFFEFFFFFDFF");
  QTest::newRow("65534") << 0xFFFE << QByteArray::fromHex("FFFEFFFFFFFFFEFF0000");
}

void TestKyvFile::stringLengthPrefixes() {
  QFETCH(int, units);
  QFETCH(QByteArray, prefix);
  QString text(units, u'a');
  CArchive ar;
  ar.String(text);
  QCOMPARE(ar.Buffer().left(prefix.size()), prefix);
  QCOMPARE(ar.Buffer().size(), prefix.size() + 2 * units);
  CArchive in(ar.Buffer());
  QString back;
  in.String(back);
  QCOMPARE(back, text);
}

void TestKyvFile::everyTruncationIsRejected() {
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  auto object = std::make_unique<CCodeObject>();
  object->m_sName = QStringLiteral("SimpleVGA1");
  object->m_sBasePin = QStringLiteral("48");
  object->m_nPinCount = 5;
  doc.AddObject(std::move(object));
  doc.AddObject(std::make_unique<CCodeObject>());
  const QByteArray bytes = KyvFileBytes(doc);
  for (qsizetype length = 0; length < bytes.size(); ++length) {
    QString error;
    const auto read = ReadKyvBytes(bytes.left(length), m_test.Services(), &error);
    if (read) QFAIL(qPrintable(QStringLiteral("prefix of %1 bytes was accepted").arg(length)));
    QCOMPARE(error, QStringLiteral("Unexpected file format."));
  }
  QString error;
  const auto whole = ReadKyvBytes(bytes, m_test.Services(), &error);
  QVERIFY(whole);
  QCOMPARE(KyvFileBytes(*whole), bytes);
}

void TestKyvFile::hugeCountsFailFast_data() {
  QTest::addColumn<QByteArray>("bytes");
  // A document whose first string claims a 64-bit length far beyond the file.
  QTest::newRow("64-bit string length")
      << QByteArray::fromHex("01000000FFFEFFFFFFFFFFFFFFFFFFFF0000000000000040");
  QTest::newRow("32-bit string length") << QByteArray::fromHex("01000000FFFEFFFFFFFFFFFFFF7F");
  QTest::newRow("8-bit form 32-bit length") << QByteArray::fromHex("01000000FF0000FFFFFF7F");
  // A new project's bytes up to the object count, which claims a billion records.
  CTestPlatform platform;  // outlives the document, which keeps its services
  CKyvDoc doc(platform.Services());
  doc.OnNewDocument();
  const QByteArray head = KyvFileBytes(doc).left(1776 - 404);
  QTest::newRow("billion objects") << head + QByteArray::fromHex("00CA9A3B");
  QTest::newRow("most objects, one present")
      << head + QByteArray::fromHex("FFFFFF7F") + QByteArray(409, '\0');  // all-zero 8-bit record
}

void TestKyvFile::hugeCountsFailFast() {
  QFETCH(QByteArray, bytes);
  QString error;
  QElapsedTimer timer;
  timer.start();
  QVERIFY(!ReadKyvBytes(bytes, m_test.Services(), &error));
  QCOMPARE(error, QStringLiteral("Unexpected file format."));
  QVERIFY2(timer.elapsed() < 1000, "a count or length from the file drove the work, not its bytes");
}

void TestKyvFile::eightBitStringsAndBoolsNormalise() {
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  QByteArray bytes = KyvFileBytes(doc);
  // Replace the clock string (UTF-16, 11 units) with the 8-bit form of "30" + e-acute, read as
  // Latin-1.
  bytes.replace(4, 4 + 22, QByteArray::fromHex("033330E9"));
  CKyvDoc reference(m_test.Services());
  reference.OnNewDocument();
  reference.m_sClockFreq = QStringLiteral("30\u00e9");
  const QByteArray expected = KyvFileBytes(reference);
  QString error;
  auto read = ReadKyvBytes(bytes, m_test.Services(), &error);
  QVERIFY2(read, qPrintable(error));
  QCOMPARE(read->m_sClockFreq, QStringLiteral("30\u00e9"));
  QCOMPARE(KyvFileBytes(*read), expected);

  // Any non-zero byte reads as true and is written back as 1.
  CCodeObject object;
  CArchive ar;
  object.Serialize(ar);
  QByteArray record = ar.Buffer();
  record[8] = '\x05';  // m_bFlag, after type (4) and the empty name (4)
  CArchive in(record);
  CCodeObject back;
  back.Serialize(in);
  QVERIFY(back.m_bFlag);
  CArchive out;
  back.Serialize(out);
  QCOMPARE(static_cast<int>(out.Buffer()[8]), 1);
}

void TestKyvFile::trailingBytesIgnored() {
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  const QByteArray bytes = KyvFileBytes(doc);
  QString error;
  auto read = ReadKyvBytes(bytes + QByteArray("trailing"), m_test.Services(), &error);
  QVERIFY(read);
  QCOMPARE(KyvFileBytes(*read), bytes);
}

void TestKyvFile::objectCountNotPositive_data() {
  QTest::addColumn<int32_t>("count");
  QTest::newRow("zero") << int32_t{0};
  QTest::newRow("negative") << int32_t{-1};
  QTest::newRow("most negative") << std::numeric_limits<int32_t>::min();
}

void TestKyvFile::objectCountNotPositive() {
  QFETCH(int32_t, count);
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  doc.m_nTypeCount[3] = 2;
  QByteArray bytes = KyvFileBytes(doc);
  const qsizetype countAt = bytes.size() - 404;
  CArchive ar;
  ar.Int32(count);
  bytes.replace(countAt, 4, ar.Buffer());
  QString error;
  auto read = ReadKyvBytes(bytes, m_test.Services(), &error);
  QVERIFY2(read, qPrintable(error));
  QVERIFY(read->m_ObjectList.empty());
  QCOMPARE(read->m_nTypeCount[3], 2);
  QCOMPARE(KyvFileBytes(*read), KyvFileBytes(doc));
}

void TestKyvFile::sdDriverNotSaved() {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Sd.KYV"));
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  const QByteArray fsrw = KyvFileBytes(doc);
  doc.m_nSdDriver = 1;  // FAT32
  QCOMPARE(KyvFileBytes(doc), fsrw);
  QString error;
  QVERIFY(SaveKyvFile(doc, path, &error));
  auto reopened = LoadKyvFile(path, m_test.Services(), &error);
  QVERIFY(reopened);
  QCOMPARE(reopened->m_nSdDriver, 0);
}

void TestKyvFile::saveIsAtomic() {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Demo.KYV"));
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  QString error;
  QVERIFY(SaveKyvFile(doc, path, &error));
  QCOMPARE(doc.GetTitle(), QStringLiteral("Demo.KYV"));
  QVERIFY(!doc.IsModified());
  // Saving into a folder that does not exist fails and reports it; the old file is untouched.
  QVERIFY(!SaveKyvFile(doc, dir.filePath(QStringLiteral("missing/Demo.KYV")), &error));
  QVERIFY(!error.isEmpty());
  auto reopened = LoadKyvFile(path, m_test.Services(), &error);
  QVERIFY(reopened);
  QCOMPARE(reopened->GetTitle(), QStringLiteral("Demo.KYV"));
}

void TestKyvFile::failedSaveKeepsThePreviousFile_data() {
  QTest::addColumn<qint64>("limit");
  QTest::newRow("nothing fits") << qint64(0);
  QTest::newRow("one byte") << qint64(1);
  QTest::newRow("inside the first buffer") << qint64(4096);
  QTest::newRow("after the first buffer") << qint64(20000);
  QTest::newRow("the last byte is missing") << qint64(-1);  // the new file's size less one
}

// A write that fails part-way (a full disk) fails the save, names the file and leaves the
// previous file byte for byte as it was, with no temporary file left beside it.
void TestKyvFile::failedSaveKeepsThePreviousFile() {
  KYV_SKIP_WITHOUT_FILE_SIZE_LIMIT();
  QFETCH(qint64, limit);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Demo.KYV"));
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  AddSampleObjects(doc, 3);
  QString error;
  QVERIFY(SaveKyvFile(doc, path, &error));
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray previous = file.readAll();
  file.close();

  AddSampleObjects(doc, 40);
  const QByteArray next = KyvFileBytes(doc);
  if (limit < 0) limit = next.size() - 1;
  bool saved = true;
  {
    const CFileSizeLimit full(limit);
    saved = SaveKyvFile(doc, path, &error);
  }
  QVERIFY(!saved);
  QCOMPARE(error,
           QStringLiteral("Cannot save %1: File too large.").arg(QDir::toNativeSeparators(path)));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), previous);
  QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
           QStringList{QStringLiteral("Demo.KYV")});
}

void TestKyvFile::changesOnDiskAreNoticed() {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Demo.KYV"));
  CKyvDoc doc(m_test.Services());
  doc.OnNewDocument();
  QVERIFY(!HasFileChangedOnDisk(doc));  // no file yet
  QString error;
  QVERIFY(SaveKyvFile(doc, path, &error));
  QVERIFY(!HasFileChangedOnDisk(doc));

  auto other = LoadKyvFile(path, m_test.Services(), &error);
  QVERIFY(other);
  QVERIFY(!HasFileChangedOnDisk(*other));
  other->m_sClockFreq = QStringLiteral("200_000_000");
  QVERIFY(SaveKyvFile(*other, path, &error));
  QVERIFY(HasFileChangedOnDisk(doc));
  QVERIFY(!HasFileChangedOnDisk(*other));

  QVERIFY(SaveKyvFile(doc, path, &error));  // the user chose to replace it
  QVERIFY(!HasFileChangedOnDisk(doc));
  QVERIFY(QFile::remove(path));
  QVERIFY(!HasFileChangedOnDisk(doc));  // nothing left to lose
}

QTEST_GUILESS_MAIN(TestKyvFile)
#include "tst_kyvfile.moc"
