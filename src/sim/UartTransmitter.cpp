#include "sim/UartTransmitter.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kFractionOne = 65536.0;
constexpr int kFrameBits = 10;  // start, eight data bits, stop

uint64_t ToFixed(double clocksPerBit) {
  return static_cast<uint64_t>(std::llround(clocksPerBit * kFractionOne));
}

// The level of bit `bit` (0 start, 1..8 data, 9 stop) of a frame carrying `byte`.
bool FrameBit(uint8_t byte, int bit) {
  if (bit == 0) return false;
  if (bit >= kFrameBits - 1) return true;
  return ((byte >> (bit - 1)) & 1u) != 0;
}
}  // namespace

CUartTransmitter::CUartTransmitter(double clocksPerBit) : m_uClocksPerBit(ToFixed(clocksPerBit)) {}

void CUartTransmitter::SetClocksPerBit(double clocksPerBit) {
  m_uClocksPerBit = ToFixed(clocksPerBit);
}

void CUartTransmitter::Send(uint64_t clock, std::string_view bytes) {
  uint64_t start = clock;
  if (!m_dqFrames.empty()) start = std::max(start, FrameEnd(m_dqFrames.back()));
  for (char byte : bytes) {
    const CFrame frame{start, m_uClocksPerBit, static_cast<uint8_t>(byte)};
    m_dqFrames.push_back(frame);
    start = FrameEnd(frame);
  }
}

uint64_t CUartTransmitter::BitClock(const CFrame& frame, int bit) const {
  return frame.m_uStart +
         (static_cast<uint64_t>(bit) * frame.m_uClocksPerBit) / static_cast<uint64_t>(kFractionOne);
}

uint64_t CUartTransmitter::FrameEnd(const CFrame& frame) const {
  return BitClock(frame, kFrameBits);
}

void CUartTransmitter::Retire(uint64_t clock) {
  while (!m_dqFrames.empty() && FrameEnd(m_dqFrames.front()) <= clock) m_dqFrames.pop_front();
}

bool CUartTransmitter::LevelAt(uint64_t clock) {
  Retire(clock);
  if (m_dqFrames.empty() || clock < m_dqFrames.front().m_uStart) return true;
  const CFrame& frame = m_dqFrames.front();
  int bit = 0;
  while (bit + 1 < kFrameBits && BitClock(frame, bit + 1) <= clock) ++bit;
  return FrameBit(frame.m_uByte, bit);
}

std::optional<uint64_t> CUartTransmitter::NextChangeAfter(uint64_t clock) {
  Retire(clock + 1);
  bool level = LevelAt(clock);
  for (const CFrame& frame : m_dqFrames) {
    for (int bit = 0; bit < kFrameBits; ++bit) {
      const uint64_t at = BitClock(frame, bit);
      if (at <= clock) continue;
      if (FrameBit(frame.m_uByte, bit) != level) return at;
    }
    // The stop bit ends on an idle (high) line, the level the next frame's start bit leaves.
    level = true;
  }
  return std::nullopt;
}

bool CUartTransmitter::IsBusy(uint64_t clock) {
  Retire(clock);
  return !m_dqFrames.empty();
}
