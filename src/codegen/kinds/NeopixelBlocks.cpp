#include <array>
#include <utility>

#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

QString WithoutLeadingSpace(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  return text.mid(i);
}

void Constants(const CCodeObject& object, QString& out) {
  out += u"\n  'Neopixel pin and settings for "_s + object.m_sName + u"\n"_s;
  out += u"  NEOPIXELS = "_s + object[NeopixelSlots::LedCount] + u"\n"_s;
  out += u"  NEOPIXEL_COLOR = $"_s + WithoutLeadingSpace(object[NeopixelSlots::ColorText]) + u"00\n"_s;
  out += u"  NEOPIXEL_PIN = "_s + object[Slot::BasePin] + u"\n"_s;
  out += u"  NEOPIXEL_HOLDOFF = "_s + QString::number(object[NeopixelSlots::Holdoff]) + u"\n"_s;
}

void ObjLines(const CCodeObject& object, QString& out) {
  out += u"  neopixel : \"vn_rgbx_pixel_kdz.spin2\"   'RGB LED string driver for "_s + object.m_sName + u"\n"_s;
}

void VarLines(const CCodeObject&, QString& out) {
  out += u"  long pixbuf1[NEOPIXELS]  'storage for neopixel colors\n"_s;
}

void Setup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  out += u"  \n'Set up Neopixel\n"_s;
  out += u"  repeat i from 0 to  NEOPIXELS-1\n"_s;
  out += u"    pixbuf1[i] := NEOPIXEL_COLOR\n"_s;
  // By LED type: the driver's start method and what it takes after the hold-off.
  static const std::array<std::pair<const char16_t*, const char16_t*>, 5> starts = {{
      {u"start_2812b", u""}, {u"start_2811", u""}, {u"start_2812", u""}, {u"start_2813", u""}, {u"start_6812x", u", 24"}}};
  const int type = object[NeopixelSlots::LedType];
  if (type >= 0 && type < static_cast<int>(starts.size()))  // an unknown LED type gets no start call
    out += u"  neopixel."_s + QString::fromUtf16(starts[type].first) + u"(@pixbuf1, NEOPIXELS, NEOPIXEL_PIN, NEOPIXEL_HOLDOFF"_s +
           QString::fromUtf16(starts[type].second) + u")            ' start pixel driver\n"_s;
  out += u"  ser.str(string(\"Neopixel Driver Started.\",13))\n"_s;
}

void Loop(const CCodeObject& object, QString& out) {
  if (!object[NeopixelSlots::CycleColors]) return;
  out += u"\n'Randomly change Neopixel color\n"_s;
  out += u"  repeat i from 0 to neopixels-1\n"_s;
  out += u"    pixbuf1[i] := GetRND()\n"_s;
}

void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"Object Name:"_s, object.m_sName});
  texts.append({u"I/O Pin:"_s, object[Slot::BasePin]});
  texts.append({u"#LEDs in string:"_s, object[NeopixelSlots::LedCount]});
  texts.append({u"Color"_s, object[NeopixelSlots::ColorText]});
}

}  // namespace

extern const CKindBlocks kNeopixelBlocks = {.m_pConstants = Constants, .m_pObjLines = ObjLines, .m_pVarLines = VarLines,
                                            .m_pSetup = Setup, .m_pLoop = Loop, .m_pCopiedTexts = CopiedTexts};
// clang-format on
