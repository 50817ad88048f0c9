#include "model/KyvFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/Archive.h"
#include "model/AtomicFile.h"
#include "model/BoundedFileRead.h"

QByteArray KyvFileBytes(CKyvDoc& doc) {
  CArchive ar;
  doc.Serialize(ar);
  return ar.Buffer();
}

std::unique_ptr<CKyvDoc> ReadKyvBytes(const QByteArray& bytes, const CPlatform& platform,
                                      QString* error) {
  auto doc = std::make_unique<CKyvDoc>(platform);
  try {
    CArchive ar(bytes);
    doc->Serialize(ar);
  } catch (const CArchiveEndOfData&) {
    if (error) *error = kUnexpectedFileFormat;
    return nullptr;
  } catch (const std::bad_alloc&) {
    if (error) *error = kUnexpectedFileFormat;
    return nullptr;
  }
  return doc;
}

QByteArray ProjectFileDigest(const QByteArray& bytes) {
  // It only tells whether another program changed the file, so the fastest hash Qt has is
  // taken: Qt's SHA-256 took two thirds of an open.
  return QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256);
}

namespace {

bool WriteKyvFile(CKyvDoc& doc, const QString& path, QString* error) {
  const QByteArray bytes = KyvFileBytes(doc);
  QString reason;
  if (WriteFileAtomically(path, bytes, &reason)) {
    doc.m_fileDigest = ProjectFileDigest(bytes);
    return true;
  }
  if (error)
    *error = QStringLiteral("Cannot save %1: %2.").arg(QDir::toNativeSeparators(path), reason);
  return false;
}

}  // namespace

bool ReadProjectFileBytes(const QString& path, QByteArray* bytes, QString* error) {
  const QString shown = QDir::toNativeSeparators(path);
  auto fail = [&](const QString& reason) {
    if (error) *error = QStringLiteral("Cannot open %1: %2.").arg(shown, reason);
    return false;
  };
  // Checked before opening: opening a FIFO would wait for a writer, and a device never ends.
  const QFileInfo info(path);
  if (info.exists() && !info.isFile()) return fail(QStringLiteral("it is not a regular file"));
  const QString tooLarge = QStringLiteral("it is larger than %1 MB, which no Kyv project reaches")
                               .arg(kMaxProjectFileBytes / (1024 * 1024));
  if (info.size() > kMaxProjectFileBytes) return fail(tooLarge);

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
  if (file.isSequential()) return fail(QStringLiteral("it is not a regular file"));
  BoundedRead read;
  try {
    read = ReadFileUpTo(file, kMaxProjectFileBytes, bytes);
  } catch (const std::bad_alloc&) {
    return fail(QStringLiteral("there is not enough memory to read it"));
  }
  if (read == BoundedRead::Failed) return fail(file.errorString());
  if (read == BoundedRead::TooLarge) return fail(tooLarge);
  return true;
}

std::unique_ptr<CKyvDoc> LoadKyvFile(const QString& path, const CPlatform& platform,
                                     QString* error) {
  QByteArray bytes;
  if (!ReadProjectFileBytes(path, &bytes, error)) return nullptr;
  auto doc = ReadKyvBytes(bytes, platform, error);
  if (doc) {
    doc->m_fileDigest = ProjectFileDigest(bytes);
    doc->SetPathName(QFileInfo(path).absoluteFilePath());
    doc->SetModifiedFlag(false);
  }
  return doc;
}

bool HasFileChangedOnDisk(const CKyvDoc& doc) {
  const QString& path = doc.GetPathName();
  if (path.isEmpty() || doc.m_fileDigest.isEmpty() || !QFileInfo::exists(path)) return false;
  QByteArray bytes;
  if (!ReadProjectFileBytes(path, &bytes, nullptr)) return true;
  return ProjectFileDigest(bytes) != doc.m_fileDigest;
}

bool ReloadKyvFile(CKyvDoc& doc, QString* error) {
  QByteArray bytes;
  if (!ReadProjectFileBytes(doc.GetPathName(), &bytes, error)) return false;
  // Read into a document of its own first: a file that does not read whole changes nothing.
  if (!ReadKyvBytes(bytes, doc.Platform(), error)) return false;
  CArchive archive(bytes);
  doc.Serialize(archive);
  doc.m_fileDigest = ProjectFileDigest(bytes);
  doc.SetModifiedFlag(false);
  return true;
}

bool SaveKyvFile(CKyvDoc& doc, const QString& path, QString* error) {
  const bool saved = WriteKyvFile(doc, path, error);
  if (saved) {
    doc.SetPathName(QFileInfo(path).absoluteFilePath());
    doc.SetModifiedFlag(false);
  }
  doc.UpdateAllViews();  // every save is followed by a refresh, whatever its outcome
  return saved;
}
