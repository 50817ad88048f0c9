#include "codegen/Regeneration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "codegen/GeneratedFileWriter.h"
#include "codegen/TextMerge.h"
#include "model/AtomicFile.h"
#include "model/BoundedFileRead.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Far beyond any main file Kyv generates; a larger file is not read into memory.
constexpr qint64 kMaxMergedFileBytes = 64 * 1024 * 1024;

// The folder beside the main file where Kyv keeps what it needs for the next generation.
const QString kRecordFolder = u".kyv"_s;

const CTextMergeLabels& Labels() {
  static const CTextMergeLabels labels{"your version", "new version"};
  return labels;
}

enum class ReadState { Missing, Read, Failed };

struct CFileRead {
  ReadState m_state = ReadState::Missing;
  QByteArray m_bytes;
  QString m_sProblem;  // for Failed: "is not a file", "cannot be read (...)", ...
};

CFileRead ReadFile(const QString& path) {
  CFileRead read;
  const QFileInfo info(path);
  if (!info.exists()) return read;
  read.m_state = ReadState::Failed;
  const QString tooLarge = u"is larger than %1 MiB"_s.arg(kMaxMergedFileBytes / (1024 * 1024));
  if (!info.isFile()) {
    read.m_sProblem = u"is not a file"_s;
    return read;
  }
  if (info.size() > kMaxMergedFileBytes) {
    read.m_sProblem = tooLarge;
    return read;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    read.m_sProblem = u"cannot be read ("_s + file.errorString() + u")"_s;
    return read;
  }
  switch (ReadFileUpTo(file, kMaxMergedFileBytes, &read.m_bytes)) {
    case BoundedRead::Read:
      read.m_state = ReadState::Read;
      break;
    case BoundedRead::TooLarge:
      read.m_sProblem = tooLarge;
      break;
    case BoundedRead::Failed:
      read.m_sProblem = u"cannot be read ("_s + file.errorString() + u")"_s;
      break;
  }
  return read;
}

// What Kyv writes as a base: CR LF after every line, the last one included, and no NUL byte.
bool LooksGenerated(const QByteArray& bytes) {
  if (!bytes.endsWith("\r\n") || bytes.contains('\0')) return false;
  for (qsizetype i = bytes.indexOf('\n'); i >= 0; i = bytes.indexOf('\n', i + 1))
    if (i == 0 || bytes[i - 1] != '\r') return false;
  return true;
}

// The generated file has CR LF line ends; an editor that saved some lines with LF alone would
// otherwise make every such line a change of the user's.
QByteArray WithCrLf(const QByteArray& bytes) {
  QByteArray out;
  out.reserve(bytes.size() + bytes.count('\n'));
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) out += '\r';
    out += bytes[i];
  }
  return out;
}

QString RecordPath(const QString& mainFilePath, const QString& suffix) {
  const QFileInfo main(mainFilePath);
  return QDir::toNativeSeparators(
      main.dir().filePath(kRecordFolder + u'/' + main.fileName() + suffix));
}

QString RelativeRecordPath(const QString& fileName, const QString& suffix) {
  return QDir::toNativeSeparators(kRecordFolder + u'/' + fileName + suffix);
}

// "120", "120 and 245", "120, 245 and 300"
QString LineList(const QList<int>& lines) {
  QString text;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i > 0) text += i + 1 == lines.size() ? u" and "_s : u", "_s;
    text += QString::number(lines[i]);
  }
  return text;
}

// The text that replaces the user's file: the merge of their changes into the new text, or
// the new text alone when there are none or no merge can be made (the report says which).
QByteArray MergedText(const CFileRead& base, const QByteArray& mine, const QByteArray& generated,
                      CRegeneration* report) {
  if (base.m_state == ReadState::Missing) {
    report->m_outcome = RegenerationOutcome::NoBase;
  } else if (base.m_state == ReadState::Failed || !LooksGenerated(base.m_bytes)) {
    report->m_outcome = RegenerationOutcome::DamagedBase;
    report->m_sReason = base.m_state == ReadState::Failed
                            ? base.m_sProblem
                            : u"does not hold a main file as Kyv generates it"_s;
  } else if (mine != base.m_bytes) {
    const CTextMerge merge = MergeText(base.m_bytes, mine, generated, Labels());
    if (!merge.m_bMerged) {
      report->m_outcome = RegenerationOutcome::MergeImpossible;
      report->m_sReason = merge.m_sError;
    } else if (merge.m_merged != generated) {
      report->m_outcome = RegenerationOutcome::Merged;
      report->m_conflicts = merge.m_conflicts;
      return merge.m_merged;
    }
  }
  return generated;
}

bool ReplacedUnmerged(RegenerationOutcome outcome) {
  return outcome == RegenerationOutcome::NoBase || outcome == RegenerationOutcome::DamagedBase ||
         outcome == RegenerationOutcome::MergeImpossible;
}

// A kept copy of a replaced main file in the record folder: <name>.replaced, then
// <name>.replaced.2, .3, ...; an earlier copy is never written over.
struct CKeptCopy {
  QString m_sSuffix;
  bool m_bAlreadyKept = false;  // an earlier copy holds the same bytes
};

CKeptCopy FreeKeptCopy(const QString& path, const QByteArray& bytes) {
  for (int number = 1;; ++number) {
    CKeptCopy copy;
    copy.m_sSuffix = number == 1 ? u".replaced"_s : u".replaced.%1"_s.arg(number);
    const QFileInfo info(RecordPath(path, copy.m_sSuffix));
    // A dangling link is "free" too: the writer refuses to write through it.
    if (!info.exists()) return copy;
    if (!info.isFile() || info.isSymLink()) continue;
    const CFileRead earlier = ReadFile(info.filePath());
    copy.m_bAlreadyKept = earlier.m_state == ReadState::Read && earlier.m_bytes == bytes;
    if (copy.m_bAlreadyKept) return copy;
  }
}

