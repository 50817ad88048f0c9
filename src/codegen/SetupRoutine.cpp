#include <QDateTime>
#include <QStringList>

#include "codegen/MainFileSections.h"
#include "codegen/ModeExpressions.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

QString Dec(qint64 value) { return QString::number(value); }

QDateTime LocalNow(const CKyvDoc& doc) {
  const CClock* clock = doc.Platform().m_pClock;
  return clock ? clock->Now() : QDateTime::currentDateTime();
}

void WriteNeopixelSetup(const CCodeObject& object, QString& out) {
  out += u"  \n'Set up Neopixel\n"_s;
  out += u"  repeat i from 0 to  NEOPIXELS-1\n"_s;
  out += u"    pixbuf1[i] := NEOPIXEL_COLOR\n"_s;
  switch (object.m_nParam[3]) {
    case 0:
      out += u"  neopixel.start_2812b(@pixbuf1, NEOPIXELS, NEOPIXEL_PIN, NEOPIXEL_HOLDOFF)            ' start pixel driver\n"_s;
      break;
    case 1:
      out += u"  neopixel.start_2811(@pixbuf1, NEOPIXELS, NEOPIXEL_PIN, NEOPIXEL_HOLDOFF)            ' start pixel driver\n"_s;
      break;
    case 2:
      out += u"  neopixel.start_2812(@pixbuf1, NEOPIXELS, NEOPIXEL_PIN, NEOPIXEL_HOLDOFF)            ' start pixel driver\n"_s;
      break;
    case 3:
      out += u"  neopixel.start_2813(@pixbuf1, NEOPIXELS, NEOPIXEL_PIN, NEOPIXEL_HOLDOFF)            ' start pixel driver\n"_s;
      break;
    case 4:
      out += u"  neopixel.start_6812x(@pixbuf1, NEOPIXELS, NEOPIXEL_PIN, NEOPIXEL_HOLDOFF, 24)            ' start pixel driver\n"_s;
      break;
    default:  // an unknown LED type gets no start call
      break;
  }
  out += u"  ser.str(string(\"Neopixel Driver Started.\",13))\n"_s;
}

void WriteRtcSetup(const CKyvDoc& doc, const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  const QString& bus = object.m_sParam[0];
  out += u"\n'Start the real-time clock "_s + name + u" on I2C bus "_s + bus + u" and enable its trickle charger\n"_s;
  out += u"  "_s + name + u".Init("_s + bus + u"_SCL, "_s + bus + u"_SDA, "_s + bus + u"_SPEED, "_s + bus + u"_PULLUP, true)\n"_s;
  if (object.m_bParam[0]) {
    const QDateTime now = LocalNow(doc);
    const QDate date = now.date();
    const QTime time = now.time();
    const int dayOfWeek = date.dayOfWeek() % 7 + 1;  // 1 Sunday .. 7 Saturday
    const QString numbers = QStringList{Dec(date.year()), Dec(date.month()), Dec(date.day()), Dec(dayOfWeek),
                                        Dec(time.hour()), Dec(time.minute()), Dec(time.second())}.join(u", "_s);
    out += u"  "_s + name + u".SetTime("_s + numbers + u")  'year, month, date, day of week (1 = Sunday), hours, minutes, seconds\n"_s;
  }
  out += u"  ser.str(string(\"RTC Started.\",13))\n"_s;
}

void WriteServoSetup(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  const bool microseconds = object.m_bParam[0];
  out += u"  "_s + name + u"_position := "_s + (microseconds ? object.m_sParam[1] : object.m_sParam[0]) + u"\n"_s;
  out += u"\n'Start "_s + name + u" driver in either degree or us mode\n"_s;
  if (microseconds)
    out += u"  "_s + name + u".startx("_s + name + u"_PIN, "_s + name + u"_position)   'position in microseconds\n"_s;
  else
    out += u"  "_s + name + u".start("_s + name + u"_PIN, "_s + name + u"_position)  'position in degrees\n"_s;
  out += u"  ser.str(string(\"Servo Started.\",13))\n"_s;
}

void WriteDigitalIoSetup(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n'Configure Digital I/O pin "_s + name + u" in non-Smart Pin mode\n"_s;
  out += u"  pinstart("_s + name + u","_s + DigitalIoModeExpression(object) + u", 0, 0)\n"_s;
  out += u"  'set starting output mode\n"_s;
  switch (object.m_nParam[4]) {
    case 0: out += u"  pinf("_s + name + u")\n"_s; break;
    case 1: out += u"  pinh("_s + name + u")\n"_s; break;
    case 2: out += u"  pinl("_s + name + u")\n"_s; break;
    default: break;
  }
  out += u"  ser.str(string(\"Digital Pin: "_s + name + u" Started.\",13))\n"_s;
}

