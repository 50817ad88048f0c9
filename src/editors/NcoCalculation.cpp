#include "editors/NcoCalculation.h"

namespace {

constexpr uint64_t kTurn = uint64_t{1} << 32;   // one turn of the phase accumulator
constexpr uint64_t kLargestAddend = kTurn / 2;  // beyond half a turn the output aliases
constexpr uint64_t kLongestPeriod = 0xFFFF;     // WXPIN's base period is 16 bits

}  // namespace

CNcoSettings CalculateNcoSettings(int32_t clock, int32_t desired) {
  const auto c = static_cast<uint64_t>(clock);
  const auto f = static_cast<uint64_t>(desired);

  CNcoSettings best;
  // The best candidate's error is bestMiss / (bestPeriod * 2^32) Hz; misses stay below the
  // clock, so the cross products compared below fit in 64 bits.
  uint64_t bestMiss = 0;
  uint64_t bestPeriod = 0;
  for (uint64_t period = 1; period <= kLongestPeriod; ++period) {
    // addend = round(f * period * 2^32 / c), halves up, without a 96-bit product: f * period
    // is below 2^47 and f <= c / 2 keeps its quotient by c below 2^15.
    const uint64_t cycles = f * period;
    const uint64_t low = (cycles % c) << 32;
    const uint64_t addend = ((cycles / c) << 32) + low / c + (2 * (low % c) >= c ? 1 : 0);
    if (addend > kLargestAddend) break;  // the addend only grows with the period
    if (addend == 0) continue;
    // |c * addend - f * period * 2^32|, at most c / 2 by the rounding.
    const uint64_t made = c * addend;
    const uint64_t asked = cycles << 32;
    const uint64_t miss = made > asked ? made - asked : asked - made;
    if (bestPeriod != 0 && miss * bestPeriod >= bestMiss * period) continue;
    bestMiss = miss;
    bestPeriod = period;
    best.m_nWxPin = static_cast<uint32_t>(period);
    best.m_nWyPin = static_cast<uint32_t>(addend);
  }
  best.m_dResultingFrequency = static_cast<double>(clock) * best.m_nWyPin /
                               (static_cast<double>(best.m_nWxPin) * static_cast<double>(kTurn));
  best.m_bWholePeriod = (uint64_t{best.m_nWxPin} * kTurn) % best.m_nWyPin == 0;
  return best;
}
