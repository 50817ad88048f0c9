#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "sim/InstructionSet.h"

class CChip;

// Why a run stopped inside a cog: an instruction or mode the simulator does not model, or a
// program fault it can name. Thrown out of the instruction loop and reported by the chip.
struct CSimStop {
  std::string m_sMessage;
};

// Per-cog counters for --stats.
struct CCogStats {
  uint64_t m_uInstructions = 0;
  uint64_t m_uWaitClocks = 0;
  uint64_t m_uHubAccesses = 0;
};

// One cog: 512 longs of register RAM, 512 longs of lookup RAM, C and Z, the hardware stack,
// the hub FIFO, events and interrupts. It runs one instruction per Step at its own clock
// (m_uTime); the chip always steps the cog whose clock is earliest.
class CCog {
 public:
  static constexpr uint32_t kIJMP3 = 0x1F0, kIRET3 = 0x1F1, kIJMP2 = 0x1F2, kIRET2 = 0x1F3,
                            kIJMP1 = 0x1F4, kIRET1 = 0x1F5, kPA = 0x1F6, kPB = 0x1F7, kPTRA = 0x1F8,
                            kPTRB = 0x1F9, kDIRA = 0x1FA, kDIRB = 0x1FB, kOUTA = 0x1FC,
                            kOUTB = 0x1FD, kINA = 0x1FE, kINB = 0x1FF;
  static constexpr uint64_t kNever = ~0ull;

  CCog(CChip& chip, int id);

  // COGINIT: either load $000..$1EF from hub `address` and run from $000, or run at `address`.
  void Start(uint64_t clock, uint32_t address, bool load, uint32_t ptra);
  void Stop();
  bool Running() const { return m_bRunning; }
  int Id() const { return m_nId; }

  // Runs one instruction (or one clock of waiting) at m_uTime. Throws CSimStop.
  void Step();
  uint64_t Time() const { return m_uTime; }
  void WakeAt(uint64_t clock) {
    if (m_bWaiting && clock < m_uTime) m_uTime = clock;
  }
  bool Waiting() const { return m_bWaiting; }

  // Register and state access for the tests and the chip.
  uint32_t Register(uint32_t address) const { return m_aReg[address & 0x1FF]; }
  void SetRegister(uint32_t address, uint32_t value) { m_aReg[address & 0x1FF] = value; }
  uint32_t Lut(uint32_t address) const { return m_aLut[address & 0x1FF]; }
  void WriteLutFromPartner(uint32_t address, uint32_t value) {
    if (m_bLutShared) m_aLut[address & 0x1FF] = value;
  }
  bool C() const { return m_bC; }
  bool Z() const { return m_bZ; }
  void SetFlags(bool c, bool z) {
    m_bC = c;
    m_bZ = z;
  }
  uint32_t Pc() const { return m_uPc; }
  // Starts at a cog address with the registers as they are (the instruction tests).
  void StartInPlace(uint64_t clock, uint32_t pc);

  void Attention() { m_uEvents |= 1u << kEventAtn; }
  const CCogStats& Stats() const { return m_stats; }
  void SetTrace(std::FILE* trace) { m_pTrace = trace; }

 private:
  enum : int {
    kEventInt = 0,
    kEventCt1,
    kEventCt2,
    kEventCt3,
    kEventSe1,
    kEventSe2,
    kEventSe3,
    kEventSe4,
    kEventPat,
    kEventFbw,
    kEventXmt,
    kEventXfi,
    kEventXro,
    kEventXrl,
    kEventAtn,
    kEventQmt
  };

  // Fetch and operands; the common cases are inline, since every instruction takes them.
  uint32_t Fetch() {
    const uint32_t pc = m_uPc;
    if (pc < 0x200) {
      m_uPc = pc + 1;
      return m_aReg[pc];
    }
    if (pc < 0x400) {
      m_uPc = pc + 1;
      return m_aLut[pc - 0x200];
    }
    return FetchHub();
  }
  uint32_t FetchHub();
  uint32_t ReadReg(uint32_t address) {
    return address >= kINA ? ReadInputs(address) : m_aReg[address];
  }
  uint32_t ReadInputs(uint32_t address);
  void WriteReg(uint32_t address, uint32_t value);
  uint32_t SourceValue(uint32_t instruction) {
    m_bSAugmented = false;
    if (m_bSOverride) return m_uSOverride;
    const uint32_t s = instruction & 0x1FF;
    if (instruction & (1u << 18)) {
      if (m_bAugs) {
        m_bAugs = false;
        m_bSAugmented = true;
        return m_uAugs | s;
      }
      return s;
    }
    return ReadReg(s);
  }
  uint32_t DestValue(uint32_t instruction) { return ReadReg((instruction >> 9) & 0x1FF); }

  // Execution.
  void Execute(uint32_t instruction, EOp op);
  [[noreturn]] void NotSimulated(uint32_t instruction, const std::string& what = {});
  void Branch(uint32_t target, uint32_t extraHubClocks = 0);
  void BranchRelative(int32_t instructions);
  uint32_t RelativeTarget(uint32_t a) const;
  uint32_t BranchTargetFromS(uint32_t instruction, uint32_t s);
  void Push(uint32_t value);
  uint32_t Pop();
  uint32_t ReturnAddress() const;
  void Return(uint32_t popped, uint32_t instruction, bool writeFlags);
  void StartXbyte();
  void AfterBranch();
  void LeapSkipped();

