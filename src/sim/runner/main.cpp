// kyv-sim: runs a FlexSpin .binary on Kyv's P2 simulator with a terminal on P62/P63.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "sim/SimRun.h"

namespace {

constexpr const char* kUsage =
    "usage: kyv-sim run PROGRAM.binary [options]\n"
    "\n"
    "Runs a P2 program on Kyv's simulator. What the program sends on P62 goes to standard\n"
    "output; standard input (when it is not a terminal) goes to P63. The run ends when the\n"
    "program sends $FF $00 and an exit code, when every cog has stopped, or after --time.\n"
    "\n"
    "options:\n"
    "  --time SECONDS      simulated time to run at most (default 10); exit status 124 then\n"
    "  --xtal HZ           crystal frequency (default 20000000)\n"
    "  --baud N            terminal baud rate (default: the rate the program sets)\n"
    "  --expect-text TEXT  end with status 0 once the terminal has shown TEXT (may repeat)\n"
    "  --fail-text TEXT    end with status 1 once the terminal has shown TEXT (may repeat)\n"
    "  --trace FILE        write each instruction of one cog to FILE\n"
    "  --trace-cog N       the cog to trace (default 0)\n"
    "  --stats             print per-cog counts, simulated and host time to standard error\n";

int Fail(const std::string& message) {
  std::cerr << "kyv-sim: " << message << "\n";
  return kSimExitBadInput;
}

bool ParseNumber(const char* text, double& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text, &end);
  return errno == 0 && end && *end == '\0' && end != text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::cout << kUsage;
    return argc < 2 ? kSimExitBadInput : 0;
  }
  if (std::strcmp(argv[1], "run") != 0)
    return Fail(std::string("unknown command '") + argv[1] + "'; try 'kyv-sim --help'");
  if (argc < 3) return Fail("'run' needs a program: kyv-sim run PROGRAM.binary");

  CSimRunOptions options;
  std::string program;
  for (int k = 2; k < argc; ++k) {
    const std::string arg = argv[k];
    auto value = [&](const char* name) -> const char* {
      if (k + 1 >= argc) return nullptr;
      (void)name;
      return argv[++k];
    };
    double number = 0;
    if (arg == "--time" || arg == "--xtal" || arg == "--baud" || arg == "--trace-cog") {
      const char* text = value(arg.c_str());
      if (!text) return Fail(arg + " needs a number");
      const bool parsed = ParseNumber(text, number);
      if (arg == "--trace-cog") {
        if (!parsed || number < 0 || number > 7 || number != static_cast<int>(number))
          return Fail(arg + " needs a cog number from 0 to 7, not '" + text + "'");
      } else if (!parsed || number <= 0) {
        return Fail(arg + " needs a positive number, not '" + text + "'");
      }
      if (arg == "--time") options.m_dSeconds = number;
      if (arg == "--xtal") options.m_uCrystalHz = static_cast<uint64_t>(number);
      if (arg == "--baud") options.m_uBaud = static_cast<uint32_t>(number);
      if (arg == "--trace-cog") options.m_nTraceCog = static_cast<int>(number);
    } else if (arg == "--expect-text" || arg == "--fail-text" || arg == "--trace") {
      const char* text = value(arg.c_str());
      if (!text || !*text) return Fail(arg + " needs a text");
      if (arg == "--expect-text") options.m_vExpectText.emplace_back(text);
      if (arg == "--fail-text") options.m_vFailText.emplace_back(text);
      if (arg == "--trace") options.m_sTracePath = text;
    } else if (arg == "--stats") {
      options.m_bStats = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return Fail("unknown option '" + arg + "'; try 'kyv-sim --help'");
    } else if (program.empty()) {
      program = arg;
    } else {
      return Fail("only one program can run at a time ('" + arg + "')");
    }
  }
  if (program.empty()) return Fail("'run' needs a program: kyv-sim run PROGRAM.binary");

  std::error_code error;
  const auto status = std::filesystem::status(program, error);
  if (error) return Fail(program + ": " + error.message());
  if (!std::filesystem::is_regular_file(status)) return Fail(program + " is not a file");
  std::ifstream file(program, std::ios::binary);
  if (!file) return Fail(program + ": cannot be read");
  const std::vector<uint8_t> image((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());

  if (!isatty(STDIN_FILENO)) {
    options.m_sInput.assign(std::istreambuf_iterator<char>(std::cin),
                            std::istreambuf_iterator<char>());
  }

  const CSimRunResult result = RunProgram(image, options, [](const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
  });
  if (!result.m_sMessage.empty()) {
    const bool plain = result.m_nExitStatus == 0 || options.m_bStats;
    std::cerr << (plain ? "" : "kyv-sim: ") << result.m_sMessage;
    if (result.m_sMessage.back() != '\n') std::cerr << "\n";
  }
  return result.m_nExitStatus;
}
