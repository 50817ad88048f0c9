#include "model/UnclaimedPins.h"

#include "model/KindSlots.h"
#include "model/KyvDoc.h"

namespace {
constexpr int kTopPortErrorLed = 56;  // the bottom port's is the next pin
}  // namespace

QList<CUnclaimedPin> UnclaimedPins(const CCodeObject& object) {
  if (object.m_nType != OBJ_USB_KBM) return {};
  const bool onAdapter = object[UsbKbmSlots::Configuration] == 0;
  if (!onAdapter || object[UsbKbmSlots::NoErrorLed]) return {};
  // Another port number is a damaged record, which the project checks report.
  const int port = object[UsbKbmSlots::Port];
  if (port != 0 && port != 1) return {};
  return {{kTopPortErrorLed + port, object.m_sName, QStringLiteral("USB Error LED")}};
}

QList<CUnclaimedPin> UnclaimedPins(const CKyvDoc& doc) {
  QList<CUnclaimedPin> pins;
  for (const auto& object : doc.m_ObjectList) pins += UnclaimedPins(*object);
  return pins;
}

QString NotClaimedText() { return QStringLiteral("not claimed in the project file"); }
