#include "codegen/ToolChecks.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "codegen/BuildScripts.h"
#include "codegen/CompilerOutput.h"
#include "codegen/TextMerge.h"
#include "model/KyvDoc.h"
#include "model/ProjectSettings.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSettingsTab = u"\"P2 & FlexSpin\""_s;
const QString kGenerateButton = u"\"1: Generate Code\""_s;
const QString kCompileButton = u"\"2: Compile\""_s;

QString OnThisPlatform(const QString& windows, const QString& elsewhere) {
#if defined(Q_OS_WIN)
  Q_UNUSED(elsewhere);
  return windows;
#else
  Q_UNUSED(windows);
  return elsewhere;
#endif
}

// The folder as the file system takes it: off Windows, backslashes (a project made on Windows)
// read as slashes, as the shell scripts write them.
QString LocalFolder(const QString& folder) {
#if defined(Q_OS_WIN)
  return folder;
#else
  QString local = folder;
  return local.replace(u'\\', u'/');
#endif
}

// "" when program is in the folder (on the search path when the folder is empty), else what to
// fix, naming the folder and its label.
QString MissingTool(const QString& program, const QString& folder, const QString& label,
                    const QStringList& searchPath) {
  const bool found =
      folder.isEmpty() ? !QStandardPaths::findExecutable(program, searchPath).isEmpty()
                       : !QStandardPaths::findExecutable(program, {LocalFolder(folder)}).isEmpty();
  if (found) return QString();
  const QString where = folder.isEmpty() ? u"on the PATH"_s : u"in the folder "_s + folder;
  return program + u" was not found "_s + where + u". Set \""_s + label.trimmed() +
         u"\" on the "_s + kSettingsTab + u" tab to the folder that holds it, then press "_s +
         kGenerateButton + u" again."_s;
}

// "" when every file is in the project folder, else the request to generate first.
QString MissingGeneratedFile(const QDir& project, const QStringList& files) {
  for (const QString& file : files)
    if (!project.exists(file))
      return u"Generate the project first: press "_s + kGenerateButton + u" ("_s + file +
             u" is not in "_s + QDir::toNativeSeparators(project.path()) + u")."_s;
  return QString();
}

}  // namespace

QString BuildScriptName() { return OnThisPlatform(u"build.bat"_s, u"build.sh"_s); }
QString LoadScriptName() { return OnThisPlatform(u"load.bat"_s, u"load.sh"_s); }

QString CompileProblem(const CKyvDoc& doc, const QString& projectFolder,
                       const QStringList& searchPath) {
  const QDir project(projectFolder);
  const QString mainFile = ProjectBaseName(doc) + u".spin2"_s;
  QString problem = MissingGeneratedFile(project, {BuildScriptName(), mainFile});
  if (problem.isEmpty()) problem = MainFileConflictProblem(doc, projectFolder);
  if (problem.isEmpty())
    problem = MissingTool(u"flexspin"_s, doc.m_sFlexSpinPath, FlexSpinFolderLabel(), searchPath);
  return problem;
}

QString MainFileConflictProblem(const CKyvDoc& doc, const QString& projectFolder) {
  const QString path = QDir(projectFolder).filePath(ProjectBaseName(doc) + u".spin2"_s);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  const int line = FirstConflictMarkerLine(file.readAll());
  if (line == 0) return QString();
  return u"Resolve the conflict at line %1 of %2: keep the lines you want between the "
         u"\"<<<<<<<\" and \">>>>>>>\" lines and delete the rest with the three marker lines, "
         u"then save the file."_s.arg(line)
             .arg(QDir::toNativeSeparators(path));
}

QString LoadProblem(const CKyvDoc& doc, const QString& projectFolder,
                    const QStringList& searchPath) {
  const QDir project(projectFolder);
  const QString mainFile = ProjectBaseName(doc) + u".spin2"_s;
  const QString binary = ProjectBaseName(doc) + u".binary"_s;
  QString problem = MissingGeneratedFile(project, {LoadScriptName(), mainFile});
  if (!problem.isEmpty()) return problem;

  const QFileInfo compiled(project.filePath(binary));
  if (!compiled.exists())
    return u"Compile first: press "_s + kCompileButton + u" ("_s + binary + u" is not in "_s +
           QDir::toNativeSeparators(project.path()) + u")."_s;
  if (compiled.lastModified() < QFileInfo(project.filePath(mainFile)).lastModified())
    return u"Compile first: press "_s + kCompileButton + u" ("_s + binary + u" is older than "_s +
           mainFile + u")."_s;

  return MissingTool(u"loadp2"_s, doc.m_sLoadP2Path, LoadP2FolderLabel(), searchPath);
}

QString LoadRefusal(const CBuildOutcome& lastBuild, const QString& binaryPath) {
  const QFileInfo binary(binaryPath);
  // Only the binary that build left behind is held to what it reported.
  const QDateTime written = binary.exists() ? binary.lastModified() : QDateTime();
  if (written != lastBuild.m_binaryWritten) return QString();
  const QString name = binary.fileName();
  if (lastBuild.m_programSize && *lastBuild.m_programSize > kHubRamBytes)
    return u"%1 was not loaded: the last build reported a program of %2 bytes, %3 bytes more than "
           u"the P2's 512 KB hub RAM holds. Make the program smaller and press %4 again."_s.arg(
               name, QString::number(*lastBuild.m_programSize),
               QString::number(*lastBuild.m_programSize - kHubRamBytes), kCompileButton);
  if (lastBuild.m_bFailed)
    return u"%1 was not loaded: the last build failed (%2), so it does not hold the program as it "
           u"is now. Fix the error and press %3 again."_s.arg(name, lastBuild.m_sFailure,
                                                              kCompileButton);
  return QString();
}

CFlexPropStart FindFlexProp(const QString& flexPropFolder, const QStringList& searchPath) {
  if (!flexPropFolder.isEmpty()) {
    const QString folder = LocalFolder(flexPropFolder);
    const QString program = QStandardPaths::findExecutable(u"flexprop"_s, {folder});
    if (!program.isEmpty()) return {program, {}};
    const QString script = QDir(folder).filePath(u"flexprop.tcl"_s);
    const QString wish = QStandardPaths::findExecutable(u"wish"_s, searchPath);
    if (QFileInfo::exists(script) && !wish.isEmpty()) return {wish, {script}};
  }
  return {QStandardPaths::findExecutable(u"flexprop"_s, searchPath), {}};
}

QString FlexPropMissingMessage(const QString& flexPropFolder) {
  const QString where = flexPropFolder.isEmpty()
                            ? u"on the PATH"_s
                            : u"in "_s + flexPropFolder + u" nor on the PATH"_s;
  return u"FlexProp was not found "_s + where + u". Set \""_s + FlexSpinFolderLabel().trimmed() +
         u"\" on the "_s + kSettingsTab +
         u" tab to the bin folder of your FlexProp install, or put flexprop on the PATH."_s;
}