void WriteFiltersSetup(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  static const char16_t* const hubsetValues[4] = {u"$40000000", u"$40000080", u"$40000100", u"$40000180"};
  if (!(object.m_bParam[0] || object.m_bParam[1] || object.m_bParam[2] || object.m_bParam[3])) return;
  out += u"\n'Configure HUB digital filters\n"_s;
  for (int k = 0; k < 4; ++k) {
    if (!object.m_bParam[k]) continue;
    out += u"  hubset("_s + QString::fromUtf16(hubsetValues[k]) + u" + ("_s + name + u"_Length"_s + Dec(k) +
           u" << 5) + "_s + name + u"_Tap"_s + Dec(k) + u")\n"_s;
  }
}

void WriteAdcSetup(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  switch (object.m_nParam[0]) {
    case 0:
      out += u"\n'Configure ADC mode on I/O pin "_s + name + u" in sampling mode\n"_s;
      out += u"  adc.StartSampling("_s + name + u"_AnalogPin, "_s + name + u"_WRPIN, "_s + name + u"_WXPIN)\n"_s;
      break;
    case 1:
      out += u"\n'Configure ADC mode on I/O pin "_s + name + u" in SINC2 filtering mode\n"_s;
      out += u"  adc.StartSinc2("_s + name + u"_AnalogPin, "_s + name + u"_WYPIN)\n"_s;
      break;
    default:
      out += u"\n'Configure ADC mode on I/O pin "_s + name + u" in SINC3 filtering mode\n"_s;
      out += u"  adc.StartSinc3("_s + name + u"_AnalogPin, "_s + name + u"_WYPIN)\n"_s;
      break;
  }
}

void WriteUsbSetup(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n'Configure range and position for USB Keyboard and Mouse object "_s + name + u" and then start\n"_s;
  out += u"  "_s + name + u".SetMouseLimits("_s + Dec(object.m_nParam[2]) + u" - 1, "_s + Dec(object.m_nParam[3]) + u" - 1)\n"_s;
  out += u"  "_s + name + u".SetMousePosition("_s + Dec(object.m_nParam[4]) + u", "_s + Dec(object.m_nParam[5]) + u")\n"_s;
  out += u"  "_s + name + u".Start("_s + name + u"_BASE_PIN, "_s + name + u"_ENABLE_PIN, "_s + name + u"_DM_PIN, "_s + name + u"_ERR_LED_PIN)  'starts one cog\n"_s;
  out += u"  ser.str(string(\"USB Keyboard and Mouse Driver started.\",13))\n"_s;
}

void WriteCameraSetup(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  const QString& bus = object.m_sParam[0];
  const QString& qvga = object.m_sParam[2];
  out += u"\n'Create NCO clock for camera "_s + name + u" and set the sensor up over I2C bus "_s + bus + u"\n"_s;
  out += u"  "_s + name + u".Init("_s + name + u"_Xclk, "_s + name + u"_PixelClockFreq, "_s + name + u"_RST, "_s + name + u"_PWDN, "_s + name + u"_Type, "_s + bus + u"_SCL, "_s + bus + u"_SDA)\n"_s;
  out += u"\n'Start Camera Cog\n"_s;
  out += u"  "_s + name + u".Start("_s + qvga + u".GetBuffer(), "_s + name + u"_Basepin, "_s + name + u"_VSYNC, "_s + name + u"_HSYNC, "_s + name + u"_PixelClock, "_s + name + u"_Type)\n"_s;
  out += u"  ser.str(string(\"Camera started.\",13))\n"_s;
}

}  // namespace

