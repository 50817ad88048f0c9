// The effect and clock cycles of every instruction, one case per instruction or family.
#include <bit>

#include "sim/Chip.h"
#include "sim/Cog.h"
#include "sim/Cordic.h"

namespace {

inline bool Parity(uint32_t v) { return std::popcount(v) & 1; }

// The nibble, byte and word instructions: field n of `bits` bits (4, 8 or 16) in a long.
inline uint32_t FieldMask(uint32_t bits) { return (1u << bits) - 1; }
inline uint32_t GetField(uint32_t value, uint32_t n, uint32_t bits) {
  return (value >> (bits * n)) & FieldMask(bits);
}
inline uint32_t SetField(uint32_t d, uint32_t s, uint32_t n, uint32_t bits) {
  return (d & ~(FieldMask(bits) << (bits * n))) | ((s & FieldMask(bits)) << (bits * n));
}
inline uint32_t RolField(uint32_t d, uint32_t s, uint32_t n, uint32_t bits) {
  return (d << bits) | GetField(s, n, bits);
}
inline int32_t Signed(uint32_t v) { return static_cast<int32_t>(v); }
inline uint32_t Bit(uint32_t v, uint32_t n) { return (v >> (n & 31)) & 1; }

// A hub access that crosses a long boundary takes one more clock.
inline uint32_t CrossesLong(uint32_t address, uint32_t bytes) {
  return (address & 3) + bytes > 4 ? 1 : 0;
}

// C of a signed add/subtract: the sign of the true (33-bit) result.
inline bool SignOf(int64_t v) { return v < 0; }

// The value of a C/Z operation per the four-bit truth table used by MODCZ and conditions.
inline bool Truth(uint32_t table, bool c, bool z) {
  return (table >> ((c ? 2 : 0) | (z ? 1 : 0))) & 1;
}

uint32_t Reverse(uint32_t v) {
  uint32_t r = 0;
  for (int k = 0; k < 32; ++k, v >>= 1) r = (r << 1) | (v & 1);
  return r;
}

uint32_t SplitB(uint32_t d) {
  // Every 4th bit into bytes: byte k gets bits k, k+4, ..., k+28.
  uint32_t r = 0;
  for (uint32_t byte = 0; byte < 4; ++byte)
    for (uint32_t bit = 0; bit < 8; ++bit) r |= Bit(d, bit * 4 + byte) << (byte * 8 + bit);
  return r;
}
uint32_t MergeB(uint32_t d) {
  uint32_t r = 0;
  for (uint32_t byte = 0; byte < 4; ++byte)
    for (uint32_t bit = 0; bit < 8; ++bit) r |= Bit(d, byte * 8 + bit) << (bit * 4 + byte);
  return r;
}
uint32_t SplitW(uint32_t d) {
  uint32_t r = 0;
  for (uint32_t bit = 0; bit < 16; ++bit) {
    r |= Bit(d, bit * 2) << bit;
    r |= Bit(d, bit * 2 + 1) << (16 + bit);
  }
  return r;
}
uint32_t MergeW(uint32_t d) {
  uint32_t r = 0;
  for (uint32_t bit = 0; bit < 16; ++bit) {
    r |= Bit(d, bit) << (bit * 2);
    r |= Bit(d, 16 + bit) << (bit * 2 + 1);
  }
  return r;
}
uint32_t PixelMix(uint32_t d, uint32_t s, int kind, uint32_t v, uint32_t mode) {
  uint32_t r = 0;
  for (int k = 0; k < 4; ++k) {
    const uint32_t db = (d >> (8 * k)) & 0xFF, sb = (s >> (8 * k)) & 0xFF;
    uint32_t dmix = 0, smix = 0;
    auto term = [&](uint32_t sel) -> uint32_t {
      switch (sel & 7) {
        case 0:
          return 0;
        case 1:
          return 0xFF;
        case 2:
          return v;
        case 3:
          return 0xFF - v;
        case 4:
          return sb;
        case 5:
          return 0xFF - sb;
        case 6:
          return db;
        default:
          return 0xFF - db;
      }
    };
    switch (kind) {
      case 0:
        dmix = smix = 0xFF;
        break;
      case 1:
        dmix = sb;
        smix = 0;
        break;
      case 2:
        dmix = 0xFF - v;
        smix = v;
        break;
      default:
        dmix = term(mode >> 3);
        smix = term(mode);
        break;
    }
    uint32_t value = (db * dmix + sb * smix + 0xFF) >> 8;
    if (value > 0xFF) value = 0xFF;
    r |= value << (8 * k);
  }
  return r;
}

}  // namespace

uint32_t CCog::RelativeTarget(uint32_t a) const {
  // 20-bit relative addresses count bytes; cog and LUT addresses step in longs.
  const int32_t offset = Signed(a << 12) >> 12;
  return m_uPc + static_cast<uint32_t>(m_uPc >= 0x400 ? offset : offset / 4);
}

void CCog::CordicIssue(uint32_t x, uint32_t y) {
  m_uCycles = 2 + CordicWait();
  // Results that are out already land before the new command clears their marks.
  while (m_nCordicCount && m_aCordic[m_nCordicHead].m_uReady <= m_uStepStart) {
    m_uQx = m_aCordic[m_nCordicHead].m_uX;
    m_uQy = m_aCordic[m_nCordicHead].m_uY;
    m_nCordicHead = (m_nCordicHead + 1) % static_cast<int>(m_aCordic.size());
    --m_nCordicCount;
  }
  if (m_nCordicCount == static_cast<int>(m_aCordic.size())) {
    m_nCordicHead = (m_nCordicHead + 1) % static_cast<int>(m_aCordic.size());
    --m_nCordicCount;
  }
  const int slot = (m_nCordicHead + m_nCordicCount) % static_cast<int>(m_aCordic.size());
  m_aCordic[slot] = {m_uStepStart + m_uCycles + Cordic::kLatencyClocks, x, y};
  ++m_nCordicCount;
  m_bQxNew = m_bQyNew = false;
}

void CCog::CordicRetire(bool x) {
  // Results land in QX/QY as they leave the pipeline, each marking X and Y as new; a new
  // command clears those marks. GETQX/GETQY wait while their half is not new and a result is
  // still in flight, and take the mark off their half.
  const int size = static_cast<int>(m_aCordic.size());
  auto land = [&] {
    m_uQx = m_aCordic[m_nCordicHead].m_uX;
    m_uQy = m_aCordic[m_nCordicHead].m_uY;
    m_bQxNew = m_bQyNew = true;
    m_nCordicHead = (m_nCordicHead + 1) % size;
    --m_nCordicCount;
  };
  while (m_nCordicCount && m_aCordic[m_nCordicHead].m_uReady <= m_uStepStart) land();
  bool& mark = x ? m_bQxNew : m_bQyNew;
  if (!mark && m_nCordicCount) {
    const uint64_t ready = m_aCordic[m_nCordicHead].m_uReady;
    m_uCycles = static_cast<uint32_t>(ready - m_uStepStart) + 2;
    m_stats.m_uWaitClocks += ready - m_uStepStart;
    land();
  } else if (!mark) {
    m_uEvents |= 1u << kEventQmt;
  }
  mark = false;
}

