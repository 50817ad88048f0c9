#include "editors/EditorFactory.h"

#include "editors/I2CScanner.h"
#include "editors/ObjectCamera.h"
#include "editors/ObjectRTC.h"
#include "editors/ObjectUsbKbm.h"
#include "editors/SimpleSound.h"
#include "editors/VideoEditors.h"

std::unique_ptr<CObjectEditor> CreateEditor(int kind) {
  switch (kind) {
    case OBJ_SIMPLE_VGA: return std::make_unique<CSimpleVGA>();
    case OBJ_I2C_BUS: return std::make_unique<CI2CScanner>();
    case OBJ_RTC: return std::make_unique<CObjectRTC>();
    case OBJ_SIMPLE_SOUND: return std::make_unique<CSimpleSound>();
    case OBJ_USB_KBM: return std::make_unique<CObjectUsbKbm>();
    case OBJ_SIMPLE_QVGA: return std::make_unique<CSimpleQvga>();
    case OBJ_CAMERA: return std::make_unique<CObjectCamera>();
    case OBJ_TILED_1080P: return std::make_unique<CObject1080p>();
    case OBJ_SIMPLE_HDMI: return std::make_unique<CSimpleHDMI>();
    default: return nullptr;
  }
}
