#include "sim/UartReceiver.h"

#include <cmath>

namespace {
constexpr double kFractionOne = 65536.0;
constexpr int kStopSample = 9;

uint64_t ToFixed(double clocksPerBit) {
  return static_cast<uint64_t>(std::llround(clocksPerBit * kFractionOne));
}
}  // namespace

CUartReceiver::CUartReceiver(double clocksPerBit, bool idleLevel)
    : m_uClocksPerBit(ToFixed(clocksPerBit)), m_bLevel(idleLevel) {}

void CUartReceiver::SetClocksPerBit(double clocksPerBit) {
  m_uClocksPerBit = ToFixed(clocksPerBit);
}

void CUartReceiver::OnLevel(uint64_t clock, bool level) {
  SampleUntil(clock, false);
  m_uLastClock = clock;
  if (level == m_bLevel) return;
  m_bLevel = level;
  // A falling edge on an idle line starts a frame.
  if (!IsBusy() && !level) {
    m_uFrameStart = clock;
    m_uFrameClocksPerBit = m_uClocksPerBit;
    m_nNextSample = 0;
    m_uShift = 0;
  }
  SampleUntil(clock, true);
}

void CUartReceiver::AdvanceTo(uint64_t clock) {
  SampleUntil(clock, true);
  if (clock > m_uLastClock) m_uLastClock = clock;
}

std::string CUartReceiver::TakeBytes() {
  std::string bytes;
  bytes.swap(m_sBytes);
  return bytes;
}

void CUartReceiver::SampleUntil(uint64_t clock, bool inclusive) {
  while (IsBusy()) {
    const uint64_t due = SampleClock(m_nNextSample);
    if (due > clock || (due == clock && !inclusive)) return;
    TakeSample(m_bLevel);
  }
}

uint64_t CUartReceiver::SampleClock(int sample) const {
  // The middle of bit `sample`: (sample + 1/2) bit periods after the falling edge.
  const uint64_t halfBits = 2 * static_cast<uint64_t>(sample) + 1;
  return m_uFrameStart +
         (halfBits * m_uFrameClocksPerBit) / (2 * static_cast<uint64_t>(kFractionOne));
}

void CUartReceiver::TakeSample(bool level) {
  if (m_nNextSample == 0) {
    // The line is high again in the middle of the start bit: a glitch, not a frame.
    m_nNextSample = level ? -1 : 1;
    return;
  }
  if (m_nNextSample < kStopSample) {
    m_uShift |= static_cast<uint32_t>(level) << (m_nNextSample - 1);  // LSB first
    ++m_nNextSample;
    return;
  }
  if (level)
    m_sBytes.push_back(static_cast<char>(m_uShift));
  else
    ++m_uFramingErrors;
  m_nNextSample = -1;
}
