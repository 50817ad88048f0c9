#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <array>
#include <filesystem>
#include <system_error>

#include "CliRun.h"
#include "FileSizeLimit.h"
#include "SampleProject.h"
#include "TestPlatform.h"
#include "cli/CliContext.h"
#include "editors/NumericFields.h"
#include "model/KindRegistry.h"
#include "model/KindSlots.h"
#include "model/KyvFile.h"
#include "model/PinClaim.h"
#include "model/ProjectJson.h"

using namespace Qt::Literals::StringLiterals;

class TestCli : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void newMakesTheFileNewMakes();
  void infoPrintsListWarningsAndPins();
  void exportImportRoundTrip();
  void errors_data();
  void errors();
  void failedSaveKeepsThePreviousFile_data();
  void failedSaveKeepsThePreviousFile();
  void concurrentWritersLoseNothing_data();
  void concurrentWritersLoseNothing();
  void lockedProjectFailsClearly_data();
  void lockedProjectFailsClearly();
  void unreadableLockIsTakenOver_data();
  void unreadableLockIsTakenOver();
  void newKeepsAnExistingFile();
  void newAddsTheEndingToANameWithoutOne_data();
  void newAddsTheEndingToANameWithoutOne();
  void outputOntoTheProjectIsRefused_data();
  void outputOntoTheProjectIsRefused();

 private:
  using CRun = CCliRun;
  // Runs kyv-cli in-process; "%d" in an argument stands for the temporary folder.
  CRun Run(QStringList args) {
    for (QString& arg : args) arg.replace(QStringLiteral("%d"), m_dir->path());
    return RunKyvCli(args, m_settings);
  }
  QString Path(const QString& name) const { return m_dir->filePath(name); }
  QByteArray ReadFile(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void WriteFile(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  // A saved project with objects of every kind; one has a rejected OK and a pin a note.
  void WriteSampleProject(const QString& name) {
    CTestPlatform test;
    CKyvDoc doc(test.Services());
    doc.OnNewDocument();
    AddSampleObjects(doc, 16);
    // Import takes only names the editors take, numbers in their ranges and a pin table that
    // matches the objects.
    for (const auto& object : doc.m_ObjectList) {
      object->m_sName.replace(u'-', u'_');
      for (const CNumericField& field : NumericFields()) {
        if (field.m_nKind != object->m_nType) continue;
        if (const auto* text = std::get_if<CTextSlot>(&field.m_slot))
          (*object)[*text] = QString::number(field.m_nMin, field.m_nBase);
        else
          (*object)[std::get<CIntSlot>(field.m_slot)] = static_cast<int32_t>(field.m_nMin);
      }
    }
    for (int pin = 0; pin < 62; ++pin) {
      doc.m_bPinUsed[pin] = false;
      doc.m_sPinUsedBy[pin].clear();
      doc.m_sPinUsedFor[pin].clear();
    }
    for (const auto& object : doc.m_ObjectList)
      if (object->m_bValid)
        for (const int pin : FindKind(object->m_nType)->RecordedPins(*object))
          CPinClaim(doc, object->m_sName).Claim(pin, QStringLiteral("Role"));
    QString error;
    QVERIFY2(SaveKyvFile(doc, Path(name), &error), qPrintable(error));
  }

  // A symbolic link at name pointing to target (both in the temporary folder); skips the test
  // where the system lets it make none.
  bool MakeLink(const QString& name, const QString& target) const {
    std::error_code error;
    std::filesystem::create_symlink(Path(target).toStdWString(), Path(name).toStdWString(), error);
    return !error;
  }

  CMemorySettings m_settings;
  std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCli::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  m_settings.m_strings.clear();
}

void TestCli::newMakesTheFileNewMakes() {
  m_settings.m_strings[QStringLiteral("LibraryPath")] =
      QStringLiteral("/usr/share/flexprop/include");
  const CRun run = Run({QStringLiteral("new"), QStringLiteral("%d/Demo.KYV")});
  QCOMPARE(run.m_nExit, 0);
  QCOMPARE(run.m_sErr, QString());
  CTestPlatform test;
  test.m_settings.m_strings = m_settings.m_strings;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  QCOMPARE(ReadFile(QStringLiteral("Demo.KYV")), KyvFileBytes(doc));
}

void TestCli::infoPrintsListWarningsAndPins() {
  WriteFile(QStringLiteral("p.json"), R"({
    "pins": {"5": {"notes": "spare"}, "48": {"used": true, "usedBy": "SimpleVGA1", "usedFor": "HSync"},
             "62": {"used": true, "usedBy": "Serial", "usedFor": "TX", "notes": "stdio"}},
    "objects": [{"type": 0, "name": "SimpleVGA1", "valid": true, "basePin": "48", "pinCount": 1},
                {"type": 14, "name": "Tiled1", "valid": false},
                {"type": 42, "name": "Odd", "valid": true}]})");
  QCOMPARE(Run({QStringLiteral("import"), QStringLiteral("%d/p.json"), QStringLiteral("%d/P.KYV")})
               .m_nExit,
           0);
  const CRun run = Run({QStringLiteral("info"), QStringLiteral("%d/P.KYV")});
  QCOMPARE(run.m_nExit, 0);
  QCOMPARE(run.m_sOut, QStringLiteral("Project: P.KYV\n"
                                      "Clock: 160_000_000\n"
                                      "Objects:\n"
                                      "  SimpleVGA1 - Simple VGA\n"
                                      "  Tiled1 - Tiled 1080p\n"
                                      "  Odd - Unknown Type\n"
                                      "Warnings:\n"
                                      "  Invalid pin assignment in: Tiled1 - Tiled 1080p\n"
                                      "Pins:\n"
                                      "   5  free      spare\n"
                                      "  48  used  SimpleVGA1  HSync  \n"
                                      "  62  used  Serial  TX  stdio\n"));
}

