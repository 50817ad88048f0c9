#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "FlexSpin.h"

using namespace Qt::Literals::StringLiterals;

// The bundled drivers as FlexSpin builds them: each driver's own test program
// (resources/drivers/tests/<driver>_test.spin2, found when the test runs) and small serial
// programs that call a single output method, compiled with -Wall at every optimisation level,
// native and bytecode. Any error or warning fails the row.
class TestDrivers : public QObject {
  Q_OBJECT

 private slots:
  void everyDriverHasATestProgram();
  void driverTestProgramBuildsClean_data();
  void driverTestProgramBuildsClean();
  void serialOutputAloneBuildsClean_data();
  void serialOutputAloneBuildsClean();
};

namespace {

QDir DriversFolder() { return QDir(QStringLiteral(KYV_DRIVERS_DIR)); }

QDir TestProgramsFolder() { return QDir(DriversFolder().filePath(u"tests"_s)); }

// Spin2 sources directly in the drivers folder, the ones a project gets.
QStringList DriverSources() {
  return DriversFolder().entryList({u"*.spin2"_s}, QDir::Files, QDir::Name);
}

// Copies every file directly in the drivers folder into `folder`, as a generated project holds
// them next to its main file.
bool CopyDriverFiles(const QString& folder) {
  const QDir drivers = DriversFolder();
  for (const QString& name : drivers.entryList(QDir::Files))
    if (!QFile::copy(drivers.filePath(name), QDir(folder).filePath(name))) return false;
  return true;
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A driver whose header says "Native code only" is not built as bytecode, nor is a program that
// uses it, directly or through another driver's OBJ block (`depth` levels of them).
bool NeedsNativeCode(const QByteArray& source, int depth = 3) {
  if (source.contains("Native code only")) return true;
  if (depth == 0) return false;
  for (const QString& driver : DriverSources()) {
    const QByteArray quotedName = '"' + QFileInfo(driver).completeBaseName().toUtf8() + '"';
    if (source.contains(quotedName) &&
        NeedsNativeCode(ReadFile(DriversFolder().filePath(driver)), depth - 1))
      return true;
  }
  return false;
}

// Adds one row per optimisation level and code model, each with `program` and the compiler
// options (RunFlexSpin adds -2 for native code; -2nu after it makes bytecode).
void AddCompileRows(const QString& label, const QString& program, bool nativeOnly = false) {
  for (const QString& level : {u"-O0"_s, u"-O1"_s, u"-O2"_s}) {
    QTest::addRow("%s %s native", qPrintable(label), qPrintable(level))
        << program << QStringList{u"-Wall"_s, level};
    if (!nativeOnly)
      QTest::addRow("%s %s bytecode", qPrintable(label), qPrintable(level))
          << program << QStringList{u"-2nu"_s, u"-Wall"_s, level};
  }
}

void CompileClean(const QString& folder, const QString& fileName, const QStringList& options) {
  const CFlexSpinRun run = RunFlexSpin(QDir(folder).filePath(fileName), options);
  QVERIFY2(run.IsClean(), qPrintable(u"flexspin -2 "_s + options.join(u' ') + u' ' + fileName +
                                     u"\n"_s + run.m_sOutput));
}

}  // namespace

void TestDrivers::everyDriverHasATestProgram() {
  const QStringList drivers = DriverSources();
  QVERIFY(!drivers.isEmpty());
  for (const QString& driver : drivers) {
    const QString program = QFileInfo(driver).completeBaseName() + u"_test.spin2"_s;
    QVERIFY2(TestProgramsFolder().exists(program),
             qPrintable(driver + u" has no test program tests/"_s + program));
  }
}

void TestDrivers::driverTestProgramBuildsClean_data() {
  QTest::addColumn<QString>("program");
  QTest::addColumn<QStringList>("options");
  for (const QString& program :
       TestProgramsFolder().entryList({u"*.spin2"_s}, QDir::Files, QDir::Name))
    AddCompileRows(QFileInfo(program).completeBaseName(), program,
                   NeedsNativeCode(ReadFile(TestProgramsFolder().filePath(program))));
}

void TestDrivers::driverTestProgramBuildsClean() {
  KYV_SKIP_WITHOUT_FLEXSPIN();
  QFETCH(QString, program);
  QFETCH(QStringList, options);
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  QVERIFY(CopyDriverFiles(folder.path()));
  QVERIFY(QFile::copy(TestProgramsFolder().filePath(program), folder.filePath(program)));
  CompileClean(folder.path(), program, options);
}

// FlexSpin once expanded tx() inside str() and dec() and dropped it, so a program that called
// only one of them failed to assemble; each output method alone must build.
void TestDrivers::serialOutputAloneBuildsClean_data() {
  QTest::addColumn<QString>("call");
  QTest::addColumn<QStringList>("options");
  AddCompileRows(u"str only"_s, u"ser.str(string(\"hello\", 13))"_s);
  AddCompileRows(u"dec only"_s, u"ser.dec(-42)"_s);
  AddCompileRows(u"tx only"_s, u"ser.tx(\"A\")"_s);
  AddCompileRows(u"hex only"_s, u"ser.hex($2A, 2)"_s);
}

void TestDrivers::serialOutputAloneBuildsClean() {
  KYV_SKIP_WITHOUT_FLEXSPIN();
  QFETCH(QString, call);
  QFETCH(QStringList, options);
  const QString program = u"serial_alone.spin2"_s;
  const QString source =
      u"CON\n  _clkfreq = 160_000_000\n\nOBJ\n  ser : \"SimplerSerial\"\n\n"
      u"PUB main()\n  ser.start(230400)\n  "_s +
      call + u"\n"_s;
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  QVERIFY(CopyDriverFiles(folder.path()));
  QFile file(folder.filePath(program));
  QVERIFY(file.open(QIODevice::WriteOnly));
  QVERIFY(file.write(source.toUtf8()) == source.toUtf8().size());
  file.close();
  CompileClean(folder.path(), program, options);
}

QTEST_GUILESS_MAIN(TestDrivers)
#include "tst_drivers.moc"