  // Hub access.
  uint32_t HubWait(uint32_t address) const;
  uint32_t HubAddress(uint32_t instruction, uint32_t s, uint32_t scale, uint32_t blockCount);
  uint32_t LutAddress(uint32_t instruction, uint32_t s);
  void MarkHubAccess(uint32_t clocks);

  // FIFO.
  uint32_t FifoReadByte();
  void FifoWriteByte(uint32_t value);

  // Events and interrupts.
  bool EventFlag(int event);
  void ClearEvent(int event);
  bool Wait(int event, uint32_t instruction);
  void CheckInterrupts();
  void SetPinOutputs();
  void PinOperation(uint32_t instruction, uint32_t d);
  uint32_t Random();
  uint32_t CordicWait();

  CChip& m_chip;
  int m_nId;
  bool m_bRunning = false;
  bool m_bWaiting = false;
  uint32_t m_uWaitInstruction = 0;
  uint64_t m_uWaitDeadline = kNever;
  uint64_t m_uWaitBegan = 0;
  uint64_t m_uTime = 0;
  uint64_t m_uStepStart = 0;
  uint32_t m_uCycles = 0;

  std::array<uint32_t, 512> m_aReg{};
  std::array<uint32_t, 512> m_aLut{};
  bool m_bLutShared = false;
  bool m_bC = false;
  bool m_bZ = false;
  uint32_t m_uPc = 0;
  uint32_t m_uInstructionPc = 0;
  bool m_bBranched = false;
  std::array<uint32_t, 8> m_aStack{};

  // Prefix state for the next instruction.
  uint32_t m_uQ = 0;
  int m_nSetq = 0;  // 0 none, 1 SETQ, 2 SETQ2 just before
  int m_nSetqAge = 0;
  bool m_bAugs = false, m_bAugd = false;
  bool m_bSAugmented = false;  // the last S value read took AUGS
  uint32_t m_uAugs = 0, m_uAugd = 0;
  bool m_bAltPending = false;  // an ALTx prefix applies to the next instruction
  bool m_bAltNext = false;
  uint32_t m_uAltMask = 0;  // bits of the next instruction word replaced by m_uAltValue
  uint32_t m_uAltValue = 0;
  bool m_bAltResult = false;
  uint32_t m_uAltResult = 0;
  bool m_bAltNoWrite = false;
  bool m_bSOverride = false;  // SCA/SCAS/XORO32/GETXACC give the next instruction's S value
  bool m_bSOverrideNext = false;
  uint32_t m_uSOverride = 0;
  uint32_t m_uResultAddress = 0;

  // SKIP/SKIPF and REP.
  uint32_t m_uSkip = 0;
  bool m_bSkipFast = false;
  std::array<uint32_t, 8> m_aSkipSaved{};
  std::array<bool, 8> m_aSkipSavedFast{};
  uint32_t m_uSkipDepth = 0;
  uint32_t m_uRepStart = 0, m_uRepEnd = 0, m_uRepCount = 0;
  bool m_bRepInfinite = false, m_bRepActive = false;

  // XBYTE.
  bool m_bXbyte = false;
  uint32_t m_uXbyteMode = 0;
  uint32_t m_uXbyteModeOnce = 0;
  bool m_bXbyteOnce = false;

  // Hub FIFO for RDFAST/WRFAST.
  uint32_t m_uFifoAddress = 0;
  uint32_t m_uFifoStart = 0;
  uint32_t m_uFifoBlockEnd = 0;
  uint32_t m_uFifoBlockBytes = 0;
  uint32_t m_uFifoNextStart = 0;
  uint32_t m_uFifoNextBytes = 0;
  bool m_bFifoWrite = false;

  // Events.
  uint32_t m_uEvents = 0;
  std::array<uint32_t, 3> m_aCtTarget{};
  std::array<uint64_t, 3> m_aCtAt{kNever, kNever, kNever};
  std::array<uint32_t, 4> m_aSeConfig{};
  std::array<bool, 4> m_aSeLast{};
  uint32_t m_uPatMask = 0, m_uPatMatch = 0;
  bool m_bPatB = false, m_bPatNotEqual = false, m_bPatSet = false;

  // Interrupts: sources (event numbers, 0 = off), active levels, stall.
  std::array<uint32_t, 3> m_aIntSource{};
  std::array<bool, 3> m_aIntTriggered{};
  int m_nIntActive = 0;  // 0 none, else 1..3 of the running ISR (highest priority 1)
  std::array<int, 4> m_aIntStack{};
  int m_nIntDepth = 0;
  bool m_bStalled = false;
  bool m_bShielded = false;

  // CORDIC results in flight.
  struct CQueued {
    uint64_t m_uReady;
    uint32_t m_uX, m_uY;
  };
  std::array<CQueued, 16> m_aCordic{};
  int m_nCordicHead = 0, m_nCordicCount = 0;
  uint32_t m_uQx = 0, m_uQy = 0;
  void CordicIssue(uint32_t x, uint32_t y);
  void CordicRetire(bool x);
  bool m_bQxNew = false, m_bQyNew = false;

  uint32_t m_uPixV = 0, m_uPixMode = 0;
  uint32_t m_uRndState = 0;
  CCogStats m_stats;
  std::FILE* m_pTrace = nullptr;
};
