#include "model/KyvFile.h"

#include "model/Archive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool WriteKyvFile(CKyvDoc& doc, const QString& path, QString* error) {
  const QByteArray bytes = KyvFileBytes(doc);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error)
      *error = QStringLiteral("Cannot save %1: %2.").arg(QDir::toNativeSeparators(path),
                                                         file.errorString());
    return false;
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    if (error)
      *error = QStringLiteral("Failed to save document %1: %2.")
                   .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<CKyvDoc> LoadKyvFile(const QString& path, const CPlatform& platform,
                                     QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error)
      *error = QStringLiteral("Cannot open %1: %2.").arg(QDir::toNativeSeparators(path),
                                                         file.errorString());
    return nullptr;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = QStringLiteral("Failed to open document.");
    return nullptr;
  }
  auto doc = ReadKyvBytes(bytes, platform, error);
  if (doc) {
    doc->SetPathName(QFileInfo(path).absoluteFilePath());
    doc->SetModifiedFlag(false);
  }
  return doc;
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
