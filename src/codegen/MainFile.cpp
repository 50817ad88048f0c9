#include "codegen/MainFile.h"

#include <QDir>
#include <QFile>

#include "codegen/BuildScripts.h"
#include "codegen/DriverFiles.h"
#include "codegen/GenerateFiles.h"
#include "codegen/GeneratedText.h"
#include "codegen/MainFileSections.h"
#include "model/KyvDoc.h"

bool WriteMainFile(CKyvDoc& doc, const QString& folder, CDriverWriter& drivers,
                   CGenerateResult& result) {
  const QString path = QDir::toNativeSeparators(
      QDir(folder).filePath(ProjectBaseName(doc) + QStringLiteral(".spin2")));
  doc.m_sMainFilePath = path;

  // The first backup is kept: rename never replaces an existing .bak.
  QFile::rename(path, path + QStringLiteral(".bak"));

  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    doc.Messages().ShowPlain(CantCreateMessage(path, file.errorString()));
    return false;
  }
  result.m_filesWritten.append(path);

  QString text;
  WriteMainFileHeader(doc, text);
  WriteObjectConstants(doc, text);
  text += QStringLiteral("\n");
  drivers.WriteFor(DriverUse::Serial);
  WriteObjBlock(doc, text);
  if (doc.m_bMountSd) {
    drivers.WriteFor(doc.m_nSdDriver == 0 ? DriverUse::SdFsrw : DriverUse::SdFat32);
    drivers.WriteFor(DriverUse::SdCard);
  }
  WriteVarBlock(doc, text);
  WriteMainRoutine(doc, text);
  WriteLoopRoutine(doc, text);
  WriteSetupRoutine(doc, text);
  WriteSetDacModeAndLevel(doc, text);

  // Generate Files has checked every text for single-byte characters before getting here.
  QByteArray bytes;
  const bool encoded = EncodeSingleByte(text, LineEnd::CrLf, &bytes);
  if (!encoded || file.write(bytes) != bytes.size() || !file.flush()) {
    const QString reason =
        encoded ? file.errorString()
                : QStringLiteral("the text holds a character that has no single-byte form");
    file.close();
    doc.Messages().ShowPlain(CantCreateMessage(path, reason));
    result.m_filesWritten.removeAll(path);
    return false;
  }
  file.close();
  return true;
}
