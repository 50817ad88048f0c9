#include "editors/SinglePinEditor.h"

#include "editors/FieldBuilders.h"
#include "model/TextConversion.h"

CEditorField CSinglePinEditor::PinField(const QString& label) {
  return TextField(QStringLiteral("ioPin"), label, QStringLiteral("P2 pin number, 0 to 63"),
                   &m_sPin);
}

void CSinglePinEditor::WritePinRecord() {
  m_pObject->m_sBasePin = m_sPin;
  m_pObject->m_nPinCount = 1;
}

bool CSinglePinEditor::CheckAndClaimPin(const QString& role) {
  const int pin = TextToInt(m_sPin);
  if (static_cast<unsigned>(pin) > 63u)
    return Reject(
        QStringLiteral("Pin %1 is out of range, please set to between 0 and 63.").arg(pin));
  CPinClaim claim(*m_pDoc, m_sName);
  if (claim.IsHeldByOther(pin)) return Reject(InUseText(claim, pin));
  claim.Commit({{pin, role}});
  return true;
}

QString CSinglePinEditor::InUseText(const CPinClaim& claim, int pin) const {
  return claim.InUseMessage(pin);
}