void TestCli::exportImportRoundTrip() {
  WriteSampleProject(QStringLiteral("S.KYV"));
  const CRun toStdout = Run({QStringLiteral("export"), QStringLiteral("%d/S.KYV")});
  QCOMPARE(toStdout.m_nExit, 0);
  QCOMPARE(toStdout.m_sErr, QString());
  QCOMPARE(Run({QStringLiteral("export"), QStringLiteral("-o"), QStringLiteral("%d/S.json"),
                QStringLiteral("%d/S.KYV")})
               .m_nExit,
           0);
  QCOMPARE(QString::fromUtf8(ReadFile(QStringLiteral("S.json"))), toStdout.m_sOut);
  QVERIFY(toStdout.m_sOut.contains(QStringLiteral("\"kind\": \"USB Keyboard and/or Mouse\"")));

  const CRun import =
      Run({QStringLiteral("import"), QStringLiteral("%d/S.json"), QStringLiteral("%d/T.KYV")});
  QCOMPARE(import.m_nExit, 0);
  QCOMPARE(import.m_sErr, QString());
  QCOMPARE(ReadFile(QStringLiteral("T.KYV")), ReadFile(QStringLiteral("S.KYV")));
}

void TestCli::errors_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<int>("exit");
  QTest::addColumn<QString>("err");  // the first line of stderr

  const QString kyv = QStringLiteral("%d/Good.KYV");
  QTest::newRow("no arguments") << QStringList{} << 2
                                << QStringLiteral("Usage: kyv-cli COMMAND [ARGUMENTS]");
  QTest::newRow("unknown command")
      << QStringList{QStringLiteral("frob")} << 2
      << QStringLiteral("kyv-cli: unknown command \"frob\"; see kyv-cli --help");
  QTest::newRow("new without file") << QStringList{QStringLiteral("new")} << 2
                                    << QStringLiteral("kyv-cli: expected one FILE.KYV");
  QTest::newRow("new over an existing file")
      << QStringList{QStringLiteral("new"), kyv} << 1
      << QStringLiteral(
             "%d/Good.KYV already exists; nothing was written. Give --force to "
             "replace it with a new project.");
  QTest::newRow("new in a missing folder")
      << QStringList{QStringLiteral("new"), QStringLiteral("%d/no/X.KYV")} << 1
      << QStringLiteral("Cannot save %d/no/X.KYV: No such file or directory.");
  QTest::newRow("info on a missing file")
      << QStringList{QStringLiteral("info"), QStringLiteral("%d/None.KYV")} << 1
      << QStringLiteral("Cannot open %d/None.KYV: No such file or directory.");
  QTest::newRow("info on a bad file")
      << QStringList{QStringLiteral("info"), QStringLiteral("%d/p.json")} << 1
      << QStringLiteral("Unexpected file format.");
  QTest::newRow("export without file") << QStringList{QStringLiteral("export")} << 2
                                       << QStringLiteral("kyv-cli: expected one FILE.KYV");
  QTest::newRow("export two files") << QStringList{QStringLiteral("export"), kyv, kyv} << 2
                                    << QStringLiteral("kyv-cli: expected one FILE.KYV");
  QTest::newRow("export -o without name")
      << QStringList{QStringLiteral("export"), kyv, QStringLiteral("-o")} << 2
      << QStringLiteral("kyv-cli: -o needs a file name");
  QTest::newRow("export unknown option")
      << QStringList{QStringLiteral("export"), kyv, QStringLiteral("-x")} << 2
      << QStringLiteral("kyv-cli: unknown option \"-x\"");
  QTest::newRow("export a bad file")
      << QStringList{QStringLiteral("export"), QStringLiteral("%d/p.json")} << 1
      << QStringLiteral("Unexpected file format.");
  QTest::newRow("export into a missing folder")
      << QStringList{QStringLiteral("export"), kyv, QStringLiteral("-o"),
                     QStringLiteral("%d/no/x.json")}
      << 1 << QStringLiteral("Cannot write %d/no/x.json: No such file or directory.");
  QTest::newRow("import one file")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/p.json")} << 2
      << QStringLiteral("kyv-cli: expected IN.json and FILE.KYV");
  QTest::newRow("import a missing file")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/none.json"),
                     QStringLiteral("%d/New.KYV")}
      << 1 << QStringLiteral("Cannot open %d/none.json: No such file or directory.");
  QTest::newRow("import bad JSON")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/p.json"),
                     QStringLiteral("%d/New.KYV")}
      << 1 << QStringLiteral("%d/p.json: Not valid JSON at line 1, column 2: illegal value.");
  QTest::newRow("import a name the editors refuse")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/name.json"), kyv} << 1
      << QStringLiteral(
             "%d/name.json: objects[1]: The object name \"my \"servo\"; x\" may hold "
             "only letters (A to Z), digits and underscores, not a blank.");
  QTest::newRow("import a name used twice")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/twice.json"), kyv} << 1
      << QStringLiteral(
             "%d/twice.json: objects[1]: The name \"servo1\" is already used by the "
             "object Servo1.  Names must differ in more than upper and lower case.");
  QTest::newRow("import a control character")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/nul.json"), kyv} << 1
      << QStringLiteral(
             "%d/nul.json: the setting \"P2 Core Frequency:\" holds the control "
             "character U+0000, which cannot be written into a generated file.");
  QTest::newRow("import a pin table the objects do not claim")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/ghost.json"), kyv} << 1
      << QStringLiteral(
             "%d/ghost.json: the pin table does not match the objects: pin 0 is marked as used "
             "by \"Ghost\", but the project has no object of that name");
  QTest::newRow("import an I2C speed that is no number")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/speed.json"), kyv} << 1
      << QStringLiteral(
             "%d/speed.json: objects[0]: Speed (kHz) \"1 + pinread(3)\" is not a whole number "
             "from 1 to 1000.");
  QTest::newRow("import an option cmd.exe would expand")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/percent.json"), kyv} << 1
      << QStringLiteral(
             "%d/percent.json: the setting \"Add these additional options: (FlexSpin)\" holds "
             "the character \"%\", which cmd.exe would not pass on as written in build.bat and "
             "load.bat.");
  QTest::newRow("import a bad key over an existing file")
      << QStringList{QStringLiteral("import"), QStringLiteral("%d/key.json"), kyv} << 1
      << QStringLiteral("%d/key.json: objects[0].nParam.64: index out of range 0..63");
}

