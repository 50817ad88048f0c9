#include <QTest>

#include "sim/Cordic.h"

Q_DECLARE_METATYPE(CCordicResult)

// The CORDIC results against values worked out from the documented operations. The integer
// operations must be exact; rotation, vectoring, logarithm and exponent may differ from the
// chip in their lowest bit, so those rows allow one unit either way.
class TestCordic : public QObject {
  Q_OBJECT

 private:
  static void Compare(const CCordicResult& actual, uint32_t x, uint32_t y, uint32_t tolerance) {
    const auto near = [tolerance](uint32_t a, uint32_t b) {
      return static_cast<uint32_t>(a - b) <= tolerance || static_cast<uint32_t>(b - a) <= tolerance;
    };
    QVERIFY2(near(actual.m_uX, x), qPrintable(QStringLiteral("X is $%1, expected $%2")
                                                  .arg(actual.m_uX, 8, 16, QLatin1Char('0'))
                                                  .arg(x, 8, 16, QLatin1Char('0'))));
    QVERIFY2(near(actual.m_uY, y), qPrintable(QStringLiteral("Y is $%1, expected $%2")
                                                  .arg(actual.m_uY, 8, 16, QLatin1Char('0'))
                                                  .arg(y, 8, 16, QLatin1Char('0'))));
  }

 private slots:
  void operations_data() {
    QTest::addColumn<CCordicResult>("actual");
    QTest::addColumn<uint>("x");
    QTest::addColumn<uint>("y");
    QTest::addColumn<uint>("tolerance");
    auto row = [](const char* name, CCordicResult actual, uint32_t x, uint32_t y,
                  uint32_t tolerance = 0) {
      QTest::newRow(name) << actual << uint(x) << uint(y) << uint(tolerance);
    };
    using namespace Cordic;
    row("QMUL 0 * anything", Multiply(0, 0xFFFF'FFFF), 0, 0);
    row("QMUL largest", Multiply(0xFFFF'FFFF, 0xFFFF'FFFF), 1, 0xFFFF'FFFE);
    row("QMUL 1e6 * 2e6", Multiply(1'000'000, 2'000'000), 0xA94A'2000, 0x1D1);
    row("QDIV 1e6 / 3", Divide(0, 1'000'000, 3), 333'333, 1);
    row("QDIV {1, 0} / 2", Divide(1, 0, 2), 0x8000'0000, 0);
    row("QDIV widest quotient", Divide(0x7FFF'FFFF, 0xFFFF'FFFF, 0x8000'0000), 0xFFFF'FFFF,
        0x7FFF'FFFF);
    row("QDIV by zero: X = !Q, Y = D", Divide(1, 1234, 0), 0xFFFF'FFFE, 1234);
    row("QDIV 0 / 0", Divide(0, 0, 0), 0xFFFF'FFFF, 0);
    row("QFRAC 1 / 3", Fraction(1, 0, 3), 0x5555'5555, 1);
    row("QFRAC 1.5 / 4", Fraction(1, 0x8000'0000, 4), 0x6000'0000, 0);
    row("QFRAC by zero: X = !D, Y = Q", Fraction(1, 77, 0), 0xFFFF'FFFE, 77);
    row("QSQRT 1e6", SquareRoot(1'000'000, 0), 1000, 0);
    row("QSQRT 2^32", SquareRoot(0, 1), 0x1'0000, 0);
    row("QSQRT 15 rounds down", SquareRoot(15, 0), 3, 0);
    row("QSQRT 16", SquareRoot(16, 0), 4, 0);
    row("QSQRT 65535^2", SquareRoot(0xFFFE'0001, 0), 0xFFFF, 0);
    row("QSQRT 65535^2 - 1", SquareRoot(0xFFFE'0000, 0), 0xFFFE, 0);
    row("QSQRT 2^64 - 1", SquareRoot(0xFFFF'FFFF, 0xFFFF'FFFF), 0xFFFF'FFFF, 0);
    row("QROTATE (100, 0) by 90 degrees", Rotate(100, 0, 0x4000'0000), 0, 100, 1);
    row("QROTATE (100, 0) by 180 degrees", Rotate(100, 0, 0x8000'0000), static_cast<uint32_t>(-100),
        0, 1);
    row("QROTATE (1e9, 0) by 45 degrees", Rotate(1'000'000'000, 0, 0x2000'0000), 707'106'781,
        707'106'781, 1);
    row("QROTATE (100, 200) by 45 degrees", Rotate(100, 200, 0x2000'0000),
        static_cast<uint32_t>(-71), 212, 1);
    row("QVECTOR (3, 4)", Vector(3, 4), 5, 633'866'811, 1);
    row("QVECTOR (-1, 0) points at 180 degrees", Vector(static_cast<uint32_t>(-1), 0), 1,
        0x8000'0000, 1);
    row("QVECTOR (0, -100) points at 270 degrees", Vector(0, static_cast<uint32_t>(-100)), 100,
        0xC000'0000, 1);
    row("QVECTOR largest length", Vector(0x7FFF'FFFF, 0x7FFF'FFFF), 3'037'000'499, 0x2000'0000, 1);
    row("QLOG 1", Log(1), 0, 0, 1);
    row("QLOG 2", Log(2), 0x0800'0000, 0, 1);
    row("QLOG 1024", Log(1024), 0x5000'0000, 0, 1);
    row("QLOG 3", Log(3), 0x0CAE'00D2, 0, 1);
    row("QLOG of the largest long stays below 32.0", Log(0xFFFF'FFFF), 0xFFFF'FFFF, 0, 1);
    row("QEXP 0", Exp(0), 1, 0, 1);
    row("QEXP 1.0", Exp(0x0800'0000), 2, 0, 1);
    row("QEXP 10.0", Exp(0x5000'0000), 1024, 0, 1);
    row("QEXP 31.0", Exp(0xF800'0000), 0x8000'0000, 0, 1);
    row("QEXP just below 32.0", Exp(0xFFFF'FFFF), 0xFFFF'FFEA, 0, 1);
  }

  void operations() {
    QFETCH(CCordicResult, actual);
    QFETCH(uint, x);
    QFETCH(uint, y);
    QFETCH(uint, tolerance);
    Compare(actual, x, y, tolerance);
  }

  // GETQX after QLOG and QEXP must give back the number for every power of two.
  void logarithmRoundTrip() {
    for (int shift = 0; shift < 32; ++shift) {
      const uint32_t value = 1u << shift;
      QCOMPARE(Cordic::Exp(Cordic::Log(value).m_uX).m_uX, value);
    }
  }
};

QTEST_GUILESS_MAIN(TestCordic)
#include "tst_cordic.moc"
