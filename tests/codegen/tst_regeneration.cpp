#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

#include "CodegenFixtures.h"
#include "FileSizeLimit.h"
#include "TestPlatform.h"
#include "codegen/GenerateFiles.h"

using namespace Qt::Literals::StringLiterals;

// Generating again over a main file the user has changed: the merge of those changes into the
// new text, and what happens when no merge can be made.
class TestRegeneration : public QObject {
  Q_OBJECT

 private slots:
  void generationWithoutEditsWritesTheNewTextAndItsBase();
  void editInsideLoopKeptAcrossAddingAnObject();
  void overlappingChangesBecomeConflictBlocks_data();
  void overlappingChangesBecomeConflictBlocks();
  void replacedWithoutMergeKeepsTheFile_data();
  void replacedWithoutMergeKeepsTheFile();
  void lineEndsOfAnotherEditor_data();
  void lineEndsOfAnotherEditor();
  void overwriteReplacesTheEdits();
  void failedBaseWriteLeavesTheMainFileUntouched_data();
  void failedBaseWriteLeavesTheMainFileUntouched();
  void noEditLostAcrossRounds();
  void failedMainWriteKeepsTheEarlierBase();
};

namespace {

const QByteArray kLoopComment = "'Loop - Things to do over and over again\r\n";
const QByteArray kMyLine = "  ser.str(string(\"my own line\", 13))\r\n";
const QByteArray kClockLine = "  _clkfreq = 160_000_000\r\n";
const QByteArray kStartLine = "  ser.start(230400)\r\n";
const QByteArray kBaudLine =
    "'Use serial terminal with baud of 230400 To see diagnostic output\r\n";

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(file.write(bytes), bytes.size());
}

// Every line ends in CR LF, the last one included.
bool AllCrLf(const QByteArray& bytes) {
  if (!bytes.endsWith("\r\n")) return false;
  for (qsizetype i = bytes.indexOf('\n'); i >= 0; i = bytes.indexOf('\n', i + 1))
    if (i == 0 || bytes[i - 1] != '\r') return false;
  return true;
}

QByteArray Replaced(QByteArray text, const QByteArray& from, const QByteArray& to) {
  Q_ASSERT(text.count(from) == 1);
  return text.replace(from, to);
}

QByteArray ConflictBlock(const QByteArray& mine, const QByteArray& generated) {
  return "<<<<<<< your version\r\n" + mine + "=======\r\n" + generated + ">>>>>>> new version\r\n";
}

int LineOf(const QByteArray& text, const QByteArray& line) {
  const qsizetype at = text.indexOf(line);
  Q_ASSERT(at >= 0);
  return static_cast<int>(text.left(at).count('\n')) + 1;
}

const QString kConflictHelp =
    u". Each conflict block holds your version after \"<<<<<<< your version\" and the new one "
    u"before \">>>>>>> new version\", split by \"=======\": keep what you want and delete the "
    u"marker lines before building."_s;

// A saved project Demo.KYV holding one digital I/O object that toggles its pin in Loop.
struct CProject : CProjectFolder {
  CProject() { m_doc.AddObject(MakeDigitalIo(u"DigitalIO1"_s)); }
  QString BasePath() const { return Path(u".kyv/Demo.spin2.base"_s); }
  QByteArray Main() const { return ReadAll(Path(u"Demo.spin2"_s)); }
  void SetMain(const QByteArray& bytes) { WriteAll(Path(u"Demo.spin2"_s), bytes); }
  QString Created() const {
    return u"Project files created in "_s + QDir::toNativeSeparators(m_dir.path()) + u"."_s;
  }

