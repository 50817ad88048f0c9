#include "sim/Terminal.h"

namespace {

// The bit period of an asynchronous serial smart pin in clocks, or 0 when the pin is not one.
double SmartPinClocksPerBit(CSmartPin& pin, uint32_t expectedMode) {
  if (!pin.Enabled() || pin.Mode() != expectedMode) return 0;
  const uint32_t x = pin.X();
  if ((x >> 26) == 0) return static_cast<double>(x >> 10) / 64.0;
  return static_cast<double>(x >> 16);
}

}  // namespace

CTerminal::CTerminal(CChip& chip, uint32_t baud)
    : m_chip(chip),
      m_uBaud(baud),
      m_receiver(static_cast<double>(chip.Hub().ClockHz()) / (baud ? baud : kDefaultBaud)),
      m_transmitter(static_cast<double>(chip.Hub().ClockHz()) / (baud ? baud : kDefaultBaud)) {
  m_chip.Pins().SetObserver(kTxPin, this);
  m_chip.AddDevice(this);
}

CTerminal::~CTerminal() {
  m_chip.Pins().SetObserver(kTxPin, nullptr);
  m_chip.RemoveDevice(this);
}

double CTerminal::ClocksPerBit(int pin) const {
  const double hz = static_cast<double>(m_chip.Hub().ClockHz());
  if (m_uBaud) return hz / m_uBaud;
  const uint32_t mode = pin == kTxPin ? CSmartPin::kModeAsyncTx : CSmartPin::kModeAsyncRx;
  const double programmed = SmartPinClocksPerBit(m_chip.Pins().Smart(pin), mode);
  return programmed > 0 ? programmed : hz / kDefaultBaud;
}

void CTerminal::PinChanged(int pin, uint64_t clock, bool level) {
  if (pin != kTxPin) return;
  const double clocksPerBit = ClocksPerBit(kTxPin);
  // A start bit: the receiver times this frame at the baud in force now.
  if (!level && !m_receiver.IsBusy()) m_receiver.SetClocksPerBit(clocksPerBit);
  m_receiver.OnLevel(clock, level);
  // Look at the wire again once this frame's stop bit is surely over, so the last byte shows
  // even when the wire stays quiet afterwards.
  if (m_receiver.IsBusy()) m_uDecodeAt = clock + static_cast<uint64_t>(11 * clocksPerBit) + 1;
  Collect();
}

void CTerminal::Flush(uint64_t clock) {
  m_receiver.AdvanceTo(clock);
  Collect();
}

void CTerminal::Collect() {
  const std::string bytes = m_receiver.TakeBytes();
  for (const char ch : bytes) {
    const uint8_t byte = static_cast<uint8_t>(ch);
    if (m_bExited) return;
    switch (m_nExitState) {
      case 0:
        if (byte == 0xFF) {
          m_nExitState = 1;
          continue;
        }
        break;
      case 1:
        if (byte == 0x00) {
          m_nExitState = 2;
          continue;
        }
        // Not an exit: the $FF was a byte like any other.
        m_nExitState = 0;
        m_sPending += '\xFF';
        m_sShown += '\xFF';
        if (byte == 0xFF) {
          m_nExitState = 1;
          continue;
        }
        break;
      default:
        m_bExited = true;
        m_nExitCode = byte;
        m_chip.RequestStop();
        return;
    }
    m_sPending += static_cast<char>(byte);
    m_sShown += static_cast<char>(byte);
  }
  for (const std::string& text : m_vFail) {
    if (!m_bFailSeen && m_sShown.find(text) != std::string::npos) {
      m_bFailSeen = true;
      m_chip.RequestStop();
    }
  }
  for (const std::string& text : m_vExpect) {
    if (!m_bExpectSeen && m_sShown.find(text) != std::string::npos) {
      m_bExpectSeen = true;
      m_chip.RequestStop();
    }
  }
}

std::string CTerminal::TakeOutput() {
  std::string out;
  out.swap(m_sPending);
  return out;
}

uint64_t CTerminal::NextEventClock() {
  uint64_t next = m_uNextInputChange < m_uDecodeAt ? m_uNextInputChange : m_uDecodeAt;
  if (!m_bInputSent && !m_sInput.empty()) {
    // Until P63 listens, look again every 1024 clocks; then wait for the typing to start.
    const uint64_t check = m_uInputStart != ~0ull ? m_uInputStart : m_chip.Clock() + 1024;
    if (check < next) next = check;
  }
  return next;
}

void CTerminal::AdvanceTo(uint64_t clock) {
  if (clock >= m_uDecodeAt) {
    m_uDecodeAt = ~0ull;
    m_receiver.AdvanceTo(clock);
    Collect();
  }
  CPins& pins = m_chip.Pins();
  if (!m_bInputSent && !m_sInput.empty()) {
    CSmartPin& rx = pins.Smart(kRxPin);
    const bool listening = rx.Enabled() && rx.Mode() == CSmartPin::kModeAsyncRx;
    if (!listening) {
      m_uInputStart = ~0ull;
    } else if (m_uInputStart == ~0ull) {
      m_uInputStart = clock + static_cast<uint64_t>(kInputDelaySeconds *
                                                    static_cast<double>(m_chip.Hub().ClockHz()));
    } else if (clock >= m_uInputStart) {
      m_transmitter.SetClocksPerBit(ClocksPerBit(kRxPin));
      m_transmitter.Send(clock, m_sInput);
      m_bInputSent = true;
    }
  }
  if (!m_bInputSent) return;
  const bool level = m_transmitter.LevelAt(clock);
  if (level != m_bLastLevel) {
    m_bLastLevel = level;
    pins.DriveExternal(kRxPin, clock, level);
  }
  const auto next = m_transmitter.NextChangeAfter(clock);
  m_uNextInputChange = next ? *next : ~0ull;
}
