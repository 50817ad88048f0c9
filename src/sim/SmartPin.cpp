#include "sim/SmartPin.h"

namespace {

std::string ModeName(uint32_t mode) {
  static const char* const kNames[32] = {
      "off",
      "repository",
      "DAC noise",
      "DAC random dither",
      "DAC PWM",
      "pulse/cycle output",
      "transition output",
      "NCO frequency",
      "NCO duty",
      "PWM triangle",
      "PWM sawtooth",
      "PWM switch-mode power supply",
      "quadrature encoder",
      "count rises",
      "count rises and falls",
      "count A rises, B direction",
      "accumulate A high states",
      "time A high states",
      "time A high or low states",
      "time A between rises",
      "time A rise to B rise",
      "time A rise to B fall",
      "count A rises in periods",
      "count A high states in periods",
      "time A states in periods",
      "time A high states in periods",
      "ADC",
      "ADC with oscilloscope",
      "USB",
      "synchronous serial transmit",
      "synchronous serial receive",
      "asynchronous serial",
  };
  return kNames[mode & 31];
}

}  // namespace

std::string CSmartPin::SetConfig(uint64_t clock, uint32_t config) {
  SampleUntil(clock);
  m_uConfig = config;
  m_bIn = false;
  const uint32_t mode = Mode();
  if (m_bEnabled && mode != 0 && mode != kModeAsyncTx && mode != kModeAsyncRx)
    return "smart pin mode %" + std::to_string(mode) + " (" + ModeName(mode) + ")";
  return {};
}

void CSmartPin::SetX(uint64_t clock, uint32_t x) {
  SampleUntil(clock);
  m_uX = x;
  m_bIn = false;
}

void CSmartPin::SetY(uint64_t clock, uint32_t y) {
  m_uY = y;
  m_bIn = false;
  if (!m_bEnabled || Mode() != kModeAsyncTx) return;
  if (!m_bShifting) {
    StartFrame(clock + 1, y);
  } else {
    m_bBufferFull = true;
    m_uBuffer = y;
  }
  UpdateNextEvent();
}

std::string CSmartPin::SetEnabled(uint64_t clock, bool enabled) {
  if (enabled == m_bEnabled) return {};
  SampleUntil(clock);
  m_bEnabled = enabled;
  m_bIn = false;
  m_bShifting = false;
  m_bBufferFull = false;
  m_nFrameLength = m_nFrameNext = 0;
  m_bReceiving = false;
  m_bOutput = true;
  m_uZ = 0;
  m_uNextEvent = kNever;
  const uint32_t mode = Mode();
  if (enabled && mode != 0 && mode != kModeAsyncTx && mode != kModeAsyncRx)
    return "smart pin mode %" + std::to_string(mode) + " (" + ModeName(mode) + ")";
  // The transmitter raises IN only as a word moves from its buffer into the shifter, so a
  // freshly enabled transmitter keeps IN low until its first WYPIN.
  return {};
}

uint32_t CSmartPin::BitClocks64() const {
  // X[31:16] clocks per bit; when X[31:26] is zero, X[31:10] is a 16.6 fixed-point period.
  const uint32_t period64 = (m_uX >> 26) == 0 ? (m_uX >> 10) : ((m_uX >> 16) << 6);
  return period64 < 64 ? 64 : period64;
}

void CSmartPin::StartFrame(uint64_t clock, uint32_t data) {
  const int bits = static_cast<int>(m_uX & 31) + 1;
  const uint64_t period64 = BitClocks64();
  m_nFrameLength = 0;
  m_nFrameNext = 0;
  bool level = m_bOutput;
  // Start bit, data LSB first, stop bit.
  for (int k = 0; k < bits + 2; ++k) {
    const bool bit = k == 0 ? false : (k == bits + 1 ? true : ((data >> (k - 1)) & 1) != 0);
    if (bit != level) {
      m_aFrame[m_nFrameLength++] = {clock + (static_cast<uint64_t>(k) * period64) / 64, bit};
      level = bit;
    }
  }
  m_uFrameEnd = clock + (static_cast<uint64_t>(bits + 2) * period64) / 64;
  m_bShifting = true;
  m_uZ = data;
  // The buffer has moved into the shifter: ready for the next word.
  m_bIn = true;
}

