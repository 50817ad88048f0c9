#include "editors/NcoCalculation.h"

#include <cstdlib>

namespace {

constexpr uint32_t kHalfTurn = 0x80000000u;            // 2^31
constexpr double kHalfTurnScale = 1.0 / 2147483648.0;  // 2^-31
constexpr int32_t kLongestPeriod = 132;

}  // namespace

CNcoSettings CalculateNcoSettings(int32_t clock, int32_t desired) {
  // The integer half clock picks the divisors; the double one (H + 0.5 for an odd clock)
  // gives the frequencies.
  const int32_t halfClock = clock / 2;
  const double exactHalfClock = clock * 0.5;

  int32_t bestPeriod = 1;
  int64_t bestError = 0;
  for (int32_t period = 1; period <= kLongestPeriod; ++period) {
    const int32_t k = (halfClock / period) / desired;
    if (k == 0) break;
    const uint32_t addend = kHalfTurn / static_cast<uint32_t>(k);
    const auto frequency =
        static_cast<int64_t>((addend * kHalfTurnScale) * (exactHalfClock / period));
    const int64_t error = std::llabs(desired - frequency);
    if (period == 1 || error < bestError) {
      bestPeriod = period;
      bestError = error;
    }
  }

  CNcoSettings settings;
  settings.m_nWxPin = static_cast<uint32_t>(bestPeriod);
  const int32_t k = (halfClock / bestPeriod) / desired;
  if (k == 1) {
    settings.m_nWyPin = kHalfTurn;
    settings.m_dResultingFrequency = exactHalfClock / bestPeriod;
  } else {
    settings.m_nWyPin = kHalfTurn / static_cast<uint32_t>(k);
    settings.m_dResultingFrequency =
        (exactHalfClock / bestPeriod) * (settings.m_nWyPin * kHalfTurnScale);
  }
  return settings;
}
