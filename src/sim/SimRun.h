#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One run of a program as `kyv-sim run` does it: load the .binary, boot cog 0, connect the
// terminal, run until the program exits, every cog stops, an expected or failing text shows,
// or the simulated time runs out.
struct CSimRunOptions {
  double m_dSeconds = 10.0;
  uint64_t m_uCrystalHz = 20'000'000;
  uint32_t m_uBaud = 0;  // 0: the baud the program sets
  std::vector<std::string> m_vExpectText;
  std::vector<std::string> m_vFailText;
  std::string m_sInput;      // bytes sent to P63
  std::string m_sTracePath;  // empty: no trace
  int m_nTraceCog = 0;
  bool m_bStats = false;
};

struct CSimRunResult {
  int m_nExitStatus = 0;
  uint64_t m_uClocks = 0;
  double m_dSeconds = 0;
  std::string m_sMessage;  // for standard error
};

// The exit statuses besides the program's own code.
inline constexpr int kSimExitTimeout = 124;
inline constexpr int kSimExitFailText = 1;
inline constexpr int kSimExitBadInput = 2;
inline constexpr int kSimExitNotSimulated = 3;

// Runs `image`; terminal output goes to `output` as it arrives.
CSimRunResult RunProgram(const std::vector<uint8_t>& image, const CSimRunOptions& options,
                         const std::function<void(const std::string&)>& output);
