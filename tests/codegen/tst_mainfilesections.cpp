#include <QtTest>
#include <functional>

#include "CodegenFixtures.h"
#include "TestPlatform.h"
#include "codegen/MainFileSections.h"
#include "codegen/kinds/KindBlocks.h"
#include "model/KindRegistry.h"

using namespace Qt::Literals::StringLiterals;

// Each section of the main file for a project of one object, compared with the exact text.
class TestMainFileSections : public QObject {
  Q_OBJECT

 private slots:
  void kindBlocks_data();
  void kindBlocks();
  void neopixelStartCall_data();
  void neopixelStartCall();
  void digitalIoStartState_data();
  void digitalIoStartState();
  void mainRoutineWaitsWithPollTickForSound();
  void dacHelperWrittenOncePerProject();
  void adcInstanceSharedByAdcObjects();
  void fat32Blocks();
  void blocksFollowListOrder();
  void rtcReadsTheClockOfThePlatform();
  void everyKindHasBlocks();
  void unknownKindWritesNothing();
};

// The expected lines stay one per source line, as they read in the file.
// clang-format off
namespace {

struct CKindCase {
  const char* m_sName;
  std::function<std::unique_ptr<CCodeObject>()> m_make;
  QString m_sConstants;
  QString m_sObj;
  QString m_sVar;
  QString m_sLoop;
  QString m_sSetup;
};

const QString kObjHead =
    u"OBJ 'Required Objects\n"
    u"  ser : \"SimplerSerial\"  'For sending diagnostic output to serial terminal\n"_s;
const QString kVarHead = u"\n\nVAR 'place for any needed variables\n"_s;
const QString kLoopHead = u"Pub Loop()|i\n'Loop - Things to do over and over again\n"_s;
const QString kLoopTail = u"\n'End of Loop \n\n\n"_s;
const QString kSetupHead =
    u"Pub Setup()|i\n"
    u"'Setup - Things to do once at start \n\n"
    u"'start serial\n"
    u"  ser.start(230400)\n"
    u"  repeat i from 5 to 0 'wait up to 5 seconds\n"
    u"    ser.str(string(\"Press any key to skip count down : \")) 'tell user to press a key to avoid waiting\n"
    u"    ser.dec(i) 'show count down\n"
    u"    ser.str(string(\" seconds until starting.\", 13))\n"
    u"    waitms(1000) 'wait a second\n"
    u"    if ser.rxcheck() >= 0 'any key pressed\n"
    u"      ser.rxflush() 'remove all key presses from input buffer\n"
    u"      quit      'continue\n\n"_s;
const QString kSetupTail = u"\n'End of Setup\n\n"_s;

const QString kUsbMouseLoop =
    u"\n'Show UsbKbM1 mouse position\n"
    u"  ser.str(string(\"USB mouse UsbKbM1 position = (\"))\n"
    u"  ser.dec(UsbKbM1.MouseX())\n"
    u"  ser.str(string(\", \"))\n"
    u"  ser.dec(UsbKbM1.MouseY())\n"
    u"  ser.str(string(\")\",13))\n"_s;

const QString kUsbKeyboardLoop =
    u"\n'Show UsbKbM1 keyboard input\n"
    u"  i := UsbKbM1.rawKey()\n"
    u"  if i\n"
    u"    ser.str(string(\"Keyboard input : \"))\n"
    u"  else\n"
    u"    ser.str(string(\"No keyboard input.\"))\n"
    u"  repeat while i\n"
    u"    ser.tx(\" \")\n"
    u"    ser.tx(i)\n"
    u"    i := UsbKbM1.rawKey()\n"
    u"  ser.tx(13)\n"_s;

const QString kRtcLoop =
    u"\n'Show the time of RTC1\n"
    u"  ser.tx(\" \")\n"
    u"  ser.str(RTC1.TimeText())  'for example Sun Mar 03 14:05:09 2024\n"
    u"  ser.tx(13)\n"_s;

const QString kCameraConstants =
    u"\n  'Settings for Camera Object: Camera1\n"
    u"  Camera1_Type = Camera1.OV2640  'one of OV7675 OV5640 OV2640\n"
    u"  Camera1_Basepin = (16)  '8 bit DVP bus starts here\n"
    u"  Camera1_Xclk = (16+8+7)\n"
    u"  Camera1_PixelClock = (16+8+6)  'video clock MISO pin\n"
    u"  Camera1_PixelClockFreq = 20_000_000  '20 MHz\n"
    u"  Camera1_RST = (16+8+5)  'digital video reset pin\n"
    u"  Camera1_SDA = (16+8+0)  'digital video SDA pin\n"
    u"  Camera1_SCL = (16+8+1)  'digital video SCL pin\n"
    u"  Camera1_VSYNC = (16+8+4)  'VSYNC pin\n"
    u"  Camera1_HSYNC = (16+8+3)  'HREF pin\n"
    u"  Camera1_PWDN = (16+8+2)  'Power Down\n"_s;

const QString kCameraSetup =
    u"\n'Create NCO clock for camera Camera1 and set the sensor up over I2C bus I2CBus1\n"
    u"  Camera1.Init(Camera1_Xclk, Camera1_PixelClockFreq, Camera1_RST, Camera1_PWDN, Camera1_Type, I2CBus1_SCL, I2CBus1_SDA)\n"
    u"\n'Start Camera Cog\n"
    u"  Camera1.Start(SimpleQVGA1.GetBuffer(), Camera1_Basepin, Camera1_VSYNC, Camera1_HSYNC, Camera1_PixelClock, Camera1_Type)\n"
    u"  ser.str(string(\"Camera started.\",13))\n"_s;

const QList<CKindCase>& KindCases() {
  static const QList<CKindCase> cases = {
      {"Simple VGA", [] { return MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s); },
       u"\n  'Simple VGA Basepin for SimpleVGA1\n"
       u"  VGA_BASEPIN = 48\n\n"_s,
       u"  vga : \"VGA_SimpleDriver1a.spin2\"    'Simple VGA Driver 640x480x8bpp that shows embedded image for SimpleVGA1\n"_s,
       {}, {},
       u"\n  vga.start(VGA_BASEPIN)\n"
       u"  ser.str(string(\"VGA Driver started.\",13))\n"_s},

      {"Simple QVGA", [] { return MakeVideo(OBJ_SIMPLE_QVGA, u"SimpleQVGA1"_s); },
       u"\n  'Simple QVGA Basepin for SimpleQVGA1\n"
       u"  QVGA_BASEPIN = 48\n\n"_s,
       u"  SimpleQVGA1 : \"QVGA_16bpp\"  'Simple QVGA Driver 320x240x16bpp that shows embedded image for SimpleQVGA1\n"_s,
       {}, {},
       u"\n  SimpleQVGA1.start(QVGA_BASEPIN, QVGA_BASEPIN+4)  'base pin & vsync pin\n"
       u"  ser.str(string(\"QVGA Driver started.\",13))\n"_s},

      {"Simple HDMI", [] { return MakeVideo(OBJ_SIMPLE_HDMI, u"SimpleHDMI1"_s); },
       u"\n  'Simple HDMI Basepin for SimpleHDMI1\n"
       u"  HDMI_BASEPIN = 48\n\n"_s,
       u"  SimpleHDMI1 : \"HDMI_Simple1c\"  'Simple HDMI Driver 800x480x8bpp that shows embedded image for SimpleHDMI1\n"_s,
       {}, {},
       u"\n  SimpleHDMI1.start(HDMI_BASEPIN)  'base pin\n"
       u"  ser.str(string(\"HDMI Driver started.\",13))\n"_s},

      {"Tiled 1080p", [] { return MakeVideo(OBJ_TILED_1080P, u"Tiled1080p1"_s); }, {}, {}, {}, {}, {}},

      {"I2C bus scanning", [] { return MakeI2cBus(u"I2CBus1"_s, true); },
       u"\n  'I2C Bus Pins and Settings for I2CBus1\n"
       u"  I2CBus1_SCL = 56\n"
       u"  I2CBus1_SDA = 57\n"
       u"  I2CBus1_SPEED = 100\n"
       u"  I2CBus1_PULLUP = 0 \n\n"_s,
       u"  I2CBus1: \"vn_i2c_scanner\"  'I2C port settings container\n"_s,
       {},
       u"  \n'Scan the I2C Bus: I2CBus1\n"
       u"  I2CBus1.ScanI2cBus()\n"_s,
       u"  \n'Start an I2C driver\n"
       u"  I2CBus1.Setup(I2CBus1_SCL, I2CBus1_SDA, I2CBus1_SPEED, I2CBus1_PULLUP)  'setup(scl, sda, khz, PullupType) \n"
       u"  ser.str(string(\"I2C Driver started.\", 13))\n"_s},

      {"I2C bus without scan", [] { auto bus = MakeI2cBus(u"Bus2"_s, false); (*bus)[I2cBusSlots::Pullup] = 3; return bus; },
       u"\n  'I2C Bus Pins and Settings for Bus2\n"
       u"  Bus2_SCL = 56\n"
       u"  Bus2_SDA = 57\n"
       u"  Bus2_SPEED = 100\n"
       u"  Bus2_PULLUP = 3 \n\n"_s,
       u"  Bus2: \"vn_i2c_scanner\"  'I2C port settings container\n"_s,
       {}, {},
       u"  \n'Start an I2C driver\n"
       u"  Bus2.Setup(Bus2_SCL, Bus2_SDA, Bus2_SPEED, Bus2_PULLUP)  'setup(scl, sda, khz, PullupType) \n"
       u"  ser.str(string(\"I2C Driver started.\", 13))\n"_s},

      {"Neopixel cycling", [] { return MakeNeopixel(u"Neopixel1"_s); },
       u"\n  'Neopixel pin and settings for Neopixel1\n"
       u"  NEOPIXELS = 1\n"
       u"  NEOPIXEL_COLOR = $FF800000\n"
       u"  NEOPIXEL_PIN = 53\n"
       u"  NEOPIXEL_HOLDOFF = 5\n"_s,
       u"  neopixel : \"vn_rgbx_pixel_kdz.spin2\"   'RGB LED string driver for Neopixel1\n"_s,
       u"  long pixbuf1[NEOPIXELS]  'storage for neopixel colors\n"_s,
       u"\n'Randomly change Neopixel color\n"
       u"  repeat i from 0 to neopixels-1\n"
       u"    pixbuf1[i] := GetRND()\n"_s,
       u"  \n'Set up Neopixel\n"
       u"  repeat i from 0 to  NEOPIXELS-1\n"
       u"    pixbuf1[i] := NEOPIXEL_COLOR\n"
       u"  neopixel.start_2812b(@pixbuf1, NEOPIXELS, NEOPIXEL_PIN, NEOPIXEL_HOLDOFF)            ' start pixel driver\n"
       u"  ser.str(string(\"Neopixel Driver Started.\",13))\n"_s},

      {"NCO", [] { return MakeNco(u"NCO1"_s); }, {}, {}, {}, {},
       u"\n  pinstart(38, P_NCO_FREQ+P_OE, $00000003, $00013A94)   'configure smart pin for NCO Freq \n"
       u"  ser.str(string(\"NCO Frequency Smart Pin started.\",13))\n"_s},

      {"RTC keeping its time", [] { return MakeRtc(u"RTC1"_s, u"I2CBus1"_s, false); },
       {},
       u"  RTC1 : \"rtc_DS1339\"  'DS1339 real-time clock on I2C bus I2CBus1\n"_s,
       {}, kRtcLoop,
       u"\n'Start the real-time clock RTC1 on I2C bus I2CBus1 and enable its trickle charger\n"
       u"  RTC1.Init(I2CBus1_SCL, I2CBus1_SDA, I2CBus1_SPEED, I2CBus1_PULLUP, true)\n"
       u"  ser.str(string(\"RTC Started.\",13))\n"_s},

      // The test platform's clock stands at Sunday 3 March 2024, 14:05:09.
      {"RTC set to the PC's time", [] { return MakeRtc(u"RTC1"_s, u"I2CBus1"_s, true); },
       {},
       u"  RTC1 : \"rtc_DS1339\"  'DS1339 real-time clock on I2C bus I2CBus1\n"_s,
       {}, kRtcLoop,
       u"\n'Start the real-time clock RTC1 on I2C bus I2CBus1 and enable its trickle charger\n"
       u"  RTC1.Init(I2CBus1_SCL, I2CBus1_SDA, I2CBus1_SPEED, I2CBus1_PULLUP, true)\n"
       u"  RTC1.SetTime(2024, 3, 3, 1, 14, 5, 9)  'year, month, date, day of week (1 = Sunday), hours, minutes, seconds\n"
       u"  ser.str(string(\"RTC Started.\",13))\n"_s},

      {"Simple Sound with music and effects", [] { return MakeSound(u"SimpleSound1"_s); },
       u"\n  'Simple Sound Audio pins for SimpleSound1\n"
       u"  AV_LeftPin = 54\n"
       u"  AV_RightPin = 55\n"_s,
       u"  sound : \"simplesound.spin2\"  'Simple Sound driver\n"_s,
       {},
       u"\n'randomly play a sound effect\n"
       u"  sound.playSound((ABS GetRnd()) // 4 + 1)  'play 1 of 4 sounds\n"_s,
       u"\n'Starting Simple Sound\n"
       u"  ser.str(string(\"Starting SimpleSound Music...\",13))\n"
       u"  sound.start(AV_LeftPin, AV_RightPin)\n"
       u"  sound.Play()\n"_s},

      {"Simple Sound silent", [] { return MakeSound(u"SimpleSound1"_s, false, false); },
       u"\n  'Simple Sound Audio pins for SimpleSound1\n"
       u"  AV_LeftPin = 54\n"
       u"  AV_RightPin = 55\n"_s,
       u"  sound : \"simplesound.spin2\"  'Simple Sound driver\n"_s,
       {}, {},
       u"\n'Starting Simple Sound\n"
       u"  ser.str(string(\"Starting SimpleSound Music...\",13))\n"
       u"  sound.start(AV_LeftPin, AV_RightPin)\n"_s},

      {"Servo in degrees moving randomly", [] { return MakeServo(u"Servo1"_s, u"38"_s, false, true); },
       u"\n  Servo1_PIN = 38 'I/O pin to use for Servo1\n"
       u"  Servo1_MODE = 0 '0 for degrees, 1 for microseconds\n"_s,
       u"  Servo1 : \"vn_servo\"   'Note:  Range for position is limted by driver to 600..2400 for us mode and 0..180 for degree mode \n"_s,
       u"  long Servo1_position  'storage for servo position\n"_s,
       u"\n'Randomly move servo position\n"
       u"  Servo1_position += (ABS GetRnd() // 11) - 5  'move randomly between -5 and +5 units\n"
       u"  Servo1.Write(Servo1_MODE, Servo1_position)   'use this to set new position\n"
       u"  Servo1_position := Servo1.Read(Servo1_MODE)   'get new actual (limited) position\n"
       u"  ser.str(string(\"Servo Position = \"))\n"
       u"  ser.dec(Servo1_position)\n"
       u"  ser.tx(13)\n"_s,
       u"  Servo1_position := 90\n"
       u"\n'Start Servo1 driver in either degree or us mode\n"
       u"  Servo1.start(Servo1_PIN, Servo1_position)  'position in degrees\n"
       u"  ser.str(string(\"Servo Started.\",13))\n"_s},

      // The fixed servo's Write call is commented out with a Spin2 comment mark.
      {"Servo in microseconds held still", [] { return MakeServo(u"Servo1"_s, u"38"_s, true, false); },
       u"\n  Servo1_PIN = 38 'I/O pin to use for Servo1\n"
       u"  Servo1_MODE = 1 '0 for degrees, 1 for microseconds\n"_s,
       u"  Servo1 : \"vn_servo\"   'Note:  Range for position is limted by driver to 600..2400 for us mode and 0..180 for degree mode \n"_s,
       u"  long Servo1_position  'storage for servo position\n"_s,
       u"\n'Fixed servo position\n"
       u"    'Servo1.Write(Servo1_MODE, Servo1_position)    'use this to set new position\n"
       u"    Servo1_position := Servo1.Read(Servo1_MODE)     'get new actual (limited) position\n"
       u"  ser.str(string(\"Servo Position = \"))\n"
       u"  ser.dec(Servo1_position)\n"
       u"  ser.tx(13)\n"_s,
       u"  Servo1_position := 1500\n"
       u"\n'Start Servo1 driver in either degree or us mode\n"
       u"  Servo1.startx(Servo1_PIN, Servo1_position)   'position in microseconds\n"
       u"  ser.str(string(\"Servo Started.\",13))\n"_s},

      {"Digital I/O toggling and showing", [] { return MakeDigitalIo(u"DigitalIO1"_s); },
       u"\n  DigitalIO1 = 38\n"_s,
       {}, {},
       u"'Toggle Digital I/O pin output\n"
       u"  pintoggle(DigitalIO1)\n"
       u"'Show Digital I/O pin input\n"
       u"  ser.str(string(\"DigitalIO1 IN = \"))\n"
       u"  ser.dec(pinr(DigitalIO1))\n"
       u"  ser.tx(13)\n"_s,
       u"\n'Configure Digital I/O pin DigitalIO1 in non-Smart Pin mode\n"
       u"  pinstart(DigitalIO1,P_TRUE_A|P_LOCAL_A|P_PASS_AB|P_TRUE_IN|P_TRUE_OUTPUT|P_HIGH_FAST|P_LOW_FAST|P_ASYNC_IO|P_NORMAL, 0, 0)\n"
       u"  'set starting output mode\n"
       u"  pinf(DigitalIO1)\n"
       u"  ser.str(string(\"Digital Pin: DigitalIO1 Started.\",13))\n"_s},

      {"Digital I/O quiet in the loop",
       [] { auto pin = MakeDigitalIo(u"Led"_s, u"56"_s); (*pin)[DigitalSlots::ShowInput] = (*pin)[DigitalSlots::ToggleOutput] = false; return pin; },
       u"\n  Led = 56\n"_s,
       {}, {}, {},
       u"\n'Configure Digital I/O pin Led in non-Smart Pin mode\n"
       u"  pinstart(Led,P_TRUE_A|P_LOCAL_A|P_PASS_AB|P_TRUE_IN|P_TRUE_OUTPUT|P_HIGH_FAST|P_LOW_FAST|P_ASYNC_IO|P_NORMAL, 0, 0)\n"
       u"  'set starting output mode\n"
       u"  pinf(Led)\n"
       u"  ser.str(string(\"Digital Pin: Led Started.\",13))\n"_s},

      {"Filters: only filter 2", [] { return MakeFilters(u"Filters1"_s, {2}); },
       u"\n  'Global Digital Filters\n"
       u"  Filters1_Length2 = 2\n"
       u"  Filters1_Tap2 = 6\n"_s,
       {}, {}, {},
       u"\n'Configure HUB digital filters\n"
       u"  hubset($40000100 + (Filters1_Length2 << 5) + Filters1_Tap2)\n"_s},

      {"Filters: all four", [] { return MakeFilters(u"F"_s, {0, 1, 2, 3}); },
       u"\n  'Global Digital Filters\n"
       u"  F_Length0 = 0\n  F_Tap0 = 4\n"
       u"  F_Length1 = 1\n  F_Tap1 = 5\n"
       u"  F_Length2 = 2\n  F_Tap2 = 6\n"
       u"  F_Length3 = 3\n  F_Tap3 = 7\n"_s,
       {}, {}, {},
       u"\n'Configure HUB digital filters\n"
       u"  hubset($40000000 + (F_Length0 << 5) + F_Tap0)\n"
       u"  hubset($40000080 + (F_Length1 << 5) + F_Tap1)\n"
       u"  hubset($40000100 + (F_Length2 << 5) + F_Tap2)\n"
       u"  hubset($40000180 + (F_Length3 << 5) + F_Tap3)\n"_s},

      {"Filters: none enabled", [] { return MakeFilters(u"Filters1"_s, {}); },
       u"\n  'Global Digital Filters\n"_s, {}, {}, {}, {}},

      {"DAC varying randomly", [] { return MakeDac(u"DAC1"_s, u"18"_s, 2, true); },
       u"\n  'DAC Pin Constants\n"
       u"  DAC1_AnalogPin = 18\n"
       u"  DAC1_AnalogLevel = 128\n"_s,
       {}, {},
       u"\n'Randomly change DAC DAC1 level\n"
       u"  i  := GetRnd() & $FF  'random 8-bit level\n"
       u"  SetDacModeAndLevel(DAC1_AnalogPin, P_DAC_124R_3V, i)\n"
       u"  ser.str(string(\"DAC1 level = \"))\n"
       u"  ser.dec(i)\n"
       u"  ser.tx(13)\n"_s,
       u"\n'Configure 8-bit Analog DAC mode on I/O pin DAC1 in non-Smart pin mode\n"
       u"  SetDacModeAndLevel(DAC1_AnalogPin, P_DAC_124R_3V, DAC1_AnalogLevel)\n"
       u"  pinh(DAC1_AnalogPin)\n"
       u"  ser.str(string(\"DAC: DAC1 Started.\\n\"))\n"_s},

      {"DAC with a drive index without a mode", [] { return MakeDac(u"DAC1"_s, u"18"_s, 4, true); },
       u"\n  'DAC Pin Constants\n"
       u"  DAC1_AnalogPin = 18\n"
       u"  DAC1_AnalogLevel = 128\n"_s,
       {}, {},
       u"\n'Randomly change DAC DAC1 level\n"
       u"  i  := GetRnd() & $FF  'random 8-bit level\n"
       u"  SetDacModeAndLevel(DAC1_AnalogPin, , i)\n"
       u"  ser.str(string(\"DAC1 level = \"))\n"
       u"  ser.dec(i)\n"
       u"  ser.tx(13)\n"_s,
       u"\n'Configure 8-bit Analog DAC mode on I/O pin DAC1 in non-Smart pin mode\n"
       u"  SetDacModeAndLevel(DAC1_AnalogPin, , DAC1_AnalogLevel)\n"
       u"  pinh(DAC1_AnalogPin)\n"
       u"  ser.str(string(\"DAC: DAC1 Started.\\n\"))\n"_s},

      {"ADC in SINC3, uncalibrated", [] { return MakeAdc(u"ADC1"_s, u"50"_s, 2, 9, false); },
       u"\n  'ADC Constants\n"
       u"ADC1_AnalogPin = 50\n"
       u"ADC1_WRPIN = (P_LOCAL_A|P_ADC_1X|P_ADC)\n"
       u"ADC1_WYPIN =(512)  'clocks 16..512\n"_s,
       u"  adc : \"adc\"  'ADC driver for P2\n"_s,
       {},
       u"\n'Show ADC1 uncalibrated reading in SINC3 filtering mode\n"
       u"  ser.str(string(\"ADC ADC1 uncalibrated reading = \"))\n"
       u"  ser.dec(adc.RawSinc3(ADC1_AnalogPin, ADC1_WRPIN, ADC1_WYPIN))\n"_s,
       u"\n'Configure ADC mode on I/O pin ADC1 in SINC3 filtering mode\n"
       u"  adc.StartSinc3(ADC1_AnalogPin, ADC1_WYPIN)\n"_s},

      {"ADC sampling, calibrated", [] { return MakeAdc(u"ADC1"_s, u"50"_s, 0, 13, true); },
       u"\n  'ADC Constants\n"
       u"ADC1_AnalogPin = 50\n"
       u"ADC1_WRPIN = (P_LOCAL_A|P_ADC_1X|P_ADC)\n"
       u"ADC1_WXPIN = (13)\n"_s,
       u"  adc : \"adc\"  'ADC driver for P2\n"_s,
       {},
       u"\n'Show ADC1 calibrated reading in SINC2 sampling mode\n"
       u"  ser.str(string(\"ADC ADC1 calibrated reading = \"))\n"
       u"  ser.dec(adc.ResultSampling(ADC1_AnalogPin))\n"
       u"  ser.str(string(\" millivolts\"))\n"_s,
       u"\n'Configure ADC mode on I/O pin ADC1 in sampling mode\n"
       u"  adc.StartSampling(ADC1_AnalogPin, ADC1_WRPIN, ADC1_WXPIN)\n"_s},

      {"ADC in SINC2, calibrated", [] { return MakeAdc(u"ADC2"_s, u"51"_s, 1, 13, true); },
       u"\n  'ADC Constants\n"
       u"ADC2_AnalogPin = 51\n"
       u"ADC2_WRPIN = (P_LOCAL_A|P_ADC_1X|P_ADC)\n"
       u"ADC2_WYPIN = (8192)  'clocks 10..8192\n"_s,
       u"  adc : \"adc\"  'ADC driver for P2\n"_s,
       {},
       u"\n'Show ADC2 calibrated reading in SINC2 filtering mode\n"
       u"  ser.str(string(\"ADC ADC2 calibrated reading = \"))\n"
       u"  ser.dec(adc.ResultSinc2(ADC2_AnalogPin, ADC2_WRPIN, ADC2_WYPIN))\n"
       u"  ser.str(string(\" millivolts\"))\n"_s,
       u"\n'Configure ADC mode on I/O pin ADC2 in SINC2 filtering mode\n"
       u"  adc.StartSinc2(ADC2_AnalogPin, ADC2_WYPIN)\n"_s},

      {"USB on the adapter's bottom port", [] { return MakeUsb(u"UsbKbM1"_s, false, 2, false); },
       u"\n  'Settings for USB Object: UsbKbM1\n"
       u"  UsbKbM1_BASE_PIN = 24\n"
       u"  UsbKbM1_ENABLE_PIN = 25\n"
       u"  UsbKbM1_DM_PIN = 26\n"
       u"  UsbKbM1_ERR_LED_PIN = 58\n"_s,
       u"  UsbKbM1 : \"1CogKbM_kdz3b\"  'One cog USB keyboard and mouse driver for UsbKbM1\n"_s,
       {}, kUsbMouseLoop + kUsbKeyboardLoop,
       u"\n'Configure range and position for USB Keyboard and Mouse object UsbKbM1 and then start\n"
       u"  UsbKbM1.SetMouseLimits(640 - 1, 480 - 1)\n"
       u"  UsbKbM1.SetMousePosition(100, 100)\n"
       u"  UsbKbM1.Start(UsbKbM1_BASE_PIN, UsbKbM1_ENABLE_PIN, UsbKbM1_DM_PIN, UsbKbM1_ERR_LED_PIN)  'starts one cog\n"
       u"  ser.str(string(\"USB Keyboard and Mouse Driver started.\",13))\n"_s},

      {"USB custom pins without error LED",
       [] { auto usb = MakeUsb(u"Kb"_s, true, 0, true); (*usb)[UsbKbmSlots::OutputMouse] = (*usb)[UsbKbmSlots::OutputKeyboard] = false; (*usb)[UsbKbmSlots::LimitX] = 1024; (*usb)[UsbKbmSlots::StartY] = 7; return usb; },
       u"\n  'Settings for USB Object: Kb\n"
       u"  Kb_BASE_PIN = 8\n"
       u"  Kb_ENABLE_PIN = 9\n"
       u"  Kb_DM_PIN = 10\n"
       u"  Kb_ERR_LED_PIN = 57\n"_s,
       u"  Kb : \"1CogKbM_kdz3b_NoErrorLed\"  'One cog USB keyboard and mouse driver for Kb\n"_s,
       {}, {},
       u"\n'Configure range and position for USB Keyboard and Mouse object Kb and then start\n"
       u"  Kb.SetMouseLimits(1024 - 1, 480 - 1)\n"
       u"  Kb.SetMousePosition(100, 7)\n"
       u"  Kb.Start(Kb_BASE_PIN, Kb_ENABLE_PIN, Kb_DM_PIN, Kb_ERR_LED_PIN)  'starts one cog\n"
       u"  ser.str(string(\"USB Keyboard and Mouse Driver started.\",13))\n"_s},

      {"USB custom pins without power enable",
       [] { auto usb = MakeUsb(u"UsbKbM1"_s, true, 0, false); (*usb)[UsbKbmSlots::UsePowerPin] = false; (*usb)[UsbKbmSlots::OutputMouse] = false; return usb; },
       u"\n  'Settings for USB Object: UsbKbM1\n"
       u"  UsbKbM1_BASE_PIN = 8\n"
       u"  UsbKbM1_ENABLE_PIN = -1\n"
       u"  UsbKbM1_DM_PIN = 10\n"
       u"  UsbKbM1_ERR_LED_PIN = 57\n"_s,
       u"  UsbKbM1 : \"1CogKbM_kdz3b\"  'One cog USB keyboard and mouse driver for UsbKbM1\n"_s,
       {}, kUsbKeyboardLoop,
       u"\n'Configure range and position for USB Keyboard and Mouse object UsbKbM1 and then start\n"
       u"  UsbKbM1.SetMouseLimits(640 - 1, 480 - 1)\n"
       u"  UsbKbM1.SetMousePosition(100, 100)\n"
       u"  UsbKbM1.Start(UsbKbM1_BASE_PIN, UsbKbM1_ENABLE_PIN, UsbKbM1_DM_PIN, UsbKbM1_ERR_LED_PIN)  'starts one cog\n"
       u"  ser.str(string(\"USB Keyboard and Mouse Driver started.\",13))\n"_s},

      {"DVP camera showing its ID", [] { return MakeCamera(u"Camera1"_s, u"I2CBus1"_s, u"SimpleQVGA1"_s); },
       kCameraConstants,
       u"  Camera1 : \"CameraCapture\"  'Camera DVP capture driver for Camera1\n"_s,
       {},
       u"\n'Get and show camera ID from ID registers over I2C\n"
       u"  Camera1.Probe(Camera1_Type, I2CBus1_SCL, I2CBus1_SDA)\n"_s,
       kCameraSetup},

      {"DVP camera without ID probe",
       [] { auto camera = MakeCamera(u"Camera1"_s, u"I2CBus1"_s, u"SimpleQVGA1"_s); (*camera)[CameraSlots::ShowId] = false; return camera; },
       kCameraConstants,
       u"  Camera1 : \"CameraCapture\"  'Camera DVP capture driver for Camera1\n"_s,
       {}, {}, kCameraSetup},
  };
  return cases;
}

