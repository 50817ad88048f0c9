#include "codegen/MainFileSections.h"
#include "codegen/kinds/KindBlocks.h"
#include "model/KyvDoc.h"

void WriteObjectConstants(CKyvDoc& doc, QString& out) {
  ForEachObjectBlocks(doc, [&](const CKindBlocks& blocks, const CCodeObject& object) {
    if (blocks.m_bPollsSound) doc.m_bHasSound = true;
    if (blocks.m_pConstants) blocks.m_pConstants(object, out);
  });
}
