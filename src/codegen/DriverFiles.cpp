#include "codegen/DriverFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <algorithm>

#include "codegen/GenerateFiles.h"
#include "codegen/GeneratedFileWriter.h"
#include "model/AtomicFile.h"
#include "model/CodeObject.h"
#include "model/KindRegistry.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

const std::vector<CDriverFile>& DriverFileTable() {
  static const std::vector<CDriverFile> table = [] {
    using enum DriverUse;
    // resource, bundled file, file written, written for, kind, order
    std::vector<CDriverFile> rows = {
        {374, u"SimplerSerial.spin2"_s, u"SimplerSerial.spin2"_s, Serial, -1, 1, {}},
        {395, u"fsrw.spin2"_s, u"fsrw.spin2"_s, SdFsrw, -1, 1, {}},
        {396, u"FAT32.spin2"_s, u"FAT32.spin2"_s, SdFat32, -1, 1, {}},
        {397, u"sdspi_bashed2.spin2"_s, u"sdspi_bashed2.spin2"_s, SdCard, -1, 2, {}},
        // Kyv's own FAT engine, shared by fsrw.spin2 and FAT32.spin2.
        {403, u"fat_volume.spin2"_s, u"fat_volume.spin2"_s, SdCard, -1, 3, {}},
    };
    for (const CKindInfo& kind : KindRegistry())
      for (const CKindDriverFile& file : kind.m_driverFiles)
        rows.push_back({file.m_nResource, file.m_sFileName, file.m_sFileName, Kind, kind.m_nKind,
                        file.m_nOrder, file.m_onlyWhen});
    return rows;
  }();
  return table;
}

namespace {

template <typename Predicate>
QList<const CDriverFile*> SelectInOrder(Predicate applies) {
  QList<const CDriverFile*> rows;
  for (const CDriverFile& row : DriverFileTable())
    if (applies(row)) rows.append(&row);
  std::stable_sort(rows.begin(), rows.end(), [](const CDriverFile* a, const CDriverFile* b) {
    return a->m_nOrder < b->m_nOrder;
  });
  return rows;
}

const CDriverFile* RowOfResource(uint16_t resource) {
  for (const CDriverFile& row : DriverFileTable())
    if (row.m_nResource == resource) return &row;
  return nullptr;
}

QByteArray BundledBytes(uint16_t resource) {
  const CDriverFile* row = RowOfResource(resource);
  if (!row) return QByteArray();
  const QResource bundled(u":/drivers/"_s + row->m_sResourceName);
  return bundled.isValid() ? bundled.uncompressedData() : QByteArray();
}

}  // namespace

QList<const CDriverFile*> DriverFilesFor(const CCodeObject& object) {
  return SelectInOrder([&](const CDriverFile& row) {
    return row.m_use == DriverUse::Kind && row.m_nKind == object.m_nType &&
           (!row.m_onlyWhen || object[*row.m_onlyWhen]);
  });
}

QList<const CDriverFile*> DriverFilesFor(DriverUse use) {
  return SelectInOrder([use](const CDriverFile& row) { return row.m_use == use; });
}

QList<DriverUse> SettingDriverUses(const CKyvDoc& doc) {
  if (!doc.m_bMountSd) return {DriverUse::Serial};
  return {DriverUse::Serial, doc.m_nSdDriver == 0 ? DriverUse::SdFsrw : DriverUse::SdFat32,
          DriverUse::SdCard};
}

QStringList DriverFileNames(const CKyvDoc& doc) {
  QList<const CDriverFile*> files;
  for (DriverUse use : SettingDriverUses(doc)) files += DriverFilesFor(use);
  for (const auto& object : doc.m_ObjectList) files += DriverFilesFor(*object);
  QStringList names;
  for (const CDriverFile* file : files)
    if (!names.contains(file->m_sFileName)) names.append(file->m_sFileName);
  return names;
}

bool IsResourceBundled(uint16_t resource) {
  const CDriverFile* row = RowOfResource(resource);
  return row && QResource(u":/drivers/"_s + row->m_sResourceName).isValid();
}

ResourceWrite WriteResourceToFile(uint16_t resource, const QString& path, QString* reason) {
  const bool bundled = IsResourceBundled(resource);
  QString why;
  if (!WriteFileAtomically(path, BundledBytes(resource), &why)) {
    if (reason) *reason = why;
    return ResourceWrite::NotCreated;
  }
  return bundled ? ResourceWrite::Written : ResourceWrite::WrittenEmpty;
}

CDriverWriter::CDriverWriter(const QString& projectFolder, const QString& userFolder,
                             CGeneratedFileWriter& files)
    : m_sProjectFolder(projectFolder), m_files(files) {
  if (userFolder.isEmpty()) return;
  if (QFileInfo(userFolder).isDir())
    m_sUserFolder = userFolder;
  else
    m_notes.append(u"Warning: the driver folder "_s + QDir::toNativeSeparators(userFolder) +
                   u" does not exist; the bundled drivers were written."_s);
}

// The user's file of that name; letter case is not required to match, since driver files are
// often copied from systems that ignore it.
QString CDriverWriter::UserFile(const QString& fileName) const {
  if (m_sUserFolder.isEmpty()) return QString();
  const QDir folder(m_sUserFolder);
  if (QFileInfo(folder.filePath(fileName)).isFile()) return folder.filePath(fileName);
  for (const QString& entry : folder.entryList(QDir::Files))
    if (entry.compare(fileName, Qt::CaseInsensitive) == 0) return folder.filePath(entry);
  return QString();
}

bool CDriverWriter::Write(const CDriverFile& file) {
  const QString path = QDir::toNativeSeparators(QDir(m_sProjectFolder).filePath(file.m_sFileName));

  const QString userPath = UserFile(file.m_sFileName);
  if (!userPath.isEmpty()) {
    QFile user(userPath);
    if (user.open(QIODevice::ReadOnly)) {
      const QByteArray bytes = user.readAll();
      if (user.error() == QFileDevice::NoError) return m_files.Write(path, bytes);
    }
    m_notes.append(u"Warning: "_s + QDir::toNativeSeparators(userPath) + u" cannot be read ("_s +
                   user.errorString() + u"); the bundled "_s + file.m_sFileName +
                   u" was written."_s);
  }

  if (!m_files.Write(path, BundledBytes(file.m_nResource))) return false;
  QStringList& unbundled = m_files.Result().m_unbundledFiles;
  if (!IsResourceBundled(file.m_nResource) && !unbundled.contains(file.m_sFileName))
    unbundled.append(file.m_sFileName);
  return true;
}

bool CDriverWriter::WriteFor(DriverUse use) {
  for (const CDriverFile* file : DriverFilesFor(use))
    if (!Write(*file)) return false;
  return true;
}

bool CDriverWriter::WriteFor(const CCodeObject& object) {
  for (const CDriverFile* file : DriverFilesFor(object))
    if (!Write(*file)) return false;
  return true;
}
