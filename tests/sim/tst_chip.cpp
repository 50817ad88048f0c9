#include <QTest>

#include "InstructionCase.h"
#include "sim/Chip.h"
#include "sim/SimRun.h"
#include "sim/SmartPin.h"

// Several cogs at once and the chip around them: LUT sharing between paired cogs, locks,
// attention strobes, an interrupt on a CT event, and the terminal on the serial smart pin.
// The programs are instruction words built from the encoding patterns of the instruction table.
namespace {

namespace P {
constexpr const char* SETLUTS = "EEEE 1101011 00L DDDDDDDDD 000110111";
constexpr const char* WRLUT = "EEEE 1100001 1LI DDDDDDDDD SSSSSSSSS";
constexpr const char* JMP_A = "EEEE 1101100 RAA AAAAAAAAA AAAAAAAAA";
constexpr const char* WAITX = "EEEE 1101011 CZL DDDDDDDDD 000011111";
constexpr const char* GETCT = "EEEE 1101011 C00 DDDDDDDDD 000011010";
constexpr const char* ADDCT1 = "EEEE 1010011 00I DDDDDDDDD SSSSSSSSS";
constexpr const char* MOV = "EEEE 0110000 CZI DDDDDDDDD SSSSSSSSS";
constexpr const char* ADD = "EEEE 0001000 CZI DDDDDDDDD SSSSSSSSS";
constexpr const char* SETINT1 = "EEEE 1101011 00L DDDDDDDDD 000100101";
constexpr const char* RETI1 = "EEEE 1011001 110 111111111 111110101";
constexpr const char* LOCKNEW = "EEEE 1101011 C00 DDDDDDDDD 000000100";
constexpr const char* LOCKTRY = "EEEE 1101011 C0L DDDDDDDDD 000000110";
constexpr const char* LOCKREL = "EEEE 1101011 C0L DDDDDDDDD 000000111";
constexpr const char* WRC = "EEEE 1101011 000 DDDDDDDDD 001101100";
constexpr const char* WAITATN = "EEEE 1101011 CZ0 000011110 000100100";
constexpr const char* COGATN = "EEEE 1101011 00L DDDDDDDDD 000111111";
constexpr const char* WRPIN = "EEEE 1100000 0LI DDDDDDDDD SSSSSSSSS";
constexpr const char* WXPIN = "EEEE 1100000 1LI DDDDDDDDD SSSSSSSSS";
constexpr const char* WYPIN = "EEEE 1100001 0LI DDDDDDDDD SSSSSSSSS";
constexpr const char* DIRH = "EEEE 1101011 CZL DDDDDDDDD 001000001";
constexpr const char* RETA = "EEEE 1101011 CZ1 000000000 000101110";
constexpr const char* RDWORD = "EEEE 1010111 CZI DDDDDDDDD SSSSSSSSS";
constexpr const char* RDLONG = "EEEE 1011000 CZI DDDDDDDDD SSSSSSSSS";
constexpr const char* WRWORD = "EEEE 1100010 1LI DDDDDDDDD SSSSSSSSS";
constexpr const char* WRLONG = "EEEE 1100011 0LI DDDDDDDDD SSSSSSSSS";
}  // namespace P

using CWave = std::vector<std::pair<uint64_t, bool>>;  // (clock, level) changes of a wire

// The wire of one 8N1 frame at `clocksPerBit` from `start`.
CWave Frame8N1(uint8_t byte, uint64_t start, uint64_t clocksPerBit) {
  CWave wave;
  bool level = true;
  for (int k = 0; k < 10; ++k) {
    const bool bit = k == 0 ? false : k == 9 ? true : ((byte >> (k - 1)) & 1) != 0;
    if (bit != level) wave.emplace_back(start + k * clocksPerBit, bit);
    level = bit;
  }
  return wave;
}

uint32_t Augd(uint32_t value) { return 0xFF80'0000u | (value >> 9); }
uint32_t Self(uint32_t at) { return Encode(P::JMP_A, {.a = at}); }  // JMP #\at: wait here

void LoadCog(CChip& chip, int cog, uint32_t address, const std::vector<uint32_t>& code) {
  for (uint32_t k = 0; k < code.size(); ++k) chip.Hub().WriteLong(address + 4 * k, code[k]);
  chip.MarkHub(address, static_cast<uint32_t>(4 * code.size()));
  chip.Cog(cog).Start(0, address, true, 0);
}

}  // namespace

class TestChip : public QObject {
  Q_OBJECT