bool CCog::Wait(int event, uint32_t instruction) {
  const bool wc = (instruction >> 20) & 1, wz = (instruction >> 19) & 1;
  if (!m_bWaiting) {
    m_uWaitDeadline = kNever;
    if (m_nSetqAge == 1) {
      // SETQ gives a CT value at which to give up.
      const uint32_t now32 = static_cast<uint32_t>(m_uStepStart);
      m_uWaitDeadline = m_uStepStart + ((m_uQ - now32) & 0xFFFF'FFFFu);
    }
    m_uWaitBegan = m_uStepStart;
  }
  bool timedOut = false;
  if (EventFlag(event)) {
    ClearEvent(event);
  } else if (m_uStepStart >= m_uWaitDeadline) {
    timedOut = true;
  } else {
    m_bWaiting = true;
    m_uWaitInstruction = instruction;
    uint64_t wake = m_uWaitDeadline;
    if (event >= kEventCt1 && event <= kEventCt3 && m_aCtAt[event - kEventCt1] < wake)
      wake = m_aCtAt[event - kEventCt1];
    // Pin events and attention strobes wake the cog through the chip; an interrupt event is
    // looked at again every 256 clocks.
    if (event == kEventInt && m_uStepStart + 256 < wake) wake = m_uStepStart + 256;
    m_uTime = wake;
    return false;
  }
  m_bWaiting = false;
  m_stats.m_uWaitClocks += m_uStepStart - m_uWaitBegan;
  if (wc) m_bC = timedOut;
  if (wz) m_bZ = timedOut;
  m_uCycles = 2;
  return true;
}

void CCog::PinOperation(uint32_t instruction, uint32_t d) {
  const bool wc = (instruction >> 20) & 1, wz = (instruction >> 19) & 1;
  const uint32_t sub = instruction & 7;
  const uint32_t kind = (instruction >> 3) & 3;
  if (kind == 0 && wc != wz) {
    // TESTP/TESTPN with WC or WZ, plain or AND/OR/XOR.
    bool bit = m_chip.Pins().Input(static_cast<int>(d & 63), m_uStepStart);
    if (sub & 1) bit = !bit;
    bool& flag = wc ? m_bC : m_bZ;
    switch (sub >> 1) {
      case 0:
        flag = bit;
        break;
      case 1:
        flag = flag && bit;
        break;
      case 2:
        flag = flag || bit;
        break;
      default:
        flag = flag != bit;
        break;
    }
    return;
  }
  const uint32_t first = d & 63;
  const uint32_t extra = m_nSetqAge == 1 ? (m_uQ & 31) : ((d >> 6) & 31);
  uint64_t dir = m_aReg[kDIRA] | (static_cast<uint64_t>(m_aReg[kDIRB]) << 32);
  uint64_t out = m_aReg[kOUTA] | (static_cast<uint64_t>(m_aReg[kOUTB]) << 32);
  bool last = false;
  for (uint32_t k = 0; k <= extra; ++k) {
    // Spans wrap within the 32 pins of port A or B.
    const uint32_t pin = (first & 32) | ((first + k) & 31);
    const uint64_t bit = 1ull << pin;
    bool value;
    switch (sub) {
      case 0:
        value = false;
        break;
      case 1:
        value = true;
        break;
      case 2:
        value = m_bC;
        break;
      case 3:
        value = !m_bC;
        break;
      case 4:
        value = m_bZ;
        break;
      case 5:
        value = !m_bZ;
        break;
      case 6:
        value = Random() & 1;
        break;
      default:
        value = !((kind == 0 ? dir : out) & bit);
        break;
    }
    if (kind == 0) {
      dir = value ? dir | bit : dir & ~bit;
    } else {
      out = value ? out | bit : out & ~bit;
      if (kind == 2) dir &= ~bit;
      if (kind == 3) dir |= bit;
    }
    last = value;
  }
  if (wc) m_bC = last;
  if (wz) m_bZ = last;
  m_aReg[kDIRA] = static_cast<uint32_t>(dir);
  m_aReg[kDIRB] = static_cast<uint32_t>(dir >> 32);
  m_aReg[kOUTA] = static_cast<uint32_t>(out);
  m_aReg[kOUTB] = static_cast<uint32_t>(out >> 32);
  SetPinOutputs();
}

void CCog::Execute(uint32_t word, EOp op) {
  const bool wc = (word >> 20) & 1, wz = (word >> 19) & 1, imm = (word >> 18) & 1;
  const uint32_t dField = (word >> 9) & 0x1FF;
  uint32_t resultAddress = dField;
  bool noWrite = false;
  if (m_bAltNext) {
    if (m_bAltResult) resultAddress = m_uAltResult;
    noWrite = m_bAltNoWrite;
  }
  const int setq = m_nSetqAge;

  // Operand values for the two-operand forms. #D (the L bit) uses bit 19 for instructions
  // whose D may be immediate; they read it through dImm below.
  auto s = [&]() { return SourceValue(word); };
  auto d = [&]() { return DestValue(word); };
  auto dImm = [&](bool lBit) -> uint32_t {
    if (lBit) {
      if (m_bAugd) {
        m_bAugd = false;
        return m_uAugd | dField;
      }
      return dField;
    }
    return ReadReg(dField);
  };
  auto write = [&](uint32_t value) {
    if (!noWrite) WriteReg(resultAddress, value);
  };
  auto flags = [&](bool c, bool z) {
    if (wc) m_bC = c;
    if (wz) m_bZ = z;
  };
  auto result = [&](uint32_t value, bool c) {
    write(value);
    flags(c, value == 0);
  };

  switch (op) {
    case EOp::NOP:
      return;

    // --- Shifts and rotates
    case EOp::ROR:
    case EOp::ROL:
    case EOp::SHR:
    case EOp::SHL:
    case EOp::RCR:
    case EOp::RCL:
    case EOp::SAR:
    case EOp::SAL: {
      const uint32_t dv = d(), n = s() & 31;
      uint32_t r = dv;
      bool c;
      const bool right = op == EOp::ROR || op == EOp::SHR || op == EOp::RCR || op == EOp::SAR;
      if (right)
        c = n ? Bit(dv, n - 1) : (dv & 1);
      else
        c = n ? Bit(dv, 32 - n) : (dv >> 31);
      if (n) {
        switch (op) {
          case EOp::ROR:
            r = std::rotr(dv, static_cast<int>(n));
            break;
          case EOp::ROL:
            r = std::rotl(dv, static_cast<int>(n));
            break;
          case EOp::SHR:
            r = dv >> n;
            break;
          case EOp::SHL:
            r = dv << n;
            break;
          case EOp::RCR:
            r = (dv >> n) | (m_bC ? ~0u << (32 - n) : 0);
            break;
          case EOp::RCL:
            r = (dv << n) | (m_bC ? (1u << n) - 1 : 0);
            break;
          case EOp::SAR:
            r = static_cast<uint32_t>(Signed(dv) >> n);
            break;
          default:
            r = (dv << n) | ((dv & 1) ? (1u << n) - 1 : 0);
            break;
        }
      }
      result(r, c);
      return;
    }

    // --- Add and subtract
    case EOp::ADD: {
      const uint32_t dv = d(), sv = s();
      const uint64_t sum = static_cast<uint64_t>(dv) + sv;
      result(static_cast<uint32_t>(sum), sum >> 32);
      return;
    }
    case EOp::ADDX: {
      const uint32_t dv = d(), sv = s();
      const uint64_t sum = static_cast<uint64_t>(dv) + sv + (m_bC ? 1 : 0);
      const uint32_t r = static_cast<uint32_t>(sum);
      write(r);
      flags(sum >> 32, m_bZ && r == 0);
      return;
    }
    case EOp::ADDS: {
      const uint32_t dv = d(), sv = s();
      const int64_t sum = static_cast<int64_t>(Signed(dv)) + Signed(sv);
      result(static_cast<uint32_t>(sum), SignOf(sum));
      return;
    }
    case EOp::ADDSX: {
      const uint32_t dv = d(), sv = s();
      const int64_t sum = static_cast<int64_t>(Signed(dv)) + Signed(sv) + (m_bC ? 1 : 0);
      const uint32_t r = static_cast<uint32_t>(sum);
      write(r);
      flags(SignOf(sum), m_bZ && r == 0);
      return;
    }
    case EOp::SUB: {
      const uint32_t dv = d(), sv = s();
      result(dv - sv, dv < sv);
      return;
    }
    case EOp::SUBX: {
      const uint32_t dv = d(), sv = s();
      const uint64_t sub = static_cast<uint64_t>(sv) + (m_bC ? 1 : 0);
      const uint32_t r = static_cast<uint32_t>(dv - sub);
      write(r);
      flags(dv < sub, m_bZ && r == 0);
      return;
    }
    case EOp::SUBS: {
      const uint32_t dv = d(), sv = s();
      const int64_t diff = static_cast<int64_t>(Signed(dv)) - Signed(sv);
      result(static_cast<uint32_t>(diff), SignOf(diff));
      return;
    }
    case EOp::SUBSX: {
      const uint32_t dv = d(), sv = s();
      const int64_t diff = static_cast<int64_t>(Signed(dv)) - Signed(sv) - (m_bC ? 1 : 0);
      const uint32_t r = static_cast<uint32_t>(diff);
      write(r);
      flags(SignOf(diff), m_bZ && r == 0);
      return;
    }
    case EOp::CMP: {
      const uint32_t dv = d(), sv = s();
      flags(dv < sv, dv == sv);
      return;
    }
    case EOp::CMPX: {
      const uint32_t dv = d(), sv = s();
      const uint64_t sub = static_cast<uint64_t>(sv) + (m_bC ? 1 : 0);
      flags(dv < sub, m_bZ && static_cast<uint32_t>(dv - sub) == 0);
      return;
    }
    case EOp::CMPS: {
      const uint32_t dv = d(), sv = s();
      flags(Signed(dv) < Signed(sv), dv == sv);
      return;
    }
    case EOp::CMPSX: {
      const uint32_t dv = d(), sv = s();
      const int64_t diff = static_cast<int64_t>(Signed(dv)) - Signed(sv) - (m_bC ? 1 : 0);
      flags(SignOf(diff), m_bZ && static_cast<uint32_t>(diff) == 0);
      return;
    }
    case EOp::CMPR: {
      const uint32_t dv = d(), sv = s();
      flags(sv < dv, dv == sv);
      return;
    }
    case EOp::CMPM: {
      const uint32_t dv = d(), sv = s();
      flags((dv - sv) >> 31, dv == sv);
      return;
    }
    case EOp::SUBR: {
      const uint32_t dv = d(), sv = s();
      result(sv - dv, sv < dv);
      return;
    }
    case EOp::CMPSUB: {
      const uint32_t dv = d(), sv = s();
      if (dv >= sv)
        result(dv - sv, true);
      else
        result(dv, false);
      return;
    }
    case EOp::FGE:
    case EOp::FLE:
    case EOp::FGES:
    case EOp::FLES: {
      const uint32_t dv = d(), sv = s();
      bool replace;
      switch (op) {
        case EOp::FGE:
          replace = dv < sv;
          break;
        case EOp::FLE:
          replace = dv > sv;
          break;
        case EOp::FGES:
          replace = Signed(dv) < Signed(sv);
          break;
        default:
          replace = Signed(dv) > Signed(sv);
          break;
      }
      result(replace ? sv : dv, replace);
      return;
    }
    case EOp::SUMC:
    case EOp::SUMNC:
    case EOp::SUMZ:
    case EOp::SUMNZ: {
      const uint32_t dv = d(), sv = s();
      bool negate;
      switch (op) {
        case EOp::SUMC:
          negate = m_bC;
          break;
        case EOp::SUMNC:
          negate = !m_bC;
          break;
        case EOp::SUMZ:
          negate = m_bZ;
          break;
        default:
          negate = !m_bZ;
          break;
      }
      const int64_t sum = negate ? static_cast<int64_t>(Signed(dv)) - Signed(sv)
                                 : static_cast<int64_t>(Signed(dv)) + Signed(sv);
      result(static_cast<uint32_t>(sum), SignOf(sum));
      return;
    }

    // --- Bits
    case EOp::TESTB:
    case EOp::TESTBN: {
      const uint32_t opcode = (word >> 21) & 7;
      bool bit = Bit(d(), s());
      if (op == EOp::TESTBN) bit = !bit;
      bool& flag = wc ? m_bC : m_bZ;
      switch (opcode >> 1) {
        case 0:
          flag = bit;
          break;
        case 1:
          flag = flag && bit;
          break;
        case 2:
          flag = flag || bit;
          break;
        default:
          flag = flag != bit;
          break;
      }
      return;
    }
    case EOp::BITL:
    case EOp::BITH:
    case EOp::BITC:
    case EOp::BITNC:
    case EOp::BITZ:
    case EOp::BITNZ:
    case EOp::BITRND:
    case EOp::BITNOT: {
      const uint32_t dv = d(), sv = s();
      const uint32_t first = sv & 31;
      const uint32_t extra = setq == 1 ? (m_uQ & 31) : ((sv >> 5) & 31);
      const bool original = Bit(dv, first);
      uint32_t r = dv;
      for (uint32_t k = 0; k <= extra; ++k) {
        const uint32_t mask = 1u << ((first + k) & 31);
        bool value;
        switch (op) {
          case EOp::BITL:
            value = false;
            break;
          case EOp::BITH:
            value = true;
            break;
          case EOp::BITC:
            value = m_bC;
            break;
          case EOp::BITNC:
            value = !m_bC;
            break;
          case EOp::BITZ:
            value = m_bZ;
            break;
          case EOp::BITNZ:
            value = !m_bZ;
            break;
          case EOp::BITRND:
            value = Random() & 1;
            break;
          default:
            value = !(r & mask);
            break;
        }
        r = value ? (r | mask) : (r & ~mask);
      }
      write(r);
      flags(original, original);
      return;
    }

    // --- Logic
    case EOp::AND:
    case EOp::ANDN:
    case EOp::OR:
    case EOp::XOR:
    case EOp::MUXC:
    case EOp::MUXNC:
    case EOp::MUXZ:
    case EOp::MUXNZ: {
      const uint32_t dv = d(), sv = s();
      uint32_t r;
      switch (op) {
        case EOp::AND:
          r = dv & sv;
          break;
        case EOp::ANDN:
          r = dv & ~sv;
          break;
        case EOp::OR:
          r = dv | sv;
          break;
        case EOp::XOR:
          r = dv ^ sv;
          break;
        case EOp::MUXC:
          r = (dv & ~sv) | (m_bC ? sv : 0);
          break;
        case EOp::MUXNC:
          r = (dv & ~sv) | (!m_bC ? sv : 0);
          break;
        case EOp::MUXZ:
          r = (dv & ~sv) | (m_bZ ? sv : 0);
          break;
        default:
          r = (dv & ~sv) | (!m_bZ ? sv : 0);
          break;
      }
      result(r, Parity(r));
      return;
    }
    case EOp::MOV: {
      const uint32_t sv = s();
      result(sv, sv >> 31);
      return;
    }
    case EOp::NOT: {
      const uint32_t r = ~s();
      result(r, r >> 31);
      return;
    }
    case EOp::ABS: {
      const uint32_t sv = s();
      result(Signed(sv) < 0 ? 0u - sv : sv, sv >> 31);
      return;
    }
    case EOp::NEG:
    case EOp::NEGC:
    case EOp::NEGNC:
    case EOp::NEGZ:
    case EOp::NEGNZ: {
      const uint32_t sv = s();
      bool negate = true;
      if (op == EOp::NEGC) negate = m_bC;
      if (op == EOp::NEGNC) negate = !m_bC;
      if (op == EOp::NEGZ) negate = m_bZ;
      if (op == EOp::NEGNZ) negate = !m_bZ;
      const uint32_t r = negate ? 0u - sv : sv;
      result(r, r >> 31);
      return;
    }
    case EOp::INCMOD: {
      const uint32_t dv = d(), sv = s();
      if (dv == sv)
        result(0, true);
      else
        result(dv + 1, false);
      return;
    }
    case EOp::DECMOD: {
      const uint32_t dv = d(), sv = s();
      if (dv == 0)
        result(sv, true);
      else
        result(dv - 1, false);
      return;
    }
    case EOp::ZEROX: {
      const uint32_t dv = d(), n = s() & 31;
      const uint32_t r = n == 31 ? dv : dv & ((2u << n) - 1);
      result(r, r >> 31);
      return;
    }
    case EOp::SIGNX: {
      const uint32_t dv = d(), n = s() & 31;
      const uint32_t r = static_cast<uint32_t>(Signed(dv << (31 - n)) >> (31 - n));
      result(r, r >> 31);
      return;
    }
    case EOp::ENCOD: {
      const uint32_t sv = s();
      result(sv ? 31u - static_cast<uint32_t>(std::countl_zero(sv)) : 0, sv != 0);
      return;
    }
    case EOp::ONES: {
      const uint32_t r = static_cast<uint32_t>(std::popcount(s()));
      result(r, r & 1);
      return;
    }
    case EOp::TEST: {
      const uint32_t r = d() & s();
      flags(Parity(r), r == 0);
      return;
    }
    case EOp::TESTN: {
      const uint32_t r = d() & ~s();
      flags(Parity(r), r == 0);
      return;
    }

    // --- Nibbles, bytes and words
    case EOp::SETNIB:
    case EOp::SETBYTE:
    case EOp::SETWORD: {
      const uint32_t bits = op == EOp::SETNIB ? 4 : op == EOp::SETBYTE ? 8 : 16;
      const uint32_t n = (word >> 19) & (32 / bits - 1), sv = s();
      write(SetField(d(), sv, n, bits));
      return;
    }
    case EOp::GETNIB:
    case EOp::GETBYTE:
    case EOp::GETWORD: {
      const uint32_t bits = op == EOp::GETNIB ? 4 : op == EOp::GETBYTE ? 8 : 16;
      write(GetField(s(), (word >> 19) & (32 / bits - 1), bits));
      return;
    }
    case EOp::ROLNIB:
    case EOp::ROLBYTE:
    case EOp::ROLWORD: {
      const uint32_t bits = op == EOp::ROLNIB ? 4 : op == EOp::ROLBYTE ? 8 : 16;
      const uint32_t n = (word >> 19) & (32 / bits - 1), sv = s();
      write(RolField(d(), sv, n, bits));
      return;
    }

    // --- ALTx: alter the next instruction
    case EOp::ALTSN:
    case EOp::ALTGN:
    case EOp::ALTSB:
    case EOp::ALTGB:
    case EOp::ALTSW:
    case EOp::ALTGW:
    case EOp::ALTR:
    case EOp::ALTD:
    case EOp::ALTS:
    case EOp::ALTB: {
      const uint32_t dv = d(), sv = s();
      uint32_t field = 0, nBits = 0, nMask = 0;
      bool intoD = true;
      switch (op) {
        case EOp::ALTSN:
        case EOp::ALTGN:
          field = (dv >> 3) + sv;
          nBits = dv & 7;
          nMask = 7u << 19;
          intoD = op == EOp::ALTSN;
          break;
        case EOp::ALTSB:
        case EOp::ALTGB:
          field = (dv >> 2) + sv;
          nBits = dv & 3;
          nMask = 3u << 19;
          intoD = op == EOp::ALTSB;
          break;
        case EOp::ALTSW:
        case EOp::ALTGW:
          field = (dv >> 1) + sv;
          nBits = dv & 1;
          nMask = 1u << 19;
          intoD = op == EOp::ALTSW;
          break;
        case EOp::ALTB:
          field = (dv >> 5) + sv;
          break;
        default:
          field = dv + sv;
          intoD = op != EOp::ALTS;
          break;
      }
      field &= 0x1FF;
      m_bAltPending = true;
      m_bAltResult = false;
      m_bAltNoWrite = false;
      if (op == EOp::ALTR) {
        m_uAltMask = 0;
        m_bAltResult = true;
        m_uAltResult = field;
      } else {
        m_uAltMask = (intoD ? 0x1FFu << 9 : 0x1FFu) | nMask;
        m_uAltValue = (intoD ? field << 9 : field) | (nBits << 19);
      }
      // D += sign-extended S[17:9].
      const uint32_t step = static_cast<uint32_t>(Signed(sv << 14) >> 23);
      if (step) write(dv + step);
      m_bShielded = true;
      return;
    }
    case EOp::ALTI: {
      const uint32_t dv = d(), sv = s();
      uint32_t r = dv;
      m_bAltPending = true;
      m_bAltResult = false;
      m_bAltNoWrite = false;
      m_uAltMask = 0;
      m_uAltValue = 0;
      auto step = [](uint32_t value, uint32_t lsb, uint32_t maskSel, bool up) {
        const uint32_t bits = 9 - maskSel;
        const uint32_t mask = ((1u << bits) - 1) << lsb;
        const uint32_t field = value & mask;
        const uint32_t moved = (up ? field + (1u << lsb) : field - (1u << lsb)) & mask;
        return (value & ~mask) | moved;
      };
      const uint32_t rrr = (sv >> 6) & 7, ddd = (sv >> 3) & 7, sss = sv & 7;
      const uint32_t rMask = (sv >> 15) & 7, dMask = (sv >> 12) & 7, sMask = (sv >> 9) & 7;
      // Result field.
      if (rrr == 1) m_bAltNoWrite = true;
      if (rrr == 4 || rrr >= 6) {
        m_bAltResult = true;
        m_uAltResult = (dv >> 19) & 0x1FF;
      }
      if (rrr == 5) {
        m_uAltMask |= 0xFFFC'0000u;
        m_uAltValue |= dv & 0xFFFC'0000u;
      }
      if (rrr == 2 || rrr == 6) r = step(r, 19, rMask, false);
      if (rrr == 3 || rrr == 7) r = step(r, 19, rMask, true);
      // D field.
      if (ddd & 4) {
        m_uAltMask |= 0x1FFu << 9;
        m_uAltValue |= dv & (0x1FFu << 9);
      }
      if ((ddd & 3) == 2) r = step(r, 9, dMask, false);
      if ((ddd & 3) == 3) r = step(r, 9, dMask, true);
      // S field.
      if (sss & 4) {
        m_uAltMask |= 0x1FFu;
        m_uAltValue |= dv & 0x1FFu;
      }
      if ((sss & 3) == 2) r = step(r, 0, sMask, false);
      if ((sss & 3) == 3) r = step(r, 0, sMask, true);
      if (r != dv) write(r);
      m_bShielded = true;
      return;
    }
    case EOp::SETR:
      write((d() & ~(0x1FFu << 19)) | ((s() & 0x1FF) << 19));
      return;
    case EOp::SETD:
      write((d() & ~(0x1FFu << 9)) | ((s() & 0x1FF) << 9));
      return;
    case EOp::SETS:
      write((d() & ~0x1FFu) | (s() & 0x1FF));
      return;
    case EOp::DECOD:
      write(1u << (s() & 31));
      return;
    case EOp::BMASK: {
      const uint32_t n = s() & 31;
      write(n == 31 ? 0xFFFF'FFFFu : (2u << n) - 1);
      return;
    }
    case EOp::CRCBIT: {
      const uint32_t dv = d(), sv = s();
      write((m_bC != (dv & 1)) ? (dv >> 1) ^ sv : dv >> 1);
      return;
    }
    case EOp::CRCNIB: {
      uint32_t dv = d();
      const uint32_t sv = s();
      for (int k = 0; k < 4; ++k) {
        const bool bit = m_uQ >> 31;
        m_uQ <<= 1;
        dv = (bit != (dv & 1)) ? (dv >> 1) ^ sv : dv >> 1;
      }
      write(dv);
      m_bShielded = true;
      return;
    }
    case EOp::MUXNITS:
    case EOp::MUXNIBS: {
      const uint32_t dv = d(), sv = s();
      const uint32_t width = op == EOp::MUXNITS ? 2 : 4;
      const uint32_t unit = (1u << width) - 1;
      uint32_t r = dv;
      for (uint32_t k = 0; k < 32; k += width) {
        const uint32_t part = (sv >> k) & unit;
        if (part) r = (r & ~(unit << k)) | (part << k);
      }
      write(r);
      return;
    }
    case EOp::MUXQ: {
      const uint32_t dv = d(), sv = s();
      write((dv & ~m_uQ) | (sv & m_uQ));
      return;
    }
    case EOp::MOVBYTS: {
      const uint32_t dv = d(), sv = s();
      uint32_t r = 0;
      for (uint32_t k = 0; k < 4; ++k) r |= ((dv >> (8 * ((sv >> (2 * k)) & 3))) & 0xFF) << (8 * k);
      write(r);
      return;
    }
    case EOp::MUL: {
      const uint32_t dv = d() & 0xFFFF, sv = s() & 0xFFFF;
      const uint32_t r = dv * sv;
      write(r);
      if (wz) m_bZ = r == 0;
      return;
    }
    case EOp::MULS: {
      const int32_t dv = static_cast<int16_t>(d() & 0xFFFF),
                    sv = static_cast<int16_t>(s() & 0xFFFF);
      const uint32_t r = static_cast<uint32_t>(dv * sv);
      write(r);
      if (wz) m_bZ = r == 0;
      return;
    }
    case EOp::SCA: {
      const uint32_t r = ((d() & 0xFFFF) * (s() & 0xFFFF)) >> 16;
      m_bSOverrideNext = true;
      m_uSOverride = r;
      if (wz) m_bZ = r == 0;
      m_bShielded = true;
      return;
    }
    case EOp::SCAS: {
      const int32_t product =
          static_cast<int16_t>(d() & 0xFFFF) * static_cast<int16_t>(s() & 0xFFFF);
      const uint32_t r = static_cast<uint32_t>(product >> 14);
      m_bSOverrideNext = true;
      m_uSOverride = r;
      if (wz) m_bZ = r == 0;
      m_bShielded = true;
      return;
    }
    case EOp::ADDPIX:
    case EOp::MULPIX:
    case EOp::BLNPIX:
    case EOp::MIXPIX: {
      const uint32_t dv = d(), sv = s();
      write(PixelMix(dv, sv, static_cast<int>(op) - static_cast<int>(EOp::ADDPIX), m_uPixV,
                     m_uPixMode));
      m_uCycles = 7;
      return;
    }
    case EOp::ADDCT1:
    case EOp::ADDCT2:
    case EOp::ADDCT3: {
      const int k = static_cast<int>(op) - static_cast<int>(EOp::ADDCT1);
      const uint32_t target = d() + s();
      write(target);
      const uint32_t now32 = static_cast<uint32_t>(m_uStepStart);
      uint32_t ahead = target - now32;
      m_aCtTarget[k] = target;
      m_aCtAt[k] = m_uStepStart + (ahead == 0 ? 0x1'0000'0000ull : ahead);
      ClearEvent(kEventCt1 + k);
      return;
    }

    // --- Smart pins
    case EOp::RQPIN:
    case EOp::RDPIN: {
      const int pin = static_cast<int>(s() & 63);
      bool modal = false;
      const uint32_t z = m_chip.Pins().Smart(pin).ReadZ(m_uStepStart, modal);
      if (op == EOp::RDPIN) m_chip.Pins().Smart(pin).Acknowledge();
      write(z);
      if (wc) m_bC = modal;
      return;
    }
    case EOp::WRPIN:
    case EOp::WXPIN:
    case EOp::WYPIN: {
      const bool akpin = op == EOp::WRPIN && wz && dField == 1;
      const uint32_t value = akpin ? 0 : dImm(wz);
      const uint32_t sv = s();
      const uint32_t first = sv & 63;
      const uint32_t extra = setq == 1 ? (m_uQ & 31) : ((sv >> 6) & 31);
      CPins& pins = m_chip.Pins();
      for (uint32_t k = 0; k <= extra; ++k) {
        const int pin = static_cast<int>((first & 32) | ((first + k) & 31));
        CSmartPin& smart = pins.Smart(pin);
        if (akpin) {
          smart.Acknowledge();
        } else if (op == EOp::WRPIN) {
          const std::string error = pins.WriteConfig(pin, m_uStepStart, value);
          if (!error.empty()) NotSimulated(word, error);
        } else if (op == EOp::WXPIN) {
          smart.SetX(m_uStepStart, value);
        } else {
          smart.SetY(m_uStepStart, value);
        }
      }
      pins.RefreshNextEvent();
      return;
    }
    case EOp::SETDACS:
    case EOp::SETCY:
    case EOp::SETCI:
    case EOp::SETCQ:
    case EOp::SETCFRQ:
    case EOp::SETCMOD:
      // Only the streamer and DAC pin modes use these, and those modes stop the run.
      (void)dImm(imm);
      return;
    case EOp::SETPIV:
      m_uPixV = dImm(imm) & 0xFF;
      return;
    case EOp::SETPIX:
      m_uPixMode = dImm(imm) & 0x3F;
      return;

    // --- Lookup RAM
    case EOp::RDLUT: {
      const uint32_t address = LutAddress(word, s());
      const uint32_t value = m_aLut[address];
      m_uQ = value;
      result(value, value >> 31);
      m_uCycles = 3;
      return;
    }
    case EOp::WRLUT: {
      const uint32_t value = dImm(wz);
      const uint32_t address = LutAddress(word, s());
      m_aLut[address] = value;
      m_chip.LutWritten(m_nId, address, value);
      return;
    }
    case EOp::SETLUTS:
      m_bLutShared = dImm(imm) & 1;
      return;

    // --- Hub reads and writes
    case EOp::RDBYTE:
    case EOp::RDWORD:
    case EOp::RDLONG: {
      const uint32_t scale = op == EOp::RDBYTE ? 1 : op == EOp::RDWORD ? 2 : 4;
      const bool block = op == EOp::RDLONG && setq != 0;
      const uint32_t count = block ? m_uQ + 1 : 1;
      const uint32_t address = HubAddress(word, s(), scale, count);
      CHub& hub = m_chip.Hub();
      const uint32_t wait = HubWait(address);
      if (block) {
        // SETQ: into registers from D on; SETQ2: into LUT from D on.
        const uint32_t firstReg = dField;
        for (uint32_t k = 0; k < count && k < 512; ++k) {
          const uint32_t value = hub.ReadLong(address + 4 * k);
          if (setq == 1)
            WriteReg((firstReg + k) & 0x1FF, value);
          else
            m_aLut[(firstReg + k) & 0x1FF] = value;
        }
        MarkHubAccess(9 + wait + (count - 1));
        return;
      }
      uint32_t value;
      if (scale == 1)
        value = hub.ReadByte(address);
      else if (scale == 2)
        value = hub.ReadWord(address);
      else
        value = hub.ReadLong(address);
      const uint32_t msb = scale == 1 ? 7 : scale == 2 ? 15 : 31;
      result(value, Bit(value, msb));
      MarkHubAccess(9 + wait + CrossesLong(address, scale));
      return;
    }
    case EOp::WRBYTE:
    case EOp::WRWORD:
    case EOp::WRLONG:
    case EOp::WMLONG: {
      const uint32_t scale = op == EOp::WRBYTE ? 1 : op == EOp::WRWORD ? 2 : 4;
      const bool block = (op == EOp::WRLONG || op == EOp::WMLONG) && setq != 0;
      const uint32_t count = block ? m_uQ + 1 : 1;
      const uint32_t value = op == EOp::WMLONG ? d() : dImm(wz);
      const uint32_t address = HubAddress(word, s(), scale, count);
      CHub& hub = m_chip.Hub();
      const uint32_t wait = HubWait(address);
      auto writeLong = [&](uint32_t at, uint32_t v) {
        if (op == EOp::WMLONG) {
          for (uint32_t b = 0; b < 4; ++b)
            if ((v >> (8 * b)) & 0xFF) hub.WriteByte(at + b, v >> (8 * b));
        } else {
          hub.WriteLong(at, v);
        }
      };
      if (block) {
        for (uint32_t k = 0; k < count && k < 512; ++k) {
          const uint32_t reg = (dField + k) & 0x1FF;
          // With #D the block is filled with that value.
          const uint32_t v = wz ? value : setq == 1 ? ReadReg(reg) : m_aLut[reg];
          writeLong(address + 4 * k, v);
        }
        m_chip.MarkHub(address, 4 * count);
        MarkHubAccess(3 + wait + (count - 1));
        return;
      }
      if (scale == 1)
        hub.WriteByte(address, value);
      else if (scale == 2)
        hub.WriteWord(address, value);
      else
        writeLong(address, value);
      m_chip.MarkHub(address, scale);
      MarkHubAccess(3 + wait + CrossesLong(address, scale));
      return;
    }

    // --- Hub FIFO
    case EOp::RDFAST:
    case EOp::WRFAST: {
      if (m_uPc >= 0x400 && m_uInstructionPc >= 0x400)
        NotSimulated(word,
                     "the FIFO is in use by hub execution, so " + InstructionSet::Mnemonic(word));
      const uint32_t dv = dImm(wz), sv = s();
      m_uFifoStart = m_uFifoAddress = sv & 0xFFFFF;
      m_uFifoBlockBytes = (dv & 0x3FFF) * 64;
      m_uFifoBlockEnd = m_uFifoStart + m_uFifoBlockBytes;
      m_uFifoNextStart = m_uFifoStart;
      m_uFifoNextBytes = m_uFifoBlockBytes;
      m_bFifoWrite = op == EOp::WRFAST;
      if (op == EOp::RDFAST)
        m_uCycles = (dv >> 31) ? 2 : 10 + HubWait(m_uFifoStart);
      else
        m_uCycles = (dv >> 31) ? 2 : 3;
      return;
    }
    case EOp::FBLOCK: {
      const uint32_t dv = dImm(wz), sv = s();
      m_uFifoNextStart = sv & 0xFFFFF;
      m_uFifoNextBytes = (dv & 0x3FFF) * 64;
      return;
    }
    case EOp::RFBYTE:
    case EOp::RFWORD:
    case EOp::RFLONG: {
      const uint32_t bytes = op == EOp::RFBYTE ? 1 : op == EOp::RFWORD ? 2 : 4;
      uint32_t value = 0;
      for (uint32_t k = 0; k < bytes; ++k) value |= FifoReadByte() << (8 * k);
      result(value, Bit(value, bytes * 8 - 1));
      return;
    }
    case EOp::RFVAR:
    case EOp::RFVARS: {
      uint32_t value = 0;
      uint32_t bits = 0;
      for (int k = 0; k < 4; ++k) {
        const uint32_t byte = FifoReadByte();
        if (k == 3) {
          value |= byte << bits;
          bits += 8;
          break;
        }
        value |= (byte & 0x7F) << bits;
        bits += 7;
        if (!(byte & 0x80)) break;
      }
      if (op == EOp::RFVARS && bits < 32) {
        const uint32_t shift = 32 - bits;
        value = static_cast<uint32_t>(Signed(value << shift) >> shift);
      }
      result(value, op == EOp::RFVARS ? value >> 31 : false);
      return;
    }
    case EOp::WFBYTE:
    case EOp::WFWORD:
    case EOp::WFLONG: {
      const uint32_t bytes = op == EOp::WFBYTE ? 1 : op == EOp::WFWORD ? 2 : 4;
      const uint32_t value = dImm(imm);
      for (uint32_t k = 0; k < bytes; ++k) FifoWriteByte(value >> (8 * k));
      return;
    }
    case EOp::GETPTR:
      write(m_uFifoAddress);
      return;

    // --- Branches
    case EOp::CALLD: {
      const uint32_t sv = s();
      const uint32_t target = BranchTargetFromS(word, sv);
      write(ReturnAddress());
      // RETIx/RESIx: a CALLD through IRETx with WCZ ends the interrupt service routine.
      if (!imm && wc && wz && m_nIntActive) {
        const uint32_t sReg = word & 0x1FF;
        if (sReg == kIRET1 || sReg == kIRET2 || sReg == kIRET3 || sReg == kINB)
          m_nIntActive = m_nIntDepth ? m_aIntStack[--m_nIntDepth] : 0;
      }
      if (!imm) {
        if (wc) m_bC = sv >> 31;
        if (wz) m_bZ = (sv >> 30) & 1;
      }
      Branch(target);
      return;
    }
    case EOp::CALLPA:
    case EOp::CALLPB: {
      const uint32_t dv = dImm(wz), sv = s();
      const uint32_t target = BranchTargetFromS(word, sv);
      WriteReg(op == EOp::CALLPA ? kPA : kPB, dv);
      if (m_uSkip) {
        m_aSkipSaved[m_uSkipDepth & 7] = m_uSkip;
        m_aSkipSavedFast[m_uSkipDepth & 7] = m_bSkipFast;
        m_uSkipDepth = (m_uSkipDepth + 1) & 7;
        m_uSkip = 0;
      }
      Push(ReturnAddress());
      Branch(target);
      return;
    }
    case EOp::DJZ:
    case EOp::DJNZ:
    case EOp::DJF:
    case EOp::DJNF:
    case EOp::IJZ:
    case EOp::IJNZ: {
      const uint32_t dv = d(), sv = s();
      const bool inc = op == EOp::IJZ || op == EOp::IJNZ;
      const uint32_t r = inc ? dv + 1 : dv - 1;
      write(r);
      bool jump;
      switch (op) {
        case EOp::DJZ:
        case EOp::IJZ:
          jump = r == 0;
          break;
        case EOp::DJNZ:
        case EOp::IJNZ:
          jump = r != 0;
          break;
        case EOp::DJF:
          jump = r == 0xFFFF'FFFFu;
          break;
        default:
          jump = r != 0xFFFF'FFFFu;
          break;
      }
      if (jump) Branch(BranchTargetFromS(word, sv));
      return;
    }
    case EOp::TJZ:
    case EOp::TJNZ:
    case EOp::TJF:
    case EOp::TJNF:
    case EOp::TJS:
    case EOp::TJNS:
    case EOp::TJV: {
      const uint32_t dv = d(), sv = s();
      bool jump;
      switch (op) {
        case EOp::TJZ:
          jump = dv == 0;
          break;
        case EOp::TJNZ:
          jump = dv != 0;
          break;
        case EOp::TJF:
          jump = dv == 0xFFFF'FFFFu;
          break;
        case EOp::TJNF:
          jump = dv != 0xFFFF'FFFFu;
          break;
        case EOp::TJS:
          jump = dv >> 31;
          break;
        case EOp::TJNS:
          jump = !(dv >> 31);
          break;
        default:
          jump = ((dv >> 31) != 0) != m_bC;
          break;
      }
      if (jump) Branch(BranchTargetFromS(word, sv));
      return;
    }
    case EOp::JEVENT: {
      const uint32_t sv = s();
      const int event = static_cast<int>(dField & 15);
      const bool flag = EventFlag(event);
      const bool jump = (dField & 0x10) ? !flag : flag;
      if (flag) ClearEvent(event);
      if (jump) Branch(BranchTargetFromS(word, sv));
      return;
    }
    case EOp::JMPD:
    case EOp::CALLDR:
    case EOp::CALLAD:
    case EOp::CALLBD: {
      if (imm && op != EOp::JMPD) {
        // RET / RETA / RETB.
        uint32_t popped;
        if (op == EOp::CALLDR) {
          popped = Pop();
          if ((popped & 0xFFFFF) == 0x1FF) {
            Push(popped);
            if (wc) m_bC = popped >> 31;
            if (wz) m_bZ = (popped >> 30) & 1;
            m_uCycles = 2;
            StartXbyte();
            m_bBranched = true;
            return;
          }
          Return(popped, word, true);
        } else {
          const uint32_t ptr = op == EOp::CALLAD ? kPTRA : kPTRB;
          m_aReg[ptr] -= 4;
          popped = m_chip.Hub().ReadLong(m_aReg[ptr]);
          ++m_stats.m_uHubAccesses;
          Return(popped, word, true);
          // The hub read (9 clocks plus the window) overlaps the branch: 11...18 in cog exec.
          m_uCycles += 7 + HubWait(m_aReg[ptr]);
        }
        return;
      }
      const uint32_t dv = d();
      if (op == EOp::CALLDR) {
        if (m_uSkip) {
          m_aSkipSaved[m_uSkipDepth & 7] = m_uSkip;
          m_aSkipSavedFast[m_uSkipDepth & 7] = m_bSkipFast;
          m_uSkipDepth = (m_uSkipDepth + 1) & 7;
          m_uSkip = 0;
        }
        Push(ReturnAddress());
      } else if (op == EOp::CALLAD || op == EOp::CALLBD) {
        const uint32_t ptr = op == EOp::CALLAD ? kPTRA : kPTRB;
        m_chip.Hub().WriteLong(m_aReg[ptr], ReturnAddress());
        m_chip.MarkHub(m_aReg[ptr], 4);
        const uint32_t wait = HubWait(m_aReg[ptr]);
        m_aReg[ptr] += 4;
        ++m_stats.m_uHubAccesses;
        flags(dv >> 31, (dv >> 30) & 1);
        Branch(dv, 1 + wait);
        if (m_uCycles < 5 + wait) m_uCycles = 5 + wait;
        return;
      }
      flags(dv >> 31, (dv >> 30) & 1);
      Branch(dv);
      return;
    }
    case EOp::JMPREL: {
      const uint32_t dv = dImm(imm);
      if (m_uPc >= 0x400)
        Branch(m_uPc + ((dv & 0x3FFFF) << 2));
      else
        Branch(m_uPc + (dv & 0xFFFFF));
      return;
    }
    case EOp::JMPA:
    case EOp::CALLA_A:
    case EOp::CALLAA:
    case EOp::CALLBA:
    case EOp::CALLDA: {
      const uint32_t a = word & 0xFFFFF;
      const bool relative = (word >> 20) & 1;
      const uint32_t target = relative ? RelativeTarget(a) : a;
      const uint32_t ret = ReturnAddress();
      if (op == EOp::CALLA_A) {
        if (m_uSkip) {
          m_aSkipSaved[m_uSkipDepth & 7] = m_uSkip;
          m_aSkipSavedFast[m_uSkipDepth & 7] = m_bSkipFast;
          m_uSkipDepth = (m_uSkipDepth + 1) & 7;
          m_uSkip = 0;
        }
        Push(ret);
      } else if (op == EOp::CALLAA || op == EOp::CALLBA) {
        const uint32_t ptr = op == EOp::CALLAA ? kPTRA : kPTRB;
        m_chip.Hub().WriteLong(m_aReg[ptr], ret);
        m_chip.MarkHub(m_aReg[ptr], 4);
        const uint32_t wait = HubWait(m_aReg[ptr]);
        m_aReg[ptr] += 4;
        ++m_stats.m_uHubAccesses;
        Branch(target, 1 + wait);
        if (m_uCycles < 5 + wait) m_uCycles = 5 + wait;
        return;
      } else if (op == EOp::CALLDA) {
        WriteReg(kPA + ((word >> 21) & 3), ret);
      }
      Branch(target);
      return;
    }
    case EOp::LOC: {
      const uint32_t a = word & 0xFFFFF;
      const bool relative = (word >> 20) & 1;
      // LOC adds A to the PC as it is, longs in cog/LUT memory and bytes in hub memory.
      const uint32_t address =
          relative ? (m_uPc + static_cast<uint32_t>(Signed(a << 12) >> 12)) & 0xFFFFF : a;
      WriteReg(kPA + ((word >> 21) & 3), address);
      return;
    }
    case EOp::AUGS:
      m_bAugs = true;
      m_uAugs = (word & 0x7F'FFFF) << 9;
      m_bShielded = true;
      return;
    case EOp::AUGD:
      m_bAugd = true;
      m_uAugd = (word & 0x7F'FFFF) << 9;
      m_bShielded = true;
      return;
    case EOp::REP: {
      const uint32_t dv = dImm(wz), sv = s();
      const uint32_t count = dv & 0x1FF;
      if (count == 0) return;
      m_bRepActive = true;
      m_uRepStart = m_uPc;
      m_uRepEnd = m_uPc + count * (m_uPc >= 0x400 ? 4 : 1);
      m_bRepInfinite = sv == 0;
      m_uRepCount = sv;
      return;
    }
    case EOp::SKIP:
    case EOp::SKIPF:
      m_uSkip = dImm(imm);
      m_bSkipFast = op == EOp::SKIPF && m_uPc < 0x400;
      return;
    case EOp::EXECF: {
      const uint32_t dv = dImm(imm);
      Branch(dv & 0x3FF);
      m_uSkip = dv >> 10;
      m_bSkipFast = true;
      return;
    }
    case EOp::PUSH:
      Push(dImm(imm));
      return;
    case EOp::POP: {
      const uint32_t value = Pop();
      result(value, value >> 31);
      return;
    }

    // --- SETQ, CORDIC
    case EOp::SETQ:
    case EOp::SETQ2: {
      m_uQ = dImm(imm);
      m_nSetq = op == EOp::SETQ ? 1 : 2;
      m_bShielded = true;
      if ((word >> 28) == 0 && (m_aStack[0] & 0xFFFFF) == 0x1FF) {
        // '_RET_ SETQ' with $1FF on the stack sets the XBYTE mode; SETQ2 for one bytecode.
        if (op == EOp::SETQ) {
          m_uXbyteMode = m_uQ;
        } else {
          m_uXbyteModeOnce = m_uQ;
          m_bXbyteOnce = true;
        }
      }
      return;
    }
    case EOp::QMUL: {
      const uint32_t dv = dImm(wz), sv = s();
      const CCordicResult r = Cordic::Multiply(dv, sv);
      CordicIssue(r.m_uX, r.m_uY);
      return;
    }
    case EOp::QDIV:
    case EOp::QFRAC: {
      const uint32_t dv = dImm(wz), sv = s();
      const uint32_t q = setq == 1 ? m_uQ : 0;
      if (setq != 1) m_uQ = 0;
      const CCordicResult r =
          op == EOp::QDIV ? Cordic::Divide(q, dv, sv) : Cordic::Fraction(dv, q, sv);
      CordicIssue(r.m_uX, r.m_uY);
      return;
    }
    case EOp::QSQRT: {
      const uint32_t dv = dImm(wz), sv = s();
      const CCordicResult r = Cordic::SquareRoot(dv, sv);
      CordicIssue(r.m_uX, r.m_uY);
      return;
    }
    case EOp::QROTATE: {
      const uint32_t dv = dImm(wz), sv = s();
      const uint32_t q = setq == 1 ? m_uQ : 0;
      if (setq != 1) m_uQ = 0;
      const CCordicResult r = Cordic::Rotate(dv, q, sv);
      CordicIssue(r.m_uX, r.m_uY);
      return;
    }
    case EOp::QVECTOR: {
      const uint32_t dv = dImm(wz), sv = s();
      const CCordicResult r = Cordic::Vector(dv, sv);
      CordicIssue(r.m_uX, r.m_uY);
      return;
    }
    case EOp::QLOG:
    case EOp::QEXP: {
      const uint32_t dv = dImm(imm);
      const CCordicResult r = op == EOp::QLOG ? Cordic::Log(dv) : Cordic::Exp(dv);
      CordicIssue(r.m_uX, r.m_uY);
      return;
    }
    case EOp::GETQX:
    case EOp::GETQY: {
      CordicRetire(op == EOp::GETQX);
      const uint32_t value = op == EOp::GETQX ? m_uQx : m_uQy;
      result(value, value >> 31);
      return;
    }

    // --- Hub control
    case EOp::HUBSET: {
      const uint32_t dv = dImm(imm);
      m_uCycles = 2 + CordicWait();
      switch (dv >> 28) {
        case 0:
          m_chip.ClockModeChanged(m_uStepStart, dv);
          return;
        case 1:
          NotSimulated(word, "HUBSET chip reset");
        default:
          // Filters, debug setup, RNG seeding and write protection have no effect here.
          return;
      }
    }
    case EOp::COGID: {
      const uint32_t dv = dImm(imm);
      m_uCycles = 2 + CordicWait();
      if (wc) {
        m_bC = m_chip.Cog(static_cast<int>(dv & 7)).Running() && (dv & 15) < 8;
      } else if (!imm) {
        write(static_cast<uint32_t>(m_nId));
        m_uCycles += 2;
      }
      return;
    }
    case EOp::COGINIT: {
      const uint32_t dv = dImm(wz), sv = s();
      const uint32_t ptra = setq == 1 ? m_uQ : 0;
      if (setq != 1) m_uQ = 0;
      m_uCycles = 2 + CordicWait();
      const int started = m_chip.CogInit(m_uStepStart + m_uCycles, dv, sv, ptra);
      if (wc) m_bC = started < 0;
      if (!wz && (dv & 0x10) && wc) {
        write(started < 0 ? 0xF : static_cast<uint32_t>(started));
        m_uCycles += 2;
      }
      if (!m_bRunning) m_bBranched = true;
      return;
    }
    case EOp::COGSTOP: {
      const uint32_t dv = dImm(imm);
      m_uCycles = 2 + CordicWait();
      m_chip.CogStop(m_uStepStart + m_uCycles, static_cast<int>(dv & 15));
      return;
    }
    case EOp::LOCKNEW: {
      const int lock = m_chip.Hub().NewLock();
      write(lock < 0 ? 0xF : static_cast<uint32_t>(lock));
      if (wc) m_bC = lock < 0;
      m_uCycles = 4 + CordicWait();
      return;
    }
    case EOp::LOCKRET:
      m_chip.Hub().ReturnLock(static_cast<int>(dImm(imm) & 15));
      m_uCycles = 2 + CordicWait();
      return;
    case EOp::LOCKTRY: {
      const bool got = m_chip.Hub().TryLock(static_cast<int>(dImm(imm) & 15), m_nId);
      if (wc) m_bC = got;
      m_uCycles = 2 + CordicWait() + (wc ? 2 : 0);
      return;
    }
    case EOp::LOCKREL: {
      const int lock = static_cast<int>(dImm(imm) & 15);
      CHub& hub = m_chip.Hub();
      if (wc && !imm) {
        write(static_cast<uint32_t>(hub.LockOwner(lock)));
        m_bC = hub.LockTaken(lock);
      }
      hub.ReleaseLock(lock, m_nId);
      m_uCycles = 2 + CordicWait() + (wc ? 2 : 0);
      return;
    }
    case EOp::COGATN:
      m_chip.CogAttention(m_uStepStart, dImm(imm) & 0xFFFF);
      return;

    // --- Timing and events
    case EOp::GETCT: {
      const uint64_t ct = m_uStepStart;
      write(wc ? static_cast<uint32_t>(ct >> 32) : static_cast<uint32_t>(ct));
      if (wc) m_bShielded = true;
      return;
    }
    case EOp::GETRND: {
      const uint32_t r = Random();
      if (!imm) write(r);
      if (wc) m_bC = r >> 31;
      if (wz) m_bZ = (r >> 30) & 1;
      return;
    }
    case EOp::WAITX: {
      uint32_t dv = dImm(imm);
      if (wc || wz) dv &= Random();
      m_uCycles = 2 + dv;
      m_stats.m_uWaitClocks += dv;
      if (wc) m_bC = false;
      if (wz) m_bZ = false;
      return;
    }
    case EOp::SETSE1:
    case EOp::SETSE2:
    case EOp::SETSE3:
    case EOp::SETSE4: {
      const int k = static_cast<int>(op) - static_cast<int>(EOp::SETSE1);
      const uint32_t config = dImm(imm) & 0x1FF;
      const uint32_t kind = (config >> 6) & 7;
      if (kind == 0 && (config & 0x3F))
        NotSimulated(word, "a non-pin event source of SETSE" + std::to_string(k + 1));
      m_aSeConfig[k] = config;
      m_aSeLast[k] =
          kind ? m_chip.Pins().Input(static_cast<int>(config & 63), m_uStepStart) : false;
      ClearEvent(kEventSe1 + k);
      return;
    }
    case EOp::SETPAT: {
      m_uPatMask = dImm(wz);
      m_uPatMatch = s();
      // The current C and Z select INB and 'not equal'.
      m_bPatB = m_bC;
      m_bPatNotEqual = m_bZ;
      m_bPatSet = true;
      ClearEvent(kEventPat);
      return;
    }
    case EOp::EVENTOP: {
      if (dField < 0x10) {
        // POLLxxx: the flag into C/Z, then clear it.
        const bool flag = EventFlag(static_cast<int>(dField));
        ClearEvent(static_cast<int>(dField));
        flags(flag, flag);
        return;
      }
      if (dField < 0x1F) {
        const int event = static_cast<int>(dField & 15);
        if (event == kEventFbw || event == kEventXmt || event == kEventXfi || event == kEventXro ||
            event == kEventXrl)
          NotSimulated(word);
        Wait(event, word);
        return;
      }
      switch (dField) {
        case 0x20:
          m_bStalled = false;
          return;
        case 0x21:
          m_bStalled = true;
          return;
        case 0x22:
        case 0x23:
        case 0x24:
          m_aIntTriggered[dField - 0x22] = true;
          return;
        case 0x25:
        case 0x26:
        case 0x27:
          m_aIntTriggered[dField - 0x25] = false;
          return;
        default:
          NotSimulated(word);
      }
    }
    case EOp::SETINT1:
    case EOp::SETINT2:
    case EOp::SETINT3: {
      const uint32_t source = dImm(imm) & 15;
      if (source == kEventFbw || source == kEventXmt || source == kEventXfi ||
          source == kEventXro || source == kEventXrl)
        NotSimulated(word, "interrupt source " + std::to_string(source));
      m_aIntSource[static_cast<int>(op) - static_cast<int>(EOp::SETINT1)] = source;
      return;
    }

    // --- One-register math
    case EOp::SPLITB:
      write(SplitB(d()));
      return;
    case EOp::MERGEB:
      write(MergeB(d()));
      return;
    case EOp::SPLITW:
      write(SplitW(d()));
      return;
    case EOp::MERGEW:
      write(MergeW(d()));
      return;
    case EOp::RGBSQZ: {
      const uint32_t dv = d();
      write(((dv >> 27) << 11) | (((dv >> 18) & 0x3F) << 5) | ((dv >> 11) & 0x1F));
      return;
    }
    case EOp::RGBEXP: {
      const uint32_t dv = d();
      const uint32_t r5 = (dv >> 11) & 0x1F, g6 = (dv >> 5) & 0x3F, b5 = dv & 0x1F;
      const uint32_t r8 = (r5 << 3) | (r5 >> 2), g8 = (g6 << 2) | (g6 >> 4),
                     b8 = (b5 << 3) | (b5 >> 2);
      write((r8 << 24) | (g8 << 16) | (b8 << 8));
      return;
    }
    case EOp::REV:
      write(Reverse(d()));
      return;
    case EOp::RCZR: {
      const uint32_t dv = d();
      const uint32_t r = (m_bC ? 0x8000'0000u : 0) | (m_bZ ? 0x4000'0000u : 0) | (dv >> 2);
      write(r);
      flags((dv >> 1) & 1, dv & 1);
      return;
    }
    case EOp::RCZL: {
      const uint32_t dv = d();
      const uint32_t r = (dv << 2) | (m_bC ? 2u : 0) | (m_bZ ? 1u : 0);
      write(r);
      flags(dv >> 31, (dv >> 30) & 1);
      return;
    }
    case EOp::WRC:
      write(m_bC ? 1 : 0);
      return;
    case EOp::WRNC:
      write(m_bC ? 0 : 1);
      return;
    case EOp::WRZ:
      write(m_bZ ? 1 : 0);
      return;
    case EOp::WRNZ: {
      if (imm) {
        // MODCZ: C and Z from the truth tables in D[7:4] and D[3:0].
        const bool c = Truth((dField >> 4) & 15, m_bC, m_bZ);
        const bool z = Truth(dField & 15, m_bC, m_bZ);
        flags(c, z);
        return;
      }
      write(m_bZ ? 0 : 1);
      return;
    }
    case EOp::PINOP:
      PinOperation(word, dImm(imm));
      return;

    case EOp::XINIT:
      if (dField == 0 && imm && wz && (word & 0x1FF) == 0) return;  // XSTOP: nothing runs
      NotSimulated(word, "the streamer (XINIT)");
    case EOp::XZERO:
    case EOp::XCONT:
    case EOp::SETXFRQ:
    case EOp::GETXACC:
      NotSimulated(word, "the streamer (" + InstructionSet::Mnemonic(word) + ")");

    default:
      NotSimulated(word);
  }
}
