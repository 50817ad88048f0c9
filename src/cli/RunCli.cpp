#include <new>

#include "cli/CliCommands.h"

namespace {

void PrintHelp(QTextStream& out) {
  out << QStringLiteral(
      "Usage: kyv-cli COMMAND [ARGUMENTS]\n\n"
      "Creates, inspects and generates Kyv projects for the P2 microcontroller.\n\n"
      "Commands:\n");
  for (const CCliCommand& command : CliCommands())
    out << QStringLiteral("  %1\n      %2\n").arg(command.m_sUsage, command.m_sSummary);
  out << QStringLiteral("\nOptions:\n  --help     show this text\n  --version  show the version\n");
  out.flush();
}

}  // namespace

int RunCli(const QStringList& args, CCliContext& context) {
  if (args.isEmpty()) {
    PrintHelp(context.m_err);
    return kExitUsage;
  }
  const QString& verb = args.first();
  if (verb == u"--help" || verb == u"-h" || verb == u"help") {
    PrintHelp(context.m_out);
    return kExitOk;
  }
  if (verb == u"--version") {
    context.m_out << QStringLiteral("kyv-cli " KYV_VERSION) << Qt::endl;
    return kExitOk;
  }
  for (const CCliCommand& command : CliCommands()) {
    if (command.m_sVerb != verb) continue;
    try {
      return command.m_pRun(args.mid(1), context);
    } catch (const std::bad_alloc&) {
      context.m_err << QStringLiteral("kyv-cli: out of memory; the command was stopped")
                    << Qt::endl;
      return kExitUserError;
    }
  }
  context.m_err << QStringLiteral("kyv-cli: unknown command \"%1\"; see kyv-cli --help").arg(verb)
                << Qt::endl;
  return kExitUsage;
}