struct CSections {
  QString m_sConstants, m_sObj, m_sVar, m_sMain, m_sLoop, m_sSetup, m_sDacHelper;
};

CSections Sections(CKyvDoc& doc) {
  CSections s;
  doc.m_bHasSound = false;
  WriteObjectConstants(doc, s.m_sConstants);
  WriteObjBlock(doc, s.m_sObj);
  WriteVarBlock(doc, s.m_sVar);
  WriteMainRoutine(doc, s.m_sMain);
  WriteLoopRoutine(doc, s.m_sLoop);
  WriteSetupRoutine(doc, s.m_sSetup);
  WriteHelperRoutines(doc, s.m_sDacHelper);
  return s;
}

}  // namespace

void TestMainFileSections::kindBlocks_data() {
  QTest::addColumn<int>("index");
  for (int i = 0; i < KindCases().size(); ++i) QTest::newRow(KindCases()[i].m_sName) << i;
}

void TestMainFileSections::kindBlocks() {
  QFETCH(int, index);
  const CKindCase& expected = KindCases()[index];
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  doc.AddObject(expected.m_make());

  const CSections s = Sections(doc);
  QCOMPARE(s.m_sConstants, expected.m_sConstants);
  QCOMPARE(s.m_sObj, kObjHead + expected.m_sObj);
  QCOMPARE(s.m_sVar, kVarHead + expected.m_sVar);
  QCOMPARE(s.m_sLoop, kLoopHead + expected.m_sLoop + kLoopTail);
  QCOMPARE(s.m_sSetup, kSetupHead + expected.m_sSetup + kSetupTail);
}

