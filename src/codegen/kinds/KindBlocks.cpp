#include "codegen/kinds/KindBlocks.h"

#include <array>

#include "model/KyvDoc.h"
#include "model/ObjectType.h"

const CKindBlocks* FindKindBlocks(int32_t kind) {
  // In kind-code order.
  static const std::array<const CKindBlocks*, kObjectKindCount> blocks = {
      &kSimpleVgaBlocks,  &kI2cBusBlocks, &kNeopixelBlocks,   &kNcoBlocks,
      &kRtcBlocks,        &kSoundBlocks,  &kServoBlocks,      &kDigitalIoBlocks,
      &kFiltersBlocks,    &kDacBlocks,    &kAdcBlocks,        &kUsbKbmBlocks,
      &kSimpleQvgaBlocks, &kCameraBlocks, &kTiled1080pBlocks, &kSimpleHdmiBlocks};
  if (kind < 0 || kind >= kObjectKindCount) return nullptr;
  return blocks[static_cast<size_t>(kind)];
}

bool IsFirstOfItsKind(const CKyvDoc& doc, const CCodeObject& object) {
  for (const auto& other : doc.m_ObjectList) {
    if (other.get() == &object) return true;
    if (other->m_nType == object.m_nType) return false;
  }
  return false;
}
