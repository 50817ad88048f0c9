#include <QTest>

#include "InstructionCases.h"
#include "sim/Chip.h"

// Runs every row of the instruction table on cog 0 of a fresh chip and compares registers,
// flags and clocks with what the row expects.
class TestInstructions : public QObject {
  Q_OBJECT

 private slots:
  void table_data() {
    QTest::addColumn<int>("row");
    const auto& cases = InstructionCases();
    for (int k = 0; k < static_cast<int>(cases.size()); ++k)
      QTest::newRow(std::string(cases[k].m_sName).c_str()) << k;
  }

  void table() {
    QFETCH(int, row);
    const CInstructionCase& c = InstructionCases()[row];
    auto chip = std::make_unique<CChip>();
    CCog& cog = chip->Cog(0);
    for (uint32_t k = 0; k < c.m_vCode.size(); ++k) cog.SetRegister(k, c.m_vCode[k]);
    for (const CRegisterValue& r : c.m_vBefore) cog.SetRegister(r.m_uAddress, r.m_uValue);
    cog.SetFlags(c.m_bC, c.m_bZ);
    cog.StartInPlace(0, 0);
    const uint32_t end = static_cast<uint32_t>(c.m_vCode.size());
    try {
      for (int steps = 0; cog.Pc() != end; ++steps) {
        QVERIFY2(steps < 1000, "the program did not reach its end");
        QVERIFY2(cog.Running(), "the cog stopped");
        cog.Step();
      }
    } catch (const CSimStop& stop) {
      QFAIL(stop.m_sMessage.c_str());
    }
    for (const CRegisterValue& r : c.m_vAfter) {
      const uint32_t actual = cog.Register(r.m_uAddress);
      QVERIFY2(actual == r.m_uValue, qPrintable(QStringLiteral("register $%1 is $%2, expected $%3")
                                                    .arg(r.m_uAddress, 3, 16, QLatin1Char('0'))
                                                    .arg(actual, 8, 16, QLatin1Char('0'))
                                                    .arg(r.m_uValue, 8, 16, QLatin1Char('0'))));
    }
    QCOMPARE(cog.C(), c.m_bExpectC);
    QCOMPARE(cog.Z(), c.m_bExpectZ);
    // Rows whose timing depends on the hub window leave the clocks at 0.
    if (c.m_uClocks) QCOMPARE(cog.Time(), uint64_t(c.m_uClocks));
  }
};

QTEST_APPLESS_MAIN(TestInstructions)
#include "tst_instructions.moc"
