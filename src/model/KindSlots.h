#pragma once

#include "model/RecordSlot.h"

// What each kind keeps in the shared record: the one place where slot numbers are written.
// Every kind stores its name in m_sName and its kind code in m_nType. Kinds that hold a block
// of pins keep its first pin in Slot::BasePin and its length in Slot::PinCount.

// Simple VGA, Simple QVGA, Simple HDMI, Tiled 1080p and the camera's DVP bus: a pin block.
namespace VideoSlots {
inline constexpr CTextSlot BasePin = Slot::BasePin;
inline constexpr CIntSlot PinCount = Slot::PinCount;
}  // namespace VideoSlots

namespace I2cBusSlots {
inline constexpr CTextSlot SdaPin = Slot::Text(5);
inline constexpr CTextSlot SclPin = Slot::Text(6);
inline constexpr CTextSlot SpeedKHz = Slot::String;
inline constexpr CIntSlot Pullup = Slot::Number;  // index into the pull-up choices
inline constexpr CFlagSlot Scan = Slot::FlagParam(0);
}  // namespace I2cBusSlots

namespace NeopixelSlots {
inline constexpr CTextSlot ColorText = Slot::TextParam(0);    // "%8X" of 0xRRGGBB
inline constexpr CTextSlot HoldoffText = Slot::TextParam(1);  // "500 us"
inline constexpr CTextSlot LedCount = Slot::TextParam(2);
inline constexpr CIntSlot Red = Slot::IntParam(0);
inline constexpr CIntSlot Green = Slot::IntParam(1);
inline constexpr CIntSlot Blue = Slot::IntParam(2);
inline constexpr CIntSlot LedType = Slot::IntParam(3);
inline constexpr CIntSlot Holdoff = Slot::IntParam(4);  // steps of 100 us
inline constexpr CFlagSlot CycleColors = Slot::FlagParam(0);
}  // namespace NeopixelSlots

namespace NcoSlots {
inline constexpr CTextSlot WxPin = Slot::TextParam(0);
inline constexpr CTextSlot WyPin = Slot::TextParam(1);
inline constexpr CTextSlot DesiredFrequency = Slot::TextParam(2);
inline constexpr CTextSlot ResultingFrequency = Slot::TextParam(3);
}  // namespace NcoSlots

namespace RtcSlots {
inline constexpr CTextSlot Bus = Slot::TextParam(0);  // name of an I2C bus object
inline constexpr CTextSlot RtcType = Slot::TextParam(1);
inline constexpr CFlagSlot SetTime = Slot::FlagParam(0);
}  // namespace RtcSlots

namespace SoundSlots {
inline constexpr CTextSlot LeftPin = Slot::TextParam(0);
inline constexpr CTextSlot RightPin = Slot::TextParam(1);
inline constexpr CFlagSlot PlayMusic = Slot::FlagParam(0);
inline constexpr CFlagSlot PlayEffects = Slot::FlagParam(1);
}  // namespace SoundSlots

namespace ServoSlots {
inline constexpr CTextSlot Degrees = Slot::TextParam(0);
inline constexpr CTextSlot Microseconds = Slot::TextParam(1);
inline constexpr CFlagSlot InMicroseconds = Slot::FlagParam(0);  // else degrees
inline constexpr CFlagSlot RandomMoves = Slot::FlagParam(1);
}  // namespace ServoSlots

namespace DigitalSlots {
inline constexpr CIntSlot Filter = Slot::IntParam(0);
inline constexpr CIntSlot HighDrive = Slot::IntParam(1);
inline constexpr CIntSlot LowDrive = Slot::IntParam(2);
inline constexpr CIntSlot Source = Slot::IntParam(3);
inline constexpr CIntSlot StartState = Slot::IntParam(4);
inline constexpr CFlagSlot Clocked = Slot::FlagParam(0);
inline constexpr CFlagSlot InvertInput = Slot::FlagParam(1);
inline constexpr CFlagSlot InvertOutput = Slot::FlagParam(2);
inline constexpr CFlagSlot ShowInput = Slot::FlagParam(3);
inline constexpr CFlagSlot ToggleOutput = Slot::FlagParam(4);
}  // namespace DigitalSlots

// The four global filters, numbered 0..3.
namespace FiltersSlots {
inline constexpr int kFilterCount = 4;
constexpr CIntSlot Length(int filter) { return Slot::IntParam(filter); }
constexpr CIntSlot Tap(int filter) { return Slot::IntParam(kFilterCount + filter); }
constexpr CFlagSlot Enabled(int filter) { return Slot::FlagParam(filter); }
}  // namespace FiltersSlots

namespace DacSlots {
inline constexpr CTextSlot LevelText = Slot::TextParam(0);
inline constexpr CIntSlot Level = Slot::IntParam(0);
inline constexpr CIntSlot Drive = Slot::IntParam(1);
inline constexpr CFlagSlot RandomLevels = Slot::FlagParam(0);
}  // namespace DacSlots

namespace AdcSlots {
inline constexpr CTextSlot GainConstant = Slot::TextParam(0);    // Spin2 constant of the gain
inline constexpr CTextSlot SourceConstant = Slot::TextParam(1);  // Spin2 constant of the source
inline constexpr CIntSlot Filter = Slot::IntParam(0);
inline constexpr CIntSlot SampleExponent = Slot::IntParam(1);
inline constexpr CIntSlot Source = Slot::IntParam(2);
inline constexpr CIntSlot Gain = Slot::IntParam(3);
inline constexpr CFlagSlot ShowCalibrated = Slot::FlagParam(0);
}  // namespace AdcSlots

namespace UsbKbmSlots {
inline constexpr CIntSlot Configuration = Slot::IntParam(0);  // 0 adapter board, else own pins
inline constexpr CTextSlot AdapterBasePin = Slot::BasePin;    // first of the adapter's 8 pins
inline constexpr CIntSlot AdapterPinCount = Slot::PinCount;   // 8 once the adapter was chosen
inline constexpr CIntSlot Port = Slot::IntParam(1);           // adapter port: 0 top, 1 bottom
inline constexpr CTextSlot DmPin = Slot::TextParam(0);
inline constexpr CTextSlot ActivityLedPin = Slot::TextParam(1);
inline constexpr CTextSlot ErrorLedPin = Slot::TextParam(2);
inline constexpr CTextSlot PowerPin = Slot::TextParam(3);
inline constexpr CFlagSlot UsePowerPin = Slot::FlagParam(2);
inline constexpr CIntSlot LimitX = Slot::IntParam(2);
inline constexpr CIntSlot LimitY = Slot::IntParam(3);
inline constexpr CIntSlot StartX = Slot::IntParam(4);
inline constexpr CIntSlot StartY = Slot::IntParam(5);
inline constexpr CFlagSlot OutputMouse = Slot::FlagParam(0);
inline constexpr CFlagSlot OutputKeyboard = Slot::FlagParam(1);
inline constexpr CFlagSlot NoErrorLed = Slot::FlagParam(3);
}  // namespace UsbKbmSlots

namespace CameraSlots {
inline constexpr CTextSlot Bus = Slot::TextParam(0);  // name of an I2C bus object
inline constexpr CTextSlot CameraType = Slot::TextParam(1);
inline constexpr CTextSlot QvgaObject = Slot::TextParam(2);  // name of a Simple QVGA object
inline constexpr CFlagSlot ShowId = Slot::FlagParam(0);
}  // namespace CameraSlots
