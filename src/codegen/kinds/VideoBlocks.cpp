#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

// "'Simple VGA Basepin for <name>" and "VGA_BASEPIN = <pin>".
void WriteBasepin(const CCodeObject& object, const QString& kind, const QString& constant, QString& out) {
  out += u"\n  'Simple "_s + kind + u" Basepin for "_s + object.m_sName + u"\n"_s;
  out += u"  "_s + constant + u" = "_s + object[VideoSlots::BasePin] + u"\n\n"_s;
}

void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"Object Name:"_s, object.m_sName});
  texts.append({u"Basepin:"_s, object[VideoSlots::BasePin]});
}

void VgaConstants(const CCodeObject& object, QString& out) { WriteBasepin(object, u"VGA"_s, u"VGA_BASEPIN"_s, out); }

void VgaObjLines(const CCodeObject& object, QString& out) {
  out += u"  vga : \"VGA_SimpleDriver1a.spin2\"    'Simple VGA Driver 640x480x8bpp that shows embedded image for "_s + object.m_sName + u"\n"_s;
}

void VgaSetup(const CKyvDoc&, const CCodeObject&, QString& out) {
  out += u"\n  vga.start(VGA_BASEPIN)\n"_s;
  out += u"  ser.str(string(\"VGA Driver started.\",13))\n"_s;
}

void QvgaConstants(const CCodeObject& object, QString& out) { WriteBasepin(object, u"QVGA"_s, u"QVGA_BASEPIN"_s, out); }

void QvgaObjLines(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"  "_s + name + u" : \"QVGA_16bpp\"  'Simple QVGA Driver 320x240x16bpp that shows embedded image for "_s + name + u"\n"_s;
}

void QvgaSetup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  out += u"\n  "_s + object.m_sName + u".start(QVGA_BASEPIN, QVGA_BASEPIN+4)  'base pin & vsync pin\n"_s;
  out += u"  ser.str(string(\"QVGA Driver started.\",13))\n"_s;
}

void HdmiConstants(const CCodeObject& object, QString& out) { WriteBasepin(object, u"HDMI"_s, u"HDMI_BASEPIN"_s, out); }

void HdmiObjLines(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"  "_s + name + u" : \"HDMI_Simple1c\"  'Simple HDMI Driver 800x480x8bpp that shows embedded image for "_s + name + u"\n"_s;
}

void HdmiSetup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  out += u"\n  "_s + object.m_sName + u".start(HDMI_BASEPIN)  'base pin\n"_s;
  out += u"  ser.str(string(\"HDMI Driver started.\",13))\n"_s;
}

}  // namespace

extern const CKindBlocks kSimpleVgaBlocks = {.m_pConstants = VgaConstants, .m_pObjLines = VgaObjLines,
                                             .m_pSetup = VgaSetup, .m_pCopiedTexts = CopiedTexts};
extern const CKindBlocks kSimpleQvgaBlocks = {.m_pConstants = QvgaConstants, .m_pObjLines = QvgaObjLines,
                                              .m_pSetup = QvgaSetup, .m_pCopiedTexts = CopiedTexts};
extern const CKindBlocks kSimpleHdmiBlocks = {.m_pConstants = HdmiConstants, .m_pObjLines = HdmiObjLines,
                                              .m_pSetup = HdmiSetup, .m_pCopiedTexts = CopiedTexts};
// Tiled 1080p writes only its driver files, nothing into the main file.
extern const CKindBlocks kTiled1080pBlocks = {};
// clang-format on
