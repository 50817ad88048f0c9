#include "model/ObjectListText.h"

QString ObjectListLine(const CCodeObject& object) {
  return object.m_sName + QStringLiteral(" - ") + object.GetKindName();
}

QStringList ObjectListLines(const CKyvDoc& doc) {
  QStringList lines;
  for (const auto& object : doc.m_ObjectList) lines.append(ObjectListLine(*object));
  return lines;
}

QStringList WarningLines(const CKyvDoc& doc) {
  QStringList lines;
  for (const auto& object : doc.m_ObjectList)
    if (!object->m_bValid)
      lines.append(QStringLiteral("Invalid pin assignment in: ") + ObjectListLine(*object));
  return lines;
}
