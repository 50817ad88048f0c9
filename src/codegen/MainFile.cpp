#include "codegen/MainFile.h"

#include <QDir>

#include "codegen/BuildScripts.h"
#include "codegen/DriverFiles.h"
#include "codegen/GenerateFiles.h"
#include "codegen/GeneratedFileWriter.h"
#include "codegen/GeneratedText.h"
#include "codegen/MainFileSections.h"
#include "model/KyvDoc.h"

QString MainFilePath(const CKyvDoc& doc, const QString& folder) {
  return QDir::toNativeSeparators(
      QDir(folder).filePath(ProjectBaseName(doc) + QStringLiteral(".spin2")));
}

QString MainFileText(CKyvDoc& doc) {
  doc.m_bHasSound = false;  // the constants set it again for an object that needs it
  QString text;
  WriteMainFileHeader(doc, text);
  WriteObjectConstants(doc, text);
  text += QStringLiteral("\n");
  WriteObjBlock(doc, text);
  WriteVarBlock(doc, text);
  WriteMainRoutine(doc, text);
  WriteLoopRoutine(doc, text);
  WriteSetupRoutine(doc, text);
  WriteHelperRoutines(doc, text);
  return text;
}

bool WriteMainFile(CKyvDoc& doc, const QString& folder, MainFileUpdate update,
                   CDriverWriter& drivers, CGeneratedFileWriter& files) {
  const QString path = MainFilePath(doc, folder);
  doc.m_sMainFilePath = path;

  const QString text = MainFileText(doc);
  // Generate Files has checked every text for single-byte characters before getting here.
  QByteArray bytes;
  if (!EncodeSingleByte(text, &bytes)) {
    files.Fail(path, QStringLiteral("the text holds a character that has no single-byte form"));
    return false;
  }
  if (!WriteRegeneratedFile(path, bytes, update, files, &files.Result().m_mainFile)) return false;

  // The drivers the OBJ block names.
  for (DriverUse use : SettingDriverUses(doc))
    if (!drivers.WriteFor(use)) return false;
  return true;
}
