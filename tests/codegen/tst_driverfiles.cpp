#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "codegen/DriverFiles.h"

using namespace Qt::Literals::StringLiterals;

// The bundled driver files against the files in resources/drivers/ they are built from.
class TestDriverFiles : public QObject {
  Q_OBJECT

 private slots:
  void everyDriverFileIsBundledAndListed();
  void tableRowsMatchTheBundle();
  void rewritingReplacesTheWholeFile();
  void fileThatCannotBeCreated();
};

namespace {

const QDir kDriverSources(QStringLiteral(KYV_TEST_DATA_DIR "/../../resources/drivers"));

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

// A driver embedded under a name the table does not know would never be written; every listed
// one is written byte for byte as it stands in resources/drivers/.
void TestDriverFiles::everyDriverFileIsBundledAndListed() {
  QTemporaryDir out;
  const QStringList bundled = QDir(u":/drivers"_s).entryList(QDir::Files);
  for (const QString& name : bundled) {
    const auto row = std::find_if(DriverFileTable().begin(), DriverFileTable().end(),
                                  [&](const CDriverFile& r) { return r.m_sResourceName == name; });
    QVERIFY2(row != DriverFileTable().end(), qPrintable(name + u" is not in the driver table"_s));
    QVERIFY(IsResourceBundled(row->m_nResource));
    const QString target = out.filePath(name);
    QCOMPARE(WriteResourceToFile(row->m_nResource, target), ResourceWrite::Written);
    QCOMPARE(ReadAll(target), ReadAll(kDriverSources.filePath(name)));
  }
  QVERIFY(!bundled.contains(u"README.md"_s));
}

void TestDriverFiles::tableRowsMatchTheBundle() {
  QSet<QString> fileNames;
  for (const CDriverFile& row : DriverFileTable()) {
    QCOMPARE(IsResourceBundled(row.m_nResource), kDriverSources.exists(row.m_sResourceName));
    QVERIFY2(!fileNames.contains(row.m_sFileName), qPrintable(row.m_sFileName));
    fileNames.insert(row.m_sFileName);
  }
}

void TestDriverFiles::rewritingReplacesTheWholeFile() {
  QTemporaryDir out;
  for (const uint16_t resource : {uint16_t(374), uint16_t(400)}) {
    const QString target = out.filePath(QString::number(resource));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(400000, 'x'));
    old.close();
    const ResourceWrite written = WriteResourceToFile(resource, target);
    QCOMPARE(written,
             IsResourceBundled(resource) ? ResourceWrite::Written : ResourceWrite::WrittenEmpty);
    const auto row = std::find_if(DriverFileTable().begin(), DriverFileTable().end(),
                                  [&](const CDriverFile& r) { return r.m_nResource == resource; });
    QCOMPARE(ReadAll(target), ReadAll(kDriverSources.filePath(row->m_sResourceName)));
  }
}

void TestDriverFiles::fileThatCannotBeCreated() {
  QTemporaryDir out;
  QCOMPARE(WriteResourceToFile(374, out.filePath(u"missing/SimplerSerial.spin2"_s)),
           ResourceWrite::NotCreated);
  QVERIFY(!QFile::exists(out.filePath(u"missing"_s)));
}

QTEST_GUILESS_MAIN(TestDriverFiles)
#include "tst_driverfiles.moc"
