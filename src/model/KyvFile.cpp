#include "model/KyvFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "model/Archive.h"
#include "model/AtomicFile.h"

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

namespace {

QByteArray Digest(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

bool WriteKyvFile(CKyvDoc& doc, const QString& path, QString* error) {
  const QByteArray bytes = KyvFileBytes(doc);
  QString reason;
  if (WriteFileAtomically(path, bytes, &reason)) {
    doc.m_fileDigest = Digest(bytes);
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
  try {
    // One byte more than the limit tells a file that grew since it was measured.
    *bytes = file.read(kMaxProjectFileBytes + 1);
  } catch (const std::bad_alloc&) {
    return fail(QStringLiteral("there is not enough memory to read it"));
  }
  if (file.error() != QFileDevice::NoError) return fail(file.errorString());
  if (bytes->size() > kMaxProjectFileBytes) {
    bytes->clear();
    return fail(tooLarge);
  }
  return true;
}

std::unique_ptr<CKyvDoc> LoadKyvFile(const QString& path, const CPlatform& platform,
                                     QString* error) {
  QByteArray bytes;
  if (!ReadProjectFileBytes(path, &bytes, error)) return nullptr;
  auto doc = ReadKyvBytes(bytes, platform, error);
  if (doc) {
    doc->m_fileDigest = Digest(bytes);
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
  return Digest(bytes) != doc.m_fileDigest;
}

bool ReloadKyvFile(CKyvDoc& doc, QString* error) {
  QByteArray bytes;
  if (!ReadProjectFileBytes(doc.GetPathName(), &bytes, error)) return false;
  // Read into a document of its own first: a file that does not read whole changes nothing.
  if (!ReadKyvBytes(bytes, doc.Platform(), error)) return false;
  CArchive archive(bytes);
  doc.Serialize(archive);
  doc.m_fileDigest = Digest(bytes);
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
