#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"
#include "model/TextConversion.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

// Else the object names its own pins.
bool OnAdapterBoard(const CCodeObject& object) { return object[UsbKbmSlots::Configuration] == 0; }

void Constants(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n  'Settings for USB Object: "_s + name + u"\n"_s;
  if (OnAdapterBoard(object)) {
    const qint64 port = object[UsbKbmSlots::Port];
    const qint64 base = qint64(TextToInt(object[Slot::BasePin])) + 4 * port;
    out += u"  "_s + name + u"_BASE_PIN = "_s + Dec(base) + u"\n"_s;
    out += u"  "_s + name + u"_ENABLE_PIN = "_s + Dec(base + 1) + u"\n"_s;
    out += u"  "_s + name + u"_DM_PIN = "_s + Dec(base + 2) + u"\n"_s;
    out += u"  "_s + name + u"_ERR_LED_PIN = "_s + Dec(port + 56) + u"\n"_s;
  } else {
    out += u"  "_s + name + u"_BASE_PIN = "_s + object[UsbKbmSlots::ActivityLedPin] + u"\n"_s;
    if (object[UsbKbmSlots::UsePowerPin])
      out += u"  "_s + name + u"_ENABLE_PIN = "_s + object[UsbKbmSlots::PowerPin] + u"\n"_s;
    else
      out += u"  "_s + name + u"_ENABLE_PIN = -1\n"_s;
    out += u"  "_s + name + u"_DM_PIN = "_s + object[UsbKbmSlots::DmPin] + u"\n"_s;
    out += u"  "_s + name + u"_ERR_LED_PIN = "_s + object[UsbKbmSlots::ErrorLedPin] + u"\n"_s;
  }
}

void ObjLines(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  if (!object[UsbKbmSlots::NoErrorLed])
    out += u"  "_s + name + u" : \"1CogKbM_kdz3b\"  'One cog USB keyboard and mouse driver for "_s + name + u"\n"_s;
  else
    out += u"  "_s + name + u" : \"1CogKbM_kdz3b_NoErrorLed\"  'One cog USB keyboard and mouse driver for "_s + name + u"\n"_s;
}

void Setup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n'Configure range and position for USB Keyboard and Mouse object "_s + name + u" and then start\n"_s;
  out += u"  "_s + name + u".SetMouseLimits("_s + Dec(object[UsbKbmSlots::LimitX]) + u" - 1, "_s + Dec(object[UsbKbmSlots::LimitY]) + u" - 1)\n"_s;
  out += u"  "_s + name + u".SetMousePosition("_s + Dec(object[UsbKbmSlots::StartX]) + u", "_s + Dec(object[UsbKbmSlots::StartY]) + u")\n"_s;
  out += u"  "_s + name + u".Start("_s + name + u"_BASE_PIN, "_s + name + u"_ENABLE_PIN, "_s + name + u"_DM_PIN, "_s + name + u"_ERR_LED_PIN)  'starts one cog\n"_s;
  out += u"  ser.str(string(\"USB Keyboard and Mouse Driver started.\",13))\n"_s;
}

void Loop(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  if (object[UsbKbmSlots::OutputMouse]) {
    out += u"\n'Show "_s + name + u" mouse position\n"_s;
    out += u"  ser.str(string(\"USB mouse "_s + name + u" position = (\"))\n"_s;
    out += u"  ser.dec("_s + name + u".MouseX())\n"_s;
    out += u"  ser.str(string(\", \"))\n"_s;
    out += u"  ser.dec("_s + name + u".MouseY())\n"_s;
    out += u"  ser.str(string(\")\",13))\n"_s;
  }
  if (object[UsbKbmSlots::OutputKeyboard]) {
    out += u"\n'Show "_s + name + u" keyboard input\n"_s;
    out += u"  i := "_s + name + u".rawKey()\n"_s;
    out += u"  if i\n"_s;
    out += u"    ser.str(string(\"Keyboard input : \"))\n"_s;
    out += u"  else\n"_s;
    out += u"    ser.str(string(\"No keyboard input.\"))\n"_s;
    out += u"  repeat while i\n"_s;
    out += u"    ser.tx(\" \")\n"_s;
    out += u"    ser.tx(i)\n"_s;
    out += u"    i := "_s + name + u".rawKey()\n"_s;
    out += u"  ser.tx(13)\n"_s;
  }
}

// The adapter's pins are numbers derived from the base pin.
void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"Object Name:"_s, object.m_sName});
  if (OnAdapterBoard(object)) return;
  texts.append({u"DM Pin:"_s, object[UsbKbmSlots::DmPin]});
  texts.append({u"Activity LED Pin:"_s, object[UsbKbmSlots::ActivityLedPin]});
  texts.append({u"Error LED Pin:"_s, object[UsbKbmSlots::ErrorLedPin]});
  if (object[UsbKbmSlots::UsePowerPin]) texts.append({u"Power Enable Pin:"_s, object[UsbKbmSlots::PowerPin]});
}

}  // namespace

extern const CKindBlocks kUsbKbmBlocks = {.m_pConstants = Constants, .m_pObjLines = ObjLines, .m_pSetup = Setup,
                                          .m_pLoop = Loop, .m_pCopiedTexts = CopiedTexts};
// clang-format on
