#include "model/KindRegistry.h"

#include <algorithm>

#include "model/CodeObject.h"
#include "model/KindSlots.h"
#include "model/TextConversion.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int64_t kPinCount = 64;

// Collects pin numbers that lie in the table. After a rejected OK a record may name numbers
// outside 0..63 or a block of any length; those are left out, and the arithmetic is 64-bit so
// that no text or count can overflow it.
class CPinList {
 public:
  void Add(int64_t number) {
    if (number >= 0 && number < kPinCount) m_pins.append(static_cast<int>(number));
  }
  void AddBlock(const CCodeObject& object) {
    const int64_t base = TextToInt(object[Slot::BasePin]);
    const int64_t end = std::min<int64_t>(base + object[Slot::PinCount], kPinCount);
    for (int64_t number = std::max<int64_t>(base, 0); number < end; ++number) Add(number);
  }
  QList<int> Pins() const { return m_pins; }

 private:
  QList<int> m_pins;
};

using PinTexts = std::optional<QList<CPinText>>;

PinTexts NoPins(const CCodeObject&) { return QList<CPinText>{}; }

PinTexts PinBlock(const CCodeObject&) { return std::nullopt; }

PinTexts I2cBusPins(const CCodeObject& object) {
  return QList<CPinText>{{u"SDA pin"_s, object[I2cBusSlots::SdaPin]},
                         {u"SCL pin"_s, object[I2cBusSlots::SclPin]}};
}

PinTexts SoundPins(const CCodeObject& object) {
  return QList<CPinText>{{u"left pin"_s, object[SoundSlots::LeftPin]},
                         {u"right pin"_s, object[SoundSlots::RightPin]}};
}

// The adapter board takes a block; own pins are DM and DP (DM + 1), the two LEDs and the
// optional power switch.
PinTexts UsbKbmPins(const CCodeObject& object) {
  if (object[UsbKbmSlots::Configuration] == 0) return std::nullopt;
  QList<CPinText> texts = {{u"DM pin"_s, object[UsbKbmSlots::DmPin], 2},
                           {u"activity LED pin"_s, object[UsbKbmSlots::ActivityLedPin]},
                           {u"error LED pin"_s, object[UsbKbmSlots::ErrorLedPin]}};
  if (object[UsbKbmSlots::UsePowerPin])
    texts.append({u"power pin"_s, object[UsbKbmSlots::PowerPin]});
  return texts;
}

const QList<CSlotInfo> kPinBlockSlots = {{u"base pin"_s, VideoSlots::BasePin},
                                         {u"pin count"_s, VideoSlots::PinCount}};

QList<CSlotInfo> FilterSlots() {
  QList<CSlotInfo> described;
  for (int filter = 0; filter < FiltersSlots::kFilterCount; ++filter) {
    described.append({u"filter %1 length"_s.arg(filter), FiltersSlots::Length(filter)});
    described.append({u"filter %1 tap"_s.arg(filter), FiltersSlots::Tap(filter)});
    described.append({u"filter %1 enabled"_s.arg(filter), FiltersSlots::Enabled(filter)});
  }
  return described;
}

const QString kMissingBus = u"Error.  No I2C busses found.  Please add I2C Bus object first."_s;

