#pragma once

#include <QString>
#include <cstdint>

// Persistent kind codes: written into project files and used to index the per-kind counters,
// so a code never changes meaning.
enum ObjectType : int32_t {
  OBJ_SIMPLE_VGA = 0,
  OBJ_I2C_BUS = 1,
  OBJ_NEOPIXEL = 2,
  OBJ_NCO = 3,
  OBJ_RTC = 4,
  OBJ_SIMPLE_SOUND = 5,
  OBJ_SERVO = 6,
  OBJ_DIGITAL_IO = 7,
  OBJ_DIGITAL_FILTERS = 8,
  OBJ_DAC = 9,
  OBJ_ADC = 10,
  OBJ_USB_KBM = 11,
  OBJ_SIMPLE_QVGA = 12,
  OBJ_CAMERA = 13,
  OBJ_TILED_1080P = 14,
  OBJ_SIMPLE_HDMI = 15,
};

inline constexpr int kObjectKindCount = 16;

// Display name of a kind code, "Unknown Type" for codes outside 0..15.
QString KindDisplayName(int32_t type);