void TestCli::errors() {
  QFETCH(QStringList, args);
  QFETCH(int, exit);
  QFETCH(QString, err);
  QVERIFY(Run({QStringLiteral("new"), QStringLiteral("%d/Good.KYV")}).m_nExit == 0);
  const QByteArray good = ReadFile(QStringLiteral("Good.KYV"));
  WriteFile(QStringLiteral("p.json"), "not json");
  WriteFile(QStringLiteral("key.json"), R"({"objects": [{"nParam": {"64": 1}}]})");
  WriteFile(
      QStringLiteral("name.json"),
      R"({"objects": [{"type": 9, "name": "Servo1"}, {"type": 9, "name": "my \"servo\"; x"}]})");
  WriteFile(QStringLiteral("twice.json"),
            R"({"objects": [{"type": 9, "name": "Servo1"}, {"type": 9, "name": "servo1"}]})");
  WriteFile(QStringLiteral("nul.json"), R"({"clockFreq": "160_000_000\u0000"})");
  QByteArray ghost = R"({"pins": {)";
  for (int pin = 0; pin < 64; ++pin)
    ghost += QByteArray(pin ? "," : "") + '"' + QByteArray::number(pin) +
             R"(": {"used": true, "usedBy": "Ghost"})";
  WriteFile(QStringLiteral("ghost.json"), ghost + "}}");
  WriteFile(QStringLiteral("speed.json"),
            R"j({"objects": [{"type": 1, "name": "I2CBus1", "string": "1 + pinread(3)"}]})j");
  WriteFile(QStringLiteral("percent.json"),
            R"({"useFlexOptions": 1, "flexOptions": "-DHOME=%HOME%"})");

  const CRun run = Run(args);
  QCOMPARE(run.m_nExit, exit);
  QCOMPARE(run.m_sErr.section(u'\n', 0, 0),
           QString(err).replace(QStringLiteral("%d"), m_dir->path()));
  QCOMPARE(run.m_sOut, QString());
  // A failed command writes nothing.
  QVERIFY(!QFile::exists(Path(QStringLiteral("New.KYV"))));
  QCOMPARE(ReadFile(QStringLiteral("Good.KYV")), good);
}

