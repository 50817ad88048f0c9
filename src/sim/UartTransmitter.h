#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string_view>

// The sending side of a terminal's UART: bytes typed at a clock become 8N1 frames on the wire
// (start bit, eight data bits LSB first, one stop bit), one after another at the bit period.
// The simulator asks for the wire's level at a clock and for the next clock at which it
// changes, so nothing needs to run while the line is idle.
class CUartTransmitter {
 public:
  // `clocksPerBit` is the system clock divided by the baud rate; fractions are kept to 1/65536.
  explicit CUartTransmitter(double clocksPerBit);

  // A new bit period for frames queued from now on.
  void SetClocksPerBit(double clocksPerBit);

  // Sends `bytes` from `clock` on, after anything still queued.
  void Send(uint64_t clock, std::string_view bytes);

  // The level of the wire at `clock` (high when idle). Clocks asked must not go backwards.
  bool LevelAt(uint64_t clock);

  // The first clock after `clock` at which the level changes, or nothing when the line stays
  // idle.
  std::optional<uint64_t> NextChangeAfter(uint64_t clock);

  // True while frames are queued or being sent at `clock`.
  bool IsBusy(uint64_t clock);

 private:
  struct CFrame {
    uint64_t m_uStart;         // clock of the start bit's falling edge
    uint64_t m_uClocksPerBit;  // in 1/65536 clocks
    uint8_t m_uByte;
  };
  uint64_t BitClock(const CFrame& frame, int bit) const;
  uint64_t FrameEnd(const CFrame& frame) const;
  // Drops the frames that have ended by `clock`.
  void Retire(uint64_t clock);

  uint64_t m_uClocksPerBit;
  std::deque<CFrame> m_dqFrames;
};
