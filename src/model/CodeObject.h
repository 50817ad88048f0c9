#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "model/ObjectType.h"
#include "model/RecordSlot.h"

class CArchive;

// One configured driver object of any kind. All kinds share this layout; what each kind keeps
// in the spare slots and parameter banks is named in KindSlots.h, and read and written through
// those names: object[I2cBusSlots::SclPin]. A default-constructed record is all
// zero: integers 0, flags false, strings empty.
class CCodeObject {
 public:
  static constexpr int kTextSlots = 7;
  static constexpr int kParamSlots = 64;

  int32_t m_nType = 0;
  QString m_sName;
  bool m_bFlag = false;  // reserved, kept only for the file layout
  QString m_sBasePin;
  int32_t m_nPinCount = 0;
  std::array<QString, kTextSlots> m_sText;
  int32_t m_nNumber = 0;
  QString m_sString;
  std::array<QString, kParamSlots> m_sParam;
  std::array<int32_t, kParamSlots> m_nParam{};
  std::array<bool, kParamSlots> m_bParam{};
  bool m_bValid = false;
  bool m_bFlag2 = false;  // reserved, kept only for the file layout

  QString& operator[](CTextSlot slot);
  const QString& operator[](CTextSlot slot) const;
  int32_t& operator[](CIntSlot slot);
  int32_t operator[](CIntSlot slot) const;
  bool& operator[](CFlagSlot slot) { return m_bParam[static_cast<size_t>(slot.m_nIndex)]; }
  bool operator[](CFlagSlot slot) const { return m_bParam[static_cast<size_t>(slot.m_nIndex)]; }

  QString GetKindName() const { return KindDisplayName(m_nType); }

  // Reads or writes the record in file order, as the archive's direction says.
  void Serialize(CArchive& ar);

  bool operator==(const CCodeObject&) const = default;
};
