#include "sim/Pins.h"

CPins::CPins() { m_aLastLevel.fill(true); }

bool CPins::Level(int pin) const {
  const uint64_t bit = 1ull << pin;
  if (m_uDir & bit) {
    const CSmartPin& smart = m_aSmart[pin];
    if (smart.DrivesOutput()) return smart.OutputLevel();
    // A smart pin without its output enabled (a receiver) leaves the wire to the outside.
    if (smart.Mode() == 0) return (m_uOut & bit) != 0;
  }
  return (m_uExternalLow & bit) == 0;
}

void CPins::NotifyIfChanged(int pin, uint64_t clock) {
  const bool level = Level(pin);
  if (level == m_aLastLevel[pin]) return;
  m_aLastLevel[pin] = level;
  if (m_aObserver[pin]) m_aObserver[pin]->PinChanged(pin, clock, level);
  // A receiver on this pin sees its own wire.
  CSmartPin& smart = m_aSmart[pin];
  if (smart.Enabled() && smart.Mode() == CSmartPin::kModeAsyncRx) smart.InputChanged(clock, level);
}

std::string CPins::SetCogOutputs(int cog, uint64_t clock, uint64_t dir, uint64_t out) {
  const uint64_t oldDir = m_uDir;
  const uint64_t oldOut = m_uOut;
  m_aCogDir[cog] = dir;
  m_aCogOut[cog] = out;
  m_uDir = 0;
  m_uOut = 0;
  for (int k = 0; k < kCogs; ++k) {
    m_uDir |= m_aCogDir[k];
    m_uOut |= m_aCogOut[k];
  }
  std::string error;
  uint64_t dirChanged = oldDir ^ m_uDir;
  while (dirChanged) {
    const int pin = __builtin_ctzll(dirChanged);
    dirChanged &= dirChanged - 1;
    std::string e = m_aSmart[pin].SetEnabled(clock, (m_uDir >> pin) & 1);
    if (!e.empty() && error.empty()) error = "P" + std::to_string(pin) + ": " + e;
  }
  uint64_t changed = (oldDir ^ m_uDir) | (oldOut ^ m_uOut);
  changed &= m_uObserved | m_uDir | oldDir;
  while (changed) {
    const int pin = __builtin_ctzll(changed);
    changed &= changed - 1;
    NotifyIfChanged(pin, clock);
  }
  RefreshNextEvent();
  return error;
}

std::string CPins::WriteConfig(int pin, uint64_t clock, uint32_t config) {
  std::string error = m_aSmart[pin].SetConfig(clock, config);
  NotifyIfChanged(pin, clock);
  RefreshNextEvent();
  return error.empty() ? error : "P" + std::to_string(pin) + ": " + error;
}

uint64_t CPins::Inputs(uint64_t clock) {
  // Plain pins read their wire; pins with a smart mode read the cell's IN flag.
  uint64_t in = (m_uDir & m_uOut) | (~m_uDir & ~m_uExternalLow);
  uint64_t smart = m_uDir;
  while (smart) {
    const int pin = __builtin_ctzll(smart);
    smart &= smart - 1;
    CSmartPin& cell = m_aSmart[pin];
    if (cell.Mode() == 0) continue;
    const uint64_t bit = 1ull << pin;
    in = cell.In(clock) ? (in | bit) : (in & ~bit);
  }
  return in;
}

bool CPins::Input(int pin, uint64_t clock) {
  CSmartPin& smart = m_aSmart[pin];
  if (smart.Mode() != 0 && smart.Enabled()) return smart.In(clock);
  return Level(pin);
}

void CPins::DriveExternal(int pin, uint64_t clock, bool level) {
  const uint64_t bit = 1ull << pin;
  m_uExternalLow = level ? (m_uExternalLow & ~bit) : (m_uExternalLow | bit);
  NotifyIfChanged(pin, clock);
  RefreshNextEvent();
}

void CPins::SetObserver(int pin, IPinObserver* observer) {
  m_aObserver[pin] = observer;
  if (observer)
    m_uObserved |= 1ull << pin;
  else
    m_uObserved &= ~(1ull << pin);
}

void CPins::RefreshNextEvent() {
  m_uNextEvent = CSmartPin::kNever;
  uint64_t active = m_uDir;
  while (active) {
    const int pin = __builtin_ctzll(active);
    active &= active - 1;
    const uint64_t next = m_aSmart[pin].NextEventClock();
    if (next < m_uNextEvent) m_uNextEvent = next;
  }
}

void CPins::AdvanceTo(uint64_t clock) {
  std::array<CSmartPin::CLevelChange, 40> changes;
  uint64_t active = m_uDir;
  while (active) {
    const int pin = __builtin_ctzll(active);
    active &= active - 1;
    CSmartPin& smart = m_aSmart[pin];
    while (smart.NextEventClock() <= clock) {
      const int count = smart.Advance(clock, changes);
      if (!smart.DrivesOutput()) continue;
      for (int k = 0; k < count; ++k) {
        m_aLastLevel[pin] = changes[k].m_bLevel;
        if (m_aObserver[pin])
          m_aObserver[pin]->PinChanged(pin, changes[k].m_uClock, changes[k].m_bLevel);
      }
    }
  }
  RefreshNextEvent();
}
