#include "codegen/MainFileSections.h"
#include "codegen/kinds/KindBlocks.h"
#include "model/KyvDoc.h"

void WriteObjectConstants(CKyvDoc& doc, QString& out) {
  for (const auto& object : doc.m_ObjectList) {
    const CKindBlocks* blocks = FindKindBlocks(object->m_nType);
    if (!blocks) continue;
    if (blocks->m_bPollsSound) doc.m_bHasSound = true;
    if (blocks->m_pConstants) blocks->m_pConstants(*object, out);
  }
}
