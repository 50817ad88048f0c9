#include "cli/CliCommands.h"
#include "model/PinReport.h"

int CmdReport(const QStringList& args, CCliContext& context) {
  const QString verb = QStringLiteral("report");
  const QString csv = QStringLiteral("--csv");
  const QString html = QStringLiteral("--html");
  CFileArguments read;
  const auto oneFormat = [](const CFileArguments& sofar, const QString& flag) {
    return sofar.m_flags.isEmpty() || sofar.Has(flag)
               ? QString()
               : QStringLiteral("give either --csv or --html");
  };
  if (!ReadFileArguments(verb, args, {csv, html}, true, read, context, oneFormat))
    return kExitUsage;
  if (read.m_flags.isEmpty())
    return UsageError(verb, QStringLiteral("give --csv or --html"), context);

  const auto doc = OpenProject(read.m_sPath, context);
  if (!doc) return kExitUserError;
  const QByteArray report = read.Has(csv) ? PinReportCsv(*doc) : PinReportHtml(*doc);
  return WriteOutput(report, read.m_sOutput, context);
}
