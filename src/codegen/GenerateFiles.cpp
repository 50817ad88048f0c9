#include "codegen/GenerateFiles.h"

#include <QDir>
#include <QFile>

#include "codegen/BuildScripts.h"
#include "codegen/DriverFiles.h"
#include "codegen/GeneratedFileWriter.h"
#include "codegen/GeneratedText.h"
#include "codegen/MainFile.h"
#include "codegen/SingleByteCheck.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// A script's text and how it is stored: cmd.exe reads one byte per character with CR LF line
// ends; the shell scripts are UTF-8, as file names on disk are, and executable.
struct CScript {
  QString m_sFileName;
  QString (*m_pText)(const CKyvDoc&);
  bool m_bShell;
};

// build.bat and load.bat for cmd.exe; elsewhere also build.sh and load.sh for the POSIX tools.
QList<CScript> Scripts() {
  QList<CScript> scripts = {
      {u"build.bat"_s, &BuildBatText, false},
      {u"load.bat"_s, &LoadBatText, false},
  };
#ifndef Q_OS_WIN
  scripts.append({u"build.sh"_s, &BuildShText, true});
  scripts.append({u"load.sh"_s, &LoadShText, true});
#endif
  return scripts;
}

bool WriteScript(const CScript& script, const CKyvDoc& doc, const QString& folder,
                 CGeneratedFileWriter& files) {
  const QString path = QDir::toNativeSeparators(QDir(folder).filePath(script.m_sFileName));
  const QString text = script.m_pText(doc);
  if (!script.m_bShell) {
    QByteArray bytes;
    if (!EncodeSingleByte(text, &bytes)) {
      files.Fail(path, u"the text holds a character that has no single-byte form"_s);
      return false;
    }
    return files.Write(path, bytes);
  }
  if (!files.Write(path, text.toUtf8())) return false;
  if (!QFile::setPermissions(
          path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther)) {
    files.Fail(path, u"it cannot be made executable"_s);
    return false;
  }
  return true;
}

// Every file this generation may write; the kept copies of a replaced main file sit in the same
// record folder as its base.
QStringList PlannedPaths(const CKyvDoc& doc, const QString& folder) {
  QStringList paths;
  for (const CScript& script : Scripts())
    paths.append(QDir::toNativeSeparators(QDir(folder).filePath(script.m_sFileName)));
  const QString main = MainFilePath(doc, folder);
  paths += {main, BackupPath(main), MergeBasePath(main)};
  for (const QString& name : DriverFileNames(doc))
    paths.append(QDir::toNativeSeparators(QDir(folder).filePath(name)));
  return paths;
}

QString DriverFolder(const CKyvDoc& doc, const CGenerateOptions& options) {
  if (!options.m_sDriverFolder.isEmpty()) return options.m_sDriverFolder;
  const CSettingsStore* settings = doc.Platform().m_pSettings;
  return settings ? settings->ReadString(kDriverFolderSetting, QString()) : QString();
}

}  // namespace

CGenerateResult GenerateFiles(CKyvDoc& doc, const CGenerateOptions& options,
                              const QStringList& finalNotes) {
  CGenerateResult result;

  const QString folder = options.m_sOutputFolder.isEmpty()
                             ? doc.GetProjectPath()
                             : QDir::toNativeSeparators(options.m_sOutputFolder);
  if (folder.isEmpty()) return result;

  if (const auto unwritable = FindUnwritableText(doc)) {
    doc.Messages().ShowPlain(UnwritableTextMessage(*unwritable));
    return result;
  }
  if (const auto unsafe = FindScriptUnsafeText(doc)) {
    doc.Messages().ShowPlain(ScriptUnsafeTextMessage(*unsafe));
    return result;
  }

  CGeneratedFileWriter files(doc.Messages(), result, folder);
  if (!files.RefuseLinks(PlannedPaths(doc, folder))) return result;
  for (const CScript& script : Scripts())
    if (!WriteScript(script, doc, folder, files)) return result;

  CDriverWriter drivers(folder, DriverFolder(doc, options), files);
  if (!WriteMainFile(doc, folder, options.m_mainFileUpdate, drivers, files)) return result;

  for (const auto& object : doc.m_ObjectList)
    if (!drivers.WriteFor(*object)) return result;

  QString message = u"Project files created in "_s + folder + u"."_s;
  for (const QString& note : RegenerationNotes(result.m_mainFile)) message += u'\n' + note;
  for (const QString& note : drivers.Notes() + finalNotes) message += u'\n' + note;
  for (const QString& file : result.m_unbundledFiles)
    message += u"\nWarning: "_s + file +
               u" was written empty: its driver is not bundled with this build of Kyv."_s;
  doc.Messages().ShowPlain(message);

  result.m_bCompleted = true;
  return result;
}
