#pragma once

#include <cstdint>

namespace bytegleaner::opcodes {
struct OpcodeTable;
}
namespace bytegleaner::analysis {
struct Examination;
}

namespace bytegleaner::thorough {

// True when the untraced bytes at `offset` read as code a program would
// run: documented forms only, an unconditional ret/jp/jr within a bounded
// distance, no traced instruction entered mid-way, and nothing shaped like
// text or tiles. A false yes turns data into code, so it leans to no.
bool LooksLikeCode(const opcodes::OpcodeTable& table, const analysis::Examination& examination,
                   std::int32_t offset);

}  // namespace bytegleaner::thorough
