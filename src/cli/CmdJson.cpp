#include "cli/CliCommands.h"
#include "model/KyvFile.h"
#include "model/ProjectJson.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

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
  if (output.isEmpty()) {
    context.m_out << QString::fromUtf8(json);
    context.m_out.flush();
    return kExitOk;
  }
  QSaveFile file(output);
  if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit()) {
    context.m_err << QStringLiteral("Cannot write %1: %2.")
                         .arg(QDir::toNativeSeparators(output), file.errorString())
                  << Qt::endl;
    return kExitUserError;
  }
  return kExitOk;
}

int CmdImport(const QStringList& args, CCliContext& context) {
  if (args.size() != 2)
    return UsageError(QStringLiteral("import"), QStringLiteral("expected IN.json and FILE.KYV"),
                      context);
  QFile input(args[0]);
  if (!input.open(QIODevice::ReadOnly)) {
    context.m_err << QStringLiteral("Cannot open %1: %2.")
                         .arg(QDir::toNativeSeparators(args[0]), input.errorString())
                  << Qt::endl;
    return kExitUserError;
  }
  QString error;
  const auto doc = ProjectFromJson(input.readAll(), context.m_platform, &error);
  if (!doc) {
    context.m_err << QDir::toNativeSeparators(args[0]) << QStringLiteral(": ") << error << Qt::endl;
    return kExitUserError;
  }
  return SaveProject(*doc, args[1], context) ? kExitOk : kExitUserError;
}
