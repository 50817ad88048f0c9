// Speed of the P2 simulator in simulated clocks per host second, for four kinds of program:
//  (a) one busy cog running an arithmetic loop from register RAM,
//  (b) the same loop in hub exec,
//  (c) eight busy cogs running the loop,
//  (d) four cogs that mostly wait (WAITX, WAITCT1, a pin edge via WAITSE1, a pin toggled
//      after WAITX), reported also as a multiple of real time.
// The programs are built here from instruction words, so the benchmark needs no compiler.
// Host time is the processor time of this process, so a busy machine does not skew it.
//
//   build/bench/bench_sim [SCALE [abcd]]  (SCALE multiplies the simulated clocks, default 1;
//                                          the letters pick the programs, default all)
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/Chip.h"

namespace {

constexpr uint32_t kAlways = 0xFu << 28;
constexpr uint32_t kClockMode = 0x0100'07FB;  // 20 MHz crystal, PLL x8: 160 MHz

// Two-operand instruction: opcode bits [27:21], then C Z I, D, S.
uint32_t Op(uint32_t opcode, uint32_t d, uint32_t s, bool immediate) {
  return kAlways | (opcode << 21) | (immediate ? 1u << 18 : 0) | ((d & 0x1FF) << 9) | (s & 0x1FF);
}
// The %1101011 group: D (immediate when `immediate`) and the S field selecting the operation.
uint32_t Group(uint32_t d, uint32_t select, bool immediate) {
  return kAlways | (0x6Bu << 21) | (immediate ? 1u << 18 : 0) | ((d & 0x1FF) << 9) | select;
}
uint32_t Augment(uint32_t opcode, uint32_t value) {
  return kAlways | (opcode << 21) | (value >> 9);
}
// JMP #A relative from the instruction at `from` to `to` (both in instructions).
uint32_t JumpBack(uint32_t from, uint32_t to) {
  const int32_t bytes = (static_cast<int32_t>(to) - static_cast<int32_t>(from) - 1) * 4;
  return kAlways | (0x6Cu << 21) | (1u << 20) | (static_cast<uint32_t>(bytes) & 0xFFFFF);
}

constexpr uint32_t kAdd = 0x08, kXor = 0x2B, kAddct1 = 0x53, kAugs = 0x78, kAugd = 0x7C;
constexpr uint32_t kWaitx = 0x1F, kGetct = 0x1A, kSetse1 = 0x20, kEvent = 0x24, kDrvnot = 0x5F;
constexpr uint32_t kWaitCt1 = 0x11, kWaitSe1 = 0x14;

// add x,#3 / xor y,x / add z,y / jmp back: 4 instructions in 10 clocks.
std::vector<uint32_t> ArithmeticLoop() {
  return {Op(kAdd, 0x100, 3, true), Op(kXor, 0x101, 0x100, false), Op(kAdd, 0x102, 0x101, false),
          JumpBack(3, 0)};
}

void Place(CChip& chip, uint32_t address, const std::vector<uint32_t>& code) {
  for (uint32_t k = 0; k < code.size(); ++k) chip.Hub().WriteLong(address + 4 * k, code[k]);
  chip.MarkHub(address, static_cast<uint32_t>(code.size() * 4));
}

std::unique_ptr<CChip> NewChip() {
  auto chip = std::make_unique<CChip>();
  chip->Hub().SetCrystalHz(20'000'000);
  chip->ClockModeChanged(0, kClockMode);
  return chip;
}

struct CFigure {
  const char* m_pName;
  double m_dClocksPerSecond;
  double m_dRealTime;
};

// Processor time of this process, so that other work on a shared machine does not count.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

CFigure Measure(const char* name, CChip& chip, uint64_t clocks) {
  const double start = CpuSeconds();
  const CChip::EStop stop = chip.Run(clocks);
  const double host = CpuSeconds() - start;
  if (stop != CChip::EStop::ClockLimit) {
    std::fprintf(stderr, "bench_sim: %s stopped early: %s\n", name, chip.ErrorMessage().c_str());
    std::exit(1);
  }
  const double perSecond = static_cast<double>(clocks) / host;
  return {name, perSecond, perSecond / static_cast<double>(chip.Hub().ClockHz())};
}

}  // namespace

int main(int argc, char* argv[]) {
  const uint64_t scale = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
  const std::string pick = argc > 2 ? argv[2] : "abcd";
  auto wanted = [&](char letter) { return pick.find(letter) != std::string::npos; };
  std::vector<CFigure> figures;

  if (wanted('a')) {
    auto chip = NewChip();
    Place(*chip, 0, ArithmeticLoop());
    chip->Cog(0).Start(0, 0, true, 0);
    figures.push_back(Measure("(a) one cog, register RAM", *chip, 400'000'000 * scale));
  }
  if (wanted('b')) {
    auto chip = NewChip();
    Place(*chip, 0x1000, ArithmeticLoop());
    chip->Cog(0).Start(0, 0x1000, false, 0);
    figures.push_back(Measure("(b) one cog, hub exec", *chip, 200'000'000 * scale));
  }
  if (wanted('c')) {
    auto chip = NewChip();
    Place(*chip, 0, ArithmeticLoop());
    for (int k = 0; k < CChip::kCogs; ++k) chip->Cog(k).Start(0, 0, true, 0);
    figures.push_back(Measure("(c) eight busy cogs", *chip, 100'000'000 * scale));
  }
  if (wanted('d')) {
    auto chip = NewChip();
    // Cog 0: WAITX 1 ms.
    Place(*chip, 0x1000,
          {Augment(kAugd, 160'000), Group(160'000 & 0x1FF, kWaitx, true), JumpBack(2, 0)});
    // Cog 1: a CT1 period of 0.5 ms.
    Place(
        *chip, 0x2000,
        {Group(0x100, kGetct, false), Augment(kAugs, 80'000),
         Op(kAddct1, 0x100, 80'000 & 0x1FF, true), Group(kWaitCt1, kEvent, false), JumpBack(4, 1)});
    // Cog 2: wait for rising edges of P0.
    Place(*chip, 0x3000,
          {Group(0x40, kSetse1, true), Group(kWaitSe1, kEvent, false), JumpBack(2, 1)});
    // Cog 3: toggle P0 every 2 ms.
    Place(*chip, 0x4000,
          {Augment(kAugd, 320'000), Group(320'000 & 0x1FF, kWaitx, true), Group(0, kDrvnot, true),
           JumpBack(3, 0)});
    for (int k = 0; k < 4; ++k) chip->Cog(k).Start(0, 0x1000 * (k + 1), true, 0);
    figures.push_back(Measure("(d) four waiting cogs", *chip, 1'600'000'000ull * scale));
  }

  std::printf("%-28s %22s %12s\n", "program", "simulated clocks/s", "x real time");
  for (const CFigure& f : figures)
    std::printf("%-28s %19.1f M %11.1fx\n", f.m_pName, f.m_dClocksPerSecond / 1e6, f.m_dRealTime);
  return 0;
}
