#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

// The camera's pins lie at fixed offsets from its base pin; the sums stay as text for the
// compiler to evaluate.
void Constants(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  const QString& p = object[VideoSlots::BasePin];
  out += u"\n  'Settings for Camera Object: "_s + name + u"\n"_s;
  out += u"  "_s + name + u"_Type = "_s + name + u"."_s + object[CameraSlots::CameraType] + u"  'one of OV7675 OV5640 OV2640\n"_s;
  out += u"  "_s + name + u"_Basepin = ("_s + p + u")  '8 bit DVP bus starts here\n"_s;
  out += u"  "_s + name + u"_Xclk = ("_s + p + u"+8+7)\n"_s;
  out += u"  "_s + name + u"_PixelClock = ("_s + p + u"+8+6)  'video clock MISO pin\n"_s;
  out += u"  "_s + name + u"_PixelClockFreq = 20_000_000  '20 MHz\n"_s;
  out += u"  "_s + name + u"_RST = ("_s + p + u"+8+5)  'digital video reset pin\n"_s;
  out += u"  "_s + name + u"_SDA = ("_s + p + u"+8+0)  'digital video SDA pin\n"_s;
  out += u"  "_s + name + u"_SCL = ("_s + p + u"+8+1)  'digital video SCL pin\n"_s;
  out += u"  "_s + name + u"_VSYNC = ("_s + p + u"+8+4)  'VSYNC pin\n"_s;
  out += u"  "_s + name + u"_HSYNC = ("_s + p + u"+8+3)  'HREF pin\n"_s;
  out += u"  "_s + name + u"_PWDN = ("_s + p + u"+8+2)  'Power Down\n"_s;
}

void ObjLines(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"  "_s + name + u" : \"CameraCapture\"  'Camera DVP capture driver for "_s + name + u"\n"_s;
}

void Setup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  const QString& bus = object[CameraSlots::Bus];
  const QString& qvga = object[CameraSlots::QvgaObject];
  out += u"\n'Create NCO clock for camera "_s + name + u" and set the sensor up over I2C bus "_s + bus + u"\n"_s;
  out += u"  "_s + name + u".Init("_s + name + u"_Xclk, "_s + name + u"_PixelClockFreq, "_s + name + u"_RST, "_s + name + u"_PWDN, "_s + name + u"_Type, "_s + bus + u"_SCL, "_s + bus + u"_SDA)\n"_s;
  out += u"\n'Start Camera Cog\n"_s;
  out += u"  "_s + name + u".Start("_s + qvga + u".GetBuffer(), "_s + name + u"_Basepin, "_s + name + u"_VSYNC, "_s + name + u"_HSYNC, "_s + name + u"_PixelClock, "_s + name + u"_Type)\n"_s;
  out += u"  ser.str(string(\"Camera started.\",13))\n"_s;
}

void Loop(const CCodeObject& object, QString& out) {
  if (!object[CameraSlots::ShowId]) return;
  const QString& name = object.m_sName;
  const QString& bus = object[CameraSlots::Bus];
  out += u"\n'Get and show camera ID from ID registers over I2C\n"_s;
  out += u"  "_s + name + u".Probe("_s + name + u"_Type, "_s + bus + u"_SCL, "_s + bus + u"_SDA)\n"_s;
}

void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"Object Name:"_s, object.m_sName});
  texts.append({u"Basepin:"_s, object[VideoSlots::BasePin]});
  texts.append({u"I2C Bus:"_s, object[CameraSlots::Bus]});
  texts.append({u"Camera Type:"_s, object[CameraSlots::CameraType]});
  texts.append({u"QVGA Object:"_s, object[CameraSlots::QvgaObject]});
}

}  // namespace

extern const CKindBlocks kCameraBlocks = {.m_pConstants = Constants, .m_pObjLines = ObjLines, .m_pSetup = Setup,
                                          .m_pLoop = Loop, .m_pCopiedTexts = CopiedTexts};
// clang-format on