  // Generates into the project folder; the messages shown.
  QStringList Generate(MainFileUpdate update = MainFileUpdate::Merge) {
    m_test.m_messages.Clear();
    GenerateFiles(m_doc, {QString(), QString(), update});
    const QStringList messages = m_test.m_messages.Texts();
    m_test.m_messages.Clear();
    return messages;
  }
  // What the project generates into an empty folder.
  QByteArray Fresh() {
    QTemporaryDir folder;
    GenerateFiles(m_doc, {folder.path(), QString()});
    m_test.m_messages.Clear();
    m_doc.m_sMainFilePath = Path(u"Demo.spin2"_s);
    return ReadAll(QDir(folder.path()).filePath(u"Demo.spin2"_s));
  }
  void AddSecondIo() { m_doc.AddObject(MakeDigitalIo(u"DigitalIO2"_s, u"40"_s)); }
};

}  // namespace

void TestRegeneration::generationWithoutEditsWritesTheNewTextAndItsBase() {
  CProject project;
  QCOMPARE(project.Generate(), QStringList{project.Created()});
  const QByteArray first = project.Main();
  QVERIFY(AllCrLf(first));
  QCOMPARE(ReadAll(project.BasePath()), first);
  QVERIFY(!QFile::exists(project.Path(u"Demo.spin2.bak"_s)));

  project.AddSecondIo();
  QCOMPARE(project.Generate(), QStringList{project.Created()});
  QCOMPARE(project.Main(), project.Fresh());
  QCOMPARE(ReadAll(project.BasePath()), project.Main());
  QCOMPARE(ReadAll(project.Path(u"Demo.spin2.bak"_s)), first);  // the first backup, as always
}

void TestRegeneration::editInsideLoopKeptAcrossAddingAnObject() {
  CProject project;
  project.Generate();
  project.SetMain(Replaced(project.Main(), kLoopComment, kLoopComment + kMyLine));

  project.AddSecondIo();
  const QByteArray merged = Replaced(project.Fresh(), kLoopComment, kLoopComment + kMyLine);
  QVERIFY(merged.contains("pintoggle(DigitalIO2)"));
  const QString mergedNote = u"Your changes to Demo.spin2 were merged into the new code."_s;
  QCOMPARE(project.Generate(), QStringList{project.Created() + u'\n' + mergedNote});
  QCOMPARE(project.Main(), merged);
  QCOMPARE(ReadAll(project.BasePath()), project.Fresh());

  // Generating again changes nothing and keeps the line.
  QCOMPARE(project.Generate(), QStringList{project.Created() + u'\n' + mergedNote});
  QCOMPARE(project.Main(), merged);
}

void TestRegeneration::overlappingChangesBecomeConflictBlocks_data() {
  QTest::addColumn<bool>("baudToo");  // also a conflict on the serial start line in Setup
  QTest::newRow("one conflict") << false;
  QTest::newRow("two conflicts") << true;
}

// An edit inside a block that regeneration also changes gives a conflict block with both
// versions; an edit elsewhere is still merged.
void TestRegeneration::overlappingChangesBecomeConflictBlocks() {
  QFETCH(bool, baudToo);
  CProject project;
  project.Generate();
  const QByteArray myClock = "  _clkfreq = 180_000_000\r\n";
  const QByteArray myStart = "  ser.start(2_000_000)\r\n";
  QByteArray edited = Replaced(project.Main(), kClockLine, myClock);
  edited = Replaced(edited, kLoopComment, kLoopComment + kMyLine);
  if (baudToo) edited = Replaced(edited, kStartLine, myStart);
  project.SetMain(edited);

  project.m_doc.m_sClockFreq = u"200_000_000"_s;
  const QByteArray newClock = "  _clkfreq = 200_000_000\r\n";
  project.m_doc.m_bUseBaud = baudToo;
  project.m_doc.m_sBaud = u"115200"_s;
  const QByteArray newStart = "  ser.start(115200)\r\n";
  const QByteArray fresh = project.Fresh();

  QByteArray expected = Replaced(fresh, newClock, ConflictBlock(myClock, newClock));
  expected = Replaced(expected, kLoopComment, kLoopComment + kMyLine);
  QString where = u" with 1 conflict, at line 6"_s;
  QCOMPARE(LineOf(expected, "<<<<<<< your version\r\n  _clkfreq"), 6);
  if (baudToo) {
    expected = Replaced(expected, newStart, ConflictBlock(myStart, newStart));
    where = u" with 2 conflicts, at lines 6 and "_s +
            QString::number(LineOf(expected, "<<<<<<< your version\r\n  ser.start"));
  }

  const QStringList messages{project.Created() +
                             u"\nYour changes to Demo.spin2 were merged into the new code"_s +
                             where + kConflictHelp};
  QCOMPARE(project.Generate(), messages);
  QCOMPARE(project.Main(), expected);
  QVERIFY(AllCrLf(project.Main()));
  QCOMPARE(ReadAll(project.BasePath()), fresh);

  // Conflicts left unresolved are listed again by the next generation.
  QCOMPARE(project.Generate(), messages);
  QCOMPARE(project.Main(), expected);
}

