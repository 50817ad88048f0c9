#include <QDir>
#include <QFileInfo>

#include "cli/CliCommands.h"
#include "model/KyvFile.h"
#include "model/ObjectListText.h"
#include "model/ProjectLock.h"
#include "model/ProjectPaths.h"

int CmdNew(const QStringList& args, CCliContext& context) {
  CFileArguments read;
  if (!ReadFileArguments(QStringLiteral("new"), args, {QStringLiteral("--force")}, false, read,
                         context))
    return kExitUsage;
  // A name without an ending gets the project file's own, so that the main file is named after it.
  const QString path = HasFileExtension(QFileInfo(read.m_sPath).fileName())
                           ? read.m_sPath
                           : read.m_sPath + QStringLiteral(".KYV");
  const bool force = read.Has(QStringLiteral("--force"));

  CProjectLock lock(path);
  if (!LockProject(lock, context)) return kExitUserError;
  if (!force && QFileInfo::exists(path)) {
    context.m_err << QStringLiteral(
                         "%1 already exists; nothing was written. Give --force to "
                         "replace it with a new project.")
                         .arg(QDir::toNativeSeparators(path))
                  << Qt::endl;
    return kExitUserError;
  }
  CKyvDoc doc(context.m_platform);
  doc.OnNewDocument();
  return SaveProject(doc, path, context) ? kExitOk : kExitUserError;
}

int CmdInfo(const QStringList& args, CCliContext& context) {
  if (args.size() != 1)
    return UsageError(QStringLiteral("info"), QStringLiteral("expected one FILE.KYV"), context);
  auto doc = OpenProject(args[0], context);
  if (!doc) return kExitUserError;
  QTextStream& out = context.m_out;
  out << QStringLiteral("Project: ") << doc->GetTitle() << u'\n';
  out << QStringLiteral("Clock: ") << doc->m_sClockFreq << u'\n';
  out << QStringLiteral("Objects:\n");
  for (const QString& line : ObjectListLines(*doc)) out << QStringLiteral("  ") << line << u'\n';
  out << QStringLiteral("Warnings:\n");
  for (const QString& line : WarningLines(*doc)) out << QStringLiteral("  ") << line << u'\n';
  out << QStringLiteral("Pins:\n");
  for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin) {
    if (doc->IsPinBlank(pin)) continue;
    out << QStringLiteral("  %1  %2  %3  %4  %5\n")
               .arg(pin, 2)
               .arg(doc->m_bPinUsed[pin] ? QStringLiteral("used") : QStringLiteral("free"))
               .arg(doc->m_sPinUsedBy[pin], doc->m_sPinUsedFor[pin], doc->m_sPinNotes[pin]);
  }
  out.flush();
  return kExitOk;
}
