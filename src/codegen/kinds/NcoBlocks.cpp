#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

void Setup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  out += u"\n  pinstart("_s + object[Slot::BasePin] + u", P_NCO_FREQ+P_OE, $"_s + object[NcoSlots::WxPin] + u", $"_s +
         object[NcoSlots::WyPin] + u")   'configure smart pin for NCO Freq \n"_s;
  out += u"  ser.str(string(\"NCO Frequency Smart Pin started.\",13))\n"_s;
}

// Its block names no object.
void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"I/O Pin:"_s, object[Slot::BasePin]});
  texts.append({u"WXPIN:"_s, object[NcoSlots::WxPin]});
  texts.append({u"WYPIN:"_s, object[NcoSlots::WyPin]});
}

}  // namespace

extern const CKindBlocks kNcoBlocks = {.m_pSetup = Setup, .m_pCopiedTexts = CopiedTexts};
// clang-format on
