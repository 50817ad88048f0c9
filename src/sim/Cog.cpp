#include "sim/Cog.h"

#include <cstdio>

#include "sim/Chip.h"

namespace {

std::string Hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "$%0*X", digits, value);
  return text;
}

}  // namespace

CCog::CCog(CChip& chip, int id) : m_chip(chip), m_nId(id) {
  m_uRndState = 0x9E37'79B9u * static_cast<uint32_t>(id + 1);
}

void CCog::Start(uint64_t clock, uint32_t address, bool load, uint32_t ptra) {
  Stop();
  m_bRunning = true;
  m_aReg.fill(0);
  uint32_t pc = address & 0xFFFFF;
  uint64_t startDelay = 2;
  if (load) {
    // $000..$1EF are loaded from hub; the cog begins at $000 once they are in.
    CHub& hub = m_chip.Hub();
    for (uint32_t k = 0; k < 0x1F0; ++k) m_aReg[k] = hub.ReadLong(address + 4 * k);
    pc = 0;
    startDelay = 0x1F0 + 8;
  }
  m_aReg[kPTRA] = ptra;
  m_aReg[kPTRB] = address;
  StartInPlace(clock + startDelay, pc);
}

void CCog::StartInPlace(uint64_t clock, uint32_t pc) {
  m_bRunning = true;
  m_bWaiting = false;
  m_uTime = clock;
  m_uPc = pc;
  m_aStack.fill(0);
  m_nSetq = 0;
  m_bAugs = m_bAugd = false;
  m_bAltPending = m_bAltNext = false;
  m_bSOverride = m_bSOverrideNext = false;
  m_uSkip = 0;
  m_uSkipDepth = 0;
  m_bRepActive = false;
  m_bXbyte = false;
  m_uEvents = 0;
  m_aCtAt = {kNever, kNever, kNever};
  m_aIntSource = {};
  m_aIntTriggered = {};
  m_nIntActive = 0;
  m_nIntDepth = 0;
  m_bStalled = false;
  m_nCordicCount = 0;
  m_bLutShared = false;
  m_bPatSet = false;
  m_aSeConfig = {};
  if (pc >= 0x400) m_uTime += 13 + HubWait(pc);
}

void CCog::Stop() {
  if (!m_bRunning) return;
  m_bRunning = false;
  m_bWaiting = false;
  m_aReg[kDIRA] = m_aReg[kDIRB] = m_aReg[kOUTA] = m_aReg[kOUTB] = 0;
  m_chip.Pins().SetCogOutputs(m_nId, m_uTime, 0, 0);
  m_chip.Hub().ReleaseLocksOf(m_nId);
}

// ---------------------------------------------------------------------------------------------
// Fetch and operands

uint32_t CCog::FetchHub() {
  const uint32_t pc = m_uPc;
  if (!m_chip.HubHolds(pc))
    throw CSimStop{"cog " + std::to_string(m_nId) + " at " + Hex(pc, 5) +
                   ": jumped to hub memory with nothing loaded there"};
  m_uPc = (pc + 4) & 0xFFFFF;
  return m_chip.Hub().ReadLong(pc);
}

uint32_t CCog::ReadInputs(uint32_t address) {
  const uint64_t in = m_chip.Pins().Inputs(m_uTime);
  return address == kINA ? static_cast<uint32_t>(in) : static_cast<uint32_t>(in >> 32);
}

void CCog::WriteReg(uint32_t address, uint32_t value) {
  m_aReg[address] = value;
  if (address >= kDIRA && address <= kOUTB) SetPinOutputs();
}

void CCog::SetPinOutputs() {
  const uint64_t dir = m_aReg[kDIRA] | (static_cast<uint64_t>(m_aReg[kDIRB]) << 32);
  const uint64_t out = m_aReg[kOUTA] | (static_cast<uint64_t>(m_aReg[kOUTB]) << 32);
  const std::string error = m_chip.Pins().SetCogOutputs(m_nId, m_uTime, dir, out);
  if (!error.empty())
    throw CSimStop{"cog " + std::to_string(m_nId) + " at " + Hex(m_uInstructionPc, 5) + ": " +
                   error + " is not simulated yet"};
  m_chip.PinsChanged(m_uTime);
}

// ---------------------------------------------------------------------------------------------
// Branching and the stack

void CCog::Push(uint32_t value) {
  for (int k = 7; k > 0; --k) m_aStack[k] = m_aStack[k - 1];
  m_aStack[0] = value;
}

