#include "sim/Chip.h"

#include <algorithm>

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
    if (pair) {
      m_aCogs[target + 1]->Start(clock, s, !(d & 0x20), ptra);
      Reschedule(target + 1);
    }
  }
  if (target >= kCogs) return -1;
  m_aCogs[target]->Start(clock, s, !(d & 0x20), ptra);
  Reschedule(target);
  return target;
}

void CChip::CogStop(uint64_t clock, int cog) {
  if (cog >= kCogs) return;
  (void)clock;
  m_aCogs[cog]->Stop();
  Reschedule(cog);
}

void CChip::CogAttention(uint64_t clock, uint32_t mask) {
  for (int k = 0; k < kCogs; ++k) {
    if (!((mask >> k) & 1) || !m_aCogs[k]->Running()) continue;
    m_aCogs[k]->Attention();
    m_aCogs[k]->WakeAt(clock);
    Reschedule(k);
  }
}

void CChip::PinsChanged(uint64_t clock) {
  for (int k = 0; k < kCogs; ++k) {
    if (!m_aCogs[k]->Waiting()) continue;
    m_aCogs[k]->WakeAt(clock);
    Reschedule(k);
  }
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
  // Cogs may have been started or changed from outside since the last run.
  for (int k = 0; k < kCogs; ++k) Reschedule(k);
  while (true) {
    // The earliest running cog (ties to the lower number) and the clock of the one after it,
    // found without branches: the order changes all the time and would defeat prediction.
    uint64_t bestKey = CCog::kNever;
    for (int k = 0; k < kCogs; ++k)
      bestKey = std::min(bestKey, (m_aNext[k] << 3) | static_cast<uint64_t>(k));
    int best = static_cast<int>(bestKey & 7);
    uint64_t nextKey = CCog::kNever;
    for (int k = 0; k < kCogs; ++k)
      nextKey = std::min(nextKey,
                         k == best ? CCog::kNever : (m_aNext[k] << 3) | static_cast<uint64_t>(k));
    uint64_t bestTime = m_aNext[best];
    const uint64_t nextTime = (nextKey >> 3) == (CCog::kNever >> 3) ? CCog::kNever : nextKey >> 3;
    if (bestTime == CCog::kNever) best = -1;
    // A waiting cog that nothing wakes has no clock, but still runs.
    if (best < 0) {
      for (int k = 0; k < kCogs && best < 0; ++k)
        if (m_aCogs[k]->Running()) best = k;
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
    if (nextTime == bestTime) {
      // Several cogs share the earliest clock: step each of them once, in cog order, which is
      // the order the search would find them in, unless one of them changes another's clock.
      for (int k = best; k < kCogs; ++k) {
        if (m_aNext[k] != bestTime) continue;
        CCog& cog = *m_aCogs[k];
        m_bRescheduled = false;
        try {
          cog.Step();
        } catch (const CSimStop& stop) {
          Reschedule(k);
          m_sError = stop.m_sMessage;
          return EStop::Error;
        }
        m_aNext[k] = cog.Running() ? cog.Time() : CCog::kNever;
        if (m_aNext[k] != CCog::kNever && m_aNext[k] > m_uClock) m_uClock = m_aNext[k];
        if (m_bRescheduled || m_bStopRequested || m_pins.NextEventClock() <= bestTime) break;
      }
      if (m_bStopRequested) return EStop::Requested;
      continue;
    }
    uint64_t until = nextTime < pinTime ? nextTime : pinTime;
    if (clockLimit < until) until = clockLimit;
    CCog& cog = *m_aCogs[best];
    m_bRescheduled = false;
    try {
      do {
        cog.Step();
        // A smart pin the cog just started may now change its wire before `until`, and a cog
        // it started or woke may now come first.
      } while (cog.Time() < until && cog.Time() < m_pins.NextEventClock() && !m_bRescheduled &&
               cog.Running() && !m_bStopRequested);
    } catch (const CSimStop& stop) {
      Reschedule(best);
      m_sError = stop.m_sMessage;
      return EStop::Error;
    }
    Reschedule(best);
    if (cog.Time() > m_uClock && cog.Time() != CCog::kNever) m_uClock = cog.Time();
    if (m_bStopRequested) return EStop::Requested;
  }
}
