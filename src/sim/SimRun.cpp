#include "sim/SimRun.h"

#include <chrono>
#include <cstdio>
#include <memory>

#include "sim/Chip.h"
#include "sim/Terminal.h"

namespace {

std::string StatsText(CChip& chip, uint64_t clocks, double seconds, double hostSeconds) {
  std::string text;
  char line[200];
  for (int k = 0; k < CChip::kCogs; ++k) {
    const CCogStats& stats = chip.Cog(k).Stats();
    if (stats.m_uInstructions == 0) continue;
    std::snprintf(line, sizeof line,
                  "cog %d: %llu instructions, %llu clocks waiting, %llu hub accesses\n", k,
                  static_cast<unsigned long long>(stats.m_uInstructions),
                  static_cast<unsigned long long>(stats.m_uWaitClocks),
                  static_cast<unsigned long long>(stats.m_uHubAccesses));
    text += line;
  }
  std::snprintf(line, sizeof line,
                "simulated: %llu clocks, %.6f s; host: %.3f s; %.1f million clocks per host "
                "second\n",
                static_cast<unsigned long long>(clocks), seconds, hostSeconds,
                hostSeconds > 0 ? static_cast<double>(clocks) / hostSeconds / 1e6 : 0.0);
  text += line;
  return text;
}

}  // namespace

CSimRunResult RunProgram(const std::vector<uint8_t>& image, const CSimRunOptions& options,
                         const std::function<void(const std::string&)>& output) {
  CSimRunResult result;
  const auto hostStart = std::chrono::steady_clock::now();
  auto chip = std::make_unique<CChip>();
  chip->Hub().SetCrystalHz(options.m_uCrystalHz);
  std::string error;
  if (!chip->LoadImage(image, error)) {
    result.m_nExitStatus = kSimExitBadInput;
    result.m_sMessage = error;
    return result;
  }
  chip->Boot();
  CTerminal terminal(*chip, options.m_uBaud);
  for (const std::string& text : options.m_vExpectText) terminal.AddExpectText(text);
  for (const std::string& text : options.m_vFailText) terminal.AddFailText(text);
  terminal.SetInput(options.m_sInput);

  std::FILE* trace = nullptr;
  if (!options.m_sTracePath.empty()) {
    trace = std::fopen(options.m_sTracePath.c_str(), "w");
    if (!trace) {
      result.m_nExitStatus = kSimExitBadInput;
      result.m_sMessage = "cannot write the trace file " + options.m_sTracePath;
      return result;
    }
    chip->SetTrace(trace, options.m_nTraceCog);
  }

  CChip::EStop stop = CChip::EStop::Running;
  while (true) {
    // Run in slices of 10 ms of simulated time so output appears as it comes and the time
    // limit follows clock changes.
    const uint64_t deadline = chip->ClockAtSeconds(options.m_dSeconds);
    const uint64_t slice = chip->Hub().ClockHz() / 100 + 1;
    const uint64_t limit = chip->Clock() + slice < deadline ? chip->Clock() + slice : deadline;
    stop = chip->Run(limit);
    if (stop == CChip::EStop::AllStopped || stop == CChip::EStop::Error)
      terminal.Flush(chip->Clock());
    const std::string shown = terminal.TakeOutput();
    if (!shown.empty()) output(shown);
    if (stop != CChip::EStop::ClockLimit) break;
    if (chip->Clock() >= chip->ClockAtSeconds(options.m_dSeconds)) break;
  }
  if (trace) std::fclose(trace);

  result.m_uClocks = chip->Clock();
  result.m_dSeconds = chip->SecondsAt(chip->Clock());
  switch (stop) {
    case CChip::EStop::Error:
      result.m_nExitStatus = kSimExitNotSimulated;
      result.m_sMessage = chip->ErrorMessage();
      break;
    case CChip::EStop::ClockLimit: {
      result.m_nExitStatus = kSimExitTimeout;
      char text[160];
      std::snprintf(text, sizeof text, "the run reached its time limit of %g s after %llu clocks",
                    options.m_dSeconds, static_cast<unsigned long long>(result.m_uClocks));
      result.m_sMessage = text;
      break;
    }
    case CChip::EStop::Requested:
      if (terminal.FailSeen())
        result.m_nExitStatus = kSimExitFailText;
      else if (terminal.ExpectSeen())
        result.m_nExitStatus = 0;
      else
        result.m_nExitStatus = terminal.ExitCode();
      break;
    default:
      result.m_nExitStatus = 0;
      break;
  }
  if (options.m_bStats) {
    const double host =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - hostStart).count();
    std::string stats = StatsText(*chip, result.m_uClocks, result.m_dSeconds, host);
    result.m_sMessage = result.m_sMessage.empty() ? stats : result.m_sMessage + "\n" + stats;
  }
  return result;
}