uint32_t CCog::Pop() {
  const uint32_t value = m_aStack[0];
  for (int k = 0; k < 7; ++k) m_aStack[k] = m_aStack[k + 1];
  return value;
}

uint32_t CCog::ReturnAddress() const {
  return (m_bC ? 0x8000'0000u : 0) | (m_bZ ? 0x4000'0000u : 0) | m_uPc;
}

uint32_t CCog::HubWait(uint32_t address) const {
  // Each cog meets each hub slice once every 8 clocks; slices follow address bits [4:2].
  return static_cast<uint32_t>(
      ((address >> 2) - static_cast<uint32_t>(m_nId) - static_cast<uint32_t>(m_uTime)) & 7);
}

void CCog::Branch(uint32_t target, uint32_t extraHubClocks) {
  target &= 0xFFFFF;
  m_uPc = target;
  m_bBranched = true;
  if (target >= 0x400)
    m_uCycles = 13 + HubWait(target) + ((target & 3) ? 1 : 0) + extraHubClocks;
  else if (m_uCycles < 4)
    m_uCycles = 4;
}

void CCog::BranchRelative(int32_t instructions) {
  const uint32_t step = m_uPc >= 0x400 ? 4 : 1;
  Branch(m_uPc + static_cast<uint32_t>(instructions) * step);
}

uint32_t CCog::BranchTargetFromS(uint32_t instruction, uint32_t s) {
  // #S is relative (signed, in instructions); a register holds an absolute address.
  if (instruction & (1u << 18)) {
    // #S is 9 bits; ##S (AUGS) makes it 20.
    const int32_t offset =
        m_bSAugmented ? static_cast<int32_t>(s << 12) >> 12 : static_cast<int32_t>(s << 23) >> 23;
    const uint32_t step = m_uPc >= 0x400 ? 4 : 1;
    return m_uPc + static_cast<uint32_t>(offset) * step;
  }
  return s;
}

void CCog::Return(uint32_t popped, uint32_t instruction, bool writeFlags) {
  if (writeFlags) {
    if (instruction & (1u << 20)) m_bC = (popped >> 31) & 1;
    if (instruction & (1u << 19)) m_bZ = (popped >> 30) & 1;
  }
  Branch(popped);
  if (m_uSkipDepth > 0) {
    --m_uSkipDepth;
    m_uSkip = m_aSkipSaved[m_uSkipDepth];
    m_bSkipFast = m_aSkipSavedFast[m_uSkipDepth];
  }
}

void CCog::AfterBranch() {
  // A branch inside a REP block ends the repeating.
  m_bRepActive = false;
}

// ---------------------------------------------------------------------------------------------
// Hub addressing

