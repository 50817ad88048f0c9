#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "sim/SmartPin.h"

// Something outside the chip that watches pin wires (the terminal on P62).
class IPinObserver {
 public:
  virtual ~IPinObserver() = default;
  virtual void PinChanged(int pin, uint64_t clock, bool level) = 0;
};

// The 64 I/O pins: each cog's DIR and OUT bits (ORed together, as the chip does), the smart
// pin cell behind every pin and the level each wire settles at. A pin nobody drives reads
// high, as the serial lines of a board with a USB adapter do.
class CPins {
 public:
  static constexpr int kCogs = 8;

  CPins();

  // A cog's DIRA/DIRB/OUTA/OUTB changed; returns an error text for a smart pin mode that
  // cannot be simulated, else empty.
  std::string SetCogOutputs(int cog, uint64_t clock, uint64_t dir, uint64_t out);
  uint64_t CogDir(int cog) const { return m_aCogDir[cog]; }
  uint64_t CogOut(int cog) const { return m_aCogOut[cog]; }

  // INA/INB as a cog reads them at a clock.
  uint64_t Inputs(uint64_t clock);
  bool Input(int pin, uint64_t clock);

  CSmartPin& Smart(int pin) { return m_aSmart[pin & 63]; }
  std::string WriteConfig(int pin, uint64_t clock, uint32_t config);

  // Drive from outside the chip (a terminal sending on P63); high when released.
  void DriveExternal(int pin, uint64_t clock, bool level);

  void SetObserver(int pin, IPinObserver* observer);

  // The scheduler: the next clock at which a smart pin changes its wire, and bringing all
  // smart pins up to a clock.
  uint64_t NextEventClock() const { return m_uNextEvent; }
  void AdvanceTo(uint64_t clock);
  // After a cog touched a smart pin, its next event may have moved.
  void RefreshNextEvent();

  bool Level(int pin) const;

 private:
  void Settle(uint64_t clock);
  void NotifyIfChanged(int pin, uint64_t clock);

  std::array<uint64_t, kCogs> m_aCogDir{};
  std::array<uint64_t, kCogs> m_aCogOut{};
  uint64_t m_uDir = 0;
  uint64_t m_uOut = 0;
  uint64_t m_uExternalLow = 0;  // pins pulled low from outside
  std::array<CSmartPin, 64> m_aSmart{};
  std::array<IPinObserver*, 64> m_aObserver{};
  std::array<bool, 64> m_aLastLevel{};
  uint64_t m_uObserved = 0;
  uint64_t m_uNextEvent = CSmartPin::kNever;
};
