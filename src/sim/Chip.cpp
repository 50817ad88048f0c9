#include "sim/Chip.h"

CChip::CChip() : m_vHubUsed(CHub::kRamSize / 4 / 64, 0) {
  for (int k = 0; k < kCogs; ++k) m_aCogs[k] = std::make_unique<CCog>(*this, k);
}

bool CChip::LoadImage(const std::vector<uint8_t>& image, std::string& error) {
  if (image.empty()) {
    error = "the program is empty";
    return false;
  }
  if (!m_hub.Load(image)) {
    error = "the program is " + std::to_string(image.size()) + " bytes, more than the " +
            std::to_string(CHub::kRamSize) + " bytes of hub RAM";
    return false;
  }
  std::fill(m_vHubUsed.begin(), m_vHubUsed.end(), 0);
  MarkHub(0, static_cast<uint32_t>(image.size()));
  return true;
}

void CChip::MarkHub(uint32_t address, uint32_t bytes) {
  if (bytes == 0) return;
  const uint32_t first = (address & CHub::kRamMask) >> 2;
  const uint32_t last = ((address + bytes - 1) & CHub::kRamMask) >> 2;
  for (uint32_t index = first;; index = (index + 1) & (CHub::kRamMask >> 2)) {
    m_vHubUsed[index >> 6] |= 1ull << (index & 63);
    if (index == last) break;
  }
}

void CChip::Boot() {
  m_hub.SetClockMode(0);
  m_uSegmentClock = 0;
  m_dSegmentSeconds = 0;
  m_aCogs[0]->Start(0, 0, true, 0);
}

int CChip::CogInit(uint64_t clock, uint32_t d, uint32_t s, uint32_t ptra) {
  int target = static_cast<int>(d & 15);
  if (d & 0x10) {
    target = -1;
    const bool pair = d & 1;
    for (int k = 0; k < kCogs; k += pair ? 2 : 1) {
      if (!m_aCogs[k]->Running() && (!pair || !m_aCogs[k + 1]->Running())) {
        target = k;
        break;
      }
    }
    if (target < 0) return -1;
    if (pair) m_aCogs[target + 1]->Start(clock, s, !(d & 0x20), ptra);
  }
  if (target >= kCogs) return -1;
  m_aCogs[target]->Start(clock, s, !(d & 0x20), ptra);
  return target;
}

void CChip::CogStop(uint64_t clock, int cog) {
  if (cog >= kCogs) return;
  (void)clock;
  m_aCogs[cog]->Stop();
}

void CChip::CogAttention(uint64_t clock, uint32_t mask) {
  for (int k = 0; k < kCogs; ++k) {
    if (!((mask >> k) & 1) || !m_aCogs[k]->Running()) continue;
    m_aCogs[k]->Attention();
    m_aCogs[k]->WakeAt(clock);
  }
}

void CChip::PinsChanged(uint64_t clock) {
  for (auto& cog : m_aCogs)
    if (cog->Waiting()) cog->WakeAt(clock);
}

void CChip::LutWritten(int cog, uint32_t address, uint32_t value) {
  m_aCogs[cog ^ 1]->WriteLutFromPartner(address, value);
}

void CChip::RemoveDevice(IClockedDevice* device) { std::erase(m_vDevices, device); }

void CChip::SetTrace(std::FILE* trace, int cog) {
  for (int k = 0; k < kCogs; ++k) m_aCogs[k]->SetTrace(k == cog || cog < 0 ? trace : nullptr);
}

double CChip::SecondsAt(uint64_t clock) const {
  return m_dSegmentSeconds +
         static_cast<double>(clock - m_uSegmentClock) / static_cast<double>(m_hub.ClockHz());
}

uint64_t CChip::ClockAtSeconds(double seconds) const {
  if (seconds <= m_dSegmentSeconds) return m_uSegmentClock;
  return m_uSegmentClock + static_cast<uint64_t>((seconds - m_dSegmentSeconds) *
                                                 static_cast<double>(m_hub.ClockHz()));
}

void CChip::ClockModeChanged(uint64_t clock, uint32_t mode) {
  if (clock < m_uSegmentClock) clock = m_uSegmentClock;
  m_dSegmentSeconds = SecondsAt(clock);
  m_uSegmentClock = clock;
  m_hub.SetClockMode(mode);
}

CChip::EStop CChip::Run(uint64_t clockLimit) {
  m_bStopRequested = false;
  while (true) {
    // The earliest running cog, and the clock of the one after it.
    int best = -1;
    uint64_t bestTime = CCog::kNever, nextTime = CCog::kNever;
    for (int k = 0; k < kCogs; ++k) {
      const CCog& cog = *m_aCogs[k];
      if (!cog.Running()) continue;
      const uint64_t t = cog.Time();
      if (t < bestTime) {
        nextTime = bestTime;
        bestTime = t;
        best = k;
      } else if (t < nextTime) {
        nextTime = t;
      }
    }
    if (best < 0) return EStop::AllStopped;
    uint64_t pinTime = m_pins.NextEventClock();
    for (IClockedDevice* device : m_vDevices) {
      const uint64_t t = device->NextEventClock();
      if (t < pinTime) pinTime = t;
    }
    if (pinTime <= bestTime && pinTime < clockLimit) {
      for (IClockedDevice* device : m_vDevices)
        if (device->NextEventClock() <= pinTime) device->AdvanceTo(pinTime);
      // A smart pin changes its wire before any cog runs again.
      if (pinTime > m_uClock) m_uClock = pinTime;
      m_pins.AdvanceTo(pinTime);
      PinsChanged(pinTime);
      if (m_bStopRequested) return EStop::Requested;
      continue;
    }
    if (bestTime >= clockLimit) {
      m_uClock = clockLimit;
      return EStop::ClockLimit;
    }
    uint64_t until = nextTime < pinTime ? nextTime : pinTime;
    if (clockLimit < until) until = clockLimit;
    CCog& cog = *m_aCogs[best];
    try {
      do {
        cog.Step();
        // A smart pin the cog just started may now change its wire before `until`.
      } while (cog.Time() < until && cog.Time() < m_pins.NextEventClock() && cog.Running() &&
               !m_bStopRequested);
    } catch (const CSimStop& stop) {
      m_sError = stop.m_sMessage;
      return EStop::Error;
    }
    if (cog.Time() > m_uClock && cog.Time() != CCog::kNever) m_uClock = cog.Time();
    if (m_bStopRequested) return EStop::Requested;
  }
}