void TestRegeneration::replacedWithoutMergeKeepsTheFile_data() {
  QTest::addColumn<QString>("damage");
  QTest::addColumn<QString>("note");
  QTest::addColumn<QString>("keptAs");
  const QString head = u"Demo.spin2 was replaced without a merge: "_s;
  const QString base = QDir::toNativeSeparators(u".kyv/Demo.spin2.base"_s);
  const QString damaged = head + u"the base from the last generation, "_s + base + u", "_s;
  QTest::newRow("no base") << u"remove"_s
                           << head + u"there is no base from an earlier generation ("_s + base +
                                  u"), so changes made to it cannot be told from generated code."_s
                           << u"Demo.spin2.bak"_s;
  QTest::newRow("empty base") << u"empty"_s
                              << damaged + u"does not hold a main file as Kyv generates it."_s
                              << u"Demo.spin2.bak"_s;
  QTest::newRow("base with LF line ends")
      << u"lf"_s << damaged + u"does not hold a main file as Kyv generates it."_s
      << u"Demo.spin2.bak"_s;
  QTest::newRow("base cut off inside a line")
      << u"cut"_s << damaged + u"does not hold a main file as Kyv generates it."_s
      << u"Demo.spin2.bak"_s;
  QTest::newRow("file holds a NUL byte")
      << u"nul"_s << head + u"the merge failed (one of the texts holds binary data)."_s
      << u"Demo.spin2.bak"_s;
  QTest::newRow("no base and an older .bak")
      << u"remove, older bak"_s
      << head + u"there is no base from an earlier generation ("_s + base +
             u"), so changes made to it cannot be told from generated code."_s
      << QDir::toNativeSeparators(u".kyv/Demo.spin2.replaced"_s);
}

// A missing or damaged base, or a file that cannot be merged: the new text replaces the file
// as it always did, the message says so and where the replaced file is.
void TestRegeneration::replacedWithoutMergeKeepsTheFile() {
  QFETCH(QString, damage);
  QFETCH(QString, note);
  QFETCH(QString, keptAs);
  CProject project;
  project.Generate();
  QByteArray edited = Replaced(project.Main(), kLoopComment, kLoopComment + kMyLine);
  if (damage == u"nul"_s) edited.replace("my own line", QByteArray("my own\0line", 11));
  project.SetMain(edited);

  const QString base = project.BasePath();
  const QByteArray generated = ReadAll(base);
  if (damage.startsWith(u"remove"_s)) QVERIFY(QFile::remove(base));
  if (damage == u"empty"_s) WriteAll(base, QByteArray());
  if (damage == u"lf"_s) WriteAll(base, QByteArray(generated).replace("\r\n", "\n"));
  if (damage == u"cut"_s) WriteAll(base, generated.left(generated.size() / 2 + 3));
  if (damage.endsWith(u"older bak"_s)) WriteAll(project.Path(u"Demo.spin2.bak"_s), "older\r\n");

  project.AddSecondIo();
  QCOMPARE(project.Generate(),
           QStringList{project.Created() + u'\n' + note + u" The file it replaced is kept as "_s +
                       keptAs + u"."_s});
  QCOMPARE(project.Main(), project.Fresh());
  QCOMPARE(ReadAll(project.Path(keptAs)), edited);
  QCOMPARE(ReadAll(base), project.Fresh());
  if (keptAs.contains(u"replaced"_s))
    QCOMPARE(ReadAll(project.Path(u"Demo.spin2.bak"_s)), QByteArray("older\r\n"));
}

