#pragma once

#include <array>
#include <cstdint>
#include <string>

// The smart pin cell behind one I/O pin. The cell is advanced lazily: its state is brought up
// to a clock only when something reads or changes it, or when the scheduler reaches the clock
// of its next output change (NextEventClock).
//
// Modelled modes: off (%00000) and the asynchronous serial transmitter (%11110) and receiver
// (%11111). Any other mode stops the run with its name when the pin is enabled.
class CSmartPin {
 public:
  static constexpr uint64_t kNever = ~0ull;
  static constexpr uint32_t kModeAsyncTx = 0x1E;
  static constexpr uint32_t kModeAsyncRx = 0x1F;

  // What a pin change means to the outside: the wire of an output smart pin moved.
  struct CLevelChange {
    uint64_t m_uClock;
    bool m_bLevel;
  };

  uint32_t Mode() const { return (m_uConfig >> 1) & 0x1F; }
  uint32_t Config() const { return m_uConfig; }
  uint32_t X() const { return m_uX; }
  bool DrivesOutput() const { return Mode() != 0 && ((m_uConfig >> 6) & 1); }
  bool Enabled() const { return m_bEnabled; }

  // The instructions. Each returns an empty string or the reason the mode cannot be run.
  std::string SetConfig(uint64_t clock, uint32_t config);
  void SetX(uint64_t clock, uint32_t x);
  void SetY(uint64_t clock, uint32_t y);
  void Acknowledge() { m_bIn = false; }
  // DIR of the pin enables the cell (high) or holds it in reset (low).
  std::string SetEnabled(uint64_t clock, bool enabled);

  // RDPIN/RQPIN: Z, and C is the mode's modal result (busy for the transmitter).
  uint32_t ReadZ(uint64_t clock, bool& modal);
  bool In(uint64_t clock);

  // The output level of a driving cell at a clock (the transmitter's wire).
  bool OutputLevel() const { return m_bOutput; }

  // The receiver sees its input wire change.
  void InputChanged(uint64_t clock, bool level);

  // Output changes due up to `clock`, oldest first; returns how many were written to `out`.
  uint64_t NextEventClock() const { return m_uNextEvent; }
  int Advance(uint64_t clock, std::array<CLevelChange, 40>& out);

 private:
  uint32_t BitClocks64() const;  // bit period in 1/64 clocks
  void StartFrame(uint64_t clock, uint32_t data);
  void UpdateNextEvent();

  uint32_t m_uConfig = 0;
  uint32_t m_uX = 0;
  uint32_t m_uY = 0;
  uint32_t m_uZ = 0;
  bool m_bEnabled = false;
  bool m_bIn = false;
  bool m_bOutput = true;
  uint64_t m_uNextEvent = kNever;

  // Transmitter: the frame being shifted out as its wire changes, and the one-word buffer.
  std::array<CLevelChange, 36> m_aFrame{};
  int m_nFrameLength = 0;
  int m_nFrameNext = 0;
  uint64_t m_uFrameEnd = 0;
  bool m_bShifting = false;
  bool m_bBufferFull = false;
  uint32_t m_uBuffer = 0;

  // Receiver: the frame being sampled at the middle of each bit.
  void SampleUntil(uint64_t clock);
  bool m_bInput = true;
  bool m_bReceiving = false;
  uint64_t m_uRxStart = 0;
  int m_nRxBit = 0;
  uint32_t m_uRxData = 0;
};
