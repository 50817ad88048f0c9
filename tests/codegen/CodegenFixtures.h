#pragma once

// Small objects for the generator tests, filled the way each kind's editor fills them.

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "TestPlatform.h"
#include "model/CodeObject.h"
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
  object->m_sBasePin = basePin;
  object->m_nPinCount = 1;
  object->m_bValid = true;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeVideo(ObjectType type, const QString& name) {
  auto object = MakeObject(type, name, QStringLiteral("48"));
  object->m_nPinCount = type == OBJ_SIMPLE_HDMI ? 8 : 5;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeI2cBus(const QString& name, bool scan = true) {
  auto object = MakeObject(OBJ_I2C_BUS, name, QStringLiteral("0"));
  object->m_nPinCount = 0;
  object->m_sText[6] = QStringLiteral("56");
  object->m_sText[5] = QStringLiteral("57");
  object->m_sString = QStringLiteral("100");
  object->m_nNumber = 0;
  object->m_bParam[0] = scan;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeNeopixel(const QString& name, int ledType = 0) {
  auto object = MakeObject(OBJ_NEOPIXEL, name, QStringLiteral("53"));
  object->m_sParam[0] = QStringLiteral("  FF8000");
  object->m_sParam[1] = QStringLiteral("500 us");
  object->m_sParam[2] = QStringLiteral("1");
  object->m_nParam[0] = 255;
  object->m_nParam[1] = 128;
  object->m_nParam[3] = ledType;
  object->m_nParam[4] = 5;
  object->m_bParam[0] = true;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeNco(const QString& name) {
  auto object = MakeObject(OBJ_NCO, name, QStringLiteral("38"));
  object->m_sParam[0] = QStringLiteral("00000003");
  object->m_sParam[1] = QStringLiteral("00013A94");
  object->m_sParam[2] = QStringLiteral("12_000_000");
  object->m_sParam[3] = QStringLiteral("1000.016928");
  return object;
}

inline std::unique_ptr<CCodeObject> MakeRtc(const QString& name, const QString& bus, bool setTime) {
  auto object = MakeObject(OBJ_RTC, name);
  object->m_nPinCount = 0;
  object->m_sParam[0] = bus;
  object->m_sParam[1] = QStringLiteral("DS1339");
  object->m_bParam[0] = setTime;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeSound(const QString& name, bool music = true,
                                              bool effects = true) {
  auto object = MakeObject(OBJ_SIMPLE_SOUND, name);
  object->m_sParam[0] = QStringLiteral("54");
  object->m_sParam[1] = QStringLiteral("55");
  object->m_bParam[0] = music;
  object->m_bParam[1] = effects;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeServo(const QString& name, const QString& pin,
                                              bool microseconds, bool random) {
  auto object = MakeObject(OBJ_SERVO, name, pin);
  object->m_sParam[0] = QStringLiteral("90");
  object->m_sParam[1] = QStringLiteral("1500");
  object->m_bParam[0] = microseconds;
  object->m_bParam[1] = random;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeDigitalIo(const QString& name,
                                                  const QString& pin = QStringLiteral("38")) {
  auto object = MakeObject(OBJ_DIGITAL_IO, name, pin);
  object->m_bParam[3] = true;  // show IN in the loop
  object->m_bParam[4] = true;  // toggle OUT in the loop
  return object;
}

// Filters with the given ones enabled, filter k with length code k % 4 and tap 4 + k.
inline std::unique_ptr<CCodeObject> MakeFilters(const QString& name,
                                                std::initializer_list<int> enabled) {
  auto object = MakeObject(OBJ_DIGITAL_FILTERS, name);
  object->m_nPinCount = 0;
  for (int k = 0; k < 4; ++k) {
    object->m_nParam[k] = k % 4;
    object->m_nParam[4 + k] = 4 + k;
  }
  for (int k : enabled) object->m_bParam[k] = true;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeDac(const QString& name, const QString& pin, int drive,
                                            bool random) {
  auto object = MakeObject(OBJ_DAC, name, pin);
  object->m_nParam[0] = 128;
  object->m_nParam[1] = drive;
  object->m_sParam[0] = QStringLiteral("128");
  object->m_bParam[0] = random;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeAdc(const QString& name, const QString& pin, int filter,
                                            int n, bool calibrated) {
  auto object = MakeObject(OBJ_ADC, name, pin);
  object->m_nParam[0] = filter;
  object->m_nParam[1] = n;
  object->m_nParam[2] = 0;
  object->m_nParam[3] = 0;
  object->m_sParam[0] = QStringLiteral("P_ADC_1X");
  object->m_sParam[1] = QStringLiteral("P_LOCAL_A|");
  object->m_bParam[0] = calibrated;
  return object;
}

// The Parallax adapter on the given port, or the custom pins 10 (DM), 8, 57 and 9.
inline std::unique_ptr<CCodeObject> MakeUsb(const QString& name, bool custom, int port,
                                            bool noErrorLed) {
  auto object = MakeObject(OBJ_USB_KBM, name, QStringLiteral("16"));
  object->m_nPinCount = 4;
  object->m_nParam[0] = custom ? 1 : 0;
  object->m_nParam[1] = port;
  object->m_sParam[0] = QStringLiteral("10");
  object->m_sParam[1] = QStringLiteral("8");
  object->m_sParam[2] = QStringLiteral("57");
  object->m_sParam[3] = QStringLiteral("9");
  object->m_bParam[2] = true;
  object->m_nParam[2] = 640;
  object->m_nParam[3] = 480;
  object->m_nParam[4] = 100;
  object->m_nParam[5] = 100;
  object->m_bParam[0] = true;
  object->m_bParam[1] = true;
  object->m_bParam[3] = noErrorLed;
  return object;
}

inline std::unique_ptr<CCodeObject> MakeCamera(const QString& name, const QString& bus,
                                               const QString& qvga) {
  auto object = MakeObject(OBJ_CAMERA, name, QStringLiteral("16"));
  object->m_nPinCount = 16;
  object->m_sParam[0] = bus;
  object->m_sParam[1] = QStringLiteral("OV2640");
  object->m_sParam[2] = qvga;
  object->m_bParam[0] = true;
  return object;
}