uint32_t CCog::HubAddress(uint32_t instruction, uint32_t s, uint32_t scale, uint32_t blockCount) {
  const bool immediate = (instruction >> 18) & 1;
  if (!immediate) return s & 0xFFFFF;
  // Without AUGS, #S[8] selects a PTRx expression; with AUGS, bit 23 of the 32-bit value does.
  const bool augmented = s > 0x1FF;
  uint32_t sup;
  int32_t index;
  if (!augmented) {
    if (!(s & 0x100)) return s & 0xFF;
    sup = (s >> 5) & 7;
    // %1S1PNNNNN updates PTRx by a 5-bit index, where %00000 stands for 16; %1S0NNNNNN only
    // offsets it, by 6 bits.
    if (sup & 2) {
      index = static_cast<int32_t>(s << 27) >> 27;
      if (index == 0) index = 16;
    } else {
      index = static_cast<int32_t>(s << 26) >> 26;
    }
    index *= static_cast<int32_t>(scale);
  } else {
    if (!(s & 0x80'0000)) return s & 0xFFFFF;
    sup = (s >> 20) & 7;
    index = static_cast<int32_t>(s << 12) >> 12;
  }
  const uint32_t ptr = (sup & 4) ? kPTRB : kPTRA;
  const bool update = sup & 2;
  const bool post = update && (sup & 1);
  if (update && blockCount > 1 && !augmented) {
    // A block move with PTRx++/-- steps the pointer over the whole block.
    index = index < 0 ? -static_cast<int32_t>(blockCount * scale)
                      : static_cast<int32_t>(blockCount * scale);
  }
  const uint32_t base = m_aReg[ptr];
  const uint32_t address = post ? base : base + static_cast<uint32_t>(index);
  if (update) m_aReg[ptr] = base + static_cast<uint32_t>(index);
  return address & 0xFFFFF;
}

uint32_t CCog::LutAddress(uint32_t instruction, uint32_t s) {
  return HubAddress(instruction, s, 1, 1) & 0x1FF;
}

void CCog::MarkHubAccess(uint32_t clocks) {
  ++m_stats.m_uHubAccesses;
  m_uCycles = clocks;
}

// ---------------------------------------------------------------------------------------------
// FIFO

uint32_t CCog::FifoReadByte() {
  const uint32_t value = m_chip.Hub().ReadByte(m_uFifoAddress);
  m_uFifoAddress = (m_uFifoAddress + 1) & 0xFFFFF;
  if (m_uFifoBlockBytes && m_uFifoAddress == m_uFifoBlockEnd) {
    m_uFifoAddress = m_uFifoNextStart;
    m_uFifoBlockEnd = m_uFifoNextStart + m_uFifoNextBytes;
    m_uFifoBlockBytes = m_uFifoNextBytes;
  }
  return value;
}

void CCog::FifoWriteByte(uint32_t value) {
  m_chip.Hub().WriteByte(m_uFifoAddress, value);
  m_chip.MarkHub(m_uFifoAddress, 1);
  m_uFifoAddress = (m_uFifoAddress + 1) & 0xFFFFF;
  if (m_uFifoBlockBytes && m_uFifoAddress == m_uFifoBlockEnd) {
    m_uFifoAddress = m_uFifoNextStart;
    m_uFifoBlockEnd = m_uFifoNextStart + m_uFifoNextBytes;
    m_uFifoBlockBytes = m_uFifoNextBytes;
  }
}

// ---------------------------------------------------------------------------------------------
// Events

bool CCog::EventFlag(int event) {
  if (event >= kEventCt1 && event <= kEventCt3) {
    const int k = event - kEventCt1;
    if (m_uTime >= m_aCtAt[k]) {
      m_uEvents |= 1u << event;
      m_aCtAt[k] = kNever;
    }
  } else if (event >= kEventSe1 && event <= kEventSe4) {
    const uint32_t config = m_aSeConfig[event - kEventSe1];
    const uint32_t kind = (config >> 6) & 7;
    const int pin = static_cast<int>(config & 63);
    if (kind >= 1) {
      const bool level = m_chip.Pins().Input(pin, m_uTime);
      bool& last = m_aSeLast[event - kEventSe1];
      bool hit = false;
      switch (kind) {
        case 1:
          hit = level && !last;
          break;
        case 2:
          hit = !level && last;
          break;
        case 3:
          hit = level != last;
          break;
        case 4:
        case 5:
          hit = !level;  // %10x: the pin is low
          break;
        default:
          hit = level;  // %11x: the pin is high
          break;
      }
      last = level;
      if (hit) m_uEvents |= 1u << event;
    }
  } else if (event == kEventPat && m_bPatSet) {
    const uint64_t in = m_chip.Pins().Inputs(m_uTime);
    const uint32_t port = m_bPatB ? static_cast<uint32_t>(in >> 32) : static_cast<uint32_t>(in);
    const bool equal = (port & m_uPatMask) == m_uPatMatch;
    if (equal != m_bPatNotEqual) m_uEvents |= 1u << event;
  } else if (event == kEventQmt) {
    // QMT is raised by GETQX/GETQY with nothing in the CORDIC; kept in m_uEvents.
  }
  return (m_uEvents >> event) & 1;
}

void CCog::ClearEvent(int event) { m_uEvents &= ~(1u << event); }

void CCog::CheckInterrupts() {
  if (m_bShielded || m_bRepActive || m_uSkip) return;
  for (int level = 1; level <= 3; ++level) {
    if (m_nIntActive && m_nIntActive <= level) return;
    const uint32_t source = m_aIntSource[level - 1];
    bool fire = m_aIntTriggered[level - 1];
    if (!fire && source && !m_bStalled) fire = EventFlag(static_cast<int>(source));
    if (!fire) continue;
    m_aIntTriggered[level - 1] = false;
    if (source) ClearEvent(static_cast<int>(source));
    m_uEvents |= 1u << kEventInt;
    const uint32_t jmp = level == 1 ? kIJMP1 : level == 2 ? kIJMP2 : kIJMP3;
    m_aReg[jmp + 1] = ReturnAddress();
    m_aIntStack[m_nIntDepth++] = m_nIntActive;
    m_nIntActive = level;
    m_uPc = m_aReg[jmp] & 0xFFFFF;
    m_uTime += m_uPc >= 0x400 ? 13 + HubWait(m_uPc) : 4;
    return;
  }
}

uint32_t CCog::Random() {
  // A deterministic stand-in for the hub's PRNG: xorshift, advanced on every read.
  uint32_t x = m_uRndState ^ static_cast<uint32_t>(m_uTime * 0x2545'F491u);
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  m_uRndState = x;
  return x;
}

uint32_t CCog::CordicWait() {
  // CORDIC commands go in at the cog's hub slot.
  return static_cast<uint32_t>((static_cast<uint32_t>(m_nId) - static_cast<uint32_t>(m_uTime)) & 7);
}

// ---------------------------------------------------------------------------------------------
// The instruction loop

[[noreturn]] void CCog::NotSimulated(uint32_t instruction, const std::string& what) {
  std::string name = what;
  if (name.empty()) {
    const EOp op = InstructionSet::Decode(instruction);
    if (op == EOp::ILLEGAL)
      throw CSimStop{"cog " + std::to_string(m_nId) + " at " + Hex(m_uInstructionPc, 5) + ": " +
                     Hex(instruction, 8) + " is not a P2 instruction"};
    name = "instruction " + InstructionSet::Mnemonic(instruction);
  }
  throw CSimStop{"cog " + std::to_string(m_nId) + " at " + Hex(m_uInstructionPc, 5) + ": " + name +
                 " is not simulated yet"};
}

void CCog::StartXbyte() {
  // RET/_RET_ to $1FF: fetch a bytecode through the FIFO, look it up in LUT and EXECF it.
  const uint32_t mode = m_bXbyteOnce ? m_uXbyteModeOnce : m_uXbyteMode;
  m_bXbyteOnce = false;
  const uint32_t b = FifoReadByte();
  uint32_t index = b;
  uint32_t address = 0;
  switch ((mode >> 1) & 7) {
    case 0:
    case 1: {
      // %ABBBB00xF: 8 bits; a non-zero BBBB folds bytecodes from BBBB<<4 up into 16-entry sets.
      const uint32_t bbbb = (mode >> 4) & 15;
      if (bbbb && (b >> 4) >= bbbb) {
        index = (b >> 4) - bbbb;
        address = (mode & 0x100) | (bbbb << 4) | index;
      } else {
        address = (mode & 0x100) | b;
      }
      break;
    }
    case 2:  // %AAxx0010F: b[6:0]; %AAAx1010F: b[5:0]
      index = (mode & 0x10) ? b & 0x3F : b & 0x7F;
      address = (mode & ((mode & 0x10) ? 0x1C0 : 0x180)) | index;
      break;
    case 3:  // %AAxx0011F: b[7:1]; %AAAx1011F: b[7:2]
      index = (mode & 0x10) ? b >> 2 : b >> 1;
      address = (mode & ((mode & 0x10) ? 0x1C0 : 0x180)) | index;
      break;
    case 4:  // %AAAAx100F: b[4:0]
      index = b & 0x1F;
      address = (mode & 0x1E0) | index;
      break;
    case 5:  // %AAAAx101F: b[7:3]
      index = b >> 3;
      address = (mode & 0x1E0) | index;
      break;
    case 6:  // %AAAAA110F: b[3:0]
      index = b & 0xF;
      address = (mode & 0x1F0) | index;
      break;
    default:  // %AAAAA111F: b[7:4]
      index = b >> 4;
      address = (mode & 0x1F0) | index;
      break;
  }
  const uint32_t bytecode = b;
  const uint32_t entry = m_aLut[address & 0x1FF];
  m_aReg[kPA] = bytecode;
  m_aReg[kPB] = m_uFifoAddress;
  if (mode & 1) {
    m_bC = (index >> 1) & 1;
    m_bZ = index & 1;
  }
  m_uPc = entry & 0x3FF;
  m_uSkip = entry >> 10;
  m_bSkipFast = true;
  m_uSkipDepth = 0;
  m_uCycles += 6;
}

void CCog::LeapSkipped() {
  // SKIPF in cog/LUT memory steps the PC over up to 7 skipped instructions at no cost.
  if (!m_uSkip || !m_bSkipFast || m_uPc >= 0x400) return;
  for (int count = 0; count < 7 && (m_uSkip & 1); ++count) {
    m_uSkip >>= 1;
    ++m_uPc;
  }
}

void CCog::Step() {
  if (m_bWaiting) {
    // Re-check the event a WAITxxx is waiting for.
    m_uStepStart = m_uTime;
    m_uCycles = 2;
    m_bBranched = false;
    Execute(m_uWaitInstruction, InstructionSet::Decode(m_uWaitInstruction));
    if (m_bWaiting) return;
    if ((m_uWaitInstruction >> 28) == 0) Return(Pop(), 0, false);
    m_uTime = m_uStepStart + m_uCycles;
    return;
  }
  m_uStepStart = m_uTime;
  m_uCycles = 2;
  m_bBranched = false;
  m_uInstructionPc = m_uPc;
  const uint32_t instruction = Fetch();

  // Prefixes: AUGS/AUGD, ALTx, SETQ and the S value given by SCA & co. last one instruction.
  m_bAltNext = m_bAltPending;
  m_bAltPending = false;
  m_bSOverride = m_bSOverrideNext;
  m_bSOverrideNext = false;
  const int setq = m_nSetq;
  m_nSetq = 0;
  m_bShielded = false;

  uint32_t word = instruction;
  if (m_bAltNext) word = (word & ~m_uAltMask) | (m_uAltValue & m_uAltMask);

  // Skipping: the pattern's low bit decides whether this instruction is cancelled.
  if (m_uSkip) {
    const bool skip = m_uSkip & 1;
    m_uSkip >>= 1;
    if (skip) {
      // A skipped instruction that is already in the pipeline is cancelled: 2 clocks. Like an
      // instruction whose condition fails, it takes the ALTx prefix before it.
      m_bSOverrideNext = m_bSOverride;
      m_nSetq = setq;
      m_uTime += 2;
      LeapSkipped();
      return;
    }
  }

  const uint32_t cond = word >> 28;
  const bool pass = cond == 0 || ((cond >> ((m_bC ? 2 : 0) | (m_bZ ? 1 : 0))) & 1);
  ++m_stats.m_uInstructions;
  EOp op = EOp::NOP;
  if (pass) {
    m_nSetqAge = setq;
    op = InstructionSet::Decode(word);
    Execute(word, op);
    if (m_bWaiting) return;
    // AUGS/AUGD and the ALTx prefixes pass a SETQ on to the instruction after them.
    if (setq && !m_nSetq &&
        (op == EOp::AUGS || op == EOp::AUGD || (op >= EOp::ALTSN && op <= EOp::ALTI)))
      m_nSetq = setq;
    if (cond == 0 && !m_bBranched && op != EOp::NOP) {
      // _RET_: return after the instruction unless it branched.
      const uint32_t popped = Pop();
      if ((popped & 0xFFFFF) == 0x1FF) {
        Push(popped);
        m_uCycles = 2;
        StartXbyte();
        m_bBranched = true;
      } else {
        Return(popped, 0, false);
      }
    }
  } else {
    // A cancelled AUGS/AUGD still does not apply; other prefixes carry on as the chip's do.
    m_nSetqAge = 0;
  }
  if (m_pTrace) {
    // Clock, cog, address, instruction word, mnemonic, the D register after it, flags.
    std::fprintf(m_pTrace, "%12llu cog %d %05X %08X %-8s D[%03X]=%08X C=%d Z=%d%s\n",
                 static_cast<unsigned long long>(m_uStepStart), m_nId, m_uInstructionPc,
                 instruction, InstructionSet::Mnemonic(word).c_str(), (word >> 9) & 0x1FF,
                 m_aReg[(word >> 9) & 0x1FF], m_bC, m_bZ, pass ? "" : " (cancelled)");
  }

  // REP: jump back to the top of the block after its last instruction.
  if (m_bRepActive) {
    if (m_bBranched) {
      AfterBranch();
    } else if (m_uPc == m_uRepEnd) {
      if (m_bRepInfinite || --m_uRepCount > 0) {
        m_uPc = m_uRepStart;
        if (m_uPc >= 0x400) m_uCycles += 13;
      } else {
        m_bRepActive = false;
      }
    }
  }
  m_uTime = m_uStepStart + m_uCycles;
  // The instruction after SKIPF is in the pipe already; later ones can be stepped over.
  if (m_uSkip && !m_bBranched && op != EOp::SKIPF) LeapSkipped();
  if (m_aIntSource[0] | m_aIntSource[1] | m_aIntSource[2] | m_aIntTriggered[0] |
      m_aIntTriggered[1] | m_aIntTriggered[2]) [[unlikely]]
    CheckInterrupts();
}