void TestMainFileSections::neopixelStartCall_data() {
  QTest::addColumn<int>("ledType");
  QTest::addColumn<QString>("call");
  const QString tail = u"(@pixbuf1, NEOPIXELS, NEOPIXEL_PIN, NEOPIXEL_HOLDOFF)            ' start pixel driver\n"_s;
  QTest::newRow("WS2812b") << 0 << u"  neopixel.start_2812b"_s + tail;
  QTest::newRow("WS2811") << 1 << u"  neopixel.start_2811"_s + tail;
  QTest::newRow("WS2812") << 2 << u"  neopixel.start_2812"_s + tail;
  QTest::newRow("WS2813") << 3 << u"  neopixel.start_2813"_s + tail;
  QTest::newRow("SK6812") << 4
                          << u"  neopixel.start_6812x(@pixbuf1, NEOPIXELS, NEOPIXEL_PIN, NEOPIXEL_HOLDOFF, 24)            ' start pixel driver\n"_s;
  QTest::newRow("unknown type") << 5 << QString();
}

void TestMainFileSections::neopixelStartCall() {
  QFETCH(int, ledType);
  QFETCH(QString, call);
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  doc.AddObject(MakeNeopixel(u"Neopixel1"_s, ledType));
  QString setup;
  WriteSetupRoutine(doc, setup);
  QCOMPARE(setup, kSetupHead +
                      u"  \n'Set up Neopixel\n"
                      u"  repeat i from 0 to  NEOPIXELS-1\n"
                      u"    pixbuf1[i] := NEOPIXEL_COLOR\n"_s +
                      call + u"  ser.str(string(\"Neopixel Driver Started.\",13))\n"_s + kSetupTail);
}

