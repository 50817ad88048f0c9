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

using namespace Qt::Literals::StringLiterals;

const std::vector<CDriverFile>& DriverFileTable() {
  using enum DriverUse;
  using enum DriverVariant;
  // clang-format off
  static const std::vector<CDriverFile> table = {
      // resource, bundled file, file written, written for, kind, order, variant
      {374, u"SimplerSerial.spin2"_s, u"SimplerSerial.spin2"_s, Serial, -1, 1, Any},
      {395, u"fsrw.spin2"_s, u"fsrw.spin2"_s, SdFsrw, -1, 1, Any},
      {396, u"FAT32.spin2"_s, u"FAT32.spin2"_s, SdFat32, -1, 1, Any},
      {397, u"sdspi_bashed2.spin2"_s, u"sdspi_bashed2.spin2"_s, SdCard, -1, 2, Any},
      // Kyv's own FAT engine, shared by fsrw.spin2 and FAT32.spin2.
      {403, u"fat_volume.spin2"_s, u"fat_volume.spin2"_s, SdCard, -1, 3, Any},
      {400, u"bitmap2.bmp"_s, u"bitmap2.bmp"_s, Kind, OBJ_SIMPLE_VGA, 1, Any},
      {343, u"VGA_SimpleDriver1a.spin2"_s, u"VGA_SimpleDriver1a.spin2"_s, Kind, OBJ_SIMPLE_VGA, 2, Any},
      {365, u"QVGA_16bpp.spin2"_s, u"QVGA_16bpp.spin2"_s, Kind, OBJ_SIMPLE_QVGA, 1, Any},
      {366, u"QVGA_Bird.bmp"_s, u"QVGA_Bird.bmp"_s, Kind, OBJ_SIMPLE_QVGA, 2, Any},
      {372, u"HDMI_Simple1c.spin2"_s, u"HDMI_Simple1c.spin2"_s, Kind, OBJ_SIMPLE_HDMI, 1, Any},
      {402, u"bitmapW.bmp"_s, u"bitmapW.bmp"_s, Kind, OBJ_SIMPLE_HDMI, 2, Any},
      {398, u"vn_i2c_kdz2a.spin2"_s, u"vn_i2c_kdz2a.spin2"_s, Kind, OBJ_I2C_BUS, 1, Any},
      {399, u"vn_i2c_scanner.spin2"_s, u"vn_i2c_scanner.spin2"_s, Kind, OBJ_I2C_BUS, 2, Any},
      {348, u"vn_rgbx_pixel_kdz.spin2"_s, u"vn_rgbx_pixel_kdz.spin2"_s, Kind, OBJ_NEOPIXEL, 1, Any},
      {352, u"rtc_DS1339.spin2"_s, u"rtc_DS1339.spin2"_s, Kind, OBJ_RTC, 1, Any},
      // Written under the name the main file's OBJ line gives, for case-sensitive file systems.
      {353, u"simplesound.spin2"_s, u"simplesound.spin2"_s, Kind, OBJ_SIMPLE_SOUND, 1, Any},
      {354, u"space_sample2_S8.raw"_s, u"space_sample2_S8.raw"_s, Kind, OBJ_SIMPLE_SOUND, 2, Any},
      {355, u"space_sample1_S8.raw"_s, u"space_sample1_S8.raw"_s, Kind, OBJ_SIMPLE_SOUND, 3, Any},
      {356, u"platform_sample3_S8.raw"_s, u"platform_sample3_S8.raw"_s, Kind, OBJ_SIMPLE_SOUND, 4, Any},
      {357, u"platform_sample1_S8.raw"_s, u"platform_sample1_S8.raw"_s, Kind, OBJ_SIMPLE_SOUND, 5, Any},
      {358, u"pyr.mod"_s, u"pyr.mod"_s, Kind, OBJ_SIMPLE_SOUND, 6, Any},
      {359, u"reSound.spin2"_s, u"reSound.spin2"_s, Kind, OBJ_SIMPLE_SOUND, 7, Any},
      {360, u"trackerPlayer.spin2"_s, u"trackerPlayer.spin2"_s, Kind, OBJ_SIMPLE_SOUND, 8, Any},
      {361, u"vn_servo.spin2"_s, u"vn_servo.spin2"_s, Kind, OBJ_SERVO, 1, Any},
      {401, u"adc.spin2"_s, u"adc.spin2"_s, Kind, OBJ_ADC, 1, Any},
      // The variant without error LED is a small object over the main driver, so it needs both.
      {363, u"1CogKbM_kdz3b.spin2"_s, u"1CogKbM_kdz3b.spin2"_s, Kind, OBJ_USB_KBM, 1, Any},
      {364, u"1CogKbM_kdz3b_NoErrorLed.spin2"_s, u"1CogKbM_kdz3b_NoErrorLed.spin2"_s, Kind, OBJ_USB_KBM, 2, WithoutErrorLed},
      // The capture object holds the I2C set-up; one sensor object per supported camera type.
      {368, u"CameraCapture.spin2"_s, u"CameraCapture.spin2"_s, Kind, OBJ_CAMERA, 1, Any},
      {369, u"OV2640.spin2"_s, u"OV2640.spin2"_s, Kind, OBJ_CAMERA, 2, Any},
      {370, u"OV5640.spin2"_s, u"OV5640.spin2"_s, Kind, OBJ_CAMERA, 3, Any},
      {371, u"OV7675.spin2"_s, u"OV7675.spin2"_s, Kind, OBJ_CAMERA, 4, Any},
  };
  // clang-format on
  return table;
}

namespace {

bool VariantApplies(DriverVariant variant, const CCodeObject& object) {
  switch (variant) {
    case DriverVariant::Any:
      return true;
    case DriverVariant::WithoutErrorLed:
      return object.m_bParam[3];  // "Do not use Error LED pin"
  }
  return false;
}

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
           VariantApplies(row.m_variant, object);
  });
}

QList<const CDriverFile*> DriverFilesFor(DriverUse use) {
  return SelectInOrder([use](const CDriverFile& row) { return row.m_use == use; });
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
