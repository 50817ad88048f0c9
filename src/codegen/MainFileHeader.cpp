#include "codegen/MainFileSections.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

void WriteMainFileHeader(const CKyvDoc& doc, QString& out) {
  out += u"''Kyv Generated Spin2 main file\n"_s;
  if (doc.m_bUseBaud)
    out += u"'Use serial terminal with baud of "_s + doc.m_sBaud + u" To see diagnostic output\n"_s;
  else
    out += u"'Use serial terminal with baud of 230400 To see diagnostic output\n"_s;

  out += u"\n\nCON 'P2 clock setting\n"_s;
  out += u"  _clkfreq = "_s + doc.m_sClockFreq + u"\n\n"_s;

  if (doc.m_bMountSd) {
    out += u"\n\nCON 'uSD Pin Settings\n"_s;
    out += u"  uSD_MISO = "_s + doc.m_sSdMiso + u"\n"_s;
    out += u"  uSD_MOSI = "_s + doc.m_sSdMosi + u"\n"_s;
    out += u"  uSD_CS = "_s + doc.m_sSdCs + u"\n"_s;
    out += u"  uSD_CLK = "_s + doc.m_sSdClk + u"\n\n"_s;
  }

  out += u"\n\nCON 'Object Settings\n"_s;
}

void WriteObjBlock(const CKyvDoc& doc, QString& out) {
  out += u"OBJ 'Required Objects\n"_s;
  out += u"  ser : \"SimplerSerial\"  'For sending diagnostic output to serial terminal\n"_s;
  if (doc.m_bUsePlan9)
    out += u"  libc : \"libc.a\"  'FlexSpin C library, for mounting the host file system\n"_s;
  if (doc.m_bMountSd) {
    if (doc.m_nSdDriver == 0)
      out += u"  sd:  \"fsrw\"   'basic SD driver, has three different version of low level driver to choose from   \n"_s;
    else
      out += u"  sd:  \"FAT32\"   'advanced SD driver, has three different version of low level driver to choose from   \n"_s;
  }

  bool adcWritten = false;  // every ADC object shares the one adc instance
  for (const auto& object : doc.m_ObjectList) {
    const QString& name = object->m_sName;
    switch (object->m_nType) {
      case OBJ_SIMPLE_VGA:
        out += u"  vga : \"VGA_SimpleDriver1a.spin2\"    'Simple VGA Driver 640x480x8bpp that shows embedded image for "_s + name + u"\n"_s;
        break;
      case OBJ_SIMPLE_QVGA:
        out += u"  "_s + name + u" : \"QVGA_16bpp\"  'Simple QVGA Driver 320x240x16bpp that shows embedded image for "_s + name + u"\n"_s;
        break;
      case OBJ_SIMPLE_HDMI:
        out += u"  "_s + name + u" : \"HDMI_Simple1c\"  'Simple HDMI Driver 800x480x8bpp that shows embedded image for "_s + name + u"\n"_s;
        break;
      case OBJ_I2C_BUS:
        out += u"  "_s + name + u": \"vn_i2c_scanner\"  'I2C port settings container\n"_s;
        break;
      case OBJ_NEOPIXEL:
        out += u"  neopixel : \"vn_rgbx_pixel_kdz.spin2\"   'RGB LED string driver for "_s + name + u"\n"_s;
        break;
      case OBJ_SIMPLE_SOUND:
        out += u"  sound : \"simplesound.spin2\"  'Simple Sound driver\n"_s;
        break;
      case OBJ_SERVO:
        out += u"  "_s + name + u" : \"vn_servo\"   'Note:  Range for position is limted by driver to 600..2400 for us mode and 0..180 for degree mode \n"_s;
        break;
      case OBJ_RTC:
        out += u"  "_s + name + u" : \"rtc_DS1339\"  'DS1339 real-time clock on I2C bus "_s + object->m_sParam[0] + u"\n"_s;
        break;
      case OBJ_USB_KBM:
        if (!object->m_bParam[3])
          out += u"  "_s + name + u" : \"1CogKbM_kdz3b\"  'One cog USB keyboard and mouse driver for "_s + name + u"\n"_s;
        else
          out += u"  "_s + name + u" : \"1CogKbM_kdz3b_NoErrorLed\"  'One cog USB keyboard and mouse driver for "_s + name + u"\n"_s;
        break;
      case OBJ_CAMERA:
        out += u"  "_s + name + u" : \"CameraCapture\"  'Camera DVP capture driver for "_s + name + u"\n"_s;
        break;
      case OBJ_ADC:
        if (!adcWritten) out += u"  adc : \"adc\"  'ADC driver for P2\n"_s;
        adcWritten = true;
        break;
      default:  // NCO, digital I/O, filters, DAC and Tiled 1080p need no instance
        break;
    }
  }
}

void WriteVarBlock(const CKyvDoc& doc, QString& out) {
  out += u"\n\nVAR 'place for any needed variables\n"_s;
  if (doc.m_bMountSd && doc.m_nSdDriver == 0)
    out += u"  byte tbuf[20]   'FSRW needs string storage space for filename\n"_s;
  for (const auto& object : doc.m_ObjectList) {
    if (object->m_nType == OBJ_NEOPIXEL)
      out += u"  long pixbuf1[NEOPIXELS]  'storage for neopixel colors\n"_s;
    else if (object->m_nType == OBJ_SERVO)
      out += u"  long "_s + object->m_sName + u"_position  'storage for servo position\n"_s;
  }
}
// clang-format on
