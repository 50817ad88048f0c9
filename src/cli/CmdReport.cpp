#include "cli/CliCommands.h"
#include "model/PinReport.h"

int CmdReport(const QStringList& args, CCliContext& context) {
  const QString verb = QStringLiteral("report");
  QString project;
  QString output;
  QString format;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == u"-o") {
      if (++i == args.size())
        return UsageError(verb, QStringLiteral("-o needs a file name"), context);
      output = args[i];
    } else if (args[i] == u"--csv" || args[i] == u"--html") {
      if (!format.isEmpty() && format != args[i])
        return UsageError(verb, QStringLiteral("give either --csv or --html"), context);
      format = args[i];
    } else if (args[i].startsWith(u'-') && args[i].size() > 1) {
      return UsageError(verb, QStringLiteral("unknown option \"%1\"").arg(args[i]), context);
    } else if (project.isEmpty()) {
      project = args[i];
    } else {
      return UsageError(verb, QStringLiteral("expected one FILE.KYV"), context);
    }
  }
  if (project.isEmpty()) return UsageError(verb, QStringLiteral("expected one FILE.KYV"), context);
  if (format.isEmpty()) return UsageError(verb, QStringLiteral("give --csv or --html"), context);

  const auto doc = OpenProject(project, context);
  if (!doc) return kExitUserError;
  const QByteArray report = format == u"--csv" ? PinReportCsv(*doc) : PinReportHtml(*doc);
  return WriteOutput(report, output, context);
}
