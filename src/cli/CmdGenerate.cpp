#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "cli/CliCommands.h"
#include "codegen/GenerateFiles.h"
#include "editors/ProjectChecks.h"
#include "model/KyvDoc.h"
#include "model/ProfileValues.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kVerb = u"generate"_s;

struct CGenerateArgs {
  QString m_sProject;
  QString m_sOut;
  QString m_sSdDriver;
  QString m_sTime;
  QString m_sDriverFolder;
  bool m_bOverwrite = false;
  bool m_bForce = false;  // generate even when the project checks find errors
  bool m_bRememberTools = false;
};

// Fills args; returns an empty text or what is wrong with the command line.
QString ParseArgs(const QStringList& list, CGenerateArgs& args) {
  const QList<std::pair<QString, QString CGenerateArgs::*>> options = {
      {u"--out"_s, &CGenerateArgs::m_sOut},
      {u"--sd-driver"_s, &CGenerateArgs::m_sSdDriver},
      {u"--time"_s, &CGenerateArgs::m_sTime},
      {u"--driver-folder"_s, &CGenerateArgs::m_sDriverFolder},
  };
  for (int i = 0; i < list.size(); ++i) {
    const QString& arg = list[i];
    const auto option =
        std::find_if(options.begin(), options.end(), [&](const auto& o) { return o.first == arg; });
    if (option != options.end()) {
      if (i + 1 >= list.size()) return arg + u" needs a value"_s;
      args.*option->second = list[++i];
    } else if (arg == u"--overwrite"_s) {
      args.m_bOverwrite = true;
    } else if (arg == u"--force"_s) {
      args.m_bForce = true;
    } else if (arg == u"--remember-tools"_s) {
      args.m_bRememberTools = true;
    } else if (arg.startsWith(u"--"_s)) {
      return u"unknown option "_s + arg;
    } else if (args.m_sProject.isEmpty()) {
      args.m_sProject = arg;
    } else {
      return u"expected one FILE.KYV"_s;
    }
  }
  if (args.m_sProject.isEmpty()) return u"expected one FILE.KYV"_s;
  if (!args.m_sSdDriver.isEmpty() && args.m_sSdDriver != u"fsrw"_s &&
      args.m_sSdDriver != u"fat32"_s)
    return u"--sd-driver takes fsrw or fat32"_s;
  return QString();
}

}  // namespace

int CmdGenerate(const QStringList& list, CCliContext& context) {
  CGenerateArgs args;
  const QString problem = ParseArgs(list, args);
  if (!problem.isEmpty()) return UsageError(kVerb, problem, context);

  if (!args.m_sTime.isEmpty()) {
    const QDateTime moment = QDateTime::fromString(args.m_sTime, u"yyyy-MM-dd'T'HH:mm:ss"_s);
    if (!moment.isValid())
      return UsageError(kVerb, u"--time takes YYYY-MM-DDTHH:MM:SS, not "_s + args.m_sTime, context);
    context.m_pFixedClock = std::make_unique<CFixedClock>(moment);
    context.m_platform.m_pClock = context.m_pFixedClock.get();
  }
  if (!args.m_sDriverFolder.isEmpty() && !QFileInfo(args.m_sDriverFolder).isDir()) {
    context.m_err << u"kyv-cli: the driver folder "_s << args.m_sDriverFolder
                  << u" does not exist"_s << Qt::endl;
    return kExitUserError;
  }
  if (!args.m_sOut.isEmpty() && !QDir().mkpath(args.m_sOut)) {
    context.m_err << u"kyv-cli: cannot create the folder "_s << args.m_sOut << Qt::endl;
    return kExitUserError;
  }

  auto doc = OpenProject(args.m_sProject, context);
  if (!doc) return kExitUserError;
  if (!args.m_sSdDriver.isEmpty()) doc->m_nSdDriver = args.m_sSdDriver == u"fat32"_s ? 1 : 0;

  // As the application does: the checks first, and errors stop the generation unless forced.
  const QList<CFinding> findings = CheckProject(*doc);
  for (const CFinding& finding : findings)
    if (finding.m_nSeverity != FindingSeverity::Note)
      context.m_err << SeverityName(finding.m_nSeverity) << u": "_s << finding.m_sText << u" ["_s
                    << finding.m_sCode << u"]\n"_s;
  if (HasErrors(findings) && !args.m_bForce) {
    context.m_err << u"kyv-cli: nothing written: the project checks found errors. Correct them "
                     u"(kyv-cli check "_s
                  << args.m_sProject << u"), or generate anyway with --force."_s << Qt::endl;
    return kExitUserError;
  }
  context.m_err.flush();
  if (args.m_bRememberTools && context.m_platform.m_pSettings)
    RememberProfileValues(*doc, *context.m_platform.m_pSettings);

  const CGenerateResult result =
      GenerateFiles(*doc, {args.m_sOut, args.m_sDriverFolder,
                           args.m_bOverwrite ? MainFileUpdate::Overwrite : MainFileUpdate::Merge});
  for (const QString& path : result.m_filesWritten) context.m_out << path << u'\n';
  context.m_out.flush();
  if (!result.m_bCompleted) return kExitUserError;
  return result.m_mainFile.m_conflicts.isEmpty() ? kExitOk : kExitConflicts;
}
