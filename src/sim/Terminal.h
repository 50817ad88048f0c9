#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/Chip.h"
#include "sim/UartReceiver.h"
#include "sim/UartTransmitter.h"

// The serial terminal on P62 (chip to host) and P63 (host to chip), as the usual loader's
// terminal behaves: a UART receiver decodes the P62 wire at the baud the program set on its
// transmitter (or a fixed --baud), the sequence $FF $00 followed by a code ends the run with
// that code, and typed input is sent on P63 once the program listens there.
class CTerminal : public IPinObserver, public IClockedDevice {
 public:
  static constexpr int kTxPin = 62;  // the chip transmits here
  static constexpr int kRxPin = 63;  // the chip receives here
  static constexpr uint32_t kDefaultBaud = 230400;
  // Typed input starts this long after the program enables its receiver on P63, as a person
  // would type after the program has started listening (and after any start-up flush).
  static constexpr double kInputDelaySeconds = 0.05;

  // `baud` 0 follows the program's own bit period.
  CTerminal(CChip& chip, uint32_t baud);
  ~CTerminal() override;

  void AddExpectText(const std::string& text) { m_vExpect.push_back(text); }
  void AddFailText(const std::string& text) { m_vFail.push_back(text); }
  void SetInput(const std::string& bytes) { m_sInput = bytes; }

  // Bytes shown since the last call (without the exit sequence).
  std::string TakeOutput();
  const std::string& Shown() const { return m_sShown; }

  bool Exited() const { return m_bExited; }
  int ExitCode() const { return m_nExitCode; }
  bool ExpectSeen() const { return m_bExpectSeen; }
  bool FailSeen() const { return m_bFailSeen; }
  uint64_t FramingErrors() const { return m_receiver.FramingErrors(); }

  // Decodes what the wire did up to `clock` (the end of a run).
  void Flush(uint64_t clock);

  void PinChanged(int pin, uint64_t clock, bool level) override;
  uint64_t NextEventClock() override;
  void AdvanceTo(uint64_t clock) override;

 private:
  double ClocksPerBit(int pin) const;
  void Collect();

  CChip& m_chip;
  uint32_t m_uBaud;
  CUartReceiver m_receiver;
  CUartTransmitter m_transmitter;
  std::string m_sInput;
  bool m_bInputSent = false;
  bool m_bLastLevel = true;
  uint64_t m_uNextInputChange = ~0ull;
  uint64_t m_uInputStart = ~0ull;  // when typed input begins, once P63 listens
  uint64_t m_uDecodeAt = ~0ull;    // when the frame being received has surely ended

  std::string m_sPending;  // shown bytes not yet taken
  std::string m_sShown;    // everything shown, for --expect-text/--fail-text
  int m_nExitState = 0;    // 0 normal, 1 after $FF, 2 after $FF $00
  bool m_bExited = false;
  int m_nExitCode = 0;
  std::vector<std::string> m_vExpect, m_vFail;
  bool m_bExpectSeen = false, m_bFailSeen = false;
};
