#include "codegen/BuildScripts.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <algorithm>

#include "model/KyvDoc.h"
#include "model/ProjectPaths.h"

using namespace Qt::Literals::StringLiterals;

QString ProjectBaseName(const CKyvDoc& doc) { return FileNameWithoutExtension(doc.GetTitle()); }

QString ChosenSerialPort(const CKyvDoc& doc) {
  const CSettingsStore* settings = doc.Platform().m_pSettings;
  return settings ? settings->ReadString(kSerialPortSetting, QString()) : QString();
}

namespace {

// Characters cmd.exe reads specially in a command line: "&" and "|" start another command,
// "(" and ")" group, "!" expands under delayed expansion. In a program's name or a path, blanks,
// tabs, commas, semicolons and "=" also split it. "%", "\"", "^", "<" and ">" never get here
// (FindScriptUnsafeText refuses them).
const QString kBatWordSpecials = u"&|()!"_s;
const QString kBatPathSpecials = u" \t,;="_s + kBatWordSpecials;

bool HoldsAny(const QString& text, const QString& characters) {
  return std::any_of(text.cbegin(), text.cend(), [&](QChar c) { return characters.contains(c); });
}

// A name or path as one word for cmd.exe: in double quotes when it holds a character cmd.exe
// treats specially; ordinary names and paths are written bare, as they always were.
QString BatPath(const QString& path) {
  return HoldsAny(path, kBatPathSpecials) ? u'"' + path + u'"' : path;
}

// An option field for cmd.exe: as typed, unless a word holds a special character; then that
// word goes in double quotes, so "&" or "|" cannot start another command.
QString BatOptions(const QString& field) {
  if (!HoldsAny(field, kBatWordSpecials)) return field;
  QStringList words;
  for (const QString& word : field.split(u' ', Qt::SkipEmptyParts))
    words.append(HoldsAny(word, kBatWordSpecials) ? u'"' + word + u'"' : word);
  return words.join(u' ');
}

// The project's own file in a command line: never read as an option, even when its name
// begins with "-".
QString ProjectFile(const CKyvDoc& doc, const QString& extension, QChar separator) {
  const QString file = ProjectBaseName(doc) + extension;
  return file.startsWith(u'-') ? u'.' + separator + file : file;
}

// The compiler's options after its include folder: O of the compile line.
QString CompilerOptions(const CKyvDoc& doc) {
  QString options = u" "_s;
  if (doc.m_bUseLibraryPath) options += u"-L "_s + BatPath(doc.m_sLibraryPath);
  if (doc.m_bUseOptLevel) options += u" "_s + BatPath(u"-O"_s + doc.m_sOptLevel);
  if (doc.m_bUseFlexOptions) options += u" "_s + BatOptions(doc.m_sFlexOptions);
  return options;
}

// The loader's options: L of the load line. A baud option is always present.
QString LoaderOptions(const CKyvDoc& doc) {
  QString options = u" "_s;
  if (const QString port = ChosenSerialPort(doc); !port.isEmpty())
    options += u"-p "_s + BatPath(port) + u" "_s;
  if (doc.m_bShowTerminal) options += u"-T "_s;
  if (doc.m_bWaitForKey) options += u"-k "_s;
  if (doc.m_bUsePlan9) options += u"-9 "_s + BatPath(doc.m_sPlan9Path) + u" "_s;
  if (doc.m_bUseBaud)
    options += u"-b "_s + BatPath(doc.m_sBaud) + u" "_s;
  else
    options += u"-b 230400 "_s;
  if (doc.m_bUseLoadP2Options) options += BatOptions(doc.m_sLoadP2Options);
  return options;
}

// One word for the shell whatever it holds: in single quotes, a quote inside written as '\''.
// Nothing inside single quotes is expanded, so a name or path can never run anything.
QString ShWord(const QString& word) {
  QString escaped = word;
  escaped.replace(u"'"_s, u"'\\''"_s);
  return u'\'' + escaped + u'\'';
}

// A configured folder with '/' separators.
QString PosixFolder(const QString& folder) {
  QString posix = folder;
  posix.replace(u'\\', u'/');
  return posix;
}

// A tool in a configured folder; with no folder configured, the tool is found on PATH.
QString ShTool(const QString& folder, const QString& tool) {
  return folder.isEmpty() ? tool : ShWord(PosixFolder(folder) + u'/' + tool);
}

// An option field split into words as a shell would split it (blanks, double quotes), each word
// quoted: the options work and nothing else in the field is run.
QStringList ShOptionWords(const QString& field) {
  QStringList words;
  for (const QString& word : QProcess::splitCommand(field)) words.append(ShWord(word));
  return words;
}

// The script around one command line: it starts in its own folder, as cmd.exe starts the batch
// files in the project folder, and ends with the tool's exit status instead of a pause.
QString ShScript(const QStringList& command) {
  QString text;
  text += u"#!/bin/sh\n"_s;
  text += u"# Kyv Generated shell script\n"_s;
  text += u"cd \"$(dirname \"$0\")\" || exit 1\n"_s;
  text += command.join(u' ') + u"\n"_s;
  return text;
}

}  // namespace

