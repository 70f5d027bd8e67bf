#pragma once

#include "analysis/examination.h"
#include "opcodes/opcode_table.h"

#include <cstdint>
#include <string>

namespace bytegleaner::shell {

inline constexpr std::uint8_t PreferencesFormatVersion = 1;
inline constexpr std::size_t LongestPath = 999;

// The desktop program's values from start-up to its end.
struct ProgramState {
  std::string ProgramFolder;  // ends with the folder separator
  std::uint8_t BreakAtIndirectJump = 1;  // 0 is off, anything else on
  std::string LastFolder;     // empty, or ends with the folder separator
  std::string ChosenRomPath;
  bool QuitRequested = false;
  opcodes::OpcodeTable Table;
  analysis::Examination Examination;
};

}  // namespace bytegleaner::shell