void TestRegeneration::lineEndsOfAnotherEditor_data() {
  QTest::addColumn<bool>("edited");
  QTest::newRow("saved with LF, no edit") << false;
  QTest::newRow("saved with LF, line added in Loop") << true;
}

// A file an editor saved with LF line ends merges as the CR LF text it was.
void TestRegeneration::lineEndsOfAnotherEditor() {
  QFETCH(bool, edited);
  CProject project;
  project.Generate();
  QByteArray mine = project.Main();
  if (edited) mine = Replaced(mine, kLoopComment, kLoopComment + kMyLine);
  project.SetMain(QByteArray(mine).replace("\r\n", "\n"));

  project.AddSecondIo();
  const QByteArray fresh = project.Fresh();
  const QStringList messages = project.Generate();
  QCOMPARE(project.Main(), edited ? Replaced(fresh, kLoopComment, kLoopComment + kMyLine) : fresh);
  QCOMPARE(messages.size(), 1);
  QCOMPARE(messages[0].contains(u"merged"_s), edited);
}

void TestRegeneration::overwriteReplacesTheEdits() {
  CProject project;
  project.Generate();
  const QByteArray first = project.Main();
  project.SetMain(Replaced(first, kLoopComment, kLoopComment + kMyLine));
  project.AddSecondIo();
  QCOMPARE(project.Generate(MainFileUpdate::Overwrite), QStringList{project.Created()});
  QCOMPARE(project.Main(), project.Fresh());
  QCOMPARE(ReadAll(project.BasePath()), project.Fresh());
  QCOMPARE(ReadAll(project.Path(u"Demo.spin2.bak"_s)),
           Replaced(first, kLoopComment, kLoopComment + kMyLine));
}

void TestRegeneration::failedBaseWriteLeavesTheMainFileUntouched_data() {
  QTest::addColumn<QString>("obstacle");
  QTest::newRow("no room for the base") << u"full disk"_s;
  QTest::newRow("a file in the way of .kyv") << u"file named .kyv"_s;
  QTest::newRow("a folder in place of the base") << u"folder named like the base"_s;
}

// The base is written before the main file: when it cannot be, the main file keeps the user's
// text and the message says so, and the base that is there still belongs to that text.
void TestRegeneration::failedBaseWriteLeavesTheMainFileUntouched() {
  QFETCH(QString, obstacle);
  const bool fullDisk = obstacle == u"full disk"_s;
  if (fullDisk) KYV_SKIP_WITHOUT_FILE_SIZE_LIMIT();
  CProject project;
  project.Generate();
  const QByteArray firstBase = ReadAll(project.BasePath());
  // The user deletes the baud comment: the merged file is shorter than the new text.
  const QByteArray edited = Replaced(project.Main(), kBaudLine, QByteArray());
  project.SetMain(edited);
  if (obstacle == u"file named .kyv"_s) {
    QVERIFY(QDir(project.Path(u".kyv"_s)).removeRecursively());
    WriteAll(project.Path(u".kyv"_s), "in the way");
  } else if (!fullDisk) {
    QVERIFY(QFile::remove(project.BasePath()));
    QVERIFY(QDir().mkpath(project.BasePath()));
  }

  project.AddSecondIo();
  const QByteArray fresh = project.Fresh();
  QStringList messages;
  {
    std::optional<CFileSizeLimit> limit;
    if (fullDisk) limit.emplace(fresh.size() - 1);
    messages = project.Generate();
  }
  QCOMPARE(messages.size(), 1);
  const QString head = u"Error:  Can't create "_s + project.BasePath() + u" -->"_s;
  const QString tail = u"\nDemo.spin2 was left as it was, with your text in it."_s;
  QVERIFY2(messages[0].startsWith(head) && messages[0].endsWith(tail) &&
               messages[0].size() > head.size() + tail.size(),
           qPrintable(messages[0]));
  QCOMPARE(project.Main(), edited);
  if (fullDisk) QCOMPARE(ReadAll(project.BasePath()), firstBase);
}

