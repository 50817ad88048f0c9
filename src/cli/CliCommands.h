#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "cli/CliContext.h"

class CKyvDoc;
class CProjectLock;

// One verb of kyv-cli. Run gets the arguments after the verb.
struct CCliCommand {
  QString m_sVerb;
  QString m_sUsage;    // "new FILE.KYV"
  QString m_sSummary;  // one line for --help
  int (*m_pRun)(const QStringList& args, CCliContext& context);
};

const std::vector<CCliCommand>& CliCommands();

// Shared by the commands: open a project (the error goes to stderr, nullptr returned) and save
// one (false after printing the error).
std::unique_ptr<CKyvDoc> OpenProject(const QString& path, CCliContext& context);
bool SaveProject(CKyvDoc& doc, const QString& path, CCliContext& context);
// Takes the project's lock for a read-modify-write (false after printing why not).
bool LockProject(CProjectLock& lock, CCliContext& context);
// Writes a command's text result atomically to the file, or to stdout when the path is empty;
// returns the exit code (kExitUserError after printing why the file could not be written).
int WriteOutput(const QByteArray& bytes, const QString& path, CCliContext& context);
// The arguments of a verb that works on one project file.
struct CFileArguments {
  QString m_sPath;
  QString m_sOutput;    // after -o, for verbs that take it
  QStringList m_flags;  // the verb's flags that were given, each once, in order
  bool Has(const QString& flag) const { return m_flags.contains(flag); }
};
// Reads "FILE.KYV" with any of the verb's flags, in any order, and "-o OUT" when takesOutput.
// refuseFlag, when set, may refuse a flag given beside the ones already read: it returns the
// message, or "" to accept. False after reporting a usage error (return kExitUsage then).
bool ReadFileArguments(
    const QString& verb, const QStringList& args, const QStringList& flags, bool takesOutput,
    CFileArguments& read, CCliContext& context,
    const std::function<QString(const CFileArguments&, const QString&)>& refuseFlag = {});
// Prints "kyv-cli: " + text and the verb's usage line to stderr; returns kExitUsage.
int UsageError(const QString& verb, const QString& text, CCliContext& context);

// Verbs on whole project files.
int CmdNew(const QStringList& args, CCliContext& context);
int CmdInfo(const QStringList& args, CCliContext& context);

// Verbs on the objects of a project, through the same editors as the dialogs.
int CmdAdd(const QStringList& args, CCliContext& context);
int CmdEdit(const QStringList& args, CCliContext& context);
int CmdDelete(const QStringList& args, CCliContext& context);

// Generate Files, headless.
int CmdGenerate(const QStringList& args, CCliContext& context);

// The pin table as a CSV or HTML report.
int CmdReport(const QStringList& args, CCliContext& context);
// The project checks: findings as lines or JSON; exit 1 with errors.
int CmdCheck(const QStringList& args, CCliContext& context);

// The JSON form of a project, both directions.
int CmdExport(const QStringList& args, CCliContext& context);
int CmdImport(const QStringList& args, CCliContext& context);