void TestCli::failedSaveKeepsThePreviousFile_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<QString>("target");
  QTest::addColumn<qint64>("limit");
  const QString kyv = QStringLiteral("%d/Good.KYV");
  const QList<QPair<const char*, QStringList>> commands = {
      {"add", {QStringLiteral("add"), kyv, QStringLiteral("vga")}},
      {"edit",
       {QStringLiteral("edit"), kyv, QStringLiteral("Servo1"), QStringLiteral("--set"),
        QStringLiteral("iOPin=20")}},
      {"delete", {QStringLiteral("delete"), kyv, QStringLiteral("Servo1")}},
      {"import", {QStringLiteral("import"), QStringLiteral("%d/S.json"), kyv}},
      {"new --force", {QStringLiteral("new"), QStringLiteral("--force"), kyv}},
      {"export -o",
       {QStringLiteral("export"), kyv, QStringLiteral("-o"), QStringLiteral("%d/Old.json")}},
      {"report -o",
       {QStringLiteral("report"), kyv, QStringLiteral("--html"), QStringLiteral("-o"),
        QStringLiteral("%d/Old.json")}},
  };
  for (const auto& [name, args] : commands) {
    const QString target = args.contains(QStringLiteral("-o")) ? QStringLiteral("Old.json")
                                                               : QStringLiteral("Good.KYV");
    for (const qint64 limit : {qint64(0), qint64(100), qint64(1000)})
      QTest::addRow("%s, %lld bytes fit", name, limit) << args << target << limit;
  }
}