void TestMainFileSections::digitalIoStartState_data() {
  QTest::addColumn<int>("state");
  QTest::addColumn<QString>("line");
  QTest::newRow("float") << 0 << u"  pinf(Pin)\n"_s;
  QTest::newRow("high") << 1 << u"  pinh(Pin)\n"_s;
  QTest::newRow("low") << 2 << u"  pinl(Pin)\n"_s;
  QTest::newRow("unknown") << 3 << QString();
}

void TestMainFileSections::digitalIoStartState() {
  QFETCH(int, state);
  QFETCH(QString, line);
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  CCodeObject* pin = doc.AddObject(MakeDigitalIo(u"Pin"_s));
  (*pin)[DigitalSlots::StartState] = state;
  QString setup;
  WriteSetupRoutine(doc, setup);
  QVERIFY(setup.contains(u"  'set starting output mode\n"_s + line + u"  ser.str(string(\"Digital Pin: Pin Started.\",13))\n"_s));
}

void TestMainFileSections::mainRoutineWaitsWithPollTickForSound() {
  const QString head =
      u"\n\nPub Main()|n\n"
      u"'Main Routine - Note: First PUB routine is main routine in Spin, regardless of name\n"
      u"  Setup()  'Do any required initialization\n"
      u"  repeat\n"
      u"    ser.str(string(13,\"Loop #\"))\n"
      u"    ser.dec(n++)\n"
      u"    ser.tx(13) 'send carriage return\n"
      u"    Loop()  'Exercise project objects\n"_s;
  const QString tail = u"\n'End of Main Routine\n\n\n"_s;

  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  doc.AddObject(MakeVideo(OBJ_SIMPLE_VGA, u"SimpleVGA1"_s));
  QCOMPARE(Sections(doc).m_sMain, head + u"    waitms(1000)  'Wait a second before looping\n"_s + tail);
  QVERIFY(!doc.m_bHasSound);

  doc.AddObject(MakeSound(u"SimpleSound1"_s));
  QCOMPARE(Sections(doc).m_sMain, head +
                                     u"    repeat 100\n"
                                     u"      'inter-loop delay of 1 second\n"
                                     u"      waitms(10)\n"
                                     u"      'Need to call pollTick at least 50 times per second\n"
                                     u"      sound.pollTick()\n"_s +
                                     tail);
  QVERIFY(doc.m_bHasSound);
}

