#include "codegen/GenerateFiles.h"

#include <QDir>
#include <QFile>

#include "codegen/BuildScripts.h"
#include "codegen/DriverFiles.h"
#include "codegen/GeneratedText.h"
#include "codegen/MainFile.h"
#include "codegen/SingleByteCheck.h"
#include "model/KyvDoc.h"
#include "model/ProfileValues.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct CScript {
  QString m_sFileName;
  QString (*m_pText)(const CKyvDoc&);
  LineEnd m_lineEnd;
  bool m_bExecutable;
};

// build.bat and load.bat for cmd.exe; elsewhere also build.sh and load.sh for the POSIX tools.
QList<CScript> Scripts() {
  QList<CScript> scripts = {
      {u"build.bat"_s, &BuildBatText, LineEnd::CrLf, false},
      {u"load.bat"_s, &LoadBatText, LineEnd::CrLf, false},
  };
#ifndef Q_OS_WIN
  scripts.append({u"build.sh"_s, &BuildShText, LineEnd::Lf, true});
  scripts.append({u"load.sh"_s, &LoadShText, LineEnd::Lf, true});
#endif
  return scripts;
}

bool WriteScript(const CScript& script, CKyvDoc& doc, const QString& folder,
                 CGenerateResult& result) {
  const QString path = QDir::toNativeSeparators(QDir(folder).filePath(script.m_sFileName));
  QString reason;
  if (!WriteTextFile(path, script.m_pText(doc), script.m_lineEnd, &reason)) {
    doc.Messages().ShowPlain(CantCreateMessage(path, reason));
    return false;
  }
  if (script.m_bExecutable)
    QFile::setPermissions(
        path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
  result.m_filesWritten.append(path);
  return true;
}

QString DriverFolder(const CKyvDoc& doc, const CGenerateOptions& options) {
  if (!options.m_sDriverFolder.isEmpty()) return options.m_sDriverFolder;
  const CSettingsStore* settings = doc.Platform().m_pSettings;
  return settings ? settings->ReadString(kDriverFolderSetting, QString()) : QString();
}

}  // namespace

CGenerateResult GenerateFiles(CKyvDoc& doc, const CGenerateOptions& options) {
  CGenerateResult result;

  const QString folder = options.m_sOutputFolder.isEmpty()
                             ? doc.GetProjectPath()
                             : QDir::toNativeSeparators(options.m_sOutputFolder);
  if (folder.isEmpty()) return result;

  // The settings tab copies what is on screen into the document.
  doc.UpdateAllViews();

  if (const auto unwritable = FindUnwritableText(doc)) {
    doc.Messages().ShowPlain(UnwritableTextMessage(*unwritable));
    return result;
  }

  if (CSettingsStore* settings = doc.Platform().m_pSettings)
    for (const CProfileValue& value : ProfileValues())
      settings->WriteString(value.m_sName, doc.*value.m_pMember);

  for (const CScript& script : Scripts())
    if (!WriteScript(script, doc, folder, result)) return result;

  CDriverWriter drivers(folder, DriverFolder(doc, options), result);
  doc.m_bHasSound = false;
  const bool mainFileWritten = WriteMainFile(doc, folder, drivers, result);

  for (const auto& object : doc.m_ObjectList) drivers.WriteFor(*object);

  QString message = u"Project files created in "_s + folder + u"."_s;
  for (const QString& note : drivers.Notes()) message += u'\n' + note;
  for (const QString& file : result.m_unbundledFiles)
    message += u"\nWarning: "_s + file +
               u" was written empty: its driver is not bundled with this build of Kyv."_s;
  doc.Messages().ShowPlain(message);

  result.m_bCompleted = mainFileWritten;
  return result;
}
