#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include "cli/CliContext.h"

// What one in-process run of kyv-cli gave: its exit status and its stdout and stderr.
struct CCliRun {
  int m_nExit;
  QString m_sOut;
  QString m_sErr;
};

// Runs kyv-cli in-process with the given settings store.
inline CCliRun RunKyvCli(const QStringList& args, CSettingsStore& settings) {
  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  CCliContext context(outStream, errStream, settings);
  const int status = RunCli(args, context);
  outStream.flush();
  errStream.flush();
  return {status, out, err};
}
