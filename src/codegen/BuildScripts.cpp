#include "codegen/BuildScripts.h"

#include <algorithm>

#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

QString ProjectBaseName(const CKyvDoc& doc) {
  const QString& title = doc.GetTitle();
  return title.size() > 4 ? title.left(title.size() - 4) : QString();
}

namespace {

// cmd.exe splits a command line at blanks: a path that holds one goes in double quotes. Paths
// without blanks are written bare, as they always were.
QString BatPath(const QString& path) { return path.contains(u' ') ? u'"' + path + u'"' : path; }

// The shell splits and expands far more than blanks: anything beyond a plain path character is
// single-quoted, a quote inside written as '\''.
QString ShPath(const QString& path) {
  static const QString plain = u"/._+-:@%=,"_s;
  const bool quote = path.isEmpty() || std::any_of(path.begin(), path.end(), [](QChar c) {
                       return !(c.isLetterOrNumber() && c.unicode() < 0x80) && !plain.contains(c);
                     });
  if (!quote) return path;
  QString escaped = path;
  escaped.replace(u"'"_s, u"'\\''"_s);
  return u'\'' + escaped + u'\'';
}

// A configured folder with '/' separators, quoted for the shell.
QString ShFolder(const QString& folder) {
  QString posix = folder;
  posix.replace(u'\\', u'/');
  return ShPath(posix);
}

// A tool in a configured folder; with no folder configured, the tool is found on PATH.
QString ShTool(const QString& folder, const QString& tool) {
  return folder.isEmpty() ? tool : ShFolder(folder + u'/' + tool);
}

using PathFormat = QString (*)(const QString&);

// The compiler's options after its include folder: O of the compile line.
QString CompilerOptions(const CKyvDoc& doc, PathFormat path) {
  QString options = u" "_s;
  if (doc.m_bUseLibraryPath) options += u"-L "_s + path(doc.m_sLibraryPath);
  if (doc.m_bUseOptLevel) options += u" -O"_s + doc.m_sOptLevel;
  if (doc.m_bUseFlexOptions) options += u" "_s + doc.m_sFlexOptions;
  return options;
}

QString ChosenSerialPort(const CKyvDoc& doc) {
  const CSettingsStore* settings = doc.Platform().m_pSettings;
  return settings ? settings->ReadString(kSerialPortSetting, QString()) : QString();
}

// The loader's options: L of the load line. A baud option is always present.
QString LoaderOptions(const CKyvDoc& doc, PathFormat path) {
  QString options = u" "_s;
  if (const QString port = ChosenSerialPort(doc); !port.isEmpty())
    options += u"-p "_s + path(port) + u" "_s;
  if (doc.m_bShowTerminal) options += u"-T "_s;
  if (doc.m_bWaitForKey) options += u"-k "_s;
  if (doc.m_bUsePlan9) options += u"-9 "_s + path(doc.m_sPlan9Path) + u" "_s;
  if (doc.m_bUseBaud)
    options += u"-b "_s + doc.m_sBaud + u" "_s;
  else
    options += u"-b 230400 "_s;
  if (doc.m_bUseLoadP2Options) options += doc.m_sLoadP2Options;
  return options;
}

}  // namespace

QString BuildBatText(const CKyvDoc& doc) {
  QString text;
  text += u"REM Kyv Generated Batch file\n"_s;
  text += BatPath(doc.m_sFlexSpinPath + u"\\FlexSpin.exe"_s) + u" -2"_s + u" -L "_s +
          BatPath(doc.m_sFlexSpinPath + u"\\include"_s) + u" "_s + CompilerOptions(doc, BatPath) +
          u" "_s + ProjectBaseName(doc) + u".spin2"_s + u"\n"_s;
  text += u"Pause \n"_s;
  return text;
}

QString LoadBatText(const CKyvDoc& doc) {
  QString text;
  text += u"REM Kyv Generated Batch file\n"_s;
  text += BatPath(doc.m_sLoadP2Path + u"\\loadp2.exe"_s) + u" "_s + LoaderOptions(doc, BatPath) +
          u" "_s + ProjectBaseName(doc) + u".binary"_s + u"\n"_s;
  text += u"Pause \n"_s;
  return text;
}

// The shell scripts start in their own folder, as cmd.exe starts the batch files in the project
// folder, and end with the tool's exit status instead of a pause.
QString BuildShText(const CKyvDoc& doc) {
  // flexspin finds its own include folder beside itself when it comes from PATH.
  const QString include = doc.m_sFlexSpinPath.isEmpty()
                              ? QString()
                              : u" -L "_s + ShFolder(doc.m_sFlexSpinPath + u"/include"_s);
  QString text;
  text += u"#!/bin/sh\n"_s;
  text += u"# Kyv Generated shell script\n"_s;
  text += u"cd \"$(dirname \"$0\")\" || exit 1\n"_s;
  text += ShTool(doc.m_sFlexSpinPath, u"flexspin"_s) + u" -2"_s + include + u" "_s +
          CompilerOptions(doc, ShFolder) + u" "_s + ProjectBaseName(doc) + u".spin2"_s + u"\n"_s;
  return text;
}

QString LoadShText(const CKyvDoc& doc) {
  QString text;
  text += u"#!/bin/sh\n"_s;
  text += u"# Kyv Generated shell script\n"_s;
  text += u"cd \"$(dirname \"$0\")\" || exit 1\n"_s;
  text += ShTool(doc.m_sLoadP2Path, u"loadp2"_s) + u" "_s + LoaderOptions(doc, ShFolder) + u" "_s +
          ProjectBaseName(doc) + u".binary"_s + u"\n"_s;
  return text;
}
