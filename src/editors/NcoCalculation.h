#pragma once

#include <cstdint>

// Register values of the smart pin's NCO frequency mode for a desired output frequency. Every
// WXPIN clocks, WYPIN is added to a 32-bit phase accumulator whose top bit drives the pin, so
// the output is clock * WYPIN / (WXPIN * 2^32) on average.
struct CNcoSettings {
  uint32_t m_nWxPin = 0;  // base period in clocks, 1..65535
  uint32_t m_nWyPin = 0;  // accumulator addend, 1..2^31
  double m_dResultingFrequency = 0.0;
  // Whether the output's period, WXPIN * 2^32 / WYPIN clocks, is a whole number of clocks. When
  // it is not, the period varies from cycle to cycle and the frequency is its average.
  bool m_bWholePeriod = false;
};

// Tries every base period and the addend nearest the desired frequency for it; the candidate
// whose frequency is nearest the desired one wins, the smaller period on ties. The caller
// guarantees 1 <= desired <= clock / 2.
CNcoSettings CalculateNcoSettings(int32_t clock, int32_t desired);
