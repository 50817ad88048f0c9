#pragma once

// Small objects for the generator tests, filled the way each kind's editor fills them.

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "TestPlatform.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"
#include "model/KyvDoc.h"

// A new project saved as Demo.KYV in its own temporary folder.
struct CProjectFolder {
  CTestPlatform m_test;
  QTemporaryDir m_dir;
  CKyvDoc m_doc{m_test.Services()};

  CProjectFolder() {
    m_doc.OnNewDocument();
    m_doc.SetPathName(m_dir.filePath(QStringLiteral("Demo.KYV")));
  }
  QString Folder() const { return m_dir.path(); }
  QString Path(const QString& name) const { return QDir::toNativeSeparators(m_dir.filePath(name)); }
};

inline std::unique_ptr<CCodeObject> MakeObject(ObjectType type, const QString& name,
                                               const QString& basePin = {}) {
  auto object = std::make_unique<CCodeObject>();
  object->m_nType = type;
  object->m_sName = name;
  (*object)[Slot::BasePin] = basePin;
  (*object)[Slot::PinCount] = 1;
  object->m_bValid = true;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeVideo(ObjectType type, const QString& name) {
  auto object = MakeObject(type, name, QStringLiteral("48"));
  (*object)[VideoSlots::PinCount] = type == OBJ_SIMPLE_HDMI ? 8 : 5;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeI2cBus(const QString& name, bool scan = true) {
  auto object = MakeObject(OBJ_I2C_BUS, name, QStringLiteral("0"));
  (*object)[Slot::PinCount] = 0;
  (*object)[I2cBusSlots::SclPin] = QStringLiteral("56");
  (*object)[I2cBusSlots::SdaPin] = QStringLiteral("57");
  (*object)[I2cBusSlots::SpeedKHz] = QStringLiteral("100");
  (*object)[I2cBusSlots::Pullup] = 0;
  (*object)[I2cBusSlots::Scan] = scan;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeNeopixel(const QString& name, int ledType = 0) {
  auto object = MakeObject(OBJ_NEOPIXEL, name, QStringLiteral("53"));
  (*object)[NeopixelSlots::ColorText] = QStringLiteral("  FF8000");
  (*object)[NeopixelSlots::HoldoffText] = QStringLiteral("500 us");
  (*object)[NeopixelSlots::LedCount] = QStringLiteral("1");
  (*object)[NeopixelSlots::Red] = 255;
  (*object)[NeopixelSlots::Green] = 128;
  (*object)[NeopixelSlots::LedType] = ledType;
  (*object)[NeopixelSlots::Holdoff] = 5;
  (*object)[NeopixelSlots::CycleColors] = true;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeNco(const QString& name) {
  auto object = MakeObject(OBJ_NCO, name, QStringLiteral("38"));
  (*object)[NcoSlots::WxPin] = QStringLiteral("00000003");
  (*object)[NcoSlots::WyPin] = QStringLiteral("00013A94");
  (*object)[NcoSlots::DesiredFrequency] = QStringLiteral("12_000_000");
  (*object)[NcoSlots::ResultingFrequency] = QStringLiteral("1000.016928");
  return object;
}

inline std::unique_ptr<CCodeObject> MakeRtc(const QString& name, const QString& bus, bool setTime) {
  auto object = MakeObject(OBJ_RTC, name);
  (*object)[Slot::PinCount] = 0;
  (*object)[RtcSlots::Bus] = bus;
  (*object)[RtcSlots::RtcType] = QStringLiteral("DS1339");
  (*object)[RtcSlots::SetTime] = setTime;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeSound(const QString& name, bool music = true,
                                              bool effects = true) {
  auto object = MakeObject(OBJ_SIMPLE_SOUND, name);
  (*object)[SoundSlots::LeftPin] = QStringLiteral("54");
  (*object)[SoundSlots::RightPin] = QStringLiteral("55");
  (*object)[SoundSlots::PlayMusic] = music;
  (*object)[SoundSlots::PlayEffects] = effects;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeServo(const QString& name, const QString& pin,
                                              bool microseconds, bool random) {
  auto object = MakeObject(OBJ_SERVO, name, pin);
  (*object)[ServoSlots::Degrees] = QStringLiteral("90");
  (*object)[ServoSlots::Microseconds] = QStringLiteral("1500");
  (*object)[ServoSlots::InMicroseconds] = microseconds;
  (*object)[ServoSlots::RandomMoves] = random;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeDigitalIo(const QString& name,
                                                  const QString& pin = QStringLiteral("38")) {
  auto object = MakeObject(OBJ_DIGITAL_IO, name, pin);
  (*object)[DigitalSlots::ShowInput] = true;
  (*object)[DigitalSlots::ToggleOutput] = true;
  return object;
}

// Filters with the given ones enabled, filter k with length code k % 4 and tap 4 + k.
inline std::unique_ptr<CCodeObject> MakeFilters(const QString& name,
                                                std::initializer_list<int> enabled) {
  auto object = MakeObject(OBJ_DIGITAL_FILTERS, name);
  (*object)[Slot::PinCount] = 0;
  for (int k = 0; k < FiltersSlots::kFilterCount; ++k) {
    (*object)[FiltersSlots::Length(k)] = k % 4;
    (*object)[FiltersSlots::Tap(k)] = 4 + k;
  }
  for (int k : enabled) (*object)[FiltersSlots::Enabled(k)] = true;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeDac(const QString& name, const QString& pin, int drive,
                                            bool random) {
  auto object = MakeObject(OBJ_DAC, name, pin);
  (*object)[DacSlots::Level] = 128;
  (*object)[DacSlots::Drive] = drive;
  (*object)[DacSlots::LevelText] = QStringLiteral("128");
  (*object)[DacSlots::RandomLevels] = random;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeAdc(const QString& name, const QString& pin, int filter,
                                            int n, bool calibrated) {
  auto object = MakeObject(OBJ_ADC, name, pin);
  (*object)[AdcSlots::Filter] = filter;
  (*object)[AdcSlots::SampleExponent] = n;
  (*object)[AdcSlots::Source] = 0;
  (*object)[AdcSlots::Gain] = 0;
  (*object)[AdcSlots::GainConstant] = QStringLiteral("P_ADC_1X");
  (*object)[AdcSlots::SourceConstant] = QStringLiteral("P_LOCAL_A|");
  (*object)[AdcSlots::ShowCalibrated] = calibrated;
  return object;
}

// The Parallax adapter on the given port, or the custom pins 10 (DM), 8, 57 and 9.
inline std::unique_ptr<CCodeObject> MakeUsb(const QString& name, bool custom, int port,
                                            bool noErrorLed) {
  auto object = MakeObject(OBJ_USB_KBM, name, QStringLiteral("16"));
  (*object)[Slot::PinCount] = 4;
  (*object)[UsbKbmSlots::Configuration] = custom ? 1 : 0;
  (*object)[UsbKbmSlots::Port] = port;
  (*object)[UsbKbmSlots::DmPin] = QStringLiteral("10");
  (*object)[UsbKbmSlots::ActivityLedPin] = QStringLiteral("8");
  (*object)[UsbKbmSlots::ErrorLedPin] = QStringLiteral("57");
  (*object)[UsbKbmSlots::PowerPin] = QStringLiteral("9");
  (*object)[UsbKbmSlots::UsePowerPin] = true;
  (*object)[UsbKbmSlots::LimitX] = 640;
  (*object)[UsbKbmSlots::LimitY] = 480;
  (*object)[UsbKbmSlots::StartX] = 100;
  (*object)[UsbKbmSlots::StartY] = 100;
  (*object)[UsbKbmSlots::OutputMouse] = true;
  (*object)[UsbKbmSlots::OutputKeyboard] = true;
  (*object)[UsbKbmSlots::NoErrorLed] = noErrorLed;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeCamera(const QString& name, const QString& bus,
                                               const QString& qvga) {
  auto object = MakeObject(OBJ_CAMERA, name, QStringLiteral("16"));
  (*object)[VideoSlots::PinCount] = 16;
  (*object)[CameraSlots::Bus] = bus;
  (*object)[CameraSlots::CameraType] = QStringLiteral("OV2640");
  (*object)[CameraSlots::QvgaObject] = qvga;
  (*object)[CameraSlots::ShowId] = true;
  return object;
}