// Keeps a file about to be replaced without a merge. The .bak holds it when it was made just now
// or happens to hold the same bytes; otherwise the file is kept beside the base.
bool KeepReplacedFile(const QString& path, const QByteArray& bytes, bool hadBackup,
                      CGeneratedFileWriter& files, CRegeneration* report) {
  const CFileRead backup = hadBackup ? ReadFile(BackupPath(path)) : CFileRead();
  if (!hadBackup || (backup.m_state == ReadState::Read && backup.m_bytes == bytes)) {
    report->m_sKeptAs = report->m_sFileName + u".bak"_s;
    return true;
  }
  const CKeptCopy copy = FreeKeptCopy(path, bytes);
  report->m_sKeptAs = RelativeRecordPath(report->m_sFileName, copy.m_sSuffix);
  return copy.m_bAlreadyKept || files.WriteRecord(RecordPath(path, copy.m_sSuffix), bytes);
}

// Puts back the base a failed generation replaced, so that it still matches the main file left
// on disk; a base that was not there (or could not be read) is removed instead.
void RestoreBase(const QString& basePath, const CFileRead& earlier) {
  QString reason;
  if (earlier.m_state != ReadState::Read ||
      !WriteFileAtomically(basePath, earlier.m_bytes, &reason))
    QFile::remove(basePath);
}

}  // namespace

QString MergeBasePath(const QString& mainFilePath) { return RecordPath(mainFilePath, u".base"_s); }

QString BackupPath(const QString& mainFilePath) { return mainFilePath + u".bak"_s; }

bool WriteRegeneratedFile(const QString& path, const QByteArray& generated, MainFileUpdate update,
                          CGeneratedFileWriter& files, CRegeneration* report) {
  *report = CRegeneration();
  report->m_sFileName = QFileInfo(path).fileName();
  const QString backupPath = BackupPath(path);
  const bool hadBackup = QFileInfo::exists(backupPath);
  const QString basePath = MergeBasePath(path);
  const CFileRead earlierBase = ReadFile(basePath);

  // A folder in the way of the main file is left for the write to report.
  CFileRead disk;
  if (update == MainFileUpdate::Merge && QFileInfo(path).isFile()) {
    disk = ReadFile(path);
    if (disk.m_state == ReadState::Failed) {
      files.Fail(path, u"it "_s + disk.m_sProblem + u", so your changes cannot be merged"_s);
      return false;
    }
  }
  if (!files.KeepBackup(path, backupPath)) return false;

  QByteArray bytes = generated;
  if (update == MainFileUpdate::Overwrite) {
    report->m_outcome = RegenerationOutcome::Overwritten;
  } else if (disk.m_state == ReadState::Read) {
    const QByteArray mine = WithCrLf(disk.m_bytes);
    if (mine != generated) bytes = MergedText(earlierBase, mine, generated, report);
  }

  // The base goes first: a main file replaced without its base would leave the next generation
  // unable to tell the user's later changes from generated code. A failed write of the base
  // leaves the earlier one as it was, and the main file is not touched.
  if (!files.WriteRecord(basePath, generated,
                         report->m_sFileName + u" was left as it was, with your text in it."_s))
    return false;
  if ((ReplacedUnmerged(report->m_outcome) &&
       !KeepReplacedFile(path, disk.m_bytes, hadBackup, files, report)) ||
      !files.Write(path, bytes)) {
    RestoreBase(basePath, earlierBase);
    return false;
  }
  return true;
}

QStringList RegenerationNotes(const CRegeneration& report) {
  const QString& name = report.m_sFileName;
  const QString base = RelativeRecordPath(name, u".base"_s);
  const QString replaced = name + u" was replaced without a merge: "_s;
  const QString kept = u" The file it replaced is kept as "_s + report.m_sKeptAs + u"."_s;
  switch (report.m_outcome) {
    case RegenerationOutcome::Written:
    case RegenerationOutcome::Overwritten:
      return {};
    case RegenerationOutcome::Merged: {
      const QString merged = u"Your changes to "_s + name + u" were merged into the new code"_s;
      const qsizetype count = report.m_conflicts.size();
      if (count == 0) return {merged + u"."_s};
      const auto quoted = [](const QByteArray& line) {
        return u'"' + QString::fromLatin1(line) + u'"';
      };
      return {merged + u" with "_s + QString::number(count) +
              (count == 1 ? u" conflict, at line "_s : u" conflicts, at lines "_s) +
              LineList(report.m_conflicts) + u". Each conflict block holds your version after "_s +
              quoted(ConflictOpeningLine(Labels().m_ours)) + u" and the new one before "_s +
              quoted(ConflictClosingLine(Labels().m_theirs)) + u", split by "_s +
              quoted(ConflictSeparatorLine()) +
              u": keep what you want and delete the marker lines before building."_s};
    }
    case RegenerationOutcome::NoBase:
      return {replaced + u"there is no base from an earlier generation ("_s + base +
              u"), so changes made to it cannot be told from generated code."_s + kept};
    case RegenerationOutcome::DamagedBase:
      return {replaced + u"the base from the last generation, "_s + base + u", "_s +
              report.m_sReason + u"."_s + kept};
    case RegenerationOutcome::MergeImpossible:
      return {replaced + u"the merge failed ("_s + report.m_sReason + u")."_s + kept};
  }
  return {};
}