 private slots:
  void lutSharing_data() {
    QTest::addColumn<int>("reader");
    QTest::addColumn<bool>("shares");
    QTest::addColumn<uint>("expected");
    QTest::newRow("odd partner with SETLUTS #1 gets the write") << 1 << true << 5u;
    QTest::newRow("odd partner without SETLUTS keeps its LUT") << 1 << false << 0u;
    QTest::newRow("a cog of another pair never gets it") << 2 << true << 0u;
  }
  void lutSharing() {
    QFETCH(int, reader);
    QFETCH(bool, shares);
    QFETCH(uint, expected);
    CChip chip;
    LoadCog(chip, reader, 0x1000, {Encode(P::SETLUTS, {.l = 1, .d = shares ? 1u : 0u}), Self(1)});
    // Cog 0 writes 5 to LUT address 7 once the reader is set up.
    LoadCog(chip, 0, 0x2000,
            {Encode(P::WAITX, {.l = 1, .d = 100}),
             Encode(P::WRLUT, {.i = 1, .l = 1, .d = 5, .s = 7}), Self(2)});
    QCOMPARE(chip.Run(2000), CChip::EStop::ClockLimit);
    QCOMPARE(chip.Cog(0).Lut(7), 5u);
    QCOMPARE(chip.Cog(reader).Lut(7), expected);
  }

  void locksBetweenCogs() {
    CChip chip;
    // Cog 0 takes lock 0, holds it for 300 clocks, releases it.
    LoadCog(chip, 0, 0x1000,
            {Encode(P::LOCKNEW, {.c = 1, .d = 0x100}), Encode(P::LOCKTRY, {.c = 1, .l = 1, .d = 0}),
             Encode(P::WRC, {.d = 0x101}), Encode(P::WAITX, {.l = 1, .d = 300}),
             Encode(P::LOCKREL, {.l = 1, .d = 0}), Self(5)});
    // Cog 1 tries while cog 0 holds it, then again after the release.
    LoadCog(chip, 1, 0x2000,
            {Encode(P::WAITX, {.l = 1, .d = 100}), Encode(P::LOCKTRY, {.c = 1, .l = 1, .d = 0}),
             Encode(P::WRC, {.d = 0x101}), Encode(P::WAITX, {.l = 1, .d = 400}),
             Encode(P::LOCKTRY, {.c = 1, .l = 1, .d = 0}), Encode(P::WRC, {.d = 0x102}), Self(6)});
    QCOMPARE(chip.Run(3000), CChip::EStop::ClockLimit);
    QCOMPARE(chip.Cog(0).Register(0x100), 0u);  // the first lock handed out
    QCOMPARE(chip.Cog(0).Register(0x101), 1u);  // cog 0 got it
    QCOMPARE(chip.Cog(1).Register(0x101), 0u);  // cog 1 did not while cog 0 held it
    QCOMPARE(chip.Cog(1).Register(0x102), 1u);  // and did after the release
    QVERIFY(chip.Hub().LockTaken(0));
    QCOMPARE(chip.Hub().LockOwner(0), 1);
  }

  void attentionWakesAWaitingCog() {
    CChip chip;
    LoadCog(chip, 1, 0x1000,
            {Encode(P::WAITATN, {}), Encode(P::ADD, {.i = 1, .d = 0x100, .s = 1}), Self(2)});
    LoadCog(
        chip, 0, 0x2000,
        {Encode(P::WAITX, {.l = 1, .d = 500}), Encode(P::COGATN, {.l = 1, .d = 0b10}), Self(2)});
    QCOMPARE(chip.Run(800), CChip::EStop::ClockLimit);
    QCOMPARE(chip.Cog(1).Register(0x100), 0u);
    QVERIFY(chip.Cog(1).Waiting());
    // Waiting costs nothing: the WAITATN ran once and was not looked at again.
    QCOMPARE(chip.Cog(1).Stats().m_uInstructions, uint64_t(1));
    QCOMPARE(chip.Run(2000), CChip::EStop::ClockLimit);
    QCOMPARE(chip.Cog(1).Register(0x100), 1u);
  }

