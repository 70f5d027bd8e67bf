#pragma once

#include "analysis/thorough/instruction_steps.h"

#include <cstdint>

namespace bytegleaner::thorough {

// Registers as bits: b c d e h l, the flags, a, then ix and iy.
using RegisterSet = std::uint16_t;
inline constexpr RegisterSet FlagsBit = 1u << 6;
inline constexpr RegisterSet AllRegisters = 0x03FF;

// What one instruction does with the registers, as far as telling code
// from data needs: a value written and written again before anything reads
// it, or flags tested before anything set them, is not how programs go.
// Instructions not modelled read everything and write nothing.
struct RegisterUse {
  RegisterSet Reads = AllRegisters;
  RegisterSet Writes = 0;    // replaced outright (a load)
  RegisterSet Computes = 0;  // changed along with the flags, which may be all the program wants
  bool SetsFlags = true;
  bool SetsCarry = true;
  bool TestsFlags = false;  // a branch or return on a condition, or a carry taken in
  bool TestsCarry = false;
  bool OnlyFlags = false;  // a compare or test: the flags are its only result
};

RegisterUse UseOf(const Step& step);
RegisterSet PairBits(std::uint8_t pair);

// Results nothing has used yet along a run of instructions. Programs
// neither overwrite a loaded value unread, nor compare and then ignore the
// flags, nor test flags that nothing set; data decoded as code does all
// three.
struct UnusedResults {
  RegisterSet Unread = 0;
  RegisterSet UnreadUnlessFlagsRead = 0;  // a computed value may be wanted for its flags only
  RegisterSet Written = 0;
  bool FlagsSet = false;
  bool CarrySet = false;
  bool CompareUnread = false;

  // False when the instruction wastes or invents a result.
  bool Follow(const RegisterUse& use);
};

}  // namespace bytegleaner::thorough