void TestMainFileSections::dacHelperWrittenOncePerProject() {
  const QString helper =
      u"\nPub SetDacModeAndLevel(pin, mode, level)\n"
      u"'set the non-Smart mode DAC level\n"
      u"  pinstart(pin, mode + ((level&255) << 8), 0, 0)\n"_s;
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  doc.AddObject(MakeAdc(u"ADC1"_s, u"50"_s, 2, 9, false));
  QCOMPARE(Sections(doc).m_sDacHelper, QString());

  doc.AddObject(MakeDac(u"DAC1"_s, u"18"_s, 0, false));
  doc.AddObject(MakeDac(u"DAC2"_s, u"19"_s, 1, true));
  const CSections s = Sections(doc);
  QCOMPARE(s.m_sDacHelper, helper);
  QCOMPARE(s.m_sSetup.count(u"'Configure 8-bit Analog DAC mode on I/O pin"_s), 2);
  QVERIFY(s.m_sSetup.contains(u"  SetDacModeAndLevel(DAC1_AnalogPin, P_DAC_990R_3V, DAC1_AnalogLevel)\n"_s));
  QVERIFY(s.m_sSetup.contains(u"  SetDacModeAndLevel(DAC2_AnalogPin, P_DAC_600R_2V, DAC2_AnalogLevel)\n"_s));
}

