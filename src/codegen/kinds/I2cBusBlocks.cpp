#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

void Constants(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n  'I2C Bus Pins and Settings for "_s + name + u"\n"_s;
  out += u"  "_s + name + u"_SCL = "_s + object[I2cBusSlots::SclPin] + u"\n"_s;
  out += u"  "_s + name + u"_SDA = "_s + object[I2cBusSlots::SdaPin] + u"\n"_s;
  out += u"  "_s + name + u"_SPEED = "_s + object[I2cBusSlots::SpeedKHz] + u"\n"_s;
  out += u"  "_s + name + u"_PULLUP = "_s + QString::number(object[I2cBusSlots::Pullup]) + u" \n\n"_s;
}

void ObjLines(const CCodeObject& object, QString& out) {
  out += u"  "_s + object.m_sName + u": \"vn_i2c_scanner\"  'I2C port settings container\n"_s;
}

void Setup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"  \n'Start an I2C driver\n"_s;
  out += u"  "_s + name + u".Setup("_s + name + u"_SCL, "_s + name + u"_SDA, "_s + name + u"_SPEED, "_s +
         name + u"_PULLUP)  'setup(scl, sda, khz, PullupType) \n"_s;
  out += u"  ser.str(string(\"I2C Driver started.\", 13))\n"_s;
}

void Loop(const CCodeObject& object, QString& out) {
  if (!object[I2cBusSlots::Scan]) return;
  const QString& name = object.m_sName;
  out += u"  \n'Scan the I2C Bus: "_s + name + u"\n"_s;
  out += u"  "_s + name + u".ScanI2cBus()\n"_s;
}

void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"Object Name:"_s, object.m_sName});
  texts.append({u"SCL Pin:"_s, object[I2cBusSlots::SclPin]});
  texts.append({u"SDA Pin:"_s, object[I2cBusSlots::SdaPin]});
  texts.append({u"Speed (kHz):"_s, object[I2cBusSlots::SpeedKHz]});
}

}  // namespace

extern const CKindBlocks kI2cBusBlocks = {.m_pConstants = Constants, .m_pObjLines = ObjLines, .m_pSetup = Setup,
                                          .m_pLoop = Loop, .m_pCopiedTexts = CopiedTexts};
// clang-format on
