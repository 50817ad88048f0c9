#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/RecordSlot.h"

class CCodeObject;
class CKyvDoc;
class CGeneratedFileWriter;

// What a driver file is written for: the serial driver always, the SD card drivers by the chosen
// high-level driver, the others per object of a kind.
enum class DriverUse { Serial, SdFsrw, SdFat32, SdCard, Kind };

struct CDriverFile {
  uint16_t m_nResource;     // the resource number
  QString m_sResourceName;  // the bundled file, resources/drivers/<name>
  QString m_sFileName;      // the name it gets in the project folder
  DriverUse m_use;
  int32_t m_nKind;  // the ObjectType, for DriverUse::Kind
  int m_nOrder;     // position among the files of the same kind or setting, from 1
  // For kind rows: written only for objects that set this flag; for every object when empty.
  std::optional<CFlagSlot> m_onlyWhen;
};

// Every driver and media file Generate Files writes, in one table: the serial and SD card files
// and every kind's files from the kind registry.
const std::vector<CDriverFile>& DriverFileTable();

// The rows for one object, or for one setting (not Kind), in writing order.
QList<const CDriverFile*> DriverFilesFor(const CCodeObject& object);
QList<const CDriverFile*> DriverFilesFor(DriverUse use);

// The settings whose drivers the main file's OBJ block names, in writing order: the serial
// driver, and the SD card drivers of the chosen high-level driver when the card is mounted.
QList<DriverUse> SettingDriverUses(const CKyvDoc& doc);

// The names of every driver file a generation of this project writes.
QStringList DriverFileNames(const CKyvDoc& doc);

// Whether the program carries the bytes of this resource.
bool IsResourceBundled(uint16_t resource);

enum class ResourceWrite { Written, WrittenEmpty, NotCreated };

// Writes the bundled resource byte for byte to path, atomically: the file is replaced only when
// every byte was written. A resource the program does not carry gives an empty file; a file that
// cannot be written is left as it was, with the reason in reason.
ResourceWrite WriteResourceToFile(uint16_t resource, const QString& path,
                                  QString* reason = nullptr);

// Writes driver files into the project folder through the generation's file writer, taking a
// file of the same name from the user's driver folder instead of the bundled one when there is
// one. Notes the files written empty in the result. Each write returns false when a file could
// not be written (the file writer has said which); the caller stops there.
class CDriverWriter {
 public:
  CDriverWriter(const QString& projectFolder, const QString& userFolder,
                CGeneratedFileWriter& files);

  bool Write(const CDriverFile& file);
  bool WriteFor(DriverUse use);
  bool WriteFor(const CCodeObject& object);

  // Lines for the final message about the user's driver folder (missing folder, unreadable file).
  const QStringList& Notes() const { return m_notes; }

 private:
  QString UserFile(const QString& fileName) const;

  QString m_sProjectFolder;
  QString m_sUserFolder;
  CGeneratedFileWriter& m_files;
  QStringList m_notes;
};
