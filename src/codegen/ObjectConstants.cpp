#include "codegen/MainFileSections.h"
#include "model/KyvDoc.h"
#include "model/TextConversion.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

QString Dec(qint64 value) { return QString::number(value); }

// 2^n for the ADC's sample period (the editor keeps n within 1..13); 0 beyond 64 bits.
qint64 PowerOfTwo(int n) { return n < 0 ? 0 : n > 62 ? 0 : qint64(1) << n; }

QString WithoutLeadingSpace(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  return text.mid(i);
}

void WriteUsbConstants(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n  'Settings for USB Object: "_s + name + u"\n"_s;
  if (object.m_nParam[0] == 0) {
    const qint64 base = qint64(TextToInt(object.m_sBasePin)) + 4 * qint64(object.m_nParam[1]);
    out += u"  "_s + name + u"_BASE_PIN = "_s + Dec(base) + u"\n"_s;
    out += u"  "_s + name + u"_ENABLE_PIN = "_s + Dec(base + 1) + u"\n"_s;
    out += u"  "_s + name + u"_DM_PIN = "_s + Dec(base + 2) + u"\n"_s;
    out += u"  "_s + name + u"_ERR_LED_PIN = "_s + Dec(qint64(object.m_nParam[1]) + 56) + u"\n"_s;
  } else {
    out += u"  "_s + name + u"_BASE_PIN = "_s + object.m_sParam[1] + u"\n"_s;
    if (object.m_bParam[2])
      out += u"  "_s + name + u"_ENABLE_PIN = "_s + object.m_sParam[3] + u"\n"_s;
    else
      out += u"  "_s + name + u"_ENABLE_PIN = -1\n"_s;
    out += u"  "_s + name + u"_DM_PIN = "_s + object.m_sParam[0] + u"\n"_s;
    out += u"  "_s + name + u"_ERR_LED_PIN = "_s + object.m_sParam[2] + u"\n"_s;
  }
}

// The camera's pins lie at fixed offsets from its base pin; the sums stay as text for the
// compiler to evaluate.
void WriteCameraConstants(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  const QString& p = object.m_sBasePin;
  out += u"\n  'Settings for Camera Object: "_s + name + u"\n"_s;
  out += u"  "_s + name + u"_Type = "_s + name + u"."_s + object.m_sParam[1] + u"  'one of OV7675 OV5640 OV2640\n"_s;
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

}  // namespace

void WriteObjectConstants(CKyvDoc& doc, QString& out) {
  for (const auto& owned : doc.m_ObjectList) {
    const CCodeObject& object = *owned;
    const QString& name = object.m_sName;
    const QString& pin = object.m_sBasePin;
    switch (object.m_nType) {
      case OBJ_SIMPLE_VGA:
        out += u"\n  'Simple VGA Basepin for "_s + name + u"\n"_s;
        out += u"  VGA_BASEPIN = "_s + pin + u"\n\n"_s;
        break;
      case OBJ_SIMPLE_QVGA:
        out += u"\n  'Simple QVGA Basepin for "_s + name + u"\n"_s;
        out += u"  QVGA_BASEPIN = "_s + pin + u"\n\n"_s;
        break;
      case OBJ_SIMPLE_HDMI:
        out += u"\n  'Simple HDMI Basepin for "_s + name + u"\n"_s;
        out += u"  HDMI_BASEPIN = "_s + pin + u"\n\n"_s;
        break;
      case OBJ_I2C_BUS:
        out += u"\n  'I2C Bus Pins and Settings for "_s + name + u"\n"_s;
        out += u"  "_s + name + u"_SCL = "_s + object.m_sText[6] + u"\n"_s;
        out += u"  "_s + name + u"_SDA = "_s + object.m_sText[5] + u"\n"_s;
        out += u"  "_s + name + u"_SPEED = "_s + object.m_sString + u"\n"_s;
        out += u"  "_s + name + u"_PULLUP = "_s + Dec(object.m_nNumber) + u" \n\n"_s;
        break;
      case OBJ_NEOPIXEL:
        out += u"\n  'Neopixel pin and settings for "_s + name + u"\n"_s;
        out += u"  NEOPIXELS = "_s + object.m_sParam[2] + u"\n"_s;
        out += u"  NEOPIXEL_COLOR = $"_s + WithoutLeadingSpace(object.m_sParam[0]) + u"00\n"_s;
        out += u"  NEOPIXEL_PIN = "_s + pin + u"\n"_s;
        out += u"  NEOPIXEL_HOLDOFF = "_s + Dec(object.m_nParam[4]) + u"\n"_s;
        break;
      case OBJ_SIMPLE_SOUND:
        doc.m_bHasSound = true;
        out += u"\n  'Simple Sound Audio pins for "_s + name + u"\n"_s;
        out += u"  AV_LeftPin = "_s + object.m_sParam[0] + u"\n"_s;
        out += u"  AV_RightPin = "_s + object.m_sParam[1] + u"\n"_s;
        break;
      case OBJ_SERVO:
        out += u"\n  "_s + name + u"_PIN = "_s + pin + u" 'I/O pin to use for "_s + name + u"\n"_s;
        if (!object.m_bParam[0])
          out += u"  "_s + name + u"_MODE = 0 '0 for degrees, 1 for microseconds\n"_s;
        else
          out += u"  "_s + name + u"_MODE = 1 '0 for degrees, 1 for microseconds\n"_s;
        break;
      case OBJ_DIGITAL_IO:
        out += u"\n  "_s + name + u" = "_s + pin + u"\n"_s;
        break;
      case OBJ_DIGITAL_FILTERS:
        out += u"\n  'Global Digital Filters\n"_s;
        for (int k = 0; k < 4; ++k) {
          if (!object.m_bParam[k]) continue;
          out += u"  "_s + name + u"_Length"_s + Dec(k) + u" = "_s + Dec(object.m_nParam[k]) + u"\n"_s;
          out += u"  "_s + name + u"_Tap"_s + Dec(k) + u" = "_s + Dec(object.m_nParam[4 + k]) + u"\n"_s;
        }
        break;
      case OBJ_DAC:
        out += u"\n  'DAC Pin Constants\n"_s;
        out += u"  "_s + name + u"_AnalogPin = "_s + pin + u"\n"_s;
        out += u"  "_s + name + u"_AnalogLevel = "_s + Dec(object.m_nParam[0]) + u"\n"_s;
        break;
      case OBJ_ADC: {
        const int n = object.m_nParam[1];
        out += u"\n  'ADC Constants\n"_s;
        out += name + u"_AnalogPin = "_s + pin + u"\n"_s;
        out += name + u"_WRPIN = ("_s + object.m_sParam[1] + object.m_sParam[0] + u"|P_ADC)\n"_s;
        if (object.m_nParam[0] == 0)
          out += name + u"_WXPIN = ("_s + Dec(n) + u")\n"_s;
        else if (object.m_nParam[0] == 1)
          out += name + u"_WYPIN = ("_s + Dec(PowerOfTwo(n)) + u")  'clocks 10..8192\n"_s;
        else
          out += name + u"_WYPIN =("_s + Dec(PowerOfTwo(n)) + u")  'clocks 16..512\n"_s;
        break;
      }
      case OBJ_USB_KBM:
        WriteUsbConstants(object, out);
        break;
      case OBJ_CAMERA:
        WriteCameraConstants(object, out);
        break;
      default:  // NCO, RTC and Tiled 1080p have no constants
        break;
    }
  }
}
// clang-format on
