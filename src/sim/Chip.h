#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "sim/Cog.h"
#include "sim/Hub.h"
#include "sim/Pins.h"

// A device outside the chip that acts at clocks of its own (a terminal sending on a pin).
class IClockedDevice {
 public:
  virtual ~IClockedDevice() = default;
  // The next clock at which the device changes something, or ~0 for none.
  virtual uint64_t NextEventClock() = 0;
  virtual void AdvanceTo(uint64_t clock) = 0;
};

// The whole P2: hub, eight cogs and the pins, kept in step by one scheduler. The scheduler
// always runs the cog whose clock is earliest (ties go to the lower cog number) for as long as
// it stays before every other cog and the next smart pin change, so one busy cog runs in a
// tight loop and a waiting cog costs nothing until its wake-up clock.
class CChip {
 public:
  static constexpr int kCogs = 8;

  enum class EStop { Running, AllStopped, ClockLimit, Error, Requested };

  CChip();

  CHub& Hub() { return m_hub; }
  CPins& Pins() { return m_pins; }
  CCog& Cog(int id) { return *m_aCogs[id & 7]; }

  // Loads a .binary at hub $00000 (false with a message when it cannot be).
  bool LoadImage(const std::vector<uint8_t>& image, std::string& error);
  // Starts cog 0 from hub $00000 as the boot loader does, in RCFAST.
  void Boot();

  // Runs until `clockLimit`, until every cog has stopped, until an error, or until RequestStop.
  EStop Run(uint64_t clockLimit);
  void RequestStop() { m_bStopRequested = true; }
  const std::string& ErrorMessage() const { return m_sError; }
  // The latest clock any cog has reached.
  uint64_t Clock() const { return m_uClock; }

  // Simulated time, following HUBSET's changes of the clock frequency.
  double SecondsAt(uint64_t clock) const;
  uint64_t ClockAtSeconds(double seconds) const;
  void ClockModeChanged(uint64_t clock, uint32_t mode);

  // Hub services the cogs call.
  int CogInit(uint64_t clock, uint32_t d, uint32_t s, uint32_t ptra);  // -1 when none free
  void CogStop(uint64_t clock, int cog);
  void CogAttention(uint64_t clock, uint32_t mask);
  void PinsChanged(uint64_t clock);
  void LutWritten(int cog, uint32_t address, uint32_t value);

  // Which hub longs hold something (loaded or written), so a jump into empty memory is named.
  bool HubHolds(uint32_t address) const {
    const uint32_t index = (address & CHub::kRamMask) >> 2;
    return (m_vHubUsed[index >> 6] >> (index & 63)) & 1;
  }
  void MarkHub(uint32_t address, uint32_t bytes);

  void SetTrace(std::FILE* trace, int cog);
  void AddDevice(IClockedDevice* device) { m_vDevices.push_back(device); }
  void RemoveDevice(IClockedDevice* device);

 private:
  void Reschedule(int cog) {
    m_aNext[cog] = m_aCogs[cog]->Running() ? m_aCogs[cog]->Time() : CCog::kNever;
    m_bRescheduled = true;
  }
  bool m_bRescheduled = false;  // another cog's clock changed during a batch

  std::vector<IClockedDevice*> m_vDevices;
  // Each cog's next clock (kNever when stopped), kept beside each other for the scheduler.
  std::array<uint64_t, kCogs> m_aNext{};
  CHub m_hub;
  CPins m_pins;
  std::array<std::unique_ptr<CCog>, kCogs> m_aCogs;
  std::vector<uint64_t> m_vHubUsed;
  bool m_bStopRequested = false;
  std::string m_sError;
  uint64_t m_uClock = 0;

  // Clock frequency history: at m_uSegmentClock the time was m_dSegmentSeconds.
  uint64_t m_uSegmentClock = 0;
  double m_dSegmentSeconds = 0;
};
