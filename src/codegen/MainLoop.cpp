#include "codegen/MainFileSections.h"
#include "codegen/ModeExpressions.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

void WriteMainRoutine(const CKyvDoc& doc, QString& out) {
  out += u"\n\nPub Main()|n\n"_s;
  out += u"'Main Routine - Note: First PUB routine is main routine in Spin, regardless of name\n"_s;
  out += u"  Setup()  'Do any required initialization\n"_s;
  out += u"  repeat\n"_s;
  out += u"    ser.str(string(13,\"Loop #\"))\n"_s;
  out += u"    ser.dec(n++)\n"_s;
  out += u"    ser.tx(13) 'send carriage return\n"_s;
  out += u"    Loop()  'Exercise project objects\n"_s;
  if (doc.m_bHasSound) {
    out += u"    repeat 100\n"_s;
    out += u"      'inter-loop delay of 1 second\n"_s;
    out += u"      waitms(10)\n"_s;
    out += u"      'Need to call pollTick at least 50 times per second\n"_s;
    out += u"      sound.pollTick()\n"_s;
  } else {
    out += u"    waitms(1000)  'Wait a second before looping\n"_s;
  }
  out += u"\n'End of Main Routine\n"_s;
  out += u"\n\n"_s;
}

namespace {

void WriteRtcLoop(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  out += u"\n'Show the time of "_s + name + u"\n"_s;
  out += u"  ser.tx(\" \")\n"_s;
  out += u"  ser.str("_s + name + u".TimeText())  'for example Sun Mar 03 14:05:09 2024\n"_s;
  out += u"  ser.tx(13)\n"_s;
}

void WriteServoLoop(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  if (object.m_bParam[1]) {
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

// What an ADC object's loop block shows, by its filter: sampling, SINC2 or SINC3 (any other).
struct CAdcReading {
  const char16_t* m_calibratedHeading;
  const char16_t* m_uncalibratedHeading;
  const char16_t* m_calibratedMethod;
  const char16_t* m_rawMethod;
  bool m_bFiltered;  // the method also takes the WRPIN and WYPIN values
};

const CAdcReading& AdcReading(int filter) {
  static const CAdcReading sampling = {u" calibrated reading in SINC2 sampling mode",
                                       u" uncalibrated reading in SINC2 sampling mode",
                                       u"ResultSampling", u"RawSampling", false};
  static const CAdcReading sinc2 = {u" calibrated reading in SINC2 filtering mode",
                                    u" uncalibrated reading in SINC2 filtering mode",
                                    u"ResultSinc2", u"RawSinc2", true};
  static const CAdcReading sinc3 = {u" calibrated reading in SINC3 filtering mode",
                                    u" uncalibrated reading in SINC3 filtering mode",
                                    u"ResultSinc3", u"RawSinc3", true};
  return filter == 0 ? sampling : filter == 1 ? sinc2 : sinc3;
}

void WriteAdcLoop(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  const CAdcReading& reading = AdcReading(object.m_nParam[0]);
  const bool calibrated = object.m_bParam[0];
  const QString arguments = reading.m_bFiltered
                                ? name + u"_AnalogPin, "_s + name + u"_WRPIN, "_s + name + u"_WYPIN"_s
                                : name + u"_AnalogPin"_s;
  if (calibrated) {
    out += u"\n'Show "_s + name + QString::fromUtf16(reading.m_calibratedHeading) + u"\n"_s;
    out += u"  ser.str(string(\"ADC "_s + name + u" calibrated reading = \"))\n"_s;
    out += u"  ser.dec(adc."_s + QString::fromUtf16(reading.m_calibratedMethod) + u"("_s + arguments + u"))\n"_s;
    out += u"  ser.str(string(\" millivolts\"))\n"_s;
  } else {
    out += u"\n'Show "_s + name + QString::fromUtf16(reading.m_uncalibratedHeading) + u"\n"_s;
    out += u"  ser.str(string(\"ADC "_s + name + u" uncalibrated reading = \"))\n"_s;
    out += u"  ser.dec(adc."_s + QString::fromUtf16(reading.m_rawMethod) + u"("_s + arguments + u"))\n"_s;
  }
}

void WriteUsbLoop(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  if (object.m_bParam[0]) {
    out += u"\n'Show "_s + name + u" mouse position\n"_s;
    out += u"  ser.str(string(\"USB mouse "_s + name + u" position = (\"))\n"_s;
    out += u"  ser.dec("_s + name + u".MouseX())\n"_s;
    out += u"  ser.str(string(\", \"))\n"_s;
    out += u"  ser.dec("_s + name + u".MouseY())\n"_s;
    out += u"  ser.str(string(\")\",13))\n"_s;
  }
  if (object.m_bParam[1]) {
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

void WriteFsrwLoop(QString& out) {
  out += u"\n'Mount uSD and list some files using FSRW\n"_s;
  out += u"  ser.str(string(\"Mount file system with FSRW for access to uSD files\",13))\n"_s;
  out += u"  'Try to mount a few times then give up if not successful\n"_s;
  out += u"  repeat 10\n"_s;
  out += u"    waitms(500)\n"_s;
  out += u"    r:= sd.mount_explicit(uSD_MISO, uSD_CLK , uSD_MOSI, uSD_CS)\n"_s;
  out += u"    if r < 0\n"_s;
  out += u"      ser.str(string(\"Mount Error #\"))\n"_s;
  out += u"      ser.dec(r)\n"_s;
  out += u"      ser.tx(13)\n"_s;
  out += u"      sd.release() 'see if this helps next attempt\n"_s;
  out += u"    else\n"_s;
  out += u"      quit\n"_s;
  out += u"  if r < 0\n"_s;
  out += u"    ser.str(string(\"Unable to mount after several tries.Giving up.Try removing card for a second. Check boot switches.\", 13))\n"_s;
  out += u"    repeat 'give up and stop here.\n"_s;
  out += u"  ser.str(string(\"SD Mounted.\", 13))\n\n"_s;
  out += u"  'Show first few files in root directory\n"_s;
  out += u"  ser.str(string(\"First files in SD Root Directory: \",13))\n"_s;
  out += u"  sd.opendir()\n"_s;
  out += u"  r:=0 'file count\n"_s;
  out += u"  repeat while 0 == sd.nextfile(@tbuf) and 5 > r++\n"_s;
  out += u"    ser.str(@tbuf)\n"_s;
  out += u"    ser.tx(13)\n"_s;
  out += u"  ser.str(string(13,\"End of first files list.\", 13))\n"_s;
}

void WriteFat32Loop(QString& out) {
  out += u"\n'Mount uSD and list some files using FAT32\n"_s;
  out += u"  ser.str(string(\"Mount file system with FAT32 for access to uSD files\",13))\n"_s;
  out += u"  'Start the Engine.  This seems to either work, or hang\n"_s;
  out += u"  'Starting with readOnly=true can cause serious issues, not recommended\n"_s;
  out += u"  r:= sd.FATEngineStart(uSD_MISO, uSD_CLK, uSD_MOSI, uSD_CS, false) \n"_s;
  out += u"  'Try to mount a few times then give up if not successful\n"_s;
  out += u"  repeat 20\n"_s;
  out += u"    r:= \\sd.mountPartition(0)\n"_s;
  out += u"    if r<>0\n"_s;
  out += u"      ser.str(string(13, \"Partition Mount Error : \"))\n"_s;
  out += u"      ser.str(r)\n"_s;
  out += u"      ser.tx(13)\n"_s;
  out += u"    else\n"_s;
  out += u"      quit\n"_s;
  out += u"    waitms(200)\n"_s;
  out += u"  if r<>0\n"_s;
  out += u"    ser.str(string(\"uSD Failed to mount.\"))\n"_s;
  out += u"    repeat 'give up on uSD and stop here\n"_s;
  out += u"  ser.str(string(13,\"SD Partition Mounted.\",13))\n\n"_s;
  out += u"  'Show first few files in root directory\n"_s;
  out += u"  ser.str(string(\"First files in SD Root Directory: \",13))\n"_s;
  out += u"  sd.listEntries(\"W\") 'With \"W\" argument, resets us to top of directory list, just in case not there already\n"_s;
  out += u"  repeat 5 'just showing first 5 files\n"_s;
  out += u"    r:= sd.listEntries(\"N\") 'With \"N\" argument, loads info on next file in directory list and returns filename or 0 if end of list\n"_s;
  out += u"    if byte[r] == 0   'listEntries(\"N\") returns 0 when end of directory list is reached\n"_s;
  out += u"      quit\n"_s;
  out += u"    else\n"_s;
  out += u"      ser.str(r)\n"_s;
  out += u"      ser.tx(13)\n"_s;
  out += u"  ser.str(string(13,\"End of first files list.\", 13))\n"_s;
}

}  // namespace

void WriteLoopRoutine(const CKyvDoc& doc, QString& out) {
  // The SD card block assigns r.
  out += doc.m_bMountSd ? u"Pub Loop()|i, r\n"_s : u"Pub Loop()|i\n"_s;
  out += u"'Loop - Things to do over and over again\n"_s;

  for (const auto& owned : doc.m_ObjectList) {
    const CCodeObject& object = *owned;
    const QString& name = object.m_sName;
    switch (object.m_nType) {
      case OBJ_I2C_BUS:
        if (!object.m_bParam[0]) break;
        out += u"  \n'Scan the I2C Bus: "_s + name + u"\n"_s;
        out += u"  "_s + name + u".ScanI2cBus()\n"_s;
        break;
      case OBJ_NEOPIXEL:
        if (!object.m_bParam[0]) break;
        out += u"\n'Randomly change Neopixel color\n"_s;
        out += u"  repeat i from 0 to neopixels-1\n"_s;
        out += u"    pixbuf1[i] := GetRND()\n"_s;
        break;
      case OBJ_RTC:
        WriteRtcLoop(object, out);
        break;
      case OBJ_SIMPLE_SOUND:
        if (!object.m_bParam[1]) break;
        out += u"\n'randomly play a sound effect\n"_s;
        out += u"  sound.playSound((ABS GetRnd()) // 4 + 1)  'play 1 of 4 sounds\n"_s;
        break;
      case OBJ_SERVO:
        WriteServoLoop(object, out);
        break;
      case OBJ_DIGITAL_IO:
        if (object.m_bParam[4]) {
          out += u"'Toggle Digital I/O pin output\n"_s;
          out += u"  pintoggle("_s + name + u")\n"_s;
        }
        if (object.m_bParam[3]) {
          out += u"'Show Digital I/O pin input\n"_s;
          out += u"  ser.str(string(\""_s + name + u" IN = \"))\n"_s;
          out += u"  ser.dec(pinr("_s + name + u"))\n"_s;
          out += u"  ser.tx(13)\n"_s;
        }
        break;
      case OBJ_DAC:
        if (!object.m_bParam[0]) break;
        out += u"\n'Randomly change DAC "_s + name + u" level\n"_s;
        out += u"  i  := GetRnd() & $FF  'random 8-bit level\n"_s;
        out += u"  SetDacModeAndLevel("_s + name + u"_AnalogPin, "_s + DacModeName(object) + u", i)\n"_s;
        out += u"  ser.str(string(\""_s + name + u" level = \"))\n"_s;
        out += u"  ser.dec(i)\n"_s;
        out += u"  ser.tx(13)\n"_s;
        break;
      case OBJ_ADC:
        WriteAdcLoop(object, out);
        break;
      case OBJ_USB_KBM:
        WriteUsbLoop(object, out);
        break;
      case OBJ_CAMERA:
        if (!object.m_bParam[0]) break;
        out += u"\n'Get and show camera ID from ID registers over I2C\n"_s;
        out += u"  "_s + name + u".Probe("_s + name + u"_Type, "_s + object.m_sParam[0] + u"_SCL, "_s + object.m_sParam[0] + u"_SDA)\n"_s;
        break;
      default:  // the video outputs, NCO, filters and Tiled 1080p have nothing to exercise
        break;
    }
  }

  if (doc.m_bMountSd) {
    if (doc.m_nSdDriver == 0)
      WriteFsrwLoop(out);
    else
      WriteFat32Loop(out);
  }

  out += u"\n'End of Loop \n"_s;
  out += u"\n\n"_s;
}
// clang-format on
