#pragma once

#include <cstdint>

// Where a kind keeps one value in the record layout that all kinds share. Kinds name their
// slots (KindSlots.h); code reads and writes a record through those names, as in
// object[I2cBusSlots::SclPin], never through a bare array index.
enum class SlotBank : uint8_t {
  BasePin,    // m_sBasePin
  PinCount,   // m_nPinCount
  Text,       // m_sText[index]
  Number,     // m_nNumber
  String,     // m_sString
  TextParam,  // m_sParam[index]
  IntParam,   // m_nParam[index]
  FlagParam,  // m_bParam[index]
};

// A slot holding a QString.
struct CTextSlot {
  SlotBank m_bank;
  int m_nIndex = 0;
  constexpr bool operator==(const CTextSlot&) const = default;
};

// A slot holding an int32_t.
struct CIntSlot {
  SlotBank m_bank;
  int m_nIndex = 0;
  constexpr bool operator==(const CIntSlot&) const = default;
};

// A slot holding a bool.
struct CFlagSlot {
  int m_nIndex = 0;
  constexpr bool operator==(const CFlagSlot&) const = default;
};

namespace Slot {
inline constexpr CTextSlot BasePin{SlotBank::BasePin};
inline constexpr CIntSlot PinCount{SlotBank::PinCount};
inline constexpr CIntSlot Number{SlotBank::Number};
inline constexpr CTextSlot String{SlotBank::String};
constexpr CTextSlot Text(int index) { return {SlotBank::Text, index}; }
constexpr CTextSlot TextParam(int index) { return {SlotBank::TextParam, index}; }
constexpr CIntSlot IntParam(int index) { return {SlotBank::IntParam, index}; }
constexpr CFlagSlot FlagParam(int index) { return {index}; }
}  // namespace Slot