void CSmartPin::UpdateNextEvent() {
  if (m_bReceiving) {
    // The clock at which the received word is complete and IN rises.
    const int bits = static_cast<int>(m_uX & 31) + 1;
    const uint64_t period64 = BitClocks64();
    m_uNextEvent =
        m_uRxStart + (static_cast<uint64_t>(bits + 1) * period64 + period64 / 2) / 64 + 1;
    return;
  }
  if (!m_bShifting) {
    m_uNextEvent = kNever;
    return;
  }
  m_uNextEvent = m_nFrameNext < m_nFrameLength ? m_aFrame[m_nFrameNext].m_uClock : m_uFrameEnd;
}

int CSmartPin::Advance(uint64_t clock, std::array<CLevelChange, 40>& out) {
  int count = 0;
  if (m_bReceiving) {
    SampleUntil(clock);
    UpdateNextEvent();
    return 0;
  }
  while (m_bShifting && m_uNextEvent <= clock && count < 38) {
    if (m_nFrameNext < m_nFrameLength) {
      const CLevelChange change = m_aFrame[m_nFrameNext++];
      m_bOutput = change.m_bLevel;
      out[count++] = change;
    } else {
      // The stop bit has ended: take the buffered word or go idle.
      m_bShifting = false;
      if (m_bBufferFull) {
        m_bBufferFull = false;
        StartFrame(m_uFrameEnd, m_uBuffer);
      }
    }
    UpdateNextEvent();
  }
  return count;
}

uint32_t CSmartPin::ReadZ(uint64_t clock, bool& modal) {
  SampleUntil(clock);
  const uint32_t mode = Mode();
  if (mode == kModeAsyncTx) {
    modal = m_bShifting || m_bBufferFull;
  } else {
    modal = false;
  }
  return m_uZ;
}

bool CSmartPin::In(uint64_t clock) {
  SampleUntil(clock);
  return m_bIn;
}

void CSmartPin::InputChanged(uint64_t clock, bool level) {
  SampleUntil(clock);
  if (m_bEnabled && Mode() == kModeAsyncRx && !m_bReceiving && m_bInput && !level) {
    // A falling edge while idle begins a start bit.
    m_bReceiving = true;
    m_uRxStart = clock;
    m_nRxBit = -1;  // the start bit is checked first
    m_uRxData = 0;
    UpdateNextEvent();
  }
  m_bInput = level;
}

void CSmartPin::SampleUntil(uint64_t clock) {
  if (!m_bReceiving) return;
  const int bits = static_cast<int>(m_uX & 31) + 1;
  const uint64_t period64 = BitClocks64();
  // Each bit is sampled in the middle of its period: the start bit first, then data bit k
  // one period after data bit k - 1.
  while (m_bReceiving) {
    const int index = m_nRxBit + 1;
    const uint64_t sampleAt =
        m_uRxStart + (static_cast<uint64_t>(index) * period64 + period64 / 2) / 64;
    if (sampleAt > clock) return;
    if (m_nRxBit < 0) {
      // A start bit that is no longer low was a glitch: wait for the next falling edge.
      if (m_bInput) m_bReceiving = false;
      ++m_nRxBit;
      continue;
    }
    if (m_nRxBit < bits) {
      if (m_bInput) m_uRxData |= 1u << m_nRxBit;
      ++m_nRxBit;
      continue;
    }
    // The stop bit: the word is complete, justified to the top of Z as the chip does.
    m_uZ = m_uRxData << (32 - bits);
    m_bIn = true;
    m_bReceiving = false;
  }
}
