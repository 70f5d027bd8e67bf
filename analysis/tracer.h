#pragma once

#include <cstdint>

namespace bytegleaner::opcodes {
struct OpcodeTable;
}

namespace bytegleaner::analysis {

struct Examination;

// Traces the code that starts at an offset, depth first: every jump, call
// and RST target is traced completely before the run goes on. Runs nest on
// a heap-allocated stack, so no chain of targets is too deep.
void TraceCode(const opcodes::OpcodeTable& table, Examination& examination, bool breakAtIndirectJump,
               std::int32_t start);

}  // namespace bytegleaner::analysis