QString BuildBatText(const CKyvDoc& doc) {
  QString text;
  text += u"REM Kyv Generated Batch file\n"_s;
  text += BatPath(doc.m_sFlexSpinPath + u"\\FlexSpin.exe"_s) + u" -2"_s + u" -L "_s +
          BatPath(doc.m_sFlexSpinPath + u"\\include"_s) + u" "_s + CompilerOptions(doc) + u" "_s +
          BatPath(ProjectFile(doc, u".spin2"_s, u'\\')) + u"\n"_s;
  text += u"Pause \n"_s;
  return text;
}

QString LoadBatText(const CKyvDoc& doc) {
  QString text;
  text += u"REM Kyv Generated Batch file\n"_s;
  text += BatPath(doc.m_sLoadP2Path + u"\\loadp2.exe"_s) + u" "_s + LoaderOptions(doc) + u" "_s +
          BatPath(ProjectFile(doc, u".binary"_s, u'\\')) + u"\n"_s;
  text += u"Pause \n"_s;
  return text;
}

QString BuildShText(const CKyvDoc& doc) {
  QStringList command = {ShTool(doc.m_sFlexSpinPath, u"flexspin"_s), u"-2"_s};
  // flexspin finds its own include folder beside itself when it comes from PATH; a configured
  // folder without one (the Windows default on this machine) would only be an error.
  const QString include = PosixFolder(doc.m_sFlexSpinPath) + u"/include"_s;
  if (!doc.m_sFlexSpinPath.isEmpty() && QFileInfo(include).isDir())
    command << u"-L"_s << ShWord(include);
  if (doc.m_bUseLibraryPath) command << u"-L"_s << ShWord(PosixFolder(doc.m_sLibraryPath));
  if (doc.m_bUseOptLevel) command << ShWord(u"-O"_s + doc.m_sOptLevel);
  if (doc.m_bUseFlexOptions) command << ShOptionWords(doc.m_sFlexOptions);
  command << ShWord(ProjectFile(doc, u".spin2"_s, u'/'));
  return ShScript(command);
}

QString LoadShText(const CKyvDoc& doc) {
  QStringList command = {ShTool(doc.m_sLoadP2Path, u"loadp2"_s)};
  if (const QString port = ChosenSerialPort(doc); !port.isEmpty())
    command << u"-p"_s << ShWord(port);
  if (doc.m_bShowTerminal) command << u"-T"_s;
  if (doc.m_bWaitForKey) command << u"-k"_s;
  if (doc.m_bUsePlan9) command << u"-9"_s << ShWord(PosixFolder(doc.m_sPlan9Path));
  command << u"-b"_s << (doc.m_bUseBaud ? ShWord(doc.m_sBaud) : u"230400"_s);
  if (doc.m_bUseLoadP2Options) command << ShOptionWords(doc.m_sLoadP2Options);
  command << ShWord(ProjectFile(doc, u".binary"_s, u'/'));
  return ShScript(command);
}
