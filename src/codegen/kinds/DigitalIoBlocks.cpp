#include "codegen/ModeExpressions.h"
#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

void Constants(const CCodeObject& object, QString& out) {
  out += u"\n  "_s + object.m_sName + u" = "_s + object[Slot::BasePin] + u"\n"_s;
}

void Setup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n'Configure Digital I/O pin "_s + name + u" in non-Smart Pin mode\n"_s;
  out += u"  pinstart("_s + name + u","_s + DigitalIoModeExpression(object) + u", 0, 0)\n"_s;
  out += u"  'set starting output mode\n"_s;
  switch (object[DigitalSlots::StartState]) {
    case 0: out += u"  pinf("_s + name + u")\n"_s; break;
    case 1: out += u"  pinh("_s + name + u")\n"_s; break;
    case 2: out += u"  pinl("_s + name + u")\n"_s; break;
    default: break;
  }
  out += u"  ser.str(string(\"Digital Pin: "_s + name + u" Started.\",13))\n"_s;
}

void Loop(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  if (object[DigitalSlots::ToggleOutput]) {
    out += u"'Toggle Digital I/O pin output\n"_s;
    out += u"  pintoggle("_s + name + u")\n"_s;
  }
  if (object[DigitalSlots::ShowInput]) {
    out += u"'Show Digital I/O pin input\n"_s;
    out += u"  ser.str(string(\""_s + name + u" IN = \"))\n"_s;
    out += u"  ser.dec(pinr("_s + name + u"))\n"_s;
    out += u"  ser.tx(13)\n"_s;
  }
}

void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"Object Name:"_s, object.m_sName});
  texts.append({u"I/O Pin#:"_s, object[Slot::BasePin]});
}

}  // namespace

extern const CKindBlocks kDigitalIoBlocks = {.m_pConstants = Constants, .m_pSetup = Setup, .m_pLoop = Loop,
                                             .m_pCopiedTexts = CopiedTexts};
// clang-format on
