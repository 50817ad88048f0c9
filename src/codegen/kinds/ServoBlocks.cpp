#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

// In microseconds or degrees, as the servo's mode says.
const QString& StartingPosition(const CCodeObject& object) {
  return object[ServoSlots::InMicroseconds] ? object[ServoSlots::Microseconds] : object[ServoSlots::Degrees];
}

void Constants(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n  "_s + name + u"_PIN = "_s + object[Slot::BasePin] + u" 'I/O pin to use for "_s + name + u"\n"_s;
  const QString mode = object[ServoSlots::InMicroseconds] ? u"1"_s : u"0"_s;
  out += u"  "_s + name + u"_MODE = "_s + mode + u" '0 for degrees, 1 for microseconds\n"_s;
}

void ObjLines(const CCodeObject& object, QString& out) {
  out += u"  "_s + object.m_sName + u" : \"vn_servo\"   'Note:  Range for position is limted by driver to 600..2400 for us mode and 0..180 for degree mode \n"_s;
}

void VarLines(const CCodeObject& object, QString& out) {
  out += u"  long "_s + object.m_sName + u"_position  'storage for servo position\n"_s;
}

void Setup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"  "_s + name + u"_position := "_s + StartingPosition(object) + u"\n"_s;
  out += u"\n'Start "_s + name + u" driver in either degree or us mode\n"_s;
  if (object[ServoSlots::InMicroseconds])
    out += u"  "_s + name + u".startx("_s + name + u"_PIN, "_s + name + u"_position)   'position in microseconds\n"_s;
  else
    out += u"  "_s + name + u".start("_s + name + u"_PIN, "_s + name + u"_position)  'position in degrees\n"_s;
  out += u"  ser.str(string(\"Servo Started.\",13))\n"_s;
}

void Loop(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  if (object[ServoSlots::RandomMoves]) {
    out += u"\n'Randomly move servo position\n"_s;
    out += u"  "_s + name + u"_position += (ABS GetRnd() // 11) - 5  'move randomly between -5 and +5 units\n"_s;
    out += u"  "_s + name + u".Write("_s + name + u"_MODE, "_s + name + u"_position)   'use this to set new position\n"_s;
    out += u"  "_s + name + u"_position := "_s + name + u".Read("_s + name + u"_MODE)   'get new actual (limited) position\n"_s;
  } else {
    out += u"\n'Fixed servo position\n"_s;
    out += u"    '"_s + name + u".Write("_s + name + u"_MODE, "_s + name + u"_position)    'use this to set new position\n"_s;
    out += u"    "_s + name + u"_position := "_s + name + u".Read("_s + name + u"_MODE)     'get new actual (limited) position\n"_s;
  }
  out += u"  ser.str(string(\"Servo Position = \"))\n"_s;
  out += u"  ser.dec("_s + name + u"_position)\n"_s;
  out += u"  ser.tx(13)\n"_s;
}

void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"Object Name:"_s, object.m_sName});
  texts.append({u"I/O Pin:"_s, object[Slot::BasePin]});
  texts.append({u"Starting Position:"_s, StartingPosition(object)});
}

}  // namespace

extern const CKindBlocks kServoBlocks = {.m_pConstants = Constants, .m_pObjLines = ObjLines, .m_pVarLines = VarLines,
                                         .m_pSetup = Setup, .m_pLoop = Loop, .m_pCopiedTexts = CopiedTexts};
// clang-format on
