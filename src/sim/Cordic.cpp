#include "sim/Cordic.h"

#include <cmath>
#include <numbers>

namespace {

constexpr long double kTwoPow32 = 4294967296.0L;      // a full turn in angle units; one past a long
constexpr long double kFractionScale = 134217728.0L;  // 2^27, one in 5.27 fixed point

uint32_t Low(uint64_t value) { return static_cast<uint32_t>(value); }
uint32_t High(uint64_t value) { return static_cast<uint32_t>(value >> 32); }

// Keeps the low 32 bits of a rounded value, as a 32-bit register would.
uint32_t Wrap(long double value) {
  return static_cast<uint32_t>(static_cast<int64_t>(std::llround(value)));
}

long double Radians(uint32_t angle) {
  return static_cast<long double>(angle) * 2.0L * std::numbers::pi_v<long double> / kTwoPow32;
}

// {high, low} / divisor. Division by zero does not trap: X is the complement of the high
// long and Y the low long. A quotient wider than 32 bits keeps its low long; the chip's
// result in that case is not documented and may differ.
CCordicResult DivideWide(uint32_t high, uint32_t low, uint32_t divisor) {
  if (divisor == 0) return {~high, low};
  const uint64_t numerator = (static_cast<uint64_t>(high) << 32) | low;
  return {Low(numerator / divisor), Low(numerator % divisor)};
}

}  // namespace

namespace Cordic {

CCordicResult Multiply(uint32_t d, uint32_t s) {
  const uint64_t product = static_cast<uint64_t>(d) * s;
  return {Low(product), High(product)};
}

CCordicResult Divide(uint32_t q, uint32_t d, uint32_t s) { return DivideWide(q, d, s); }

CCordicResult Fraction(uint32_t d, uint32_t q, uint32_t s) { return DivideWide(d, q, s); }

CCordicResult SquareRoot(uint32_t d, uint32_t s) {
  const uint64_t value = (static_cast<uint64_t>(s) << 32) | d;
  // Start from the floating-point root and correct it to the exact floor.
  uint64_t root = static_cast<uint64_t>(std::sqrt(static_cast<long double>(value)));
  while (root > 0 && (root > 0xFFFF'FFFFu || root * root > value)) --root;
  while (root < 0xFFFF'FFFFu && (root + 1) * (root + 1) <= value) ++root;
  return {static_cast<uint32_t>(root), 0};
}

CCordicResult Rotate(uint32_t d, uint32_t q, uint32_t s) {
  const long double x = static_cast<int32_t>(d);
  const long double y = static_cast<int32_t>(q);
  const long double angle = Radians(s);
  const long double cosine = std::cos(angle);
  const long double sine = std::sin(angle);
  return {Wrap(x * cosine - y * sine), Wrap(x * sine + y * cosine)};
}

CCordicResult Vector(uint32_t d, uint32_t s) {
  const long double x = static_cast<int32_t>(d);
  const long double y = static_cast<int32_t>(s);
  const long double length = std::sqrt(x * x + y * y);
  const long double turns = std::atan2(y, x) / (2.0L * std::numbers::pi_v<long double>);
  return {static_cast<uint32_t>(std::llround(length)), Wrap(turns * kTwoPow32)};
}

CCordicResult Log(uint32_t d) {
  if (d == 0) return {0, 0};
  // log2 of values just below 2^32 rounds up to 32.0, which does not fit: keep the top.
  const long double scaled = std::round(std::log2(static_cast<long double>(d)) * kFractionScale);
  return {scaled >= kTwoPow32 ? 0xFFFF'FFFFu : static_cast<uint32_t>(scaled), 0};
}

CCordicResult Exp(uint32_t d) {
  const long double value = std::exp2(static_cast<long double>(d) / kFractionScale);
  const long double rounded = std::round(value);
  return {rounded >= kTwoPow32 ? 0xFFFF'FFFFu : static_cast<uint32_t>(rounded), 0};
}

}  // namespace Cordic