  void interruptOnCtEvent() {
    CChip chip;
    // Main: CT1 in 200 clocks, IJMP1 -> $00A, SETINT1 #CT1, then wait in a loop.
    // The ISR at $00A counts in $101 and returns with RETI1.
    std::vector<uint32_t> code = {Encode(P::GETCT, {.d = 0x100}),
                                  Encode(P::ADDCT1, {.i = 1, .d = 0x100, .s = 200}),
                                  Encode(P::MOV, {.i = 1, .d = 0x1F4, .s = 0x00A}),
                                  Encode(P::SETINT1, {.l = 1, .d = 1}), Self(4)};
    code.resize(10, 0);
    code.push_back(Encode(P::ADD, {.i = 1, .d = 0x101, .s = 1}));
    code.push_back(Encode(P::RETI1, {}));
    LoadCog(chip, 0, 0x1000, code);
    QCOMPARE(chip.Run(600), CChip::EStop::ClockLimit);
    QCOMPARE(chip.Cog(0).Register(0x101), 0u);  // the cog loads for ~500 clocks first
    QCOMPARE(chip.Run(3000), CChip::EStop::ClockLimit);
    QCOMPARE(chip.Cog(0).Register(0x101), 1u);
    QCOMPARE(chip.Cog(0).Pc(), 4u);  // back in the main loop
  }

  void terminalShowsSerialBytesAndEndsWithTheExitCode() {
    // RCFAST: 24 MHz; 115200 baud is 208 clocks per bit.
    const uint32_t x = (208u << 16) | 7;
    std::vector<uint32_t> code = {Encode(P::WRPIN, {.i = 1, .l = 1, .d = 0x7C, .s = 62}), Augd(x),
                                  Encode(P::WXPIN, {.i = 1, .l = 1, .d = x & 0x1FF, .s = 62}),
                                  Encode(P::DIRH, {.l = 1, .d = 62})};
    for (uint32_t byte : {uint32_t{'H'}, uint32_t{'i'}, 0xFFu, 0x00u, 0x07u}) {
      code.push_back(Encode(P::WYPIN, {.i = 1, .l = 1, .d = byte, .s = 62}));
      // Let the frame out: 11 bit times, in waits that fit a 9-bit #D.
      for (int k = 0; k < 5; ++k) code.push_back(Encode(P::WAITX, {.l = 1, .d = 460}));
    }
    code.push_back(Self(static_cast<uint32_t>(code.size())));
    std::vector<uint8_t> image(code.size() * 4);
    std::memcpy(image.data(), code.data(), image.size());
    std::string shown;
    CSimRunOptions options;
    options.m_dSeconds = 1;
    const CSimRunResult result =
        RunProgram(image, options, [&](const std::string& bytes) { shown += bytes; });
    QCOMPARE(shown, std::string("Hi"));
    QCOMPARE(result.m_nExitStatus, 7);
  }
  // The asynchronous transmitter raises IN each time a word moves from its buffer into the
  // shifter; an enabled pin that has not been given a word has not raised IN.
  void asyncTransmitInAndBusy() {
    CSmartPin pin;
    QVERIFY(pin.SetConfig(0, (CSmartPin::kModeAsyncTx << 1) | (1u << 6)).empty());
    pin.SetX(0, (10u << 16) | 7);  // 10 clocks per bit, 8 bits
    QVERIFY(pin.SetEnabled(10, true).empty());
    bool busy = true;
    pin.ReadZ(20, busy);
    QVERIFY(!busy);
    QVERIFY(!pin.In(20));
    pin.SetY(30, 'A');
    QVERIFY(pin.In(31));
    pin.ReadZ(33, busy);
    QVERIFY(busy);
    std::array<CSmartPin::CLevelChange, 40> changes;
    pin.Advance(200, changes);
    pin.ReadZ(200, busy);
    QVERIFY(!busy);
  }