// Two instance lines of one name do not build: every ADC object uses the one adc instance.
void TestMainFileSections::adcInstanceSharedByAdcObjects() {
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  doc.AddObject(MakeAdc(u"ADC1"_s, u"50"_s, 2, 9, false));
  doc.AddObject(MakeServo(u"Servo1"_s, u"38"_s, false, true));
  doc.AddObject(MakeAdc(u"ADC2"_s, u"51"_s, 0, 13, true));
  QCOMPARE(Sections(doc).m_sObj,
           kObjHead +
               u"  adc : \"adc\"  'ADC driver for P2\n"
               u"  Servo1 : \"vn_servo\"   'Note:  Range for position is limted by driver to 600..2400 for us mode and 0..180 for degree mode \n"_s);
}

void TestMainFileSections::fat32Blocks() {
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  doc.m_bMountSd = 1;
  doc.m_nSdDriver = 1;
  const CSections s = Sections(doc);
  QCOMPARE(s.m_sObj,
           kObjHead + u"  sd:  \"FAT32\"   'advanced SD driver, has three different version of low level driver to choose from   \n"_s);
  QCOMPARE(s.m_sVar, kVarHead);
  QCOMPARE(s.m_sLoop,
           u"Pub Loop()|i, r\n"
           u"'Loop - Things to do over and over again\n"
           u"\n'Mount uSD and list some files using FAT32\n"
           u"  ser.str(string(\"Mount file system with FAT32 for access to uSD files\",13))\n"
           u"  'Start the Engine.  This seems to either work, or hang\n"
           u"  'Starting with readOnly=true can cause serious issues, not recommended\n"
           u"  r:= sd.FATEngineStart(uSD_MISO, uSD_CLK, uSD_MOSI, uSD_CS, false) \n"
           u"  'Try to mount a few times then give up if not successful\n"
           u"  repeat 20\n"
           u"    r:= \\sd.mountPartition(0)\n"
           u"    if r<>0\n"
           u"      ser.str(string(13, \"Partition Mount Error : \"))\n"
           u"      ser.str(r)\n"
           u"      ser.tx(13)\n"
           u"    else\n"
           u"      quit\n"
           u"    waitms(200)\n"
           u"  if r<>0\n"
           u"    ser.str(string(\"uSD Failed to mount.\"))\n"
           u"    repeat 'give up on uSD and stop here\n"
           u"  ser.str(string(13,\"SD Partition Mounted.\",13))\n\n"
           u"  'Show first few files in root directory\n"
           u"  ser.str(string(\"First files in SD Root Directory: \",13))\n"
           u"  sd.listEntries(\"W\") 'With \"W\" argument, resets us to top of directory list, just in case not there already\n"
           u"  repeat 5 'just showing first 5 files\n"
           u"    r:= sd.listEntries(\"N\") 'With \"N\" argument, loads info on next file in directory list and returns filename or 0 if end of list\n"
           u"    if byte[r] == 0   'listEntries(\"N\") returns 0 when end of directory list is reached\n"
           u"      quit\n"
           u"    else\n"
           u"      ser.str(r)\n"
           u"      ser.tx(13)\n"
           u"  ser.str(string(13,\"End of first files list.\", 13))\n"_s +
               kLoopTail);
}

