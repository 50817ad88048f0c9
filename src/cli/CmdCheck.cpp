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
  QString path;
  bool json = false;
  if (!ReadFileAndFlag(QStringLiteral("check"), args, QStringLiteral("--json"), path, json,
                       context))
    return kExitUsage;

  auto doc = OpenProject(path, context);
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
