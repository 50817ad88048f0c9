#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliCommands.h"
#include "editors/ProjectChecks.h"
#include "model/KyvDoc.h"

namespace {

QJsonObject FindingJson(const CFinding& finding) {
  QJsonArray pins;
  for (const int pin : finding.m_pins) pins.append(pin);
  return {{QStringLiteral("severity"), SeverityName(finding.m_nSeverity)},
          {QStringLiteral("code"), finding.m_sCode},
          {QStringLiteral("objects"), QJsonArray::fromStringList(finding.m_objects)},
          {QStringLiteral("pins"), pins},
          {QStringLiteral("text"), finding.m_sText}};
}

}  // namespace

int CmdCheck(const QStringList& args, CCliContext& context) {
  CFileArguments read;
  if (!ReadFileArguments(QStringLiteral("check"), args, {QStringLiteral("--json")}, false, read,
                         context))
    return kExitUsage;
  const bool json = read.Has(QStringLiteral("--json"));

  auto doc = OpenProject(read.m_sPath, context);
  if (!doc) return kExitUserError;
  const QList<CFinding> findings = CheckProject(*doc);
  if (json) {
    QJsonArray list;
    for (const CFinding& finding : findings) list.append(FindingJson(finding));
    context.m_out << QString::fromUtf8(
        QJsonDocument(QJsonObject{{QStringLiteral("findings"), list}}).toJson());
  } else {
    for (const CFinding& finding : findings)
      context.m_out << SeverityName(finding.m_nSeverity) << QStringLiteral(": ") << finding.m_sText
                    << QStringLiteral(" [") << finding.m_sCode << QStringLiteral("]\n");
  }
  context.m_out.flush();
  return HasErrors(findings) ? kExitUserError : kExitOk;
}
