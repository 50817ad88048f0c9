#include "editors/EditorFactory.h"

#include "editors/I2CScanner.h"
#include "editors/ObjectADC.h"
#include "editors/ObjectCamera.h"
#include "editors/ObjectDAC.h"
#include "editors/ObjectDigital.h"
#include "editors/ObjectFilters.h"
#include "editors/ObjectNCO.h"
#include "editors/ObjectNeopixel.h"
#include "editors/ObjectRTC.h"
#include "editors/ObjectServo.h"
#include "editors/ObjectUsbKbm.h"
#include "editors/SimpleSound.h"
#include "editors/VideoEditors.h"

std::unique_ptr<CObjectEditor> CreateEditor(int kind) {
  switch (kind) {
    case OBJ_SIMPLE_VGA:
      return std::make_unique<CSimpleVGA>();
    case OBJ_I2C_BUS:
      return std::make_unique<CI2CScanner>();
    case OBJ_NEOPIXEL:
      return std::make_unique<CObjectNeopixel>();
    case OBJ_NCO:
      return std::make_unique<CObjectNCO>();
    case OBJ_RTC:
      return std::make_unique<CObjectRTC>();
    case OBJ_SIMPLE_SOUND:
      return std::make_unique<CSimpleSound>();
    case OBJ_SERVO:
      return std::make_unique<CObjectServo>();
    case OBJ_DIGITAL_IO:
      return std::make_unique<CObjectDigital>();
    case OBJ_DIGITAL_FILTERS:
      return std::make_unique<CObjectFilters>();
    case OBJ_DAC:
      return std::make_unique<CObjectDAC>();
    case OBJ_ADC:
      return std::make_unique<CObjectADC>();
    case OBJ_USB_KBM:
      return std::make_unique<CObjectUsbKbm>();
    case OBJ_SIMPLE_QVGA:
      return std::make_unique<CSimpleQvga>();
    case OBJ_CAMERA:
      return std::make_unique<CObjectCamera>();
    case OBJ_TILED_1080P:
      return std::make_unique<CObject1080p>();
    case OBJ_SIMPLE_HDMI:
      return std::make_unique<CSimpleHDMI>();
    default:
      return nullptr;
  }
}