// Blocks appear once per object in list order; kinds without a block leave no trace between
// their neighbours.
void TestMainFileSections::blocksFollowListOrder() {
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  doc.AddObject(MakeDigitalIo(u"B"_s, u"2"_s));
  doc.AddObject(MakeNco(u"NCO1"_s));
  doc.AddObject(MakeDigitalIo(u"A"_s, u"1"_s));
  doc.AddObject(MakeNeopixel(u"N1"_s));
  doc.AddObject(MakeNeopixel(u"N2"_s));
  const CSections s = Sections(doc);
  QVERIFY(s.m_sConstants.startsWith(u"\n  B = 2\n\n  A = 1\n\n  'Neopixel pin and settings for N1\n"_s));
  QCOMPARE(s.m_sVar, kVarHead + u"  long pixbuf1[NEOPIXELS]  'storage for neopixel colors\n"_s.repeated(2));
  QVERIFY(s.m_sLoop.indexOf(u"pintoggle(B)"_s) < s.m_sLoop.indexOf(u"pintoggle(A)"_s));
}

void TestMainFileSections::rtcReadsTheClockOfThePlatform() {
  CTestPlatform test;
  CFixedClock wednesday(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58)));
  CPlatform platform = test.Services();
  platform.m_pClock = &wednesday;
  CKyvDoc doc(platform);
  doc.OnNewDocument();
  doc.AddObject(MakeRtc(u"RTC1"_s, u"I2CBus1"_s, true));
  QString setup;
  WriteSetupRoutine(doc, setup);
  QVERIFY(setup.contains(
      u"  RTC1.SetTime(2025, 12, 31, 4, 23, 59, 58)  'year, month, date, day of week (1 = Sunday), hours, minutes, seconds\n"_s));
}

