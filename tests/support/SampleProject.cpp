#include "SampleProject.h"

#include "model/ObjectType.h"
#include "model/PinClaim.h"

std::unique_ptr<CCodeObject> SampleObject(int kind, int number) {
  auto object = std::make_unique<CCodeObject>();
  object->m_nType = kind;
  object->m_sName = KindDisplayName(kind).remove(u' ').remove(u'/') + QString::number(number);
  object->m_sBasePin = QString::number((kind * 4) % 60);
  object->m_nPinCount = 1 + kind % 5;
  object->m_bValid = number % 7 != 0;
  switch (kind) {
    case OBJ_I2C_BUS:
      object->m_sText[5] = QStringLiteral("24");
      object->m_sText[6] = QStringLiteral("25");
      object->m_nNumber = 400;
      object->m_sString = QStringLiteral("0x50, 0x68");
      break;
    case OBJ_SIMPLE_SOUND:
      object->m_sParam[0] = QStringLiteral("6");
      object->m_sParam[1] = QStringLiteral("7");
      break;
    case OBJ_USB_KBM:
      object->m_nParam[0] = number % 2;
      object->m_sParam[0] = QStringLiteral("16");
      object->m_sParam[1] = QStringLiteral("18");
      object->m_sParam[2] = QStringLiteral("19");
      object->m_sParam[3] = QStringLiteral("20");
      object->m_bParam[2] = true;
      break;
    default:
      break;
  }
  object->m_sParam[10 + kind] = QStringLiteral("Wert \u00e4\u00f6\u00fc %1").arg(number);
  object->m_nParam[20 + kind] = -1000 * kind - number;
  object->m_nParam[63] = number;
  object->m_bParam[30 + kind] = true;
  return object;
}

void AddSampleObjects(CKyvDoc& doc, int count) {
  for (int i = 0; i < count; ++i) {
    const int kind = i % kObjectKindCount;
    auto object = SampleObject(kind, doc.m_nTypeCount[kind] + 1);
    const int pin = i % 62;
    CPinClaim(doc, object->m_sName).Claim(pin, QStringLiteral("Role %1").arg(i));
    doc.m_sPinNotes[pin] = QStringLiteral("note for pin %1").arg(pin);
    doc.AddObject(std::move(object));
  }
}
