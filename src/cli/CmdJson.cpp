#include <QDir>

#include "cli/CliCommands.h"
#include "cli/ImportChecks.h"
#include "model/KyvFile.h"
#include "model/ProjectJson.h"
#include "model/ProjectLock.h"

int CmdExport(const QStringList& args, CCliContext& context) {
  const QString verb = QStringLiteral("export");
  QString project;
  QString output;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == u"-o") {
      if (++i == args.size())
        return UsageError(verb, QStringLiteral("-o needs a file name"), context);
      output = args[i];
    } else if (args[i].startsWith(u'-') && args[i].size() > 1) {
      return UsageError(verb, QStringLiteral("unknown option \"%1\"").arg(args[i]), context);
    } else if (project.isEmpty()) {
      project = args[i];
    } else {
      return UsageError(verb, QStringLiteral("expected one FILE.KYV"), context);
    }
  }
  if (project.isEmpty()) return UsageError(verb, QStringLiteral("expected one FILE.KYV"), context);

  auto doc = OpenProject(project, context);
  if (!doc) return kExitUserError;
  const QByteArray json = ProjectToJson(*doc);
  return WriteOutput(json, output, context);
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