// A full disk part-way through any save: exit 1, a message naming the file, and the previous
// file byte for byte as it was, with nothing left beside it.
void TestCli::failedSaveKeepsThePreviousFile() {
  KYV_SKIP_WITHOUT_FILE_SIZE_LIMIT();
  QFETCH(QStringList, args);
  QFETCH(QString, target);
  QFETCH(qint64, limit);
  QCOMPARE(Run({QStringLiteral("new"), QStringLiteral("%d/Good.KYV")}).m_nExit, 0);
  QCOMPARE(
      Run({QStringLiteral("add"), QStringLiteral("%d/Good.KYV"), QStringLiteral("servo")}).m_nExit,
      0);
  WriteSampleProject(QStringLiteral("S.KYV"));
  QCOMPARE(Run({QStringLiteral("export"), QStringLiteral("%d/S.KYV"), QStringLiteral("-o"),
                QStringLiteral("%d/S.json")})
               .m_nExit,
           0);
  WriteFile(QStringLiteral("Old.json"), "{\"clockFreq\": \"old\"}");
  const QStringList before = QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden);
  const QByteArray previous = ReadFile(target);

  CRun run;
  {
    const CFileSizeLimit fullDisk(limit);
    run = Run(args);
  }
  QCOMPARE(run.m_nExit, 1);
  QVERIFY2(run.m_sErr.contains(Path(target) + QStringLiteral(": File too large.")),
           qPrintable(run.m_sErr));
  QCOMPARE(ReadFile(target), previous);
  QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), before);
}

void TestCli::concurrentWritersLoseNothing_data() {
  QTest::addColumn<QString>("secondPath");  // how the second writer names the project
  QTest::newRow("same path") << u"P.KYV"_s;
  QTest::newRow("through a link") << u"L.KYV"_s;
  QTest::newRow("through a link in another folder") << u"other/L.KYV"_s;
}

// Two writers on one project at once: each waits for the other, no update is lost, also when
// one of them reaches the file through a link.
void TestCli::concurrentWritersLoseNothing() {
  QFETCH(QString, secondPath);
  QCOMPARE(Run({QStringLiteral("new"), QStringLiteral("%d/P.KYV")}).m_nExit, 0);
  QVERIFY(QDir(m_dir->path()).mkpath(u"other"_s));
  if (secondPath != u"P.KYV"_s && !MakeLink(secondPath, u"P.KYV"_s))
    QSKIP("This system does not let the test make symbolic links.");
  const QStringList paths = {u"%d/P.KYV"_s, u"%d/"_s + secondPath};
  const int rounds = 10;
  for (int round = 0; round < rounds; ++round) {
    QList<QThread*> writers;
    std::array<int, 2> exits{-1, -1};
    for (int writer = 0; writer < 2; ++writer) {
      const int pin = 2 * round + writer;
      writers.append(QThread::create([this, pin, &exits, writer, path = paths[writer]] {
        exits[writer] = Run({QStringLiteral("add"), path, QStringLiteral("servo"),
                             QStringLiteral("--set"), QStringLiteral("iOPin=%1").arg(pin)})
                            .m_nExit;
      }));
    }
    for (QThread* writer : writers) writer->start();
    for (QThread* writer : writers) {
      writer->wait();
      delete writer;
    }
    QCOMPARE(exits, (std::array<int, 2>{0, 0}));
  }
  const CRun info = Run({QStringLiteral("info"), QStringLiteral("%d/P.KYV")});
  QCOMPARE(info.m_sOut.count(QStringLiteral(" - Hobby Servo\n")), 2 * rounds);
  QVERIFY(QFileInfo(Path(secondPath)).isSymLink() || secondPath == u"P.KYV"_s);
  QCOMPARE(QDir(m_dir->path()).entryList({u"*.lock"_s}, QDir::Files | QDir::Hidden), QStringList());
}

