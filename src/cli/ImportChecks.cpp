#include "cli/ImportChecks.h"

#include <utility>
#include <vector>

#include "codegen/SingleByteCheck.h"
#include "editors/NumericFields.h"
#include "editors/ObjectNameRules.h"
#include "model/KyvDoc.h"
#include "model/PinTableAgreement.h"

QString ImportedProjectProblem(CKyvDoc& doc) {
  // The objects go back into the list one by one, so each name is checked against the names
  // before it, as it was when that object was added.
  std::vector<std::unique_ptr<CCodeObject>> objects = std::move(doc.m_ObjectList);
  doc.m_ObjectList.clear();
  QString problem;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    if (problem.isEmpty()) {
      const QString nameProblem = ObjectNameProblem(doc, objects[i]->m_sName);
      if (!nameProblem.isEmpty())
        problem = QStringLiteral("objects[%1]: %2").arg(i).arg(nameProblem);
      const QStringList numbers = StoredNumberProblems(*objects[i]);
      if (problem.isEmpty() && !numbers.isEmpty())
        problem = QStringLiteral("objects[%1]: %2").arg(i).arg(numbers.constFirst());
    }
    doc.m_ObjectList.push_back(std::move(objects[i]));
  }
  if (!problem.isEmpty()) return problem;
  if (const QStringList numbers = SettingNumberProblems(doc); !numbers.isEmpty())
    return numbers.constFirst();
  if (const auto control = FindControlCharacter(doc)) return UnwritableTextDescription(*control);
  if (const auto unsafe = FindScriptUnsafeText(doc)) return ScriptUnsafeTextDescription(*unsafe);
  if (const auto mismatch = FirstPinTableMismatch(doc))
    return QStringLiteral("the pin table does not match the objects: %1").arg(mismatch->m_sText);
  return QString();
}
