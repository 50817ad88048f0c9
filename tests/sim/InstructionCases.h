#pragma once

#include "InstructionCase.h"

// The instruction table: each row is read from the P2 instruction table and silicon
// documentation (encoding, operation, flags and cog-exec clocks), independently of the
// simulator's own decoder.

inline const std::vector<CInstructionCase>& InstructionCases() {
  static const std::vector<CInstructionCase> cases = {
      {"ADD carry out of $FFFF_FFFF + 1",
       {Encode("EEEE 0001000 CZI DDDDDDDDD SSSSSSSSS", {.c = 1, .z = 1, .d = kRegD, .s = kRegS})},
       {{kRegD, 0xFFFF'FFFF}, {kRegS, 1}},
       false,
       false,
       {{kRegD, 0}},
       true,
       true,
       2},
  };
  return cases;
}