// Hand edits between generations are never lost: while the base cannot be written every round
// leaves the edit in the main file; once it can, each text replaced without a merge is kept
// under a name of its own, and the message names it.
void TestRegeneration::noEditLostAcrossRounds() {
  CProject project;
  project.Generate();
  const QByteArray generated = project.Main();
  const auto edit = [&](const QByteArray& mark) {
    const QByteArray edited =
        Replaced(generated, kLoopComment, kLoopComment + "  ' edit " + mark + "\r\n");
    project.SetMain(edited);
    return edited;
  };

  QVERIFY(QFile::remove(project.BasePath()));
  QVERIFY(QDir().mkpath(project.BasePath()));
  for (const QByteArray mark : {"A", "B", "C"}) {
    const QByteArray edited = edit(mark);
    const QStringList messages = project.Generate();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].endsWith(u"\nDemo.spin2 was left as it was, with your text in it."_s),
             qPrintable(messages[0]));
    QCOMPARE(project.Main(), edited);
  }
  QVERIFY(QDir(project.BasePath()).removeRecursively());

  // The first replaced file went to the .bak; later ones are numbered beside the base, and a
  // text kept before is not kept twice.
  const QByteArray keptInBak = ReadAll(project.Path(u"Demo.spin2.bak"_s));
  QVERIFY(keptInBak.contains("' edit A"));
  const QList<std::pair<QByteArray, QString>> rounds = {
      {"D", u".kyv/Demo.spin2.replaced"_s},
      {"E", u".kyv/Demo.spin2.replaced.2"_s},
      {"F", u".kyv/Demo.spin2.replaced.3"_s},
      {"D", u".kyv/Demo.spin2.replaced"_s},
  };
  QMap<QString, QByteArray> kept;
  for (const auto& [mark, keptAs] : rounds) {
    QFile::remove(project.BasePath());  // no base: no merge, the file is replaced
    const QByteArray edited = edit(mark);
    const QStringList messages = project.Generate();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].endsWith(u" The file it replaced is kept as "_s +
                                  QDir::toNativeSeparators(keptAs) + u"."_s),
             qPrintable(messages[0]));
    QCOMPARE(project.Main(), generated);
    kept[keptAs] = edited;
  }
  for (auto it = kept.cbegin(); it != kept.cend(); ++it)
    QCOMPARE(ReadAll(project.Path(it.key())), it.value());
  QCOMPARE(ReadAll(project.Path(u"Demo.spin2.bak"_s)), keptInBak);
  QVERIFY(!QFile::exists(project.Path(u".kyv/Demo.spin2.replaced.4"_s)));
}

// The base is written first; when the main file then cannot be written, the earlier base is put
// back so that it still belongs to the file on disk.
void TestRegeneration::failedMainWriteKeepsTheEarlierBase() {
  CProject project;
  project.Generate();
  const QByteArray firstBase = ReadAll(project.BasePath());
  QVERIFY(QFile::remove(project.Path(u"Demo.spin2"_s)));
  QVERIFY(QDir().mkpath(project.Path(u"Demo.spin2"_s)));
  project.AddSecondIo();
  const QStringList messages = project.Generate();
  QCOMPARE(messages.size(), 1);
  QVERIFY2(messages[0].startsWith(u"Error:  Can't create "_s + project.Path(u"Demo.spin2"_s)),
           qPrintable(messages[0]));
  QCOMPARE(ReadAll(project.BasePath()), firstBase);
}

QTEST_GUILESS_MAIN(TestRegeneration)
#include "tst_regeneration.moc"
