#include "editors/CheckedGenerate.h"

#include "editors/ProjectChecks.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

CGenerateResult GenerateCheckedFiles(CKyvDoc& doc) {
  // The settings tab copies what is on screen into the document, so the clock checked is the
  // one shown.
  doc.UpdateAllViews();
  const QList<CFinding> findings = CheckProject(doc);

  QStringList errors;
  QStringList warnings;
  for (const CFinding& finding : findings) {
    if (finding.m_nSeverity == FindingSeverity::Error) errors.append(u"- "_s + finding.m_sText);
    if (finding.m_nSeverity == FindingSeverity::Warning)
      warnings.append(u"Warning: "_s + finding.m_sText);
  }
  if (!errors.isEmpty() &&
      !doc.Messages().AskYesNo(
          u"Generate Code"_s,
          u"The project checks found errors:\n\n%1\n\nThe generated program may not build or "
          u"work on the P2. Generate the files anyway?"_s.arg(errors.join(u'\n'))))
    return {};
  return GenerateFiles(doc, {}, warnings);
}
