#include "model/PinTableAgreement.h"

#include <QList>

#include "model/KindRegistry.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

namespace {
const QString kSerialHolder = u"Serial"_s;
bool IsSerialPin(int pin) { return pin == 62 || pin == 63; }
}  // namespace

std::optional<CPinTableMismatch> FirstPinTableMismatch(const CKyvDoc& doc) {
  // The pins each accepted object's record names.
  QList<QList<const CCodeObject*>> naming(CKyvDoc::kPinCount);
  for (const auto& object : doc.m_ObjectList) {
    const CKindInfo* info = FindKind(object->m_nType);
    if (!info || !object->m_bValid) continue;
    for (const int pin : info->RecordedPins(*object)) naming[pin].append(object.get());
  }
  for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin) {
    const QString& holder = doc.m_sPinUsedBy[pin];
    if (!doc.m_bPinUsed[pin]) {
      if (!naming[pin].isEmpty())
        return CPinTableMismatch{
            pin, u"pin %1 is marked free in the pin table, but %2 uses it"_s.arg(pin).arg(
                     naming[pin].constFirst()->m_sName)};
      continue;
    }
    if (holder == kSerialHolder && IsSerialPin(pin)) continue;
    const CCodeObject* object = doc.FindObject(holder);
    if (!object)
      return CPinTableMismatch{
          pin, u"pin %1 is marked as used by \"%2\", but the project has no object of that name"_s
                   .arg(pin)
                   .arg(holder)};
    if (object->m_bValid && FindKind(object->m_nType) && !naming[pin].contains(object))
      return CPinTableMismatch{
          pin,
          u"pin %1 is marked as used by %2, but %2's settings do not use that pin"_s.arg(pin).arg(
              holder)};
  }
  return std::nullopt;
}
