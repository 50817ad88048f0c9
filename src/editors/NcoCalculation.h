#pragma once

#include <cstdint>

// Register values of the smart pin's NCO frequency mode for a desired output frequency. The
// output is clock * WYPIN / (WXPIN * 2^32); the search tries base periods 1..132 and keeps the
// one whose (truncated) frequency is closest to the desired one, the smallest period on ties.
struct CNcoSettings {
  uint32_t m_nWxPin = 0;  // base period in clocks, 1..132
  uint32_t m_nWyPin = 0;  // accumulator addend, 2^31 / K
  double m_dResultingFrequency = 0.0;
};

// Both values as converted from their texts. The caller guarantees 1 <= desired <= clock / 2.
CNcoSettings CalculateNcoSettings(int32_t clock, int32_t desired);
