#include "model/CodeObject.h"

#include <utility>

#include "model/Archive.h"

void CCodeObject::Serialize(CArchive& ar) {
  ar.Int32(m_nType);
  ar.String(m_sName);
  ar.Bool(m_bFlag);
  ar.String(m_sBasePin);
  ar.Int32(m_nPinCount);
  for (QString& text : m_sText) ar.String(text);
  ar.Int32(m_nNumber);
  ar.String(m_sString);
  // The three banks are interleaved by index in the file.
  for (int i = 0; i < kParamSlots; ++i) {
    ar.String(m_sParam[i]);
    ar.Int32(m_nParam[i]);
    ar.Bool(m_bParam[i]);
  }
  ar.Bool(m_bValid);
  ar.Bool(m_bFlag2);
}

QString& CCodeObject::operator[](CTextSlot slot) {
  return const_cast<QString&>(std::as_const(*this)[slot]);
}

const QString& CCodeObject::operator[](CTextSlot slot) const {
  switch (slot.m_bank) {
    case SlotBank::BasePin:
      return m_sBasePin;
    case SlotBank::Text:
      return m_sText[static_cast<size_t>(slot.m_nIndex)];
    case SlotBank::String:
      return m_sString;
    default:
      return m_sParam[static_cast<size_t>(slot.m_nIndex)];
  }
}

int32_t& CCodeObject::operator[](CIntSlot slot) {
  switch (slot.m_bank) {
    case SlotBank::PinCount:
      return m_nPinCount;
    case SlotBank::Number:
      return m_nNumber;
    default:
      return m_nParam[static_cast<size_t>(slot.m_nIndex)];
  }
}

int32_t CCodeObject::operator[](CIntSlot slot) const {
  return const_cast<CCodeObject&>(*this)[slot];
}