  // The asynchronous receiver checks its start bit half a bit period after the falling edge
  // and goes back to waiting if the input is no longer low.
  void asyncReceiveStartBit_data() {
    QTest::addColumn<CWave>("wave");
    QTest::addColumn<bool>("received");
    QTest::addColumn<uint32_t>("byte");
    QTest::newRow("a frame") << Frame8N1('A', 1000, 10) << true << uint32_t('A');
    QTest::newRow("a glitch shorter than half a bit")
        << CWave{{1000, false}, {1004, true}} << false << 0u;
    auto glitchThenFrame = Frame8N1(0x5A, 1100, 10);
    glitchThenFrame.insert(glitchThenFrame.begin(), {{1000, false}, {1003, true}});
    QTest::newRow("a glitch, then a frame") << glitchThenFrame << true << 0x5Au;
  }
  void asyncReceiveStartBit() {
    QFETCH(CWave, wave);
    QFETCH(bool, received);
    QFETCH(uint32_t, byte);
    CSmartPin pin;
    QVERIFY(pin.SetConfig(0, CSmartPin::kModeAsyncRx << 1).empty());
    pin.SetX(0, (10u << 16) | 7);
    QVERIFY(pin.SetEnabled(0, true).empty());
    for (const auto& [clock, level] : wave) pin.InputChanged(clock, level);
    QCOMPARE(pin.In(5000), received);
    bool modal = false;
    if (received) QCOMPARE(pin.ReadZ(5000, modal) >> 24, byte);
  }
  // A hub access takes one more clock when it crosses a long boundary: any long that is not
  // long-aligned, and a word that starts in the last byte of a long. The addresses of a row
  // share one hub slice, so the hub window is the same for all of them.
  void hubAccessAcrossALongBoundary_data() {
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<uint>("offset");
    QTest::addColumn<uint>("extra");
    const std::pair<const char*, const char*> words[] = {{"RDWORD", P::RDWORD},
                                                         {"WRWORD", P::WRWORD}};
    for (const auto& [name, pattern] : words)
      for (uint offset : {1u, 2u, 3u})
        QTest::addRow("%s at +%u", name, offset)
            << QByteArray(pattern) << offset << (offset == 3 ? 1u : 0u);
    const std::pair<const char*, const char*> longs[] = {{"RDLONG", P::RDLONG},
                                                         {"WRLONG", P::WRLONG}};
    for (const auto& [name, pattern] : longs)
      for (uint offset : {1u, 2u, 3u})
        QTest::addRow("%s at +%u", name, offset) << QByteArray(pattern) << offset << 1u;
  }
  void hubAccessAcrossALongBoundary() {
    QFETCH(QByteArray, pattern);
    QFETCH(uint, offset);
    QFETCH(uint, extra);
    const std::string_view text(pattern.constData(), static_cast<std::size_t>(pattern.size()));
    // GETCT $100; access $102 at hub address [$103]; GETCT $101; wait.
    auto clocksAt = [&](uint32_t address) {
      std::vector<uint32_t> code(0x104, 0);
      code[0] = Encode(P::GETCT, {.d = 0x100});
      code[1] = Encode(text, {.d = 0x102, .s = 0x103});
      code[2] = Encode(P::GETCT, {.d = 0x101});
      code[3] = Self(3);
      code[0x103] = address;
      CChip chip;
      LoadCog(chip, 0, 0, code);
      chip.Run(3000);
      return chip.Cog(0).Register(0x101) - chip.Cog(0).Register(0x100);
    };
    QCOMPARE(clocksAt(0x4000 + offset), clocksAt(0x4000) + extra);
  }
  // RETA reads its return address from the hub: 11...18 clocks against 9...16 for a RDLONG of
  // the same long, so it takes two clocks more than that read in the same hub window.
  void retaTakesTwoClocksMoreThanItsRead() {
    auto clocksOf = [](uint32_t instruction) {
      std::vector<uint32_t> code(0x104, 0);
      code[0] = Encode(P::GETCT, {.d = 0x100});
      code[1] = instruction;
      code[2] = Encode(P::GETCT, {.d = 0x101});
      code[3] = Self(3);
      code[0x103] = 0x4000;
      CChip chip;
      for (uint32_t k = 0; k < code.size(); ++k) chip.Hub().WriteLong(4 * k, code[k]);
      chip.Hub().WriteLong(0x4000, 2);  // the return address: the second GETCT
      chip.MarkHub(0, 0x4004);
      chip.Cog(0).Start(0, 0, true, 0x4004);
      chip.Run(3000);
      return chip.Cog(0).Register(0x101) - chip.Cog(0).Register(0x100);
    };
    const uint32_t read = clocksOf(Encode(P::RDLONG, {.d = 0x102, .s = 0x103}));
    QCOMPARE(clocksOf(Encode(P::RETA, {})), read + 2);
  }
};

QTEST_APPLESS_MAIN(TestChip)
#include "tst_chip.moc"
