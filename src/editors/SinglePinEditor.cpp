#include "editors/SinglePinEditor.h"

#include "editors/EditorMessages.h"
#include "model/TextConversion.h"

namespace {
constexpr int kHighestPin = 63;
}

CEditorField CSinglePinEditor::PinField(const QString& label) {
  return CEditorField::Text(label, QStringLiteral("P2 pin number, 0 to 63"), &m_sPin)
      .StoredIn(Slot::BasePin);
}

QString CSinglePinEditor::ProposedPin(int preferred) const {
  return QString::number(ProposedBase(preferred, 1, 1, kHighestPin));
}

void CSinglePinEditor::WritePinRecord() { (*m_pObject)[Slot::PinCount] = 1; }

bool CSinglePinEditor::CheckAndClaimPin(const QString& role) {
  const int pin = TextToInt(m_sPin);
  if (PinOutside(pin, kHighestPin))
    return RejectField(&m_sPin, PinOutOfRangeMessage(pin, kHighestPin));
  CPinClaim claim(*m_pDoc, m_sName);
  if (claim.IsHeldByOther(pin)) return RejectField(&m_sPin, InUseText(claim, pin));
  claim.Commit({{pin, role}});
  return true;
}

QString CSinglePinEditor::InUseText(const CPinClaim& claim, int pin) const {
  return claim.InUseMessage(pin);
}