void TestCli::lockedProjectFailsClearly_data() {
  QTest::addColumn<QString>("heldAs");  // the name the lock holder used
  QTest::newRow("same path") << u"P.KYV"_s;
  QTest::newRow("through a link") << u"L.KYV"_s;
}

// A writer that holds the lock longer than the wait: the second fails clearly, naming the
// program that holds it, and writes nothing.
void TestCli::lockedProjectFailsClearly() {
  QFETCH(QString, heldAs);
  QCOMPARE(Run({QStringLiteral("new"), QStringLiteral("%d/P.KYV")}).m_nExit, 0);
  if (heldAs != u"P.KYV"_s && !MakeLink(heldAs, u"P.KYV"_s))
    QSKIP("This system does not let the test make symbolic links.");
  const QByteArray previous = ReadFile(QStringLiteral("P.KYV"));
  // The lock sits beside the file itself, whatever name the holder used.
  QLockFile other(Path(QStringLiteral("P.KYV.lock")));
  QVERIFY(other.tryLock(0));
  qint64 pid = 0;
  QString host, application;
  QVERIFY(other.getLockInfo(&pid, &host, &application));
  const QString holder =
      QStringLiteral(" (%1, process %2 on host %3)").arg(application).arg(pid).arg(host);
  for (const QString& name : {u"P.KYV"_s, heldAs}) {
    const CRun run = Run({QStringLiteral("add"), u"%d/"_s + name, QStringLiteral("servo")});
    QCOMPARE(run.m_nExit, 1);
    QCOMPARE(run.m_sErr, QStringLiteral("%1 is being changed by another program%2; nothing was "
                                        "saved. Try again when it has finished.\n")
                             .arg(Path(name), holder));
    QCOMPARE(ReadFile(QStringLiteral("P.KYV")), previous);
  }
}

void TestCli::unreadableLockIsTakenOver_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<int>("ageSeconds");
  QTest::newRow("empty, just left") << QByteArray() << 0;
  QTest::newRow("empty, ten seconds old") << QByteArray() << 10;
  QTest::newRow("garbage, ten seconds old") << QByteArray("\xff\xfe not a lock") << 10;
}

// A program killed between making the lock file and writing into it leaves a lock nobody owns:
// the next change takes it over within a few seconds instead of failing for half a minute.
void TestCli::unreadableLockIsTakenOver() {
  QFETCH(QByteArray, content);
  QFETCH(int, ageSeconds);
  QCOMPARE(Run({QStringLiteral("new"), QStringLiteral("%d/P.KYV")}).m_nExit, 0);
  WriteFile(QStringLiteral("P.KYV.lock"), content);
  {
    QFile lock(Path(QStringLiteral("P.KYV.lock")));
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                             QFileDevice::FileModificationTime));
  }
  QElapsedTimer timer;
  timer.start();
  const CRun run =
      Run({QStringLiteral("add"), QStringLiteral("%d/P.KYV"), QStringLiteral("servo")});
  QCOMPARE(run.m_nExit, 0);
  QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
  QCOMPARE(Run({QStringLiteral("info"), QStringLiteral("%d/P.KYV")})
               .m_sOut.count(QStringLiteral(" - Hobby Servo\n")),
           1);
  QVERIFY(!QFile::exists(Path(QStringLiteral("P.KYV.lock"))));
}

void TestCli::newKeepsAnExistingFile() {
  WriteSampleProject(QStringLiteral("S.KYV"));
  const QByteArray sample = ReadFile(QStringLiteral("S.KYV"));
  const CRun refused = Run({QStringLiteral("new"), QStringLiteral("%d/S.KYV")});
  QCOMPARE(refused.m_nExit, 1);
  QCOMPARE(refused.m_sErr,
           QStringLiteral("%1 already exists; nothing was written. Give --force to replace it "
                          "with a new project.\n")
               .arg(Path(QStringLiteral("S.KYV"))));
  QCOMPARE(ReadFile(QStringLiteral("S.KYV")), sample);
  QCOMPARE(
      Run({QStringLiteral("new"), QStringLiteral("%d/S.KYV"), QStringLiteral("--force")}).m_nExit,
      0);
  QVERIFY(ReadFile(QStringLiteral("S.KYV")) != sample);
}

