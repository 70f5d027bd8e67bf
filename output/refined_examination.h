#pragma once

#include "output/examine_rom.h"

#include <string>

namespace bytegleaner::output {

// The hints the thorough examination reads and writes beside the source.
struct HintsOptions {
  std::string HintsPath;      // the hints file to read; empty: "<ROM path>.hints" where it exists
  bool WriteHints = false;    // also write "<ROM path>.hints" from what the analysis decided
  bool ReplaceHints = false;  // even where one exists
};

// The thorough examination guided by a hints file. A hints file that cannot
// be read or holds a bad line, and an existing hints file to write without
// ReplaceHints, stop it before anything is written: its messages go to
// ShowError, each naming the file and, for a line, its number.
ExamineResult ExamineRomThoroughly(const std::string& chosenRomPath, const opcodes::OpcodeTable& table,
                                   const HintsOptions& options, analysis::Examination& examination,
                                   const reporting::UserInterface& ui);

}  // namespace bytegleaner::output
