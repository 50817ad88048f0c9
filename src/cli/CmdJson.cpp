#include <QDir>

#include "cli/CliCommands.h"
#include "cli/ImportChecks.h"
#include "model/KyvFile.h"
#include "model/ProjectJson.h"
#include "model/ProjectLock.h"

int CmdExport(const QStringList& args, CCliContext& context) {
  CFileArguments read;
  if (!ReadFileArguments(QStringLiteral("export"), args, {}, true, read, context))
    return kExitUsage;

  auto doc = OpenProject(read.m_sPath, context);
  if (!doc) return kExitUserError;
  const QByteArray json = ProjectToJson(*doc);
  return WriteOutput(json, read.m_sOutput, context);
}

int CmdImport(const QStringList& args, CCliContext& context) {
  if (args.size() != 2)
    return UsageError(QStringLiteral("import"), QStringLiteral("expected IN.json and FILE.KYV"),
                      context);
  QByteArray json;
  QString error;
  if (!ReadProjectFileBytes(args[0], &json, &error)) {
    context.m_err << error << Qt::endl;
    return kExitUserError;
  }
  const auto doc = ProjectFromJson(json, context.m_platform, &error);
  if (doc) error = ImportedProjectProblem(*doc);
  if (!doc || !error.isEmpty()) {
    context.m_err << QDir::toNativeSeparators(args[0]) << QStringLiteral(": ") << error << Qt::endl;
    return kExitUserError;
  }
  CProjectLock lock(args[1]);
  if (!LockProject(lock, context)) return kExitUserError;
  return SaveProject(*doc, args[1], context) ? kExitOk : kExitUserError;
}
