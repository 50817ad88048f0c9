#include <QCoreApplication>
#include <cstdio>

#include "cli/CliContext.h"
#include "platform/MachineToolLocator.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setOrganizationName(CQtSettingsStore::kOrganisation);
  QCoreApplication::setApplicationName(CQtSettingsStore::kApplication);
  QTextStream out(stdout);
  QTextStream err(stderr);
  CQtSettingsStore settings;
  CCliContext context(out, err, settings);
  context.m_platform.m_pToolLocator = MachineToolLocator();
  const int status = RunCli(QCoreApplication::arguments().mid(1), context);
  out.flush();
  err.flush();
  return status;
}
