#include "model/CodeObject.h"

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