QList<CKindInfo> MakeRegistry() {
  // clang-format off
  return {
      {OBJ_SIMPLE_VGA, u"Simple VGA"_s, {u"vga"_s}, u"vga"_s,
       {u"Simple VGA 8bpp"_s, u"Add a simple VGA 8bpp driver object"_s, 0, 0},
       {}, true,
       u"Simple VGA 8bpp Driver"_s, u"SimpleVGA%d"_s,
       u"Uses 5 pins and a fair amount of memory to show a 8bpp embedded image over VGA.\r\n"
       u"Usually used on basepin that is multiple of 8 but can be multiple of 4."_s,
       {{400, u"bitmap2.bmp"_s, 1, {}},
        {343, u"VGA_SimpleDriver1a.spin2"_s, 2, {}}},
       kPinBlockSlots, PinBlock,
       {.m_nCogsPerObject = 1, .m_nHubBytes = 309424, .m_nMinClockHz = 50'000'000, .m_nBasePinStep = 4}},

      {OBJ_I2C_BUS, u"I2C Bus and Scanner"_s, {u"i2c"_s}, u"i2c"_s,
       {u"I2C Bus & Scanner"_s, u"Add an I2C Bus Driver and Scanner object"_s, 1, 0},
       {}, false,
       u"I2C Bus Driver and Scanner Settings"_s, u"I2CBus%d"_s,
       u"Adds an I2C bus driver and object and code to scan the bus for devices.  "
       u"Does not use a cog.  Uses Smart Pins for optional internal pull-up resistors."_s,
       {{398, u"vn_i2c_kdz2a.spin2"_s, 1, {}},
        {399, u"vn_i2c_scanner.spin2"_s, 2, {}}},
       {{u"SDA pin"_s, I2cBusSlots::SdaPin}, {u"SCL pin"_s, I2cBusSlots::SclPin},
        {u"speed in kHz"_s, I2cBusSlots::SpeedKHz}, {u"pull-up choice"_s, I2cBusSlots::Pullup},
        {u"scan for devices"_s, I2cBusSlots::Scan}},
       I2cBusPins, {.m_nHubBytes = 3320}},

      {OBJ_NEOPIXEL, u"Neopixel"_s, {u"neopixel"_s}, u"neopixel"_s,
       {u"RGB LED String"_s, u"Add an Neopixel String Driver object"_s, 2, 0},
       {}, true,
       u"RGB LED String"_s, u"Neopixel%d"_s,
       u"Controls a string of Neopixel type devices using a single P2 pin.  This interface "
       u"limited to 24-bit color types although the underlying driver also works with 32-bit "
       u"devices with the white LED segment."_s,
       {{348, u"vn_rgbx_pixel_kdz.spin2"_s, 1, {}}},
       {{u"base pin"_s, Slot::BasePin}, {u"pin count"_s, Slot::PinCount},
        {u"colour text"_s, NeopixelSlots::ColorText}, {u"hold-off text"_s, NeopixelSlots::HoldoffText},
        {u"LED count"_s, NeopixelSlots::LedCount}, {u"red"_s, NeopixelSlots::Red},
        {u"green"_s, NeopixelSlots::Green}, {u"blue"_s, NeopixelSlots::Blue},
        {u"LED type"_s, NeopixelSlots::LedType}, {u"hold-off steps"_s, NeopixelSlots::Holdoff},
        {u"cycle random colours"_s, NeopixelSlots::CycleColors}},
       PinBlock, {.m_nCogsPerObject = 1, .m_nHubBytes = 1336}},

      {OBJ_NCO, u"NCO-Frequency"_s, {u"nco"_s}, u"nco"_s,
       {u"NCO (Square Wave)"_s, u"Add an NCO (Square Wave) object"_s, 3, 0},
       {}, false,
       u"NCO Frequency Object Interface"_s, u"NCO_Freq%d"_s,
       u"Sets Smart Pin registers on specified I/O pin to generate NCO (square wave) output.  To "
       u"change frequency, enter desired frequency and then hit the calculate button.\r\n\r\n"
       u"Note:  You will need to re-open this dialog if you change the P2 frequency."_s,
       {},
       {{u"base pin"_s, Slot::BasePin}, {u"pin count"_s, Slot::PinCount},
        {u"WXPIN"_s, NcoSlots::WxPin}, {u"WYPIN"_s, NcoSlots::WyPin},
        {u"desired frequency"_s, NcoSlots::DesiredFrequency},
        {u"resulting frequency"_s, NcoSlots::ResultingFrequency}},
       PinBlock, {}},

      {OBJ_RTC, u"Real Time Clock"_s, {u"rtc"_s}, u"rtc"_s,
       {u"I2C RTC"_s, u"Add an I2C Real Time Clock (RTC) object"_s, 1, 1},
       {{OBJ_I2C_BUS, kMissingBus}}, false,
       u"I2C Real Time Clock (RTC)"_s, u"RTC%d"_s,
       u"Adds Real Time Clock interface to selected I2C Bus.  Optionally, you can "
       u"automatically set the RTC's time to the computers time on start up.  "
       u"Code will set the P2 software clock to the RTC clock on startup."_s,
       {{352, u"rtc_DS1339.spin2"_s, 1, {}}},
       {{u"I2C bus name"_s, RtcSlots::Bus}, {u"RTC type"_s, RtcSlots::RtcType},
        {u"set time on start-up"_s, RtcSlots::SetTime}},
       NoPins, {.m_nHubBytes = 4664}},

      {OBJ_SIMPLE_SOUND, u"Simple Sound"_s, {u"sound"_s}, u"sound"_s,
       {u"Simple Sound"_s, u"Add a Simple Sound Stereo Music and Effects object"_s, 4, 0},
       {}, true,
       u"Simple Sound - Music & Sound Effects Player"_s, u"SimpleSound%d"_s,
       u"Adds code to play .mod music files and also mix in .raw sounds.  This is "
       u"an easy way to add sound to games.\r\n\r\nNote:  Uses 1 cog.  Also, the "
       u"sound.pollTick() function must be called at 50 Hz (every 20 "
       u"milliseconds) or faster."_s,
       // Written under the name the main file's OBJ line gives, for case-sensitive file systems.
       {{353, u"simplesound.spin2"_s, 1, {}},
        {354, u"space_sample2_S8.raw"_s, 2, {}},
        {355, u"space_sample1_S8.raw"_s, 3, {}},
        {356, u"platform_sample3_S8.raw"_s, 4, {}},
        {357, u"platform_sample1_S8.raw"_s, 5, {}},
        {358, u"pyr.mod"_s, 6, {}},
        {359, u"reSound.spin2"_s, 7, {}},
        {360, u"trackerPlayer.spin2"_s, 8, {}}},
       {{u"left pin"_s, SoundSlots::LeftPin}, {u"right pin"_s, SoundSlots::RightPin},
        {u"pin count"_s, Slot::PinCount},
        {u"play music"_s, SoundSlots::PlayMusic}, {u"play effects"_s, SoundSlots::PlayEffects}},
       SoundPins, {.m_nCogsPerObject = 1, .m_nHubBytes = 46664}},

      {OBJ_SERVO, u"Hobby Servo"_s, {u"servo"_s}, u"servo"_s,
       {u"Servo"_s, u"Add a Hobby Servo Control via PWM object"_s, 5, 0},
       {}, false,
       u"Hobby Servo"_s, u"Servo%d"_s,
       u"Controls a hobby type servo motor using a single P2 pin in PWM smartpin mode.  Choose "
       u"between control in units of degrees or microseconds.  Driver is a .spin2 smartpin driver "
       u"from OBEX."_s,
       {{361, u"vn_servo.spin2"_s, 1, {}}},
       {{u"base pin"_s, Slot::BasePin}, {u"pin count"_s, Slot::PinCount},
        {u"start in degrees"_s, ServoSlots::Degrees},
        {u"start in microseconds"_s, ServoSlots::Microseconds},
        {u"units are microseconds"_s, ServoSlots::InMicroseconds},
        {u"random moves"_s, ServoSlots::RandomMoves}},
       PinBlock, {.m_nHubBytes = 892}},

      {OBJ_DIGITAL_IO, u"Smart Digital I/O Pin"_s, {u"digital"_s}, u"digital"_s,
       {u"Smart Digital I/O Pin"_s, u"Add a Smart Digital I/O Pin object"_s, 6, 0},
       {}, false,
       u"Smart Digital I/O Pin Settings"_s, u"SmartPin%d"_s,
       u"Configures the Smart Pin settings for Digital I/O (in a non-Smart Pin mode) on a P2 I/O "
       u"pin."_s,
       {},
       {{u"base pin"_s, Slot::BasePin}, {u"pin count"_s, Slot::PinCount},
        {u"filter"_s, DigitalSlots::Filter}, {u"high drive"_s, DigitalSlots::HighDrive},
        {u"low drive"_s, DigitalSlots::LowDrive}, {u"input source"_s, DigitalSlots::Source},
        {u"start state"_s, DigitalSlots::StartState}, {u"clocked"_s, DigitalSlots::Clocked},
        {u"invert input"_s, DigitalSlots::InvertInput},
        {u"invert output"_s, DigitalSlots::InvertOutput},
        {u"show input"_s, DigitalSlots::ShowInput},
        {u"toggle output"_s, DigitalSlots::ToggleOutput}},
       PinBlock, {}},

      {OBJ_DIGITAL_FILTERS, u"Global Digital Filters"_s, {u"filters"_s}, u"filters"_s,
       {u"Global Digital Filters"_s, u"Add a Global Digital Filters object"_s, 6, 1},
       {}, false,
       u"Configure the Global Digital Filters"_s, u"Filter%d"_s,
       u"The P2 Hub has digital filters that essentially low pass filter digital input to all "
       u"pins and replace the value of IN when selected in the smartpin settings. The Hub samples "
       u"IN values every Tap # of clocks and only when the last Length # of these values agree "
       u"does the apparent value of IN change. This filter can be enabled on a specific pin using "
       u"a Smart Digital I/O Pin object. See the \"Configuring the Digital Filters for Smart "
       u"Pins\" section of the P2 Docs for more info."_s,
       {},
       FilterSlots(),
       NoPins, {}},

      {OBJ_DAC, u"Digital To Analog Pin"_s, {u"dac"_s}, u"dac"_s,
       {u"DAC Analog Output"_s, u"Add a Digital to Analog (DAC) object"_s, 7, 0},
       {}, false,
       u"DAC (Digital To Analog) PIN"_s, u"DAC%d"_s,
       u"This object activates the 8-bit DAC in an I/O pin so that it outputs an analog voltage.  "
       u"There are a few drive impedances and corresponding ranges to select from. Note:  There "
       u"are also Smart Pin modes that give 16-bit effective range using dithering, but this is a "
       u"non-Smart mode."_s,
       {},
       {{u"base pin"_s, Slot::BasePin}, {u"pin count"_s, Slot::PinCount},
        {u"level text"_s, DacSlots::LevelText}, {u"level"_s, DacSlots::Level},
        {u"drive"_s, DacSlots::Drive}, {u"random levels"_s, DacSlots::RandomLevels}},
       PinBlock, {}},

      {OBJ_ADC, u"Analog To Digital Smart Pin"_s, {u"adc"_s}, u"adc"_s,
       {u"ADC Analog Input"_s, u"Add an Analog to Digital (ADC) object"_s, 8, 0},
       {}, false,
       u"Analog to Digital (ADC) Smart Pin Settings"_s, u"ADC%d"_s,
       u"This object uses a Smart Pin mode to filter an ADC bitstream from this or another pin.  "
       u"Two filter options are available; SINC2 and SINC3. The available choice for #clocks in "
       u"sample period is a function of the filter option.  Effective # of bits (ENOB) increases "
       u"with #clocks. \r\n\r\nFor the moment:  Clock Source is disabled (needs further "
       u"development)."_s,
       {{401, u"adc.spin2"_s, 1, {}}},
       {{u"base pin"_s, Slot::BasePin}, {u"pin count"_s, Slot::PinCount},
        {u"gain constant"_s, AdcSlots::GainConstant},
        {u"source constant"_s, AdcSlots::SourceConstant}, {u"filter"_s, AdcSlots::Filter},
        {u"sample period exponent"_s, AdcSlots::SampleExponent},
        {u"source"_s, AdcSlots::Source}, {u"gain"_s, AdcSlots::Gain},
        {u"show calibrated"_s, AdcSlots::ShowCalibrated}},
       PinBlock, {.m_nHubBytes = 2872}},

      {OBJ_USB_KBM, u"USB Keyboard and/or Mouse"_s, {u"usb"_s}, u"usb"_s,
       {u"USB Keyboard & Mouse"_s, u"Add a USB Keyboard and/or Mouse object"_s, 9, 0},
       {}, false,
       u"Add a USB Keyboard and/or Mouse"_s, u"UsbKbM%d"_s,
       u"Adds a USB Keyboard and/or Mouse object.  Uses 1 cog.  Will automatically update cursor "
       u"location when using mouse. Cursor position and raw keyboard scan codes are updated in a "
       u"KbMouseInfo structure.  Processed keyboard results are provided via rawKey()."_s,
       // The variant without error LED is a small object over the main driver, so it needs both.
       {{363, u"1CogKbM_kdz3b.spin2"_s, 1, {}},
        {364, u"1CogKbM_kdz3b_NoErrorLed.spin2"_s, 2, UsbKbmSlots::NoErrorLed}},
       {{u"adapter base pin"_s, UsbKbmSlots::AdapterBasePin},
        {u"pin count"_s, UsbKbmSlots::AdapterPinCount},
        {u"configuration"_s, UsbKbmSlots::Configuration}, {u"adapter port"_s, UsbKbmSlots::Port},
        {u"DM pin"_s, UsbKbmSlots::DmPin}, {u"activity LED pin"_s, UsbKbmSlots::ActivityLedPin},
        {u"error LED pin"_s, UsbKbmSlots::ErrorLedPin}, {u"power pin"_s, UsbKbmSlots::PowerPin},
        {u"use power pin"_s, UsbKbmSlots::UsePowerPin}, {u"mouse limit X"_s, UsbKbmSlots::LimitX},
        {u"mouse limit Y"_s, UsbKbmSlots::LimitY}, {u"mouse start X"_s, UsbKbmSlots::StartX},
        {u"mouse start Y"_s, UsbKbmSlots::StartY},
        {u"output mouse"_s, UsbKbmSlots::OutputMouse},
        {u"output keyboard"_s, UsbKbmSlots::OutputKeyboard},
        {u"no error LED"_s, UsbKbmSlots::NoErrorLed}},
       UsbKbmPins, {.m_nCogsPerObject = 1, .m_nHubBytes = 8480, .m_nMinClockHz = 120'000'000}},

      {OBJ_SIMPLE_QVGA, u"Simple QVGA"_s, {u"qvga"_s}, u"qvga"_s,
       {u"Simple QVGA 16bpp"_s, u"Add a simple QVGA 16bpp driver object"_s, 0, 1},
       {}, true,
       u"Simple QVGA 16bpp Driver"_s, u"SimpleQVGA%d"_s,
       u"Uses 5 pins and a fair amount of memory to show a 16bpp QVGA (320x240) embedded image "
       u"over VGA.\r\nUsually used on basepin that is multiple of 8 but can be multiple of 4."_s,
       {{365, u"QVGA_16bpp.spin2"_s, 1, {}},
        {366, u"QVGA_Bird.bmp"_s, 2, {}}},
       kPinBlockSlots, PinBlock,
       {.m_nCogsPerObject = 1, .m_nHubBytes = 154672, .m_nMinClockHz = 50'000'000, .m_nBasePinStep = 4}},

      {OBJ_CAMERA, u"DVP Camera"_s, {u"camera"_s}, u"camera"_s,
       {u"Camera (DVP bus)"_s, u"Add a Camera (DVP bus) object"_s, 10, 0},
       {{OBJ_I2C_BUS, u"Error.  No I2C busses found.  Please add I2C Bus and QVGA objects first."_s},
        {OBJ_SIMPLE_QVGA, u"Error.  No QVGA object found.  Please add I2C Bus and QVGA objects first."_s}},
       false,
       u"DVP Camera"_s, u"Cam%d"_s,
       u"Adds a Camera Object with DVP interface.  Needs 16 (or 15 if not using power down pin).  "
       u"Assumes using a Corvane style camera adapter, but pin settings can be changed in "
       u"Platform.h.  Works with OV2640, OV5640, and OV7675 camera modules. I2C bus pins will be "
       u"automatically re-assigned. Uses a cog."_s,
       // The capture object holds the I2C set-up; one sensor object per supported camera type.
       {{368, u"CameraCapture.spin2"_s, 1, {}},
        {369, u"OV2640.spin2"_s, 2, {}},
        {370, u"OV5640.spin2"_s, 3, {}},
        {371, u"OV7675.spin2"_s, 4, {}}},
       {{u"base pin"_s, Slot::BasePin}, {u"pin count"_s, Slot::PinCount},
        {u"I2C bus name"_s, CameraSlots::Bus}, {u"camera type"_s, CameraSlots::CameraType},
        {u"QVGA object name"_s, CameraSlots::QvgaObject}, {u"show ID"_s, CameraSlots::ShowId}},
       PinBlock,
       {.m_nCogsPerObject = 1, .m_nHubBytes = 6276, .m_nMinClockHz = 260'000'000, .m_nBasePinStep = 8}},

      {OBJ_TILED_1080P, u"Tiled 1080p"_s, {u"tiled1080p"_s}, u"tiled1080p"_s,
       {u"Tiled 1080p 2bpp"_s, u"Add a tiled 1080p 2bpp VGA driver object"_s, 0, 3},
       {}, false,
       u"Tiled 1080p 2bpp VGA Driver"_s, u"Tiled1080p%d"_s,
       u"Uses 5 pins and 3 cogs to show tiled 1080p screen over VGA in 2bpp with 256 color "
       u"palette and a font.\r\nThis version is double buffered, call swap() to shown drawn on "
       u"screen.\r\nUsually used on basepin that is multiple of 8 but can be multiple of 4."_s,
       {},
       kPinBlockSlots, PinBlock, {.m_nBasePinStep = 4, .m_bDriverBundled = false}},

      {OBJ_SIMPLE_HDMI, u"Simple HDMI"_s, {u"hdmi"_s}, u"hdmi"_s,
       {u"Simple HDMI 8bpp"_s, u"Add a simple HDMI 8bpp driver object"_s, 0, 2},
       {}, true,
       u"Simple HDMI 8bpp Driver"_s, u"SimpleHDMI%d"_s,
       u"Uses 8 pins and a fair amount of memory to show a 8bpp embedded image over HDMI.\r\n"
       u"Basepin must be a multiple of 8.\r\nP2 Clock Frequency should be 312.5 MHZ for ideal, "
       u"25 MHz pixel clock."_s,
       {{372, u"HDMI_Simple1c.spin2"_s, 1, {}},
        {402, u"bitmapW.bmp"_s, 2, {}}},
       kPinBlockSlots, PinBlock,
       {.m_nCogsPerObject = 1, .m_nHubBytes = 385676, .m_nMinClockHz = 250'000'000, .m_nBasePinStep = 8}},
  };
  // clang-format on
}

}  // namespace

QList<int> CKindInfo::RecordedPins(const CCodeObject& object) const {
  CPinList pins;
  const PinTexts texts = m_pPinTexts(object);
  if (!texts) {
    pins.AddBlock(object);
    return pins.Pins();
  }
  for (const CPinText& text : *texts) {
    const int64_t first = TextToInt(text.m_sText);
    for (int offset = 0; offset < text.m_nWidth; ++offset) pins.Add(first + offset);
  }
  return pins.Pins();
}

const QList<CKindInfo>& KindRegistry() {
  static const QList<CKindInfo> registry = MakeRegistry();
  return registry;
}

const CKindInfo* FindKind(int32_t kind) {
  const QList<CKindInfo>& registry = KindRegistry();
  if (kind < 0 || kind >= registry.size()) return nullptr;
  return &registry[kind];
}

const CKindInfo* FindKindByAlias(const QString& alias) {
  for (const CKindInfo& info : KindRegistry())
    for (const QString& name : info.m_aliases)
      if (name.compare(alias, Qt::CaseInsensitive) == 0) return &info;
  return nullptr;
}
