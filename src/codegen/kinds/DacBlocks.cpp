#include "codegen/ModeExpressions.h"
#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

void Constants(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n  'DAC Pin Constants\n"_s;
  out += u"  "_s + name + u"_AnalogPin = "_s + object[Slot::BasePin] + u"\n"_s;
  out += u"  "_s + name + u"_AnalogLevel = "_s + QString::number(object[DacSlots::Level]) + u"\n"_s;
}

void Setup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n'Configure 8-bit Analog DAC mode on I/O pin "_s + name + u" in non-Smart pin mode\n"_s;
  out += u"  SetDacModeAndLevel("_s + name + u"_AnalogPin, "_s + DacModeName(object) + u", "_s + name + u"_AnalogLevel)\n"_s;
  out += u"  pinh("_s + name + u"_AnalogPin)\n"_s;
  out += u"  ser.str(string(\"DAC: "_s + name + u" Started.\\n\"))\n"_s;
}

void Loop(const CCodeObject& object, QString& out) {
  if (!object[DacSlots::RandomLevels]) return;
  const QString& name = object.m_sName;
  out += u"\n'Randomly change DAC "_s + name + u" level\n"_s;
  out += u"  i  := GetRnd() & $FF  'random 8-bit level\n"_s;
  out += u"  SetDacModeAndLevel("_s + name + u"_AnalogPin, "_s + DacModeName(object) + u", i)\n"_s;
  out += u"  ser.str(string(\""_s + name + u" level = \"))\n"_s;
  out += u"  ser.dec(i)\n"_s;
  out += u"  ser.tx(13)\n"_s;
}

// Every DAC object's Setup and Loop lines call it.
void HelperRoutines(QString& out) {
  out += u"\nPub SetDacModeAndLevel(pin, mode, level)\n"_s;
  out += u"'set the non-Smart mode DAC level\n"_s;
  out += u"  pinstart(pin, mode + ((level&255) << 8), 0, 0)\n"_s;
}

void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"Object Name:"_s, object.m_sName});
  texts.append({u"I/O Pin:"_s, object[Slot::BasePin]});
}

}  // namespace

extern const CKindBlocks kDacBlocks = {.m_pConstants = Constants, .m_pSetup = Setup, .m_pLoop = Loop,
                                       .m_pHelperRoutines = HelperRoutines, .m_pCopiedTexts = CopiedTexts};
// clang-format on
