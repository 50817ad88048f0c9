#pragma once

#include <cstdint>
#include <string>

// A terminal's UART receiver on one wire: it is told each level change of the wire with its
// clock and decodes 8N1 frames from them as a real receiver does, sampling the middle of each
// bit at its own bit period. A byte sent at another rate or cut off therefore arrives garbled
// or not at all, exactly as it would on a real terminal; a frame whose stop bit is low counts
// as a framing error and is dropped.
class CUartReceiver {
 public:
  // `clocksPerBit` is the system clock divided by the baud rate; fractions are kept to 1/65536.
  explicit CUartReceiver(double clocksPerBit, bool idleLevel = true);

  // A new bit period (the program changed the clock); a frame already started keeps its own.
  void SetClocksPerBit(double clocksPerBit);

  // The wire went to `level` at `clock`. Clocks must not go backwards. A sample taken at the
  // same clock as a change sees the new level.
  void OnLevel(uint64_t clock, bool level);

  // The wire is known not to change up to `clock`: takes the samples that fall until then.
  void AdvanceTo(uint64_t clock);

  // The bytes decoded since the last call.
  std::string TakeBytes();

  uint64_t FramingErrors() const { return m_uFramingErrors; }
  // True while a frame is being received.
  bool IsBusy() const { return m_nNextSample >= 0; }

 private:
  // Takes the samples due before `clock` (or at it, when `inclusive`) at the current level.
  void SampleUntil(uint64_t clock, bool inclusive);
  uint64_t SampleClock(int sample) const;
  void TakeSample(bool level);

  uint64_t m_uClocksPerBit;  // in 1/65536 clocks
  uint64_t m_uFrameClocksPerBit = 0;
  bool m_bLevel;
  uint64_t m_uLastClock = 0;
  uint64_t m_uFrameStart = 0;
  int m_nNextSample = -1;  // -1 idle; 0 start bit, 1..8 data bits, 9 stop bit
  uint32_t m_uShift = 0;
  std::string m_sBytes;
  uint64_t m_uFramingErrors = 0;
};
