#include "model/PinClaim.h"

#include <utility>

CPinClaim::CPinClaim(CKyvDoc& doc, QString holderName)
    : m_doc(doc), m_sName(std::move(holderName)) {}

// Pins come from the editors' range-checked numbers; .at() turns a missed check into an
// exception rather than a write outside the table.
bool CPinClaim::IsHeldByOther(int pin) const {
  return m_doc.m_bPinUsed.at(pin) && m_doc.m_sPinUsedBy.at(pin) != m_sName;
}

std::optional<int> CPinClaim::FirstConflict(const QList<int>& pins,
                                            const HolderFilter& mayTakeOver) const {
  for (const int pin : pins) {
    if (!IsHeldByOther(pin)) continue;
    if (mayTakeOver && mayTakeOver(Holder(pin))) continue;
    return pin;
  }
  return std::nullopt;
}

QString CPinClaim::InUseMessage(int pin) const {
  return QStringLiteral("Pin #%1 is already in use by ").arg(pin) + Holder(pin) + u'.';
}

void CPinClaim::ReleaseAll() {
  for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin) {
    if (m_doc.m_sPinUsedBy[pin] != m_sName) continue;
    m_doc.m_sPinUsedBy[pin].clear();
    m_doc.m_bPinUsed[pin] = false;
    m_doc.m_sPinUsedFor[pin].clear();
  }
}

void CPinClaim::Claim(int pin, const QString& role) {
  m_doc.m_bPinUsed.at(pin) = true;
  m_doc.m_sPinUsedBy[pin] = m_sName;
  m_doc.m_sPinUsedFor[pin] = role;
}

void CPinClaim::Commit(const QList<CPinRole>& pins) {
  ReleaseAll();
  for (const CPinRole& pin : pins) Claim(pin.m_nPin, pin.m_sRole);
}

QList<int> CPinClaim::PinsOf(const QList<CPinRole>& pins) {
  QList<int> numbers;
  numbers.reserve(pins.size());
  for (const CPinRole& pin : pins) numbers.append(pin.m_nPin);
  return numbers;
}
