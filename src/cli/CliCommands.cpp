#include "cli/CliCommands.h"

#include <QDir>

#include "model/AtomicFile.h"
#include "model/KyvFile.h"
#include "model/ProjectLock.h"
#include "model/ProjectPaths.h"

const std::vector<CCliCommand>& CliCommands() {
  static const std::vector<CCliCommand> commands = {
      {QStringLiteral("new"), QStringLiteral("new FILE.KYV [--force]"),
       QStringLiteral("create a project as File New makes it and save it (.KYV is added to a "
                      "name without an ending); --force replaces an existing file"),
       &CmdNew},
      {QStringLiteral("info"), QStringLiteral("info FILE.KYV"),
       QStringLiteral("print the object list, the warnings and the used pins"), &CmdInfo},
      {QStringLiteral("add"), QStringLiteral("add FILE.KYV KIND [--set KEY=VALUE]..."),
       QStringLiteral("add an object as its editor's OK would; \"add KIND --help\" lists the keys"),
       &CmdAdd},
      {QStringLiteral("edit"), QStringLiteral("edit FILE.KYV NAME [--set KEY=VALUE]..."),
       QStringLiteral("change the first object of that name as its editor's OK would"), &CmdEdit},
      {QStringLiteral("delete"), QStringLiteral("delete FILE.KYV NAME"),
       QStringLiteral("delete the first object of that name and free its pins"), &CmdDelete},
      {QStringLiteral("generate"),
       QStringLiteral(
           "generate FILE.KYV [--out DIR] [--sd-driver fsrw|fat32] [--time YYYY-MM-DDTHH:MM:SS] "
           "[--driver-folder DIR] [--overwrite] [--force] [--remember-tools]"),
       QStringLiteral(
           "run the project checks, then write the scripts, the main Spin2 file and the driver "
           "files into the project folder (or DIR); prints the findings and the files written; "
           "with errors nothing is written unless --force; your changes to the main file are "
           "merged into the new one (exit status 3 when they conflict) unless --overwrite; "
           "--remember-tools makes the project's tool folders and options the defaults of new "
           "projects"),
       &CmdGenerate},
      {QStringLiteral("report"), QStringLiteral("report FILE.KYV --csv|--html [-o OUT]"),
       QStringLiteral("write the pin report (every pin's holder, kind, role and note; the HTML "
                      "page with the pin map) to OUT or to stdout"),
       &CmdReport},
      {QStringLiteral("check"), QStringLiteral("check FILE.KYV [--json]"),
       QStringLiteral("print what would keep the project from building or working on the P2, "
                      "as \"error: \", \"warning: \" and \"note: \" lines or as JSON; exits 1 "
                      "when there are errors"),
       &CmdCheck},
      {QStringLiteral("export"), QStringLiteral("export FILE.KYV [-o OUT.json]"),
       QStringLiteral("write the project as JSON to OUT.json or to stdout"), &CmdExport},
      {QStringLiteral("import"), QStringLiteral("import IN.json FILE.KYV"),
       QStringLiteral("make a project file from its JSON form (nothing written on an error)"),
       &CmdImport},
  };
  return commands;
}

std::unique_ptr<CKyvDoc> OpenProject(const QString& path, CCliContext& context) {
  QString error;
  auto doc = LoadKyvFile(path, context.m_platform, &error);
  if (!doc) context.m_err << error << Qt::endl;
  return doc;
}

bool SaveProject(CKyvDoc& doc, const QString& path, CCliContext& context) {
  QString error;
  if (SaveKyvFile(doc, path, &error)) return true;
  context.m_err << error << Qt::endl;
  return false;
}

bool LockProject(CProjectLock& lock, CCliContext& context) {
  QString error;
  if (lock.Acquire(&error)) return true;
  context.m_err << error << Qt::endl;
  return false;
}

int WriteOutput(const QByteArray& bytes, const QString& path, CCliContext& context) {
  if (path.isEmpty()) {
    context.m_out << QString::fromUtf8(bytes);
    context.m_out.flush();
    return kExitOk;
  }
  QString reason;
  if (WriteFileAtomically(path, bytes, &reason)) return kExitOk;
  context.m_err
      << QStringLiteral("Cannot write %1: %2.").arg(QDir::toNativeSeparators(path), reason)
      << Qt::endl;
  return kExitUserError;
}

bool ReadFileArguments(
    const QString& verb, const QStringList& args, const QStringList& flags, bool takesOutput,
    CFileArguments& read, CCliContext& context,
    const std::function<QString(const CFileArguments&, const QString&)>& refuseFlag) {
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (takesOutput && arg == u"-o") {
      if (++i == args.size()) {
        UsageError(verb, QStringLiteral("-o needs a file name"), context);
        return false;
      }
      read.m_sOutput = args[i];
    } else if (flags.contains(arg)) {
      const QString refusal = refuseFlag ? refuseFlag(read, arg) : QString();
      if (!refusal.isEmpty()) {
        UsageError(verb, refusal, context);
        return false;
      }
      if (!read.Has(arg)) read.m_flags.append(arg);
    } else if (arg.startsWith(u'-') && arg.size() > 1) {
      UsageError(verb, QStringLiteral("unknown option \"%1\"").arg(arg), context);
      return false;
    } else if (read.m_sPath.isEmpty()) {
      read.m_sPath = arg;
    } else {
      UsageError(verb, QStringLiteral("expected one FILE.KYV"), context);
      return false;
    }
  }
  if (read.m_sPath.isEmpty()) {
    UsageError(verb, QStringLiteral("expected one FILE.KYV"), context);
    return false;
  }
  if (!read.m_sOutput.isEmpty() && IsSameFile(read.m_sOutput, read.m_sPath)) {
    UsageError(verb,
               QStringLiteral("-o %1 is the project file itself; nothing was written. Give "
                              "another output file.")
                   .arg(QDir::toNativeSeparators(read.m_sOutput)),
               context);
    return false;
  }
  return true;
}

int UsageError(const QString& verb, const QString& text, CCliContext& context) {
  context.m_err << QStringLiteral("kyv-cli: ") << text << Qt::endl;
  for (const CCliCommand& command : CliCommands())
    if (command.m_sVerb == verb)
      context.m_err << QStringLiteral("usage: kyv-cli ") << command.m_sUsage << Qt::endl;
  return kExitUsage;
}
