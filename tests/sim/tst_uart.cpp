#include <QTest>
#include <optional>
#include <utility>
#include <vector>

#include "sim/UartReceiver.h"
#include "sim/UartTransmitter.h"

namespace {

using CWave = std::vector<std::pair<uint64_t, bool>>;  // (clock, level) changes

// The wire of 8N1 frames sent back to back from `start`, drawn bit by bit: bit k of the
// stream begins at start + k * clocksPerBit (rounded down).
CWave Frames(const QByteArray& bytes, double clocksPerBit, uint64_t start = 1000) {
  std::vector<bool> bits;
  for (char byte : bytes) {
    bits.push_back(false);
    for (int k = 0; k < 8; ++k) bits.push_back(((static_cast<uint8_t>(byte) >> k) & 1) != 0);
    bits.push_back(true);
  }
  CWave wave;
  bool level = true;
  for (std::size_t k = 0; k < bits.size(); ++k) {
    if (bits[k] == level) continue;
    level = bits[k];
    wave.emplace_back(start + static_cast<uint64_t>(static_cast<double>(k) * clocksPerBit), level);
  }
  return wave;
}

struct CReceived {
  QByteArray m_baBytes;
  uint64_t m_uFramingErrors = 0;
};

CReceived Receive(const CWave& wave, double clocksPerBit, uint64_t until) {
  CUartReceiver receiver(clocksPerBit);
  for (const auto& [clock, level] : wave) receiver.OnLevel(clock, level);
  receiver.AdvanceTo(until);
  const std::string bytes = receiver.TakeBytes();
  return {QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), receiver.FramingErrors()};
}

}  // namespace

class TestUart : public QObject {
  Q_OBJECT

