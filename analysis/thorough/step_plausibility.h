#pragma once

#include "analysis/thorough/instruction_steps.h"

#include <cstdint>

namespace bytegleaner::opcodes {
struct OpcodeTable;
}
namespace bytegleaner::analysis {
struct Examination;
}

namespace bytegleaner::thorough {

// One instruction could stand in a program the console runs: documented,
// talking to the console's ports and RAM, jumping to places that could be
// code. Looked at alone; the run it stands in is judged elsewhere.
bool IsPlausibleStep(const opcodes::OpcodeTable& table, const analysis::Examination& examination, const Step& step);

// The first instructions at a jump's or call's untraced target could begin
// a routine (looked at without following their own jumps).
bool IsPlausibleEntry(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                      std::int32_t target);

bool IsTracedStart(const analysis::Examination& examination, std::int32_t offset);

}  // namespace bytegleaner::thorough
