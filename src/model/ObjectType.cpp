#include "model/ObjectType.h"

#include "model/KindRegistry.h"

QString KindDisplayName(int32_t type) {
  const CKindInfo* kind = FindKind(type);
  return kind ? kind->m_sDisplayName : QStringLiteral("Unknown Type");
}
