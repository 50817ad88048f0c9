#pragma once

#include "InstructionCase.h"
#include "InstructionPatterns.h"

// The instruction table: each row is read from the P2 instruction table and the silicon
// documentation (encoding, operation, flags and cog-exec clocks), independently of the
// simulator's own decoder. Where the documentation leaves a point open, the row says so.

struct CFlags {
  bool m_bC;
  bool m_bZ;
};
inline constexpr CFlags kC0Z0{false, false};
inline constexpr CFlags kC0Z1{false, true};
inline constexpr CFlags kC1Z0{true, false};
inline constexpr CFlags kC1Z1{true, true};

// Operand fields the rows use most: D and S registers, with or without WC and WZ, or #S.
inline constexpr CEncodingFields kWcz{.c = 1, .z = 1, .d = kRegD, .s = kRegS};
inline constexpr CEncodingFields kRegs{.d = kRegD, .s = kRegS};
inline constexpr CEncodingFields Imm(uint32_t s, uint32_t c = 1, uint32_t z = 1) {
  return {.c = c, .z = z, .i = 1, .d = kRegD, .s = s};
}
inline constexpr CEncodingFields WithN(uint32_t n) { return {.d = kRegD, .s = kRegS, .n = n}; }
inline constexpr CEncodingFields OnD(uint32_t d, uint32_t c = 0, uint32_t z = 0) {
  return {.c = c, .z = z, .d = d};
}
inline constexpr CEncodingFields ImmD(uint32_t d) { return {.l = 1, .d = d}; }
inline constexpr CEncodingFields Address(uint32_t address, uint32_t relative = 0) {
  return {.r = relative, .a = address};
}

// One instruction on register D (kRegD) and register S (kRegS): S keeps its value, D ends as
// `result` (D's own value for compares and tests).
inline CInstructionCase One(std::string_view name, const char* pattern, CEncodingFields fields,
                            uint32_t d, uint32_t s, CFlags before, uint32_t result, CFlags after,
                            uint32_t clocks = 2) {
  return {name,
          {Encode(pattern, fields)},
          {{kRegD, d}, {kRegS, s}},
          before.m_bC,
          before.m_bZ,
          {{kRegD, result}, {kRegS, s}},
          after.m_bC,
          after.m_bZ,
          clocks};
}

// A short program with its registers before and after.
inline CInstructionCase Program(std::string_view name, std::vector<uint32_t> code,
                                std::vector<CRegisterValue> before, CFlags flagsBefore,
                                std::vector<CRegisterValue> after, CFlags flagsAfter,
                                uint32_t clocks) {
  return {name,
          std::move(code),
          std::move(before),
          flagsBefore.m_bC,
          flagsBefore.m_bZ,
          std::move(after),
          flagsAfter.m_bC,
          flagsAfter.m_bZ,
          clocks};
}

// Rows whose register S holds junk: the instruction must use its immediate instead.
inline constexpr uint32_t kJunk = 0xDEAD'BEEF;

// Special registers the rows read back.
inline constexpr uint32_t kRegPA = 0x1F6;
inline constexpr uint32_t kRegDIRA = 0x1FA;
inline constexpr uint32_t kRegOUTA = 0x1FC;

