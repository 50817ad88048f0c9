#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

void Constants(const CCodeObject& object, QString& out) {
  out += u"\n  'Simple Sound Audio pins for "_s + object.m_sName + u"\n"_s;
  out += u"  AV_LeftPin = "_s + object[SoundSlots::LeftPin] + u"\n"_s;
  out += u"  AV_RightPin = "_s + object[SoundSlots::RightPin] + u"\n"_s;
}

void ObjLines(const CCodeObject&, QString& out) {
  out += u"  sound : \"simplesound.spin2\"  'Simple Sound driver\n"_s;
}

void Setup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  out += u"\n'Starting Simple Sound\n  ser.str(string(\"Starting SimpleSound Music...\",13))\n"_s;
  out += u"  sound.start(AV_LeftPin, AV_RightPin)\n"_s;
  if (object[SoundSlots::PlayMusic]) out += u"  sound.Play()\n"_s;
}

void Loop(const CCodeObject& object, QString& out) {
  if (!object[SoundSlots::PlayEffects]) return;
  out += u"\n'randomly play a sound effect\n"_s;
  out += u"  sound.playSound((ABS GetRnd()) // 4 + 1)  'play 1 of 4 sounds\n"_s;
}

void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"Object Name:"_s, object.m_sName});
  texts.append({u"Left I/O Pin:"_s, object[SoundSlots::LeftPin]});
  texts.append({u"Right I/O Pin:"_s, object[SoundSlots::RightPin]});
}

}  // namespace

extern const CKindBlocks kSoundBlocks = {.m_pConstants = Constants, .m_pObjLines = ObjLines, .m_pSetup = Setup,
                                         .m_pLoop = Loop, .m_pCopiedTexts = CopiedTexts, .m_bPollsSound = true};
// clang-format on