 private slots:
  void receivesFramesAtItsRate_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("senderRate");
    QTest::addColumn<double>("receiverRate");
    QTest::newRow("one byte") << QByteArray("A") << 100.0 << 100.0;
    QTest::newRow("back to back") << QByteArray("Hello, P2!\r\n") << 100.0 << 100.0;
    QTest::newRow("every byte value") << [] {
      QByteArray all;
      for (int value = 0; value < 256; ++value) all.append(static_cast<char>(value));
      return all;
    }() << 17.0 << 17.0;
    QTest::newRow("fractional bit period") << QByteArray("\x00\xFF\x55\xAA", 4) << 1562.5 << 1562.5;
    QTest::newRow("sender 3% fast") << QByteArray("UUUU") << 97.0 << 100.0;
    QTest::newRow("sender 3% slow") << QByteArray("UUUU") << 103.0 << 100.0;
  }
  void receivesFramesAtItsRate() {
    QFETCH(QByteArray, bytes);
    QFETCH(double, senderRate);
    QFETCH(double, receiverRate);
    const CReceived received = Receive(Frames(bytes, senderRate), receiverRate, 10'000'000);
    QCOMPARE(received.m_baBytes, bytes);
    QCOMPARE(received.m_uFramingErrors, 0u);
  }

  // A wire at another baud rate arrives garbled, as on a real terminal.
  void wrongRateGarbles() {
    const QByteArray sent("Hello");
    const CReceived received = Receive(Frames(sent, 200), 100, 10'000'000);
    QVERIFY(received.m_baBytes != sent);
    QVERIFY(received.m_uFramingErrors > 0 || !received.m_baBytes.isEmpty());
  }

  // The pin let go in the middle of a byte: the rest reads as idle (high) bits.
  void cutOffFrameReadsHighBits() {
    const CWave wave{{1000, false}, {1300, true}};  // start bit, data bits 0 and 1 low
    const CReceived received = Receive(wave, 100, 100'000);
    QCOMPARE(received.m_baBytes, QByteArray("\xFC"));
  }

  // A line held low past the stop bit (a break) is a framing error, not a byte; the receiver
  // then waits for the line to rise before the next start bit.
  void breakIsFramingError() {
    CWave wave{{1000, false}, {1000 + 20 * 100, true}};
    for (const auto& change : Frames("K", 100, 5000)) wave.push_back(change);
    const CReceived received = Receive(wave, 100, 100'000);
    QCOMPARE(received.m_baBytes, QByteArray("K"));
    QCOMPARE(received.m_uFramingErrors, 1u);
  }

  // A low pulse shorter than half a bit is not a start bit.
  void glitchIsIgnored() {
    const CReceived received = Receive({{1000, false}, {1040, true}}, 100, 100'000);
    QVERIFY(received.m_baBytes.isEmpty());
    QCOMPARE(received.m_uFramingErrors, 0u);
  }

  // The stop bit of the last byte is sampled without a further edge once time has passed it.
  void lastByteNeedsOnlyTime() {
    CUartReceiver receiver(100);
    for (const auto& [clock, level] : Frames("A", 100)) receiver.OnLevel(clock, level);
    receiver.AdvanceTo(1000 + 9 * 100);  // before the middle of the stop bit
    QVERIFY(receiver.TakeBytes().empty());
    QVERIFY(receiver.IsBusy());
    receiver.AdvanceTo(1000 + 10 * 100);
    QCOMPARE(receiver.TakeBytes(), std::string("A"));
    QVERIFY(!receiver.IsBusy());
  }

  // A clock change between frames: the receiver follows the new bit period.
  void newBitPeriodBetweenFrames() {
    CUartReceiver receiver(100);
    for (const auto& [clock, level] : Frames("a", 100, 1000)) receiver.OnLevel(clock, level);
    receiver.AdvanceTo(3000);
    receiver.SetClocksPerBit(250);
    for (const auto& [clock, level] : Frames("b", 250, 5000)) receiver.OnLevel(clock, level);
    receiver.AdvanceTo(20'000);
    QCOMPARE(receiver.TakeBytes(), std::string("ab"));
  }

  // The transmitter's wire for "A" ($41): start, 1 0 0 0 0 0 1 0 (LSB first), stop.
  void transmitterDrawsFrame() {
    CUartTransmitter transmitter(100);
    transmitter.Send(1000, "A");
    const bool expected[] = {false, true, false, false, false, false, false, true, false, true};
    QVERIFY(transmitter.LevelAt(999));
    for (int bit = 0; bit < 10; ++bit) {
      QCOMPARE(transmitter.LevelAt(1000 + static_cast<uint64_t>(bit) * 100), expected[bit]);
      QCOMPARE(transmitter.LevelAt(1000 + static_cast<uint64_t>(bit) * 100 + 99), expected[bit]);
    }
    QVERIFY(transmitter.LevelAt(2000));
    QVERIFY(!transmitter.IsBusy(2000));
  }

  void transmitterNamesItsChanges() {
    CUartTransmitter transmitter(100);
    QCOMPARE(transmitter.NextChangeAfter(0), std::optional<uint64_t>());
    transmitter.Send(1000, "A");
    const uint64_t changes[] = {1000, 1100, 1200, 1700, 1800, 1900};
    uint64_t clock = 0;
    for (uint64_t expected : changes) {
      const std::optional<uint64_t> next = transmitter.NextChangeAfter(clock);
      QVERIFY(next.has_value());
      QCOMPARE(*next, expected);
      clock = *next;
    }
    QCOMPARE(transmitter.NextChangeAfter(clock), std::optional<uint64_t>());
  }

  // Bytes sent while a frame is on the wire wait for it to finish.
  void transmitterQueuesBehindBusyLine() {
    CUartTransmitter transmitter(100);
    transmitter.Send(1000, "AB");
    transmitter.Send(1500, "C");
    QVERIFY(transmitter.IsBusy(2999));
    QVERIFY(transmitter.LevelAt(2999));   // stop bit of "B"
    QVERIFY(!transmitter.LevelAt(3000));  // start bit of "C"
    QVERIFY(!transmitter.IsBusy(4000));
  }

  // What the transmitter puts on the wire, the receiver reads back, at any bit period.
  void roundTrip_data() {
    QTest::addColumn<double>("clocksPerBit");
    QTest::newRow("115200 baud at 180 MHz") << 1562.5;
    QTest::newRow("2 Mbaud at 200 MHz") << 100.0;
    QTest::newRow("230400 baud at 20 MHz") << 86.80555;
  }
  void roundTrip() {
    QFETCH(double, clocksPerBit);
    const std::string text = "Kyv \x01\x7F\x80\xFF end\r\n";
    CUartTransmitter transmitter(clocksPerBit);
    CUartReceiver receiver(clocksPerBit);
    transmitter.Send(500, text);
    uint64_t clock = 0;
    while (const std::optional<uint64_t> next = transmitter.NextChangeAfter(clock)) {
      clock = *next;
      receiver.OnLevel(clock, transmitter.LevelAt(clock));
    }
    receiver.AdvanceTo(clock + static_cast<uint64_t>(clocksPerBit * 2));
    QCOMPARE(receiver.TakeBytes(), text);
    QCOMPARE(receiver.FramingErrors(), 0u);
  }
};

QTEST_GUILESS_MAIN(TestUart)
#include "tst_uart.moc"