// clang-format off
inline std::vector<CInstructionCase> ShiftCases() {
  using namespace Pattern;
  return {
    One("ROR by 0 keeps D, C = D[0]",         ROR, kWcz, 0x8000'0001, 0,  kC0Z1, 0x8000'0001, kC1Z0),
    One("ROR by 1",                           ROR, kWcz, 0x8000'0001, 1,  kC0Z1, 0xC000'0000, kC1Z0),
    One("ROR uses S[4:0] only (33 = 1)",      ROR, kWcz, 0x8000'0001, 33, kC0Z1, 0xC000'0000, kC1Z0),
    One("ROL by 31, C = D[1]",                ROL, kWcz, 0x0000'0003, 31, kC0Z0, 0x8000'0001, kC1Z0),
    One("SHR by 31, C = D[30]",               SHR, kWcz, 0x8000'0001, 31, kC1Z1, 0x0000'0001, kC0Z0),
    One("SHR by 0, C = D[0]",                 SHR, kWcz, 0x8000'0001, 0,  kC0Z1, 0x8000'0001, kC1Z0),
    One("SHR by 32 shifts by 0",              SHR, kWcz, 0x8000'0000, 32, kC1Z1, 0x8000'0000, kC0Z0),
    One("SHR to zero sets Z",                 SHR, kWcz, 0x0000'0001, 1,  kC0Z0, 0,           kC1Z1),
    One("SHL by 31, C = D[1]",                SHL, kWcz, 0x0000'0003, 31, kC0Z0, 0x8000'0000, kC1Z0),
    One("SHL by 0, C = D[31]",                SHL, kWcz, 0x8000'0000, 0,  kC0Z1, 0x8000'0000, kC1Z0),
    One("SHL out to zero",                    SHL, kWcz, 0x8000'0000, 1,  kC0Z0, 0,           kC1Z1),
    One("RCR fills from C",                   RCR, kWcz, 0,           4,  kC1Z0, 0xF000'0000, kC0Z0),
    One("RCL fills from C",                   RCL, kWcz, 0x8000'0000, 1,  kC1Z0, 0x0000'0001, kC1Z0),
    One("SAR by 31 of $8000_0000",            SAR, kWcz, 0x8000'0000, 31, kC1Z1, 0xFFFF'FFFF, kC0Z0),
    One("SAR by 31 of a positive value",      SAR, kWcz, 0x4000'0000, 31, kC0Z0, 0,           kC1Z1),
    One("SAL fills from D[0]",                SAL, kWcz, 0x0000'0001, 4,  kC1Z1, 0x0000'001F, kC0Z0),
    One("SAL by 0, C = D[31]",                SAL, kWcz, 0x8000'0000, 0,  kC0Z0, 0x8000'0000, kC1Z0),
    One("SHL #S takes the immediate",         SHL, Imm(4), 0x0000'0001, kJunk, kC0Z0, 0x0000'0010, kC0Z0),
    One("shift without WC/WZ keeps C and Z",  SHL, kRegs, 0x8000'0000, 1, kC0Z0, 0,           kC0Z0),
  };
}

inline std::vector<CInstructionCase> AddSubtractCases() {
  using namespace Pattern;
  return {
    One("ADD $FFFF_FFFF + 1 carries",          ADD,   kWcz, 0xFFFF'FFFF, 1,           kC0Z0, 0,           kC1Z1),
    One("ADD $7FFF_FFFF + 1 does not carry",   ADD,   kWcz, 0x7FFF'FFFF, 1,           kC1Z1, 0x8000'0000, kC0Z0),
    One("ADDS $7FFF_FFFF + 1: correct sign +", ADDS,  kWcz, 0x7FFF'FFFF, 1,           kC1Z1, 0x8000'0000, kC0Z0),
    One("ADDS $8000_0000 + -1: correct sign -",ADDS,  kWcz, 0x8000'0000, 0xFFFF'FFFF, kC0Z0, 0x7FFF'FFFF, kC1Z0),
    One("ADDS -1 + -1",                        ADDS,  kWcz, 0xFFFF'FFFF, 0xFFFF'FFFF, kC0Z0, 0xFFFF'FFFE, kC1Z0),
    One("ADDX carries in, Z stays 1",          ADDX,  kWcz, 0xFFFF'FFFF, 0,           kC1Z1, 0,           kC1Z1),
    One("ADDX zero result but Z was 0",        ADDX,  kWcz, 0xFFFF'FFFF, 0,           kC1Z0, 0,           kC1Z0),
    One("ADDX adds C",                         ADDX,  kWcz, 1,           1,           kC1Z1, 3,           kC0Z0),
    One("ADDSX overflows to $8000_0000",       ADDSX, kWcz, 0x7FFF'FFFF, 0,           kC1Z1, 0x8000'0000, kC0Z0),
    One("SUB 0 - 1 borrows",                   SUB,   kWcz, 0,           1,           kC0Z1, 0xFFFF'FFFF, kC1Z0),
    One("SUB 5 - 5 is zero",                   SUB,   kWcz, 5,           5,           kC1Z0, 0,           kC0Z1),
    One("SUBS $8000_0000 - 1: correct sign -", SUBS,  kWcz, 0x8000'0000, 1,           kC0Z0, 0x7FFF'FFFF, kC1Z0),
    One("SUBS $7FFF_FFFF - -1: correct sign +",SUBS,  kWcz, 0x7FFF'FFFF, 0xFFFF'FFFF, kC1Z1, 0x8000'0000, kC0Z0),
    One("SUBX borrows in",                     SUBX,  kWcz, 0,           0,           kC1Z1, 0xFFFF'FFFF, kC1Z0),
    One("SUBX zero keeps Z",                   SUBX,  kWcz, 1,           0,           kC1Z1, 0,           kC0Z1),
    One("SUBSX $8000_0000 - (0 + C)",          SUBSX, kWcz, 0x8000'0000, 0,           kC1Z0, 0x7FFF'FFFF, kC1Z0),
    One("SUBR 10 - 3",                         SUBR,  kWcz, 3,           10,          kC1Z1, 7,           kC0Z0),
    One("SUBR 3 - 10 borrows",                 SUBR,  kWcz, 10,          3,           kC0Z1, 0xFFFF'FFF9, kC1Z0),
    One("CMPSUB 10 >= 3 subtracts",            CMPSUB, kWcz, 10,         3,           kC0Z1, 7,           kC1Z0),
    One("CMPSUB 3 < 10 keeps D",               CMPSUB, kWcz, 3,          10,          kC1Z1, 3,           kC0Z0),
    One("CMPSUB 5 - 5 to zero",                CMPSUB, kWcz, 5,          5,           kC0Z0, 0,           kC1Z1),
    One("SUMC with C = 1 subtracts",           SUMC,  kWcz, 5,           3,           kC1Z0, 2,           kC0Z0),
    One("SUMC with C = 0 adds",                SUMC,  kWcz, 5,           3,           kC0Z0, 8,           kC0Z0),
    One("SUMC overflow: correct sign +",       SUMC,  kWcz, 0x7FFF'FFFF, 0xFFFF'FFFF, kC1Z0, 0x8000'0000, kC0Z0),
    One("SUMNC with C = 1 adds",               SUMNC, kWcz, 5,           3,           kC1Z0, 8,           kC0Z0),
    One("SUMZ with Z = 1 subtracts",           SUMZ,  kWcz, 3,           5,           kC0Z1, 0xFFFF'FFFE, kC1Z0),
    One("SUMNZ with Z = 1 adds",               SUMNZ, kWcz, 3,           5,           kC0Z1, 8,           kC0Z0),
    One("INCMOD wraps at S",                   INCMOD, kWcz, 7,          7,           kC0Z0, 0,           kC1Z1),
    One("INCMOD below S counts up",            INCMOD, kWcz, 3,          7,           kC1Z1, 4,           kC0Z0),
    One("DECMOD wraps from 0 to S",            DECMOD, kWcz, 0,          7,           kC0Z1, 7,           kC1Z0),
    One("DECMOD counts down",                  DECMOD, kWcz, 5,          7,           kC1Z1, 4,           kC0Z0),
  };
}

inline std::vector<CInstructionCase> CompareCases() {
  using namespace Pattern;
  return {
    One("CMP 1 < 2 unsigned",                  CMP,   kWcz, 1,           2,           kC0Z1, 1,           kC1Z0),
    One("CMP equal sets Z",                    CMP,   kWcz, 7,           7,           kC1Z0, 7,           kC0Z1),
    One("CMP $8000_0000 vs 1 unsigned",        CMP,   kWcz, 0x8000'0000, 1,           kC1Z1, 0x8000'0000, kC0Z0),
    One("CMPS $8000_0000 vs 1 signed",         CMPS,  kWcz, 0x8000'0000, 1,           kC0Z1, 0x8000'0000, kC1Z0),
    One("CMP $7FFF_FFFF vs $FFFF_FFFF",        CMP,   kWcz, 0x7FFF'FFFF, 0xFFFF'FFFF, kC0Z0, 0x7FFF'FFFF, kC1Z0),
    One("CMPS $7FFF_FFFF vs -1 overflows",     CMPS,  kWcz, 0x7FFF'FFFF, 0xFFFF'FFFF, kC1Z1, 0x7FFF'FFFF, kC0Z0),
    One("CMPX equal with C keeps Z",           CMPX,  kWcz, 5,           4,           kC1Z1, 5,           kC0Z1),
    One("CMPX equal but Z was 0",              CMPX,  kWcz, 5,           4,           kC1Z0, 5,           kC0Z0),
    One("CMPSX 0 - (0 + C) is negative",       CMPSX, kWcz, 0,           0,           kC1Z1, 0,           kC1Z0),
    One("CMPR 1, 2: S - D does not borrow",    CMPR,  kWcz, 1,           2,           kC1Z1, 1,           kC0Z0),
    One("CMPR 2, 1: S - D borrows",            CMPR,  kWcz, 2,           1,           kC0Z0, 2,           kC1Z0),
    One("CMPM: C = MSB of D - S (clear)",      CMPM,  kWcz, 0x8000'0000, 1,           kC1Z1, 0x8000'0000, kC0Z0),
    One("CMPM: C = MSB of D - S (set)",        CMPM,  kWcz, 0,           1,           kC0Z0, 0,           kC1Z0),
    One("FGE raises D to S",                   FGE,   kWcz, 3,           10,          kC0Z1, 10,          kC1Z0),
    One("FGE unsigned keeps $FFFF_FFFF",       FGE,   kWcz, 0xFFFF'FFFF, 1,           kC1Z1, 0xFFFF'FFFF, kC0Z0),
    One("FLE lowers D to S",                   FLE,   kWcz, 10,          3,           kC0Z0, 3,           kC1Z0),
    One("FGES signed raises -1 to 1",          FGES,  kWcz, 0xFFFF'FFFF, 1,           kC0Z0, 1,           kC1Z0),
    One("FLES signed lowers 1 to -1",          FLES,  kWcz, 1,           0xFFFF'FFFF, kC0Z0, 0xFFFF'FFFF, kC1Z0),
    One("FLES keeps -5 below 3",               FLES,  kWcz, 0xFFFF'FFFB, 3,           kC1Z1, 0xFFFF'FFFB, kC0Z0),
    One("TEST no common bits",                 TEST,  kWcz, 0xF0,        0x0F,        kC1Z0, 0xF0,        kC0Z1),
    One("TEST parity of D & S even",           TEST,  kWcz, 0xF0,        0x30,        kC1Z1, 0xF0,        kC0Z0),
    One("TEST parity of D & S odd",            TEST,  kWcz, 0xF0,        0x10,        kC0Z1, 0xF0,        kC1Z0),
    One("TESTN D & !S",                        TESTN, kWcz, 0xF0,        0x0F,        kC1Z1, 0xF0,        kC0Z0),
    One("TESTN D & !S zero",                   TESTN, kWcz, 0xF0,        0xF0,        kC1Z0, 0xF0,        kC0Z1),
  };
}

inline std::vector<CInstructionCase> LogicCases() {
  using namespace Pattern;
  return {
    One("AND, C = parity",                     AND,   kWcz, 0xF0F0,      0xFF00,      kC1Z1, 0xF000,      kC0Z0),
    One("AND to zero",                         AND,   kWcz, 0xF0,        0x0F,        kC1Z0, 0,           kC0Z1),
    One("ANDN",                                ANDN,  kWcz, 0xFF,        0x0F,        kC1Z1, 0xF0,        kC0Z0),
    One("OR, odd parity",                      OR,    kWcz, 0,           7,           kC0Z1, 7,           kC1Z0),
    One("XOR to zero",                         XOR,   kWcz, 0xFFFF'FFFF, 0xFFFF'FFFF, kC1Z0, 0,           kC0Z1),
    One("XOR, odd parity",                     XOR,   kWcz, 1,           3,           kC0Z1, 2,           kC1Z0),
    One("MUXC with C = 1",                     MUXC,  kWcz, 0,           0xF0,        kC1Z1, 0xF0,        kC0Z0),
    One("MUXC with C = 0",                     MUXC,  kWcz, 0xFF,        0xF0,        kC0Z1, 0x0F,        kC0Z0),
    One("MUXNC with C = 1",                    MUXNC, kWcz, 0xFF,        0x0F,        kC1Z1, 0xF0,        kC0Z0),
    One("MUXZ with Z = 1",                     MUXZ,  kWcz, 0,           1,           kC0Z1, 1,           kC1Z0),
    One("MUXNZ with Z = 1",                    MUXNZ, kWcz, 1,           1,           kC1Z1, 0,           kC0Z1),
    One("MOV, C = S[31]",                      MOV,   kWcz, 5,           0x8000'0000, kC0Z1, 0x8000'0000, kC1Z0),
    One("MOV zero",                            MOV,   kWcz, 5,           0,           kC1Z0, 0,           kC0Z1),
    One("MOV #S",                              MOV,   Imm(0x1FF), 5,     kJunk,       kC1Z1, 0x1FF,       kC0Z0),
    One("NOT 0",                               NOT,   kWcz, 5,           0,           kC0Z1, 0xFFFF'FFFF, kC1Z0),
    One("NOT $FFFF_FFFF",                      NOT,   kWcz, 5,           0xFFFF'FFFF, kC1Z0, 0,           kC0Z1),
    One("ABS -5, C = S[31]",                   ABS,   kWcz, 0,           0xFFFF'FFFB, kC0Z1, 5,           kC1Z0),
    One("ABS $8000_0000 stays",                ABS,   kWcz, 0,           0x8000'0000, kC0Z1, 0x8000'0000, kC1Z0),
    One("ABS 5",                               ABS,   kWcz, 0,           5,           kC1Z1, 5,           kC0Z0),
    One("NEG 1, C = MSB of result",            NEG,   kWcz, 0,           1,           kC0Z1, 0xFFFF'FFFF, kC1Z0),
    One("NEG 0",                               NEG,   kWcz, 9,           0,           kC1Z0, 0,           kC0Z1),
    One("NEG $8000_0000 stays",                NEG,   kWcz, 0,           0x8000'0000, kC0Z0, 0x8000'0000, kC1Z0),
    One("NEGC with C = 1 negates",             NEGC,  kWcz, 0,           5,           kC1Z1, 0xFFFF'FFFB, kC1Z0),
    One("NEGC with C = 0 copies",              NEGC,  kWcz, 0,           5,           kC0Z1, 5,           kC0Z0),
    One("NEGNC with C = 0 negates",            NEGNC, kWcz, 0,           5,           kC0Z0, 0xFFFF'FFFB, kC1Z0),
    One("NEGZ with Z = 1 negates",             NEGZ,  kWcz, 0,           5,           kC0Z1, 0xFFFF'FFFB, kC1Z0),
    One("NEGNZ with Z = 1 copies",             NEGNZ, kWcz, 0,           5,           kC1Z1, 5,           kC0Z0),
    One("ZEROX above bit 7",                   ZEROX, kWcz, 0xFFFF'FFFF, 7,           kC1Z1, 0xFF,        kC0Z0),
    One("ZEROX above bit 31 keeps D",          ZEROX, kWcz, 0xFFFF'FFFF, 31,          kC0Z1, 0xFFFF'FFFF, kC1Z0),
    One("ZEROX to zero",                       ZEROX, kWcz, 0x100,       7,           kC1Z0, 0,           kC0Z1),
    One("SIGNX from bit 7, negative",          SIGNX, kWcz, 0x80,        7,           kC0Z1, 0xFFFF'FF80, kC1Z0),
    One("SIGNX from bit 7, positive",          SIGNX, kWcz, 0x7F,        7,           kC1Z1, 0x7F,        kC0Z0),
    One("SIGNX from bit 0",                    SIGNX, kWcz, 1,           0,           kC0Z0, 0xFFFF'FFFF, kC1Z0),
    One("ENCOD $8000_0000",                    ENCOD, kWcz, 0,           0x8000'0000, kC0Z1, 31,          kC1Z0),
    One("ENCOD 1: result 0 with C = 1",        ENCOD, kWcz, 5,           1,           kC0Z0, 0,           kC1Z1),
    One("ENCOD 0: C = 0",                      ENCOD, kWcz, 5,           0,           kC1Z0, 0,           kC0Z1),
    One("ENCOD $0F00",                         ENCOD, kWcz, 0,           0x0F00,      kC0Z0, 11,          kC1Z0),
    One("ONES $FFFF_FFFF is 32",               ONES,  kWcz, 0,           0xFFFF'FFFF, kC1Z1, 32,          kC0Z0),
    One("ONES 7",                              ONES,  kWcz, 0,           7,           kC0Z1, 3,           kC1Z0),
    One("ONES 0",                              ONES,  kWcz, 9,           0,           kC1Z0, 0,           kC0Z1),
    One("DECOD 31",                            DECOD, kRegs, 0,          31,          kC0Z0, 0x8000'0000, kC0Z0),
    One("DECOD uses S[4:0] (32 = 0)",          DECOD, kRegs, 0,          32,          kC1Z1, 1,           kC1Z1),
    One("BMASK 0",                             BMASK, kRegs, 0,          0,           kC0Z0, 1,           kC0Z0),
    One("BMASK 31",                            BMASK, kRegs, 0,          31,          kC0Z0, 0xFFFF'FFFF, kC0Z0),
    One("BMASK 7",                             BMASK, kRegs, 0,          7,           kC1Z0, 0xFF,        kC1Z0),
    One("CRCBIT with C ^ D[0] = 1",            CRCBIT, kRegs, 0,         0x8C,        kC1Z0, 0x8C,        kC1Z0),
    One("CRCBIT with C ^ D[0] = 0",            CRCBIT, kRegs, 1,         0x8C,        kC1Z0, 0,           kC1Z0),
    One("MUXNITS copies non-zero bit pairs",   MUXNITS, kRegs, 0xFFFF'FFFF, 0x6,      kC0Z0, 0xFFFF'FFF6, kC0Z0),
    One("MUXNITS keeps pairs where S is 00",   MUXNITS, kRegs, 0x5555'5555, 0xC,      kC0Z0, 0x5555'555D, kC0Z0),
    One("MUXNIBS copies non-zero nibbles",     MUXNIBS, kRegs, 0xFFFF'FFFF, 0x0A00,   kC0Z0, 0xFFFF'FAFF, kC0Z0),
    One("MOVBYTS reverses bytes",              MOVBYTS, kRegs, 0x4433'2211, 0x1B,     kC0Z0, 0x1122'3344, kC0Z0),
    One("MOVBYTS %11_10_01_00 keeps D",        MOVBYTS, kRegs, 0x4433'2211, 0xE4,     kC0Z0, 0x4433'2211, kC0Z0),
    One("MOVBYTS 0 repeats byte 0",            MOVBYTS, kRegs, 0x4433'2211, 0,        kC0Z0, 0x1111'1111, kC0Z0),
    One("REV 1",                               REV,   OnD(kRegD), 1,         kJunk,   kC0Z0, 0x8000'0000, kC0Z0),
    One("REV $F0",                             REV,   OnD(kRegD), 0xF0,      kJunk,   kC0Z0, 0x0F00'0000, kC0Z0),
    One("SPLITB nibble to byte bits",          SPLITB, OnD(kRegD), 0xF,      kJunk,   kC0Z0, 0x0101'0101, kC0Z0),
    One("SPLITB bits 0 and 4 to byte 0",       SPLITB, OnD(kRegD), 0x11,     kJunk,   kC0Z0, 0x0000'0003, kC0Z0),
    One("MERGEB undoes SPLITB",                MERGEB, OnD(kRegD), 0x0101'0101, kJunk, kC0Z0, 0xF,        kC0Z0),
    One("SPLITW odd bits to the upper word",   SPLITW, OnD(kRegD), 3,        kJunk,   kC0Z0, 0x0001'0001, kC0Z0),
    One("MERGEW undoes SPLITW",                MERGEW, OnD(kRegD), 0x0001'0001, kJunk, kC0Z0, 3,          kC0Z0),
    One("RGBSQZ red",                          RGBSQZ, OnD(kRegD), 0xFF00'0000, kJunk, kC0Z0, 0xF800,     kC0Z0),
    One("RGBSQZ green",                        RGBSQZ, OnD(kRegD), 0x00FF'0000, kJunk, kC0Z0, 0x07E0,     kC0Z0),
    One("RGBSQZ blue",                         RGBSQZ, OnD(kRegD), 0x0000'FF00, kJunk, kC0Z0, 0x001F,     kC0Z0),
    One("RGBEXP red",                          RGBEXP, OnD(kRegD), 0xF800,   kJunk,   kC0Z0, 0xFF00'0000, kC0Z0),
    One("RGBEXP green",                        RGBEXP, OnD(kRegD), 0x07E0,   kJunk,   kC0Z0, 0x00FF'0000, kC0Z0),
    One("RGBEXP blue",                         RGBEXP, OnD(kRegD), 0x001F,   kJunk,   kC0Z0, 0x0000'FF00, kC0Z0),
    One("SETD replaces D[17:9]",               SETD,  kRegs, 0xFFFF'FFFF, 0,          kC0Z0, 0xFFFC'01FF, kC0Z0),
    One("SETS replaces D[8:0]",                SETS,  kRegs, 0,           0x01FF'FFFF, kC0Z0, 0x1FF,      kC0Z0),
    One("SETR replaces D[27:19]",              SETR,  kRegs, 0,           0x1FF,      kC0Z0, 0x0FF8'0000, kC0Z0),
  };
}

inline std::vector<CInstructionCase> BitCases() {
  using namespace Pattern;
  return {
    One("TESTB WC reads the bit into C",       TESTB_W,    Imm(31, 1, 0), 0x8000'0000, kJunk, kC0Z1, 0x8000'0000, kC1Z1),
    One("TESTB WZ reads the bit into Z",       TESTB_W,    Imm(30, 0, 1), 0x8000'0000, kJunk, kC1Z1, 0x8000'0000, kC1Z0),
    One("TESTBN WC reads the inverted bit",    TESTBN_W,   Imm(0, 1, 0),  1,           kJunk, kC1Z0, 1,           kC0Z0),
    One("TESTB ANDC",                          TESTB_AND,  Imm(5, 1, 0),  0,           kJunk, kC1Z1, 0,           kC0Z1),
    One("TESTBN ANDZ",                         TESTBN_AND, Imm(5, 0, 1),  0x20,        kJunk, kC0Z1, 0x20,        kC0Z0),
    One("TESTB ORC",                           TESTB_OR,   Imm(5, 1, 0),  0x20,        kJunk, kC0Z0, 0x20,        kC1Z0),
    One("TESTBN ORZ",                          TESTBN_OR,  Imm(5, 0, 1),  0,           kJunk, kC0Z0, 0,           kC0Z1),
    One("TESTB XORC",                          TESTB_XOR,  Imm(5, 1, 0),  0x20,        kJunk, kC1Z0, 0x20,        kC0Z0),
    One("TESTBN XORZ",                         TESTBN_XOR, Imm(5, 0, 1),  0,           kJunk, kC0Z1, 0,           kC0Z0),
    One("BITL WCZ: C and Z get the old bit",   BITL,   Imm(5),       0xFF,        kJunk, kC0Z0, 0xDF,        kC1Z1),
    One("BITH of bits 4..7 (S[9:5] = 3)",      BITH,   Imm(0x64, 0, 0), 0,        kJunk, kC0Z1, 0xF0,        kC0Z1),
    One("BITC with C = 1",                     BITC,   Imm(3, 0, 0), 0,           kJunk, kC1Z0, 8,           kC1Z0),
    One("BITNC with C = 1",                    BITNC,  Imm(0, 0, 0), 0xFF,        kJunk, kC1Z0, 0xFE,        kC1Z0),
    One("BITZ with Z = 1",                     BITZ,   Imm(31, 0, 0), 0,          kJunk, kC0Z1, 0x8000'0000, kC0Z1),
    One("BITNZ of bits 30..31 with Z = 1",     BITNZ,  Imm(0x3E, 0, 0), 0xFFFF'FFFF, kJunk, kC0Z1, 0x3FFF'FFFF, kC0Z1),
    One("BITNOT WCZ",                          BITNOT, Imm(0),       1,           kJunk, kC0Z0, 0,           kC1Z1),
    One("BITH of all 32 bits (S = $3E0)",      BITH,   kRegs,        0,           0x3E0, kC0Z0, 0xFFFF'FFFF, kC0Z0),
    Program("SETQ gives BITH the bit count",
            {Encode(SETQ, ImmD(7)), Encode(BITH, Imm(8, 0, 0))},
            {{kRegD, 0}}, kC0Z0, {{kRegD, 0x0000'FF00}}, kC0Z0, 4),
  };
}

inline std::vector<CInstructionCase> NibbleByteWordCases() {
  using namespace Pattern;
  return {
    One("SETNIB into nibble 7",                SETNIB,  WithN(7), 0,           0xA,         kC0Z0, 0xA000'0000, kC0Z0),
    One("SETNIB takes only S[3:0]",            SETNIB,  WithN(0), 0xFFFF'FFFF, 0x1234'5670, kC1Z1, 0xFFFF'FFF0, kC1Z1),
    One("GETNIB nibble 1",                     GETNIB,  WithN(1), 0xFFFF'FFFF, 0xB0,        kC0Z0, 0xB,         kC0Z0),
    One("ROLNIB nibble 1 into D",              ROLNIB,  WithN(1), 0x1234'5678, 0xC0,        kC0Z0, 0x2345'678C, kC0Z0),
    One("SETBYTE into byte 3",                 SETBYTE, WithN(3), 0xFFFF'FFFF, 0x12,        kC0Z0, 0x12FF'FFFF, kC0Z0),
    One("GETBYTE byte 2",                      GETBYTE, WithN(2), 0xFFFF'FFFF, 0x00AB'0000, kC0Z0, 0xAB,        kC0Z0),
    One("ROLBYTE byte 0 into D",               ROLBYTE, WithN(0), 0x1122'3344, 0x55,        kC0Z0, 0x2233'4455, kC0Z0),
    One("SETWORD into word 1",                 SETWORD, WithN(1), 0,           0x1234,      kC0Z0, 0x1234'0000, kC0Z0),
    One("GETWORD word 1",                      GETWORD, WithN(1), 0xFFFF'FFFF, 0xABCD'0000, kC0Z0, 0xABCD,      kC0Z0),
    One("ROLWORD word 0 into D",               ROLWORD, WithN(0), 0x1111'2222, 0x3333,      kC0Z0, 0x2222'3333, kC0Z0),
  };
}

inline std::vector<CInstructionCase> MultiplyCases() {
  using namespace Pattern;
  constexpr CEncodingFields kWz{.z = 1, .d = kRegD, .s = kRegS};
  return {
    One("MUL $FFFF * $FFFF",                   MUL,  kWz, 0xFFFF,      0xFFFF, kC1Z1, 0xFFFE'0001, kC1Z0),
    One("MUL uses D[15:0] and S[15:0]",        MUL,  kWz, 0x1'0002,    0x3'0003, kC0Z1, 6,         kC0Z0),
    One("MUL by zero sets Z",                  MUL,  kWz, 0,           5,      kC0Z0, 0,           kC0Z1),
    One("MULS -1 * 2",                         MULS, kWz, 0xFFFF,      2,      kC0Z1, 0xFFFF'FFFE, kC0Z0),
    One("MULS $8000 * $8000",                  MULS, kWz, 0x8000,      0x8000, kC0Z1, 0x4000'0000, kC0Z0),
    One("MULS $8000 * $7FFF",                  MULS, kWz, 0x8000,      0x7FFF, kC0Z1, 0xC000'8000, kC0Z0),
    // SCA/SCAS give their product to the next instruction's S instead of a register.
    Program("SCA: next S = (D * S) >> 16",
            {Encode(SCA, kWz), Encode(MOV, {.d = kRegT, .s = kRegU})},
            {{kRegD, 0x8000}, {kRegS, 0x8000}, {kRegU, kJunk}}, kC0Z1,
            {{kRegT, 0x4000}, {kRegD, 0x8000}}, kC0Z0, 4),
    Program("SCA of zero sets Z",
            {Encode(SCA, kWz), Encode(MOV, {.d = kRegT, .s = kRegU})},
            {{kRegD, 0}, {kRegS, 0x8000}, {kRegU, kJunk}}, kC0Z0,
            {{kRegT, 0}}, kC0Z1, 4),
    Program("SCAS: next S = signed (D * S) >> 14",
            {Encode(SCAS, kWz), Encode(MOV, {.d = kRegT, .s = kRegU})},
            {{kRegD, 0x4000}, {kRegS, 0xC000}, {kRegU, kJunk}}, kC0Z0,
            {{kRegT, 0xFFFF'C000}}, kC0Z0, 4),
  };
}

inline std::vector<CInstructionCase> FlagCases() {
  using namespace Pattern;
  return {
    One("RCZR rotates C, Z into D",            RCZR, OnD(kRegD, 1, 1), 3,           kJunk, kC0Z1, 0x4000'0000, kC1Z1),
    One("RCZL rotates C, Z into D",            RCZL, OnD(kRegD, 1, 1), 0xC000'0000, kJunk, kC1Z0, 0x0000'0002, kC1Z1),
    One("RCZR without WCZ keeps the flags",    RCZR, OnD(kRegD),       3,           kJunk, kC0Z1, 0x4000'0000, kC0Z1),
    One("WRC with C = 1",                      WRC,  OnD(kRegD),       5,           kJunk, kC1Z0, 1,           kC1Z0),
    One("WRNC with C = 1",                     WRNC, OnD(kRegD),       5,           kJunk, kC1Z0, 0,           kC1Z0),
    One("WRZ with Z = 1",                      WRZ,  OnD(kRegD),       5,           kJunk, kC0Z1, 1,           kC0Z1),
    One("WRNZ with Z = 1",                     WRNZ, OnD(kRegD),       5,           kJunk, kC0Z1, 0,           kC0Z1),
    One("MODCZ _SET, _CLR",                    MODCZ, {.c = 1, .z = 1, .cccc = 0b1111, .zzzz = 0b0000}, 5, kJunk, kC0Z1, 5, kC1Z0),
    One("MODCZ _C_NE_Z, _C_EQ_Z at C=0 Z=1",   MODCZ, {.c = 1, .z = 1, .cccc = 0b0110, .zzzz = 0b1001}, 5, kJunk, kC0Z1, 5, kC1Z0),
    One("MODC _NC with WC only keeps Z",       MODCZ, {.c = 1, .z = 0, .cccc = 0b0011, .zzzz = 0b1111}, 5, kJunk, kC1Z1, 5, kC0Z1),
    One("IF_NC skips with C = 1, 2 clocks",    ADD, {.e = 0b0011, .c = 1, .z = 1, .d = kRegD, .s = kRegS}, 1, 1, kC1Z0, 1, kC1Z0),
    One("IF_C runs with C = 1",                ADD, {.e = 0b1100, .c = 1, .z = 1, .d = kRegD, .s = kRegS}, 1, 1, kC1Z0, 2, kC0Z0),
    One("IF_C_NE_Z skips with C = Z",          ADD, {.e = 0b0110, .d = kRegD, .s = kRegS}, 1, 1, kC1Z1, 1, kC1Z1),
    One("IF_NC_AND_NZ runs with C = Z = 0",    ADD, {.e = 0b0001, .d = kRegD, .s = kRegS}, 1, 1, kC0Z0, 2, kC0Z0),
  };
}

inline std::vector<CInstructionCase> AltAugCases() {
  using namespace Pattern;
  const uint32_t addSeven = Encode(ADD, {.i = 1, .d = kRegD, .s = 7});
  return {
    Program("ALTD sets the next D field",
            {Encode(ALTD, {.i = 1, .d = kRegT, .s = 0}), Encode(MOV, {.i = 1, .d = 0, .s = 5})},
            {{kRegT, kRegU}}, kC0Z0, {{kRegU, 5}, {kRegT, kRegU}}, kC0Z0, 4),
    Program("ALTD with register S adds S[17:9] to D",
            {Encode(ALTD, {.d = kRegT, .s = kRegS}), Encode(MOV, {.i = 1, .d = 0, .s = 5})},
            {{kRegT, kRegU}, {kRegS, 0x200}}, kC0Z0, {{kRegU, 5}, {kRegT, kRegU + 1}}, kC0Z0, 4),
    // ALTD changes the D field whatever it means to the next instruction: here the #D of
    // SETQ, so Q = T - 1 (FlexSpin saves registers this way).
    Program("ALTD feeds an immediate D",
            {Encode(ALTD, {.i = 1, .d = kRegT, .s = 0x1FF}), Encode(SETQ, ImmD(0)),
             Encode(MUXQ, kRegs)},
            {{kRegT, 5}, {kRegD, 0}, {kRegS, 0xFFFF'FFFF}}, kC0Z0, {{kRegD, 4}, {kRegT, 5}},
            kC0Z0, 6),
    Program("ALTS sets the next S field to D + S",
            {Encode(ALTS, {.i = 1, .d = kRegT, .s = 1}), Encode(MOV, {.d = kRegD, .s = 0})},
            {{kRegT, kRegD}, {kRegS, 0xCAFE}}, kC0Z0, {{kRegD, 0xCAFE}}, kC0Z0, 4),
    Program("ALTR sends the result elsewhere",
            {Encode(ALTR, {.i = 1, .d = kRegT, .s = 0}), Encode(ADD, kRegs)},
            {{kRegT, kRegU}, {kRegD, 5}, {kRegS, 3}}, kC0Z0, {{kRegU, 8}, {kRegD, 5}}, kC0Z0, 4),
    Program("ALTB picks the long of a bit index",
            {Encode(ALTB, {.i = 1, .d = kRegT, .s = kRegD}), Encode(BITH, {.i = 1, .d = 0, .s = 3})},
            {{kRegT, 0x20}, {kRegS, 0}}, kC0Z0, {{kRegS, 8}}, kC0Z0, 4),
    Program("ALTSN and SETNIB",
            {Encode(ALTSN, {.i = 1, .d = kRegT, .s = kRegD}), Encode(SETNIB_ALT, {.i = 1, .s = 0xA})},
            {{kRegT, 5}, {kRegD, 0}}, kC0Z0, {{kRegD, 0x00A0'0000}}, kC0Z0, 4),
    Program("ALTGN and ROLNIB",
            {Encode(ALTGN, {.i = 1, .d = kRegT, .s = kRegS}), Encode(ROLNIB_ALT, {.d = kRegD})},
            {{kRegT, 2}, {kRegS, 0x0F00}, {kRegD, 1}}, kC0Z0, {{kRegD, 0x1F}}, kC0Z0, 4),
    Program("ALTGB and GETBYTE",
            {Encode(ALTGB, {.i = 1, .d = kRegT, .s = kRegS}), Encode(GETBYTE_ALT, {.d = kRegD})},
            {{kRegT, 3}, {kRegS, 0xAB00'0000}, {kRegD, kJunk}}, kC0Z0, {{kRegD, 0xAB}}, kC0Z0, 4),
    Program("ALTGW and GETWORD",
            {Encode(ALTGW, {.i = 1, .d = kRegT, .s = kRegS}), Encode(GETWORD_ALT, {.d = kRegD})},
            {{kRegT, 1}, {kRegS, 0x1234'0000}, {kRegD, kJunk}}, kC0Z0, {{kRegD, 0x1234}}, kC0Z0, 4),
    Program("ALTI runs D in place of the next instruction",
            {Encode(ALTI_EXEC, {.d = kRegT}), Encode(MOV, {.d = kRegU, .s = kRegS})},
            {{kRegT, addSeven}, {kRegD, 1}, {kRegS, kJunk}, {kRegU, 0}}, kC0Z0,
            {{kRegD, 8}, {kRegU, 0}, {kRegT, addSeven}}, kC0Z0, 4),
    Program("AUGS extends the next #S to 32 bits",
            {Encode(AUGS, {.aug = 0x091A2B}), Encode(MOV, {.i = 1, .d = kRegD, .s = 0x078})},
            {}, kC0Z0, {{kRegD, 0x1234'5678}}, kC0Z0, 4),
    Program("AUGS waits over an instruction without #S",
            {Encode(AUGS, {.aug = 0x091A2B}), Encode(MOV, {.d = kRegT, .s = kRegU}),
             Encode(MOV, {.i = 1, .d = kRegD, .s = 0x078})},
            {{kRegU, 9}}, kC0Z0, {{kRegD, 0x1234'5678}, {kRegT, 9}}, kC0Z0, 6),
    Program("AUGD extends the next #D",
            {Encode(AUGD, {.aug = 0x43B2A1}), Encode(SETQ, ImmD(0x121)), Encode(MUXQ, kRegs)},
            {{kRegD, 0}, {kRegS, 0xFFFF'FFFF}}, kC0Z0, {{kRegD, 0x8765'4321}}, kC0Z0, 6),
    Program("MUXQ after SETQ",
            {Encode(SETQ, {.d = kRegT}), Encode(MUXQ, kRegs)},
            {{kRegT, 0xFFFF}, {kRegD, 0x1234'5678}, {kRegS, 0xAAAA'BBBB}}, kC0Z0,
            {{kRegD, 0x1234'BBBB}}, kC0Z0, 4),
  };
}

inline std::vector<CInstructionCase> SkipCases() {
  using namespace Pattern;
  auto addToD = [](uint32_t value) { return Encode(ADD, {.i = 1, .d = kRegD, .s = value}); };
  return {
    // A skipped instruction under SKIP is cancelled and still takes its 2 clocks.
    Program("SKIP %0101 cancels the first and third",
            {Encode(SKIP, ImmD(0b0101)), addToD(1), addToD(2), addToD(4), addToD(8)},
            {{kRegD, 0}}, kC0Z0, {{kRegD, 10}}, kC0Z0, 10),
    // SKIPF leaps over skipped instructions in cog exec, so they take no time. The row leaves
    // the instruction right after SKIPF and the last one unskipped: the documents do not say
    // plainly whether the one right after SKIPF, already fetched, is leapt over or cancelled.
    Program("SKIPF %0110 leaps over the second and third",
            {Encode(SKIPF, ImmD(0b0110)), addToD(1), addToD(2), addToD(4), addToD(8)},
            {{kRegD, 0}}, kC0Z0, {{kRegD, 9}}, kC0Z0, 6),
    // A cancelled instruction takes the ALTx prefix before it, as one whose condition fails.
    Program("SKIP: a cancelled instruction uses up the ALTD before it",
            {Encode(SKIP, ImmD(0b010)), Encode(ALTD, {.i = 1, .d = kRegT, .s = 0}),
             addToD(1), addToD(2)},
            {{kRegT, kRegU}, {kRegD, 0}, {kRegU, 0}}, kC0Z0, {{kRegD, 2}, {kRegU, 0}}, kC0Z0, 8),
    Program("EXECF jumps to D[9:0] with the pattern D[31:10]",
            {Encode(EXECF, {.d = kRegT}), addToD(1), addToD(2), addToD(4)},
            {{kRegT, (0b010u << 10) | 1}, {kRegD, 0}}, kC0Z0, {{kRegD, 5}}, kC0Z0, 8),
  };
}

inline std::vector<CInstructionCase> BranchCases() {
  using namespace Pattern;
  auto addTo = [](uint32_t reg, uint32_t value) {
    return Encode(ADD, {.i = 1, .d = reg, .s = value});
  };
  return {
    Program("REP #2, #3 repeats two instructions three times",
            {Encode(REP, {.i = 1, .l = 1, .d = 2, .s = 3}), addTo(kRegD, 1), addTo(kRegT, 1)},
            {{kRegD, 0}, {kRegT, 0}}, kC0Z0, {{kRegD, 3}, {kRegT, 3}}, kC0Z0, 14),
    // #S of a cog-exec branch is relative to the instruction after the branch.
    Program("DJNZ loops until zero: 4 clocks taken, 2 not taken",
            {addTo(kRegT, 1), Encode(DJNZ, {.i = 1, .d = kRegD, .s = 0x1FE})},
            {{kRegD, 3}, {kRegT, 0}}, kC0Z0, {{kRegD, 0}, {kRegT, 3}}, kC0Z0, 16),
    Program("TJZ not taken",
            {Encode(TJZ, {.i = 1, .d = kRegD, .s = 1}), addTo(kRegT, 1)},
            {{kRegD, 1}, {kRegT, 0}}, kC0Z0, {{kRegT, 1}}, kC0Z0, 4),
    Program("TJZ taken jumps over the next",
            {Encode(TJZ, {.i = 1, .d = kRegD, .s = 1}), addTo(kRegT, 1)},
            {{kRegD, 0}, {kRegT, 0}}, kC0Z0, {{kRegT, 0}}, kC0Z0, 4),
    Program("TJNZ taken",
            {Encode(TJNZ, {.i = 1, .d = kRegD, .s = 1}), addTo(kRegT, 1)},
            {{kRegD, 7}, {kRegT, 0}}, kC0Z0, {{kRegT, 0}}, kC0Z0, 4),
    Program("JMP #\\A absolute",
            {Encode(JMP_A, Address(2)), addTo(kRegD, 1), addTo(kRegT, 1)},
            {{kRegD, 0}, {kRegT, 0}}, kC0Z0, {{kRegD, 0}, {kRegT, 1}}, kC0Z0, 6),
    // The 20-bit relative A counts bytes, also in cog exec (one instruction is 4), from the
    // instruction after the jump; the table's "PC += A" leaves the unit open, FlexSpin's
    // assembler encodes a jump over one cog instruction as A = 4.
    // ##S gives the short branches a 20-bit signed offset, in instructions.
    Program("TJZ ##+300 jumps past the reach of a 9-bit offset",
            [&] {
              std::vector<uint32_t> code(303, 0);
              code[0] = Encode(AUGS, {.aug = 300 >> 9});
              code[1] = Encode(TJZ, {.i = 1, .d = kRegD, .s = 300 & 0x1FF});
              code[302] = addTo(kRegT, 1);
              return code;
            }(),
            {{kRegD, 0}, {kRegT, 0}}, kC0Z0, {{kRegT, 1}}, kC0Z0, 8),
    Program("JMP #A relative",
            {Encode(JMP_A, Address(4, 1)), addTo(kRegD, 1), addTo(kRegT, 1)},
            {{kRegD, 0}, {kRegT, 0}}, kC0Z0, {{kRegD, 0}, {kRegT, 1}}, kC0Z0, 6),
    Program("CALL and RET",
            {Encode(CALL_A, Address(3)), addTo(kRegD, 1), Encode(JMP_A, Address(4)),
             Encode(RET, {})},
            {{kRegD, 0}}, kC0Z0, {{kRegD, 1}}, kC0Z0, 14),
    Program("_RET_ returns after its instruction, 2 clocks more",
            {Encode(CALL_A, Address(2)), Encode(JMP_A, Address(3)),
             Encode(ADD, {.e = 0, .i = 1, .d = kRegD, .s = 1})},
            {{kRegD, 0}}, kC0Z0, {{kRegD, 1}}, kC0Z0, 12),
    Program("RET WCZ restores the flags saved by CALL",
            {Encode(CALL_A, Address(3)), Encode(JMP_A, Address(5)), 0,
             Encode(MODCZ, {.c = 1, .z = 1}), Encode(RET, {.c = 1, .z = 1})},
            {}, kC1Z1, {}, kC1Z1, 14),
    Program("PUSH and POP WCZ",
            {Encode(PUSH, ImmD(5)), Encode(POP, OnD(kRegD, 1, 1))},
            {{kRegD, 0}}, kC1Z1, {{kRegD, 5}}, kC0Z0, 4),
    Program("LOC PA, #\\A",
            {Encode(LOC, {.a = 0x123})}, {}, kC0Z0, {{kRegPA, 0x123}}, kC0Z0, 2),
    Program("WAITX #10 takes 2 + 10 clocks",
            {Encode(WAITX, ImmD(10))}, {}, kC1Z1, {}, kC1Z1, 12),
    Program("WRLUT then RDLUT WCZ (3 clocks)",
            {Encode(WRLUT, {.i = 1, .d = kRegD, .s = 5}),
             Encode(RDLUT, {.c = 1, .z = 1, .i = 1, .d = kRegT, .s = 5})},
            {{kRegD, 0x8000'0000}, {kRegT, 0}}, kC0Z1, {{kRegT, 0x8000'0000}}, kC1Z0, 5),
    Program("DRVH sets DIR and OUT",
            {Encode(DRVH, ImmD(1))}, {}, kC0Z0, {{kRegDIRA, 2}, {kRegOUTA, 2}}, kC0Z0, 2),
    // SETSE pin level events: %10x_PPPPPP is "pin is low", %11x_PPPPPP is "pin is high".
    Program("SETSE1 %100: pin 1 is low",
            {Encode(DRVL, ImmD(1)), Encode(SETSE1, ImmD(0b100'000001)), Encode(POLLSE1, {.c = 1})},
            {}, kC0Z0, {}, kC1Z0, 6),
    Program("SETSE1 %101: pin 1 is low, but it is high",
            {Encode(DRVH, ImmD(1)), Encode(SETSE1, ImmD(0b101'000001)), Encode(POLLSE1, {.c = 1})},
            {}, kC1Z0, {{kRegOUTA, 2}}, kC0Z0, 6),
    Program("SETSE1 %110: pin 1 is high",
            {Encode(DRVH, ImmD(1)), Encode(SETSE1, ImmD(0b110'000001)), Encode(POLLSE1, {.c = 1})},
            {}, kC0Z0, {{kRegOUTA, 2}}, kC1Z0, 6),
    Program("SETSE1 %111: pin 1 is high, but it is low",
            {Encode(DRVL, ImmD(1)), Encode(SETSE1, ImmD(0b111'000001)), Encode(POLLSE1, {.c = 1})},
            {}, kC1Z0, {}, kC0Z0, 6),
  };
}

// CORDIC commands wait for the hub window, so these rows check results but not clocks.
inline std::vector<CInstructionCase> CordicCases() {
  using namespace Pattern;
  auto getX = Encode(GETQX, OnD(kRegT));
  auto getY = Encode(GETQY, OnD(kRegU));
  return {
    Program("QMUL $FFFF_FFFF * $FFFF_FFFF",
            {Encode(QMUL, kRegs), getX, getY},
            {{kRegD, 0xFFFF'FFFF}, {kRegS, 0xFFFF'FFFF}}, kC0Z0,
            {{kRegT, 1}, {kRegU, 0xFFFF'FFFE}}, kC0Z0, 0),
    Program("QDIV {1, 0} / 2 with SETQ",
            {Encode(SETQ, ImmD(1)), Encode(QDIV, kRegs), getX, getY},
            {{kRegD, 0}, {kRegS, 2}}, kC0Z0, {{kRegT, 0x8000'0000}, {kRegU, 0}}, kC0Z0, 0),
    Program("QDIV by zero: X = !Q, Y = D",
            {Encode(SETQ, ImmD(1)), Encode(QDIV, kRegs), getX, getY},
            {{kRegD, 1234}, {kRegS, 0}}, kC0Z0, {{kRegT, 0xFFFF'FFFE}, {kRegU, 1234}}, kC0Z0, 0),
    Program("QFRAC 1 / 3",
            {Encode(QFRAC, kRegs), getX, getY},
            {{kRegD, 1}, {kRegS, 3}}, kC0Z0, {{kRegT, 0x5555'5555}, {kRegU, 1}}, kC0Z0, 0),
    // Two commands in a row, as FlexSpin's 64-bit multiply does: GETQX and GETQY of the first
    // read the same result, the next GETQX waits for the second.
    Program("QMUL, GETQX, GETQY, then a second QMUL",
            {Encode(QMUL, kRegs), getX, getY, Encode(QMUL, {.d = kRegS, .s = kRegS}),
             Encode(GETQX, OnD(kRegD))},
            {{kRegD, 0x1'0001}, {kRegS, 0x1'0000}}, kC0Z0,
            {{kRegT, 0x0001'0000}, {kRegU, 1}, {kRegD, 0}}, kC0Z0, 0),
    Program("QSQRT of 2^32",
            {Encode(QSQRT, kRegs), getX},
            {{kRegD, 0}, {kRegS, 1}}, kC0Z0, {{kRegT, 0x1'0000}}, kC0Z0, 0),
  };
}

// PTRx expressions of hub reads and writes, %1SUPNNNNN: an update index of %00000 means 16.
// Hub accesses wait for the hub window, so these rows check results but not clocks.
inline std::vector<CInstructionCase> PointerCases() {
  using namespace Pattern;
  constexpr uint32_t kRegPTRA = 0x1F8;
  auto store = [](uint32_t s) { return Encode(WRLONG, {.i = 1, .d = kRegD, .s = s}); };
  auto load = [](uint32_t address) { return Encode(RDLONG, {.i = 1, .d = kRegT, .s = address}); };
  return {
    Program("WRLONG PTRA++ steps one long",
            {store(0b1'0'1'1'00001), load(0x80)},
            {{kRegPTRA, 0x80}, {kRegD, 0x1234}}, kC0Z0, {{kRegPTRA, 0x84}, {kRegT, 0x1234}}, kC0Z0, 0),
    Program("WRLONG PTRA--[16] steps back sixteen longs",
            {store(0b1'0'1'1'10000), load(0xC0)},
            {{kRegPTRA, 0xC0}, {kRegD, 0x1234}}, kC0Z0, {{kRegPTRA, 0x80}, {kRegT, 0x1234}}, kC0Z0, 0),
    Program("WRLONG PTRA++[%00000] steps sixteen longs",
            {store(0b1'0'1'1'00000), load(0x80)},
            {{kRegPTRA, 0x80}, {kRegD, 0x1234}}, kC0Z0, {{kRegPTRA, 0xC0}, {kRegT, 0x1234}}, kC0Z0, 0),
    Program("WRLONG ++PTRA[%00000] writes sixteen longs on",
            {store(0b1'0'1'0'00000), load(0xC0)},
            {{kRegPTRA, 0x80}, {kRegD, 0x1234}}, kC0Z0, {{kRegPTRA, 0xC0}, {kRegT, 0x1234}}, kC0Z0, 0),
    Program("WRLONG PTRA[0] leaves PTRA",
            {store(0b1'0'0'000000), load(0x80)},
            {{kRegPTRA, 0x80}, {kRegD, 0x1234}}, kC0Z0, {{kRegPTRA, 0x80}, {kRegT, 0x1234}}, kC0Z0, 0),
  };
}
// clang-format on

inline const std::vector<CInstructionCase>& InstructionCases() {
  static const std::vector<CInstructionCase> cases = [] {
    std::vector<CInstructionCase> all;
    for (auto group :
         {ShiftCases, AddSubtractCases, CompareCases, LogicCases, BitCases, NibbleByteWordCases,
          MultiplyCases, FlagCases, AltAugCases, SkipCases, BranchCases, CordicCases, PointerCases})
      for (CInstructionCase& row : group()) all.push_back(std::move(row));
    return all;
  }();
  return cases;
}