void WriteSetupRoutine(const CKyvDoc& doc, QString& out) {
  out += u"Pub Setup()|i\n"_s;
  out += u"'Setup - Things to do once at start \n\n"_s;
  out += u"'start serial\n"_s;
  if (doc.m_bUseBaud)
    out += u"  ser.start("_s + doc.m_sBaud + u")\n"_s;
  else
    out += u"  ser.start(230400)\n"_s;
  out += u"  repeat i from 5 to 0 'wait up to 5 seconds\n"_s;
  out += u"    ser.str(string(\"Press any key to skip count down : \")) 'tell user to press a key to avoid waiting\n"_s;
  out += u"    ser.dec(i) 'show count down\n"_s;
  out += u"    ser.str(string(\" seconds until starting.\", 13))\n"_s;
  out += u"    waitms(1000) 'wait a second\n"_s;
  out += u"    if ser.rxcheck() >= 0 'any key pressed\n"_s;
  out += u"      ser.rxflush() 'remove all key presses from input buffer\n"_s;
  out += u"      quit      'continue\n\n"_s;
  // Once, after the count-down loop.
  if (doc.m_bUseBaud) {
    out += u"  'Set custom Baud for stdio\n"_s;
    out += u"  _setbaud("_s + doc.m_sBaud + u")\n\n"_s;
  }
  if (doc.m_bUsePlan9) {
    out += u"  'Mount the Plan9 file system for access to host's files\n"_s;
    out += u"  'Files on the host PC may be accessed via names like \"/host/foo.txt\"\n"_s;
    out += u"  libc.mount(@\"/host\", libc._vfs_open_host())\n\n"_s;
  }

  for (const auto& owned : doc.m_ObjectList) {
    const CCodeObject& object = *owned;
    const QString& name = object.m_sName;
    switch (object.m_nType) {
      case OBJ_SIMPLE_VGA:
        out += u"\n  vga.start(VGA_BASEPIN)\n"_s;
        out += u"  ser.str(string(\"VGA Driver started.\",13))\n"_s;
        break;
      case OBJ_SIMPLE_QVGA:
        out += u"\n  "_s + name + u".start(QVGA_BASEPIN, QVGA_BASEPIN+4)  'base pin & vsync pin\n"_s;
        out += u"  ser.str(string(\"QVGA Driver started.\",13))\n"_s;
        break;
      case OBJ_SIMPLE_HDMI:
        out += u"\n  "_s + name + u".start(HDMI_BASEPIN)  'base pin\n"_s;
        out += u"  ser.str(string(\"HDMI Driver started.\",13))\n"_s;
        break;
      case OBJ_I2C_BUS:
        out += u"  \n'Start an I2C driver\n"_s;
        out += u"  "_s + name + u".Setup("_s + name + u"_SCL, "_s + name + u"_SDA, "_s + name + u"_SPEED, "_s +
               name + u"_PULLUP)  'setup(scl, sda, khz, PullupType) \n"_s;
        out += u"  ser.str(string(\"I2C Driver started.\", 13))\n"_s;
        break;
      case OBJ_NEOPIXEL:
        WriteNeopixelSetup(object, out);
        break;
      case OBJ_NCO:
        out += u"\n  pinstart("_s + object.m_sBasePin + u", P_NCO_FREQ+P_OE, $"_s + object.m_sParam[0] + u", $"_s +
               object.m_sParam[1] + u")   'configure smart pin for NCO Freq \n"_s;
        out += u"  ser.str(string(\"NCO Frequency Smart Pin started.\",13))\n"_s;
        break;
      case OBJ_RTC:
        WriteRtcSetup(doc, object, out);
        break;
      case OBJ_SIMPLE_SOUND:
        out += u"\n'Starting Simple Sound\n  ser.str(string(\"Starting SimpleSound Music...\",13))\n"_s;
        out += u"  sound.start(AV_LeftPin, AV_RightPin)\n"_s;
        if (object.m_bParam[0]) out += u"  sound.Play()\n"_s;
        break;
      case OBJ_SERVO:
        WriteServoSetup(object, out);
        break;
      case OBJ_DIGITAL_IO:
        WriteDigitalIoSetup(object, out);
        break;
      case OBJ_DIGITAL_FILTERS:
        WriteFiltersSetup(object, out);
        break;
      case OBJ_DAC:
        out += u"\n'Configure 8-bit Analog DAC mode on I/O pin "_s + name + u" in non-Smart pin mode\n"_s;
        out += u"  SetDacModeAndLevel("_s + name + u"_AnalogPin, "_s + DacModeName(object) + u", "_s + name + u"_AnalogLevel)\n"_s;
        out += u"  pinh("_s + name + u"_AnalogPin)\n"_s;
        out += u"  ser.str(string(\"DAC: "_s + name + u" Started.\\n\"))\n"_s;
        break;
      case OBJ_ADC:
        WriteAdcSetup(object, out);
        break;
      case OBJ_USB_KBM:
        WriteUsbSetup(object, out);
        break;
      case OBJ_CAMERA:
        WriteCameraSetup(object, out);
        break;
      default:  // Tiled 1080p writes nothing into the main file
        break;
    }
  }

  out += u"\n'End of Setup\n\n"_s;
}

void WriteSetDacModeAndLevel(const CKyvDoc& doc, QString& out) {
  for (const auto& object : doc.m_ObjectList) {
    if (object->m_nType != OBJ_DAC) continue;
    out += u"\nPub SetDacModeAndLevel(pin, mode, level)\n"_s;
    out += u"'set the non-Smart mode DAC level\n"_s;
    out += u"  pinstart(pin, mode + ((level&255) << 8), 0, 0)\n"_s;
    return;  // once, however many DAC objects there are
  }
}
// clang-format on
