#pragma once

#include <cstdint>

// Results of the hub's CORDIC solver, computed at once. The cog side (queueing, the pipeline
// and GETQX/GETQY waiting) lives with the hub; this is only the arithmetic.
//
// QMUL, QDIV, QFRAC and QSQRT are exact integer results, as on the chip. QROTATE, QVECTOR,
// QLOG and QEXP are computed in long double and rounded to nearest; the chip iterates a
// fixed-point CORDIC, so the lowest bit or two of those four results may differ from it.

struct CCordicResult {
  uint32_t m_uX = 0;  // what GETQX returns
  uint32_t m_uY = 0;  // what GETQY returns
};

namespace Cordic {

// Clocks from the command entering the solver to its result being ready for GETQX/GETQY.
inline constexpr uint32_t kLatencyClocks = 55;

// QMUL D,S: the unsigned 64-bit product, low long in X, high long in Y.
CCordicResult Multiply(uint32_t d, uint32_t s);

// QDIV D,S after SETQ q: {q, d} / s, quotient in X, remainder in Y.
CCordicResult Divide(uint32_t q, uint32_t d, uint32_t s);

// QFRAC D,S after SETQ q: {d, q} / s, quotient in X, remainder in Y.
CCordicResult Fraction(uint32_t d, uint32_t q, uint32_t s);

// QSQRT D,S: the integer square root of {s, d} in X (Y is zero).
CCordicResult SquareRoot(uint32_t d, uint32_t s);

// QROTATE D,S after SETQ q: the signed point (d, q) turned by angle s, where $1_0000_0000 is
// a full turn.
CCordicResult Rotate(uint32_t d, uint32_t q, uint32_t s);

// QVECTOR D,S: the signed point (d, s) as unsigned length in X and angle in Y.
CCordicResult Vector(uint32_t d, uint32_t s);

// QLOG D: log2(d) as 5.27 fixed point in X; zero for d = 0.
CCordicResult Log(uint32_t d);

// QEXP D: 2 raised to the 5.27 fixed-point d, in X.
CCordicResult Exp(uint32_t d);

}  // namespace Cordic