// A kind added to the registry without a blocks entry would be left out of the main file.
void TestMainFileSections::everyKindHasBlocks() {
  for (const CKindInfo& kind : KindRegistry())
    QVERIFY2(FindKindBlocks(kind.m_nKind), qPrintable(kind.m_sDisplayName));
  QVERIFY(!FindKindBlocks(-1));
  QVERIFY(!FindKindBlocks(kObjectKindCount));
}

// A record of a kind code this build does not know (from a newer project file) leaves no trace.
void TestMainFileSections::unknownKindWritesNothing() {
  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  const CSections empty = Sections(doc);
  auto unknown = MakeObject(OBJ_SIMPLE_VGA, u"Future1"_s, u"1"_s);
  unknown->m_nType = kObjectKindCount;
  doc.AddObject(std::move(unknown));
  const CSections s = Sections(doc);
  QCOMPARE(s.m_sConstants, empty.m_sConstants);
  QCOMPARE(s.m_sObj, empty.m_sObj);
  QCOMPARE(s.m_sVar, empty.m_sVar);
  QCOMPARE(s.m_sLoop, empty.m_sLoop);
  QCOMPARE(s.m_sSetup, empty.m_sSetup);
  QCOMPARE(s.m_sDacHelper, empty.m_sDacHelper);
}

// clang-format on

QTEST_GUILESS_MAIN(TestMainFileSections)
#include "tst_mainfilesections.moc"
