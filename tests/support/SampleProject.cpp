#include "SampleProject.h"

#include "model/KindSlots.h"
#include "model/ObjectType.h"
#include "model/PinClaim.h"

std::unique_ptr<CCodeObject> SampleObject(int kind, int number) {
  auto object = std::make_unique<CCodeObject>();
  object->m_nType = kind;
  object->m_sName = KindDisplayName(kind).remove(u' ').remove(u'/') + QString::number(number);
  CCodeObject& record = *object;
  record[Slot::BasePin] = QString::number((kind * 4) % 60);
  record[Slot::PinCount] = 1 + kind % 5;
  object->m_bValid = number % 7 != 0;
  switch (kind) {
    case OBJ_I2C_BUS:
      record[I2cBusSlots::SdaPin] = QStringLiteral("24");
      record[I2cBusSlots::SclPin] = QStringLiteral("25");
      record[I2cBusSlots::Pullup] = 400;
      record[I2cBusSlots::SpeedKHz] = QStringLiteral("0x50, 0x68");
      break;
    case OBJ_SIMPLE_SOUND:
      record[SoundSlots::LeftPin] = QStringLiteral("6");
      record[SoundSlots::RightPin] = QStringLiteral("7");
      break;
    case OBJ_USB_KBM:
      record[UsbKbmSlots::Configuration] = number % 2;
      record[UsbKbmSlots::DmPin] = QStringLiteral("16");
      record[UsbKbmSlots::ActivityLedPin] = QStringLiteral("18");
      record[UsbKbmSlots::ErrorLedPin] = QStringLiteral("19");
      record[UsbKbmSlots::PowerPin] = QStringLiteral("20");
      record[UsbKbmSlots::UsePowerPin] = true;
      break;
    default:
      break;
  }
  // Slots no kind uses, so that every bank is carried.
  record[Slot::TextParam(10 + kind)] = QStringLiteral("Wert \u00e4\u00f6\u00fc %1").arg(number);
  record[Slot::IntParam(20 + kind)] = -1000 * kind - number;
  record[Slot::IntParam(63)] = number;
  record[Slot::FlagParam(30 + kind)] = true;
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

CCodeObject* AddHeldObject(CKyvDoc& doc, int kind, const QString& name, int basePin, int count,
                           bool valid) {
  auto object = std::make_unique<CCodeObject>();
  object->m_nType = kind;
  object->m_sName = name;
  object->m_sBasePin = QString::number(basePin);
  object->m_nPinCount = count;
  object->m_bValid = valid;
  if (valid) {
    CPinClaim claim(doc, name);
    for (int pin = basePin; pin < basePin + count; ++pin)
      claim.Claim(pin, QStringLiteral("Role%1").arg(pin));
  }
  return doc.AddObject(std::move(object));
}
