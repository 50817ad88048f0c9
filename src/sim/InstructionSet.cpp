#include "sim/InstructionSet.h"

#include <array>
#include <string_view>

namespace InstructionSet {

namespace {

constexpr std::string_view kNames[] = {
#define KYV_SIM_NAME(name) #name,
    KYV_SIM_OPS(KYV_SIM_NAME)
#undef KYV_SIM_NAME
};

// Sets the four C/Z variants of a 7-bit opcode.
void SetAll(CDecodeTables& t, uint32_t opcode, EOp op) {
  for (uint32_t cz = 0; cz < 4; ++cz) t.m_aPrimary[(opcode << 2) | cz] = op;
}
// Sets the two variants of a 7-bit opcode that share bit C (bit 20).
void SetByC(CDecodeTables& t, uint32_t opcode, EOp whenC0, EOp whenC1) {
  for (uint32_t z = 0; z < 2; ++z) {
    t.m_aPrimary[(opcode << 2) | z] = whenC0;
    t.m_aPrimary[(opcode << 2) | 2 | z] = whenC1;
  }
}
// Sets the two variants that share bit Z (bit 19).
void SetByZ(CDecodeTables& t, uint32_t opcode, EOp whenZ0, EOp whenZ1) {
  for (uint32_t c = 0; c < 2; ++c) {
    t.m_aPrimary[(opcode << 2) | (c << 1)] = whenZ0;
    t.m_aPrimary[(opcode << 2) | (c << 1) | 1] = whenZ1;
  }
}
void SetByCZ(CDecodeTables& t, uint32_t opcode, EOp cz00, EOp cz01, EOp cz10, EOp cz11) {
  t.m_aPrimary[(opcode << 2) | 0] = cz00;
  t.m_aPrimary[(opcode << 2) | 1] = cz01;
  t.m_aPrimary[(opcode << 2) | 2] = cz10;
  t.m_aPrimary[(opcode << 2) | 3] = cz11;
}

CDecodeTables Build() {
  CDecodeTables t{};
  for (auto& op : t.m_aPrimary) op = EOp::ILLEGAL;
  for (auto& op : t.m_aGroupD) op = EOp::ILLEGAL;

  // %0000000..%0111111: two-operand math and logic, opcode order as in the table.
  constexpr EOp kMath[] = {
      EOp::ROR, EOp::ROL,  EOp::SHR,  EOp::SHL,   EOp::RCR,  EOp::RCL,   EOp::SAR,  EOp::SAL,
      EOp::ADD, EOp::ADDX, EOp::ADDS, EOp::ADDSX, EOp::SUB,  EOp::SUBX,  EOp::SUBS, EOp::SUBSX,
      EOp::CMP, EOp::CMPX, EOp::CMPS, EOp::CMPSX, EOp::CMPR, EOp::CMPM,  EOp::SUBR, EOp::CMPSUB,
      EOp::FGE, EOp::FLE,  EOp::FGES, EOp::FLES,  EOp::SUMC, EOp::SUMNC, EOp::SUMZ, EOp::SUMNZ};
  for (uint32_t k = 0; k < 32; ++k) SetAll(t, k, kMath[k]);
  // %0100xxx: TESTB/TESTBN with exactly one of WC/WZ; BITx without flags or with WCZ.
  constexpr EOp kBits[] = {EOp::BITL, EOp::BITH,  EOp::BITC,   EOp::BITNC,
                           EOp::BITZ, EOp::BITNZ, EOp::BITRND, EOp::BITNOT};
  for (uint32_t k = 0; k < 8; ++k) {
    const EOp test = (k & 1) ? EOp::TESTBN : EOp::TESTB;
    SetByCZ(t, 0x20 | k, kBits[k], test, test, kBits[k]);
  }
  constexpr EOp kLogic[] = {EOp::AND,   EOp::ANDN,   EOp::OR,     EOp::XOR,   EOp::MUXC,
                            EOp::MUXNC, EOp::MUXZ,   EOp::MUXNZ,  EOp::MOV,   EOp::NOT,
                            EOp::ABS,   EOp::NEG,    EOp::NEGC,   EOp::NEGNC, EOp::NEGZ,
                            EOp::NEGNZ, EOp::INCMOD, EOp::DECMOD, EOp::ZEROX, EOp::SIGNX,
                            EOp::ENCOD, EOp::ONES,   EOp::TEST,   EOp::TESTN};
  for (uint32_t k = 0; k < 24; ++k) SetAll(t, 0x28 + k, kLogic[k]);

  SetAll(t, 0x40, EOp::SETNIB);
  SetAll(t, 0x41, EOp::SETNIB);
  SetAll(t, 0x42, EOp::GETNIB);
  SetAll(t, 0x43, EOp::GETNIB);
  SetAll(t, 0x44, EOp::ROLNIB);
  SetAll(t, 0x45, EOp::ROLNIB);
  SetAll(t, 0x46, EOp::SETBYTE);
  SetAll(t, 0x47, EOp::GETBYTE);
  SetAll(t, 0x48, EOp::ROLBYTE);
  SetByC(t, 0x49, EOp::SETWORD, EOp::GETWORD);
  SetByCZ(t, 0x4A, EOp::ROLWORD, EOp::ROLWORD, EOp::ALTSN, EOp::ALTGN);
  SetByCZ(t, 0x4B, EOp::ALTSB, EOp::ALTGB, EOp::ALTSW, EOp::ALTGW);
  SetByCZ(t, 0x4C, EOp::ALTR, EOp::ALTD, EOp::ALTS, EOp::ALTB);
  SetByCZ(t, 0x4D, EOp::ALTI, EOp::SETR, EOp::SETD, EOp::SETS);
  SetByCZ(t, 0x4E, EOp::DECOD, EOp::BMASK, EOp::CRCBIT, EOp::CRCNIB);
  SetByCZ(t, 0x4F, EOp::MUXNITS, EOp::MUXNIBS, EOp::MUXQ, EOp::MOVBYTS);
  SetByC(t, 0x50, EOp::MUL, EOp::MULS);
  SetByC(t, 0x51, EOp::SCA, EOp::SCAS);
  SetByCZ(t, 0x52, EOp::ADDPIX, EOp::MULPIX, EOp::BLNPIX, EOp::MIXPIX);
  SetByCZ(t, 0x53, EOp::ADDCT1, EOp::ADDCT2, EOp::ADDCT3, EOp::WMLONG);
  SetByZ(t, 0x54, EOp::RQPIN, EOp::RDPIN);
  SetAll(t, 0x55, EOp::RDLUT);
  SetAll(t, 0x56, EOp::RDBYTE);
  SetAll(t, 0x57, EOp::RDWORD);
  SetAll(t, 0x58, EOp::RDLONG);
  SetAll(t, 0x59, EOp::CALLD);
  SetByC(t, 0x5A, EOp::CALLPA, EOp::CALLPB);
  SetByCZ(t, 0x5B, EOp::DJZ, EOp::DJNZ, EOp::DJF, EOp::DJNF);
  SetByCZ(t, 0x5C, EOp::IJZ, EOp::IJNZ, EOp::TJZ, EOp::TJNZ);
  SetByCZ(t, 0x5D, EOp::TJF, EOp::TJNF, EOp::TJS, EOp::TJNS);
  SetByCZ(t, 0x5E, EOp::TJV, EOp::JEVENT, EOp::ILLEGAL, EOp::ILLEGAL);
  SetByCZ(t, 0x5F, EOp::ILLEGAL, EOp::ILLEGAL, EOp::SETPAT, EOp::SETPAT);
  SetByC(t, 0x60, EOp::WRPIN, EOp::WXPIN);
  SetByC(t, 0x61, EOp::WYPIN, EOp::WRLUT);
  SetByC(t, 0x62, EOp::WRBYTE, EOp::WRWORD);
  SetByC(t, 0x63, EOp::WRLONG, EOp::RDFAST);
  SetByC(t, 0x64, EOp::WRFAST, EOp::FBLOCK);
  SetByC(t, 0x65, EOp::XINIT, EOp::XZERO);
  SetByC(t, 0x66, EOp::XCONT, EOp::REP);
  SetAll(t, 0x67, EOp::COGINIT);
  SetByC(t, 0x68, EOp::QMUL, EOp::QDIV);
  SetByC(t, 0x69, EOp::QFRAC, EOp::QSQRT);
  SetByC(t, 0x6A, EOp::QROTATE, EOp::QVECTOR);
  SetAll(t, 0x6B, EOp::GROUPD);
  SetAll(t, 0x6C, EOp::JMPA);
  SetAll(t, 0x6D, EOp::CALLA_A);
  SetAll(t, 0x6E, EOp::CALLAA);
  SetAll(t, 0x6F, EOp::CALLBA);
  for (uint32_t k = 0; k < 4; ++k) {
    SetAll(t, 0x70 + k, EOp::CALLDA);
    SetAll(t, 0x74 + k, EOp::LOC);
    SetAll(t, 0x78 + k, EOp::AUGS);
    SetAll(t, 0x7C + k, EOp::AUGD);
  }

  // %1101011: the S field selects the operation.
  auto& g = t.m_aGroupD;
  constexpr EOp kGroupLow[] = {
      EOp::HUBSET,  EOp::COGID,   EOp::ILLEGAL, EOp::COGSTOP, EOp::LOCKNEW, EOp::LOCKRET,
      EOp::LOCKTRY, EOp::LOCKREL, EOp::ILLEGAL, EOp::ILLEGAL, EOp::ILLEGAL, EOp::ILLEGAL,
      EOp::ILLEGAL, EOp::ILLEGAL, EOp::QLOG,    EOp::QEXP,    EOp::RFBYTE,  EOp::RFWORD,
      EOp::RFLONG,  EOp::RFVAR,   EOp::RFVARS,  EOp::WFBYTE,  EOp::WFWORD,  EOp::WFLONG,
      EOp::GETQX,   EOp::GETQY,   EOp::GETCT,   EOp::GETRND,  EOp::SETDACS, EOp::SETXFRQ,
      EOp::GETXACC, EOp::WAITX,   EOp::SETSE1,  EOp::SETSE2,  EOp::SETSE3,  EOp::SETSE4,
      EOp::EVENTOP, EOp::SETINT1, EOp::SETINT2, EOp::SETINT3, EOp::SETQ,    EOp::SETQ2,
      EOp::PUSH,    EOp::POP,     EOp::JMPD,    EOp::CALLDR,  EOp::CALLAD,  EOp::CALLBD,
      EOp::JMPREL,  EOp::SKIP,    EOp::SKIPF,   EOp::EXECF,   EOp::GETPTR,  EOp::GETBRK,
      EOp::BRK,     EOp::SETLUTS, EOp::SETCY,   EOp::SETCI,   EOp::SETCQ,   EOp::SETCFRQ,
      EOp::SETCMOD, EOp::SETPIV,  EOp::SETPIX,  EOp::COGATN};
  for (uint32_t k = 0; k < std::size(kGroupLow); ++k) g[k] = kGroupLow[k];
  for (uint32_t k = 0x40; k < 0x60; ++k) g[k] = EOp::PINOP;
  constexpr EOp kGroupHigh[] = {EOp::SPLITB, EOp::MERGEB, EOp::SPLITW, EOp::MERGEW, EOp::SEUSSF,
                                EOp::SEUSSR, EOp::RGBSQZ, EOp::RGBEXP, EOp::XORO32, EOp::REV,
                                EOp::RCZR,   EOp::RCZL,   EOp::WRC,    EOp::WRNC,   EOp::WRZ,
                                EOp::WRNZ,   EOp::SETSCP, EOp::GETSCP};
  for (uint32_t k = 0; k < std::size(kGroupHigh); ++k) g[0x60 + k] = kGroupHigh[k];
  return t;
}

constexpr std::string_view kEventNames[] = {"INT", "CT1", "CT2", "CT3", "SE1", "SE2", "SE3", "SE4",
                                            "PAT", "FBW", "XMT", "XFI", "XRO", "XRL", "ATN", "QMT"};

}  // namespace

const CDecodeTables kTables = Build();

std::string Mnemonic(uint32_t instruction) {
  const EOp op = Decode(instruction);
  const uint32_t c = (instruction >> 20) & 1, z = (instruction >> 19) & 1,
                 i = (instruction >> 18) & 1;
  const uint32_t d = (instruction >> 9) & 0x1FF, s = instruction & 0x1FF;
  switch (op) {
    case EOp::CALLA_A:
      return "CALL";
    case EOp::JMPA:
    case EOp::JMPD:
      return "JMP";
    case EOp::CALLAA:
      return "CALLA";
    case EOp::CALLBA:
      return "CALLB";
    case EOp::CALLDA:
      return "CALLD";
    case EOp::CALLDR:
      return i ? "RET" : "CALL";
    case EOp::CALLAD:
      return i ? "RETA" : "CALLA";
    case EOp::CALLBD:
      return i ? "RETB" : "CALLB";
    case EOp::WRNZ:
      return i ? "MODCZ" : "WRNZ";
    case EOp::GETBRK:
      return (c || z) ? "GETBRK" : "COGBRK";
    case EOp::WRPIN:
      return (z && d == 1) ? "AKPIN" : "WRPIN";
    case EOp::JEVENT:
      return std::string((d & 0x10) ? "JN" : "J") + std::string(kEventNames[d & 15]);
    case EOp::EVENTOP: {
      if (d < 0x10) return "POLL" + std::string(kEventNames[d]);
      if (d < 0x20) return "WAIT" + std::string(kEventNames[d & 15]);
      constexpr std::string_view kInt[] = {"ALLOWI",  "STALLI",  "TRGINT1", "TRGINT2",
                                           "TRGINT3", "NIXINT1", "NIXINT2", "NIXINT3"};
      return std::string(d < 0x28 ? kInt[d - 0x20] : "EVENT");
    }
    case EOp::PINOP: {
      constexpr std::string_view kKinds[] = {"DIR", "OUT", "FLT", "DRV"};
      constexpr std::string_view kSuffix[] = {"L", "H", "C", "NC", "Z", "NZ", "RND", "NOT"};
      if ((s & 0x18) == 0 && c != z) {
        constexpr std::string_view kTest[] = {"TESTP", "TESTPN", "TESTP", "TESTPN",
                                              "TESTP", "TESTPN", "TESTP", "TESTPN"};
        return std::string(kTest[s & 7]);
      }
      return std::string(kKinds[(s >> 3) & 3]) + std::string(kSuffix[s & 7]);
    }
    default:
      return std::string(kNames[static_cast<int>(op)]);
  }
}

}  // namespace InstructionSet
