#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

// One row of the instruction tables: a short program that a single cog runs from register RAM
// (cog exec), with the registers and flags it starts from and those it must end with.
//
// How a runner uses a row:
//  - every cog register is zero, except the words of m_vCode loaded from $000 on and the
//    registers of m_vBefore; C and Z are m_bC and m_bZ;
//  - the cog starts at $000 and runs until its program counter reaches m_vCode.size();
//  - then each register of m_vAfter holds its value, C and Z are m_bExpectC and m_bExpectZ
//    (a row of an instruction that writes no flag expects them unchanged), and m_uClocks clocks
//    have passed since the first instruction began. Rows whose time depends on the hub window
//    (CORDIC commands, hub reads) leave m_uClocks at 0: the runner then does not check it.
// Rows keep their data in registers kRegD.. so that the code and the data never overlap.

struct CRegisterValue {
  uint32_t m_uAddress;  // cog register $000..$1FF
  uint32_t m_uValue;
};

struct CInstructionCase {
  std::string_view m_sName;  // the mnemonic and the corner the row checks
  std::vector<uint32_t> m_vCode;
  std::vector<CRegisterValue> m_vBefore;
  bool m_bC = false;
  bool m_bZ = false;
  std::vector<CRegisterValue> m_vAfter;
  bool m_bExpectC = false;
  bool m_bExpectZ = false;
  uint32_t m_uClocks = 0;
};

// Registers the rows use for their operands.
inline constexpr uint32_t kRegD = 0x100;
inline constexpr uint32_t kRegS = 0x101;
inline constexpr uint32_t kRegT = 0x102;
inline constexpr uint32_t kRegU = 0x103;

// Fields of an instruction word, filled into the letters of an encoding pattern as the
// instruction table prints it, e.g. "EEEE 0001000 CZI DDDDDDDDD SSSSSSSSS".
struct CEncodingFields {
  uint32_t e = 0xF;  // condition; %1111 is "always"
  uint32_t c = 0;    // WC
  uint32_t z = 0;    // WZ
  uint32_t i = 0;    // S is immediate (#S)
  uint32_t l = 0;    // D is immediate (#D)
  uint32_t d = 0;
  uint32_t s = 0;
  uint32_t n = 0;     // nibble, byte or word index of SETNIB/GETBYTE/...
  uint32_t r = 0;     // relative flag of jumps
  uint32_t a = 0;     // 20-bit address of jumps
  uint32_t w = 0;     // PA/PB/PTRA/PTRB selector of CALLD/LOC
  uint32_t aug = 0;   // the 23 bits "nnn..." of AUGS/AUGD
  uint32_t cccc = 0;  // MODCZ: C's new value, indexed by {C, Z}
  uint32_t zzzz = 0;  // MODCZ: Z's new value, indexed by {C, Z}
};

// Builds the 32-bit word from a pattern of 32 letters and digits (spaces ignored). Each letter's
// bits take the field's value, most significant bit first. A pattern must be exactly 32 bits.
constexpr uint32_t Encode(std::string_view pattern, const CEncodingFields& fields) {
  constexpr std::string_view letters = "ECZILDSNRAWncz";
  const uint32_t values[] = {fields.e, fields.c,   fields.z,    fields.i,   fields.l,
                             fields.d, fields.s,   fields.n,    fields.r,   fields.a,
                             fields.w, fields.aug, fields.cccc, fields.zzzz};
  auto fieldOf = [&](char letter) -> uint32_t {
    const std::size_t index = letters.find(letter);
    return index == std::string_view::npos ? 0 : values[index];
  };
  // How many bits of the letter remain to the right of each position.
  auto remaining = [&](std::size_t from, char letter) {
    uint32_t count = 0;
    for (std::size_t k = from + 1; k < pattern.size(); ++k)
      if (pattern[k] == letter) ++count;
    return count;
  };
  uint32_t word = 0;
  int bits = 0;
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    const char letter = pattern[k];
    if (letter == ' ') continue;
    uint32_t bit = 0;
    if (letter == '1')
      bit = 1;
    else if (letter != '0')
      bit = (fieldOf(letter) >> remaining(k, letter)) & 1u;
    word = (word << 1) | bit;
    ++bits;
  }
  if (bits != 32) throw std::invalid_argument("an encoding pattern must have 32 bits");
  return word;
}