void TestCli::newAddsTheEndingToANameWithoutOne_data() {
  QTest::addColumn<QString>("given");
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("mainFile");
  QTest::newRow("no ending") << u"plain2"_s << u"plain2.KYV"_s << u"plain2.spin2"_s;
  QTest::newRow("three letters") << u"abc"_s << u"abc.KYV"_s << u"abc.spin2"_s;
  QTest::newRow("usual ending") << u"Demo.KYV"_s << u"Demo.KYV"_s << u"Demo.spin2"_s;
  QTest::newRow("other ending kept") << u"demo.kyv"_s << u"demo.kyv"_s << u"demo.spin2"_s;
  QTest::newRow("dots inside") << u"v1.2.KYV"_s << u"v1.2.KYV"_s << u"v1.2.spin2"_s;
}

// A project named without an ending gets .KYV, and its main file is named after it.
void TestCli::newAddsTheEndingToANameWithoutOne() {
  QFETCH(QString, given);
  QFETCH(QString, file);
  QFETCH(QString, mainFile);
  QCOMPARE(Run({QStringLiteral("new"), u"%d/"_s + given}).m_nExit, 0);
  QVERIFY(QFileInfo(Path(file)).isFile());
  const CRun generate = Run({QStringLiteral("generate"), u"%d/"_s + file});
  QCOMPARE(generate.m_nExit, 0);
  QVERIFY2(generate.m_sOut.split(u'\n').contains(QDir::toNativeSeparators(Path(mainFile))),
           qPrintable(generate.m_sOut));
}

void TestCli::outputOntoTheProjectIsRefused_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<QString>("output");
  const QStringList report = {u"report"_s, u"%d/P.KYV"_s, u"--csv"_s, u"-o"_s};
  const QStringList html = {u"report"_s, u"%d/P.KYV"_s, u"--html"_s, u"-o"_s};
  const QStringList exportJson = {u"export"_s, u"%d/P.KYV"_s, u"-o"_s};
  for (const QString& output : {u"%d/P.KYV"_s, u"%d/L.KYV"_s, u"%d/sub/../P.KYV"_s}) {
    QTest::addRow("report csv onto %s", qPrintable(output))
        << report + QStringList{output} << output;
    QTest::addRow("report html onto %s", qPrintable(output))
        << html + QStringList{output} << output;
    QTest::addRow("export onto %s", qPrintable(output))
        << exportJson + QStringList{output} << output;
  }
}

// An output file that is the project itself would replace the project with a report: refused,
// the project keeps its bytes.
void TestCli::outputOntoTheProjectIsRefused() {
  QFETCH(QStringList, args);
  QFETCH(QString, output);
  WriteSampleProject(QStringLiteral("P.KYV"));
  QVERIFY(QDir(m_dir->path()).mkpath(u"sub"_s));
  if (!MakeLink(u"L.KYV"_s, u"P.KYV"_s))
    QSKIP("This system does not let the test make symbolic links.");
  const QByteArray project = ReadFile(QStringLiteral("P.KYV"));
  const CRun run = Run(args);
  QCOMPARE(run.m_nExit, 2);
  QVERIFY2(run.m_sErr.startsWith(
               u"kyv-cli: -o "_s +
               QDir::toNativeSeparators(QString(output).replace(u"%d"_s, m_dir->path())) +
               u" is the project file itself; nothing was written."_s),
           qPrintable(run.m_sErr));
  QCOMPARE(ReadFile(QStringLiteral("P.KYV")), project);
  QVERIFY(QFileInfo(Path(u"L.KYV"_s)).isSymLink());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
