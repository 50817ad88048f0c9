#pragma once

#include <cstdint>
#include <string>

// The P2 instruction set as one decode table. An instruction word decodes to an EOp with two
// table look-ups: bits [27:19] (opcode, C, Z) and, for the %1101011 group, the S field.
// Families whose members differ only in a field the handler reads anyway (the event jumps,
// the pin operations, the POLLxxx/WAITxxx group) share one EOp.

// clang-format off
#define KYV_SIM_OPS(X) \
  X(ROR) X(ROL) X(SHR) X(SHL) X(RCR) X(RCL) X(SAR) X(SAL) X(ADD) X(ADDX) X(ADDS) X(ADDSX) \
  X(SUB) X(SUBX) X(SUBS) X(SUBSX) X(CMP) X(CMPX) X(CMPS) X(CMPSX) X(CMPR) X(CMPM) X(SUBR) \
  X(CMPSUB) X(FGE) X(FLE) X(FGES) X(FLES) X(SUMC) X(SUMNC) X(SUMZ) X(SUMNZ) X(TESTB) X(TESTBN) \
  X(BITL) X(BITH) X(BITC) X(BITNC) X(BITZ) X(BITNZ) X(BITRND) X(BITNOT) X(AND) X(ANDN) X(OR) \
  X(XOR) X(MUXC) X(MUXNC) X(MUXZ) X(MUXNZ) X(MOV) X(NOT) X(ABS) X(NEG) X(NEGC) X(NEGNC) X(NEGZ) \
  X(NEGNZ) X(INCMOD) X(DECMOD) X(ZEROX) X(SIGNX) X(ENCOD) X(ONES) X(TEST) X(TESTN) X(SETNIB) \
  X(GETNIB) X(ROLNIB) X(SETBYTE) X(GETBYTE) X(ROLBYTE) X(SETWORD) X(GETWORD) X(ROLWORD) \
  X(ALTSN) X(ALTGN) X(ALTSB) X(ALTGB) X(ALTSW) X(ALTGW) X(ALTR) X(ALTD) X(ALTS) X(ALTB) X(ALTI) \
  X(SETR) X(SETD) X(SETS) X(DECOD) X(BMASK) X(CRCBIT) X(CRCNIB) X(MUXNITS) X(MUXNIBS) X(MUXQ) \
  X(MOVBYTS) X(MUL) X(MULS) X(SCA) X(SCAS) X(ADDPIX) X(MULPIX) X(BLNPIX) X(MIXPIX) X(ADDCT1) \
  X(ADDCT2) X(ADDCT3) X(WMLONG) X(RQPIN) X(RDPIN) X(RDLUT) X(RDBYTE) X(RDWORD) X(RDLONG) \
  X(CALLD) X(CALLPA) X(CALLPB) X(DJZ) X(DJNZ) X(DJF) X(DJNF) X(IJZ) X(IJNZ) X(TJZ) X(TJNZ) \
  X(TJF) X(TJNF) X(TJS) X(TJNS) X(TJV) X(JEVENT) X(SETPAT) X(WRPIN) X(WXPIN) X(WYPIN) X(WRLUT) \
  X(WRBYTE) X(WRWORD) X(WRLONG) X(RDFAST) X(WRFAST) X(FBLOCK) X(XINIT) X(XZERO) X(XCONT) X(REP) \
  X(COGINIT) X(QMUL) X(QDIV) X(QFRAC) X(QSQRT) X(QROTATE) X(QVECTOR) X(HUBSET) X(COGID) \
  X(COGSTOP) X(LOCKNEW) X(LOCKRET) X(LOCKTRY) X(LOCKREL) X(QLOG) X(QEXP) X(RFBYTE) X(RFWORD) \
  X(RFLONG) X(RFVAR) X(RFVARS) X(WFBYTE) X(WFWORD) X(WFLONG) X(GETQX) X(GETQY) X(GETCT) \
  X(GETRND) X(SETDACS) X(SETXFRQ) X(GETXACC) X(WAITX) X(SETSE1) X(SETSE2) X(SETSE3) X(SETSE4) \
  X(EVENTOP) X(SETINT1) X(SETINT2) X(SETINT3) X(SETQ) X(SETQ2) X(PUSH) X(POP) X(JMPD) X(CALLDR) \
  X(CALLAD) X(CALLBD) X(JMPREL) X(SKIP) X(SKIPF) X(EXECF) X(GETPTR) X(GETBRK) X(BRK) X(SETLUTS) \
  X(SETCY) X(SETCI) X(SETCQ) X(SETCFRQ) X(SETCMOD) X(SETPIV) X(SETPIX) X(COGATN) X(PINOP) \
  X(SPLITB) X(MERGEB) X(SPLITW) X(MERGEW) X(SEUSSF) X(SEUSSR) X(RGBSQZ) X(RGBEXP) X(XORO32) \
  X(REV) X(RCZR) X(RCZL) X(WRC) X(WRNC) X(WRZ) X(WRNZ) X(SETSCP) X(GETSCP) X(JMPA) X(CALLA_A) \
  X(CALLAA) X(CALLBA) X(CALLDA) X(LOC) X(AUGS) X(AUGD) X(NOP) X(ILLEGAL) X(GROUPD)
// clang-format on

enum class EOp : uint8_t {
#define KYV_SIM_ENUM(name) name,
  KYV_SIM_OPS(KYV_SIM_ENUM)
#undef KYV_SIM_ENUM
};

namespace InstructionSet {

struct CDecodeTables {
  EOp m_aPrimary[512];  // by bits [27:19]
  EOp m_aGroupD[512];   // the %1101011 group, by the S field
};
extern const CDecodeTables kTables;

// The operation of an instruction word.
inline EOp Decode(uint32_t instruction) {
  const CDecodeTables& tables = kTables;
  if (instruction == 0) return EOp::NOP;
  const EOp op = tables.m_aPrimary[(instruction >> 19) & 0x1FF];
  return op == EOp::GROUPD ? tables.m_aGroupD[instruction & 0x1FF] : op;
}

// The mnemonic of an instruction word as the instruction table names it, for messages and
// traces (e.g. "QLOG", "RET", "DRVH", "POLLINT").
std::string Mnemonic(uint32_t instruction);

}  // namespace InstructionSet
